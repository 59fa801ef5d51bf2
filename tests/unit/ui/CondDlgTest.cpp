// The conditions dialog on the headless side: what the user is told and where the
// focus goes. Paths here are Windows texts that never reach the disk, except the
// settings file, which lies in a host folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "framework/Headless.h"
#include "framework/native/HeadlessWindows.h"
#include "platform/Book.h"
#include "ui/ClCondDlg.h"
#include "ui/resource.h"

namespace {

headless::Recorder& Screen() { return headless::Recorder::Get(); }

constexpr const char* kCaption = "決算書";
constexpr UINT kRefusal = MB_OK | MB_ICONEXCLAMATION;
constexpr UINT kQuestion = MB_YESNO | MB_ICONQUESTION;

class CondDlgTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Screen().Reset();
        char pattern[] = "/tmp/conddlg-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder = std::string(pattern) + "/";
        auto current = std::make_unique<book::Book>();
        current->folderOutput = "D:\\Out\\";
        current->folderSettings = folder;
        book::Install(std::move(current));
    }
    void TearDown() override {
        Screen().Reset();
        book::Install(std::make_unique<book::Book>());
        std::system(("rm -rf " + folder).c_str());
    }

    void Prepare(ClCondDlg& dialog) {
        dialog.edition = &Edition(EditionId::Basic);
        dialog.userId = "suzuki";
        dialog.dataIdText = "D0001";
        dialog.periodStart = 20240401;
        dialog.periodEnd = 20250331;
        dialog.companyLaw = 1;
    }
    // Runs the dialog with `play` as the user; returns the modal result.
    INT_PTR Run(ClCondDlg& dialog, const std::function<void(ClCondDlg&)>& play) {
        Screen().modalScript = [&](CDialog& d) { play(static_cast<ClCondDlg&>(d)); };
        return dialog.DoModal();
    }
    std::string SettingsText() {
        std::ifstream in(folder + "stmtlink_basic.env", std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string folder;
};

std::string Text(ClCondDlg& dialog, int id) { return dialog.GetDlgItem(id)->GetWindowText().str(); }
void SetText(ClCondDlg& dialog, int id, const char* text) {
    dialog.GetDlgItem(id)->SetWindowText(text);
}
HWND Item(ClCondDlg& dialog, int id) { return dialog.GetDlgItem(id)->m_hWnd; }
int Checked(ClCondDlg& dialog, int id) {
    return static_cast<int>(dialog.GetDlgItem(id)->SendMessage(BM_GETCHECK));
}
void PressKey(ClCondDlg& dialog, int id, int key) {
    MSG message{};
    message.hwnd = Item(dialog, id);
    message.message = WM_KEYDOWN;
    message.wParam = static_cast<WPARAM>(key);
    dialog.PreTranslateMessage(&message);
}
bool WholeTextSelected(ClCondDlg& dialog, int id) {
    const headless::Window* edit = headless::FindWindow(Item(dialog, id));
    return edit && edit->selStart == 0 && edit->selEnd == -1;
}

TEST_F(CondDlgTest, WithoutSettingsTheWholePeriodAndTheDefaultPathAreProposed) {
    ClCondDlg dialog;
    Prepare(dialog);
    Run(dialog, [&](ClCondDlg& d) {
        EXPECT_EQ(Text(d, IDC_START_MONTH), "4");
        EXPECT_EQ(Text(d, IDC_END_MONTH), "3");
        EXPECT_EQ(Text(d, IDC_OUTPUT_PATH), "D:\\Out\\*.xml");
        EXPECT_EQ(Checked(d, IDC_SHAREHOLDERS), BST_CHECKED);
        EXPECT_EQ(Checked(d, IDC_MEMBERS), BST_UNCHECKED);
        EXPECT_EQ(Checked(d, IDC_LEDGER), BST_CHECKED);
        EXPECT_TRUE(d.GetDlgItem(IDC_BROWSE)->IsWindowEnabled());
    });
    EXPECT_EQ(dialog.pathFixed, 0);
    EXPECT_EQ(dialog.savedPath.str(), "");
}

TEST_F(CondDlgTest, RememberedConditionsAreProposedAndSavedBack) {
    std::ofstream(folder + "stmtlink_basic.env", std::ios::binary)
        << "xsuzuki/D0001:1/1/1/1/C:\\other.xml\nsuzuki/D0001:6/9/2/0/C:\\tmp\\a.xml\n"
        << "tanaka/D0001:4/3/1/1/C:\\t.xml\n";
    ClCondDlg dialog;
    Prepare(dialog);
    Run(dialog, [&](ClCondDlg& d) {
        EXPECT_EQ(Text(d, IDC_START_MONTH), "6");
        EXPECT_EQ(Text(d, IDC_END_MONTH), "9");
        EXPECT_EQ(Text(d, IDC_OUTPUT_PATH), "C:\\tmp\\a.xml");
        EXPECT_EQ(Checked(d, IDC_MEMBERS), BST_CHECKED);
        EXPECT_EQ(Checked(d, IDC_LEDGER), BST_UNCHECKED);
    });
    EXPECT_EQ(dialog.savedPath.str(), "C:\\tmp\\a.xml");

    EXPECT_EQ(dialog.SaveSettings(4, 3, 1, 1, "C:\\new.xml"), 1);
    EXPECT_EQ(SettingsText(),
              "xsuzuki/D0001:1/1/1/1/C:\\other.xml\ntanaka/D0001:4/3/1/1/C:\\t.xml\n"
              "suzuki/D0001:4/3/1/1/C:\\new.xml\n");
    // Without a path the record keeps the one read at the start.
    EXPECT_EQ(dialog.SaveSettings(5, 6, 2, 0), 1);
    EXPECT_EQ(SettingsText(),
              "xsuzuki/D0001:1/1/1/1/C:\\other.xml\ntanaka/D0001:4/3/1/1/C:\\t.xml\n"
              "suzuki/D0001:5/6/2/0/C:\\tmp\\a.xml\n");
}

TEST_F(CondDlgTest, NetworkEditionKeyCarriesTheSelectionNumber) {
    ClCondDlg dialog;
    Prepare(dialog);
    dialog.edition = &Edition(EditionId::Summit);
    dialog.selectionNo1 = 12;
    EXPECT_EQ(dialog.SaveSettings(4, 3, 1, 1, "C:\\a.xml"), 1);
    std::ifstream in(folder + "stmtlink_summit.env", std::ios::binary);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "suzuki/12/D0001:4/3/1/1/C:\\a.xml");
}

