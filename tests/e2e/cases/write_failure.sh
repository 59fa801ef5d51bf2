#!/usr/bin/env bash
# An output file that the file system refuses to create (a name longer than any file
# name may be) makes the writer fail: the failure message is shown, the run ends and no
# file is left.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../lib.sh"

install_program "$fixtures/standard_company.json"
long_name=$(printf '%*s' 300 '' | tr ' ' 'a').xml
run_driver <<EOF_SCRIPT
start "$exe"
dialog "$dialog_caption"
set_text 1015 "$(script_path "$work/$long_name")"
click 1002
timeout 600000
message "$caption" exclamation "$write_failed_text"
answer OK
wait_exit 0
EOF_SCRIPT
expect_no_xml
echo "PASS: write failure"
