#include "collect/ClKessanshoData.h"

#include <cstring>
#include <new>

#include "collect/NameCopy.h"
#include "collect/NotesText.h"
#include "collect/SearchConditions.h"
#include "framework/Sys.h"
#include "platform/sharekit.h"
#include "ui/ClProgressDlg.h"

namespace {

// Classification codes the collector itself relies on.
constexpr uint32_t kBalanceSheetBit = 0x80000000;
// The account whose opening balance is carried into the bottom-line item when the
// range starts after the months the company's data holds.
constexpr uint32_t kCarriedProfitCode = 0x80202010;
constexpr uint32_t kBottomLineCode = 0x40200020;

constexpr uint8_t kKindNoItem = 1;
constexpr uint8_t kNatureDebit = 1;

// Columns of the account-sum record besides the months 1 to 12.
constexpr int kOpeningColumn = 0;
constexpr int kYearEndColumn = 13;
constexpr int kInterimColumn = 14;
// The end month kind with which the interim closing period joins the range.
constexpr int16_t kInterimEndKind = 6;

// Arguments of ClRuleKamoku::MoveReady: base sums, no departments, no display type,
// no past results.
constexpr int kSumTypeBase = 1;
constexpr int kSumTypeBmn = 0;
constexpr int kSumTypeDisptype = 0;
constexpr int kSumTypePast = 0;

// The loop status with which an item that cannot be allocated ends the collection.
constexpr int kStatusNoMemory = -1001;

// Overall bar positions, hundredths of a percent; divided by 10 with the ledger option,
// whose walk takes the bar up to kLedgerSpanEnd.
constexpr double kRuleReadyPos = 1000.0;
constexpr double kRuleMovedPos = 3000.0;
constexpr double kCountedPos = 4000.0;
constexpr double kLedgerDivisor = 10.0;
constexpr unsigned kLedgerSpan = 7000;
constexpr double kLedgerSpanEnd = 7000.0;
constexpr double kFinalStep = 1000.0;

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
    void Clear() { debit = credit = ClCurrency(); }

    ClCurrency debit;   // F
    ClCurrency credit;  // G

  private:
    const StKAMOKUSUMINFO& sums_;
    int set_;
};

bool IsBalanceSheet(const StKAMOKUSUMINFO& sums) {
    return (sums.classCode & kBalanceSheetBit) != 0;
}

const char* SelectedDataId() {
    auto* dataSet = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(kSetKindData, 1));
    const StDATAINFO* selected = dataSet ? dataSet->GetSelectedInfo() : nullptr;
    return selected ? selected->dataId : "";
}

// Ties a rule or save object to the selected company.
void AttachToCompany(ClRuleBase& object) {
    object.AttachSetMgr(ClDataMgr::Inst()->GetSetMgr());
    object.SetCurDataID(SelectedDataId());
    object.AttachOptLink(ClLinkMgr::Inst()->GetOptLink());
}

// Adds the carried profit to the closing amount of the last bottom-line item.
void AdjustBottomLine(AccountItemList& items, const ClCurrency& carried) {
    for (POSITION pos = items.GetTailPosition(); pos;) {
        StKESSANITEMINFO* item = items.GetPrev(pos);
        if (item->classCode != kBottomLineCode) continue;
        item->closingAmount = ClCurrency::AddRaw(item->closingAmount, carried).ToRaw();
        return;
    }
}

}  // namespace

// What the search conditions and the company data ask of every account.
struct ClKessanshoData::Months {
    Months(const StFINDINFO& find, const StDATAINFO& data)
        : start(find.slots[0].monthKind), end(find.slots[1].monthKind) {
        // Any condition after the two bounds may ask for the year-end closing period:
        // after the interim closing period it comes fourth.
        for (int slot = 2; slot < 4 && find.slots[slot - 1].link != 0; ++slot)
            if (find.slots[slot].monthKind == kMonthKindYearEnd) yearEnd = true;
        interim = data.interimClosing == 1 && end == kInterimEndKind;
        const int16_t startOfUse = data.startOfUseMonth;  // 0 behaves like 1
        openingEntriesInRange = startOfUse != 0 ? start <= startOfUse : start == 1;
    }

