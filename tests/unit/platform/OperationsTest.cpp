#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/Headless.h"
#include "framework/Sys.h"
#include "platform/bridgekit.h"
#include "platform/pathkit.h"
#include "platform/sharekit.h"
#include "tests/unit/platform/TestBooks.h"

namespace {

int InitiateWith(const std::string& path) {
    SetBookPath(path);
    return ClAccConnect::Inst()->Initiate();
}

template <class T>
T Poisoned() {
    T record;
    std::memset(&record, 0xCC, sizeof record);
    return record;
}

template <class T>
bool AllZero(const T& field) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&field);
    for (size_t i = 0; i < sizeof field; ++i)
        if (bytes[i] != 0) return false;
    return true;
}

class SmallBook : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(InitiateWith(FixtureBook("small.json")), kLibOk); }

    template <class Rule>
    std::unique_ptr<Rule> Attached(const char* dataId = "D007") {
        std::unique_ptr<Rule> rule(new (std::nothrow) Rule);
        EXPECT_TRUE(rule);
        EXPECT_EQ(rule->AttachSetMgr(ClDataMgr::Inst()->GetSetMgr()), kLibOk);
        EXPECT_EQ(rule->SetCurDataID(dataId), kLibOk);
        EXPECT_EQ(rule->AttachOptLink(ClLinkMgr::Inst()->GetOptLink()), kLibOk);
        return rule;
    }

    ClSetData* Data() {
        return static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(kSetKindData, 1));
    }
};

TEST_F(SmallBook, ConnectionAndUserAnswerFromTheBook) {
    EXPECT_EQ(ClAccConnect::Inst()->ExpSysLink(), 0);
    char user[65];
    ASSERT_EQ(ClDataMgr::Inst()->GetSysUserObject()->GetCurUserID(user), kLibOk);
    EXPECT_STREQ(user, "TARO");
    int first = -1, second = -1;
    ASSERT_EQ(ClDataMgr::Inst()->GetSysUserObject()->GetSelectedNo(user, &first, &second), kLibOk);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 7);
    EXPECT_EQ(ClDataMgr::Inst()->GetSetObject(kSetKindData, 0), nullptr);
    EXPECT_EQ(ClDataMgr::Inst()->GetSetObject(2, 1), nullptr);
    EXPECT_NE(ClDataMgr::Inst()->GetSetObject(kSetKindGengo, 0), nullptr);
}

TEST_F(SmallBook, CompanyCursorWalksEveryRecordZeroFilledThenEnds) {
    ClSetData* data = Data();
    int cursor = 0;
    ASSERT_EQ(data->GetDatCursor(&cursor), kLibOk);
    ASSERT_EQ(data->ReadyDat(cursor, 0), kLibOk);
    std::vector<StDATAINFO> walked;
    for (StDATAINFO record = Poisoned<StDATAINFO>(); data->WalkDat(cursor, &record) == kLibOk;
         record = Poisoned<StDATAINFO>())
        walked.push_back(record);
    EXPECT_EQ(data->WalkDat(cursor, &walked[0]), kLibEnd);
    EXPECT_EQ(data->ReleaseDatCursor(cursor), kLibOk);
    EXPECT_EQ(data->WalkDat(cursor, &walked[0]), kLibBadCursor);

    ASSERT_EQ(walked.size(), 2u);
    const StDATAINFO& d = walked[1];
    EXPECT_STREQ(d.dataId, "D007");
    EXPECT_EQ(+d.dataNo, 7);
    EXPECT_STREQ(d.companyName, "株式会社テスト");
    EXPECT_EQ(+d.periodStart, 20230421);
    EXPECT_EQ(+d.periodEnd, 20240420);
    EXPECT_EQ(+d.manufacturing, 1);
    EXPECT_EQ(+d.interimClosing, 1);
    EXPECT_EQ(+d.startOfUseMonth, 2);
    EXPECT_EQ(+d.companyLaw, 1);
    EXPECT_TRUE(AllZero(d.reserved20));
    EXPECT_TRUE(AllZero(d.reserved877));
    EXPECT_EQ(d.companyName[sizeof d.companyName - 1], '\0');

    EXPECT_STREQ(data->GetSelectedInfo()->dataId, "D007");
    char idText[35];
    ASSERT_EQ(ClUtyDBHpr::Inst()->MakeIDStr(d.dataId, idText), kLibOk);
    EXPECT_STREQ(idText, "D007");
}

