// The modal loop over real windows (Wine tier): PreTranslateMessage sees the dialog's
// queued messages, the dialog manager's keys reach OnCancel, buttons reach the
// command table, the owner is disabled for the run, and data exchange reaches the
// controls.

#include <gtest/gtest.h>

#include "framework/CDialog.h"
#include "framework/Controls.h"

namespace {

constexpr UINT kTemplate = 900;
constexpr int kBarId = 10;
constexpr int kEditId = 20;
constexpr int kRunId = 30;
constexpr int kSeenKey = 77;

// What the dialog does once it runs, posted from its initialisation.
enum class Step { PostF12, PostEscape, ClickRun };

class TestDlg : public CDialog {
  public:
    TestDlg(Step step, CWnd* parent) : CDialog(kTemplate, parent), step_(step) {}

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        limit = static_cast<int>(edit.SendMessage(EM_GETLIMITTEXT));
        editWindow = edit.m_hWnd;
        switch (step_) {
            case Step::PostF12:
                ::PostMessageA(edit.m_hWnd, WM_KEYDOWN, VK_F12, 0);
                break;
            case Step::PostEscape:
                ::PostMessageA(edit.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
                break;
            case Step::ClickRun:
                ::PostMessageA(GetDlgItem(kRunId)->m_hWnd, BM_CLICK, 0, 0);
                break;
        }
        return TRUE;
    }

    BOOL PreTranslateMessage(MSG* message) override {
        if (message->message != WM_KEYDOWN || message->wParam != VK_F12) return FALSE;
        keyWindow = message->hwnd;
        ownerDisabled = parentWnd && !parentWnd->IsWindowEnabled();
        edit.SetWindowText("34");
        exchanged = UpdateData(TRUE);
        EndDialog(kSeenKey);
        return TRUE;
    }

    CWnd* parentWnd = nullptr;
    CEdit edit;
    CProgressCtrl bar;
    CString text = "12";
    int limit = 0;
    bool ownerDisabled = false;
    HWND editWindow = nullptr;
    HWND keyWindow = nullptr;
    BOOL exchanged = FALSE;
    int runs = 0;

  protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, kBarId, bar);
        DDX_Control(dx, kEditId, edit);
        DDX_Text(dx, kEditId, text);
        DDV_MaxChars(dx, text, 2);
    }
    bool OnCommand(int id) override { return DispatchCommand(this, kCommands, id); }

  private:
    void OnRun() {
        ++runs;
        EndDialog(kRunId);
    }
    static constexpr CommandEntry<TestDlg> kCommands[] = {{kRunId, &TestDlg::OnRun}};

    Step step_;
};

// A hidden top-level window to own the dialog.
class OwnerWindow {
  public:
    OwnerWindow() {
        wnd.Attach(::CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                     nullptr, ::GetModuleHandleA(nullptr), nullptr));
    }
    ~OwnerWindow() { wnd.DestroyWindow(); }
    CWnd wnd;
};

TEST(ModalDialogTest, PreTranslateMessageSeesAKeyPostedToAControl) {
    OwnerWindow owner;
    ASSERT_NE(owner.wnd.m_hWnd, nullptr);
    TestDlg dialog(Step::PostF12, &owner.wnd);
    dialog.parentWnd = &owner.wnd;
    EXPECT_EQ(dialog.DoModal(), kSeenKey);
    EXPECT_EQ(dialog.keyWindow, dialog.editWindow);
    EXPECT_TRUE(dialog.ownerDisabled);
    EXPECT_TRUE(owner.wnd.IsWindowEnabled());
    // Data exchange reached the real edit both ways.
    EXPECT_EQ(dialog.limit, 2);
    EXPECT_TRUE(dialog.exchanged);
    EXPECT_EQ(dialog.text.str(), "34");
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.edit.m_hWnd, nullptr);
}

TEST(ModalDialogTest, EscapeAndButtonsReachTheirHandlers) {
    TestDlg escaped(Step::PostEscape, nullptr);
    EXPECT_EQ(escaped.DoModal(), IDCANCEL);

    TestDlg clicked(Step::ClickRun, nullptr);
    EXPECT_EQ(clicked.DoModal(), kRunId);
    EXPECT_EQ(clicked.runs, 1);
}

TEST(ModelessDialogTest, ShowsStepsItsBarAndHidesWhenEnded) {
    TestDlg dialog(Step::ClickRun, nullptr);
    ASSERT_TRUE(dialog.Create(kTemplate));
    dialog.ShowWindow(SW_SHOW);
    dialog.bar.SetRange(0, 5);
    dialog.bar.SetPos(4);
    EXPECT_EQ(dialog.bar.OffsetPos(3), 4);
    EXPECT_EQ(dialog.bar.GetPos(), 5);
    dialog.SetWindowText("集計中 10％");
    EXPECT_EQ(dialog.GetWindowText().str(), "集計中 10％");
    dialog.EndDialog(IDOK);
    EXPECT_FALSE(::IsWindowVisible(dialog.m_hWnd));
    EXPECT_TRUE(dialog.DestroyWindow());
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

}  // namespace
