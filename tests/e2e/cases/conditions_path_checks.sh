#!/usr/bin/env bash
# Every refusal of the output path, with its message and the focus back on the path;
# Enter moves through the fields; an empty path opens the save-file dialog; a folder
# that cannot be made is reported; Enter on the check box does nothing and on the cancel
# button cancels. Nothing is written.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../lib.sh"

no_path="データ出力先が指定されていません。\n\n出力先を指定してください。"
invalid="データの出力先に不正な文字が含まれています。\n\n出力先を再入力してください。"
bad_drive="ドライブ名が有効でありません。\n\n有効なドライブを指定してください。"
no_file_name="ファイル名が指定されていません。"
create_folder="指定されたフォルダは存在しません。\n\n作成してもよろしいですか？"
create_failed="フォルダの作成に失敗しました。\n\n出力先を再入力してください。"

install_program "$fixtures/standard_company.json"
# A file where a folder level of the output path would have to be.
touch "$work/blocker"
{
    echo "start \"$exe\""
    echo "dialog \"$dialog_caption\""
    cat <<'EOF_KEYS'
expect_focus 1016
key ENTER
expect_focus 1000
expect_selected 1000
key ENTER
expect_focus 1015
key ENTER
expect_focus 1001
EOF_KEYS
    # path, message
    while IFS='|' read -r path text; do
        cat <<EOF_STEP
set_text 1015 "$path"
click 1002
message "$caption" exclamation "$text"
answer OK
expect_focus 1015
expect_selected 1015
EOF_STEP
    done <<EOF_TABLE
Z:\\\\tmp\\\\\\\\a.xml|$invalid
Z:\\\\a?b.xml|$invalid
Z:?x.xml|$invalid
1:\\\\a.xml|$bad_drive
\\\\\\\\server|$bad_drive
Z:\\\\tmp\\\\|$no_file_name
$(script_path "$work")|$no_file_name
EOF_TABLE
    cat <<EOF_REST
set_text 1015 "$(script_path "$work/blocker/sub/a.xml")"
click 1002
message "$caption" question "$create_folder"
answer YES
message "$caption" exclamation "$create_failed"
answer OK
expect_focus 1015
expect_selected 1015
set_text 1015 ""
click 1002
message "$caption" exclamation "$no_path"
answer OK
dialog "保存ファイルを指定"
close
dialog "$dialog_caption"
expect_focus 1002
# Enter on the check box does nothing; on the cancel button it cancels.
key TAB
expect_focus 1003
key TAB
expect_focus 1021
key ENTER
expect_no_message
expect_focus 1021
input SHIFT+TAB
expect_focus 1003
key ENTER
message "$caption" information "$cancel_text"
answer OK
wait_exit 0
EOF_REST
} | run_driver
expect_no_xml
[ ! -e "$work/blocker/sub" ] || fail "a folder was left behind"
echo "PASS: conditions path checks"
