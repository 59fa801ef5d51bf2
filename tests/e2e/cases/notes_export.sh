#!/usr/bin/env bash
# An export of the demo company, whose saved notes show every group the export carries
# and one kind it does not: one warning names that kind before the file is written, and
# the file holds the notes list.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../lib.sh"

readonly unsupported_text="以下の注記は連動に対応していません。\nこれらの注記はQuillmark上で手入力してください。\n\n・収益認識に関する注記\n\nこれらの注記を除いて処理を続行します。"

install_program "$repo/demo/install/TallyvaleBook.json"
xml=$work/report.xml
run_driver <<EOF_SCRIPT
start "$exe"
dialog "$dialog_caption"
set_text 1015 "$(script_path "$xml")"
click 1002
timeout 600000
message "$caption" exclamation "$unsupported_text"
answer OK
message "$caption" information "$done_text"
answer OK
wait_exit 0
EOF_SCRIPT

expect_xml "$xml"
[ "$(grep -c ListNotesNonConsolidated "$xml")" -ge 1 ] ||
    fail "$xml holds no notes list"
echo "PASS: notes_export"
