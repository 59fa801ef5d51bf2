#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "collect/ClKessanshoData.h"
#include "framework/Headless.h"
#include "platform/bridgekit.h"
#include "tests/unit/platform/TestBooks.h"
#include "ui/ClProgressDlg.h"

namespace {

constexpr int kOverallBar = 1016;
constexpr int kActivityBar = 1017;

headless::Recorder& Screen() { return headless::Recorder::Get(); }

// The search conditions: month kind from `start` to `end`, or equal to each of `orKinds`.
StFINDINFO Find(int16_t start, int16_t end, std::initializer_list<int16_t> orKinds = {}) {
    StFINDINFO find;
    std::memset(&find, 0, sizeof find);
    std::vector<std::pair<int16_t, int16_t>> slots = {{4, start}, {6, end}};
    for (int16_t kind : orKinds) slots.push_back({1, kind});
    for (size_t i = 0; i < slots.size(); ++i) {
        StFINDCONDINFO& slot = find.slots[i];
        slot.field = 17;
        slot.comparison = slots[i].first;
        slot.valueType = 2;
        slot.monthKind = slots[i].second;
        slot.link = i + 1 == slots.size() ? 0 : (i == 0 ? 1 : 2);
    }
    return find;
}

StDATAINFO Company(int32_t interimClosing = 0, int16_t startOfUseMonth = 1) {
    StDATAINFO data;
    std::memset(&data, 0, sizeof data);
    data.interimClosing = interimClosing;
    data.startOfUseMonth = startOfUseMonth;
    return data;
}

// An account item read out of its packed record.
struct Item {
    explicit Item(const StKESSANITEMINFO& record)
        : accountKey(record.accountKey),
          formalName(record.formalName),
          labelName(record.labelName),
          openingAmount(record.openingAmount),
          changeAmount(record.changeAmount),
          closingAmount(record.closingAmount),
          classCode(record.classCode),
          accountKind(record.accountKind) {}

    uint32_t accountKey;
    std::string formalName, labelName;
    int64_t openingAmount, changeAmount, closingAmount;
    uint32_t classCode;
    int16_t accountKind;
};

// A collector over a list of its own, with the progress dialog on the headless screen.
class Collection {
  public:
    explicit Collection(int32_t ledgerOption = 0) {
        progress.Create(ClProgressDlg::kTemplateId);
        progress.Start();
        Screen().Reset();
        collector.progressDlg = &progress;
        collector.accountItemList = &items;
        collector.ledgerLineList = &lines;
        collector.ledgerOption = ledgerOption;
    }
    ~Collection() {
        DeleteAll(items);
        DeleteAll(lines);
    }

    int Run(int sumSetFlag, const StFINDINFO& find, const StDATAINFO& data) {
        return collector.CollectAccounts(sumSetFlag, &find, &data);
    }
    std::vector<Item> Items() const {
        std::vector<Item> copies;
        for (POSITION pos = items.GetHeadPosition(); pos;) copies.emplace_back(*items.GetNext(pos));
        return copies;
    }