TEST_F(SmallBook, TaxSettingsCarryOnlyTheSumSetByte) {
    auto* tax = static_cast<ClSetShohizei*>(ClDataMgr::Inst()->GetSetObject(kSetKindShohizei, 1));
    StSHOHIZEIINFO info = Poisoned<StSHOHIZEIINFO>();
    ASSERT_EQ(tax->SetCurDataID("D007"), kLibOk);
    ASSERT_EQ(tax->Get(&info), kLibOk);
    EXPECT_EQ(+info.sumSet, 1);
    EXPECT_TRUE(AllZero(info.reserved0));
    EXPECT_TRUE(AllZero(info.reserved6));
    StSHOHIZEIINFO untouched = Poisoned<StSHOHIZEIINFO>();
    EXPECT_NE(tax->SetCurDataID(""), kLibOk);
    EXPECT_NE(tax->Get(&untouched), kLibOk);
    EXPECT_EQ(+untouched.sumSet, 0xCC);
}

TEST_F(SmallBook, PeriodMonthsFollowAClosingDayBeforeMonthEnd) {
    ClAccPeriod* period = Data()->GetAccPeriod();
    struct Row {
        int kind, from, to;
    };
    const Row rows[] = {
        {1, 20230421, 20230520},  {2, 20230521, 20230620},  {6, 20230921, 20231020},
        {10, 20240121, 20240220}, {11, 20240221, 20240320}, {12, 20240321, 20240420},
        {15, 20230921, 20231020}, {18, 20240321, 20240420},
    };
    for (const Row& row : rows) {
        int from = -1, to = -1;
        EXPECT_EQ(period->GetPeriodByMonthKind(row.kind, &from, &to, 0), kLibOk);
        EXPECT_EQ(from, row.from) << row.kind;
        EXPECT_EQ(to, row.to) << row.kind;
    }

    int closing = -1;
    ClAccPeriod arithmetic;
    EXPECT_EQ(arithmetic.GetClosingDayByEndDate(20240420, 0, &closing), kLibOk);
    EXPECT_EQ(closing, 20);
    EXPECT_EQ(arithmetic.GetClosingDayByEndDate(20240229, 0, &closing), kLibOk);
    EXPECT_EQ(closing, 0);
    EXPECT_EQ(arithmetic.SetClosingDay(20), kLibOk);
    struct MonthRow {
        int date;
        short month;
    };
    for (const MonthRow& row :
         {MonthRow{20230420, 4}, {20230421, 5}, {20231221, 1}, {20230101, 1}}) {
        short month = 0;
        EXPECT_EQ(arithmetic.GetAMonthByDate(row.date, &month, 0), kLibOk);
        EXPECT_EQ(month, row.month) << row.date;
    }
}

TEST(AccPeriod, KindsBeyondAShortPeriodGiveZero) {
    ClAccPeriod period;
    ASSERT_EQ(period.SetPeriod(20230701, 20231231), kLibOk);
    ASSERT_EQ(period.SetClosingDay(0), kLibOk);
    struct Row {
        int kind, from, to;
    };
    for (const Row& row :
         {Row{1, 20230701, 20230731}, Row{6, 20231201, 20231231}, Row{7, 0, 0}, Row{12, 0, 0},
          Row{15, 20231201, 20231231}, Row{18, 20231201, 20231231}}) {
        int from = -1, to = -1;
        period.GetPeriodByMonthKind(row.kind, &from, &to, 0);
        EXPECT_EQ(from, row.from) << row.kind;
        EXPECT_EQ(to, row.to) << row.kind;
    }
    ClAccPeriod threeMonths;
    ASSERT_EQ(threeMonths.SetPeriod(20230101, 20230331), kLibOk);
    int from = -1, to = -1;
    threeMonths.GetPeriodByMonthKind(15, &from, &to, 0);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, 0);
    EXPECT_NE(threeMonths.SetPeriod(0, 0), kLibOk);
}

