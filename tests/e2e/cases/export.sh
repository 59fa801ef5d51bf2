#!/usr/bin/env bash
# An export with the proposed conditions: the dialog shows the company and its period,
# the file is written and the completion message is shown.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../lib.sh"

install_program "$fixtures/standard_company.json"
xml=$work/report.xml
run_driver <<EOF_SCRIPT
start "$exe"
dialog "$dialog_caption"
expect_text 1006 " 東和商事株式会社"
expect_text 1008 " 2025/04/01～2026/03/31"
expect_text 1016 "4"
expect_text 1000 "3"
expect_checked 1019 1
expect_checked 1020 0
expect_checked 1021 1
set_text 1015 "$(script_path "$xml")"
click 1002
timeout 600000
message "$caption" information "$done_text"
answer OK
wait_exit 0
EOF_SCRIPT

expect_xml "$xml"
expect_xml_text "$xml" /REPORT/SYSTEM/GYOUMUPREFIX RC25
expect_xml_text "$xml" /REPORT/SYSTEM/FUNCTIONID 3
expect_xml_text "$xml" /REPORT/SYSTEM/CONNECTEDPROGRAMVER 22.52.01
expect_xml_text "$xml" /REPORT/SYSTEM/PROGRAMNAME "試験会計２２ スタンダード"
expect_xml_text "$xml" /REPORT/SYSTEM/PROGRAMVER 22.10.03
expect_xml_text "$xml" /REPORT/BASIC/KOMONSAKINAME "東和商事株式会社"
expect_xml_text "$xml" /REPORT/BASIC/JIGYOUNENDOFROM 20250401
expect_xml_text "$xml" /REPORT/BASIC/JIGYOUNENDOTO 20260331
expect_xml_node "$xml" /REPORT/DATA
echo "PASS: export"
