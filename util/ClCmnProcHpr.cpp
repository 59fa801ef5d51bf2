#include "util/ClCmnProcHpr.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

#include "platform/Status.h"
#include "platform/noticekit.h"
#include "platform/sharekit.h"

namespace {

constexpr int kEraFound = 0;
constexpr int kEraNotFound = -1;
constexpr int kEraTableFlag = 0;
// Dates beyond this have no era text, whatever the table says.
constexpr int32_t kLastDate = 99991231;

// Source name and line numbers of the error records, one line per step.
constexpr const char* kErrorSource = "CmnProcHpr";
constexpr int kLineGetCursor = 312;
constexpr int kLineReady = 319;
constexpr int kLineWalk = 339;

// Era name (7 bytes at most) and three 32-bit numbers with their double-byte units.
constexpr size_t kDateTextBytes = 64;

// A library step that failed: its status and the line that names the step.
struct StepFailure {
    int status;
    int line;
};

// One pass over the era table: a failed step, or the era that holds the date when
// `found`.
struct EraLookup {
    std::optional<StepFailure> failure;
    bool found = false;
    StGENGOINFO era{};
};

// Releases the era cursor when the lookup leaves, on every path.
class EraCursor {
  public:
    EraCursor(ClSetGengo& table, int cursor) : table_(table), cursor_(cursor) {}
    EraCursor(const EraCursor&) = delete;
    EraCursor& operator=(const EraCursor&) = delete;
    ~EraCursor() { table_.ReleaseCursor(cursor_); }

  private:
    ClSetGengo& table_;
    int cursor_;
};

ClSetGengo* EraTable() {
    return static_cast<ClSetGengo*>(
        ClDataMgr::Inst()->GetSetMgr()->GetSetObject(kSetKindGengo, kEraTableFlag));
}

// Asks the message manager, which shows its own message for a fatal status.
bool IsFatal(int status) {
    return ClMsgMgr::Inst()->CheckFatalErrorWithMsg(status, 0, 1, nullptr) != 0;
}

// A step fails when its status is not 0 or the message manager calls it fatal.
std::optional<StepFailure> CheckStep(int status, int line) {
    const bool fatal = IsFatal(status);
    if (fatal || status != kLibOk) return StepFailure{status, line};
    return std::nullopt;
}

// A fatal report for status 0 has no step of its own to name.
void RecordFailure(const StepFailure& failure) {
    if (failure.status == kLibOk)
        ClMsgMgr::Inst()->SetLastError(kLibOk, nullptr, 0);
    else
        ClMsgMgr::Inst()->SetLastError(failure.status, kErrorSource, failure.line);
}

// Walks the table from a ready cursor. Every era passed so far starts on or before the
// date, so the first era that starts after it ends the search: the date then belongs
// to the era before, or to none when it is the first.
void WalkToEra(ClSetGengo& table, int cursor, int32_t date, EraLookup& lookup) {
    StGENGOINFO current;
    for (;;) {
        std::memset(&current, 0, sizeof current);
        const int status = table.Walk(cursor, &current);
        if (IsFatal(status)) {
            lookup.failure = StepFailure{status, kLineWalk};
            return;
        }
        if (status != kLibOk) return;  // end of the table
        if (current.startDate > date) return;
        lookup.era = current;
        lookup.found = true;
    }
}

EraLookup LookUpEra(ClSetGengo& table, int32_t date) {
    EraLookup lookup;
    int cursor = 0;
    const int status = table.GetCursor(&cursor);
    // A cursor handed out with status 0 is released even when the message manager
    // still calls the step fatal.
    std::optional<EraCursor> held;
    if (status == kLibOk) held.emplace(table, cursor);
    lookup.failure = CheckStep(status, kLineGetCursor);
    if (!lookup.failure) lookup.failure = CheckStep(table.Ready(cursor), kLineReady);
    if (!lookup.failure) WalkToEra(table, cursor, date, lookup);
    return lookup;
}

}  // namespace

int ClCmnProcHpr::FindGengo(int32_t date, StGENGOINFO* era, int32_t* yearInEra) {
    std::memset(era, 0, sizeof *era);
    ClSetGengo* table = EraTable();
    if (!table) return kEraNotFound;
    const EraLookup lookup = LookUpEra(*table, date);
    // Recorded after the cursor is released, so that the release cannot overwrite it.
    if (lookup.failure) {
        RecordFailure(*lookup.failure);
        return kEraNotFound;
    }
    if (!lookup.found || date > kLastDate) return kEraNotFound;
    *era = lookup.era;
    if (yearInEra) *yearInEra = date / 10000 - lookup.era.startDate / 10000 + 1;
    return kEraFound;
}

CString ClCmnProcHpr::FormatDate(int32_t date) {
    StGENGOINFO era;
    int32_t year = 0;
    if (FindGengo(date, &era, &year) != kEraFound) return CString();
    // The name is read within its field even when the record lacks its NUL.
    constexpr int kNameBytes = static_cast<int>(sizeof era.name);
    char text[kDateTextBytes];
    const int length = std::snprintf(text, sizeof text, "%.*s%ld年%ld月%ld日", kNameBytes, era.name,
                                     static_cast<long>(year), static_cast<long>(date % 10000 / 100),
                                     static_cast<long>(date % 100));
    return CString(text, std::clamp(length, 0, static_cast<int>(sizeof text) - 1));
}
