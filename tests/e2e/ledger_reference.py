#!/usr/bin/env python3
"""Checks the general-ledger blocks (HJ00780S) of an export against the book it came from.

The expected blocks are worked out here from the book's records alone: the months of the
range, each account's opening and closing balance, which ledger lines are kept, their
counter accounts, signed amounts, running balances and era dates. The export is then read
(Shift_JIS) and compared block by block; the first differences are printed and the exit
status is 1 when there is any.

Usage: ledger_reference.py BOOK XML [START END]
  START, END  calendar months of the range, as typed into the conditions dialog
              (default: the company's whole period). The sum-set flag comes from the book.
"""

import calendar
import datetime
import json
import re
import sys
import xml.etree.ElementTree as ET

SEVERAL = "諸口"
TAX_CLASSES = (0x80880810, 0x80484010)
OUTSIDE_AGGREGATION = (0x08000000, 0x08000080)
LINE_LIMIT = 32768
DEFAULT_ERAS = [("明治", 18680125), ("大正", 19120730), ("昭和", 19261225),
                ("平成", 19890108), ("令和", 20190501)]
CLEAN_STRINGS = [s.encode("cp932") for s in (
    " ", "　", "【", "】", "《", "》", "（", "）", "［", "］",
    "(製)", "[製]", "(完)", "[完]", "(未)", "[未]")]
STATEMENT_LABELS = [
    (0x80880000, "流動資産"), (0x80840000, "固定資産"), (0x80820000, "繰延資産"),
    (0x80800008, "流動資産"), (0x80800000, "資産の部"), (0x80480000, "流動負債"),
    (0x80440000, "固定負債"), (0x80400000, "負債の部"), (0x80280000, "株主資本"),
    (0x80240000, "評価･換算差額等"), (0x80220000, "新株予約権"), (0x80200000, "純資産の部"),
    (0x80100000, "負債・純資産合計"), (0x80000000, "貸借対照表"), (0x40888000, "売上高"),
    (0x40884000, "売上原価"), (0x40882000, "販管費"), (0x40880000, "営業損益"),
    (0x40848000, "営業外収益"), (0x40844000, "営業外費用"), (0x40840000, "営業外損益"),
    (0x40480000, "特別利益"), (0x40440000, "特別損失"), (0x40800000, "経常損益"),
    (0x40400000, "特別損益"), (0x40200000, "差引損益"), (0x40000000, "損益計算書"),
    (0x20800000, "材料費"), (0x20400000, "労務費"), (0x20200000, "製造経費"),
    (0x20100000, "仕掛品"), (0x20080000, "製造原価"), (0x20000000, "製造原価報告書"),
    (0x10000000, "特別勘定"), (0x08000080, "集計対象外"), (0x08000000, "集計対象外"),
]
HEADER_TAGS = ["HJ00780S0010", "HJ00780S0020", "HJ00780S0030", "HJ00780S0040"]
LINE_TAGS = ["HJ00780S0050", "HJ00780S0060", "HJ00780S0070", "HJ00780S0080",
             "HJ00780S0090", "HJ00780S0100", "HJ00780S0110", "HJ00780S0120"]


# ------------------------------------------------------------------ texts and amounts
def code(value):
    return int(value, 16) if isinstance(value, str) else value


def copy_text(text, limit):
    """A fixed-width field copy: at most `limit` bytes, never half a character."""
    return text.encode("cp932")[:limit].decode("cp932", "ignore")


def clean_name(text):
    """Removes the brackets, blanks and marks, walking the Shift_JIS bytes."""
    raw, out, i = text.encode("cp932"), bytearray(), 0
    while i < len(raw):
        hit = next((s for s in CLEAN_STRINGS if raw.startswith(s, i)), None)
        if hit:
            i += len(hit)
        else:
            out.append(raw[i])
            i += 1
    return out.decode("cp932")


def format_amount(raw):
    whole = abs(raw) // 10000
    return str(-whole if raw < 0 else whole)


