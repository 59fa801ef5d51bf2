#!/usr/bin/env bash
# An output file that another program holds open cannot be written: the failure
# message is shown and the run ends.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../lib.sh"

install "$fixtures/standard_company.json"
held=$(script_path "$work/held.xml")
run_driver <<EOF_SCRIPT
timeout 20000
hold_file "$held"
start "$exe"
dialog "$dialog_caption"
set_text 1015 "$held"
click 1002
timeout 600000
message "$caption" exclamation "$write_failed_text"
answer OK
wait_exit 0
EOF_SCRIPT
[ ! -s "$work/held.xml" ] || fail "the held file was written to"
echo "PASS: write failure"