TEST_F(SmallBook, AccountSumRuleDeliversEveryAccountThenEnds) {
    auto rule = Attached<ClRuleKamoku>();
    StFINDINFO find{};
    rule->MoveReady(1, 0, 0, &find, nullptr, 0);
    int count = -1;
    ASSERT_EQ(rule->GetSumCount(&count), kLibOk);
    EXPECT_EQ(count, 2);
    ASSERT_EQ(rule->SetMovePos(0), kLibOk);
    StKAMOKUSUMINFO sums = Poisoned<StKAMOKUSUMINFO>();
    ASSERT_EQ(rule->MoveNext(&sums), kLibOk);
    EXPECT_EQ(+sums.accountKey, 10000u);
    EXPECT_STREQ(sums.formalName, "現金");
    EXPECT_STREQ(sums.secondName, "現金計");
    EXPECT_EQ(+sums.nature, 1);
    EXPECT_EQ(+sums.classCode, 0x80888000u);
    EXPECT_EQ(+sums.debitSums[0][0], 1000000);
    EXPECT_EQ(+sums.debitSums[0][1], 50000);
    EXPECT_EQ(+sums.debitSums[0][14], 0);
    EXPECT_EQ(+sums.creditSums[0][1], 20000);
    EXPECT_EQ(+sums.debitSums[1][0], 1100000);
    EXPECT_TRUE(AllZero(sums.reserved0));
    EXPECT_TRUE(AllZero(sums.reserved69));
    ASSERT_EQ(rule->MoveNext(&sums), kLibOk);
    EXPECT_EQ(+sums.accountKey, 40010000u);
    EXPECT_EQ(+sums.kind, 3);
    EXPECT_EQ(+sums.nature, 2);
    EXPECT_EQ(rule->MoveNext(&sums), kLibEnd);
    EXPECT_EQ(rule->MoveFinish(), kLibOk);
}

TEST_F(SmallBook, LedgerRuleFiltersTheAccountsLinesByTheViewsDays) {
    auto rule = Attached<ClRuleMotocho>();
    StFINDINFO find{};
    StORDERINFO order{};
    StMOTOCHOHYOJIINFO view{};
    view.accountKey = 10000;
    view.firstDay = 20230421;
    view.lastDay = 20230520;
    rule->MoveReady(&find, &order, &view);
    int count = -1;
    ASSERT_EQ(rule->GetCount(&find, &view, &count), kLibOk);
    EXPECT_EQ(count, 2);
    ASSERT_EQ(rule->SetMovePos(0), kLibOk);
    StMOTOCHOINFO line = Poisoned<StMOTOCHOINFO>();
    ASSERT_EQ(rule->MoveFirst(&line), kLibOk);
    EXPECT_EQ(+line.voucherId, 11u);
    EXPECT_EQ(+line.lineNo, 1u);
    EXPECT_EQ(+line.date, 20230425);
    EXPECT_EQ(+line.compound, kCompoundBothSeveral);
    EXPECT_EQ(+line.debitAmount, 1000000);
    EXPECT_EQ(+line.creditKey, 40010000u);
    EXPECT_STREQ(line.summary, "売上入金");
    EXPECT_EQ(+line.side, 2);
    EXPECT_TRUE(AllZero(line.reserved239));
    ASSERT_EQ(rule->MoveNext(&line), kLibOk);
    EXPECT_EQ(+line.lineNo, 2u);
    EXPECT_EQ(+line.side, 3);
    EXPECT_EQ(+line.compound, 0);
    EXPECT_EQ(rule->MoveNext(&line), kLibEnd);

    view.accountKey = 99;
    ASSERT_EQ(rule->GetCount(&find, &view, &count), kLibOk);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(rule->MoveFirst(&line), kLibEnd);
}

TEST_F(SmallBook, JournalRuleAnswersTheVoucherTheConditionNames) {
    auto rule = Attached<ClRuleShiwake>();
    StFINDINFO find{};
    find.slots[0].field = 6;
    find.slots[0].comparison = 1;
    find.slots[0].valueType = 3;
    SetFindValue32(find.slots[0], 11);
    StORDERINFO order{};
    rule->MoveReady(&find, &order, nullptr, 2);
    int count = -1;
    ASSERT_EQ(rule->GetSwkCount(&find, nullptr, &count), kLibOk);
    EXPECT_EQ(count, 2);
    StSWKTINFO line = Poisoned<StSWKTINFO>();
    ASSERT_EQ(rule->MoveFirst(&line), kLibOk);
    EXPECT_EQ(+line.lineNo, 1u);
    EXPECT_EQ(+line.debitAmount, 1000000);
    EXPECT_TRUE(AllZero(line.reserved16));
    ASSERT_EQ(rule->MoveNext(&line), kLibOk);
    EXPECT_EQ(+line.creditTax, 100000);
    EXPECT_EQ(rule->MoveNext(&line), kLibEnd);

    SetFindValue32(find.slots[0], 99);
    rule->MoveReady(&find, &order, nullptr, 2);
    ASSERT_EQ(rule->GetSwkCount(&find, nullptr, &count), kLibOk);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(rule->MoveFirst(&line), kLibEnd);
}

