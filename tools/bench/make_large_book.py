#!/usr/bin/env python3
"""Writes a large company book for the collection benchmark.

The company's chart repeats a block of balance-sheet, income-statement and
cost-of-manufacturing accounts (with group accounts, sub-accounts of kind 1 and
derived items of kind 3) until it holds at least N accounts; every account has
sums in every column, and a few accounts carry general-ledger lines. The sums are
random but deterministic; the book is not meant to balance.

Usage: tools/bench/make_large_book.py [N] [output]   (default: 5000, large-book.json)
"""

import json
import random
import sys

COLUMNS = 15  # 0 opening, 1-12 months, 13 year-end closing, 14 interim closing
DEBIT, CREDIT = 1, 0

# One block of the chart: (classification code, kind, nature).
BLOCK = [
    (0x80880000, 2, DEBIT),   # current assets (group)
    (0x80888800, 0, DEBIT),
    (0x80888400, 0, DEBIT),
    (0x80888400, 1, DEBIT),   # its sub-account
    (0x80848800, 0, DEBIT),
    (0x80488800, 0, CREDIT),
    (0x80448000, 0, CREDIT),
    (0x80288000, 0, CREDIT),
    (0x80202010, 0, CREDIT),  # profit brought forward
    (0x40888800, 0, CREDIT),
    (0x40884200, 3, DEBIT),
    (0x40882400, 0, DEBIT),
    (0x40848800, 0, CREDIT),
    (0x40844800, 0, DEBIT),
    (0x40200020, 2, CREDIT),  # bottom line
    (0x20808000, 0, DEBIT),
    (0x20408000, 0, DEBIT),
    (0x20208000, 0, DEBIT),
    (0x08000000, 0, DEBIT),   # outside the aggregation
    (0x10000000, 0, DEBIT),
]
LEDGER_ACCOUNTS = 20  # accounts with ledger lines
LEDGER_LINES = 12     # lines per such account, one per month


def columns(rng):
    return [rng.randrange(0, 5_000_000) for _ in range(COLUMNS)]


def ledger(rng, key, counter_key):
    lines = []
    for month in range(1, LEDGER_LINES + 1):
        year, calendar_month = (2024, month + 3) if month <= 9 else (2025, month - 9)
        amount = rng.randrange(1, 100_000)
        lines.append({"voucherId": key // 10000 * 100 + month, "voucherNo": month,
                      "date": year * 10000 + calendar_month * 100 + 15,
                      "debitKey": key, "debitAmount": amount,
                      "creditKey": counter_key, "creditAmount": amount,
                      "summary": f"月次計上 {month}", "side": 2})
    return lines


def accounts(count):
    rng = random.Random(20240401)
    records = []
    while len(records) < count:
        block = len(records) // len(BLOCK)
        for slot, (code, kind, nature) in enumerate(BLOCK):
            main = 1000 + block * len(BLOCK) + slot
            key = main * 10000 + (1 if kind == 1 else 0)
            record = {"key": key, "name": f"科目{main:06d}", "kind": kind, "nature": nature,
                      "class": f"0x{code:08X}",
                      "set0": {"debit": columns(rng), "credit": columns(rng)},
                      "set1": {"debit": columns(rng), "credit": columns(rng)}}
            if kind == 2:
                record["secondName"] = f"合計{block:06d}"
            if len(records) < LEDGER_ACCOUNTS * len(BLOCK) and slot == 1:
                record["ledger"] = ledger(rng, key, 9_999_0000)
            records.append(record)
    return records


def main():
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 5000
    output = sys.argv[2] if len(sys.argv) > 2 else "large-book.json"
    book = {
        "format": 1,
        "unit": "yen",
        "user": {"selectedDataNo": 1},
        "companies": [{
            "id": "LARGE", "number": 1, "name": "大規模テスト株式会社",
            "periodStart": 20240401, "periodEnd": 20250331, "interimClosing": 1,
            "accounts": accounts(count),
        }],
    }
    with open(output, "w", encoding="utf-8") as out:
        json.dump(book, out, ensure_ascii=False, separators=(",", ":"))
    print(f"{output}: {len(book['companies'][0]['accounts'])} accounts")


if __name__ == "__main__":
    main()
