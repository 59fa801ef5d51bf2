#include "app/ClLinkApp.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "app/EnvironmentCheck.h"
#include "collect/ClKessanshoData.h"
#include "collect/SearchConditions.h"
#include "framework/Sys.h"
#include "platform/Status.h"
#include "platform/bookkit.h"
#include "platform/bridgekit.h"
#include "platform/sharekit.h"
#include "report/ClReportWriter.h"
#include "ui/ClCondDlg.h"
#include "ui/ClProgressDlg.h"
#include "util/Caption.h"

namespace {

constexpr const char* kWriteFailed =
    "XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。";
constexpr const char* kAmountOverflow =
    "金額が大きすぎるため、決算書情報を出力できません。\n\nアプリケーションを終了します。";
constexpr const char* kExportDone =
    "決算書情報の出力が終了しました。\n\nアプリケーションを終了します。";
constexpr UINT kRefusal = MB_OK | MB_ICONEXCLAMATION;

static_assert(notes::kSectionCount == ClReportWriter::kNoteSectionCount,
              "the writer reads every display flag the reader fills");

// Notes sections that the export does not carry, in the order the warning names them.
struct UnsupportedNote {
    size_t flagIndex;
    const char* bullet;
};
constexpr UnsupportedNote kUnsupportedNotes[] = {
    {32, "・会計上の見積もりに関する注記\n"}, {20, "・会計上の見積もりの変更に関する注記\n"},
    {21, "・誤謬の訂正に関する注記\n"},       {16, "・金融商品に関する注記\n"},
    {17, "・賃貸等不動産に関する注記\n"},     {33, "・収益認識に関する注記\n"},
};
constexpr const char* kUnsupportedHeading =
    "以下の注記は連動に対応していません。\nこれらの注記はQuillmark上で手入力してください。\n\n";
constexpr const char* kUnsupportedClosing = "\nこれらの注記を除いて処理を続行します。";
constexpr int kUseDataType = 1;
constexpr int kLinkDeclined = 1;
constexpr int16_t kPastResultsMonth = 99;
constexpr size_t kUserIdSize = 65;
constexpr size_t kDataIdTextSize = 35;

// The warning about shown notes that the export cannot carry; empty when there are none.
CString UnsupportedNotesMessage(const uint8_t* flags) {
    CString message;
    for (const UnsupportedNote& note : kUnsupportedNotes) {
        if (flags[note.flagIndex] == 0) continue;
        if (message.IsEmpty()) message = kUnsupportedHeading;
        message += note.bullet;
    }
    if (!message.IsEmpty()) message += kUnsupportedClosing;
    return message;
}

// Makes the folder of the program file the current directory.
void EnterProgramFolder() {
    std::string path = sys::ModulePath();
    const size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos) sys::SetCurrentDirectory(path.substr(0, slash + 1).c_str());
}

// The user's identifier and the two numbers of the selected company.
struct SelectedUser {
    char userId[kUserIdSize] = {};
    int selectionNo1 = 0;
    int selectionNo2 = 0;
};

SelectedUser CurrentUser() {
    SelectedUser user;
    ClSysUser* sysUser = ClDataMgr::Inst()->GetSysUserObject();
    sysUser->GetCurUserID(user.userId);
    sysUser->GetSelectedNo(user.userId, &user.selectionNo1, &user.selectionNo2);
    return user;
}

// Releases a data cursor on every path.
class DatCursor {
  public:
    explicit DatCursor(ClSetData* set) : set_(set) { set_->GetDatCursor(&cursor_); }
    ~DatCursor() { set_->ReleaseDatCursor(cursor_); }
    DatCursor(const DatCursor&) = delete;
    DatCursor& operator=(const DatCursor&) = delete;
    int id() const { return cursor_; }

  private:
    ClSetData* set_;
    int cursor_ = 0;
};

