#include "ui/ClCondDlg.h"

#include <cstdlib>
#include <cstring>

#include "framework/CFileDialog.h"
#include "framework/Sys.h"
#include "platform/pathkit.h"
#include "ui/ConditionRules.h"
#include "ui/PathRules.h"
#include "ui/SettingsFile.h"
#include "ui/resource.h"
#include "util/Caption.h"
#include "util/MonthRules.h"

namespace {

constexpr int kMaxPathChars = 255;
constexpr int kMaxMonthChars = 2;
constexpr int kFolderBufferSize = 261;

constexpr const char* kPastResultsRefusal =
    "過去実績データは、連携の対象として使用できません。\n\nアプリケーションを終了します。";
constexpr const char* kCompanyLawRefusal =
    "選択された会計データは会社法(H18.5施行)に対応していないため、\n"
    "連携の対象として使用できません。\n"
    "(Tallyvaleを起動し、[事業所・消費税情報設定]にて会社法対応データへ   \n"
    "変換することで、連携ができます。)\n\nアプリケーションを終了します。";
constexpr const char* kMonthRefusal =
    "集計期間に誤りがあります。\n\n集計期間を設定しなおしてください。";
constexpr const char* kStartOfUseRefusal = "集計期間には、導入開始月より前は指定できません。";
constexpr const char* kCancelNotice = "｢決算書｣の集計を中止します。";
constexpr const char* kNoOutputPath =
    "データ出力先が指定されていません。\n\n出力先を指定してください。";
constexpr const char* kInvalidCharacters =
    "データの出力先に不正な文字が含まれています。\n\n出力先を再入力してください。";
constexpr const char* kBadDrive =
    "ドライブ名が有効でありません。\n\n有効なドライブを指定してください。";
constexpr const char* kNoFileName = "ファイル名が指定されていません。";
constexpr const char* kCreateFolderQuestion =
    "指定されたフォルダは存在しません。\n\n作成してもよろしいですか？";
constexpr const char* kCreateFolderFailed =
    "フォルダの作成に失敗しました。\n\n出力先を再入力してください。";
constexpr const char* kOverwriteQuestion =
    "同名のファイルが存在します。\n\n上書きしてもよろしいですか？";
constexpr const char* kFixedPathGroupText = "出力先";

constexpr UINT kRefusal = MB_OK | MB_ICONEXCLAMATION;
constexpr UINT kQuestion = MB_YESNO | MB_ICONQUESTION;

// The save-file dialog of the browse button.
constexpr const char* kBrowseExtension = "XML";
constexpr const char* kBrowseFilter = "Xml Files (*.xml)|*.xml||";
constexpr const char* kBrowseTitle = "保存ファイルを指定";
constexpr DWORD kBrowseFlags =
    OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
static_assert(kBrowseFlags == 0x180C);

constexpr CommandEntry<ClCondDlg> kCommands[] = {
    {IDC_EXECUTE, &ClCondDlg::OnExecute},
    {IDC_BROWSE, &ClCondDlg::OnBrowse},
    {IDC_CANCEL, &ClCondDlg::OnCancel},
};

// The keys the dialog answers itself; every other key goes to the dialog manager.
constexpr int kAnywhere = 0;
struct KeyBinding {
    int key;
    int controlId;  // the control with the focus, or kAnywhere
    void (ClCondDlg::*action)();
};
constexpr KeyBinding kKeyBindings[] = {
    {VK_RETURN, IDC_START_MONTH, &ClCondDlg::FocusEndMonth},
    {VK_RETURN, IDC_END_MONTH, &ClCondDlg::FocusAfterEndMonth},
    {VK_RETURN, IDC_OUTPUT_PATH, &ClCondDlg::FocusAfterOutputPath},
    {VK_RETURN, IDC_BROWSE, &ClCondDlg::OnBrowse},
    {VK_RETURN, IDC_EXECUTE, &ClCondDlg::OnExecute},
    {VK_F12, kAnywhere, &ClCondDlg::OnExecute},
};

// Shift, Ctrl or Alt held: the key belongs to the dialog manager. The headless side
// has no keyboard, so nothing is held there.
bool ModifierHeld() {
#ifdef _WIN32
    return ::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_CONTROL) < 0 ||
           ::GetKeyState(VK_MENU) < 0;
#else
    return false;
#endif
}

void SetButtonCheck(CWnd* button, bool checked) {
    if (button) button->SendMessage(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool ButtonChecked(CWnd* button) {
    return button && button->SendMessage(BM_GETCHECK) == BST_CHECKED;
}

}  // namespace

ClCondDlg::ClCondDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

void ClCondDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_OUTPUT_GROUP, outputGroup);
    DDX_Control(dx, IDC_END_MONTH, endMonthEdit);
    DDX_Control(dx, IDC_START_MONTH, startMonthEdit);
    DDX_Control(dx, IDC_OUTPUT_PATH, outputPathEdit);
    DDX_Control(dx, IDC_BROWSE, browseButton);
    DDX_Control(dx, IDC_EXECUTE, executeButton);
    DDX_Text(dx, IDC_PERIOD_TEXT, periodText);
    DDX_Text(dx, IDC_COMPANY_TEXT, companyText);
    DDX_Text(dx, IDC_OUTPUT_PATH, outputPath);
    DDX_Text(dx, IDC_END_MONTH, endMonthText);
    DDV_MaxChars(dx, endMonthText, kMaxMonthChars);
    DDX_Text(dx, IDC_START_MONTH, startMonthText);
    DDV_MaxChars(dx, startMonthText, kMaxMonthChars);
}

