// The headless side: what the native tests of the core rely on when they drive the
// progress dialog, show message boxes or play a dialog's modal run.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/CDialog.h"
#include "framework/CFileDialog.h"
#include "framework/Controls.h"
#include "framework/Headless.h"
#include "framework/Sys.h"
#include "framework/native/HeadlessWindows.h"

namespace {

constexpr UINT kTemplate = 900;
constexpr int kBarId = 10;
constexpr int kEditId = 20;
constexpr int kRunId = 30;

headless::Recorder& Screen() { return headless::Recorder::Get(); }

class HeadlessTest : public ::testing::Test {
  protected:
    void SetUp() override { Screen().Reset(); }
    void TearDown() override { Screen().Reset(); }
};

// A dialog with a progress bar, a two-character edit and a command button.
class SampleDlg : public CDialog {
  public:
    SampleDlg() : CDialog(kTemplate) {}

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (refuse) EndDialog(IDCANCEL);
        return TRUE;
    }

    CProgressCtrl bar;
    CEdit edit;
    CString text = "12";
    bool refuse = false;
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
    static constexpr CommandEntry<SampleDlg> kCommands[] = {{kRunId, &SampleDlg::OnRun}};
};

void Click(CDialog& dialog, int id) {
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED));
}

TEST_F(HeadlessTest, MessageBoxesAreLoggedAndAnsweredFromTheScript) {
    struct Case {
        UINT type;
        int expected;
    };
    const Case defaults[] = {
        {MB_OK | MB_ICONEXCLAMATION, IDOK},
        {MB_OKCANCEL, IDOK},
        {MB_YESNO | MB_ICONQUESTION, IDYES},
    };
    for (const Case& c : defaults)
        EXPECT_EQ(sys::MessageBox(nullptr, "t", "c", c.type), c.expected);

    Screen().QueueAnswer(IDNO);
    HWND owner = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(sys::MessageBox(owner, "上書きしますか？", "決算書", MB_YESNO), IDNO);
    EXPECT_EQ(sys::MessageBox(owner, "again", "決算書", MB_YESNO), IDYES);

    ASSERT_EQ(Screen().messageBoxes.size(), 5u);
    const headless::MessageBoxCall& asked = Screen().messageBoxes[3];
    EXPECT_EQ(asked.owner, owner);
    EXPECT_EQ(asked.text, "上書きしますか？");
    EXPECT_EQ(asked.caption, "決算書");
    EXPECT_EQ(asked.type, MB_YESNO);
    EXPECT_EQ(asked.answer, IDNO);
}

TEST_F(HeadlessTest, ProgressBarKeepsItsPositionWithinTheRange) {
    SampleDlg dialog;
    ASSERT_TRUE(dialog.Create(kTemplate));
    dialog.bar.SetRange(0, 5);
    EXPECT_EQ(dialog.bar.SetStep(1), 10);
    EXPECT_EQ(dialog.bar.SetPos(4), 0);
    EXPECT_EQ(dialog.bar.OffsetPos(1), 4);
    EXPECT_EQ(dialog.bar.OffsetPos(1), 5);
    EXPECT_EQ(dialog.bar.GetPos(), 5);

    const headless::BarState& state = Screen().bars[kBarId];
    EXPECT_EQ(state.upper, 5);
    EXPECT_EQ(state.step, 1);
    EXPECT_EQ(state.pos, 5);
    std::vector<UINT> messages;
    for (const headless::BarMessage& message : Screen().barMessages) {
        EXPECT_EQ(message.barId, kBarId);
        messages.push_back(message.message);
    }
    EXPECT_EQ(messages, (std::vector<UINT>{PBM_SETRANGE, PBM_SETSTEP, PBM_SETPOS, PBM_DELTAPOS,
                                           PBM_DELTAPOS}));
}

