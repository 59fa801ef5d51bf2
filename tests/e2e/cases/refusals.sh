#!/usr/bin/env bash
# Company data that cannot be exported is refused before the dialog shows; the run
# ends without output.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../lib.sh"

past_results="過去実績データは、連携の対象として使用できません。\n\nアプリケーションを終了します。"
company_law="選択された会計データは会社法(H18.5施行)に対応していないため、\n連携の対象として使用できません。\n(Tallyvaleを起動し、[事業所・消費税情報設定]にて会社法対応データへ   \n変換することで、連携ができます。)\n\nアプリケーションを終了します。"

# refuse BOOK TEXT
refuse() {
    install_program "$fixtures/$1"
    run_driver <<EOF_SCRIPT
start "$exe"
message "$caption" exclamation "$2"
expect_no_dialog "$dialog_caption"
answer OK
wait_exit 0
EOF_SCRIPT
    expect_no_xml
}

refuse past_results.json "$past_results"
refuse company_law_off.json "$company_law"
echo "PASS: refusals"
