#pragma once
// One voucher's journal as the ledger walk's compound check needs it: the debit and
// credit totals of the lines before each line. It is read once per collection, so that
// looking a line up costs the same however long the voucher is and however many
// accounts its lines touch: a voucher of many lines does not make the walk quadratic.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "collect/ClCurrency.h"
#include "platform/Records.h"
#include "platform/bookkit.h"

class VoucherJournal {
  public:
    // Reads the journal of the voucher that `condition` names through `journal`, in
    // `order`, with the cursor type `cursorType`.
    VoucherJournal(ClRuleShiwake& journal, const StFINDINFO& condition, const StORDERINFO& order,
                   int cursorType);

    // The lines before the first one numbered `lineNo` (all lines when none is) leave
    // debit and credit apart.
    bool EarlierLinesUnbalanced(uint32_t lineNo) const;

  private:
    struct Totals {
        Totals();
        ClCurrency debit;   // P'
        ClCurrency credit;  // Q'
    };

    std::vector<Totals> totalsBefore_;  // [k]: the lines before index k
    std::unordered_map<uint32_t, size_t> firstIndexOfLine_;
};

// The journals read so far, by voucher id.
using VoucherJournals = std::unordered_map<uint32_t, VoucherJournal>;