def statement_label(class_code):
    return next((label for mask, label in STATEMENT_LABELS if class_code & mask == mask), "")


def era_text(date, eras):
    if date > 99991231 or not eras or date < eras[0][1]:
        return ""
    name, start = [era for era in eras if era[1] <= date][-1]
    return f"{name}{date // 10000 - start // 10000 + 1}年{date % 10000 // 100}月{date % 100}日"


# ------------------------------------------------------------------ months of the range
def to_date(yyyymmdd):
    return datetime.date(yyyymmdd // 10000, yyyymmdd % 10000 // 100, yyyymmdd % 100)


def to_int(day):
    return day.year * 10000 + day.month * 100 + day.day


def last_day(day):
    return calendar.monthrange(day.year, day.month)[1]


class Period:
    def __init__(self, company):
        self.start, self.end = to_date(company["periodStart"]), to_date(company["periodEnd"])
        self.closing = 0 if self.end.day == last_day(self.end) else self.end.day
        start_month = self.start.month
        if self.closing and self.start.day > self.closing:
            start_month = start_month % 12 + 1
        self.first = start_month
        self.last = self.end.month + (100 if self.end.month < start_month else 0)
        self.months = []  # (first day, last day) of accounting months 1, 2, ...
        day = self.start
        while day <= self.end:
            close = day
            while close.day != (min(self.closing, last_day(close)) if self.closing
                                else last_day(close)):
                close += datetime.timedelta(days=1)
            close = min(close, self.end)
            self.months.append((day, close))
            day = close + datetime.timedelta(days=1)

    def position(self, month, is_end):
        a, b, crossing = self.first, self.last % 100, self.last >= 100
        if not is_end:
            return 1 if month == a else month - a + (1 if month > a else 13)
        if month <= b:
            return month - a + (13 if crossing else 1)
        return month - a + 1


class Range:
    """The month kinds of a range and the columns and dates they cover."""

    def __init__(self, company, start_month, end_month):
        period = Period(company)
        self.s, self.e = period.position(start_month, False), period.position(end_month, True)
        interim = company.get("interimClosing", 0) == 1 and self.e == 6
        ends_year = end_month == period.last % 100
        self.columns = list(range(self.s, self.e + 1))
        if interim:
            self.columns.append(14)  # the interim closing joins; it holds the third condition
        elif ends_year:
            self.columns.append(13)  # year-end closing
        use = company.get("startOfUseMonth", 1)
        self.from_data_start = self.s <= use if use != 0 else self.s == 1
        self.first_day = to_int(period.months[self.s - 1][0])
        self.last_day = to_int(period.months[self.e - 1][1])


# ------------------------------------------------------------------ the expected blocks
AMOUNTS = ("debitAmount", "debitTax", "creditAmount", "creditTax")


def scaled(line, scale):
    """A line's four amounts in raw units (absent ones are 0)."""
    return {k: line.get(k, 0) * scale for k in AMOUNTS}


class Book:
    def __init__(self, path):
        with open(path, encoding="utf-8-sig") as f:
            book = json.load(f)
        scale = 10000 if book.get("unit", "raw") == "yen" else 1
        selected = book.get("user", {}).get("selectedDataNo", 1)
        self.company = next(c for c in book["companies"] if c["number"] == selected)
        self.eras = [(e["name"], e["start"]) for e in book["eras"]] if "eras" in book \
            else DEFAULT_ERAS
        self.sum_set = 1 if self.company.get("taxSettings", {}).get("sumSet", 0) else 0
        self.accounts = [self._account(a, scale) for a in self.company.get("accounts", [])]
        master = self.company.get("master") or self.company.get("accounts", [])
        self.master = {m["key"]: (m.get("name", ""), code(m["class"])) for m in master}
        self.journal = {v["id"]: [dict(scaled(line, scale), lineNo=line.get("lineNo", 1))
                                  for line in v.get("lines", [])]
                        for v in self.company.get("vouchers", [])}

    def _account(self, a, scale):
        cols = a.get(f"set{self.sum_set}", {})

        def column(side):
            values = [x * scale for x in cols.get(side, [])]
            return values + [0] * (15 - len(values))

        ledger = [dict(e, **scaled(e, scale), compound=code(e.get("compound", 0)))
                  for e in a.get("ledger", [])]
        return {"key": a["key"], "name": a.get("name", ""), "class": code(a["class"]),
                "kind": a.get("kind", 0), "debit_nature": a.get("nature", 1) == 1,
                "excluded": a.get("excl126", 0) == 1 or a.get("excl127", 0) == 1,
                "debit": column("debit"), "credit": column("credit"),
                "ledger": ledger}

    def find(self, key):
        """Account master lookup: a key of 9999 or less is a main code."""
        return self.master.get(key * 10000 if key <= 9999 else key, ("", 0))


def balances(account, rng):
    def own(d, c):
        return d - c if account["debit_nature"] else c - d
    debit, credit = account["debit"], account["credit"]
    if account["class"] & 0x80000000:
        opening = own(sum(debit[:rng.s]), sum(credit[:rng.s]))
    else:
        opening = own(debit[0], credit[0]) if rng.from_data_start else 0
    change = own(sum(debit[i] for i in rng.columns), sum(credit[i] for i in rng.columns))
    return opening, opening + change


def earlier_lines_balance(book, line):
    debit = credit = 0
    for j in book.journal.get(line["voucherId"], [])[:LINE_LIMIT]:
        if j["lineNo"] == line.get("lineNo", 1):
            break
        debit += j["debitAmount"] + j["debitTax"]
        credit += j["creditAmount"] + j["creditTax"]
    return debit == credit


def ledger_rows(book, account, rng, balance):
    main = account["key"] // 10000
    is_tax = account["class"] in TAX_CLASSES
    rows = []
    lines = [e for e in account["ledger"] if rng.first_day <= e["date"] <= rng.last_day]
    for e in lines[:LINE_LIMIT]:
        dk, ck, side, marker = e.get("debitKey", 0), e.get("creditKey", 0), e.get("side", 3), \
            e["compound"]
        on_a_side = main in (dk // 10000, ck // 10000)
        if book.sum_set:
            x, y = e["debitAmount"] + e["debitTax"], e["creditAmount"] + e["creditTax"]
        elif is_tax and not on_a_side:
            x, y = e["debitTax"], e["creditTax"]
        else:
            x, y = e["debitAmount"], e["creditAmount"]
        amount = {1: -y, 2: x}.get(side, x - y)
        if not account["debit_nature"]:
            amount = -amount
        p, q = e["debitAmount"] + e["debitTax"], e["creditAmount"] + e["creditTax"]
        counter, own = (dk, ck) if side == 1 else (ck, dk)
        several = (side == 1 and marker == 0x21) or (side != 1 and marker == 0x12) or (
            marker == 0x22 and (p != q or (e.get("lineNo", 1) != 1 and
                                           not earlier_lines_balance(book, e))))
        if several:
            counter_name, counter_class, counter_sub = SEVERAL, 0, ""
        else:
            counter_name, counter_class = book.find(counter // 10000)
            counter_sub = book.find(counter)[0] if counter % 10000 else ""
        own_sub = book.find(own)[0] if own % 10000 else ""
        if (amount == 0 or counter_class in OUTSIDE_AGGREGATION or
                (book.sum_set and is_tax and not on_a_side)):
            continue
        balance += amount
        rows.append([str(e.get("voucherNo", 0)), era_text(e["date"], book.eras),
                     clean_name(copy_text(own_sub, 30)), clean_name(copy_text(counter_name, 30)),
                     clean_name(copy_text(counter_sub, 30)), copy_text(e.get("summary", ""), 60),
                     format_amount(amount), format_amount(balance)])
    return rows


def expected_blocks(book, rng):
    blocks, carried = [], 0
    items = []
    for account in book.accounts:
        opening, closing = balances(account, rng)
        if account["class"] == 0x80202010:
            carried = opening
        walked = not (account["kind"] != 0 or account["excluded"] or
                      account["class"] in OUTSIDE_AGGREGATION)
        rows = ledger_rows(book, account, rng, opening) if walked else []
        if account["kind"] != 1:
            items.append([account, opening, closing, rows])
    adjusted = [i for i in items if i[0]["class"] == 0x40200020]
    if adjusted and not rng.from_data_start:
        adjusted[-1][2] += carried
    for account, opening, closing, rows in items:
        if rows:
            header = [clean_name(copy_text(account["name"], 30)), statement_label(account["class"]),
                      format_amount(opening), format_amount(closing)]
            blocks.append((account, list(zip(HEADER_TAGS, header)),
                           [list(zip(LINE_TAGS, r)) for r in rows]))
    return blocks


# ------------------------------------------------------------------ the export
def exported_blocks(path):
    text = open(path, "rb").read().decode("cp932")
    root = ET.fromstring(re.sub(r"^<\?xml[^>]*\?>", "", text))
    data = root.find("DATA")
    found = root.findall(".//HJ00780S")
    if not found:
        return None, []
    problems = []
    if len(found) > 1 or data is None or data[-1] is not found[0]:
        problems.append("HJ00780S is not one element that ends DATA")
    blocks = []
    for block in found[0]:
        if block.tag != "HJ00780S01":
            problems.append(f"unexpected element {block.tag} in HJ00780S")
            continue
        header = [(c.tag, c.text or "") for c in block if c.tag != "HJ00780S02"]
        lines = [[(c.tag, c.text or "") for c in line] for line in block if line.tag == "HJ00780S02"]
        if [c.tag for c in block][:len(header)] != [t for t, _ in header]:
            problems.append(f"block {header[:1]}: HJ00780S02 before the account's elements")
        blocks.append((header, lines))
    return problems, blocks


def compare(expected, got):
    diffs = []
    if len(expected) != len(got):
        diffs.append(f"{len(expected)} account blocks expected, {len(got)} exported")
    for n, ((account, header, lines), (got_header, got_lines)) in enumerate(zip(expected, got), 1):
        where = f"block {n} (account {account['key']} {account['name']})"
        if header[:1] != got_header[:1]:
            diffs.append(f"{where}: exported for {got_header[:1]}; later blocks not compared")
            break
        if header != got_header:
            diffs.append(f"{where}: expected {header}\n    got {got_header}")
        if len(lines) != len(got_lines):
            diffs.append(f"{where}: {len(lines)} lines expected, {len(got_lines)} exported")
        for i, (line, got_line) in enumerate(zip(lines, got_lines), 1):
            if line != got_line:
                wrong = [f"{t} expected \"{v}\" got \"{dict(got_line).get(t, '(missing)')}\""
                         for t, v in line if dict(got_line).get(t) != v]
                extra = [t for t, _ in got_line if t not in LINE_TAGS] or ""
                diffs.append(f"{where} line {i} (voucher {line[0][1]}, {line[1][1]}): "
                             + "; ".join(wrong) + (f"; unexpected {extra}" if extra else "")
                             + ("" if wrong or extra else "; elements out of order"))
    return diffs


def main(argv):
    if len(argv) not in (3, 5):
        sys.exit(__doc__)
    book = Book(argv[1])
    period = Period(book.company)
    start, end = (int(argv[3]), int(argv[4])) if len(argv) == 5 else (period.first,
                                                                         period.last % 100)
    expected = expected_blocks(book, Range(book.company, start, end))
    problems, got = exported_blocks(argv[2])
    if problems is None:
        problems = ["the export has no HJ00780S element"] if expected else []
    diffs = problems + compare(expected, got)
    if diffs:
        print(f"ledger_reference: {len(diffs)} differences in {argv[2]}; the first ones:")
        for d in diffs[:20]:
            print("  " + d)
        return 1
    lines = sum(len(b[2]) for b in expected)
    print(f"ledger_reference: {len(expected)} account blocks, {lines} ledger lines as expected "
          f"(months {start} to {end}, sum set {book.sum_set})")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
