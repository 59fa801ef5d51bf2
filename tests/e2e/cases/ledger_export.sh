#!/usr/bin/env bash
# The demo company's whole year with the general-ledger option: the file carries one
# ledger block per account with lines, exactly as worked out from the book by
# ledger_reference.py. The next run, with the option unticked, writes no ledger at all.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../lib.sh"

install_program "$repo/demo/install/TallyvaleBook.json"
with_settings_folder

# export_year XML LEDGER: exports months 4 to 3 with check box 1021 as proposed (ticked)
# or, when LEDGER is 0, unticked first; the demo's notes warning is answered on the way.
export_year() {
    local untick=""
    [ "$2" = 1 ] || untick=$'click 1021\nexpect_checked 1021 0'
    run_driver <<EOF_SCRIPT
start "$exe"
dialog "$dialog_caption"
expect_text 1016 "4"
expect_text 1000 "3"
expect_checked 1021 1
$untick
set_text 1015 "$(script_path "$1")"
click 1002
timeout 600000
message_holding "$caption" exclamation "・収益認識に関する注記"
answer OK
message "$caption" information "$done_text"
answer OK
wait_exit 0
EOF_SCRIPT
    expect_xml "$1"
}

with_ledger=$work/ledger.xml
export_year "$with_ledger" 1
python3 "$repo/tests/e2e/ledger_reference.py" "$install/TallyvaleBook.json" "$with_ledger" 4 3 ||
    fail "the ledger blocks of $with_ledger differ from the book"

without_ledger=$work/plain.xml
export_year "$without_ledger" 0
if grep -q HJ00780S "$without_ledger"; then
    fail "$without_ledger holds ledger elements"
fi
echo "PASS: ledger_export"