    int16_t start;  // S
    int16_t end;    // E
    bool yearEnd = false;
    bool interim = false;
    // The range starts no later than the data does: accounts outside the balance sheet
    // open with the opening entries; else they open at zero and the bottom line takes
    // the carried profit.
    bool openingEntriesInRange;
};

struct ClKessanshoData::Balances {
    ClCurrency opening;  // O
    ClCurrency closing;  // C
};

ClKessanshoData::Balances ClKessanshoData::AccountBalances(const StKAMOKUSUMINFO& sums,
                                                           int sumSetFlag, const Months& months) {
    const bool debitNature = sums.nature == kNatureDebit;
    Balances balances;
    Entries entries(sums, sumSetFlag);
    if (IsBalanceSheet(sums))
        entries.AddIndexes(kOpeningColumn, months.start - 1);
    else if (months.openingEntriesInRange)
        entries.AddIndex(kOpeningColumn);
    balances.opening = debitNature ? ClCurrency::Subtract(entries.debit, entries.credit)
                                   : ClCurrency::Subtract(entries.credit, entries.debit);

    entries.Clear();
    entries.AddIndexes(months.start, months.end);
    if (months.yearEnd) entries.AddIndex(kYearEndColumn);
    if (months.interim) entries.AddIndex(kInterimColumn);
    balances.closing =
        debitNature
            ? ClCurrency::Subtract(ClCurrency::Add(balances.opening, entries.debit), entries.credit)
            : ClCurrency::Subtract(ClCurrency::Add(balances.opening, entries.credit),
                                   entries.debit);
    return balances;
}

int ClKessanshoData::CollectAccounts(int sumSetFlag, const StFINDINFO* find,
                                     const StDATAINFO* data) {
    if (!find || !data || !accountItemList) return kFail;
    try {
        return Collect(sumSetFlag, *find, *data);
    } catch (const ClCurrencyOverflow&) {
        amountOverflow = true;
        return kFail;
    }
}

int ClKessanshoData::Collect(int sumSetFlag, const StFINDINFO& find, const StDATAINFO& data) {
    const double divisor = ledgerOption ? kLedgerDivisor : 1.0;
    AdvanceBar(0, kRuleReadyPos / divisor);
    if (!HoldRule()) return kFail;
    AdvanceBar(kRuleReadyPos / divisor, kRuleMovedPos / divisor);
    kamokuRule->MoveReady(kSumTypeBase, kSumTypeBmn, kSumTypeDisptype, &find, nullptr,
                          kSumTypePast);
    int count = 0;
    if (kamokuRule->GetSumCount(&count) != kLibOk) return kFail;
    AdvanceBar(kRuleMovedPos / divisor, kCountedPos / divisor);
    progressPos = kCountedPos / divisor;
    if (count != 0) progressStep = kLedgerSpan / static_cast<unsigned>(count);
    if (kamokuRule->SetMovePos(0) != kLibOk) return kFail;

    const Months months(find, data);
    ClCurrency carried;
    const int status = ReadAccounts(sumSetFlag, count, months, carried);
    if (status != kLibOk && status != kLibEnd) return kFail;
    if (!months.openingEntriesInRange) AdjustBottomLine(*accountItemList, carried);

    AdvanceBar(progressPos, progressPos + kFinalStep);
    progressPos += kFinalStep;
    kamokuRule->MoveFinish();
    kamokuRule.reset();
    return kOk;
}

bool ClKessanshoData::HoldRule() {
    if (kamokuRule) return true;
    std::unique_ptr<ClRuleKamoku> rule(new (std::nothrow) ClRuleKamoku);
    if (!rule) return false;
    AttachToCompany(*rule);
    kamokuRule = std::move(rule);
    return true;
}

