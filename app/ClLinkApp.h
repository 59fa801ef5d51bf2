#pragma once
// The application object: one start performs one export, from the connection to the
// accounting product to the message that tells the user the outcome.

#include <cstdint>

#include "collect/StatementData.h"
#include "framework/CWinApp.h"
#include "platform/Records.h"
#include "util/Edition.h"

class ClSetData;

class ClLinkApp : public CWinApp {
  public:
    // Outcome of a run.
    static constexpr int kResultSuccess = 0;
    static constexpr int kResultCancelled = 1;
    static constexpr int kResultFailure = 2;

    explicit ClLinkApp(const EditionInfo& edition);

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Copies the company data the user selected into `out`; 1 when found.
    int GetSelectedDataInfo(StDATAINFO* out);
    static void MakeFindInfo(StFINDINFO* find, const StDATAINFO* data, int startMonth,
                             int endMonth);
    static int GetShohizeiInfo(StSHOHIZEIINFO* out, const StDATAINFO* data);

    int16_t functionId = 3;
    int32_t resultCode = kResultSuccess;
    AccountItemList accountItems;
    LedgerLineList ledgerLines;
    ClSetData* dataSet = nullptr;

  private:
    // The export after a successful link; returns InitInstance's result.
    BOOL RunExport();

    const EditionInfo& edition;
};
