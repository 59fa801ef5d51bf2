#!/usr/bin/env bash
# The cancel button, Esc and the close box end the run with the cancel notice and
# without output.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../lib.sh"

# cancel_with DRIVER-COMMAND
cancel_with() {
    install_program "$fixtures/standard_company.json"
    run_driver <<EOF_SCRIPT
start "$exe"
dialog "$dialog_caption"
$1
message "$caption" information "$cancel_text"
answer OK
wait_exit 0
EOF_SCRIPT
    expect_no_xml
}

cancel_with "click 1003"
cancel_with "key ESC"
cancel_with "close"
echo "PASS: cancel"
