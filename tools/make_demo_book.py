#!/usr/bin/env python3
"""Writes the demo installation under demo/install/.

The demo company is a small manufacturer with a fiscal year from 1 April 2025 to
31 March 2026. Its year is written as vouchers; the account sums, the ledger
lines and the group and total accounts are all derived from those vouchers, and
the self-check at the end refuses to write anything that does not add up.

Outputs (deterministic, standard library only):
  TallyvaleBook.json  the company book served by the accounting-library layer
  QuillmarkDef.ini    the tax-filing application's definition file
  SUPPORT.INF         the accounting product's support file (Shift_JIS, CR LF)

Usage: tools/make_demo_book.py [output folder]   (default: demo/install)
"""

import calendar
import json
import os
import sys

# ---------------------------------------------------------------------------
# Account kinds, as the book's account-sum records carry them.
KIND_REGULAR = 0  # posted to; listed in the statements; walked for the ledger
KIND_SUB = 1  # sub-account: posted to, no account item of its own
KIND_TOTAL = 2  # group or total: derived, written as a group start or total row
KIND_DERIVED_ITEM = 3  # derived, but listed like a regular account

DEBIT, CREDIT = 1, 0  # nature byte

SIDE_CREDIT, SIDE_DEBIT = 1, 2  # where the ledger account stands on a line

MARKER_NONE = 0
MARKER_DEBIT_SEVERAL = 0x21
MARKER_CREDIT_SEVERAL = 0x12
MARKER_BOTH_SEVERAL = 0x22

COLUMNS = 15  # 0 opening, 1-12 months, 13 year-end closing, 14 interim closing
YEAR_END = 13
INTERIM = 14

FISCAL_START = (2025, 4)  # first accounting month: April 2025
PERIOD_START, PERIOD_END = 20250401, 20260331

TAX_RATE_PERCENT = 10
ROOT_BS, ROOT_MFG = 0x80000000, 0x20000000

# ---------------------------------------------------------------------------
# Chart of accounts, in the order the account-sum rule delivers it.
# (main code, name, second name, kind, nature, classification code)
CHART = [
    (1000, "【資産の部】", "資産の部", KIND_TOTAL, DEBIT, 0x80800000),
    (1100, "【流動資産】", "流動資産", KIND_TOTAL, DEBIT, 0x80880000),
    (1110, "現金", "", KIND_REGULAR, DEBIT, 0x80888800),
    (1120, "普通預金", "", KIND_REGULAR, DEBIT, 0x80888400),
    (1130, "売掛金", "", KIND_REGULAR, DEBIT, 0x80884800),
    (1140, "製品", "", KIND_REGULAR, DEBIT, 0x80882800),
    (1150, "仕掛品", "", KIND_REGULAR, DEBIT, 0x80882400),
    (1160, "原材料", "", KIND_REGULAR, DEBIT, 0x80882200),
    (1170, "前払費用", "", KIND_REGULAR, DEBIT, 0x80881800),
    (1180, "仮払法人税等", "", KIND_REGULAR, DEBIT, 0x80881400),
    (1190, "仮払消費税", "", KIND_REGULAR, DEBIT, 0x80880810),
    (1200, "【固定資産】", "固定資産", KIND_TOTAL, DEBIT, 0x80840000),
    (1210, "【有形固定資産】", "有形固定資産", KIND_TOTAL, DEBIT, 0x80848000),
    (1211, "建物", "", KIND_REGULAR, DEBIT, 0x80848800),
    (1212, "機械装置", "", KIND_REGULAR, DEBIT, 0x80848400),
    (1213, "車両運搬具", "", KIND_REGULAR, DEBIT, 0x80848200),
    (1214, "工具器具備品", "", KIND_REGULAR, DEBIT, 0x80848100),
    (1215, "土地", "", KIND_REGULAR, DEBIT, 0x80848080),
    (1220, "【無形固定資産】", "無形固定資産", KIND_TOTAL, DEBIT, 0x80844000),
    (1221, "ソフトウェア", "", KIND_REGULAR, DEBIT, 0x80844800),
    (1230, "【投資その他の資産】", "投資その他の資産", KIND_TOTAL, DEBIT, 0x80842000),
    (1231, "投資有価証券", "", KIND_REGULAR, DEBIT, 0x80842800),
    (1232, "差入保証金", "", KIND_REGULAR, DEBIT, 0x80842400),
    (1300, "【繰延資産】", "繰延資産", KIND_TOTAL, DEBIT, 0x80820000),
    (2000, "【負債の部】", "負債の部", KIND_TOTAL, CREDIT, 0x80400000),
    (2100, "【流動負債】", "流動負債", KIND_TOTAL, CREDIT, 0x80480000),
    (2110, "買掛金", "", KIND_REGULAR, CREDIT, 0x80488800),
    (2120, "短期借入金", "", KIND_REGULAR, CREDIT, 0x80488400),
    (2130, "未払金", "", KIND_REGULAR, CREDIT, 0x80488200),
    (2140, "未払法人税等", "", KIND_REGULAR, CREDIT, 0x80488100),
    (2150, "未払消費税等", "", KIND_REGULAR, CREDIT, 0x80488080),
    (2160, "預り金", "", KIND_REGULAR, CREDIT, 0x80488040),
    (2170, "仮受消費税", "", KIND_REGULAR, CREDIT, 0x80484010),
    (2200, "【固定負債】", "固定負債", KIND_TOTAL, CREDIT, 0x80440000),
    (2210, "長期借入金", "", KIND_REGULAR, CREDIT, 0x80448000),
    (3000, "【純資産の部】", "純資産の部", KIND_TOTAL, CREDIT, 0x80200000),
    (3110, "資本金", "", KIND_REGULAR, CREDIT, 0x80288000),
    (3210, "利益準備金", "", KIND_REGULAR, CREDIT, 0x80281080),
    (3220, "別途積立金", "", KIND_REGULAR, CREDIT, 0x80281040),
    (3230, "繰越利益剰余金", "", KIND_DERIVED_ITEM, CREDIT, 0x80281048),
    (4100, "【売上高】", "売上高", KIND_TOTAL, CREDIT, 0x40888000),
    (4110, "売上高", "", KIND_REGULAR, CREDIT, 0x40888800),
    (4200, "【売上原価】", "売上原価", KIND_TOTAL, DEBIT, 0x40884000),
    (4210, "期首製品棚卸高", "", KIND_REGULAR, DEBIT, 0x40884800),
    (4220, "当期製品製造原価", "当期製品製造原価", KIND_DERIVED_ITEM, DEBIT, 0x40884200),
    (4230, "期末製品棚卸高", "", KIND_REGULAR, DEBIT, 0x40884100),
    (4290, "《売上総損益》", "売上総利益", KIND_TOTAL, CREDIT, 0x40880008),
    (4300, "【販売費及び一般管理費】", "販管費", KIND_TOTAL, DEBIT, 0x40882000),
    (4310, "役員報酬", "", KIND_REGULAR, DEBIT, 0x40882800),
    (4320, "給料手当", "", KIND_REGULAR, DEBIT, 0x40882400),
    (4330, "法定福利費", "", KIND_REGULAR, DEBIT, 0x40882200),
    (4340, "旅費交通費", "", KIND_REGULAR, DEBIT, 0x40882100),
    (4350, "通信費", "", KIND_REGULAR, DEBIT, 0x40882080),
    (4360, "地代家賃", "", KIND_REGULAR, DEBIT, 0x40882040),
    (4370, "減価償却費", "", KIND_REGULAR, DEBIT, 0x40882020),
    (4380, "水道光熱費", "", KIND_REGULAR, DEBIT, 0x40882010),
    (4390, "消耗品費", "", KIND_REGULAR, DEBIT, 0x40882008),
    (4400, "支払手数料", "", KIND_REGULAR, DEBIT, 0x40882004),
    (4410, "租税公課", "", KIND_REGULAR, DEBIT, 0x40882002),
    (4490, "《営業損益》", "営業利益", KIND_TOTAL, CREDIT, 0x40880000),
    (4500, "【営業外収益】", "営業外収益", KIND_TOTAL, CREDIT, 0x40848000),
    (4510, "受取利息", "", KIND_REGULAR, CREDIT, 0x40848800),
    (4520, "雑収入", "", KIND_REGULAR, CREDIT, 0x40848400),
    (4600, "【営業外費用】", "営業外費用", KIND_TOTAL, DEBIT, 0x40844000),
    (4610, "支払利息", "", KIND_REGULAR, DEBIT, 0x40844800),
    (4690, "《経常損益》", "経常利益", KIND_TOTAL, CREDIT, 0x40800000),
    (4700, "【特別利益】", "特別利益", KIND_TOTAL, CREDIT, 0x40480000),
    (4710, "固定資産売却益", "", KIND_REGULAR, CREDIT, 0x40488000),
    (4800, "【特別損失】", "特別損失", KIND_TOTAL, DEBIT, 0x40440000),
    (4890, "《税引前当期純損益》", "税引前当期純利益", KIND_TOTAL, CREDIT, 0x40200080),
    (4910, "法人税、住民税及び事業税", "法人税等", KIND_REGULAR, DEBIT, 0x40200008),
    (4990, "《当期純損益》", "当期純利益", KIND_TOTAL, CREDIT, 0x40200040),
    (5100, "【材料費】", "材料費", KIND_TOTAL, DEBIT, 0x20800000),
    (5110, "期首原材料棚卸高", "", KIND_REGULAR, DEBIT, 0x20808000),
    (5120, "原材料仕入高", "", KIND_REGULAR, DEBIT, 0x20804000),
    (5130, "期末原材料棚卸高", "", KIND_REGULAR, DEBIT, 0x20802000),
    (5200, "【労務費】", "労務費", KIND_TOTAL, DEBIT, 0x20400000),
    (5210, "賃金手当", "", KIND_REGULAR, DEBIT, 0x20408000),
    (5220, "法定福利費(製)", "", KIND_REGULAR, DEBIT, 0x20404000),
    (5300, "【外注加工費】", "外注加工費", KIND_TOTAL, DEBIT, 0x20040000),
    (5310, "外注加工費", "", KIND_REGULAR, DEBIT, 0x20048000),
    (5400, "【製造経費】", "製造経費", KIND_TOTAL, DEBIT, 0x20200000),
    (5410, "減価償却費(製)", "", KIND_REGULAR, DEBIT, 0x20208000),
    (5420, "水道光熱費(製)", "", KIND_REGULAR, DEBIT, 0x20204000),
    (5430, "修繕費(製)", "", KIND_REGULAR, DEBIT, 0x20202000),
    (5440, "消耗品費(製)", "", KIND_REGULAR, DEBIT, 0x20201000),
    (5490, "《当期総製造費用》", "当期総製造費用", KIND_TOTAL, DEBIT, 0x20080000),
    (5500, "【期首仕掛品棚卸高】", "期首仕掛品棚卸高", KIND_TOTAL, DEBIT, 0x20108000),
    (5510, "期首仕掛品棚卸高", "", KIND_REGULAR, DEBIT, 0x20108800),
    (5590, "《合計》", "", KIND_TOTAL, DEBIT, 0x20100008),
    (5600, "【期末仕掛品棚卸高】", "期末仕掛品棚卸高", KIND_TOTAL, DEBIT, 0x20102000),
    (5610, "期末仕掛品棚卸高", "", KIND_REGULAR, DEBIT, 0x20102800),
]