bool ClCondDlg::OnCommand(int id) { return DispatchCommand(this, kCommands, id); }

int ClCondDlg::ShowMessage(const char* text, UINT type) { return MessageBox(text, kCaption, type); }

void ClCondDlg::FocusField(CEdit& field) {
    GotoDlgCtrl(&field);
    field.SetSel(0, -1);
}

bool ClCondDlg::RefuseData() {
    const char* refusal = nullptr;
    if (pastResults == 1) {
        refusal = kPastResultsRefusal;
    } else if (companyLaw != 1) {
        refusal = kCompanyLawRefusal;
    }
    if (!refusal) return false;
    ShowMessage(refusal, kRefusal);
    EndDialog(kIdCancel);
    return true;
}

CString ClCondDlg::DefaultOutputPath() const {
    char folder[kFolderBufferSize] = {};
    ClFileMgr::Inst()->GetAppFolderPath(kFolderOutput, folder, sizeof folder);
    return ::DefaultOutputPath(folder, sys::TempFolder());
}

BOOL ClCondDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (RefuseData()) return TRUE;
    outputPathEdit.LimitText(kMaxPathChars);
    ProposeConditions();
    UpdateData(FALSE);
    return TRUE;
}

void ClCondDlg::ProposeConditions() {
    int16_t startMonth = 0;
    int16_t endMonth = 0;
    int16_t choice = kShareholdersEquity;
    int32_t ledger = 1;
    char remembered[kSettingsPathSize] = {};
    savedPath.Empty();
    if (LoadSettings(&startMonth, &endMonth, &choice, &ledger, remembered)) {
        savedPath = remembered;
    } else {
        // Without remembered conditions the whole accounting period is proposed.
        GetPeriodMonths(periodStart, periodEnd, &startMonth, &endMonth);
        endMonth = static_cast<int16_t>(endMonth % 100);
    }

    if (!callerPath.IsEmpty()) {
        // The calling application decides where the file goes.
        outputPath = callerPath;
        browseButton.EnableWindow(FALSE);
        outputPathEdit.EnableWindow(FALSE);
        outputGroup.SetWindowText(kFixedPathGroupText);
        pathFixed = 1;
    } else {
        outputPath = savedPath.IsEmpty() ? DefaultOutputPath() : savedPath;
        pathFixed = 0;
    }
    if (startMonth == 0) GetPeriodMonths(periodStart, periodEnd, &startMonth, nullptr);

    startMonthText.Format("%d", startMonth);
    endMonthText.Format("%d", endMonth);
    statementChoice = choice == kMembersEquity ? kMembersEquity : kShareholdersEquity;
    SetButtonCheck(GetDlgItem(IDC_SHAREHOLDERS), statementChoice == kShareholdersEquity);
    SetButtonCheck(GetDlgItem(IDC_MEMBERS), statementChoice == kMembersEquity);
    ledgerFlag = ledger;
    SetButtonCheck(GetDlgItem(IDC_LEDGER), ledgerFlag != 0);
}

bool ClCondDlg::MonthsAreValid(CEdit*& focus) {
    const int s = std::atoi(startMonthText);
    const int e = std::atoi(endMonthText);
    int16_t firstMonth = 0;
    int16_t lastMonth = 0;
    GetPeriodMonths(periodStart, periodEnd, &firstMonth, &lastMonth);

    switch (CheckMonthRange(s, e, firstMonth, lastMonth)) {
        case MonthField::Start:
            ShowMessage(kMonthRefusal, kRefusal);
            focus = &startMonthEdit;
            return false;
        case MonthField::End:
            ShowMessage(kMonthRefusal, kRefusal);
            focus = &endMonthEdit;
            return false;
        case MonthField::None:
            break;
    }
    if (EndsBeforeStartOfUse(s, e, firstMonth, lastMonth, startOfUseMonth)) {
        ShowMessage(kStartOfUseRefusal, kRefusal);
        focus = &endMonthEdit;
        return false;
    }
    return true;
}

bool ClCondDlg::RefusePath(const char* text) {
    if (text) ShowMessage(text, kRefusal);
    FocusField(outputPathEdit);
    return false;
}

bool ClCondDlg::UserAgrees(const char* question) {
    return ShowMessage(question, kQuestion) == IDYES;
}