    ClProgressDlg progress{nullptr, 0};
    AccountItemList items;
    LedgerLineList lines;
    ClKessanshoData collector;
};

// ---------------------------------------------------------------- the amount rules

// Σ 10^index: in collect-rules.json every column holds a multiple of 10^index raw, so
// the digits of an amount show which indexes it took.
int64_t Digits(std::initializer_list<int> indexes) {
    int64_t sum = 0;
    for (int index : indexes) {
        int64_t power = 1;
        for (int i = 0; i < index; ++i) power *= 10;
        sum += power;
    }
    return sum;
}

// The accounts of collect-rules.json that get items, in order. Debit-natured accounts
// hold 2 x 10^i debit and 1 x 10^i credit (balance +1 per index in their direction),
// credit-natured ones the same columns (-1) or the other way round (+1); the second sum
// set holds five times the first.
struct RulesAccount {
    uint32_t key;
    bool balanceSheet;
    int perIndex;  // balance per 10^index, in the account's own direction
    int16_t kind;
    uint32_t classCode;
};
constexpr RulesAccount kRulesAccounts[] = {
    {11100000, true, 1, 0, 0x80888800},   // 現金, debit-natured
    {21100000, true, -1, 0, 0x80488800},  // 買掛金, credit-natured, debit-heavy columns
    {41100000, false, 1, 0, 0x40888800},  // 売上高, credit-natured
    {43200000, false, 1, 0, 0x40882400},  // 給料手当, debit-natured
    {31000000, true, 1, 0, 0x80202010},   // profit brought forward
    {31100000, true, 3, 0, 0x80202010},   // the last such account: carried
    {48900000, false, 0, 2, 0x40200020},  // bottom line, not the last
    {49900000, false, 0, 2, 0x40200020},  // the last bottom line: takes the carried profit
};
constexpr int kCarriedPerIndex = 3;
constexpr int kRulesAccountCount = 9;  // with the kind-1 sub-account 43200001

struct RulesCase {
    const char* what;
    int sumSetFlag;
    StFINDINFO find;
    int32_t interimClosing;
    int16_t startOfUseMonth;
    std::initializer_list<int> balanceSheetOpening;
    std::initializer_list<int> otherOpening;
    std::initializer_list<int> range;
    bool carried;
};

class RulesBook : public ::testing::Test {
  protected:
    void SetUp() override { LoadBookFile(FixtureBook("collect-rules.json")); }
};

TEST_F(RulesBook, OpeningChangeAndClosingFollowTheMonthsAndTheCompany) {
    const RulesCase cases[] = {
        {"first months", 0, Find(1, 3), 0, 1, {0}, {0}, {1, 2, 3}, false},
        {"second sum set", 1, Find(1, 3), 0, 1, {0}, {0}, {1, 2, 3}, false},
        {"later start carries the months before",
         0,
         Find(4, 6),
         0,
         1,
         {0, 1, 2, 3},
         {},
         {4, 5, 6},
         true},
        {"start of use 0 behaves like 1, S 1", 0, Find(1, 1), 0, 0, {0}, {0}, {1}, false},
        {"start of use 0 behaves like 1, S 2", 0, Find(2, 2), 0, 0, {0, 1}, {}, {2}, true},
        {"start of use 5, S 5", 0, Find(5, 5), 0, 5, {0, 1, 2, 3, 4}, {0}, {5}, false},
        {"start of use 5, S 6", 0, Find(6, 8), 0, 5, {0, 1, 2, 3, 4, 5}, {}, {6, 7, 8}, true},
        {"start after end adds no month", 0, Find(7, 6), 0, 1, {0, 1, 2, 3, 4, 5, 6}, {}, {}, true},
        {"year-end slot",
         0,
         Find(1, 12, {18}),
         0,
         1,
         {0},
         {0},
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13},
         false},
        {"year-end slot, second sum set",
         1,
         Find(10, 12, {18}),
         0,
         1,
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
         {},
         {10, 11, 12, 13},
         true},
        {"interim closing with E 6",
         0,
         Find(1, 6, {15}),
         1,
         1,
         {0},
         {0},
         {1, 2, 3, 4, 5, 6, 14},
         false},
        {"interim closing off", 0, Find(1, 6), 0, 1, {0}, {0}, {1, 2, 3, 4, 5, 6}, false},
        {"interim closing with E 7", 0, Find(1, 7), 1, 1, {0}, {0}, {1, 2, 3, 4, 5, 6, 7}, false},
        // A six-month first year with interim closing, ending with its last month.
        {"interim slot then year-end slot",
         0,
         Find(1, 6, {15, 18}),
         1,
         1,
         {0},
         {0},
         {1, 2, 3, 4, 5, 6, 13, 14},
         false},
    };
    for (const RulesCase& c : cases) {
        SCOPED_TRACE(c.what);
        Collection run;
        const StDATAINFO data = Company(c.interimClosing, c.startOfUseMonth);
        ASSERT_EQ(run.Run(c.sumSetFlag, c.find, data), 1);
        const std::vector<Item> items = run.Items();
        ASSERT_EQ(items.size(), std::size(kRulesAccounts));
        const int64_t set = c.sumSetFlag ? 5 : 1;
        for (size_t i = 0; i < items.size(); ++i) {
            const RulesAccount& account = kRulesAccounts[i];
            SCOPED_TRACE(account.key);
            const int64_t unit = set * account.perIndex;
            const int64_t opening =
                unit * Digits(account.balanceSheet ? c.balanceSheetOpening : c.otherOpening);
            const int64_t change = unit * Digits(c.range);
            const bool adjusted = c.carried && i + 1 == items.size();
            const int64_t carried =
                adjusted ? set * kCarriedPerIndex * Digits(c.balanceSheetOpening) : 0;
            EXPECT_EQ(items[i].accountKey, account.key);
            EXPECT_EQ(items[i].openingAmount, opening);
            EXPECT_EQ(items[i].changeAmount, change);
            EXPECT_EQ(items[i].closingAmount, opening + change + carried);
            EXPECT_EQ(items[i].classCode, account.classCode);
            EXPECT_EQ(items[i].accountKind, account.kind);
        }
    }
}

TEST_F(RulesBook, ItemsCarryTheNamesAndSkipKindOne) {
    Collection run;
    ASSERT_EQ(run.Run(0, Find(1, 12, {18}), Company()), 1);
    const std::vector<Item> items = run.Items();
    ASSERT_EQ(items.size(), 8u);
    EXPECT_EQ(items[0].formalName, "現金");
    EXPECT_EQ(items[0].labelName, "現金及び預金");
    EXPECT_EQ(items[3].formalName, "給料手当");
    EXPECT_EQ(items[3].labelName, "");
    for (const Item& item : items) EXPECT_NE(item.accountKey, 43200001u);
    EXPECT_EQ(run.collector.kamokuRule, nullptr);
    EXPECT_FALSE(run.collector.amountOverflow);
}

