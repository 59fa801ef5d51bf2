#include "ui/ClCondDlg.h"

#include <cstdlib>

#include "framework/Sys.h"
#include "platform/pathkit.h"
#include "ui/ConditionRules.h"
#include "ui/resource.h"
#include "util/MonthRules.h"

namespace {

constexpr const char* kCaption = "決算書";
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
constexpr const char* kFixedPathGroupText = "出力先";

constexpr UINT kRefusal = MB_OK | MB_ICONEXCLAMATION;

constexpr CommandEntry<ClCondDlg> kCommands[] = {
    {IDC_EXECUTE, &ClCondDlg::OnExecute},
    {IDC_CANCEL, &ClCondDlg::OnCancel},
};

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

    // Without remembered conditions the whole accounting period is proposed.
    savedPath.Empty();
    int16_t startMonth = 0;
    int16_t endMonth = 0;
    GetPeriodMonths(periodStart, periodEnd, &startMonth, &endMonth);
    endMonth = static_cast<int16_t>(endMonth % 100);
    outputPath = DefaultOutputPath();
    pathFixed = 0;

    startMonthText.Format("%d", startMonth);
    endMonthText.Format("%d", endMonth);
    statementChoice = kShareholdersEquity;
    CheckRadioButton(m_hWnd, IDC_SHAREHOLDERS, IDC_MEMBERS,
                     statementChoice == kMembersEquity ? IDC_MEMBERS : IDC_SHAREHOLDERS);
    ledgerFlag = 1;
    CheckDlgButton(m_hWnd, IDC_LEDGER, ledgerFlag ? BST_CHECKED : BST_UNCHECKED);
    UpdateData(FALSE);
    return TRUE;
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

void ClCondDlg::OnExecute() {
    if (!UpdateData(TRUE)) return;
    statementChoice = IsDlgButtonChecked(m_hWnd, IDC_MEMBERS) == BST_CHECKED ? kMembersEquity
                                                                             : kShareholdersEquity;
    ledgerFlag = IsDlgButtonChecked(m_hWnd, IDC_LEDGER) == BST_CHECKED ? 1 : 0;

    CEdit* focus = nullptr;
    if (!MonthsAreValid(focus)) {
        FocusField(*focus);
        return;
    }
    EndDialog(kIdExecute);
}

void ClCondDlg::OnCancel() {
    ShowMessage(kCancelNotice, MB_OK | MB_ICONINFORMATION);
    EndDialog(kIdCancel);
}
