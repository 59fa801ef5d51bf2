#!/usr/bin/env bash
# Runs one command inside the project's Wine environment:
#   tools/wine-env.sh COMMAND [ARGS...]
# A first argument ending in .exe is started through Wine, so the script also serves as
# a cross-compiling emulator. The prefix (STMTLINK_WINEPREFIX, default build/wineprefix)
# is created on first use with a Japanese locale, a virtual desktop and Japanese fonts,
# and is locked for the whole run: one prefix serves one run at a time. Without a
# display the run gets its own Xvfb server.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${STMTLINK_WINEPREFIX:-$repo/build/wineprefix}
export LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
desktop_size=${STMTLINK_DESKTOP_SIZE:-1024x768}
lock_wait=${STMTLINK_WINE_LOCK_WAIT:-600}

[ $# -gt 0 ] || { echo "usage: $0 COMMAND [ARGS...]" >&2; exit 2; }
if [[ $1 == *.exe ]]; then
    set -- wine "$@"
fi

# The registry settings that every run relies on, as a regedit file (UTF-16 so that the
# Japanese font names survive).
settings_reg() {
    cat <<EOF
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"Default"="$desktop_size"

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS UI Gothic"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS Shell Dlg"="IPAPGothic"
"MS Shell Dlg 2"="IPAPGothic"

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"FontSmoothing"="0"
EOF
}

create_prefix() {
    local reg="$WINEPREFIX.settings.reg"
    echo "Creating the Wine prefix $WINEPREFIX (once)..." >&2
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1
    wineserver -w
    { printf '\xff\xfe'; settings_reg | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } >"$reg"
    wine regedit /S "$(wine_path "$reg")" >/dev/null 2>&1
    wineserver -w
    rm -f "$reg"
    touch "$WINEPREFIX/.stmtlink-ready"
}

# A Unix path as Wine's Z: drive names it.
wine_path() {
    local p
    p=$(realpath -m "$1")
    printf 'Z:%s' "${p//\//\\}"
}

# Runs the command, then stops this prefix's Wine server so that the next run (maybe on
# another X display) starts clean.
run_in_prefix() {
    [ -e "$WINEPREFIX/.stmtlink-ready" ] || create_prefix
    local rc=0
    "$@" || rc=$?
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    return $rc
}

main() {
    if [ "$1" = --inside-display ]; then
        shift
        run_in_prefix "$@"
        return
    fi
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec 9>"$WINEPREFIX.lock"
    flock -w "$lock_wait" 9 || { echo "wine-env: $WINEPREFIX is busy" >&2; exit 1; }
    if [ -n "${DISPLAY:-}" ]; then
        run_in_prefix "$@"
    else
        # The lock (descriptor 9) stays held by the inner run.
        xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside-display "$@"
    fi
}

main "$@"
