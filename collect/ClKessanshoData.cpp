#include "collect/ClKessanshoData.h"

#include <cstring>
#include <new>

#include "collect/AccountBalance.h"
#include "collect/CompanyLink.h"
#include "collect/NameCopy.h"
#include "collect/NotesText.h"
#include "collect/SearchConditions.h"
#include "framework/Sys.h"
#include "platform/sharekit.h"
#include "ui/ClProgressDlg.h"

namespace {

// The account whose opening balance is carried into the bottom-line item when the
// range starts after the months the company's data holds.
constexpr uint32_t kCarriedProfitCode = 0x80202010;
constexpr uint32_t kBottomLineCode = 0x40200020;

constexpr uint8_t kKindNoItem = 1;

// Arguments of ClRuleKamoku::MoveReady: base sums, no departments, no display type,
// no past results.
constexpr int kSumTypeBase = 1;
constexpr int kSumTypeBmn = 0;
constexpr int kSumTypeDisptype = 0;
constexpr int kSumTypePast = 0;

// Overall bar positions, hundredths of a percent; divided by 10 with the ledger option,
// whose walk takes the bar up to kLedgerSpanEnd.
constexpr double kRuleReadyPos = 1000.0;
constexpr double kRuleMovedPos = 3000.0;
constexpr double kCountedPos = 4000.0;
constexpr double kLedgerDivisor = 10.0;
constexpr unsigned kLedgerSpan = 7000;
constexpr double kLedgerSpanEnd = 7000.0;
constexpr double kFinalStep = 1000.0;

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
    if (!HoldAttached(kamokuRule)) return kFail;
    AdvanceBar(kRuleReadyPos / divisor, kRuleMovedPos / divisor);
    kamokuRule->MoveReady(kSumTypeBase, kSumTypeBmn, kSumTypeDisptype, &find, nullptr,
                          kSumTypePast);
    int count = 0;
    if (kamokuRule->GetSumCount(&count) != kLibOk) return kFail;
    AdvanceBar(kRuleMovedPos / divisor, kCountedPos / divisor);
    progressPos = kCountedPos / divisor;
    if (count != 0) progressStep = kLedgerSpan / static_cast<unsigned>(count);
    if (kamokuRule->SetMovePos(0) != kLibOk) return kFail;

    ClCurrency carried;
    const int status = ReadAccounts(sumSetFlag, count, find, data, carried);
    if (status != kLibOk && status != kLibEnd) return kFail;
    if (!RangeMonths(find, data).openingEntriesInRange) AdjustBottomLine(*accountItemList, carried);

    AdvanceBar(progressPos, progressPos + kFinalStep);
    progressPos += kFinalStep;
    kamokuRule->MoveFinish();
    kamokuRule.reset();
    return kOk;
}

int ClKessanshoData::ReadAccounts(int sumSetFlag, int count, const StFINDINFO& find,
                                  const StDATAINFO& data, ClCurrency& carried) {
    const RangeMonths months(find, data);
    StKAMOKUSUMINFO sums;
    for (int account = 0; account < count; ++account) {
        if (progressDlg) progressDlg->Pulse();
        std::memset(&sums, 0, sizeof sums);
        const int status = kamokuRule->MoveNext(&sums);
        if (status != kLibOk) return status;

        const AccountBalances balances = BalancesOf(sums, sumSetFlag, months);
        if (sums.classCode == kCarriedProfitCode) carried = balances.opening;
        if (sums.kind != kKindNoItem && !AppendItem(sums, balances)) return kStatusNoMemory;
        // With the ledger option every account, kind 1 included, has its ledger walked
        // right after its item, and then takes its step of the bar. A walk that fails
        // leaves its rows and the next account goes on.
        if (ledgerOption) {
            CollectLedger(sumSetFlag, &data, &find, sums);
            StepForAccount();
        }
    }
    return kLibOk;
}

bool ClKessanshoData::AppendItem(const StKAMOKUSUMINFO& sums, const AccountBalances& balances) {
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
    AttachToCompany(*kessanshoSave, SelectedDataId());
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
