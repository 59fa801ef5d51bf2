// The general-ledger walk of the collector: one ledger row per kept line of an account,
// with the line's counter account (or 諸口 when that side has several accounts), its
// signed effect on the account and the running balance.

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>
#include <new>

#include "collect/AccountBalance.h"
#include "collect/ClKessanshoData.h"
#include "collect/CompanyLink.h"
#include "collect/NameCopy.h"
#include "collect/VoucherJournal.h"
#include "platform/sharekit.h"
#include "ui/ClProgressDlg.h"
#include "util/ClCmnProcHpr.h"

namespace {

constexpr uint8_t kKindAccount = 0;
constexpr uint8_t kExcludedFlag = 1;
// Classes outside the statements: no ledger of their own, and no row that they balance.
constexpr uint32_t kOutsideClasses[] = {0x08000000, 0x08000080};
// The two consumption-tax accounts, which also take the tax of lines of other accounts.
constexpr uint32_t kConsumptionTaxClasses[] = {0x80880810, 0x80484010};

// Where the ledger account stands in a line.
constexpr uint8_t kSideCredit = 1;
constexpr uint8_t kSideDebit = 2;
constexpr uint32_t kFirstLine = 1;

constexpr uint32_t kKeysPerMainCode = 10000;
constexpr uint32_t kLargestMainCode = 9999;

// "諸口": the counter side has several accounts.
constexpr char kSeveralAccounts[] = "諸口";

// The ledger condition (the ledger's own field 17 compared with 15) and the journal
// condition (the voucher id); both single slots.
constexpr int32_t kFieldLedger = 17;
constexpr int16_t kComparisonLedger = 2;
constexpr uint32_t kLedgerValue = 15;
constexpr int32_t kFieldVoucherId = 6;
constexpr int16_t kComparisonEqual = 1;
constexpr int16_t kValueType32 = 3;
// The range's end month kind that makes the view the interim closing period's.
constexpr int16_t kInterimPeriodKind = 15;

// The order of ledger and journal lines: the fields in turn, the last one flagged.
constexpr int32_t kOrderFields[kOrderItems] = {9, 17, 41, 8, 6, 64};
constexpr int kJournalCursorType = 2;
constexpr int kPeriodFlag = 0;
constexpr int kReadyFlag = 0;

template <size_t N>
bool IsOneOf(uint32_t code, const uint32_t (&codes)[N]) {
    return std::find(std::begin(codes), std::end(codes), code) != std::end(codes);
}

uint32_t MainCode(uint32_t key) { return key / kKeysPerMainCode; }
bool HasSubNumber(uint32_t key) { return key % kKeysPerMainCode != 0; }

StFINDINFO SingleCondition(int32_t field, int16_t comparison, uint32_t value) {
    StFINDINFO find;
    std::memset(&find, 0, sizeof find);
    StFINDCONDINFO& slot = find.slots[0];
    slot.field = field;
    slot.comparison = comparison;
    slot.valueType = kValueType32;
    SetFindValue32(slot, value);
    slot.link = 0;
    return find;
}

constexpr StORDERINFO MakeLineOrder() {
    StORDERINFO order{};
    for (int item = 0; item < kOrderItems; ++item) {
        order.items[item].field = kOrderFields[item];
        order.items[item].flag = item + 1 == kOrderItems ? 1 : 0;
    }
    return order;
}
constexpr StORDERINFO kLineOrder = MakeLineOrder();

// The debit-side amounts of a line, with their tax, and the credit side's likewise.
ClCurrency DebitTotal(const StMOTOCHOINFO& line) {
    return ClCurrency::Add(ClCurrency::FromRaw(line.debitAmount),
                           ClCurrency::FromRaw(line.debitTax));
}
ClCurrency CreditTotal(const StMOTOCHOINFO& line) {
    return ClCurrency::Add(ClCurrency::FromRaw(line.creditAmount),
                           ClCurrency::FromRaw(line.creditTax));
}

// How the account stands in one line.
struct AccountInLine {
    AccountInLine(const StKAMOKUSUMINFO& sums, const StMOTOCHOINFO& line)
        : onCreditSide(line.side == kSideCredit),
          onDebitSide(line.side == kSideDebit),
          ownKey(onCreditSide ? line.creditKey : line.debitKey),
          counterKey(onCreditSide ? line.debitKey : line.creditKey) {
        const uint32_t main = MainCode(sums.accountKey);
        taxOfOtherAccounts = IsOneOf(sums.classCode, kConsumptionTaxClasses) &&
                             main != MainCode(line.debitKey) && main != MainCode(line.creditKey);
    }

