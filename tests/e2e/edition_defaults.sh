#!/usr/bin/env bash
# An edition installed without SUPPORT.INF names itself in the header with its own
# product literal and the fallback version.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"

declare -A product_literal=(
    [stmtlink_hearth.exe]="Tallyvale２２ Hearthside"
    [stmtlink_summit.exe]="Tallyvale２２ Summit"
    [stmtlink_clinic.exe]="Clinivale"
    [stmtlink_basic.exe]="Tallyvale２２"
)
expected=${product_literal[$exe_name]:?"no product literal for $exe_name"}

install_program "$fixtures/standard_company.json"
rm "$install/SUPPORT.INF"
xml=$work/report.xml
run_driver <<EOF_SCRIPT
start "$exe"
dialog "$dialog_caption"
set_text 1015 "$(script_path "$xml")"
click 1002
timeout 600000
message "$caption" information "$done_text"
answer OK
wait_exit 0
EOF_SCRIPT

expect_xml "$xml"
expect_xml_text "$xml" /REPORT/SYSTEM/PROGRAMNAME "$expected"
expect_xml_text "$xml" /REPORT/SYSTEM/PROGRAMVER 22.52.0X
expect_xml_text "$xml" /REPORT/SYSTEM/CONNECTEDPROGRAMVER 22.52.01
echo "PASS: edition defaults of $exe_name"
