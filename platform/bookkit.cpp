#include "platform/bookkit.h"

#include <algorithm>
#include <cstring>

#include "framework/Sys.h"
#include "platform/Book.h"
#include "platform/Calendar.h"

using book::Op;
using book::TakeFault;

namespace {

// Month kinds beyond 1-12.
constexpr int kMonthKindInterim = 15;  // the sixth month
constexpr int kMonthKindYearEnd = 18;  // the last month
constexpr size_t kInterimMonth = 6;
constexpr size_t kMaxAccountingMonths = 12;
// Field code of the voucher identifier in a journal condition.
constexpr int32_t kFieldVoucherId = 6;
constexpr size_t kUserIdBuffer = 65;
constexpr size_t kIdStrBuffer = 35;

// Texts are checked against their fields when the book is loaded.
template <size_t N>
void CopyText(char (&field)[N], const std::string& text) {
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

void CopyBounded(char* out, size_t capacity, const char* text) {
    const size_t size = strnlen(text, capacity - 1);
    std::memcpy(out, text, size);
    out[size] = '\0';
}

void Fill(const book::Company& company, StDATAINFO* out) {
    std::memset(out, 0, sizeof *out);
    CopyText(out->dataId, company.id);
    out->dataNo = company.number;
    CopyText(out->companyName, company.name);
    out->periodStart = company.periodStart;
    out->periodEnd = company.periodEnd;
    out->manufacturing = company.manufacturing;
    out->interimClosing = company.interimClosing;
    out->startOfUseMonth = company.startOfUseMonth;
    out->companyLaw = company.companyLaw;
}

void Fill(const book::Account& account, StKAMOKUSUMINFO* out) {
    std::memset(out, 0, sizeof *out);
    out->accountKey = account.key;
    CopyText(out->formalName, account.name);
    CopyText(out->secondName, account.secondName);
    out->excludeLedger126 = account.excl126;
    out->excludeLedger127 = account.excl127;
    out->kind = account.kind;
    out->nature = account.nature;
    out->classCode = account.classCode;
    for (int set = 0; set < 2; ++set) {
        std::copy(account.debit[set].begin(), account.debit[set].end(), out->debitSums[set]);
        std::copy(account.credit[set].begin(), account.credit[set].end(), out->creditSums[set]);
    }
}

void Fill(const book::LedgerLine& line, StMOTOCHOINFO* out) {
    std::memset(out, 0, sizeof *out);
    out->voucherId = line.voucherId;
    out->voucherNo = line.voucherNo;
    out->lineNo = line.lineNo;
    out->date = line.date;
    out->compound = line.compound;
    out->debitKey = line.debitKey;
    out->debitAmount = line.debitAmount;
    out->debitTax = line.debitTax;
    out->creditKey = line.creditKey;
    out->creditAmount = line.creditAmount;
    out->creditTax = line.creditTax;
    CopyText(out->summary, line.summary);
    out->side = line.side;
}

void Fill(const book::JournalLine& line, StSWKTINFO* out) {
    std::memset(out, 0, sizeof *out);
    out->lineNo = line.lineNo;
    out->debitAmount = line.debitAmount;
    out->debitTax = line.debitTax;
    out->creditAmount = line.creditAmount;
    out->creditTax = line.creditTax;
}

void Fill(const book::MasterEntry& entry, StKAMOKUINFO* out) {
    std::memset(out, 0, sizeof *out);
    CopyText(out->name, entry.name);
    out->classCode = entry.classCode;
}

void Fill(const book::Era& era, StGENGOINFO* out) {
    std::memset(out, 0, sizeof *out);
    out->startDate = era.start;
    CopyText(out->name, era.name);
}

int ClampedCount(size_t size) { return static_cast<int>(std::min<size_t>(size, INT32_MAX)); }

}  // namespace

// ---------------------------------------------------------------- helpers

namespace book {

int CursorTable::Open() {
    const int cursor = next_++;
    positions_[cursor] = 0;
    return cursor;
}

size_t* CursorTable::Find(int cursor) {
    const auto it = positions_.find(cursor);
    return it == positions_.end() ? nullptr : &it->second;
}

bool CursorTable::Close(int cursor) { return positions_.erase(cursor) == 1; }

template <Op op>
void* FaultableCreation<op>::operator new(std::size_t size) {
    if (TakeFault(op)) throw std::bad_alloc();
    return ::operator new(size);
}

template <Op op>
void* FaultableCreation<op>::operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (TakeFault(op)) return nullptr;
    return ::operator new(size, std::nothrow);
}

template <Op op>
void FaultableCreation<op>::operator delete(void* block) noexcept {
    ::operator delete(block);
}

template struct FaultableCreation<Op::RuleKamokuCreate>;
template struct FaultableCreation<Op::RuleMotochoCreate>;
template struct FaultableCreation<Op::RuleShiwakeCreate>;
template struct FaultableCreation<Op::SaveKessanshoCreate>;

}  // namespace book

