#include "collect/AccountBalance.h"

#include "collect/SearchConditions.h"

namespace {

constexpr uint32_t kBalanceSheetBit = 0x80000000;
constexpr uint8_t kNatureDebit = 1;

// Columns of the account-sum record besides the months 1 to 12.
constexpr int kOpeningColumn = 0;
constexpr int kYearEndColumn = 13;
constexpr int kInterimColumn = 14;
// The end month kind with which the interim closing period joins the range.
constexpr int16_t kInterimEndKind = 6;

// Debit and credit entries of one account, from the column pair of the sum-set flag.
class Entries {
  public:
    Entries(const StKAMOKUSUMINFO& sums, int sumSetFlag)
        : sums_(sums), set_(sumSetFlag != 0 ? 1 : 0) {}

    void AddIndex(int index) {
        debit.AddAssign(ClCurrency::FromRaw(sums_.debitSums[set_][index]));
        credit.AddAssign(ClCurrency::FromRaw(sums_.creditSums[set_][index]));
    }
    // Indexes from..to, both included; none when from > to. Months outside the record's
    // columns are not read.
    void AddIndexes(int from, int to) {
        for (int index = from < 0 ? 0 : from; index <= to && index < kSumColumns; ++index)
            AddIndex(index);
    }

    ClCurrency debit;   // F
    ClCurrency credit;  // G

  private:
    const StKAMOKUSUMINFO& sums_;
    int set_;
};

}  // namespace

RangeMonths::RangeMonths(const StFINDINFO& find, const StDATAINFO& data)
    : start(find.slots[0].monthKind), end(find.slots[1].monthKind) {
    // Any condition after the two bounds may ask for the year-end closing period:
    // after the interim closing period it comes fourth.
    for (int slot = 2; slot < 4 && find.slots[slot - 1].link != 0; ++slot)
        if (find.slots[slot].monthKind == kMonthKindYearEnd) yearEnd = true;
    interim = data.interimClosing == 1 && end == kInterimEndKind;
    const int16_t startOfUse = data.startOfUseMonth;  // 0 behaves like 1
    openingEntriesInRange = startOfUse != 0 ? start <= startOfUse : start == 1;
}

bool IsBalanceSheet(const StKAMOKUSUMINFO& sums) {
    return (sums.classCode & kBalanceSheetBit) != 0;
}

bool IsDebitNature(const StKAMOKUSUMINFO& sums) { return sums.nature == kNatureDebit; }

ClCurrency OpeningBalance(const StKAMOKUSUMINFO& sums, int sumSetFlag, const RangeMonths& months) {
    Entries entries(sums, sumSetFlag);
    if (IsBalanceSheet(sums))
        entries.AddIndexes(kOpeningColumn, months.start - 1);
    else if (months.openingEntriesInRange)
        entries.AddIndex(kOpeningColumn);
    return IsDebitNature(sums) ? ClCurrency::Subtract(entries.debit, entries.credit)
                               : ClCurrency::Subtract(entries.credit, entries.debit);
}

AccountBalances BalancesOf(const StKAMOKUSUMINFO& sums, int sumSetFlag, const RangeMonths& months) {
    AccountBalances balances;
    balances.opening = OpeningBalance(sums, sumSetFlag, months);
    Entries entries(sums, sumSetFlag);
    entries.AddIndexes(months.start, months.end);
    if (months.yearEnd) entries.AddIndex(kYearEndColumn);
    if (months.interim) entries.AddIndex(kInterimColumn);
    balances.closing =
        IsDebitNature(sums)
            ? ClCurrency::Subtract(ClCurrency::Add(balances.opening, entries.debit), entries.credit)
            : ClCurrency::Subtract(ClCurrency::Add(balances.opening, entries.credit),
                                   entries.debit);
    return balances;
}
