#pragma once
// The opening and closing balances of one account for the range, from the period sums
// of the account-sum record. The collector and the ledger walk share them: the ledger's
// balance brought forward is the account's opening balance.

#include <cstdint>

#include "collect/ClCurrency.h"
#include "platform/Records.h"

// What the search conditions and the company data ask of every account.
struct RangeMonths {
    RangeMonths(const StFINDINFO& find, const StDATAINFO& data);

    int16_t start;  // S
    int16_t end;    // E
    bool yearEnd = false;
    bool interim = false;
    // The range starts no later than the data does: accounts outside the balance sheet
    // open with the opening entries; else they open at zero and the bottom line takes
    // the carried profit.
    bool openingEntriesInRange;
};

struct AccountBalances {
    ClCurrency opening;  // O
    ClCurrency closing;  // C
};

bool IsBalanceSheet(const StKAMOKUSUMINFO& sums);
bool IsDebitNature(const StKAMOKUSUMINFO& sums);

ClCurrency OpeningBalance(const StKAMOKUSUMINFO& sums, int sumSetFlag, const RangeMonths& months);
AccountBalances BalancesOf(const StKAMOKUSUMINFO& sums, int sumSetFlag, const RangeMonths& months);
