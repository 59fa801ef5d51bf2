#!/usr/bin/env python3
"""Writes a large company book for the collection and ledger benchmarks.

The company's chart repeats a block of balance-sheet, income-statement and
cost-of-manufacturing accounts (with group accounts, sub-accounts of kind 1 and
derived items of kind 3) until it holds at least N accounts; every account has
sums in every column. The sums are random but deterministic; the book is not meant
to balance.

By default a few accounts carry twelve general-ledger lines each. With
--ledger-lines the book instead carries a journal of that many ledger lines in
total, spread over every account the ledger walk reads (a few accounts much busier
than the rest): each journal line appears in the ledger of its debit account and of
its credit account, dated across the fiscal year, sorted as the ledger rule returns
them. A share of the lines (--compound-share) sits in compound vouchers (markers
0x21, 0x12 and 0x22, with their journal in `vouchers`), a few of them hundreds of
lines long; some accounts have sub-accounts in the master, and lines name them.

Usage: tools/bench/make_large_book.py [N] [output] [--ledger-lines L]
       [--compound-share S] [--long-vouchers V]
       (defaults: 5000 accounts, large-book.json, no journal)
"""

import argparse
import datetime
import itertools
import json
import random

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
OUTSIDE_AGGREGATION = {0x08000000, 0x08000080}
LEDGER_ACCOUNTS = 20  # accounts with ledger lines in the default book
LEDGER_LINES = 12     # lines per such account, one per month

# The journal of --ledger-lines.
SUB_ACCOUNT_SLOTS = {1, 5, 9}  # block slots whose accounts have sub-accounts
SUB_ACCOUNTS = 4               # sub-numbers 1..4
SUB_ACCOUNT_SHARE = 0.5        # of the lines on such an account
BUSY_ACCOUNTS = 10             # the first ledger accounts carry more lines
BUSY_WEIGHT, BUSIEST_WEIGHT = 6, 30
SHORT_VOUCHER_LINES = (2, 8)
LONG_VOUCHER_LINES = (200, 400)
UNBALANCED_SHARE = 0.3         # lines of a 0x22 voucher whose own sides differ
COMPOUND_MARKERS = (0x21, 0x12, 0x22)
BOTH_SIDES_SEVERAL = 0x22
FISCAL_START = datetime.date(2024, 4, 1)
FISCAL_DAYS = 365
SUMMARIES = ["売上計上", "仕入計上", "経費精算", "給与支払", "振替", "入金", "出金", "前払"]
PARTNERS = ["東京商事", "大阪物産", "名古屋工業", "福岡販売", "札幌運輸", "仙台建設"]


def columns(rng):
    return [rng.randrange(0, 5_000_000) for _ in range(COLUMNS)]


def monthly_ledger(rng, key, counter_key):
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


def accounts(count, monthly_ledgers):
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
            if monthly_ledgers and len(records) < LEDGER_ACCOUNTS * len(BLOCK) and slot == 1:
                record["ledger"] = monthly_ledger(rng, key, 9_999_0000)
            records.append(record)
    return records


def is_walked(record):
    """True for accounts whose general ledger the walk reads."""
    return record["kind"] == 0 and int(record["class"], 16) not in OUTSIDE_AGGREGATION