# Sub-accounts: main code -> [(sub-number, name)]. They follow their main account.
SUB_ACCOUNTS = {
    1120: [(1, "しらかば銀行"), (2, "つばき信用金庫")],
    1130: [(1, "北辰工業"), (2, "ひかり電機")],
}

# Accounts of the master that are left out of aggregation: no account-sum record,
# so they reach the export only as the counter account of a ledger line.
# (main code, name, classification code)
UNSUMMED = [
    (9990, "振替勘定", 0x08000000),
]

# Derived accounts that are not plain groups: code -> the group codes whose
# listed accounts they add up. Every other KIND_TOTAL account adds up the
# listed accounts that fall in its own code.
TOTAL_SOURCES = {
    0x40880008: (0x40888000, 0x40884000),
    0x40200080: (0x40800000, 0x40400000),
    0x40200040: (0x40800000, 0x40400000, 0x40200000),
    0x20080000: (0x20800000, 0x20400000, 0x20040000, 0x20200000),
    0x20100008: (0x20800000, 0x20400000, 0x20040000, 0x20200000, 0x20108000),
    0x40884200: (ROOT_MFG,),
}
NET_INCOME = 0x40200040
RETAINED_EARNINGS = 0x80281048  # carries the year's profit on top of what was brought forward

# Balances on 1 April 2025 (yen, in each account's own direction). Retained
# earnings brought forward is whatever makes the opening balance sheet balance.
OPENING = {
    "現金": 320_000,
    "普通預金/しらかば銀行": 19_850_000,
    "普通預金/つばき信用金庫": 6_180_000,
    "売掛金/北辰工業": 10_780_000,
    "売掛金/ひかり電機": 7_150_000,
    "製品": 4_200_000,
    "仕掛品": 1_800_000,
    "原材料": 2_600_000,
    "前払費用": 330_000,
    "建物": 28_400_000,
    "機械装置": 15_600_000,
    "車両運搬具": 1_300_000,
    "工具器具備品": 240_000,
    "土地": 20_000_000,
    "ソフトウェア": 480_000,
    "投資有価証券": 2_000_000,
    "差入保証金": 1_200_000,
    "買掛金": 5_940_000,
    "短期借入金": 5_000_000,
    "未払金": 1_320_000,
    "未払法人税等": 1_850_000,
    "未払消費税等": 9_640_000,
    "預り金": 880_000,
    "長期借入金": 30_000_000,
    "資本金": 10_000_000,
    "利益準備金": 2_500_000,
    "別途積立金": 5_000_000,
}

# Closing stock counted on 31 March 2026.
CLOSING_STOCK = {"原材料": 2_930_000, "仕掛品": 2_060_000, "製品": 4_680_000}

# Month factors for sales and production (April to March) and for utilities.
SEASON = [0.94, 0.96, 1.00, 1.02, 0.88, 1.04, 1.02, 1.00, 1.08, 0.86, 0.96, 1.24]
UTILITY_SEASON = [0.90, 0.95, 1.05, 1.25, 1.30, 1.10, 0.95, 0.95, 1.10, 1.20, 1.15, 1.00]
BONUS_MONTHS = {4, 9}  # July and December payrolls carry the bonus


def round_to(amount, unit=1000):
    return int(round(amount / unit)) * unit


def tax_of(amount):
    return amount * TAX_RATE_PERCENT // 100


def month_of(period):
    """Calendar (year, month) of accounting month 1-12."""
    year, month = FISCAL_START
    month += period - 1
    return year + (month - 1) // 12, (month - 1) % 12 + 1


def date_in(period, day):
    """yyyymmdd of a day of an accounting month; day 0 or past the end means the last day."""
    if period == YEAR_END:
        period = 12
    year, month = month_of(period)
    last = calendar.monthrange(year, month)[1]
    return year * 10000 + month * 100 + (last if day <= 0 or day > last else day)


