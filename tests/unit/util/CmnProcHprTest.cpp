#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "framework/Headless.h"
#include "platform/ShiftJis.h"
#include "platform/bridgekit.h"
#include "platform/sharekit.h"
#include "tests/unit/platform/TestBooks.h"
#include "util/ClCmnProcHpr.h"

namespace {

void Load(const char* name) { LoadBookFile(FixtureBook(name)); }

// Expected texts are written as UTF-8 (u8 literals keep it whatever the execution
// character set) and compared in the program's Shift_JIS.
std::string Sjis(const char8_t* utf8) {
    const std::u8string_view text(utf8);
    return book::Utf8ToShiftJis(
               std::string_view(reinterpret_cast<const char*>(text.data()), text.size()))
        .value();
}

ClSetGengo& EraTable() {
    return *static_cast<ClSetGengo*>(ClDataMgr::Inst()->GetSetObject(kSetKindGengo, 0));
}

// The stand-in numbers cursors in sequence, so the helper's last cursor is the one
// before the next: it must no longer be open.
bool HelperCursorStillOpen() {
    ClSetGengo& table = EraTable();
    int next = 0;
    EXPECT_EQ(table.GetCursor(&next), kLibOk);
    const bool open = table.ReleaseCursor(next - 1) == kLibOk;
    table.ReleaseCursor(next);
    return open;
}

// The error records the message manager wrote to standard error during `call`.
template <typename Call>
std::vector<std::string> RecordsDuring(Call call) {
    testing::internal::CaptureStderr();
    call();
    std::istringstream output(testing::internal::GetCapturedStderr());
    constexpr std::string_view kPrefix = "Accounting library error recorded: ";
    std::vector<std::string> records;
    for (std::string line; std::getline(output, line);)
        if (line.starts_with(kPrefix)) records.push_back(line.substr(kPrefix.size()));
    return records;
}

struct DateCase {
    int32_t date;
    const char8_t* text;
};

void ExpectTexts(std::span<const DateCase> cases) {
    for (const DateCase& c : cases) {
        std::vector<std::string> records = RecordsDuring(
            [&] { EXPECT_EQ(ClCmnProcHpr().FormatDate(c.date).str(), Sjis(c.text)) << c.date; });
        EXPECT_TRUE(records.empty()) << c.date << ": " << records.front();
        EXPECT_FALSE(HelperCursorStillOpen()) << c.date;
    }
}

TEST(CmnProcHpr, EraBoundariesAndDateLimits) {
    Load("eras-three.json");
    const DateCase cases[] = {
        {19991001, u8"甲1年10月1日"},          // first day of the first era
        {19990930, u8""},                      // before the first era
        {20050215, u8"乙1年2月15日"},          // first day of an era
        {20050214, u8"甲7年2月14日"},          // the day before: previous era, its count
        {20090401, u8"乙5年4月1日"},           // no leading zeros
        {20291231, u8"乙25年12月31日"},        //
        {20300101, u8"丙丁戊1年1月1日"},       // a name of the full six bytes
        {99991231, u8"丙丁戊7970年12月31日"},  // the last date, in the last era
        {100000000, u8""},                     // beyond the last date
        {0, u8""},
        {-20240101, u8""},
    };
    ExpectTexts(cases);
}

TEST(CmnProcHpr, DefaultErasOfTheBook) {
    Load("eras-default.json");
    const DateCase cases[] = {
        {18680124, u8""},
        {18680125, u8"明治1年1月25日"},
        {19120729, u8"明治45年7月29日"},
        {19120730, u8"大正1年7月30日"},
        {19261224, u8"大正15年12月24日"},
        {19261225, u8"昭和1年12月25日"},
        {19890107, u8"昭和64年1月7日"},
        {19890108, u8"平成1年1月8日"},
        {20190430, u8"平成31年4月30日"},
        {20190501, u8"令和1年5月1日"},
        {20230401, u8"令和5年4月1日"},
        {20241231, u8"令和6年12月31日"},
    };
    ExpectTexts(cases);
}

TEST(CmnProcHpr, EmptyEraTableGivesEmptyText) {
    Load("eras-empty.json");
    const DateCase cases[] = {{20240101, u8""}, {99991231, u8""}};
    ExpectTexts(cases);
}

TEST(CmnProcHpr, FindGengoFillsTheEraOrZeroesIt) {
    Load("eras-default.json");
    ClCmnProcHpr helper;
    StGENGOINFO era;
    int32_t year = 0;
    ASSERT_EQ(helper.FindGengo(20190430, &era, &year), 0);
    EXPECT_EQ(+era.startDate, 19890108);
    EXPECT_EQ(std::string(era.name), Sjis(u8"平成"));
    EXPECT_EQ(year, 31);
    ASSERT_EQ(helper.FindGengo(20240101, &era), 0) << "the year is optional";
    EXPECT_EQ(+era.startDate, 20190501);

    std::memset(&era, 0xAB, sizeof era);
    EXPECT_EQ(helper.FindGengo(18000101, &era, &year), -1);
    const StGENGOINFO zero{};
    EXPECT_EQ(std::memcmp(&era, &zero, sizeof era), 0);
}

// Each book faults one call of the era walk (or the fatal check of a step); the call
// after it works again.
TEST(CmnProcHpr, FailedStepsAreRecordedAndReleaseTheCursor) {
    struct Case {
        const char* faults;
        int32_t date;
        const char* record;  // nullptr: nothing recorded
        size_t messageBoxes;
    } cases[] = {
        {R"("ClSetGengo::GetCursor@1":7)", 20240101, "status 7, CmnProcHpr, line 312", 1},
        {R"("ClSetGengo::GetCursor@1":5000)", 20240101, "status 5000, CmnProcHpr, line 312", 0},
        {R"("ClSetGengo::Ready@1":8)", 20240101, "status 8, CmnProcHpr, line 319", 1},
        {R"("ClSetGengo::Ready@1":5000)", 20240101, "status 5000, CmnProcHpr, line 319", 0},
        {R"("ClSetGengo::Walk@1":9)", 20240101, "status 9, CmnProcHpr, line 339", 1},
        {R"("ClSetGengo::Walk@3":10)", 20240101, "status 10, CmnProcHpr, line 339", 1},
        // An end status from the first walk is an empty table, not a failure.
        {R"("ClSetGengo::Walk@1":5000)", 20240101, nullptr, 0},
        // Status 0 that the message manager still calls fatal, for GetCursor and Walk.
        {R"("ClMsgMgr::CheckFatalErrorWithMsg@1":1)", 20240101, "status 0, no source, line 0", 0},
        {R"("ClMsgMgr::CheckFatalErrorWithMsg@4":1)", 20240101, "status 0, no source, line 0", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.faults);
        InstallBook(std::string(R"({"format":1,"faults":{)") + c.faults + "}}");
        headless::Recorder::Get().Reset();
        std::vector<std::string> records =
            RecordsDuring([&] { EXPECT_EQ(ClCmnProcHpr().FormatDate(c.date).str(), ""); });
        EXPECT_EQ(records,
                  c.record ? std::vector<std::string>{c.record} : std::vector<std::string>{});
        const auto& boxes = headless::Recorder::Get().messageBoxes;
        EXPECT_EQ(boxes.size(), c.messageBoxes);
        for (const auto& box : boxes) EXPECT_EQ(box.owner, nullptr);
        EXPECT_FALSE(HelperCursorStillOpen());
        EXPECT_EQ(ClCmnProcHpr().FormatDate(20240101).str(), Sjis(u8"令和6年1月1日"));
    }
}

}  // namespace