// ---------------------------------------------------------------- ClAccPeriod

int ClAccPeriod::SetPeriod(int start, int end) {
    if (auto fault = TakeFault(Op::AccPeriodSetPeriod)) return *fault;
    if (!book::IsValidDate(start) || !book::IsValidDate(end) || end < start) return kLibBadArgument;
    start_ = start;
    end_ = end;
    return kLibOk;
}

int ClAccPeriod::GetClosingDayByEndDate(int end, int, int* closingDay) {
    if (auto fault = TakeFault(Op::AccPeriodGetClosingDayByEndDate)) return *fault;
    if (!closingDay || !book::IsValidDate(end)) return kLibBadArgument;
    *closingDay = book::ClosingDayOf(end);
    return kLibOk;
}

int ClAccPeriod::SetClosingDay(int day) {
    if (auto fault = TakeFault(Op::AccPeriodSetClosingDay)) return *fault;
    if (day < 0 || day > 31) return kLibBadArgument;
    closingDay_ = day;
    return kLibOk;
}

int ClAccPeriod::GetAMonthByDate(int date, short* month, int) {
    if (auto fault = TakeFault(Op::AccPeriodGetAMonthByDate)) return *fault;
    if (!month || !book::IsValidDate(date)) return kLibBadArgument;
    *month = static_cast<short>(book::AccountingMonthOf(date, closingDay_));
    return kLibOk;
}

int ClAccPeriod::GetPeriodByMonthKind(int kind, int* from, int* to, int) {
    if (auto fault = TakeFault(Op::AccPeriodGetPeriodByMonthKind)) return *fault;
    if (!from || !to) return kLibBadArgument;
    *from = *to = 0;
    if (start_ == 0) return kLibOk;
    const std::vector<book::MonthSpan> months =
        book::AccountingMonths(start_, end_, closingDay_, kMaxAccountingMonths);
    size_t month = 0;  // 1-based; 0 = none
    if (kind >= 1 && kind <= static_cast<int>(kMaxAccountingMonths))
        month = static_cast<size_t>(kind);
    else if (kind == kMonthKindInterim)
        month = kInterimMonth;
    else if (kind == kMonthKindYearEnd)
        month = months.size();
    else
        return kLibBadArgument;
    if (month == 0 || month > months.size()) return kLibOk;
    *from = months[month - 1].from;
    *to = months[month - 1].to;
    return kLibOk;
}

// ---------------------------------------------------------------- set objects

ClSetBase::~ClSetBase() = default;

int ClSetBase::AttachSetMgr(ClSetMgr*) {
    if (auto fault = TakeFault(Op::SetBaseAttachSetMgr)) return *fault;
    return kLibOk;
}

int ClSetBase::SetCurDataID(const char* dataId) {
    if (auto fault = TakeFault(Op::SetBaseSetCurDataID)) return *fault;
    if (!dataId) return kLibBadArgument;
    dataId_ = dataId;
    hasDataId_ = true;
    return book::Current().CompanyById(dataId_) ? kLibOk : kLibNoData;
}

const book::Company* ClSetBase::CurrentCompany() const {
    const book::Book& current = book::Current();
    return hasDataId_ ? current.CompanyById(dataId_) : current.SelectedCompany();
}

int ClSetData::GetDatCursor(int* cursor) {
    if (auto fault = TakeFault(Op::SetDataGetDatCursor)) return *fault;
    if (!cursor) return kLibBadArgument;
    *cursor = cursors_.Open();
    return kLibOk;
}