TEST_F(HeadlessTest, RecordsDialogTitlesAndScreenCalls) {
    SampleDlg dialog;
    ASSERT_TRUE(dialog.Create(kTemplate));
    dialog.SetWindowText("集計中 10％");
    dialog.edit.SetWindowText("not a title");
    dialog.UpdateWindow();
    dialog.BringWindowToTop();
    dialog.SetForegroundWindow();

    ASSERT_EQ(Screen().titles.size(), 1u);
    EXPECT_EQ(Screen().titles[0].window, dialog.m_hWnd);
    EXPECT_EQ(Screen().titles[0].text, "集計中 10％");
    EXPECT_EQ(Screen().repaints, 1);
    EXPECT_EQ(Screen().broughtToTop, 1);
    EXPECT_EQ(Screen().foregrounded, 1);
}

TEST_F(HeadlessTest, DataExchangeFillsAndLimitsTheEdit) {
    SampleDlg dialog;
    ASSERT_TRUE(dialog.Create(kTemplate));
    EXPECT_EQ(dialog.edit.GetWindowText().str(), "12");
    EXPECT_EQ(headless::FindWindow(dialog.edit.m_hWnd)->textLimit, 2);

    dialog.edit.SetWindowText("7");
    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.text.str(), "7");
}

TEST_F(HeadlessTest, TooLongTextFailsWithAMessageAndFocusesTheEdit) {
    SampleDlg dialog;
    ASSERT_TRUE(dialog.Create(kTemplate));
    dialog.edit.SetWindowText("123");
    EXPECT_FALSE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.text.str(), "123");  // taken, then refused
    ASSERT_EQ(Screen().messageBoxes.size(), 1u);
    EXPECT_EQ(Screen().messageBoxes[0].owner, dialog.m_hWnd);
    EXPECT_EQ(Screen().messageBoxes[0].type, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(Screen().focus, dialog.edit.m_hWnd);
    const headless::Window* edit = headless::FindWindow(dialog.edit.m_hWnd);
    EXPECT_EQ(edit->selStart, 0);
    EXPECT_EQ(edit->selEnd, -1);
}

TEST_F(HeadlessTest, ModalRunIsPlayedByTheScript) {
    struct Case {
        std::vector<int> clicks;
        INT_PTR result;
    };
    const Case cases[] = {
        {{kRunId}, kRunId}, {{IDCANCEL}, IDCANCEL}, {{IDOK}, IDOK}, {{}, -1},  // nobody ended it
    };
    for (const Case& c : cases) {
        Screen().modalScript = [&](CDialog& dialog) {
            for (int id : c.clicks) Click(dialog, id);
        };
        SampleDlg dialog;
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_EQ(dialog.m_hWnd, nullptr);
        EXPECT_EQ(dialog.edit.m_hWnd, nullptr);  // the controls went with the dialog
    }
}

TEST_F(HeadlessTest, OkRefusedByValidationKeepsTheDialogOpen) {
    int attempts = 0;
    Screen().modalScript = [&](CDialog& dialog) {
        CWnd* edit = dialog.GetDlgItem(kEditId);
        edit->SetWindowText("123");
        Click(dialog, IDOK);
        ++attempts;
        edit->SetWindowText("34");
        Click(dialog, IDOK);
        ++attempts;
    };
    SampleDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(dialog.text.str(), "34");
    EXPECT_EQ(Screen().messageBoxes.size(), 1u);
}

TEST_F(HeadlessTest, DialogRefusedAtItsStartNeverRunsTheScript) {
    bool played = false;
    Screen().modalScript = [&](CDialog&) { played = true; };
    SampleDlg dialog;
    dialog.refuse = true;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(played);
}

TEST_F(HeadlessTest, FileDialogAnswersFromTheScript) {
    CFileDialog cancelled(FALSE, "XML", "a.xml", 0, "Xml Files (*.xml)|*.xml||", nullptr);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetPathName().str(), "a.xml");

    Screen().QueueFileChoice("/out/b.xml");
    CFileDialog chosen(FALSE, "XML", "a.xml", 0, "Xml Files (*.xml)|*.xml||", nullptr);
    EXPECT_EQ(std::string(chosen.m_ofn.lpstrFilter, 26),
              std::string("Xml Files (*.xml)\0*.xml\0\0", 26));
    EXPECT_EQ(chosen.DoModal(), IDOK);
    EXPECT_EQ(chosen.GetPathName().str(), "/out/b.xml");
}

}  // namespace
