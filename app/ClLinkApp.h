#pragma once
// The application object: one start performs one export, from the connection to the
// accounting product to the message that tells the user the outcome.

#include <cstdint>

#include "app/Handshake.h"
#include "collect/NotesText.h"
#include "collect/StatementData.h"
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include "framework/CWinApp.h"
#include "platform/Records.h"
#include "util/Edition.h"

class ClKessanshoData;
class ClReportWriter;
class ClSetData;
class CWnd;

class ClLinkApp : public CWinApp {
  public:
    // Outcome of a run.
    static constexpr int kResultSuccess = 0;
    static constexpr int kResultCancelled = 1;
    static constexpr int kResultFailure = 2;

    explicit ClLinkApp(const EditionInfo& edition);

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Reads the handshake of a calling application from the command line (the arguments,
    // without the program name); 1 when it was accepted.
    int ParseCommandLine(const char* commandLine);
    // Whether the tax-filing application beside the program speaks this component's
    // level; 1 when it does. Otherwise, with `showMessages`, tells the user which side
    // to update.
    int CheckEnvironment(int showMessages);
    // Copies the company data the user selected into `out`; 1 when found.
    int GetSelectedDataInfo(StDATAINFO* out);
    static void MakeFindInfo(StFINDINFO* find, const StDATAINFO* data, int startMonth,
                             int endMonth);
    static int GetShohizeiInfo(StSHOHIZEIINFO* out, const StDATAINFO* data);
    // Replaces noteLines by the lines of the saved notes text.
    void SplitNotesText(CString text);

    int32_t startedByCaller = 0;
    HWND callerWnd = nullptr;
    uint32_t notifyMsg = 0;
    int16_t functionId = kStandAloneFunctionId;
    CString callerPath;
    CWnd* callerWndObj = nullptr;
    int32_t resultCode = kResultSuccess;
    AccountItemList accountItems;
    LedgerLineList ledgerLines;
    ClSetData* dataSet = nullptr;
    CStringArray noteLines;
    uint8_t noteDispFlags[notes::kSectionCount] = {};

  private:
    // Disables the caller window for the run and makes it the connection's owner.
    void AcceptCaller();
    // Gives the caller window back and posts the outcome to it.
    void ReportToCaller();
    // The export after a successful link; returns InitInstance's result.
    BOOL RunExport();
    // When notes are kept and exist: reads their display flags and lines, hands them to
    // the writer and warns (owned by `owner`) about shown notes the export cannot carry.
    void ReadNotes(ClKessanshoData& collector, ClReportWriter& writer, CWnd& owner);

    const EditionInfo& edition;
};