bool ClCondDlg::OutputPathIsAccepted() {
    const std::string path(outputPath);
    if (pathrules::HasInvalidCharacters(path)) return RefusePath(kInvalidCharacters);
    if (!pathrules::DriveIsUsable(path, pathrules::SystemDriveProbe()))
        return RefusePath(kBadDrive);
    if (pathrules::FileNamePart(path).empty()) return RefusePath(kNoFileName);

    const std::string folder = pathrules::FolderPart(path);
    if (!folder.empty() && !sys::DirectoryExists(folder.c_str())) {
        if (!UserAgrees(kCreateFolderQuestion)) return RefusePath(nullptr);
        if (!pathrules::CreateFolder(folder)) return RefusePath(kCreateFolderFailed);
    }
    // The calling application's file is overwritten without a question.
    if (pathFixed) return true;
    if (sys::DirectoryExists(path.c_str())) return RefusePath(kNoFileName);
    if (sys::FileExists(path.c_str()) && !UserAgrees(kOverwriteQuestion))
        return RefusePath(nullptr);
    return true;
}

void ClCondDlg::ReadChoices() {
    statementChoice = ButtonChecked(GetDlgItem(IDC_MEMBERS)) ? kMembersEquity : kShareholdersEquity;
    ledgerFlag = ButtonChecked(GetDlgItem(IDC_LEDGER)) ? 1 : 0;
}

void ClCondDlg::OnExecute() {
    if (!UpdateData(TRUE)) return;
    ReadChoices();

    CEdit* focus = nullptr;
    if (!MonthsAreValid(focus)) {
        FocusField(*focus);
        return;
    }
    if (outputPath.IsEmpty()) {
        // The user picks a file and executes again.
        ShowMessage(kNoOutputPath, kRefusal);
        OnBrowse();
        return;
    }
    if (!OutputPathIsAccepted()) return;
    EndDialog(kIdExecute);
}

void ClCondDlg::OnBrowse() {
    if (!UpdateData(TRUE)) return;
    ReadChoices();
    const pathrules::BrowseSplit split = pathrules::SplitForBrowse(std::string(outputPath));
    CFileDialog fileDialog(FALSE, kBrowseExtension, split.file.c_str(), kBrowseFlags, kBrowseFilter,
                           this);
    fileDialog.m_ofn.lpstrInitialDir = split.folder.c_str();
    fileDialog.m_ofn.lpstrTitle = kBrowseTitle;
    if (fileDialog.DoModal() == IDOK) {
        outputPath = fileDialog.GetPathName();
        UpdateData(FALSE);
    }
    GotoDlgCtrl(&executeButton);
}

void ClCondDlg::OnCancel() {
    ShowMessage(kCancelNotice, MB_OK | MB_ICONINFORMATION);
    EndDialog(kIdCancel);
}

void ClCondDlg::FocusEndMonth() { FocusField(endMonthEdit); }

void ClCondDlg::FocusAfterEndMonth() {
    if (browseButton.IsWindowEnabled()) {
        FocusField(outputPathEdit);
    } else {
        GotoDlgCtrl(&executeButton);
    }
}

void ClCondDlg::FocusAfterOutputPath() {
    GotoDlgCtrl(browseButton.IsWindowEnabled() ? static_cast<CWnd*>(&browseButton)
                                               : static_cast<CWnd*>(&executeButton));
}

BOOL ClCondDlg::PreTranslateMessage(MSG* message) {
    if (message->message != WM_KEYDOWN || ModifierHeld())
        return CDialog::PreTranslateMessage(message);
    for (const KeyBinding& binding : kKeyBindings) {
        if (static_cast<int>(message->wParam) != binding.key) continue;
        if (binding.controlId != kAnywhere) {
            const CWnd* control = GetDlgItem(binding.controlId);
            if (!control || control->m_hWnd != message->hwnd) continue;
        }
        (this->*binding.action)();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(message);
}

std::string ClCondDlg::SettingsKey() const {
    return settings::MakeKey(*edition, std::string(userId), selectionNo1, std::string(dataIdText));
}

std::string ClCondDlg::SettingsFolder() const {
    char folder[kFolderBufferSize] = {};
    if (ClFileMgr::Inst()->GetAppFolderPath(kFolderSettings, folder, sizeof folder) != kLibOk)
        return std::string();
    return folder;
}

int ClCondDlg::LoadSettings(int16_t* startMonth, int16_t* endMonth, int16_t* choice,
                            int32_t* ledger, char* path) {
    const std::string folder = edition ? SettingsFolder() : std::string();
    settings::Record record;
    if (folder.empty() ||
        !settings::LoadRecord(folder + edition->settingsFile, SettingsKey(), record))
        return 0;
    *startMonth = record.startMonth;
    *endMonth = record.endMonth;
    *choice = record.statementChoice;
    *ledger = record.ledgerFlag;
    std::memcpy(path, record.path.c_str(), record.path.size() + 1);
    return 1;
}

int ClCondDlg::SaveSettings(int16_t startMonth, int16_t endMonth, int16_t choice, int32_t ledger,
                            const char* path) {
    const std::string folder = edition ? SettingsFolder() : std::string();
    if (folder.empty()) return 0;
    if (!sys::DirectoryExists(folder.c_str()) && !pathrules::CreateFolder(folder)) return 0;
    const settings::Record record{startMonth, endMonth, choice, ledger,
                                  path ? std::string(path) : std::string(savedPath)};
    return settings::SaveRecord(folder + edition->settingsFile, SettingsKey(), record) ? 1 : 0;
}