int ClSetData::ReadyDat(int cursor, int) {
    if (auto fault = TakeFault(Op::SetDataReadyDat)) return *fault;
    size_t* pos = cursors_.Find(cursor);
    if (!pos) return kLibBadCursor;
    *pos = 0;
    return kLibOk;
}

int ClSetData::WalkDat(int cursor, StDATAINFO* out) {
    if (auto fault = TakeFault(Op::SetDataWalkDat)) return *fault;
    size_t* pos = cursors_.Find(cursor);
    if (!pos) return kLibBadCursor;
    if (!out) return kLibBadArgument;
    const std::vector<book::Company>& companies = book::Current().companies;
    if (*pos >= companies.size()) return kLibEnd;
    Fill(companies[(*pos)++], out);
    return kLibOk;
}

int ClSetData::ReleaseDatCursor(int cursor) {
    if (auto fault = TakeFault(Op::SetDataReleaseDatCursor)) return *fault;
    return cursors_.Close(cursor) ? kLibOk : kLibBadCursor;
}

StDATAINFO* ClSetData::GetSelectedInfo() {
    std::memset(&selected_, 0, sizeof selected_);
    // A faulted call answers like a book without the selected company.
    if (TakeFault(Op::SetDataGetSelectedInfo)) return &selected_;
    if (const book::Company* company = book::Current().SelectedCompany())
        Fill(*company, &selected_);
    return &selected_;
}

ClAccPeriod* ClSetData::GetAccPeriod() {
    period_ = ClAccPeriod();
    // A faulted call answers with a period object that has no months.
    if (TakeFault(Op::SetDataGetAccPeriod)) return &period_;
    if (const book::Company* company = book::Current().SelectedCompany()) {
        period_.start_ = company->periodStart;
        period_.end_ = company->periodEnd;
        period_.closingDay_ = book::ClosingDayOf(company->periodEnd);
    }
    return &period_;
}

int ClSetShohizei::Get(StSHOHIZEIINFO* out) {
    if (auto fault = TakeFault(Op::SetShohizeiGet)) return *fault;
    if (!out) return kLibBadArgument;
    const book::Company* company = CurrentCompany();
    if (!company) return kLibNoData;
    std::memset(out, 0, sizeof *out);
    out->sumSet = company->sumSet;
    return kLibOk;
}

int ClSetKamoku::GetCursor(int* cursor) {
    if (auto fault = TakeFault(Op::SetKamokuGetCursor)) return *fault;
    if (!cursor) return kLibBadArgument;
    *cursor = cursors_.Open();
    return kLibOk;
}

int ClSetKamoku::ReadyCursor(int cursor, int) {
    if (auto fault = TakeFault(Op::SetKamokuReadyCursor)) return *fault;
    return cursors_.Find(cursor) ? kLibOk : kLibBadCursor;
}

int ClSetKamoku::WalkFind(int cursor, uint32_t key, StKAMOKUINFO* out) {
    if (auto fault = TakeFault(Op::SetKamokuWalkFind)) return *fault;
    if (!cursors_.Find(cursor)) return kLibBadCursor;
    if (!out) return kLibBadArgument;
    const book::Company* company = CurrentCompany();
    if (!company) return kLibEnd;
    const auto it = company->master.find(key);
    if (it == company->master.end()) return kLibEnd;
    Fill(it->second, out);
    return kLibOk;
}

int ClSetKamoku::ReleaseCursor(int cursor) {
    if (auto fault = TakeFault(Op::SetKamokuReleaseCursor)) return *fault;
    return cursors_.Close(cursor) ? kLibOk : kLibBadCursor;
}

int ClSetGengo::GetCursor(int* cursor) {
    if (auto fault = TakeFault(Op::SetGengoGetCursor)) return *fault;
    if (!cursor) return kLibBadArgument;
    *cursor = cursors_.Open();
    return kLibOk;
}

int ClSetGengo::Ready(int cursor) {
    if (auto fault = TakeFault(Op::SetGengoReady)) return *fault;
    size_t* pos = cursors_.Find(cursor);
    if (!pos) return kLibBadCursor;
    *pos = 0;
    return kLibOk;
}

int ClSetGengo::Walk(int cursor, StGENGOINFO* out) {
    if (auto fault = TakeFault(Op::SetGengoWalk)) return *fault;
    size_t* pos = cursors_.Find(cursor);
    if (!pos) return kLibBadCursor;
    if (!out) return kLibBadArgument;
    const std::vector<book::Era>& eras = book::Current().eras;
    if (*pos >= eras.size()) return kLibEnd;
    Fill(eras[(*pos)++], out);
    return kLibOk;
}

