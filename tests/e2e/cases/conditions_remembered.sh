#!/usr/bin/env bash
# A missing output folder is offered for creation (No keeps the dialog, Yes creates it
# and the export goes on); an existing file is overwritten only when the user agrees;
# F12 executes; the next run proposes the conditions of the last successful export.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../lib.sh"

create_folder="指定されたフォルダは存在しません。\n\n作成してもよろしいですか？"
overwrite="同名のファイルが存在します。\n\n上書きしてもよろしいですか？"

install_program "$fixtures/standard_company.json"
with_settings_folder
xml=$work/out/new/report.xml

# First export: the folder question answered No, then Yes; the settings folder is made.
run_driver <<EOF_SCRIPT
start "$exe"
dialog "$dialog_caption"
set_text 1015 "$(script_path "$xml")"
click 1002
message "$caption" question "$create_folder"
answer NO
expect_focus 1015
expect_selected 1015
click 1002
message "$caption" question "$create_folder"
answer YES
timeout 600000
message "$caption" information "$done_text"
answer OK
wait_exit 0
EOF_SCRIPT
expect_xml "$xml"
settings_file=$settings_folder/stmtlink_basic.env
[ "$(wc -l <"$settings_file")" = 1 ] || fail "the settings file holds more than one line"
grep -q ":4/3/1/1/$(win_path "$xml" | sed 's/\\/\\\\/g')\$" "$settings_file" ||
    fail "the settings record is $(cat "$settings_file")"

# Second export: other months, members' equity, no ledger; the overwrite question
# answered No, then F12 and Yes.
run_driver <<EOF_SCRIPT
start "$exe"
dialog "$dialog_caption"
expect_text 1015 "$(script_path "$xml")"
set_text 1016 "5"
set_text 1000 "9"
click 1020
click 1021
click 1002
message "$caption" question "$overwrite"
answer NO
expect_focus 1015
expect_selected 1015
key F12
message "$caption" question "$overwrite"
answer YES
timeout 600000
message "$caption" information "$done_text"
answer OK
wait_exit 0
EOF_SCRIPT
expect_xml "$xml"
[ "$(wc -l <"$settings_file")" = 1 ] || fail "the settings file holds more than one line"
grep -q ":5/9/2/0/" "$settings_file" || fail "the settings record is $(cat "$settings_file")"

# Third run: the second export's conditions are proposed.
run_driver <<EOF_SCRIPT
start "$exe"
dialog "$dialog_caption"
expect_text 1016 "5"
expect_text 1000 "9"
expect_checked 1019 0
expect_checked 1020 1
expect_checked 1021 0
expect_text 1015 "$(script_path "$xml")"
key ESC
message "$caption" information "$cancel_text"
answer OK
wait_exit 0
EOF_SCRIPT
echo "PASS: conditions remembered"
