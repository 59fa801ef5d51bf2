#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Headless.h"
#include "ui/ClProgressDlg.h"

namespace {

constexpr int kOverallBar = 1016;
constexpr int kActivityBar = 1017;

class ProgressDlgTest : public ::testing::Test {
  protected:
    void SetUp() override { headless::Recorder::Get().Reset(); }

    static headless::Recorder& screen() { return headless::Recorder::Get(); }

    static std::vector<std::string> Titles() {
        std::vector<std::string> texts;
        for (const headless::TitleChange& title : screen().titles) texts.push_back(title.text);
        return texts;
    }

    static int OverallDeltas() {
        int deltas = 0;
        for (const headless::BarMessage& message : screen().barMessages) {
            if (message.barId == kOverallBar && message.message == PBM_DELTAPOS) ++deltas;
        }
        return deltas;
    }

    static std::string Title(int percent) { return "集計中 " + std::to_string(percent) + "％"; }
};

TEST_F(ProgressDlgTest, AdvanceStepsEveryPositionOfTheRange) {
    ClProgressDlg progress(nullptr, 0);
    progress.Create(ClProgressDlg::kTemplateId);
    progress.Start();
    EXPECT_EQ(screen().bars[kOverallBar].upper, 10000);

    progress.Advance(1000, 1000);
    EXPECT_EQ(OverallDeltas(), 1);
    EXPECT_EQ(Titles(), std::vector<std::string>{Title(10)});

    progress.Advance(1000, 999);
    EXPECT_EQ(OverallDeltas(), 1);

    screen().Reset();
    progress.Advance(0, 1000);
    EXPECT_EQ(OverallDeltas(), 1001);
    std::vector<std::string> expected;
    for (int percent = 0; percent <= 10; ++percent) expected.push_back(Title(percent));
    EXPECT_EQ(Titles(), expected);
}

TEST_F(ProgressDlgTest, PulseLeavesTheActivityBarFull) {
    ClProgressDlg progress(nullptr, 0);
    progress.Create(ClProgressDlg::kTemplateId);
    progress.Pulse();
    EXPECT_EQ(screen().bars[kActivityBar].upper, 5);
    EXPECT_EQ(screen().bars[kActivityBar].pos, 5);
    progress.Pulse();
    EXPECT_EQ(screen().bars[kActivityBar].pos, 5);
}

TEST_F(ProgressDlgTest, WithoutIntervalEveryMoveIsShown) {
    ClProgressDlg progress(nullptr, 0);
    progress.Create(ClProgressDlg::kTemplateId);
    progress.Advance(1, 10);
    // Six moves of the activity bar and one overall move per step.
    EXPECT_EQ(screen().repaints, 70);
    EXPECT_EQ(screen().broughtToTop, 70);
    EXPECT_EQ(screen().foregrounded, 70);
}

TEST_F(ProgressDlgTest, ThrottledRefreshStillShowsTitlesAndTheEnd) {
    ClProgressDlg progress(nullptr, 1000000);
    progress.Create(ClProgressDlg::kTemplateId);
    progress.Advance(1, 99);
    EXPECT_EQ(screen().repaints, 1);  // the first move only
    progress.Advance(100, 100);       // a title change is always shown
    EXPECT_EQ(screen().repaints, 2);
    progress.Flush();
    EXPECT_EQ(screen().repaints, 3);
    // Every bar message is still sent.
    EXPECT_EQ(OverallDeltas(), 100);
}

}  // namespace