TEST_F(SmallBook, AccountMasterFindsTheExactKeyOnly) {
    auto* master = static_cast<ClSetKamoku*>(ClDataMgr::Inst()->GetSetObject(kSetKindKamoku, 1));
    int cursor = 0;
    ASSERT_EQ(master->GetCursor(&cursor), kLibOk);
    ASSERT_EQ(master->ReadyCursor(cursor, 0), kLibOk);
    StKAMOKUINFO entry = Poisoned<StKAMOKUINFO>();
    ASSERT_EQ(master->WalkFind(cursor, 40010000, &entry), kLibOk);
    EXPECT_STREQ(entry.name, "売上高");
    EXPECT_EQ(+entry.classCode, 0x40000020u);
    EXPECT_TRUE(AllZero(entry.reserved53));
    EXPECT_EQ(master->WalkFind(cursor, 4001, &entry), kLibEnd);
    EXPECT_EQ(master->ReleaseCursor(cursor), kLibOk);
}

TEST_F(SmallBook, EraTableWalksTheDefaultEras) {
    auto* eras = static_cast<ClSetGengo*>(ClDataMgr::Inst()->GetSetObject(kSetKindGengo, 0));
    int cursor = 0;
    ASSERT_EQ(eras->GetCursor(&cursor), kLibOk);
    ASSERT_EQ(eras->Ready(cursor), kLibOk);
    std::vector<std::string> names;
    StGENGOINFO era = Poisoned<StGENGOINFO>();
    while (eras->Walk(cursor, &era) == kLibOk) {
        names.push_back(era.name);
        EXPECT_TRUE(AllZero(era.reserved15));
    }
    EXPECT_EQ(+era.startDate, 20190501);
    EXPECT_EQ(names, (std::vector<std::string>{"明治", "大正", "昭和", "平成", "令和"}));
    EXPECT_EQ(eras->ReleaseCursor(cursor), kLibOk);
}

TEST_F(SmallBook, SavedDataIsTaskMemoryOrAFailureWithoutText) {
    std::unique_ptr<ClSaveKessansho> save(Attached<ClSaveKessansho>().release());
    char* text = nullptr;
    int size = -1;
    ASSERT_EQ(save->GetDataType02(kSavedNotesText, &text, &size), kLibOk);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "注記\r\n本文");
    EXPECT_EQ(size, static_cast<int>(std::strlen(text)));
    sys::TaskMemFree(text);
    text = reinterpret_cast<char*>(1);
    EXPECT_NE(save->GetDataType02(kSavedNotesSettings, &text, &size), kLibOk);
    EXPECT_EQ(text, nullptr);
}

TEST_F(SmallBook, FoldersAnswerByType) {
    char folder[260];
    ASSERT_EQ(ClFileMgr::Inst()->GetAppFolderPath(kFolderOutput, folder, sizeof folder), kLibOk);
    EXPECT_STREQ(folder, "C:\\Out\\");
    ASSERT_EQ(ClFileMgr::Inst()->GetAppFolderPath(kFolderSettings, folder, sizeof folder), kLibOk);
    EXPECT_STREQ(folder, "C:\\Settings\\");
    EXPECT_NE(ClFileMgr::Inst()->GetAppFolderPath(2, folder, sizeof folder), kLibOk);
    EXPECT_STREQ(folder, "");
    EXPECT_NE(ClFileMgr::Inst()->GetAppFolderPath(kFolderOutput, folder, 4), kLibOk);
}

TEST(Initiate, ABadBookIsRefusedWithOneMessageNamingFileAndProblem) {
    struct Row {
        std::string path;
        const char* problem;
    };
    const Row rows[] = {
        {FixtureBook("missing.json"), "The file cannot be read."},
        {FixtureBook("bad-field.json"), "companies[0].accounts[0].secondName"},
        {FixtureBook("bad-syntax.json"), "line 4, column 3: syntax error"},
    };
    for (const Row& row : rows) {
        headless::Recorder::Get().Reset();
        EXPECT_EQ(InitiateWith(row.path), kLibBookRefused);
        const auto& boxes = headless::Recorder::Get().messageBoxes;
        ASSERT_EQ(boxes.size(), 1u) << row.path;
        EXPECT_NE(boxes[0].text.find(row.path), std::string::npos) << boxes[0].text;
        EXPECT_NE(boxes[0].text.find(row.problem), std::string::npos) << boxes[0].text;
        EXPECT_EQ(boxes[0].caption, "決算書");
        EXPECT_EQ(boxes[0].type, MB_OK | MB_ICONEXCLAMATION);
    }
}

}  // namespace
