#pragma once
// bookkit: set objects, rule and save objects, period arithmetic and users of the
// accounting library, answered from the loaded book.

#include <cstddef>
#include <cstdint>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "platform/Operations.h"
#include "platform/Records.h"
#include "platform/Status.h"

class ClSetMgr;
class ClOptLink;

namespace book {
struct Company;
struct Account;
struct LedgerLine;
struct JournalLine;

// Open cursors of one set object: cursor number -> position of the next record.
class CursorTable {
  public:
    int Open();
    size_t* Find(int cursor);
    bool Close(int cursor);

  private:
    std::map<int, size_t> positions_;
    int next_ = 1;
};

// Gives a library class an operator new that fails when the book faults `op`:
// `new (std::nothrow) T` then gives null, plain `new T` throws std::bad_alloc.
template <Op op>
struct FaultableCreation {
    static void* operator new(std::size_t size);
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void operator delete(void* block) noexcept;
};
}  // namespace book

// ---------------------------------------------------------------- period arithmetic

class ClAccPeriod {
  public:
    ClAccPeriod() = default;
    int SetPeriod(int start, int end);
    // 0 (month end) when `end` is the last day of its month, else its day.
    int GetClosingDayByEndDate(int end, int flag, int* closingDay);
    int SetClosingDay(int day);
    // Calendar month of the accounting month that holds `date`.
    int GetAMonthByDate(int date, short* month, int flag);
    // First and last day of month kind 1-12, 15 (the sixth month) or 18 (the last);
    // 0 and 0 for a month the period does not have.
    int GetPeriodByMonthKind(int kind, int* from, int* to, int flag);

  private:
    friend class ClSetData;  // sets the company's period without counting calls

    int start_ = 0;
    int end_ = 0;
    int closingDay_ = 0;
};

// ---------------------------------------------------------------- set objects

class ClSetBase {
  public:
    ClSetBase() = default;
    ClSetBase(const ClSetBase&) = delete;
    ClSetBase& operator=(const ClSetBase&) = delete;
    virtual ~ClSetBase();
    int AttachSetMgr(ClSetMgr* mgr);
    // Selects the company the set answers for (else the user's selected company).
    int SetCurDataID(const char* dataId);

  protected:
    const book::Company* CurrentCompany() const;

  private:
    std::string dataId_;
    bool hasDataId_ = false;
};

// Company data (set kind 5).
class ClSetData : public ClSetBase {
  public:
    int GetDatCursor(int* cursor);
    int ReadyDat(int cursor, int flag);
    int WalkDat(int cursor, StDATAINFO* out);
    int ReleaseDatCursor(int cursor);
    // The selected company's record; all zero when no company has the selected number.
    StDATAINFO* GetSelectedInfo();
    // The selected company's period, with its closing day.
    ClAccPeriod* GetAccPeriod();

  private:
    book::CursorTable cursors_;
    StDATAINFO selected_{};
    ClAccPeriod period_;
};

// Consumption-tax settings (set kind 4).
class ClSetShohizei : public ClSetBase {
  public:
    int Get(StSHOHIZEIINFO* out);
};

// Account master (set kind 1).
class ClSetKamoku : public ClSetBase {
  public:
    int GetCursor(int* cursor);
    int ReadyCursor(int cursor, int flag);
    // kLibOk and the entry with exactly `key`, or kLibEnd when the master has none.
    int WalkFind(int cursor, uint32_t key, StKAMOKUINFO* out);
    int ReleaseCursor(int cursor);

  private:
    book::CursorTable cursors_;
};

// Era table (set kind 13), in order of first day.
class ClSetGengo : public ClSetBase {
  public:
    int GetCursor(int* cursor);
    int Ready(int cursor);
    int Walk(int cursor, StGENGOINFO* out);
    int ReleaseCursor(int cursor);

  private:
    book::CursorTable cursors_;
};

// ---------------------------------------------------------------- users and ids