// The wait cursor of the export; restored on every way out.
class WaitCursor {
  public:
    explicit WaitCursor(CWinApp& app) : app_(app) { app_.BeginWaitCursor(); }
    ~WaitCursor() { Restore(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    void Restore() {
        if (on_) app_.EndWaitCursor();
        on_ = false;
    }

  private:
    CWinApp& app_;
    bool on_ = true;
};

}  // namespace

ClLinkApp::ClLinkApp(const EditionInfo& edition) : edition(edition) {}

void ClLinkApp::MakeFindInfo(StFINDINFO* find, const StDATAINFO* data, int startMonth,
                             int endMonth) {
    BuildFindInfo(find, data, startMonth, endMonth);
}

int ClLinkApp::GetShohizeiInfo(StSHOHIZEIINFO* out, const StDATAINFO* data) {
    return ReadShohizeiInfo(out, data);
}

void ClLinkApp::SplitNotesText(CString text) { notes::SplitNotesText(text, noteLines); }

void ClLinkApp::ReadNotes(ClKessanshoData& collector, ClReportWriter& writer, CWnd& owner) {
    if (!collector.IsNoteInputMode() || !collector.HasNotes()) return;
    std::memset(noteDispFlags, 0, sizeof noteDispFlags);
    collector.ReadNoteDispFlags(noteDispFlags);
    writer.noteDispFlags = noteDispFlags;
    writer.notesPresent = 1;
    CString text;
    collector.ReadNotesText(text);
    SplitNotesText(text);
    writer.noteLines = &noteLines;
    const CString warning = UnsupportedNotesMessage(noteDispFlags);
    if (!warning.IsEmpty()) owner.MessageBox(warning, kCaption, kRefusal);
}

int ClLinkApp::GetSelectedDataInfo(StDATAINFO* out) {
    if (!dataSet)
        dataSet = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(kSetKindData, 1));
    const SelectedUser user = CurrentUser();

    std::memset(out, 0, sizeof *out);
    DatCursor cursor(dataSet);
    dataSet->ReadyDat(cursor.id(), 0);
    StDATAINFO record;
    std::memset(&record, 0, sizeof record);
    while (dataSet->WalkDat(cursor.id(), &record) == kLibOk) {
        if (record.dataNo == user.selectionNo2) {
            *out = record;
            return 1;
        }
        std::memset(&record, 0, sizeof record);
    }
    return 0;
}

int ClLinkApp::ParseCommandLine(const char* commandLine) {
    if (!commandLine) return 0;
    HandshakeFields fields;
    const bool accepted = ParseHandshake(commandLine, fields);
    // Window handles are 32-bit values, sign-extended to the handle's width.
    callerWnd = reinterpret_cast<HWND>(static_cast<intptr_t>(fields.callerWnd));
    notifyMsg = fields.notifyMsg;
    functionId = fields.functionId;
    callerPath = fields.callerPath.c_str();
    return accepted ? 1 : 0;
}

int ClLinkApp::CheckEnvironment(int showMessages) {
    const int code = ReadLevelCode(DefinitionFilePath(sys::CurrentDirectory()));
    if (code == kLevelSupported) return 1;
    if (showMessages)
        ClAccConnect::Inst()->DispMsg(callerWnd, LevelMessage(code), kCaption, kRefusal);
    return 0;
}

void ClLinkApp::AcceptCaller() {
    startedByCaller = 1;
    callerWndObj = CWnd::FromHandle(callerWnd);
    if (callerWndObj) callerWndObj->EnableWindow(FALSE);
    ClAccConnect::Inst()->ownerWnd = callerWnd;
}

void ClLinkApp::ReportToCaller() {
    ::SetForegroundWindow(callerWnd);
    ::EnableWindow(callerWnd, TRUE);
    ::PostMessageA(callerWnd, notifyMsg, static_cast<WPARAM>(static_cast<intptr_t>(functionId)),
                   static_cast<LPARAM>(resultCode));
    ::EnableWindow(callerWnd, TRUE);
}

BOOL ClLinkApp::InitInstance() {
    ClAccConnect* connect = ClAccConnect::Inst();
    connect->caption = kCaption;
    connect->SetAppType(edition.appType);
    connect->SetUseDataType(kUseDataType);
    if (connect->Initiate() != kLibOk) return FALSE;

    if (ParseCommandLine(m_lpCmdLine)) AcceptCaller();
    EnterProgramFolder();
    if (!CheckEnvironment(1)) {
        resultCode = kResultFailure;
        return FALSE;
    }

    const int link = connect->ExpSysLink();
    if (link != kLibOk) {
        resultCode = link == kLinkDeclined ? kResultCancelled : kResultFailure;
        return FALSE;
    }
    return RunExport();
}