def has_sub_accounts(record):
    return (record["key"] // 10000 - 1000) % len(BLOCK) in SUB_ACCOUNT_SLOTS


class Journal:
    """Vouchers of one company; every line goes to the ledgers of both its sides."""

    def __init__(self, rng, ledger_accounts):
        self.rng = rng
        self.accounts = ledger_accounts
        self.cumulative_weights = list(itertools.accumulate(
            BUSIEST_WEIGHT if i == 0 else BUSY_WEIGHT if i < BUSY_ACCOUNTS else 1
            for i in range(len(ledger_accounts))))
        self.next_voucher = 1
        self.ledger_lines = 0
        self.vouchers = []

    def pick_account(self, other=None):
        """An account, never `other`: a line books two different accounts."""
        while True:
            record = self.rng.choices(self.accounts, cum_weights=self.cumulative_weights)[0]
            if record is not other:
                return record

    def side_key(self, record):
        """The account's key, or one of its sub-accounts' keys."""
        if has_sub_accounts(record) and self.rng.random() < SUB_ACCOUNT_SHARE:
            return record["key"] + self.rng.randint(1, SUB_ACCOUNTS)
        return record["key"]

    def amount(self):
        return self.rng.randrange(1, 2_000_000)

    def summary(self, voucher_no):
        return (f"{self.rng.choice(SUMMARIES)} {self.rng.choice(PARTNERS)}"
                f" 第{voucher_no}号")

    def add_line(self, voucher, line_no, debit, credit, debit_amount, credit_amount, compound):
        """Books one line of `voucher` in the ledgers of its debit and credit accounts."""
        line = {"voucherId": voucher["id"], "voucherNo": voucher["no"], "lineNo": line_no,
                "date": voucher["date"], "debitKey": self.side_key(debit),
                "debitAmount": debit_amount, "creditKey": self.side_key(credit),
                "creditAmount": credit_amount, "summary": voucher["summary"]}
        if compound:
            line["compound"] = compound
        debit.setdefault("ledger", []).append(dict(line, side=2))
        credit.setdefault("ledger", []).append(dict(line, side=1))
        self.ledger_lines += 2
        return {"lineNo": line_no, "debitAmount": debit_amount, "creditAmount": credit_amount}

    def new_voucher(self):
        voucher_no = self.next_voucher
        self.next_voucher += 1
        day = FISCAL_START + datetime.timedelta(days=self.rng.randrange(FISCAL_DAYS))
        return {"id": 500_000 + voucher_no, "no": voucher_no,
                "date": int(day.strftime("%Y%m%d")), "summary": self.summary(voucher_no)}

    def add_simple(self):
        voucher = self.new_voucher()
        amount = self.amount()
        debit = self.pick_account()
        self.add_line(voucher, 1, debit, self.pick_account(debit), amount, amount, 0)

    def add_compound(self, lines, marker):
        """A compound voucher of `lines` lines; its journal balances as a whole."""
        voucher = self.new_voucher()
        shared = self.pick_account()  # the one account of the side that has one
        journal = []
        line_no = 1
        while line_no <= lines:
            if marker == BOTH_SIDES_SEVERAL and line_no < lines and (
                    self.rng.random() < UNBALANCED_SHARE):
                # Two lines whose own sides differ, by the same amount the other way.
                amount, difference = self.amount(), self.rng.randrange(1, 10_000)
                for offset, (debit_amount, credit_amount) in enumerate(
                        ((amount + difference, amount), (amount, amount + difference))):
                    debit = self.pick_account()
                    journal.append(self.add_line(voucher, line_no + offset, debit,
                                                 self.pick_account(debit), debit_amount,
                                                 credit_amount, marker))
                line_no += 2
                continue
            debit = shared if marker == 0x12 else self.pick_account(shared)
            credit = shared if marker == 0x21 else self.pick_account(debit)
            amount = self.amount()
            journal.append(self.add_line(voucher, line_no, debit, credit, amount, amount, marker))
            line_no += 1
        self.vouchers.append({"id": voucher["id"], "lines": journal})


def sort_ledgers(records):
    for record in records:
        if "ledger" in record:
            record["ledger"].sort(key=lambda l: (l["date"], l["voucherNo"], l["lineNo"]))


def add_journal(records, ledger_lines, compound_share, long_vouchers):
    """Books about `ledger_lines` ledger lines; returns the master and the vouchers."""
    rng = random.Random(20250331)
    journal = Journal(rng, [r for r in records if is_walked(r)])
    compound_target = int(ledger_lines * compound_share)
    for _ in range(long_vouchers):
        journal.add_compound(rng.randint(*LONG_VOUCHER_LINES), BOTH_SIDES_SEVERAL)
    while journal.ledger_lines < compound_target:
        journal.add_compound(rng.randint(*SHORT_VOUCHER_LINES), rng.choice(COMPOUND_MARKERS))
    while journal.ledger_lines < ledger_lines:
        journal.add_simple()
    sort_ledgers(records)
    master = [{"key": r["key"], "name": r["name"], "class": r["class"]} for r in records]
    master += [{"key": r["key"] + sub, "name": f"補助{r['key'] // 10000:06d}-{sub}",
                "class": r["class"]}
               for r in records if is_walked(r) and has_sub_accounts(r)
               for sub in range(1, SUB_ACCOUNTS + 1)]
    return master, journal.vouchers


def arguments():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("count", nargs="?", type=int, default=5000, help="accounts at least")
    parser.add_argument("output", nargs="?", default="large-book.json")
    parser.add_argument("--ledger-lines", type=int, default=0,
                        help="ledger lines in total (0: twelve lines on a few accounts)")
    parser.add_argument("--compound-share", type=float, default=0.1,
                        help="share of the ledger lines in compound vouchers")
    parser.add_argument("--long-vouchers", type=int, default=8,
                        help="compound vouchers of 200 to 400 lines")
    return parser.parse_args()


def main():
    args = arguments()
    company = {
        "id": "LARGE", "number": 1, "name": "大規模テスト株式会社",
        "periodStart": 20240401, "periodEnd": 20250331, "interimClosing": 1,
        "accounts": accounts(args.count, monthly_ledgers=args.ledger_lines == 0),
    }
    if args.ledger_lines:
        company["master"], company["vouchers"] = add_journal(
            company["accounts"], args.ledger_lines, args.compound_share, args.long_vouchers)
    book = {"format": 1, "unit": "yen", "user": {"selectedDataNo": 1}, "companies": [company]}
    with open(args.output, "w", encoding="utf-8") as out:
        json.dump(book, out, ensure_ascii=False, separators=(",", ":"))
    lines = sum(len(r.get("ledger", [])) for r in company["accounts"])
    print(f"{args.output}: {len(company['accounts'])} accounts, {lines} ledger lines, "
          f"{len(company.get('vouchers', []))} compound vouchers")


if __name__ == "__main__":
    main()
