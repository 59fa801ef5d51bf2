#include "ui/ClProgressDlg.h"

#include "framework/Sys.h"

namespace {

constexpr int kOverallBarId = 1016;
constexpr int kActivityBarId = 1017;
constexpr short kOverallMax = 10000;
constexpr short kActivityMax = 5;
constexpr int kSweepMoves = 6;

}  // namespace

ClProgressDlg::ClProgressDlg(CWnd* parent, uint32_t refreshIntervalMs)
    : CDialog(kTemplateId, parent), refreshIntervalMs(refreshIntervalMs) {}

void ClProgressDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, kActivityBarId, activityBar);
    DDX_Control(dx, kOverallBarId, overallBar);
}

void ClProgressDlg::Start() {
    overallBar.SetRange(0, kOverallMax);
    overallBar.SetStep(1);
    overallBar.SetPos(0);
}

void ClProgressDlg::Advance(int16_t from, int16_t to) {
    for (int i = from; i <= to; ++i) {
        if (i % 100 == 0) SetTitle(i / 100);
        overallBar.OffsetPos(static_cast<int>(overallStep));
        Pulse();
        Refresh();
    }
}

void ClProgressDlg::Pulse() {
    activityBar.SetRange(0, kActivityMax);
    activityBar.SetStep(1);
    activityBar.SetPos(0);
    for (int move = 0; move < kSweepMoves; ++move) {
        activityBar.OffsetPos(1);
        Refresh();
    }
}

void ClProgressDlg::Flush() {
    refreshDue = true;
    Refresh();
    DrawBars(true);
}

void ClProgressDlg::SetTitle(int percent) {
    CString title;
    title.Format("集計中 %d％", percent);
    SetWindowText(title);
    refreshDue = true;
}

void ClProgressDlg::Refresh() {
    const uint32_t now = sys::TickCount();
    if (!refreshDue && now - lastRefresh < refreshIntervalMs) return;
    DrawBars(true);
    BringWindowToTop();
    SetForegroundWindow();
    UpdateWindow();
    // Between refreshes the bars only keep their state: drawing every move costs more
    // than the move and shows nothing the eye can follow.
    if (refreshIntervalMs > 0) DrawBars(false);
    lastRefresh = now;
    refreshDue = false;
}

void ClProgressDlg::DrawBars(bool drawn) {
    overallBar.HoldDrawing(!drawn);
    activityBar.HoldDrawing(!drawn);
}