def month_label(period):
    return f"{month_of(period)[1]}月分"


# ---------------------------------------------------------------------------
class Chart:
    """Account records and the name lookups the vouchers are written with."""

    def __init__(self):
        self.records = []  # dicts in delivery order
        self.by_key = {}
        self.key_of = {}  # "name" or "main/sub" -> key
        for code, name, second, kind, nature, cls in CHART:
            self._add(code * 10000, name, second, kind, nature, cls)
            self.key_of[name] = code * 10000
            for sub_no, sub_name in SUB_ACCOUNTS.get(code, []):
                key = code * 10000 + sub_no
                self._add(key, sub_name, "", KIND_SUB, nature, cls)
                self.key_of[f"{name}/{sub_name}"] = key
        self.unsummed = {name: (code * 10000, cls) for code, name, cls in UNSUMMED}

    def _add(self, key, name, second, kind, nature, cls):
        record = {
            "key": key, "name": name, "secondName": second, "kind": kind,
            "nature": nature, "class": cls,
            "debit": [0] * COLUMNS, "credit": [0] * COLUMNS, "ledger": [],
        }
        self.records.append(record)
        self.by_key[key] = record

    def key(self, name):
        return self.key_of[name] if name in self.key_of else self.unsummed[name][0]

    def master(self):
        """Key lookups: every account-sum record, then the unsummed accounts."""
        entries = [(r["key"], r["name"], r["class"]) for r in self.records]
        entries += [(key, name, cls) for name, (key, cls) in self.unsummed.items()]
        return [{"key": k, "name": n, "class": hex_code(c)} for k, n, c in entries]

    def main_of(self, key):
        return self.by_key[key // 10000 * 10000]

    def has_subs(self, key):
        return key % 10000 == 0 and key // 10000 in SUB_ACCOUNTS

    def is_posting(self, record):
        """Accounts that vouchers post to."""
        if record["kind"] == KIND_SUB:
            return True
        return record["kind"] == KIND_REGULAR and not self.has_subs(record["key"])

    def is_listed(self, record):
        return record["kind"] in (KIND_REGULAR, KIND_DERIVED_ITEM)


def balance(record, upto_columns):
    d = sum(record["debit"][i] for i in upto_columns)
    c = sum(record["credit"][i] for i in upto_columns)
    return d - c if record["nature"] == DEBIT else c - d


# ---------------------------------------------------------------------------
class Journal:
    """The company's vouchers for the year, written line by line."""

    def __init__(self, chart):
        self.chart = chart
        self.vouchers = []

    def add(self, period, day, summary, lines):
        """lines: (debit name or None, debit amount, debit tax, credit name or None,
        credit amount, credit tax)."""
        keyed = []
        for dr, d_amt, d_tax, cr, c_amt, c_tax in lines:
            keyed.append((self.chart.key(dr) if dr else 0, d_amt, d_tax,
                          self.chart.key(cr) if cr else 0, c_amt, c_tax))
        self.vouchers.append({"period": period, "date": date_in(period, day),
                              "summary": summary, "lines": keyed,
                              "order": len(self.vouchers)})

    def simple(self, period, day, summary, dr, cr, amount):
        self.add(period, day, summary, [(dr, amount, 0, cr, amount, 0)])

    def purchase(self, period, day, summary, dr, cr, net):
        """A taxable purchase: the tax goes to 仮払消費税 with the debit line."""
        tax = tax_of(net)
        self.add(period, day, summary, [(dr, net, tax, cr, net + tax, 0)])

    def sale(self, period, day, summary, dr, cr, net):
        """A taxable sale: the tax goes to 仮受消費税 with the credit line."""
        tax = tax_of(net)
        self.add(period, day, summary, [(dr, net + tax, 0, cr, net, tax)])

    def posted_balance(self, name, upto_period):
        """Balance of a posting account from the vouchers written so far."""
        key = self.chart.key(name)
        record = self.chart.by_key[key]
        d = OPENING.get(name, 0) if record["nature"] == DEBIT else 0
        c = OPENING.get(name, 0) if record["nature"] == CREDIT else 0
        for v in self.vouchers:
            if v["period"] > upto_period:
                continue
            for dk, d_amt, d_tax, ck, c_amt, c_tax in v["lines"]:
                d += (d_amt if dk == key else 0) + (d_tax if key == self.tax_paid() else 0)
                c += (c_amt if ck == key else 0) + (c_tax if key == self.tax_received() else 0)
        return d - c if record["nature"] == DEBIT else c - d

    def tax_paid(self):
        return self.chart.key("仮払消費税")

    def tax_received(self):
        return self.chart.key("仮受消費税")


def write_year(journal):
    """The vouchers of the demo year."""
    bank_a = "普通預金/しらかば銀行"  # receipts, payroll
    bank_b = "普通預金/つばき信用金庫"  # suppliers, rent, loan
    customers = [("売掛金/北辰工業", "北辰工業", 10_100_000, bank_a, 20),
                 ("売掛金/ひかり電機", "ひかり電機", 6_600_000, bank_b, 0)]
    receivable = {name: OPENING[name] for name, *_ in customers}
    payable, unpaid, withheld = OPENING["買掛金"], OPENING["未払金"], OPENING["預り金"]
    loan = OPENING["長期借入金"]

    for m in range(1, 13):
        f, fu = SEASON[m - 1], UTILITY_SEASON[m - 1]
        ml = month_label(m)
        # Suppliers and the subcontractor are paid on the 10th for the month before.
        journal.add(m, 10, "仕入先・外注先支払　前月分", [
            ("買掛金", payable, 0, bank_b, payable + unpaid, 0),
            ("未払金", unpaid, 0, None, 0, 0),
        ])
        # Customers pay the month before; sales are invoiced at month end.
        for account, customer, base, bank, day in customers:
            journal.simple(m, day, f"{customer}　売掛金回収", bank, account, receivable[account])
            net = round_to(base * f)
            journal.sale(m, 0, f"{customer}　{ml}売上", account, "売上高", net)
            receivable[account] = net + tax_of(net)
        material = round_to(5_150_000 * f)
        journal.purchase(m, 15, f"原材料仕入　{ml}", "原材料仕入高", "買掛金", material)
        payable = material + tax_of(material)
        outsourced = round_to(1_080_000 * f)
        journal.purchase(m, 0, f"外注加工費　{ml}", "外注加工費", "未払金", outsourced)
        unpaid = outsourced + tax_of(outsourced)

        # Payroll on the 25th; the withholding is paid over at the next month end.
        bonus = 2.2 if m in BONUS_MONTHS else 1.0
        wages, salaries, directors = round_to(3_150_000 * bonus), round_to(1_420_000 * bonus), 900_000
        withholding = round_to((wages + salaries + directors) * 0.16, 100)
        journal.add(m, 25, f"{ml}給与", [
            ("賃金手当", wages, 0, bank_a, wages, 0),
            ("給料手当", salaries, 0, "預り金", withholding, 0),
            ("役員報酬", directors, 0, bank_a, directors, 0),
            (None, 0, 0, bank_a, salaries - withholding, 0),
        ])
        factory_si = round_to(wages / bonus * 0.15, 100)
        office_si = round_to((salaries / bonus + directors) * 0.15, 100)
        journal.add(m, 0, "社会保険料・源泉所得税納付", [
            ("法定福利費(製)", factory_si, 0, bank_a, factory_si + office_si + withheld, 0),
            ("法定福利費", office_si, 0, None, 0, 0),
            ("預り金", withheld, 0, None, 0, 0),
        ])
        withheld = withholding

        journal.purchase(m, 27, f"事務所家賃　{ml}", "地代家賃", bank_b, 280_000)
        journal.purchase(m, 20, f"電気・水道料　工場　{ml}", "水道光熱費(製)", bank_b,
                         round_to(410_000 * fu))
        journal.purchase(m, 20, f"電気・水道料　事務所　{ml}", "水道光熱費", bank_b,
                         round_to(52_000 * fu))
        journal.purchase(m, 20, f"電話・通信料　{ml}", "通信費", bank_b, 46_000)
        journal.purchase(m, 12, f"工場消耗品　{ml}", "消耗品費(製)", bank_b,
                         round_to(140_000 * f))
        if m % 3 == 0:
            journal.purchase(m, 0, "振込手数料　3か月分", "支払手数料", bank_b, 6_000)
        interest = loan * 12 // 1000 // 12
        journal.add(m, 0, "長期借入金返済", [
            ("長期借入金", 250_000, 0, bank_b, 250_000 + interest, 0),
            ("支払利息", interest, 0, None, 0, 0),
        ])
        loan -= 250_000
        if m % 2 == 1:
            journal.simple(m, 3, "小口現金補充", "現金", bank_a, 150_000)
            journal.purchase(m, 18, "出張旅費", "旅費交通費", "現金", 68_000)
            journal.purchase(m, 22, "事務用品", "消耗品費", "現金", 24_000)

    # Occasional business of the year.
    journal.purchase(3, 16, "機械修理", "修繕費(製)", "普通預金/つばき信用金庫", 380_000)
    journal.purchase(9, 16, "機械修理", "修繕費(製)", "普通預金/つばき信用金庫", 420_000)
    for m in (3, 6, 9, 11):
        journal.simple(m, 28, "固定資産税", "租税公課", "普通預金/しらかば銀行", 345_000)
    journal.simple(2, 31, "法人税等納付　前期確定分", "未払法人税等", "普通預金/しらかば銀行",
                   OPENING["未払法人税等"])
    journal.simple(2, 31, "消費税等納付　前期確定分", "未払消費税等", "普通預金/しらかば銀行",
                   OPENING["未払消費税等"])
    journal.purchase(6, 5, "NC旋盤購入", "機械装置", "普通預金/しらかば銀行", 3_000_000)
    journal.add(8, 14, "営業車売却", [
        ("普通預金/しらかば銀行", 1_500_000, 0, "車両運搬具", 1_300_000, 0),
        (None, 0, 0, "固定資産売却益", 200_000, 0),
    ])
    journal.simple(8, 30, "法人税等中間納付", "仮払法人税等", "普通預金/しらかば銀行", 925_000)
    journal.sale(10, 26, "スクラップ売却", "現金", "雑収入", 36_000)
    for m in (6, 12):
        journal.simple(m, 0, "預金利息", "普通預金/しらかば銀行", "受取利息", 1_860)
    # A transfer entered through the transfer account, with a fee line of no amount:
    # both bank lines have a counter account outside aggregation, the fee line is zero.
    journal.add(7, 15, "資金移動　振替伝票（振込手数料先方負担）", [
        ("振替勘定", 500_000, 0, "普通預金/しらかば銀行", 500_000, 0),
        ("普通預金/つばき信用金庫", 500_000, 0, "振替勘定", 500_000, 0),
        ("支払手数料", 0, 0, None, 0, 0),
    ])
    for m in range(1, 13):
        top_up = funding_need(journal, m)
        if top_up:
            journal.simple(m, 1, "資金移動", "普通預金/つばき信用金庫", "普通預金/しらかば銀行",
                           top_up)

    write_year_end(journal)


def funding_need(journal, period):
    """Transfer that keeps the supplier account above a working floor all month."""
    floor = 1_000_000
    key = journal.chart.key("普通預金/つばき信用金庫")
    running = journal.posted_balance("普通預金/つばき信用金庫", period - 1)
    lowest = running
    month = sorted((v for v in journal.vouchers if v["period"] == period),
                   key=lambda v: (v["date"], v["order"]))
    for v in month:
        for dk, d_amt, _, ck, c_amt, _ in v["lines"]:
            running += (d_amt if dk == key else 0) - (c_amt if ck == key else 0)
        lowest = min(lowest, running)
    short = floor - lowest
    return 0 if short <= 0 else -(-short // 500_000) * 500_000


def write_year_end(journal):
    """Closing entries of the year-end closing period."""
    ye = YEAR_END
    for stock, opening_acc, closing_acc in (("原材料", "期首原材料棚卸高", "期末原材料棚卸高"),
                                            ("仕掛品", "期首仕掛品棚卸高", "期末仕掛品棚卸高"),
                                            ("製品", "期首製品棚卸高", "期末製品棚卸高")):
        journal.simple(ye, 0, f"{stock}　期首棚卸振替", opening_acc, stock, OPENING[stock])
        journal.simple(ye, 0, f"{stock}　期末棚卸計上", stock, closing_acc, CLOSING_STOCK[stock])
    machines = round_to((OPENING["機械装置"] * 0.2) + 3_000_000 * 0.2 * 7 / 12, 100)
    journal.add(ye, 0, "減価償却費計上", [
        ("減価償却費(製)", machines, 0, "機械装置", machines, 0),
        ("減価償却費(製)", 710_000, 0, "建物", 710_000, 0),
        ("減価償却費", 240_000 + 120_000 + 60_000, 0, "建物", 240_000, 0),
        (None, 0, 0, "ソフトウェア", 120_000, 0),
        (None, 0, 0, "工具器具備品", 60_000, 0),
    ])
    paid = journal.posted_balance("仮払消費税", ye)
    received = journal.posted_balance("仮受消費税", ye)
    journal.add(ye, 0, "消費税等　確定額計上", [
        ("仮受消費税", received, 0, "仮払消費税", paid, 0),
        (None, 0, 0, "未払消費税等", received - paid, 0),
    ])
    pre_tax = 0  # every posting account outside the balance sheet, as a gain
    for name, key in journal.chart.key_of.items():
        r = journal.chart.by_key[key]
        if journal.chart.is_posting(r) and not r["class"] & ROOT_BS:
            sign = 1 if r["nature"] == CREDIT else -1
            pre_tax += sign * journal.posted_balance(name, ye)
    income_tax = max(70_000, pre_tax * 30 // 100 // 100 * 100)
    interim_paid = journal.posted_balance("仮払法人税等", ye)
    journal.add(ye, 0, "法人税等　確定額計上", [
        ("法人税、住民税及び事業税", income_tax, 0, "仮払法人税等", interim_paid, 0),
        (None, 0, 0, "未払法人税等", income_tax - interim_paid, 0),
    ])


# ---------------------------------------------------------------------------
def marker_of(lines):
    debits = {l[0] for l in lines if l[0]}
    credits = {l[3] for l in lines if l[3]}
    if len(lines) == 1:
        return MARKER_NONE
    if len(debits) > 1 and len(credits) > 1:
        return MARKER_BOTH_SEVERAL
    return MARKER_DEBIT_SEVERAL if len(debits) > 1 else MARKER_CREDIT_SEVERAL


def number_vouchers(journal):
    journal.vouchers.sort(key=lambda v: (v["period"], v["date"], v["order"]))
    for n, v in enumerate(journal.vouchers, start=1):
        v["no"] = n
        v["id"] = 250000 + n
        v["marker"] = marker_of(v["lines"])


def post(chart, journal):
    """Opening balances and the vouchers into the posting accounts' columns."""
    for name, amount in OPENING.items():
        record = chart.by_key[chart.key(name)]
        record["debit" if record["nature"] == DEBIT else "credit"][0] += amount
    plug = sum(balance(r, [0]) * (1 if r["nature"] == DEBIT else -1)
               for r in chart.records if chart.is_posting(r))
    chart.by_key[chart.key("繰越利益剰余金")]["credit"][0] += plug
    for v in journal.vouchers:
        p = v["period"]
        for dk, d_amt, d_tax, ck, c_amt, c_tax in v["lines"]:
            if dk in chart.by_key:
                chart.by_key[dk]["debit"][p] += d_amt
            if ck in chart.by_key:
                chart.by_key[ck]["credit"][p] += c_amt
            chart.by_key[journal.tax_paid()]["debit"][p] += d_tax
            chart.by_key[journal.tax_received()]["credit"][p] += c_tax


def ledger_entry(v, line_no, line, side):
    dk, d_amt, d_tax, ck, c_amt, c_tax = line
    return {"voucherId": v["id"], "voucherNo": v["no"], "lineNo": line_no, "date": v["date"],
            "compound": v["marker"], "debitKey": dk, "debitAmount": d_amt, "debitTax": d_tax,
            "creditKey": ck, "creditAmount": c_amt, "creditTax": c_tax,
            "summary": v["summary"], "side": side, "period": v["period"]}


def ledger_views(v, tax_paid, tax_received):
    """(account key, ledger entry) for every account a voucher touches.

    A voucher whose one side holds a single account shows each account of the
    other side paired with that single account; a voucher with several accounts
    on both sides shows its journal lines as they stand.
    """
    marker = v["marker"]
    if marker in (MARKER_DEBIT_SEVERAL, MARKER_CREDIT_SEVERAL):
        single_debit = marker == MARKER_CREDIT_SEVERAL
        singles = [(n, l) for n, l in enumerate(v["lines"], 1) if (l[0] if single_debit else l[3])]
        assert len(singles) == 1 and all(l[2] == 0 and l[5] == 0 for l in v["lines"]), v
        single_no, single_line = singles[0]
        single_key = single_line[0] if single_debit else single_line[3]
        total = single_line[1] if single_debit else single_line[4]
        for n, l in enumerate(v["lines"], 1):
            other_key, amount = (l[3], l[4]) if single_debit else (l[0], l[1])
            if not other_key:
                continue
            if single_debit:
                pair = (single_key, amount, 0, other_key, amount, 0)
                yield other_key, ledger_entry(v, n, pair, SIDE_CREDIT)
            else:
                pair = (other_key, amount, 0, single_key, amount, 0)
                yield other_key, ledger_entry(v, n, pair, SIDE_DEBIT)
        first_other = next(l[3] if single_debit else l[0] for l in v["lines"]
                           if (l[3] if single_debit else l[0]))
        own = ((single_key, total, 0, first_other, total, 0) if single_debit
               else (first_other, total, 0, single_key, total, 0))
        yield single_key, ledger_entry(v, single_no, own,
                                       SIDE_DEBIT if single_debit else SIDE_CREDIT)
        return
    for n, l in enumerate(v["lines"], 1):
        if marker == MARKER_BOTH_SEVERAL:
            assert l[2] == 0 and l[5] == 0, v
        if l[0]:
            yield l[0], ledger_entry(v, n, l, SIDE_DEBIT)
        if l[3]:
            yield l[3], ledger_entry(v, n, l, SIDE_CREDIT)
        if l[2]:
            yield tax_paid, ledger_entry(v, n, l, SIDE_DEBIT)
        if l[5]:
            yield tax_received, ledger_entry(v, n, l, SIDE_CREDIT)


def write_ledgers(chart, journal):
    for v in journal.vouchers:
        for key, entry in ledger_views(v, journal.tax_paid(), journal.tax_received()):
            if key not in chart.by_key:
                continue  # an unsummed account keeps no ledger
            chart.by_key[key]["ledger"].append(entry)
            if key % 10000:
                chart.main_of(key)["ledger"].append(dict(entry))
    for r in chart.records:
        r["ledger"].sort(key=lambda e: (e["date"], e["voucherNo"], e["lineNo"],
                                        e["side"], e["debitKey"], e["creditKey"]))


def derive(chart):
    """Main accounts of sub-accounts, the listed derived items, and every group and total."""
    for r in chart.records:
        if chart.has_subs(r["key"]):
            for col in ("debit", "credit"):
                r[col] = [sum(s[col][i] for s in chart.records
                              if s["kind"] == KIND_SUB and s["key"] // 10000 == r["key"] // 10000)
                          for i in range(COLUMNS)]

    def add_up(record, group_codes):
        members = [m for m in chart.records if chart.is_listed(m) and m is not record
                   and any(m["class"] & g == g for g in group_codes)]
        for col in ("debit", "credit"):
            record[col] = [sum(m[col][i] for m in members) for i in range(COLUMNS)]

    by_class = {r["class"]: r for r in chart.records if r["kind"] != KIND_SUB}
    # Order matters: the cost of finished goods feeds cost of sales, the net income
    # feeds retained earnings, retained earnings feeds the net-assets group.
    add_up(by_class[0x40884200], TOTAL_SOURCES[0x40884200])
    pl_totals = [r for r in chart.records if r["kind"] == KIND_TOTAL and not r["class"] & ROOT_BS]
    for r in pl_totals:
        add_up(r, TOTAL_SOURCES.get(r["class"], (r["class"],)))
    profit = by_class[NET_INCOME]
    retained = by_class[RETAINED_EARNINGS]
    for i in range(COLUMNS):
        gain = profit["credit"][i] - profit["debit"][i]
        retained["credit" if gain >= 0 else "debit"][i] += abs(gain)
    for r in chart.records:
        if r["kind"] == KIND_TOTAL and r["class"] & ROOT_BS:
            add_up(r, (r["class"],))


# ---------------------------------------------------------------------------
class CheckFailed(Exception):
    pass


def require(condition, message):
    if not condition:
        raise CheckFailed(message)


def range_points():
    """Column sets of every balance the demo can show: each month end, the year
    end with its closing period, and the interim with its closing period."""
    points = [(f"month {m}", list(range(0, m + 1))) for m in range(0, 13)]
    points.append(("year end", list(range(0, 14))))
    points.append(("interim", list(range(0, 7)) + [INTERIM]))
    return points


def self_check(chart, journal):
    postings = [r for r in chart.records if chart.is_posting(r) or
                (r["class"] == RETAINED_EARNINGS)]
    profit_cols = [0] * COLUMNS
    net = next(r for r in chart.records if r["class"] == NET_INCOME)
    for i in range(COLUMNS):
        profit_cols[i] = net["credit"][i] - net["debit"][i]
    for i in range(COLUMNS):
        d = sum(r["debit"][i] for r in postings)
        c = sum(r["credit"][i] for r in postings)
        # Retained earnings carries the profit on top of its posted columns.
        d -= max(0, -profit_cols[i])
        c -= max(0, profit_cols[i])
        require(d == c, f"column {i}: debits {d} != credits {c}")

    for v in journal.vouchers:
        p = sum(l[1] + l[2] for l in v["lines"])
        q = sum(l[4] + l[5] for l in v["lines"])
        require(p == q, f"voucher {v['no']} {v['summary']}: {p} != {q}")
        require(PERIOD_START <= v["date"] <= PERIOD_END, f"voucher {v['no']} date {v['date']}")

    by_class = {r["class"]: r for r in chart.records if r["kind"] != KIND_SUB}
    for label, cols in range_points():
        bal = {code: balance(r, cols) for code, r in by_class.items()}
        listed = [r for r in chart.records if chart.is_listed(r)]

        def listed_sum(group, nature):
            """Balance of a group's listed accounts, in the group's own direction."""
            return sum(balance(r, cols) * (1 if r["nature"] == nature else -1)
                       for r in listed if r["class"] & group == group)

        assets = listed_sum(0x80800000, DEBIT)
        claims = listed_sum(0x80400000, CREDIT) + listed_sum(0x80200000, CREDIT)
        require(assets == claims, f"{label}: assets {assets} != liabilities+net assets {claims}")
        require(bal[0x80800000] == bal[0x80400000] + bal[0x80200000],
                f"{label}: group totals do not balance")
        for code, r in by_class.items():
            if r["kind"] == KIND_TOTAL and code not in TOTAL_SOURCES:
                require(bal[code] == listed_sum(code, r["nature"]),
                        f"{label}: group {r['name']} != its items")
        require(bal[0x40880008] == bal[0x40888000] - bal[0x40884000], f"{label}: gross profit")
        require(bal[0x40880000] == bal[0x40880008] - bal[0x40882000], f"{label}: operating")
        require(bal[0x40800000] == bal[0x40880000] + bal[0x40848000] - bal[0x40844000],
                f"{label}: ordinary")
        require(bal[0x40200080] == bal[0x40800000] + bal[0x40480000] - bal[0x40440000],
                f"{label}: before taxes")
        require(bal[0x40200040] == bal[0x40200080] - listed_sum(0x40200000, DEBIT),
                f"{label}: net")
        require(bal[0x20100008] == bal[0x20080000] + bal[0x20108000], f"{label}: subtotal")
        require(bal[0x40884200] == bal[0x20100008] + bal[0x20102000],
                f"{label}: cost of finished goods")
        for name in ("現金", "普通預金/しらかば銀行", "普通預金/つばき信用金庫"):
            require(balance(chart.by_key[chart.key(name)], cols) >= 0, f"{label}: {name} < 0")

    # Whatever months are chosen, retained earnings move by that range's net income.
    retained = by_class[RETAINED_EARNINGS]
    for start in range(1, 13):
        for end in range(start, 13):
            chosen = list(range(start, end + 1)) + ([YEAR_END] if end == 12 else [])
            require(balance(retained, chosen) == balance(net, chosen),
                    f"months {start}-{end}: retained earnings do not move by the net income")
    full = list(range(0, 14))
    require(balance(net, full) > 0, "the demo year should end in profit")

    check_ledgers(chart, journal)
    check_texts(chart)


def ledger_side_amounts(record, entry):
    """What the ledger walk takes from a line for this account (sum set 0)."""
    main = record["key"] // 10000
    own_tax = record["class"] in (0x80880810, 0x80484010)
    beside = main not in (entry["debitKey"] // 10000, entry["creditKey"] // 10000)
    x = entry["debitTax"] if own_tax and beside else entry["debitAmount"]
    y = entry["creditTax"] if own_tax and beside else entry["creditAmount"]
    return x, y


def check_ledgers(chart, journal):
    for r in chart.records:
        if not r["ledger"]:
            require(not any(r["debit"][1:]) and not any(r["credit"][1:]) or
                    r["kind"] in (KIND_TOTAL, KIND_DERIVED_ITEM),
                    f"{r['name']}: activity without ledger lines")
            continue
        d, c = [0] * COLUMNS, [0] * COLUMNS
        walked = balance(r, [0])
        for e in r["ledger"]:
            x, y = ledger_side_amounts(r, e)
            if e["side"] == SIDE_DEBIT:
                d[e["period"]] += x
                walked += x if r["nature"] == DEBIT else -x
            else:
                c[e["period"]] += y
                walked += -y if r["nature"] == DEBIT else y
        for i in range(1, COLUMNS):
            require(d[i] == r["debit"][i] and c[i] == r["credit"][i],
                    f"{r['name']} column {i}: ledger {d[i]}/{c[i]} != sums "
                    f"{r['debit'][i]}/{r['credit'][i]}")
        require(walked == balance(r, list(range(0, 14))), f"{r['name']}: ledger balance")
        dates = [e["date"] for e in r["ledger"]]
        require(dates == sorted(dates), f"{r['name']}: ledger out of date order")
    compound = [v for v in journal.vouchers if v["marker"] != MARKER_NONE]
    markers = {v["marker"] for v in compound}
    require(markers == {MARKER_DEBIT_SEVERAL, MARKER_CREDIT_SEVERAL, MARKER_BOTH_SEVERAL},
            f"compound markers present: {sorted(markers)}")
    check_ledger_cases(chart, journal)


def check_ledger_cases(chart, journal):
    """The walked ledgers show every way a line can be paired, kept or dropped."""
    by_id = {v["id"]: v for v in journal.vouchers}

    def balanced(e):
        return e["debitAmount"] + e["debitTax"] == e["creditAmount"] + e["creditTax"]

    def earlier_balanced(e):
        earlier = by_id[e["voucherId"]]["lines"][:e["lineNo"] - 1]
        return sum(l[1] + l[2] for l in earlier) == sum(l[4] + l[5] for l in earlier)

    def both(e):
        return e["compound"] == MARKER_BOTH_SEVERAL and balanced(e)

    tax_classes = (0x80880810, 0x80484010)
    unsummed = {key for key, _ in chart.unsummed.values()}
    cases = {
        "balanced first line of a compound voucher": lambda r, e: both(e) and e["lineNo"] == 1,
        "balanced later line after balanced ones":
            lambda r, e: both(e) and e["lineNo"] > 1 and earlier_balanced(e),
        "balanced later line after unbalanced ones":
            lambda r, e: both(e) and e["lineNo"] > 1 and not earlier_balanced(e),
        "0x21 on the credit side": lambda r, e: (e["compound"], e["side"]) == (0x21, SIDE_CREDIT),
        "0x21 on the debit side": lambda r, e: (e["compound"], e["side"]) == (0x21, SIDE_DEBIT),
        "0x12 on the credit side": lambda r, e: (e["compound"], e["side"]) == (0x12, SIDE_CREDIT),
        "0x12 on the debit side": lambda r, e: (e["compound"], e["side"]) == (0x12, SIDE_DEBIT),
        "sub-accounts on both sides": lambda r, e: e["debitKey"] % 10000 and e["creditKey"] % 10000,
        "a line of no amount": lambda r, e: not any(e[f] for f in (
            "debitAmount", "debitTax", "creditAmount", "creditTax")),
        "a counter account outside aggregation":
            lambda r, e: (e["debitKey"] if e["side"] == SIDE_CREDIT else e["creditKey"]) in unsummed,
    }
    for cls in tax_classes:
        cases[f"tax lines of {hex_code(cls)} that carry other accounts"] = (
            lambda r, e, cls=cls: r["class"] == cls and r["key"] // 10000 not in (
                e["debitKey"] // 10000, e["creditKey"] // 10000))
    walked = [(r, e) for r in chart.records if r["kind"] == KIND_REGULAR for e in r["ledger"]]
    for name, shows in cases.items():
        require(any(shows(r, e) for r, e in walked), f"no ledger line shows: {name}")


def sjis_len(text):
    return len(text.encode("cp932"))


def check_texts(chart):
    for r in chart.records:
        require(sjis_len(r["name"]) <= 30 and sjis_len(r["secondName"]) <= 30,
                f"name too long: {r['name']}")
        for e in r["ledger"]:
            require(sjis_len(e["summary"]) <= 60, f"summary too long: {e['summary']}")
    require(len({r["key"] for r in chart.records}) == len(chart.records), "duplicate keys")
    require(len({r["class"] for r in chart.records if r["kind"] != KIND_SUB})
            == len([r for r in chart.records if r["kind"] != KIND_SUB]), "duplicate codes")
    for r in chart.records:
        code = r["class"]
        for level in range(8):
            nibble = (code >> (28 - 4 * level)) & 0xF
            require(nibble in (0, 1, 2, 4, 8), f"{r['name']}: two branches in one level")


# ---------------------------------------------------------------------------
# Saved notes. Sections in the order the notes settings list them; the display
# flag of a section is its "Disp=" value.
NOTE_SECTIONS = [
    ("継続企業の前提に関する注記", 1),
    ("重要な会計方針に係る事項に関する注記", 1),
    ("貸借対照表に関する注記", 1),
    ("損益計算書に関する注記", 1),
    ("株主資本等変動計算書に関する注記", 1),
    ("税効果会計に関する注記", 1),
    ("リースにより使用する固定資産に関する注記", 1),
    ("関連当事者との取引に関する注記", 1),
    ("一株当たり情報に関する注記", 1),
    ("重要な後発事象に関する注記", 1),
    ("その他の注記", 1),
    ("会計方針の変更に関する注記", 0),
    ("表示方法の変更に関する注記", 0),
    ("会計上の見積りに関する注記（旧）", 0),
    ("連結配当規制適用会社に関する注記", 0),
    ("資産除去債務に関する注記", 0),
    ("金融商品に関する注記", 0),
    ("賃貸等不動産に関する注記", 0),
    ("企業結合に関する注記", 0),
    ("事業分離に関する注記", 0),
    ("会計上の見積りの変更に関する注記", 0),
    ("誤謬の訂正に関する注記", 0),
    ("退職給付に関する注記", 0),
    ("ストック・オプションに関する注記", 0),
    ("偶発債務に関する注記", 0),
    ("追加情報", 0),
    ("棚卸資産に関する注記", 0),
    ("固定資産の減損に関する注記", 0),
    ("持分法損益等に関する注記", 0),
    ("セグメント情報に関する注記", 0),
    ("継続企業の前提に関する重要な不確実性", 0),
    ("税金費用に関する注記", 0),
    ("会計上の見積りに関する注記", 0),
    ("収益認識に関する注記", 1),  # entered, but not carried by the export
]

# Saved note items: (item ID, depth, name, shown, text lines).
NOTE_ITEMS = [
    (1000010, 3, "継続企業の前提に関する注記", 1, ["該当事項はありません。"]),
    (1010010, 3, "重要な会計方針に係る事項に関する注記", 1, []),
    (1010020, 4, "資産の評価基準及び評価方法", 1, []),
    (1010030, 5, "有価証券の評価基準及び評価方法", 1,
     ["その他有価証券", "　市場価格のない株式等　移動平均法による原価法"]),
    (1010040, 5, "棚卸資産の評価基準及び評価方法", 1,
     ["製品・仕掛品・原材料",
      "　総平均法による原価法（貸借対照表価額は収益性の低下に基づく簿価切下げの方法により算定）"]),
    (1010050, 4, "固定資産の減価償却の方法", 1,
     ["有形固定資産　定率法（ただし、建物については定額法）",
      "無形固定資産　定額法（自社利用のソフトウェアは社内における利用可能期間（5年）に基づく定額法）"]),
    (1010060, 4, "引当金の計上基準", 0, []),
    (1010070, 4, "収益及び費用の計上基準", 1,
     ["製品の販売については、製品を顧客に引き渡した時点で収益を認識しております。"]),
    (1010080, 4, "その他計算書類の作成のための基本となる重要な事項", 1, []),
    (1010090, 5, "支払利息の取得原価算入", 0, []),
    (1010100, 5, "その他", 1, []),
    (1010110, 6, "項目名", 1, ["消費税等の会計処理"]),
    (1010120, 6, "内容", 1, ["税抜方式によっております。"]),
    (1020010, 4, "会計方針の変更に関する注記", 0, []),
    (1030010, 4, "表示方法の変更に関する注記", 0, []),
    (1060010, 3, "貸借対照表に関する注記", 1, []),
    (1060020, 4, "担保に供している資産", 1,
     ["担保に供している資産　建物　18,500,000円　土地　20,000,000円",
      "担保に係る債務　長期借入金　24,000,000円"]),
    (1060060, 4, "有形固定資産の減価償却累計額", 1, ["46,380,000円"]),
    (1060070, 4, "保証債務", 0, []),
    (1070010, 3, "損益計算書に関する注記", 1, []),
    (1070020, 4, "関係会社との取引高", 1, ["該当事項はありません。"]),
    (1080010, 3, "株主資本等変動計算書に関する注記", 1, []),
    (1080020, 4, "発行済株式の種類及び総数に関する事項", 1, []),
    (1080030, 5, "発行済株式", 1, []),
    (1080040, 6, "普通株式", 1, []),
    (1080050, 7, "当期首株式数", 1, ["200,000株"]),
    (1080060, 7, "当期増加株式数", 1, ["0株"]),
    (1080070, 7, "当期減少株式数", 1, ["0株"]),
    (1080080, 7, "当期末株式数", 1, ["200,000株"]),
    (1080500, 4, "配当に関する事項", 0, []),
    (1090010, 3, "税効果会計に関する注記", 1, []),
    (1090020, 4, "繰延税金資産の発生の主な原因", 1, ["賞与引当金及び減価償却超過額であります。"]),
    (1090030, 4, "繰延税金負債の発生の主な原因", 0, []),
    (1100010, 3, "リースにより使用する固定資産に関する注記", 1, []),
    (1100050, 4, "その他リース資産に関する重要な事項", 1,
     ["事務用機器をリース契約により使用しております。"]),
    (1130010, 3, "関連当事者との取引に関する注記", 1, []),
    (1130020, 4, "関連当事者との取引の内訳", 1, []),
    (1130030, 5, "関連当事者の名称", 1, ["さくら興産株式会社（役員が議決権の過半数を所有）"]),
    (1130070, 5, "取引の内容", 1, ["製品の販売"]),
    (1140010, 3, "一株当たり情報に関する注記", 1, []),
    (1140020, 4, "一株当たりの純資産額", 1, ["412円50銭"]),
    (1140030, 4, "一株当たりの当期純利益", 1, ["38円12銭"]),
    (1150010, 3, "重要な後発事象に関する注記", 1, ["該当事項はありません。"]),
    (1170010, 3, "その他の注記", 1, []),
    (1170020, 4, "項目名", 1, ["R&D費の会計処理"]),
    (1170030, 4, "内容", 1, ["R&D費は、発生時に費用として処理しております。"]),
]


def xml_escape(text):
    return (text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
            .replace("'", "&apos;").replace('"', "&quot;"))


def crlf(lines):
    return "".join(line + "\r\n" for line in lines)


def notes_settings():
    lines = ["[NoteCommon]", "InputMode=1", "Version=3"]
    for n, (name, disp) in enumerate(NOTE_SECTIONS):
        lines += [f"[Note_{n:02d}]", f"Name={name}", f"Disp={disp}"]
    return crlf(lines)


def statement_settings(company_name):
    return crlf(["[Kessansho]", f"Title={company_name}　第24期　決算報告書", "PeriodNo=24",
                 "Unit=0", "Note=1", "Sign=1"])


def notes_text():
    lines = ["<Notes>"]
    for item_id, depth, name, shown, text in NOTE_ITEMS:
        lines += ["<Item>", f"<ID>{item_id}</ID>", f"<Name>{xml_escape(name)}</Name>",
                  f"<Level>{depth - 2}</Level>", f"<Disp>{shown}</Disp>", "<Value>"]
        lines += [f"<Line>{xml_escape(t)}</Line>" for t in text]
        lines += ["</Value>", "</Item>"]
    lines.append("</Notes>")
    return crlf(lines)


# The notes sections of each group of the export's note items, groups 0 to 10.
GROUP_SECTIONS = [(0,), (1, 2, 3), (6,), (7,), (8,), (9,), (10,), (13,), (14,), (15,), (17,)]


def check_notes():
    require(len(NOTE_SECTIONS) == 34, "34 notes sections expected")
    shown_sections = {(i[0] - 1000000) // 10000 for i in NOTE_ITEMS if i[3]}
    for group, sections in enumerate(GROUP_SECTIONS):
        require(NOTE_SECTIONS[group][1] == 1, f"notes group {group} is switched off")
        require(shown_sections & set(sections), f"notes group {group} has no shown item")
    ids = [i[0] for i in NOTE_ITEMS]
    require(ids == sorted(ids), "note items out of table order")
    # A shown item's parent (the closest earlier row with a smaller depth) is shown too.
    for n, (item_id, depth, _, shown, _) in enumerate(NOTE_ITEMS):
        if depth == 3 or not shown:
            continue
        parent = next(i for i in reversed(NOTE_ITEMS[:n]) if i[1] < depth)
        require(parent[3], f"note {item_id} shown below hidden {parent[0]}")
    for text in (notes_settings(), statement_settings(""), notes_text()):
        text.encode("cp932")


# ---------------------------------------------------------------------------
def hex_code(value, digits=8):
    return f"0x{value:0{digits}X}"


def account_json(record):
    out = {"key": record["key"], "name": record["name"]}
    if record["secondName"]:
        out["secondName"] = record["secondName"]
    if record["kind"]:
        out["kind"] = record["kind"]
    out["nature"] = record["nature"]
    out["class"] = hex_code(record["class"])
    if any(record["debit"]) or any(record["credit"]):
        out["set0"] = {"debit": record["debit"], "credit": record["credit"]}
    if record["ledger"]:
        out["ledger"] = [ledger_json(e) for e in record["ledger"]]
    return out


def ledger_json(e):
    out = {"voucherId": e["voucherId"], "voucherNo": e["voucherNo"], "lineNo": e["lineNo"],
           "date": e["date"]}
    if e["compound"]:
        out["compound"] = hex_code(e["compound"], 2)
    for side in ("debit", "credit"):
        if e[side + "Key"]:
            out[side + "Key"] = e[side + "Key"]
        out[side + "Amount"] = e[side + "Amount"]
        if e[side + "Tax"]:
            out[side + "Tax"] = e[side + "Tax"]
    out["summary"] = e["summary"]
    out["side"] = e["side"]
    return out


def journal_json(journal):
    return [{"id": v["id"], "lines": [
        {"lineNo": n, "debitAmount": l[1], "debitTax": l[2], "creditAmount": l[4],
         "creditTax": l[5]} for n, l in enumerate(v["lines"], 1)]}
        for v in journal.vouchers if v["marker"] != MARKER_NONE]


COMPANY_NAME = "株式会社さくら精工"


def book(chart, journal):
    return {
        "format": 1,
        "unit": "yen",
        "user": {"id": "KEIRI01", "selectionNo1": 0, "selectedDataNo": 1},
        "folders": {"output": "C:\\users\\Public\\Documents\\",
                    "settings": "C:\\users\\Public\\Documents\\Tallyvale\\Settings\\"},
        "companies": [
            {
                "id": "SAKURA2025",
                "number": 1,
                "name": COMPANY_NAME,
                "periodStart": PERIOD_START,
                "periodEnd": PERIOD_END,
                "manufacturing": 1,
                "interimClosing": 1,
                "startOfUseMonth": 1,
                "companyLaw": 1,
                "taxSettings": {"sumSet": 0},
                "accounts": [account_json(r) for r in chart.records],
                "master": chart.master(),
                "vouchers": journal_json(journal),
                "saved": {
                    "notesSettings": notes_settings(),
                    "statementSettings": statement_settings(COMPANY_NAME),
                    "notesText": notes_text(),
                },
            },
            {
                "id": "SAKURA2024",
                "number": 2,
                "name": COMPANY_NAME + "（前期実績）",
                "periodStart": 20240401,
                "periodEnd": 20250331,
                "manufacturing": 1,
                "startOfUseMonth": 99,
            },
        ],
    }


# ---------------------------------------------------------------------------
# JSON text: nested objects indented, but small objects, number arrays, ledger
# lines and journal lines kept on one line each so that the book stays readable.
INLINE_OBJECTS = {"user", "folders", "taxSettings"}
ONE_PER_LINE = {"ledger", "lines", "master"}  # arrays whose elements are written inline


def emit(value, indent=0, key=None, inline=False):
    if inline or key in INLINE_OBJECTS or (
            isinstance(value, list) and all(isinstance(x, (int, str)) for x in value)):
        return json.dumps(value, ensure_ascii=False)
    pad = "  " * indent
    if isinstance(value, dict):
        items = [f"{pad}  {json.dumps(k)}: {emit(v, indent + 1, k)}" for k, v in value.items()]
        return "{\n" + ",\n".join(items) + "\n" + pad + "}"
    if isinstance(value, list):
        items = [pad + "  " + emit(x, indent + 1, inline=key in ONE_PER_LINE) for x in value]
        return "[\n" + ",\n".join(items) + "\n" + pad + "]"
    return json.dumps(value, ensure_ascii=False)


def support_inf():
    lines = [
        "[=製品名=]Tallyvale２２",
        "[=製品ﾊﾞｰｼﾞｮﾝ=]22.0.5",
        "[=シリアル番号=]TV22-0418-2735-0061",
        "[=会社名=]" + COMPANY_NAME,
        "[=部署名=]経理部",
        "[=担当者名=]佐藤　美咲",
        "[=電話番号=]000-0000-0000",
        "[=メールアドレス=]keiri@sakura-seiko.example",
        "[=お問い合わせ内容=]決算書の連動で、一部の注記が連動されないという案内が表示されます。",
        "収益認識に関する注記を入力していますが、Quillmark側で手入力が必要でしょうか。",
        "[=症状が再現する手順や条件=]1. 決算書の連動を起動する",
        "2. 集計期間を4月～3月のまま実行する",
        "3. 注記に関する案内が表示される",
        "[=OS=]Windows 10 Pro 64bit",
        "[=作成日=]2026/05/18",
    ]
    return crlf(lines).encode("cp932")


def quillmark_def():
    return crlf(["[ProgramLevel]", "QK41=4"]).encode("ascii")


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "demo", "install")
    chart = Chart()
    journal = Journal(chart)
    write_year(journal)
    number_vouchers(journal)
    post(chart, journal)
    write_ledgers(chart, journal)
    derive(chart)
    try:
        self_check(chart, journal)
        check_notes()
    except CheckFailed as failure:
        sys.exit(f"make_demo_book: the demo book does not add up: {failure}")

    text = emit(book(chart, journal)) + "\n"
    os.makedirs(out_dir, exist_ok=True)
    outputs = {"TallyvaleBook.json": text.encode("utf-8"), "SUPPORT.INF": support_inf(),
               "QuillmarkDef.ini": quillmark_def()}
    for name, data in outputs.items():
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)
    lines = sum(len(r["ledger"]) for r in chart.records)
    print(f"make_demo_book: {len(chart.records)} accounts, {len(journal.vouchers)} vouchers, "
          f"{lines} ledger lines -> {os.path.normpath(out_dir)}")


if __name__ == "__main__":
    main()
