#pragma once
// The collector: reads the period sums of every account of the selected company and
// appends one account item per account to the application's statement data, stepping
// the progress dialog as it goes.

#include <cstdint>
#include <memory>

#include "collect/AccountBalance.h"
#include "collect/ClCurrency.h"
#include "collect/StatementData.h"
#include "collect/VoucherJournal.h"
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

    // Appends one ledger row per kept general-ledger line of the account in the range,
    // with its counter account and running balance. kOk when every line was walked or
    // the account has no ledger (kind, exclusion flags, class); kFail otherwise, with the
    // rows appended until then kept.
    int CollectLedger(int sumSetFlag, const StDATAINFO* data, const StFINDINFO* find,
                      const StKAMOKUSUMINFO& sums);
    // Fills motochoView for the account and the range's first and last day.
    void FillLedgerView(uint32_t accountKey, const StFINDINFO& find);
    // 1 and the master entry of `key` (a key up to 9999 is a main code); 0 when there
    // is none.
    int FindAccount(uint32_t key, StKAMOKUINFO* account);

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
    // Kept after a failed walk, and reused without attaching it again.
    std::unique_ptr<ClRuleMotocho> motochoRule;
    std::unique_ptr<ClSaveKessansho> kessanshoSave;  // released before the rules
    StMOTOCHOHYOJIINFO motochoView{};
    uint32_t motochoViewList[3] = {};
    // Set when an amount reached the bound of ClCurrency::Add (or left the 64-bit range).
    bool amountOverflow = false;

  private:
    // The loop status with which a record that cannot be allocated ends a walk.
    static constexpr int kStatusNoMemory = -1001;
    // The ledger walk's status when a compound check cannot make its journal rule.
    static constexpr int kStatusNoJournalRule = -1002;

    class SavedText;
    struct LedgerNames;
    struct LedgerWalk;

    // Fetches `kind` into `text`; false when there is no text.
    bool Fetch(int16_t kind, SavedText& text);

    int Collect(int sumSetFlag, const StFINDINFO& find, const StDATAINFO& data);
    // Reads `count` accounts; the status that ended the loop. `carried` receives the
    // opening balance of the last account that carries the profit brought forward.
    int ReadAccounts(int sumSetFlag, int count, const StFINDINFO& find, const StDATAINFO& data,
                     ClCurrency& carried);

    int WalkLedger(int sumSetFlag, const StDATAINFO& data, const StFINDINFO& find,
                   const StKAMOKUSUMINFO& sums);
    // Reads `count` lines; the status that ended the loop.
    int ReadLedgerLines(LedgerWalk& walk, int count);
    int HandleLedgerLine(LedgerWalk& walk, const StMOTOCHOINFO& line);
    // Whether the lines of the voucher before `line` leave its debit and credit apart.
    // kStatusNoJournalRule when the voucher's journal cannot be read.
    // The journals of the vouchers met so far are kept in voucherJournals.
    int EarlierLinesUnbalanced(LedgerWalk& walk, const StMOTOCHOINFO& line, bool& unbalanced);
    bool AppendLedgerRow(LedgerWalk& walk, const StMOTOCHOINFO& line, const LedgerNames& names,
                         const ClCurrency& amount);
    // False when the item cannot be allocated or appended.
    bool AppendItem(const StKAMOKUSUMINFO& sums, const AccountBalances& balances);
    void StepForAccount();
    void AdvanceBar(double from, double to);

    // Compound checks read each voucher's journal once for the whole collection.
    VoucherJournals voucherJournals;
};
