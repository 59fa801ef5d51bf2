#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "collect/ClKessanshoData.h"
#include "framework/Headless.h"
#include "platform/bridgekit.h"
#include "platform/sharekit.h"
#include "tests/unit/platform/TestBooks.h"
#include "ui/ClProgressDlg.h"

namespace {

constexpr int64_t kRawPerYen = 10000;
constexpr uint32_t kBank = 11200000;      // 普通預金, debit-natured
constexpr uint32_t kTaxPaid = 11900000;   // 仮払消費税
constexpr uint32_t kTaxTaken = 21900000;  // 仮受消費税, credit-natured

// The account-sum record of the bank account, as the walk needs it.
StKAMOKUSUMINFO BankSums() {
    StKAMOKUSUMINFO sums;
    std::memset(&sums, 0, sizeof sums);
    sums.accountKey = kBank;
    sums.nature = 1;
    sums.classCode = 0x80888800;
    return sums;
}

// Month kinds `start` to `end`, as the run's search conditions give them.
StFINDINFO Range(int16_t start, int16_t end) {
    StFINDINFO find;
    std::memset(&find, 0, sizeof find);
    const int16_t kinds[] = {start, end};
    const int16_t comparisons[] = {4, 6};
    for (int i = 0; i < 2; ++i) {
        find.slots[i].field = 17;
        find.slots[i].comparison = comparisons[i];
        find.slots[i].valueType = 2;
        find.slots[i].monthKind = kinds[i];
    }
    find.slots[0].link = 1;
    return find;
}

StDATAINFO SelectedCompany() {
    auto* dataSet = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(kSetKindData, 1));
    return *dataSet->GetSelectedInfo();
}

// A ledger row with its amounts in yen.
struct Row {
    uint32_t account;
    int32_t voucherNo;
    std::string date, subAccount, counter, counterSub, summary;
    int64_t amount, balance;

    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << row.account << " #" << row.voucherNo << " [" << row.date << "] sub["
               << row.subAccount << "] counter[" << row.counter << "/" << row.counterSub << "] ["
               << row.summary << "] " << row.amount << " -> " << row.balance;
}

Row Expected(uint32_t account, int32_t voucherNo, const char* date, const char* subAccount,
             const char* counter, const char* counterSub, const char* summary, int64_t amount,
             int64_t balance) {
    return {account,
            voucherNo,
            date,
            subAccount,
            counter,
            counterSub,
            summary,
            amount * kRawPerYen,
            balance * kRawPerYen};
}

// A collector with the ledger option over lists of its own.
class Collection {
  public:
    Collection() {
        collector.accountItemList = &items;
        collector.ledgerLineList = &lines;
        collector.ledgerOption = 1;
    }
    ~Collection() {
        DeleteAll(items);
        DeleteAll(lines);
    }

    int Run(int sumSetFlag, const StFINDINFO& find) {
        const StDATAINFO company = SelectedCompany();
        return collector.CollectAccounts(sumSetFlag, &find, &company);
    }
    std::vector<Row> Rows(uint32_t account = 0) const {
        std::vector<Row> rows;
        for (POSITION pos = lines.GetHeadPosition(); pos;) {
            const StMOTOCHOLINEINFO& line = *lines.GetNext(pos);
            if (account != 0 && line.accountKey != account) continue;
            rows.push_back({line.accountKey, line.voucherNo, line.dateText, line.subAccountName,
                            line.counterAccountName, line.counterSubAccountName, line.summary,
                            line.amount, line.balance});
        }
        return rows;
    }

    AccountItemList items;
    LedgerLineList lines;
    ClKessanshoData collector;
};

class LedgerRulesBook : public ::testing::Test {
  protected:
    void SetUp() override { LoadBookFile(FixtureBook("ledger-rules.json")); }
};

// Every counter-side case, the names, era dates, dropped lines and the running balance
// from the balance brought forward.
TEST_F(LedgerRulesBook, RowsShowCounterAccountsAndRunningBalance) {
    Collection run;
    ASSERT_EQ(run.Run(0, Range(1, 12)), ClKessanshoData::kOk);
    const std::vector<Row> expected = {
        // debit side, single counter; own sub-account; before the first era
        Expected(kBank, 1, "", "本店", "売上高", "", "売上 & 入金", 100, 1100),
        // credit side, several debit accounts
        Expected(kBank, 2, "甲1年4月20日", "", "諸口", "", "", -50, 1050),
        // debit side, several credit accounts
        Expected(kBank, 3, "甲1年5月1日", "", "諸口", "", "", 20, 1070),
        // debit side, several debit accounts: the single credit account and its sub
        Expected(kBank, 4, "甲1年8月31日", "", "買掛金", "Ａ商事", "", 30, 1100),
        // credit side, several credit accounts: the single debit account
        Expected(kBank, 5, "乙1年9月1日", "", "売上高", "", "", -40, 1060),
        // both sides several: a balanced first line
        Expected(kBank, 6, "乙1年10月1日", "", "売上高", "", "", 60, 1120),
        // a balanced later line after lines that balance together
        Expected(kBank, 7, "乙1年11月1日", "", "売上高", "", "", 70, 1190),
        // a balanced later line after lines that do not (tax included)
        Expected(kBank, 8, "乙1年12月1日", "", "諸口", "", "", 80, 1270),
        // a line whose own sides differ
        Expected(kBank, -9, "乙2年1月5日", "", "諸口", "", "", 90, 1360),
        // (a zero line and a line against an account outside the statements: no rows)
        // on both sides: the difference
        Expected(kBank, 12, "乙2年3月31日", "", "普通預金", "", "振替", 4, 1364),
    };
    EXPECT_EQ(run.Rows(kBank), expected);
}

