#!/usr/bin/env bash
# A broken book gets exactly one message that names the file and the problem; the run
# ends without output and without a crash.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../lib.sh"

deep_book=$work.deep_nesting.json

# reject BOOK FRAGMENT...: the message holds the book's name and each fragment.
reject() {
    local book=$1
    shift
    install_program "$book"
    local fragments=""
    for f in "$@"; do fragments+=" \"$f\""; done
    run_driver <<EOF_SCRIPT
start "$exe"
message_holding "$caption" exclamation "TallyvaleBook.json"$fragments
expect_no_dialog "$dialog_caption"
answer OK
wait_exit 0
EOF_SCRIPT
    expect_no_xml
}

mkdir -p "$(dirname "$deep_book")"
{
    printf '{"format": 1, "companies": '
    printf '%*s' 10000 '' | tr ' ' '['
} >"$deep_book"

reject "$fixtures/syntax_error.json" "line 4"
reject "$fixtures/emoji_name.json" "companies[0].name" "Shift_JIS"
reject "$fixtures/missing_period_end.json" "companies[0]" "periodEnd"
reject "$deep_book" "nesting"
echo "PASS: bad book"