int ClKessanshoData::ReadAccounts(int sumSetFlag, int count, const Months& months,
                                  ClCurrency& carried) {
    StKAMOKUSUMINFO sums;
    for (int account = 0; account < count; ++account) {
        if (progressDlg) progressDlg->Pulse();
        std::memset(&sums, 0, sizeof sums);
        const int status = kamokuRule->MoveNext(&sums);
        if (status != kLibOk) return status;

        const Balances balances = AccountBalances(sums, sumSetFlag, months);
        if (sums.classCode == kCarriedProfitCode) carried = balances.opening;
        if (sums.kind != kKindNoItem && !AppendItem(sums, balances)) return kStatusNoMemory;
        // With the ledger option every account, kind 1 included, has its ledger walked
        // right after its item, and then takes its step of the bar.
        if (ledgerOption) StepForAccount();
    }
    return kLibOk;
}

bool ClKessanshoData::AppendItem(const StKAMOKUSUMINFO& sums, const Balances& balances) {
    const int64_t change = ClCurrency::Subtract(balances.closing, balances.opening).ToRaw();
    std::unique_ptr<StKESSANITEMINFO> item(new (std::nothrow) StKESSANITEMINFO());
    if (!item) return false;
    item->accountKey = sums.accountKey;
    CopyName(item->formalName, sums.formalName);
    CopyName(item->labelName, sums.secondName);
    item->openingAmount = balances.opening.ToRaw();
    item->changeAmount = change;
    item->closingAmount = balances.closing.ToRaw();
    item->classCode = sums.classCode;
    item->accountKind = static_cast<int8_t>(sums.kind);
    try {
        accountItemList->AddTail(item.get());
    } catch (const std::bad_alloc&) {
        return false;
    }
    item.release();
    return true;
}

void ClKessanshoData::StepForAccount() {
    if (progressPos >= kLedgerSpanEnd) return;
    AdvanceBar(progressPos, progressPos + progressStep);
    progressPos += progressStep;
}

void ClKessanshoData::AdvanceBar(double from, double to) {
    if (progressDlg) progressDlg->Advance(static_cast<int16_t>(from), static_cast<int16_t>(to));
}

// ---------------------------------------------------------------- saved notes

// A fetched text, freed with the task-memory free on every way out.
class ClKessanshoData::SavedText {
  public:
    SavedText() = default;
    SavedText(const SavedText&) = delete;
    SavedText& operator=(const SavedText&) = delete;
    ~SavedText() { sys::TaskMemFree(text_); }
    char** out() { return &text_; }
    const char* get() const { return text_; }

  private:
    char* text_ = nullptr;
};

int ClKessanshoData::FetchSavedData(int16_t kind, char** text, int* size) {
    if (!text) return kFail;
    *text = nullptr;
    kessanshoSave.reset(new (std::nothrow) ClSaveKessansho);
    if (!kessanshoSave) return kFail;
    AttachToCompany(*kessanshoSave);
    if (kessanshoSave->GetDataType02(kind, text, size) == kLibOk) return kOk;
    sys::TaskMemFree(*text);
    *text = nullptr;
    return kFail;
}

bool ClKessanshoData::Fetch(int16_t kind, SavedText& text) {
    int size = 0;
    return FetchSavedData(kind, text.out(), &size) == kOk && text.get();
}

int ClKessanshoData::IsNoteInputMode() {
    SavedText settings;
    if (!Fetch(kSavedNotesSettings, settings)) return 0;
    return notes::ParseInputMode(settings.get());
}

int ClKessanshoData::HasNotes() {
    SavedText settings;
    if (!Fetch(kSavedStatementSettings, settings)) return 0;
    return notes::ParseHasNotes(settings.get());
}

int ClKessanshoData::ReadNoteDispFlags(uint8_t* flags) {
    SavedText settings;
    if (!flags || !Fetch(kSavedNotesSettings, settings)) return kFail;
    notes::ParseDispFlags(settings.get(), flags);
    return kOk;
}

int ClKessanshoData::ReadNotesText(CString& text) {
    SavedText notesText;
    Fetch(kSavedNotesText, notesText);
    text = notesText.get() ? notesText.get() : "";
    return kOk;
}