TEST_F(LedgerRulesBook, SecondSumSetIncludesTax) {
    Collection run;
    ASSERT_EQ(run.Run(1, Range(1, 2)), ClKessanshoData::kOk);
    const std::vector<Row> expected = {
        Expected(kBank, 1, "", "本店", "売上高", "", "売上 & 入金", 108, 2108),
        Expected(kBank, 2, "甲1年4月20日", "", "諸口", "", "", -50, 2058),
        Expected(kBank, 3, "甲1年5月1日", "", "諸口", "", "", 20, 2078),
    };
    EXPECT_EQ(run.Rows(kBank), expected);
}

TEST_F(LedgerRulesBook, LaterRangeBringsTheEarlierMonthsForwardAndKeepsItsOwnDays) {
    Collection run;
    ASSERT_EQ(run.Run(0, Range(4, 6)), ClKessanshoData::kOk);
    const std::vector<Row> expected = {
        Expected(kBank, 4, "甲1年8月31日", "", "買掛金", "Ａ商事", "", 30, 1230),
        Expected(kBank, 5, "乙1年9月1日", "", "売上高", "", "", -40, 1190),
    };
    EXPECT_EQ(run.Rows(kBank), expected);
}

// The consumption-tax accounts list the tax of other accounts' lines under the first sum
// set; under the second (tax included in every amount) only their own lines remain.
TEST_F(LedgerRulesBook, ConsumptionTaxAccountsUnderBothSumSets) {
    struct Case {
        int sumSetFlag;
        std::vector<Row> expected;
    };
    const Case cases[] = {
        {0,
         {Expected(kTaxPaid, 20, "甲1年7月1日", "", "普通預金", "", "仕入の税", 100, 100),
          Expected(kTaxPaid, 21, "甲1年7月2日", "", "普通預金", "", "税の振替", 50, 150),
          Expected(kTaxTaken, 22, "甲1年7月3日", "", "売上高", "", "売上の税", 30, 30)}},
        {1, {Expected(kTaxPaid, 21, "甲1年7月2日", "", "普通預金", "", "税の振替", 55, 55)}},
    };
    for (const Case& c : cases) {
        Collection run;
        ASSERT_EQ(run.Run(c.sumSetFlag, Range(1, 12)), ClKessanshoData::kOk);
        std::vector<Row> rows = run.Rows(kTaxPaid);
        const std::vector<Row> taken = run.Rows(kTaxTaken);
        rows.insert(rows.end(), taken.begin(), taken.end());
        EXPECT_EQ(rows, c.expected) << "sum set " << c.sumSetFlag;
    }
}

// Kind 1, either exclusion flag and the classes outside the statements have no ledger.
TEST_F(LedgerRulesBook, ExcludedAccountsHaveNoRows) {
    Collection run;
    ASSERT_EQ(run.Run(0, Range(1, 12)), ClKessanshoData::kOk);
    std::map<uint32_t, int> rowsPerAccount;
    for (const Row& row : run.Rows()) ++rowsPerAccount[row.account];
    const std::map<uint32_t, int> expected = {{kBank, 10}, {kTaxPaid, 2}, {kTaxTaken, 1}};
    EXPECT_EQ(rowsPerAccount, expected);
}

// The activity bar sweeps once before every ledger line read.
TEST_F(LedgerRulesBook, ActivityBarSweepsBeforeEveryLineRead) {
    Collection run;
    ClProgressDlg progress(nullptr, 0);
    progress.Create(ClProgressDlg::kTemplateId);
    progress.Start();
    run.collector.progressDlg = &progress;
    const StDATAINFO company = SelectedCompany();
    const StFINDINFO find = Range(1, 12);
    headless::Recorder::Get().Reset();
    ASSERT_EQ(run.collector.CollectLedger(0, &company, &find, BankSums()), ClKessanshoData::kOk);
    int sweeps = 0;
    for (const headless::BarMessage& message : headless::Recorder::Get().barMessages)
        if (message.message == PBM_SETPOS) ++sweeps;
    EXPECT_EQ(sweeps, 12);
}

// ---------------------------------------------------------------- failures

struct FaultCase {
    const char* what;
    const char* faults;  // the book's "faults" object
    int firstResult;     // of the walk of the bank account
    size_t rowsAfterFirst;
    bool ruleKept;
    size_t rowsAfterSecond;  // a second walk of the same account, faults used up
};

