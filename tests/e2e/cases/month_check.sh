#!/usr/bin/env bash
# Months outside the April-to-March period are refused; the dialog stays open with the
# field to correct focused and selected, until the user cancels.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../lib.sh"

months_wrong="集計期間に誤りがあります。\n\n集計期間を設定しなおしてください。"

install_program "$fixtures/standard_company.json"
{
    echo 'start "'"$exe"'"'
    echo "dialog \"$dialog_caption\""
    # start, end, the field that gets the focus
    while read -r start end focus; do
        cat <<EOF_STEP
set_text 1016 "$start"
set_text 1000 "$end"
click 1002
message "$caption" exclamation "$months_wrong"
answer OK
expect_focus $focus
expect_selected $focus
EOF_STEP
    done <<'EOF_TABLE'
13 3 1016
0 3 1016
4 13 1000
10 6 1000
1 12 1000
EOF_TABLE
    echo 'click 1003'
    echo "message \"$caption\" information \"$cancel_text\""
    echo 'answer OK'
    echo 'wait_exit 0'
} | run_driver
expect_no_xml
echo "PASS: month check"