    bool onCreditSide;
    bool onDebitSide;  // neither: the account stands on both sides
    uint32_t ownKey;
    uint32_t counterKey;
    // A consumption-tax account on a line that carries only other accounts.
    bool taxOfOtherAccounts;
};

// The line's effect A on the account's balance, in the account's own direction.
ClCurrency LineAmount(int sumSetFlag, const StKAMOKUSUMINFO& sums, const StMOTOCHOINFO& line,
                      const AccountInLine& stand) {
    ClCurrency debit, credit;  // X and Y
    if (sumSetFlag != 0) {
        debit = DebitTotal(line);
        credit = CreditTotal(line);
    } else if (stand.taxOfOtherAccounts) {
        debit = ClCurrency::FromRaw(line.debitTax);
        credit = ClCurrency::FromRaw(line.creditTax);
    } else {
        debit = ClCurrency::FromRaw(line.debitAmount);
        credit = ClCurrency::FromRaw(line.creditAmount);
    }
    // Only the side the account stands on moves it.
    if (stand.onCreditSide) debit = ClCurrency();
    if (stand.onDebitSide) credit = ClCurrency();
    return IsDebitNature(sums) ? ClCurrency::Subtract(debit, credit)
                               : ClCurrency::Subtract(credit, debit);
}

}  // namespace

// The account-master records a line's names come from.
struct ClKessanshoData::LedgerNames {
    LedgerNames() {
        std::memset(&counterAccount, 0, sizeof counterAccount);
        std::memset(&counterSubAccount, 0, sizeof counterSubAccount);
        std::memset(&ownSubAccount, 0, sizeof ownSubAccount);
    }

    StKAMOKUINFO counterAccount;
    StKAMOKUINFO counterSubAccount;
    StKAMOKUINFO ownSubAccount;
};

// What one account's walk carries from line to line.
struct ClKessanshoData::LedgerWalk {
    int sumSetFlag;
    const StDATAINFO& data;
    const StKAMOKUSUMINFO& sums;
    ClCurrency balance;
};

int ClKessanshoData::CollectLedger(int sumSetFlag, const StDATAINFO* data, const StFINDINFO* find,
                                   const StKAMOKUSUMINFO& sums) {
    if (sums.kind != kKindAccount || sums.excludeLedger126 == kExcludedFlag ||
        sums.excludeLedger127 == kExcludedFlag || IsOneOf(sums.classCode, kOutsideClasses))
        return kOk;
    if (!data || !find || !ledgerLineList) return kFail;
    try {
        return WalkLedger(sumSetFlag, *data, *find, sums);
    } catch (const ClCurrencyOverflow&) {
        amountOverflow = true;
        return kFail;
    } catch (const std::bad_alloc&) {
        return kFail;
    }
}

int ClKessanshoData::WalkLedger(int sumSetFlag, const StDATAINFO& data, const StFINDINFO& find,
                                const StKAMOKUSUMINFO& sums) {
    if (!HoldAttached(motochoRule)) return kFail;
    FillLedgerView(sums.accountKey, find);

    const StFINDINFO condition = SingleCondition(kFieldLedger, kComparisonLedger, kLedgerValue);
    motochoRule->MoveReady(&condition, &kLineOrder, &motochoView);
    int count = 0;
    if (motochoRule->GetCount(&condition, &motochoView, &count) != kLibOk) return kFail;
    if (motochoRule->SetMovePos(0) != kLibOk) return kFail;

    LedgerWalk walk{sumSetFlag, data, sums,
                    OpeningBalance(sums, sumSetFlag, RangeMonths(find, data))};
    const int status = ReadLedgerLines(walk, count);
    if (status != kLibOk && status != kLibEnd) return kFail;
    motochoRule->MoveFinish();
    motochoRule.reset();
    return kOk;
}

void ClKessanshoData::FillLedgerView(uint32_t accountKey, const StFINDINFO& find) {
    std::memset(&motochoView, 0, sizeof motochoView);
    motochoView.accountKey = accountKey;
    motochoView.endIsInterim = find.slots[1].monthKind == kInterimPeriodKind ? 1 : 0;
    auto* dataSet =
        static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetMgr()->GetSetObject(kSetKindData, 1));
    ClAccPeriod* period = dataSet ? dataSet->GetAccPeriod() : nullptr;
    if (period) {
        int from = 0, to = 0;
        period->GetPeriodByMonthKind(find.slots[0].monthKind, &from, &to, kPeriodFlag);
        motochoView.firstDay = from;
        period->GetPeriodByMonthKind(find.slots[1].monthKind, &from, &to, kPeriodFlag);
        motochoView.lastDay = to;
    }
    motochoView.viewList = motochoViewList;
}

// Every line the rule counts is read: no cap on the number of lines of an account.
int ClKessanshoData::ReadLedgerLines(LedgerWalk& walk, int count) {
    StMOTOCHOINFO line;
    for (int index = 0; index < count; ++index) {
        if (progressDlg) progressDlg->Pulse();
        std::memset(&line, 0, sizeof line);
        int status = index == 0 ? motochoRule->MoveFirst(&line) : motochoRule->MoveNext(&line);
        if (status != kLibOk) return status;
        status = HandleLedgerLine(walk, line);
        if (status != kLibOk) return status;
    }
    return kLibOk;
}

