#include <gtest/gtest.h>

// Brings <windows.h> with the common controls, in the order they need.
#include "framework/Controls.h"

namespace {

class ProgressHoldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InitCommonControls();
        parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 50, nullptr, nullptr,
                                 nullptr, nullptr);
        bar.m_hWnd = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20,
                                     parent, nullptr, nullptr, nullptr);
        ASSERT_NE(bar.m_hWnd, nullptr);
    }
    void TearDown() override {
        bar.m_hWnd = nullptr;
        DestroyWindow(parent);
    }

    // What the control itself holds, asked past any hold.
    int RealPos() const {
        return static_cast<int>(
            CallWindowProcA(reinterpret_cast<WNDPROC>(GetClassLongPtrA(bar.m_hWnd, GCLP_WNDPROC)),
                            bar.m_hWnd, PBM_GETPOS, 0, 0));
    }

    HWND parent = nullptr;
    CProgressCtrl bar;
};

TEST_F(ProgressHoldTest, HeldBarAnswersAsTheControlWouldAndShowsTheStateOnRelease) {
    bar.SetRange(0, 5);
    bar.SetPos(2);
    bar.HoldDrawing(true);

    EXPECT_EQ(bar.SetStep(1), 10);
    EXPECT_EQ(bar.OffsetPos(1), 2);
    EXPECT_EQ(bar.OffsetPos(9), 3);  // the move stops at the top of the range
    EXPECT_EQ(bar.GetPos(), 5);
    EXPECT_EQ(bar.SetPos(-4), 5);  // and at the bottom
    EXPECT_EQ(bar.GetPos(), 0);
    bar.SetRange(10, 20);  // a new range pulls the position into it
    EXPECT_EQ(bar.GetPos(), 10);
    EXPECT_EQ(RealPos(), 2);  // nothing reached the control yet

    bar.HoldDrawing(false);
    EXPECT_EQ(RealPos(), 10);
    EXPECT_EQ(bar.SetStep(3), 1);
    EXPECT_EQ(bar.OffsetPos(4), 10);
    EXPECT_EQ(RealPos(), 14);
}

TEST_F(ProgressHoldTest, DestroyingAHeldBarReleasesItsHold) {
    bar.HoldDrawing(true);
    bar.OffsetPos(7);
    EXPECT_TRUE(DestroyWindow(bar.m_hWnd));
    bar.m_hWnd = nullptr;
    bar.HoldDrawing(false);  // no window: nothing to do
}

}  // namespace
