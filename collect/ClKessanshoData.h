#pragma once
// The collector: reads the period sums of every account of the selected company and
// appends one account item per account to the application's statement data, stepping
// the progress dialog as it goes.

#include <cstdint>
#include <memory>

#include "collect/ClCurrency.h"
#include "collect/StatementData.h"
#include "framework/CString.h"
#include "platform/Records.h"
#include "platform/bookkit.h"

class ClProgressDlg;

class ClKessanshoData {
  public:
    // Results of the collector's operations.
    static constexpr int kOk = 1;
    static constexpr int kFail = 0;

    ClKessanshoData() = default;
    ClKessanshoData(const ClKessanshoData&) = delete;
    ClKessanshoData& operator=(const ClKessanshoData&) = delete;
    virtual ~ClKessanshoData() = default;

    // Appends one item per account (kind 1 excepted) for the months of `find`, from the
    // sums the sum-set flag chooses. kOk on success; kFail when collection ended early:
    // the items appended until then stay. A failure of the library or of memory is
    // silent (what was collected is written); an amount too large to be represented
    // sets amountOverflow instead, and then nothing collected may be written.
    int CollectAccounts(int sumSetFlag, const StFINDINFO* find, const StDATAINFO* data);

    // Fetches one kind of the company's saved statement data through a fresh save object
    // (the one held before is released). kOk and a text that the caller frees with
    // sys::TaskMemFree; kFail and a null text when the data cannot be had.
    int FetchSavedData(int16_t kind, char** text, int* size);
    // 1 when the notes settings have notes input switched on.
    int IsNoteInputMode();
    // 1 when the statement settings say that notes exist.
    int HasNotes();
    // Fills the display flags (notes::kSectionCount entries) from the notes settings;
    // leaves them as they are when there are none.
    int ReadNoteDispFlags(uint8_t* flags);
    // The saved notes text; empty when there is none. Returns kOk.
    int ReadNotesText(CString& text);

    ClProgressDlg* progressDlg = nullptr;  // null: nothing is shown
    AccountItemList* accountItemList = nullptr;
    LedgerLineList* ledgerLineList = nullptr;
    int32_t ledgerOption = 0;
    double progressPos = 0.0;   // overall bar, hundredths of a percent
    double progressStep = 1.0;  // overall bar step per account with the ledger option
    std::unique_ptr<ClRuleKamoku> kamokuRule;
    std::unique_ptr<ClSaveKessansho> kessanshoSave;  // released before the rule
    // Set when an amount reached the bound of ClCurrency::Add (or left the 64-bit range).
    bool amountOverflow = false;

  private:
    struct Months;
    struct Balances;
    class SavedText;

    // Fetches `kind` into `text`; false when there is no text.
    bool Fetch(int16_t kind, SavedText& text);

    // The opening and closing balances of one account for the months.
    static Balances AccountBalances(const StKAMOKUSUMINFO& sums, int sumSetFlag,
                                    const Months& months);

    int Collect(int sumSetFlag, const StFINDINFO& find, const StDATAINFO& data);
    // Creates and attaches the account-sum rule unless one is held; false when it
    // cannot be created.
    bool HoldRule();
    // Reads `count` accounts; the status that ended the loop. `carried` receives the
    // opening balance of the last account that carries the profit brought forward.
    int ReadAccounts(int sumSetFlag, int count, const Months& months, ClCurrency& carried);
    // False when the item cannot be allocated or appended.
    bool AppendItem(const StKAMOKUSUMINFO& sums, const Balances& balances);
    void StepForAccount();
    void AdvanceBar(double from, double to);
};
