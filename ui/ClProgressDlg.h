#pragma once
// The modeless progress dialog (template 131): an overall bar from 0 to 10000 in
// hundredths of a percent, and an activity bar that sweeps once per overall step.
// The collector and the report writer step it from inside their loops, where no
// messages are dispatched, so it repaints itself.

#include <cstdint>

#include "framework/CDialog.h"
#include "framework/Controls.h"

class ClProgressDlg : public CDialog {
  public:
    static constexpr UINT kTemplateId = 131;

    // Raising and repainting the dialog costs about a millisecond per call under a real
    // display, and a run steps the bars tens of thousands of times: the screen is
    // refreshed at most once per interval (and always after a title change).
    static constexpr uint32_t kRefreshIntervalMs = 15;

    explicit ClProgressDlg(CWnd* parent = nullptr, uint32_t refreshIntervalMs = kRefreshIntervalMs);

    // Prepares the overall bar.
    void Start();
    // Steps the overall bar over the positions from..to, both included.
    void Advance(int16_t from, int16_t to);
    // One sweep of the activity bar; brings the dialog to the top.
    void Pulse();
    // Shows whatever is still pending on screen; called before the dialog ends.
    void Flush();

  protected:
    void DoDataExchange(CDataExchange* dx) override;

  private:
    void SetTitle(int percent);
    // Brings the dialog to the top and repaints it, unless that was done within the
    // refresh interval and nothing forces it.
    void Refresh();
    // Lets the bars draw their state, or holds their drawing until the next refresh.
    void DrawBars(bool drawn);

    CProgressCtrl activityBar;
    CProgressCtrl overallBar;
    double overallStep = 1.0;
    uint32_t refreshIntervalMs;
    uint32_t lastRefresh = 0;
    bool refreshDue = true;
};
