#pragma once
// The collector: reads the period sums of every account of the selected company and
// appends one account item per account to the application's statement data, stepping
// the progress dialog as it goes.

#include <cstdint>
#include <memory>

#include "collect/ClCurrency.h"
#include "collect/StatementData.h"
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

    ClProgressDlg* progressDlg = nullptr;  // null: nothing is shown
    AccountItemList* accountItemList = nullptr;
    LedgerLineList* ledgerLineList = nullptr;
    int32_t ledgerOption = 0;
    double progressPos = 0.0;   // overall bar, hundredths of a percent
    double progressStep = 1.0;  // overall bar step per account with the ledger option
    std::unique_ptr<ClRuleKamoku> kamokuRule;
    // Set when an amount reached the bound of ClCurrency::Add (or left the 64-bit range).
    bool amountOverflow = false;

  private:
    struct Months;
    struct Balances;

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