TEST_F(CondDlgTest, SettingsFolderMissingWritesNothing) {
    auto current = std::make_unique<book::Book>();
    book::Install(std::move(current));  // no settings folder at all
    ClCondDlg dialog;
    Prepare(dialog);
    EXPECT_EQ(dialog.SaveSettings(4, 3, 1, 1, "C:\\a.xml"), 0);
}

TEST_F(CondDlgTest, CallerPathIsFixed) {
    ClCondDlg dialog;
    Prepare(dialog);
    dialog.callerPath = "C:\\caller\\out.xml";
    Run(dialog, [&](ClCondDlg& d) {
        EXPECT_EQ(Text(d, IDC_OUTPUT_PATH), "C:\\caller\\out.xml");
        EXPECT_EQ(Text(d, IDC_OUTPUT_GROUP), "出力先");
        EXPECT_FALSE(d.GetDlgItem(IDC_OUTPUT_PATH)->IsWindowEnabled());
        EXPECT_FALSE(d.GetDlgItem(IDC_BROWSE)->IsWindowEnabled());
        // Enter on the end month skips the disabled path and browse button.
        PressKey(d, IDC_END_MONTH, VK_RETURN);
        EXPECT_EQ(Screen().focus, Item(d, IDC_EXECUTE));
    });
    EXPECT_EQ(dialog.pathFixed, 1);
}

TEST_F(CondDlgTest, PathRefusalsKeepTheDialogOpenOnTheOutputPath) {
    struct Case {
        const char* path;
        const char* message;
    } cases[] = {
        {"C:\\a\\\\b.xml",
         "データの出力先に不正な文字が含まれています。\n\n出力先を再入力してください。"},
        {"C:\\a?b.xml",
         "データの出力先に不正な文字が含まれています。\n\n出力先を再入力してください。"},
        {"C:?x.xml",
         "データの出力先に不正な文字が含まれています。\n\n出力先を再入力してください。"},
        {"1:\\a.xml", "ドライブ名が有効でありません。\n\n有効なドライブを指定してください。"},
        {"\\\\srv\\share", "ドライブ名が有効でありません。\n\n有効なドライブを指定してください。"},
        {"C:\\", "ファイル名が指定されていません。"},
    };
    for (const Case& c : cases) {
        Screen().Reset();
        ClCondDlg dialog;
        Prepare(dialog);
        EXPECT_EQ(Run(dialog,
                      [&](ClCondDlg& d) {
                          SetText(d, IDC_OUTPUT_PATH, c.path);
                          d.OnExecute();
                          EXPECT_EQ(Screen().focus, Item(d, IDC_OUTPUT_PATH)) << c.path;
                          EXPECT_TRUE(WholeTextSelected(d, IDC_OUTPUT_PATH)) << c.path;
                      }),
                  -1)
            << c.path;
        ASSERT_EQ(Screen().messageBoxes.size(), 1u) << c.path;
        EXPECT_EQ(Screen().messageBoxes[0].text, c.message) << c.path;
        EXPECT_EQ(Screen().messageBoxes[0].caption, kCaption);
        EXPECT_EQ(Screen().messageBoxes[0].type, kRefusal);
    }
}