BOOL ClLinkApp::RunExport() {
    StDATAINFO data;
    std::memset(&data, 0, sizeof data);
    GetSelectedDataInfo(&data);
    StSHOHIZEIINFO tax;
    std::memset(&tax, 0, sizeof tax);
    GetShohizeiInfo(&tax, &data);

    ClCondDlg conditions(callerWndObj);
    conditions.edition = &edition;
    const SelectedUser user = CurrentUser();
    conditions.userId = user.userId;
    conditions.selectionNo1 = user.selectionNo1;
    conditions.selectionNo2 = user.selectionNo2;
    char dataIdText[kDataIdTextSize] = {};
    ClUtyDBHpr::Inst()->MakeIDStr(dataSet->GetSelectedInfo()->dataId, dataIdText);
    conditions.dataIdText = dataIdText;
    conditions.pastResults = data.startOfUseMonth == kPastResultsMonth ? 1 : 0;
    conditions.periodStart = data.periodStart;
    conditions.periodEnd = data.periodEnd;
    conditions.startOfUseMonth = data.startOfUseMonth;
    conditions.companyText.Format(" %s", data.companyName);
    conditions.periodText.Format(" %04d/%02d/%02d～%04d/%02d/%02d", data.periodStart / 10000,
                                 data.periodStart / 100 % 100, data.periodStart % 100,
                                 data.periodEnd / 10000, data.periodEnd / 100 % 100,
                                 data.periodEnd % 100);
    conditions.companyLaw = data.companyLaw;
    if (startedByCaller) conditions.callerPath = callerPath;
    if (conditions.DoModal() == ClCondDlg::kIdCancel) {
        resultCode = kResultCancelled;
        return FALSE;
    }

    const int startMonth = std::atoi(conditions.startMonthText);
    const int endMonth = std::atoi(conditions.endMonthText);
    const CString outputPath = conditions.outputPath;

    ClProgressDlg progress;
    progress.Create(ClProgressDlg::kTemplateId);
    if (callerWndObj) progress.SetParent(callerWndObj);
    progress.ShowWindow(SW_SHOW);
    WaitCursor waitCursor(*this);
    progress.Start();

    ClKessanshoData collector;
    collector.progressDlg = &progress;
    collector.accountItemList = &accountItems;
    collector.ledgerLineList = &ledgerLines;
    collector.ledgerOption = conditions.ledgerFlag;
    ClReportWriter writer;
    writer.progressDlg = &progress;
    writer.accountItems = &accountItems;
    writer.ledgerLines = &ledgerLines;
    writer.ownerWnd = progress.GetSafeHwnd();
    writer.equityChoice = conditions.statementChoice;
    writer.productName = edition.productName;

    StFINDINFO find;
    std::memset(&find, 0, sizeof find);
    MakeFindInfo(&find, &data, startMonth, endMonth);

    // Ends the run after a failure, without writing the settings.
    auto fail = [&](const char* message) {
        progress.Flush();
        progress.MessageBox(message, kCaption, kRefusal);
        progress.EndDialog(1);
        waitCursor.Restore();
        resultCode = kResultFailure;
        return FALSE;
    };

    // A failed collection still writes what was collected; amounts beyond what the
    // statements can hold would be wrong numbers, so nothing is written then.
    collector.CollectAccounts(SumSetFlag(tax), &find, &data);
    if (collector.amountOverflow) return fail(kAmountOverflow);
    ReadNotes(collector, writer, progress);
    writer.progressBase = static_cast<uint16_t>(collector.progressPos);

    if (writer.Write(outputPath, functionId, data) != 1) return fail(kWriteFailed);
    progress.Flush();
    // A caller's path is the caller's business: the record keeps the user's own.
    conditions.SaveSettings(static_cast<int16_t>(startMonth), static_cast<int16_t>(endMonth),
                            conditions.statementChoice, conditions.ledgerFlag,
                            startedByCaller ? nullptr : static_cast<const char*>(outputPath));
    progress.EndDialog(1);
    waitCursor.Restore();
    progress.MessageBox(kExportDone, kCaption, MB_OK | MB_ICONINFORMATION);
    return CWinApp::InitInstance();
}

int ClLinkApp::ExitInstance() {
    DeleteAll(accountItems);
    DeleteAll(ledgerLines);
    ClAccConnect* connect = ClAccConnect::Inst();
    connect->LogOut();
    connect->Terminate();
    connect->Release();
    if (startedByCaller) ReportToCaller();
    return CWinApp::ExitInstance();
}