// ledger-rules.json with the given faults.
void LoadWithFaults(const char* faults) {
    std::ifstream in(FixtureBook("ledger-rules.json"));
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string marker = "\"companies\"";
    text.insert(text.find(marker), std::string("\"faults\": ") + faults + ",\n  ");
    InstallBook(text);
}

TEST(LedgerFailures, FailedWalksKeepTheirRowsAndTheRule) {
    const FaultCase cases[] = {
        {"rule not created", R"({"ClRuleMotocho::create@1": 1})", 0, 0, false, 10},
        {"count refused", R"({"ClRuleMotocho::GetCount@1": 3})", 0, 0, true, 10},
        {"position refused", R"({"ClRuleMotocho::SetMovePos@1": 3})", 0, 0, true, 10},
        {"read fails", R"({"ClRuleMotocho::MoveNext@3": 7})", 0, 3, true, 13},
        {"end of data early", R"({"ClRuleMotocho::MoveNext@3": 5000})", 1, 3, false, 13},
        {"journal rule not created", R"({"ClRuleShiwake::create@1": 1})", 0, 6, true, 16},
    };
    for (const FaultCase& c : cases) {
        LoadWithFaults(c.faults);
        Collection run;
        const StDATAINFO company = SelectedCompany();
        const StFINDINFO find = Range(1, 12);
        EXPECT_EQ(run.collector.CollectLedger(0, &company, &find, BankSums()), c.firstResult)
            << c.what;
        EXPECT_EQ(run.Rows().size(), c.rowsAfterFirst) << c.what;
        EXPECT_EQ(run.collector.motochoRule != nullptr, c.ruleKept) << c.what;
        EXPECT_EQ(run.collector.CollectLedger(0, &company, &find, BankSums()), 1) << c.what;
        EXPECT_EQ(run.Rows().size(), c.rowsAfterSecond) << c.what;
        EXPECT_EQ(run.collector.motochoRule, nullptr) << c.what;
    }
}

TEST(LedgerFailures, ExcludedAccountTouchesNoLibraryObject) {
    LoadWithFaults(R"({"ClRuleMotocho::create": 1})");
    Collection run;
    const StDATAINFO company = SelectedCompany();
    const StFINDINFO find = Range(1, 12);
    StKAMOKUSUMINFO kinds = BankSums();
    kinds.kind = 3;
    StKAMOKUSUMINFO flagged = BankSums();
    flagged.excludeLedger127 = 1;
    StKAMOKUSUMINFO outside = BankSums();
    outside.classCode = 0x08000000;
    for (const StKAMOKUSUMINFO& sums : {kinds, flagged, outside})
        EXPECT_EQ(run.collector.CollectLedger(0, &company, &find, sums), 1);
    EXPECT_EQ(run.collector.CollectLedger(0, &company, &find, BankSums()), 0);
}

// ---------------------------------------------------------------- many lines

// An account with more ledger lines than a 16-bit counter holds, each on a voucher of
// many balanced lines: every line makes a row and the running balance reaches the
// account's closing balance.
TEST(LedgerSize, EveryLineOfALargeAccountMakesARow) {
    constexpr int kLines = 33000;
    constexpr int kVoucherLines = 40000;
    std::string ledger, journal;
    for (int i = 0; i < kLines; ++i) {
        const int lineNo = kVoucherLines - kLines + i + 1;
        ledger += (i ? "," : "") + std::string("{\"voucherId\":1,\"voucherNo\":1,\"lineNo\":") +
                  std::to_string(lineNo) +
                  ",\"date\":20250415,\"compound\":\"0x22\",\"debitKey\":11200000,"
                  "\"debitAmount\":1,\"creditKey\":41100000,\"creditAmount\":1,\"side\":2}";
    }
    for (int lineNo = 1; lineNo <= kVoucherLines; ++lineNo)
        journal += (lineNo > 1 ? "," : "") + std::string("{\"lineNo\":") + std::to_string(lineNo) +
                   ",\"debitAmount\":1,\"creditAmount\":1}";
    const std::string book =
        R"({"format":1,"unit":"yen","companies":[{"id":"BIG","number":1,"periodStart":20250401,)"
        R"("periodEnd":20260331,"accounts":[{"key":11200000,"class":"0x80888800",)"
        R"("set0":{"debit":[0,33000]},"ledger":[)" +
        ledger +
        R"(]},{"key":41100000,"name":"\u58f2\u4e0a\u9ad8","nature":0,"class":"0x40888800"}],)"
        R"("vouchers":[{"id":1,"lines":[)" +
        journal + "]}]}]}";
    InstallBook(book);

    Collection run;
    ASSERT_EQ(run.Run(0, Range(1, 12)), ClKessanshoData::kOk);
    const std::vector<Row> rows = run.Rows(kBank);
    ASSERT_EQ(rows.size(), static_cast<size_t>(kLines));
    EXPECT_EQ(rows.back().balance, +run.items.GetAt(run.items.GetHeadPosition())->closingAmount);
    EXPECT_EQ(rows.back().counter, "売上高");
}

}  // namespace