TEST_F(CondDlgTest, MissingFolderDeclinedKeepsTheDialogOpen) {
    ClCondDlg dialog;
    Prepare(dialog);
    Screen().QueueAnswer(IDNO);
    EXPECT_EQ(Run(dialog,
                  [&](ClCondDlg& d) {
                      SetText(d, IDC_OUTPUT_PATH, "C:\\no such folder\\a.xml");
                      d.OnExecute();
                      EXPECT_EQ(Screen().focus, Item(d, IDC_OUTPUT_PATH));
                  }),
              -1);
    ASSERT_EQ(Screen().messageBoxes.size(), 1u);
    EXPECT_EQ(Screen().messageBoxes[0].text,
              "指定されたフォルダは存在しません。\n\n作成してもよろしいですか？");
    EXPECT_EQ(Screen().messageBoxes[0].type, kQuestion);
}

TEST_F(CondDlgTest, EmptyPathOpensTheFileDialogWithoutExecuting) {
    ClCondDlg dialog;
    Prepare(dialog);
    Screen().QueueFileChoice("C:\\chosen.xml");
    EXPECT_EQ(Run(dialog,
                  [&](ClCondDlg& d) {
                      SetText(d, IDC_OUTPUT_PATH, "");
                      d.OnExecute();
                      EXPECT_EQ(Text(d, IDC_OUTPUT_PATH), "C:\\chosen.xml");
                      EXPECT_EQ(Screen().focus, Item(d, IDC_EXECUTE));
                  }),
              -1);
    ASSERT_EQ(Screen().messageBoxes.size(), 1u);
    EXPECT_EQ(Screen().messageBoxes[0].text,
              "データ出力先が指定されていません。\n\n出力先を指定してください。");
    EXPECT_EQ(Screen().messageBoxes[0].type, kRefusal);
}

TEST_F(CondDlgTest, EnterMovesThroughTheFieldsAndF12Executes) {
    ClCondDlg dialog;
    Prepare(dialog);
    EXPECT_EQ(Run(dialog,
                  [&](ClCondDlg& d) {
                      PressKey(d, IDC_START_MONTH, VK_RETURN);
                      EXPECT_EQ(Screen().focus, Item(d, IDC_END_MONTH));
                      EXPECT_TRUE(WholeTextSelected(d, IDC_END_MONTH));
                      PressKey(d, IDC_END_MONTH, VK_RETURN);
                      EXPECT_EQ(Screen().focus, Item(d, IDC_OUTPUT_PATH));
                      PressKey(d, IDC_OUTPUT_PATH, VK_RETURN);
                      EXPECT_EQ(Screen().focus, Item(d, IDC_BROWSE));
                      // Enter on the browse button browses; cancelled, the focus is on execute.
                      PressKey(d, IDC_BROWSE, VK_RETURN);
                      EXPECT_EQ(Screen().focus, Item(d, IDC_EXECUTE));
                      // A month out of range: F12 on a radio button runs the checks.
                      SetText(d, IDC_START_MONTH, "13");
                      PressKey(d, IDC_SHAREHOLDERS, VK_F12);
                      EXPECT_EQ(Screen().focus, Item(d, IDC_START_MONTH));
                      SetText(d, IDC_START_MONTH, "4");
                      SetText(d, IDC_OUTPUT_PATH, "a.xml");
                      PressKey(d, IDC_EXECUTE, VK_RETURN);
                  }),
              ClCondDlg::kIdExecute);
    ASSERT_EQ(Screen().messageBoxes.size(), 1u);
    EXPECT_EQ(Screen().messageBoxes[0].text,
              "集計期間に誤りがあります。\n\n集計期間を設定しなおしてください。");
    EXPECT_EQ(dialog.outputPath.str(), "a.xml");
}

TEST_F(CondDlgTest, PlatformOkNeverEndsTheDialog) {
    ClCondDlg dialog;
    Prepare(dialog);
    EXPECT_EQ(
        Run(dialog, [&](ClCondDlg& d) { d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)); }),
        -1);
    EXPECT_TRUE(Screen().messageBoxes.empty());
}

}  // namespace
