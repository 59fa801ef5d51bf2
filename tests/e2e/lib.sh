# shellcheck shell=bash disable=SC2034  # the variables are for the case scripts
# Helpers for the end-to-end cases, sourced by each case script. A case lays out a fresh
# installation folder, runs a driver script against the edition under Wine and checks
# what the run left behind. Set by the test registration:
#   STMTLINK_EXE       the edition program under test
#   STMTLINK_DRIVER    the test driver
#   STMTLINK_FIXTURES  tests/fixtures
#   STMTLINK_E2E_WORK  this case's own folder (emptied first)
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
fixtures=$STMTLINK_FIXTURES/e2e
work=$STMTLINK_E2E_WORK
install=$work/install
exe_name=$(basename "$STMTLINK_EXE")

# The program's texts that several cases expect (its Shift_JIS, as the driver reads it).
readonly caption="決算書"
readonly dialog_caption="決算書 - 集計条件"
readonly done_text="決算書情報の出力が終了しました。\n\nアプリケーションを終了します。"
readonly cancel_text="｢決算書｣の集計を中止します。"
readonly write_failed_text="XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

source "$repo/tools/winpath.sh"

# The installed program, as a driver script names it.
exe=$(script_path "$install/$exe_name")

# install_program BOOK: the program beside the given book, the tax-filing application's
# definition file (level 4) and the accounting product's SUPPORT.INF.
install_program() {
    rm -rf "$work"
    mkdir -p "$install"
    cp "$STMTLINK_EXE" "$install/"
    cp "$1" "$install/TallyvaleBook.json"
    cp "$fixtures/QuillmarkDef.ini" "$fixtures/SUPPORT.INF" "$install/"
}

# with_settings_folder: the installed book names a settings folder inside the case's
# folder, so that the settings file it keeps can be checked (at $settings_folder).
settings_folder=$work/settings
with_settings_folder() {
    python3 - "$install/TallyvaleBook.json" "$(win_path "$settings_folder")\\" <<'EOF_PY'
import json, sys
with open(sys.argv[1], encoding="utf-8") as f:
    book = json.load(f)
book.setdefault("folders", {})["settings"] = sys.argv[2]
with open(sys.argv[1], "w", encoding="utf-8") as f:
    json.dump(book, f, ensure_ascii=False, indent=2)
EOF_PY
}

# set_program_level TEXT: the definition file's QK41 line (none when TEXT is "-").
set_program_level() {
    local ini=$install/QuillmarkDef.ini
    if [ "$1" = - ]; then
        printf '[ProgramLevel]\r\n' >"$ini"
    else
        printf '[ProgramLevel]\r\nQK41=%s\r\n' "$1" >"$ini"
    fi
}

# run_driver < SCRIPT: runs the driver script (read from standard input) under Wine. Its
# waits get a limit generous enough for a loaded machine unless the script sets one.
run_driver() {
    local script=$work/case.drv
    { echo "timeout 30000"; cat; } >"$script"
    "$repo/tools/wine-env.sh" "$STMTLINK_DRIVER" "$(win_path "$script")" ||
        fail "the driver found a mismatch (script $script)"
}

# No XML file anywhere in the case's folder.
expect_no_xml() {
    local found
    found=$(find "$work" -iname '*.xml' -print -quit)
    [ -z "$found" ] || fail "unexpected output file $found"
}

# expect_xml FILE: declared and encoded as Shift_JIS, CR LF lines, well-formed.
expect_xml() {
    local file=$1
    [ -f "$file" ] || fail "no output file $file"
    local declaration='<?xml version="1.0" encoding="Shift_JIS"?>'
    [ "$(head -c $((${#declaration} + 2)) "$file" | od -An -c | tr -s ' ')" = \
      "$(printf '%s\r\n' "$declaration" | od -An -c | tr -s ' ')" ] ||
        fail "$file does not start with the Shift_JIS declaration and CR LF"
    xmllint --noout "$file" || fail "$file is not well-formed XML"
    iconv -f CP932 -t UTF-8 "$file" >/dev/null || fail "$file does not decode as code page 932"
    local lines crlf_lines
    lines=$(LC_ALL=C tr -cd '\n' <"$file" | wc -c)
    crlf_lines=$(LC_ALL=C grep -c $'\r$' "$file" || true)
    if [ "$lines" = 0 ] || [ "$lines" != "$crlf_lines" ]; then
        fail "$file has $lines lines, $crlf_lines of them ending in CR LF"
    fi
}

# xml_text FILE XPATH: the text of the first node, in UTF-8.
xml_text() {
    xmllint --xpath "string($2)" "$1"
}

# expect_xml_text FILE XPATH TEXT
expect_xml_text() {
    local got
    got=$(xml_text "$1" "$2")
    [ "$got" = "$3" ] || fail "$2 is \"$got\", expected \"$3\""
}

# expect_xml_node FILE XPATH: the element exists.
expect_xml_node() {
    [ "$(xmllint --xpath "count($2)" "$1")" -ge 1 ] || fail "$1 has no $2"
}