int ClSetGengo::ReleaseCursor(int cursor) {
    if (auto fault = TakeFault(Op::SetGengoReleaseCursor)) return *fault;
    return cursors_.Close(cursor) ? kLibOk : kLibBadCursor;
}

// ---------------------------------------------------------------- users and ids

int ClSysUser::GetCurUserID(char* out) {
    if (auto fault = TakeFault(Op::SysUserGetCurUserID)) return *fault;
    if (!out) return kLibBadArgument;
    CopyBounded(out, kUserIdBuffer, book::Current().userId.c_str());
    return kLibOk;
}

int ClSysUser::GetSelectedNo(const char*, int* first, int* second) {
    if (auto fault = TakeFault(Op::SysUserGetSelectedNo)) return *fault;
    if (!first || !second) return kLibBadArgument;
    *first = book::Current().selectionNo1;
    *second = book::Current().selectedDataNo;
    return kLibOk;
}

ClUtyDBHpr* ClUtyDBHpr::Inst() {
    static ClUtyDBHpr instance;
    return &instance;
}

int ClUtyDBHpr::MakeIDStr(const char* dataId, char* out) {
    if (auto fault = TakeFault(Op::UtyDBHprMakeIDStr)) return *fault;
    if (!dataId || !out) return kLibBadArgument;
    CopyBounded(out, kIdStrBuffer, dataId);
    return kLibOk;
}

// ---------------------------------------------------------------- rule objects

ClRuleBase::~ClRuleBase() = default;

int ClRuleBase::AttachSetMgr(ClSetMgr*) { return kLibOk; }

int ClRuleBase::SetCurDataID(const char* dataId) {
    if (!dataId) return kLibBadArgument;
    company_ = book::Current().CompanyById(dataId);
    return company_ ? kLibOk : kLibNoData;
}

int ClRuleBase::AttachOptLink(ClOptLink*) { return kLibOk; }

int ClRuleKamoku::MoveReady(int, int, int, const StFINDINFO*, const StBUMONINFO*, int) {
    if (auto fault = TakeFault(Op::RuleKamokuMoveReady)) return *fault;
    pos_ = 0;
    return kLibOk;
}

int ClRuleKamoku::GetSumCount(int* count) {
    if (auto fault = TakeFault(Op::RuleKamokuGetSumCount)) return *fault;
    if (!count) return kLibBadArgument;
    *count = company_ ? ClampedCount(company_->accounts.size()) : 0;
    return kLibOk;
}

int ClRuleKamoku::SetMovePos(int pos) {
    if (auto fault = TakeFault(Op::RuleKamokuSetMovePos)) return *fault;
    if (pos < 0) return kLibBadArgument;
    pos_ = static_cast<size_t>(pos);
    return kLibOk;
}

int ClRuleKamoku::MoveNext(StKAMOKUSUMINFO* out) {
    if (auto fault = TakeFault(Op::RuleKamokuMoveNext)) return *fault;
    if (!out) return kLibBadArgument;
    if (!company_ || pos_ >= company_->accounts.size()) return kLibEnd;
    Fill(company_->accounts[pos_++], out);
    return kLibOk;
}

int ClRuleKamoku::MoveFinish() {
    if (auto fault = TakeFault(Op::RuleKamokuMoveFinish)) return *fault;
    pos_ = 0;
    return kLibOk;
}

void ClRuleMotocho::Select(const StMOTOCHOHYOJIINFO* view) {
    lines_.clear();
    pos_ = 0;
    if (!view || !company_) return;
    const auto it = company_->accountByKey.find(view->accountKey);
    if (it == company_->accountByKey.end()) return;
    for (const book::LedgerLine& line : company_->accounts[it->second].ledger)
        if (line.date >= view->firstDay && line.date <= view->lastDay) lines_.push_back(&line);
}

int ClRuleMotocho::Read(size_t pos, StMOTOCHOINFO* out) {
    if (!out) return kLibBadArgument;
    if (pos >= lines_.size()) return kLibEnd;
    Fill(*lines_[pos], out);
    pos_ = pos + 1;
    return kLibOk;
}

