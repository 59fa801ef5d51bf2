#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "framework/Headless.h"
#include "platform/noticekit.h"
#include "platform/sharekit.h"
#include "tests/unit/platform/TestBooks.h"

namespace {

const char* const kTwoAccounts =
    R"({"format":1,"companies":[{"id":"D1","number":1,"periodStart":20230401,"periodEnd":20240331,)"
    R"("accounts":[{"key":10000,"class":1},{"key":20000,"class":2}]}],)";

std::unique_ptr<ClRuleKamoku> ReadyRule() {
    std::unique_ptr<ClRuleKamoku> rule(new (std::nothrow) ClRuleKamoku);
    if (rule) {
        rule->SetCurDataID("D1");
        rule->MoveReady(1, 0, 0, nullptr, nullptr, 0);
    }
    return rule;
}

TEST(Faults, TheNthCallFailsLeavingRecordAndCursorAsTheyWere) {
    InstallBook(std::string(kTwoAccounts) +
                R"("faults":{"ClRuleKamoku::MoveNext@2":7,"ClRuleKamoku::GetSumCount":3}})");
    auto rule = ReadyRule();
    ASSERT_TRUE(rule);
    int count = -1;
    EXPECT_EQ(rule->GetSumCount(&count), 3);
    EXPECT_EQ(count, -1);

    StKAMOKUSUMINFO sums;
    ASSERT_EQ(rule->MoveNext(&sums), kLibOk);
    EXPECT_EQ(+sums.accountKey, 10000u);
    std::memset(&sums, 0xAB, sizeof sums);
    EXPECT_EQ(rule->MoveNext(&sums), 7);
    EXPECT_EQ(+sums.accountKey, 0xABABABABu);
    ASSERT_EQ(rule->MoveNext(&sums), kLibOk);
    EXPECT_EQ(+sums.accountKey, 20000u);
    EXPECT_EQ(rule->MoveNext(&sums), kLibEnd);
}

TEST(Faults, NthTakesPrecedenceAndInjectedStatusesAreReturnedAsTheyAre) {
    InstallBook(
        std::string(kTwoAccounts) +
        R"("faults":{"ClSetGengo::Walk":9,"ClSetGengo::Walk@2":0,"ClSetGengo::Ready@1":5000}})");
    auto* eras = static_cast<ClSetGengo*>(ClDataMgr::Inst()->GetSetObject(kSetKindGengo, 0));
    int cursor = 0;
    ASSERT_EQ(eras->GetCursor(&cursor), kLibOk);
    EXPECT_EQ(eras->Ready(cursor), kLibEnd);
    EXPECT_EQ(eras->Ready(cursor), kLibOk);
    StGENGOINFO era;
    std::memset(&era, 0xAB, sizeof era);
    EXPECT_EQ(eras->Walk(cursor, &era), 9);
    EXPECT_EQ(eras->Walk(cursor, &era), 0);
    EXPECT_EQ(+era.startDate, static_cast<int32_t>(0xABABABAB));
    EXPECT_EQ(eras->Walk(cursor, &era), 9);
    eras->ReleaseCursor(cursor);
}

TEST(Faults, CreationFailsForTheFaultedCallOnly) {
    InstallBook(std::string(kTwoAccounts) +
                R"("faults":{"ClRuleKamoku::create@1":1,"ClRuleMotocho::create":0}})");
    EXPECT_FALSE(ReadyRule());
    EXPECT_TRUE(ReadyRule());
    EXPECT_THROW(std::unique_ptr<ClRuleMotocho>(new ClRuleMotocho), std::bad_alloc);
}

TEST(MsgMgr, OnlyStatusesOtherThanSuccessAndEndAreFatal) {
    InstallBook(R"({"format":1})");
    headless::Recorder::Get().Reset();
    ClMsgMgr* messages = ClMsgMgr::Inst();
    EXPECT_EQ(messages->CheckFatalErrorWithMsg(kLibOk, 0, 1, nullptr), 0);
    EXPECT_EQ(messages->CheckFatalErrorWithMsg(kLibEnd, 0, 1, nullptr), 0);
    EXPECT_TRUE(headless::Recorder::Get().messageBoxes.empty());
    messages->SetLastError(42, "CmnProcHpr", 312);
    EXPECT_NE(messages->CheckFatalErrorWithMsg(7, 0, 1, nullptr), 0);
    const auto& boxes = headless::Recorder::Get().messageBoxes;
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("status 7"), std::string::npos) << boxes[0].text;
    EXPECT_NE(boxes[0].text.find("CmnProcHpr, line 312"), std::string::npos) << boxes[0].text;
    EXPECT_EQ(boxes[0].caption, "決算書");
    EXPECT_EQ(boxes[0].type, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace
