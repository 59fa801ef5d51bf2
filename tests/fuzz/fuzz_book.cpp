// Arbitrary bytes as a book file: the loader refuses or accepts, never crashes, and an
// accepted book answers the period and cursor operations.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/BookLoader.h"
#include "platform/sharekit.h"

namespace {

void Exercise() {
    auto* data = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(kSetKindData, 1));
    int cursor = 0;
    data->GetDatCursor(&cursor);
    data->ReadyDat(cursor, 0);
    StDATAINFO record;
    while (data->WalkDat(cursor, &record) == kLibOk) {
        ClRuleKamoku rule;
        rule.SetCurDataID(record.dataId);
        StKAMOKUSUMINFO sums;
        while (rule.MoveNext(&sums) == kLibOk) {
        }
    }
    data->ReleaseDatCursor(cursor);
    ClAccPeriod* period = data->GetAccPeriod();
    for (int kind = 0; kind <= 18; ++kind) {
        int from = 0, to = 0;
        period->GetPeriodByMonthKind(kind, &from, &to, 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    book::ParseResult result =
        book::ParseBook(std::string_view(reinterpret_cast<const char*>(bytes), size));
    if (result.book) {
        book::Install(std::move(result.book));
        Exercise();
    }
    return 0;
}
