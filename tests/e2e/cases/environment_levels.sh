#!/usr/bin/env bash
# The program refuses to run beside a tax-filing application of another interface
# level, or without its definition file: the message says which side to update, the
# run ends before the dialog and writes nothing.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../lib.sh"

invalid="動作環境が不正です。\nES_APRPACKAGENAMEが正しくインストールされているか確認してください。"
not_usable="ご利用の連動コンポーネントは、インストールされているES_APRPACKAGENAMEでは使用できません。\n"
update_host="${not_usable}ES_APRPACKAGENAMEの最新版を入手してインストールしてからご利用ください。"
update_component="${not_usable}連動コンポーネントの最新版を入手してインストールしてからご利用ください。"

# refuse_level LEVEL TEXT: LEVEL is the QK41 value, "-" for no QK41 line, "none" for no
# definition file.
refuse_level() {
    install_program "$fixtures/standard_company.json"
    if [ "$1" = none ]; then rm "$install/QuillmarkDef.ini"; else set_program_level "$1"; fi
    run_driver <<EOF_SCRIPT
start "$exe"
message "$caption" exclamation "$2"
expect_no_dialog "$dialog_caption"
answer OK
wait_exit 0
EOF_SCRIPT
    expect_no_xml
}

refuse_level 3 "$update_host"
refuse_level - "$update_host"
refuse_level abc "$update_host"
refuse_level 5 "$update_component"
refuse_level "" "$invalid"
refuse_level none "$invalid"
echo "PASS: environment levels"
