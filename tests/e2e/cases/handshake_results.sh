#!/usr/bin/env bash
# Started by a calling application (the driver's hidden window), the program keeps that
# window disabled for the whole run and, at the end, enables it and posts the result
# code with the function number: 0 after an export, 1 after a cancel, 2 after a failed
# write or a failed environment check.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../lib.sh"

readonly notify=1025
xml=$work/report.xml
long_name=$(printf '%*s' 300 '' | tr ' ' 'a').xml

# The end of every run with a caller: one post, and the window enabled again.
posted() {
    cat <<EOF_SCRIPT
wait_exit 0
expect_post $notify $1 $2
expect_no_post
expect_caller_enabled 1
EOF_SCRIPT
}

install_program "$fixtures/standard_company.json"
run_driver <<EOF_SCRIPT
start_handshake "$exe" $notify 7 ""
dialog "$dialog_caption"
expect_caller_enabled 0
expect_enabled 1015 1
expect_enabled 1001 1
set_text 1015 "$(script_path "$xml")"
click 1002
timeout 600000
message "$caption" information "$done_text"
expect_caller_enabled 0
answer OK
$(posted 7 0)
EOF_SCRIPT
expect_xml "$xml"
expect_xml_text "$xml" /REPORT/SYSTEM/FUNCTIONID 7

install_program "$fixtures/standard_company.json"
run_driver <<EOF_SCRIPT
start_handshake "$exe" $notify 7 ""
dialog "$dialog_caption"
click 1003
message "$caption" information "$cancel_text"
answer OK
$(posted 7 1)
EOF_SCRIPT
expect_no_xml

# A function number whose low 16 bits are negative is posted sign-extended.
install_program "$fixtures/standard_company.json"
run_driver <<EOF_SCRIPT
start_handshake "$exe" $notify 40000 ""
dialog "$dialog_caption"
set_text 1015 "$(script_path "$work/$long_name")"
click 1002
timeout 600000
message "$caption" exclamation "$write_failed_text"
expect_caller_enabled 0
answer OK
$(posted -25536 2)
EOF_SCRIPT
expect_no_xml

install_program "$fixtures/standard_company.json"
set_program_level 5
run_driver <<EOF_SCRIPT
start_handshake "$exe" $notify 7 ""
message_holding "$caption" exclamation "連動コンポーネントの最新版"
expect_caller_enabled 0
answer OK
$(posted 7 2)
EOF_SCRIPT
expect_no_xml
echo "PASS: handshake results"