int ClKessanshoData::HandleLedgerLine(LedgerWalk& walk, const StMOTOCHOINFO& line) {
    const AccountInLine stand(walk.sums, line);
    const ClCurrency amount = LineAmount(walk.sumSetFlag, walk.sums, line, stand);

    bool severalCounterAccounts = false;
    if (line.compound == kCompoundBothSeveral) {
        if (ClCurrency::IsNotEqual(DebitTotal(line), CreditTotal(line))) {
            severalCounterAccounts = true;
        } else if (line.lineNo != kFirstLine) {
            const int status = EarlierLinesUnbalanced(walk, line, severalCounterAccounts);
            if (status != kLibOk) return status;
        }
    } else {
        severalCounterAccounts = stand.onCreditSide ? line.compound == kCompoundDebitSeveral
                                                    : line.compound == kCompoundCreditSeveral;
    }

    LedgerNames names;
    if (severalCounterAccounts) {
        CopyName(names.counterAccount.name, kSeveralAccounts);
    } else {
        FindAccount(MainCode(stand.counterKey), &names.counterAccount);
        if (HasSubNumber(stand.counterKey)) FindAccount(stand.counterKey, &names.counterSubAccount);
    }
    if (HasSubNumber(stand.ownKey)) FindAccount(stand.ownKey, &names.ownSubAccount);

    const bool kept = ClCurrency::IsNotEqualWhole(amount, 0) &&
                      !IsOneOf(names.counterAccount.classCode, kOutsideClasses) &&
                      !(walk.sumSetFlag != 0 && stand.taxOfOtherAccounts);
    if (!kept) return kLibOk;
    return AppendLedgerRow(walk, line, names, amount) ? kLibOk : kStatusNoMemory;
}

// A voucher's later line that balances by itself has a single counter account only when
// the lines before it balance together.
int ClKessanshoData::EarlierLinesUnbalanced(LedgerWalk& walk, const StMOTOCHOINFO& line,
                                            bool& unbalanced) {
    auto known = voucherJournals.find(line.voucherId);
    if (known == voucherJournals.end()) {
        std::unique_ptr<ClRuleShiwake> journal(new (std::nothrow) ClRuleShiwake);
        if (!journal) return kStatusNoJournalRule;
        AttachToCompany(*journal, walk.data.dataId);
        const StFINDINFO condition =
            SingleCondition(kFieldVoucherId, kComparisonEqual, line.voucherId);
        known =
            voucherJournals
                .try_emplace(line.voucherId, *journal, condition, kLineOrder, kJournalCursorType)
                .first;
    }
    unbalanced = known->second.EarlierLinesUnbalanced(line.lineNo);
    return kLibOk;
}

bool ClKessanshoData::AppendLedgerRow(LedgerWalk& walk, const StMOTOCHOINFO& line,
                                      const LedgerNames& names, const ClCurrency& amount) {
    std::unique_ptr<StMOTOCHOLINEINFO> row(new (std::nothrow) StMOTOCHOLINEINFO());
    if (!row) return false;
    row->accountKey = walk.sums.accountKey;
    row->voucherNo = line.voucherNo;
    {
        ClCmnProcHpr dates;
        const CString dateText = dates.FormatDate(line.date);
        CopyName(row->dateText, sizeof row->dateText, dateText.GetString(),
                 static_cast<size_t>(dateText.GetLength()));
    }
    CopyName(row->subAccountName, names.ownSubAccount.name);
    CopyName(row->counterAccountName, names.counterAccount.name);
    CopyName(row->counterSubAccountName, names.counterSubAccount.name);
    CopyName(row->summary, line.summary);
    row->amount = amount.ToRaw();
    const ClCurrency after = ClCurrency::Add(walk.balance, amount);
    row->balance = after.ToRaw();
    try {
        ledgerLineList->AddTail(row.get());
    } catch (const std::bad_alloc&) {
        return false;
    }
    row.release();
    walk.balance = after;
    return true;
}

int ClKessanshoData::FindAccount(uint32_t key, StKAMOKUINFO* account) {
    if (!account) return 0;
    if (key <= kLargestMainCode) key *= kKeysPerMainCode;
    auto* master = static_cast<ClSetKamoku*>(ClDataMgr::Inst()->GetSetObject(kSetKindKamoku, 1));
    if (!master) return 0;
    int cursor = 0;
    if (master->GetCursor(&cursor) != kLibOk) return 0;
    struct CursorRelease {
        ClSetKamoku* master;
        int cursor;
        ~CursorRelease() { master->ReleaseCursor(cursor); }
    } release{master, cursor};
    if (master->ReadyCursor(cursor, kReadyFlag) != kLibOk) return 0;
    std::memset(account, 0, sizeof *account);
    return master->WalkFind(cursor, key, account) == kLibOk ? 1 : 0;
}