class ClSysUser {
  public:
    int GetCurUserID(char* out /* 65 bytes */);
    int GetSelectedNo(const char* userId, int* first, int* second);
};

class ClUtyDBHpr {
  public:
    static ClUtyDBHpr* Inst();
    int MakeIDStr(const char* dataId, char* out /* 35 bytes */);
};

// ---------------------------------------------------------------- rule and save objects
// Created by the program with `new (std::nothrow)` (null when the creation fails),
// attached (AttachSetMgr, SetCurDataID, AttachOptLink), used and deleted.

class ClRuleBase {
  public:
    ClRuleBase() = default;
    ClRuleBase(const ClRuleBase&) = delete;
    ClRuleBase& operator=(const ClRuleBase&) = delete;
    virtual ~ClRuleBase();
    virtual int AttachSetMgr(ClSetMgr* mgr);
    virtual int SetCurDataID(const char* dataId);
    int AttachOptLink(ClOptLink* link);

  protected:
    // The company named by SetCurDataID; null before, or when no company has that id.
    const book::Company* company_ = nullptr;
};

// Period sums, one StKAMOKUSUMINFO per account; the conditions do not filter them.
class ClRuleKamoku : public ClRuleBase, public book::FaultableCreation<book::Op::RuleKamokuCreate> {
  public:
    int MoveReady(int baseType, int bmnType, int dispType, const StFINDINFO* find,
                  const StBUMONINFO* bumon, int past);
    int GetSumCount(int* count);
    int SetMovePos(int pos);
    int MoveNext(StKAMOKUSUMINFO* out);
    int MoveFinish();

  private:
    size_t pos_ = 0;
};

// The ledger lines of the view's account whose date lies within the view's days.
class ClRuleMotocho : public ClRuleBase,
                      public book::FaultableCreation<book::Op::RuleMotochoCreate> {
  public:
    int MoveReady(const StFINDINFO* find, const StORDERINFO* order, const StMOTOCHOHYOJIINFO* view);
    int GetCount(const StFINDINFO* find, const StMOTOCHOHYOJIINFO* view, int* count);
    int SetMovePos(int pos);
    int MoveFirst(StMOTOCHOINFO* out);
    int MoveNext(StMOTOCHOINFO* out);
    int MoveFinish();

  private:
    void Select(const StMOTOCHOHYOJIINFO* view);
    int Read(size_t pos, StMOTOCHOINFO* out);

    std::vector<const book::LedgerLine*> lines_;
    size_t pos_ = 0;
};

// The journal lines of the voucher whose id the condition (field 6) names.
class ClRuleShiwake : public ClRuleBase,
                      public book::FaultableCreation<book::Op::RuleShiwakeCreate> {
  public:
    int MoveReady(const StFINDINFO* find, const StORDERINFO* order, const StSWKDISPINFO* disp,
                  int cursorType);
    int GetSwkCount(const StFINDINFO* find, const StSWKDISPINFO* disp, int* count);
    int MoveFirst(StSWKTINFO* out);
    int MoveNext(StSWKTINFO* out);

  private:
    void Select(const StFINDINFO* find);
    int Read(size_t pos, StSWKTINFO* out);

    const std::vector<book::JournalLine>* lines_ = nullptr;
    size_t pos_ = 0;
};

// Save objects attach like rule objects.
class ClSaveBase : public ClRuleBase {};

// Kinds of saved statement data.
constexpr int kSavedStatementSettings = 0;
constexpr int kSavedNotesSettings = 100;
constexpr int kSavedNotesText = 1000;

class ClSaveKessansho : public ClSaveBase,
                        public book::FaultableCreation<book::Op::SaveKessanshoCreate> {
  public:
    // kLibOk and a NUL-terminated Shift_JIS text that the caller frees with
    // sys::TaskMemFree (`size`: its length without the NUL), or kLibNoData and no text.
    int GetDataType02(int kind, char** text, int* size);
};
