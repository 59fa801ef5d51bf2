#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/Headless.h"
#include "platform/Records.h"
#include "report/ClReportWriter.h"
#include "tests/unit/report/TestFiles.h"
#include "ui/ClProgressDlg.h"

namespace {

constexpr int kOverallBar = 1016;
constexpr int kActivityBar = 1017;

headless::Recorder& Screen() { return headless::Recorder::Get(); }

// The progress the writer made, one letter per event: 'D' a step of the overall bar,
// 'P' a sweep of the activity bar (each begins by resetting its position).
std::string ProgressEvents() {
    std::string events;
    for (const headless::BarMessage& message : Screen().barMessages) {
        if (message.barId == kOverallBar && message.message == PBM_DELTAPOS) events += 'D';
        if (message.barId == kActivityBar && message.message == PBM_SETPOS) events += 'P';
    }
    return events;
}

std::string Repeat(const std::string& text, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += text;
    return out;
}

std::string Title(int percent) { return "集計中 " + std::to_string(percent) + "％"; }

std::vector<std::string> Titles() {
    std::vector<std::string> texts;
    for (const headless::TitleChange& title : Screen().titles) texts.push_back(title.text);
    return texts;
}

class ReportProgress : public ::testing::Test {
  protected:
    void SetUp() override {
        progress.Create(ClProgressDlg::kTemplateId);
        progress.Start();
        Screen().Reset();
        writer.progressDlg = &progress;
        data.periodStart = 20240401;
        data.periodEnd = 20250331;
    }

    reporttest::ScratchDir dir;
    ClProgressDlg progress{nullptr, 0};
    ClReportWriter writer;
    StDATAINFO data{};
};

// One pulse after REPORT, one after each SYSTEM element, then its thousand; one
// before BASIC and four inside it, then its thousand; one before DATA, the rest of
// the bar, and one after DATA. An advance pulses once per step of its own.
TEST_F(ReportProgress, StepsTheBarsInTheOrderOfTheSections) {
    writer.progressBase = 0;
    {
        reporttest::CurrentDir current(dir.path());
        ASSERT_EQ(writer.Write(dir.File("report.xml").c_str(), 3, data), 1);
    }
    const std::string expected = Repeat("P", 7) + Repeat("DP", 1001) + Repeat("P", 5) +
                                 Repeat("DP", 1001) + "P" + Repeat("DP", 8001) + "P";
    EXPECT_TRUE(ProgressEvents() == expected) << "events: " << ProgressEvents().size();

    std::vector<std::string> titles;
    for (int percent = 0; percent <= 10; ++percent) titles.push_back(Title(percent));
    for (int percent = 10; percent <= 20; ++percent) titles.push_back(Title(percent));
    for (int percent = 20; percent <= 100; ++percent) titles.push_back(Title(percent));
    EXPECT_EQ(Titles(), titles);
}

TEST_F(ReportProgress, StartsFromWhereTheCollectionLeftTheBar) {
    writer.progressBase = 6150;
    {
        reporttest::CurrentDir current(dir.path());
        ASSERT_EQ(writer.Write(dir.File("report.xml").c_str(), 3, data), 1);
    }
    const std::string events = ProgressEvents();
    EXPECT_EQ(std::count(events.begin(), events.end(), 'D'), 1001 + 1001 + 1851);
    const std::vector<std::string> titles = Titles();
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(titles.front(), Title(62));
    EXPECT_EQ(titles.back(), Title(100));
}

TEST_F(ReportProgress, StopsAtTheFirstFailedWrite) {
    EXPECT_EQ(writer.Write(dir.File("missing/report.xml").c_str(), 3, data), 0);
    EXPECT_EQ(ProgressEvents(), "P");
}

}  // namespace
