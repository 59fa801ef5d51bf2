#!/usr/bin/env bash
# A calling application that names the output file fixes it: the path field and the
# browse button are disabled, an existing file is overwritten without a question, the
# function number (70000, cut to its low 16 bits: 4464) goes into the file and back to
# the caller, and the remembered conditions keep no path of the caller's. A command
# line longer than 259 characters is read whole.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../lib.sh"

readonly notify=1025
xml=$work/out/report.xml

# export_fixed FUNCTION: an export to the caller's path, where a file already exists.
export_fixed() {
    install_program "$fixtures/standard_company.json"
    with_settings_folder
    mkdir -p "$(dirname "$xml")"
    echo "an older report" >"$xml"
    run_driver <<EOF_SCRIPT
start_handshake "$exe" $notify "$1" "$(script_path "$xml")"
dialog "$dialog_caption"
expect_caller_enabled 0
expect_text 1015 "$(script_path "$xml")"
expect_enabled 1015 0
expect_enabled 1001 0
expect_text 1014 "出力先"
click 1002
timeout 600000
message "$caption" information "$done_text"
answer OK
wait_exit 0
expect_post $notify 4464 0
expect_no_post
expect_caller_enabled 1
EOF_SCRIPT
    expect_xml "$xml"
    expect_xml_text "$xml" /REPORT/SYSTEM/FUNCTIONID 4464
    local settings=$settings_folder/stmtlink_basic.env
    [ -f "$settings" ] || fail "no settings file $settings"
    [ "$(wc -l <"$settings")" = 1 ] || fail "$settings should hold one record"
    grep -q '^KEIRI01/[^:]*:4/3/1/1/$' "$settings" ||
        fail "the record should keep no path: $(cat "$settings")"
}

export_fixed 70000
# Blanks before the number make the line longer than 259 characters.
export_fixed "$(printf '%*s' 260 '')70000"

# A path longer than the file system takes is handed over whole, not cut to another
# name: the write fails, and the caller hears it.
long_xml=$work/$(printf '%*s' 150 '' | tr ' ' 'd')/$(printf '%*s' 120 '' | tr ' ' 'r').xml
install_program "$fixtures/standard_company.json"
with_settings_folder
mkdir -p "$(dirname "$long_xml")"
run_driver <<EOF_SCRIPT
start_handshake "$exe" $notify 7 "$(script_path "$long_xml")"
dialog "$dialog_caption"
expect_text 1015 "$(script_path "$long_xml")"
click 1002
timeout 600000
message "$caption" exclamation "$write_failed_text"
answer OK
wait_exit 0
expect_post $notify 7 2
expect_caller_enabled 1
EOF_SCRIPT
expect_no_xml
[ ! -e "$settings_folder" ] || fail "a failed write left settings in $settings_folder"
echo "PASS: handshake fixed path"