int ClRuleMotocho::MoveReady(const StFINDINFO*, const StORDERINFO*,
                             const StMOTOCHOHYOJIINFO* view) {
    if (auto fault = TakeFault(Op::RuleMotochoMoveReady)) return *fault;
    Select(view);
    return kLibOk;
}

int ClRuleMotocho::GetCount(const StFINDINFO*, const StMOTOCHOHYOJIINFO* view, int* count) {
    if (auto fault = TakeFault(Op::RuleMotochoGetCount)) return *fault;
    if (!count) return kLibBadArgument;
    Select(view);
    *count = ClampedCount(lines_.size());
    return kLibOk;
}

int ClRuleMotocho::SetMovePos(int pos) {
    if (auto fault = TakeFault(Op::RuleMotochoSetMovePos)) return *fault;
    if (pos < 0) return kLibBadArgument;
    pos_ = static_cast<size_t>(pos);
    return kLibOk;
}

int ClRuleMotocho::MoveFirst(StMOTOCHOINFO* out) {
    if (auto fault = TakeFault(Op::RuleMotochoMoveFirst)) return *fault;
    return Read(0, out);
}

int ClRuleMotocho::MoveNext(StMOTOCHOINFO* out) {
    if (auto fault = TakeFault(Op::RuleMotochoMoveNext)) return *fault;
    return Read(pos_, out);
}

int ClRuleMotocho::MoveFinish() {
    if (auto fault = TakeFault(Op::RuleMotochoMoveFinish)) return *fault;
    lines_.clear();
    pos_ = 0;
    return kLibOk;
}

void ClRuleShiwake::Select(const StFINDINFO* find) {
    lines_ = nullptr;
    pos_ = 0;
    if (!find || !company_) return;
    for (const StFINDCONDINFO& slot : find->slots) {
        if (slot.field == kFieldVoucherId) {
            const auto it = company_->vouchers.find(FindValue32(slot));
            if (it != company_->vouchers.end()) lines_ = &it->second;
            return;
        }
        if (slot.link == 0) return;
    }
}

int ClRuleShiwake::Read(size_t pos, StSWKTINFO* out) {
    if (!out) return kLibBadArgument;
    if (!lines_ || pos >= lines_->size()) return kLibEnd;
    Fill((*lines_)[pos], out);
    pos_ = pos + 1;
    return kLibOk;
}

int ClRuleShiwake::MoveReady(const StFINDINFO* find, const StORDERINFO*, const StSWKDISPINFO*,
                             int) {
    if (auto fault = TakeFault(Op::RuleShiwakeMoveReady)) return *fault;
    Select(find);
    return kLibOk;
}

int ClRuleShiwake::GetSwkCount(const StFINDINFO* find, const StSWKDISPINFO*, int* count) {
    if (auto fault = TakeFault(Op::RuleShiwakeGetSwkCount)) return *fault;
    if (!count) return kLibBadArgument;
    Select(find);
    *count = lines_ ? ClampedCount(lines_->size()) : 0;
    return kLibOk;
}

int ClRuleShiwake::MoveFirst(StSWKTINFO* out) {
    if (auto fault = TakeFault(Op::RuleShiwakeMoveFirst)) return *fault;
    return Read(0, out);
}

int ClRuleShiwake::MoveNext(StSWKTINFO* out) {
    if (auto fault = TakeFault(Op::RuleShiwakeMoveNext)) return *fault;
    return Read(pos_, out);
}

// ---------------------------------------------------------------- save objects

int ClSaveKessansho::GetDataType02(int kind, char** text, int* size) {
    if (auto fault = TakeFault(Op::SaveKessanshoGetDataType02)) return *fault;
    if (!text) return kLibBadArgument;
    *text = nullptr;
    if (size) *size = 0;
    if (!company_) return kLibNoData;
    const auto it = company_->saved.find(kind);
    if (it == company_->saved.end()) return kLibNoData;
    const std::string& saved = it->second;
    char* copy = static_cast<char*>(sys::TaskMemAlloc(saved.size() + 1));
    if (!copy) return kLibNoMemory;
    std::memcpy(copy, saved.c_str(), saved.size() + 1);
    *text = copy;
    if (size) *size = static_cast<int>(saved.size());
    return kLibOk;
}
