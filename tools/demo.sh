#!/usr/bin/env bash
# Exports the demo company with the standard edition under Wine (after set-up and the
# Windows build). The installation folder is laid out under build/demo/install from
# demo/install and the built program. With a display the program simply runs and shows
# its real dialogs. Without one it runs under Xvfb with the test driver, which accepts
# the proposed months, names an output file under build/demo/out, answers every message
# and takes screenshots; the script then prints where the XML file and the pictures are.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${STMTLINK_BUILD:-$root/build/win}
demo=$root/build/demo
install=$demo/install
out=$demo/out
program=stmtlink_basic.exe
export STMTLINK_WINEPREFIX=${STMTLINK_WINEPREFIX:-$demo/wineprefix}

fail() {
    echo "demo: $*" >&2
    exit 1
}

source "$root/tools/winpath.sh"

lay_out_installation() {
    [ -f "$build/editions/$program" ] || fail "$build/editions/$program is missing; build first (tools/build.sh win)"
    rm -rf "$install"
    mkdir -p "$install"
    cp "$root"/demo/install/* "$install/"
    cp "$build/editions/$program" "$install/"
}

run_with_display() {
    echo "Running $install/$program; the XML file goes where you choose in the dialog."
    "$root/tools/wine-env.sh" "$install/$program"
}

run_with_driver() {
    local driver=$build/tests/driver/stmtlink_driver.exe
    [ -f "$driver" ] || fail "$driver is missing; build first (tools/build.sh win)"
    rm -rf "$out"
    mkdir -p "$out/screenshots"
    local xml=$out/kessansho.xml shots=$out/screenshots script=$out/demo.drv
    cat >"$script" <<EOF
timeout 30000
start "$(script_path "$install/$program")"
dialog "決算書 - 集計条件"
set_text 1015 "$(script_path "$xml")"
screenshot dialog "$(script_path "$shots/1-conditions.bmp")"
click 1002
timeout 900000
catch_dialog "集計中" "$(script_path "$shots/2-progress.bmp")"
answer_all "$(script_path "$shots/3-message")"
wait_exit 0
EOF
    "$root/tools/wine-env.sh" "$driver" "$(win_path "$script")" ||
        fail "the export did not run as expected (driver script $script)"
    local bmp
    for bmp in "$shots"/*.bmp; do
        convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
    done
    [ -f "$xml" ] || fail "no XML file was written"
    echo "XML file:    $xml"
    echo "Screenshots:"
    printf '  %s\n' "$shots"/*.png
}

lay_out_installation
if [ -n "${DISPLAY:-}" ]; then
    run_with_display
else
    run_with_driver
fi