TEST_F(RulesBook, ConditionsAfterTheLastLinkAreNotRead) {
    StFINDINFO find = Find(1, 12, {18});
    find.slots[1].link = 0;
    Collection run;
    ASSERT_EQ(run.Run(0, find, Company()), 1);
    EXPECT_EQ(run.Items()[0].changeAmount, Digits({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

// ---------------------------------------------------------------- progress

// The screen the progress dialog leaves for a sequence of its calls: 'D' a step of the
// overall bar, 'P' a sweep of the activity bar; a title at each whole percent.
class ScreenOf {
  public:
    ScreenOf& Advance(int from, int to) {
        for (int pos = from; pos <= to; ++pos) {
            if (pos % 100 == 0) titles.push_back(Title(pos / 100));
            events += "DP";
        }
        return *this;
    }
    ScreenOf& Pulse(int times = 1) {
        events.append(times, 'P');
        return *this;
    }
    static std::string Title(int percent) { return "集計中 " + std::to_string(percent) + "％"; }

    std::string events;
    std::vector<std::string> titles;
};

ScreenOf Recorded() {
    ScreenOf screen;
    for (const headless::BarMessage& message : Screen().barMessages) {
        if (message.barId == kOverallBar && message.message == PBM_DELTAPOS) screen.events += 'D';
        if (message.barId == kActivityBar && message.message == PBM_SETPOS) screen.events += 'P';
    }
    for (const headless::TitleChange& title : Screen().titles) screen.titles.push_back(title.text);
    return screen;
}

void ExpectScreen(const ScreenOf& expected) {
    const ScreenOf recorded = Recorded();
    EXPECT_TRUE(recorded.events == expected.events)
        << recorded.events.size() << " events, expected " << expected.events.size();
    EXPECT_EQ(recorded.titles, expected.titles);
}

TEST_F(RulesBook, WithoutTheLedgerTheBarMovesInFourStepsAroundTheAccounts) {
    Collection run;
    ASSERT_EQ(run.Run(0, Find(1, 3), Company()), 1);
    ExpectScreen(ScreenOf()
                     .Advance(0, 1000)
                     .Advance(1000, 3000)
                     .Advance(3000, 4000)
                     .Pulse(kRulesAccountCount)
                     .Advance(4000, 5000));
    EXPECT_EQ(run.collector.progressPos, 5000.0);
    EXPECT_EQ(run.collector.progressStep, 777.0);  // 7000 / 9
}

// ---------------------------------------------------------------- failures

TEST(CollectFailures, EndSilentlyKeepingWhatWasCollected) {
    // collect-faults.json faults the first creation, the first count, the first move to
    // the start and the third read, and ends the fourth read: each collection below
    // meets the next fault.
    LoadBookFile(FixtureBook("collect-faults.json"));
    struct Case {
        const char* what;
        int result;
        size_t items;
        bool ruleHeld;
    } cases[] = {
        {"rule cannot be created", 0, 0, false},        {"count refused", 0, 0, true},
        {"move to the start refused", 0, 0, true},      {"third read fails", 0, 2, true},
        {"end of data at the first read", 1, 0, false}, {"no fault left", 1, 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Collection run;
        EXPECT_EQ(run.Run(0, Find(1, 12, {18}), Company()), c.result);
        EXPECT_EQ(run.Items().size(), c.items);
        EXPECT_EQ(run.collector.kamokuRule != nullptr, c.ruleHeld);
        EXPECT_FALSE(run.collector.amountOverflow);
        EXPECT_TRUE(Screen().messageBoxes.empty());
    }
}

TEST(CollectFailures, NoAccountsStillFinishesTheBar) {
    LoadBookFile(FixtureBook("collect-empty.json"));
    Collection run;
    run.collector.progressStep = 2.5;
    ASSERT_EQ(run.Run(0, Find(4, 6), Company()), 1);
    EXPECT_TRUE(run.Items().empty());
    EXPECT_EQ(run.collector.progressStep, 2.5);
    ExpectScreen(
        ScreenOf().Advance(0, 1000).Advance(1000, 3000).Advance(3000, 4000).Advance(4000, 5000));
}

// An amount the statements cannot hold ends the collection and says so: the items read
// until then are not to be written as a finished export.
TEST(CollectFailures, AnAmountOfTenToTheFourteenthYenStopsCollection) {
    LoadBookFile(FixtureBook("collect-overflow.json"));
    Collection run;
    EXPECT_EQ(run.Run(0, Find(1, 1), Company()), 0);
    EXPECT_TRUE(run.collector.amountOverflow);
    const std::vector<Item> items = run.Items();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].closingAmount, 999999999999999999);
    ExpectScreen(ScreenOf().Advance(0, 1000).Advance(1000, 3000).Advance(3000, 4000).Pulse(2));
}

// More accounts than a signed 16-bit count holds are all read.
TEST(CollectLarge, ReadsEveryAccountTheRuleReports) {
    constexpr int kAccounts = 32770;
    std::string text = R"({"format":1,"companies":[{"id":"L","number":1,"periodStart":20240101,)"
                       R"("periodEnd":20241231,"accounts":[)";
    for (int i = 0; i < kAccounts; ++i)
        text += (i ? "," : "") + std::string(R"({"key":)") + std::to_string(i + 1) +
                R"(,"class":"0x40882400","set0":{"debit":[0,1]}})";
    text += "]}]}";
    InstallBook(text);

    AccountItemList items;
    ClKessanshoData collector;
    collector.accountItemList = &items;
    const StFINDINFO find = Find(1, 1);
    const StDATAINFO data = Company();
    ASSERT_EQ(collector.CollectAccounts(0, &find, &data), 1);
    ASSERT_EQ(items.GetCount(), kAccounts);
    const Item last(*items.GetAt(items.GetTailPosition()));
    EXPECT_EQ(last.accountKey, static_cast<uint32_t>(kAccounts));
    EXPECT_EQ(last.changeAmount, 1);
    DeleteAll(items);
}

// ---------------------------------------------------------------- the demo book

class DemoBook : public ::testing::Test {
  protected:
    void SetUp() override { LoadBookFile(DemoBookFile()); }

    static const Item* ByCode(const std::vector<Item>& items, uint32_t code) {
        for (const Item& item : items)
            if (item.classCode == code) return &item;
        ADD_FAILURE() << std::hex << code << " not collected";
        return nullptr;
    }
};

constexpr int64_t kYen = 10000;

TEST_F(DemoBook, TheFullYearBalances) {
    Collection run;
    ASSERT_EQ(run.Run(0, Find(1, 12, {18}), Company(1, 1)), 1);
    const std::vector<Item> items = run.Items();
    const Item* assets = ByCode(items, 0x80800000);
    const Item* liabilities = ByCode(items, 0x80400000);
    const Item* netAssets = ByCode(items, 0x80200000);
    ASSERT_TRUE(assets && liabilities && netAssets);
    EXPECT_EQ(assets->closingAmount, 140467820 * kYen);
    EXPECT_EQ(assets->closingAmount, liabilities->closingAmount + netAssets->closingAmount);
    EXPECT_EQ(assets->openingAmount, liabilities->openingAmount + netAssets->openingAmount);

    // The listed accounts under the assets add up to the group.
    int64_t listedAssets = 0;
    for (const Item& item : items)
        if ((item.classCode & 0x80800000) == 0x80800000 &&
            (item.accountKind == 0 || item.accountKind == 3))
            listedAssets += item.closingAmount;
    EXPECT_EQ(listedAssets, assets->closingAmount);

    EXPECT_EQ(ByCode(items, 0x40888000)->closingAmount, 200400000 * kYen);
    EXPECT_EQ(ByCode(items, 0x40200040)->closingAmount, 14871720 * kYen);
}

// With the ledger option the bar spends 7000 / N per account until it reaches 7000:
// 96 accounts step 72 each, and the last four find the bar at 7024.
TEST_F(DemoBook, WithTheLedgerTheBarStepsPerAccountUpToItsShare) {
    Collection run(1);
    ASSERT_EQ(run.Run(0, Find(1, 12, {18}), Company(1, 1)), 1);
    ScreenOf expected;
    expected.Advance(0, 100).Advance(100, 300).Advance(300, 400);
    for (int account = 0; account < 96; ++account) {
        expected.Pulse();
        if (account < 92) expected.Advance(400 + 72 * account, 472 + 72 * account);
    }
    expected.Advance(7024, 8024);
    // The ledger walk adds a sweep per ledger line read to the sweep of each account:
    // compare with every run of sweeps taken as one.
    const auto sweepsJoined = [](std::string events) {
        events.erase(std::unique(events.begin(), events.end(),
                                 [](char a, char b) { return a == 'P' && b == 'P'; }),
                     events.end());
        return events;
    };
    const ScreenOf recorded = Recorded();
    EXPECT_TRUE(sweepsJoined(recorded.events) == sweepsJoined(expected.events));
    EXPECT_GT(recorded.events.size(), expected.events.size());
    EXPECT_EQ(recorded.titles, expected.titles);
    EXPECT_EQ(run.collector.progressPos, 8024.0);
}

}  // namespace
