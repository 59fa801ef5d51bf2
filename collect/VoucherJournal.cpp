#include "collect/VoucherJournal.h"

#include <cstring>

VoucherJournal::Totals::Totals() {
    debit.SetWhole(0);
    credit.SetWhole(0);
}

VoucherJournal::VoucherJournal(ClRuleShiwake& journal, const StFINDINFO& condition,
                               const StORDERINFO& order, int cursorType) {
    journal.MoveReady(&condition, &order, nullptr, cursorType);
    int count = 0;
    journal.GetSwkCount(&condition, nullptr, &count);
    totalsBefore_.reserve(static_cast<size_t>(count > 0 ? count : 0) + 1);
    Totals totals;
    totalsBefore_.push_back(totals);
    StSWKTINFO entry;
    for (int index = 0; index < count; ++index) {
        // A read that fails leaves the entry zero: it adds nothing.
        std::memset(&entry, 0, sizeof entry);
        if (index == 0)
            journal.MoveFirst(&entry);
        else
            journal.MoveNext(&entry);
        firstIndexOfLine_.try_emplace(entry.lineNo, totalsBefore_.size() - 1);
        totals.debit.AddAssign(ClCurrency::FromRaw(entry.debitAmount));
        totals.debit.AddAssign(ClCurrency::FromRaw(entry.debitTax));
        totals.credit.AddAssign(ClCurrency::FromRaw(entry.creditAmount));
        totals.credit.AddAssign(ClCurrency::FromRaw(entry.creditTax));
        totalsBefore_.push_back(totals);
    }
}

bool VoucherJournal::EarlierLinesUnbalanced(uint32_t lineNo) const {
    const auto found = firstIndexOfLine_.find(lineNo);
    const Totals& before =
        totalsBefore_[found != firstIndexOfLine_.end() ? found->second : totalsBefore_.size() - 1];
    return ClCurrency::IsNotEqual(before.debit, before.credit);
}
