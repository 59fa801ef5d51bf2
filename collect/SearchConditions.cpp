#include "collect/SearchConditions.h"

#include <cstring>

#include "platform/bookkit.h"
#include "platform/sharekit.h"
#include "util/MonthRules.h"

namespace {

// Condition slot values.
constexpr int32_t kFieldMonthKind = 17;
constexpr int16_t kValueTypeNumber = 2;
constexpr int16_t kCompareNotLess = 4;
constexpr int16_t kCompareNotMore = 6;
constexpr int16_t kCompareEqual = 1;
constexpr int16_t kLinkLast = 0;
constexpr int16_t kLinkAnd = 1;
constexpr int16_t kLinkOr = 2;

class FindBuilder {
  public:
    explicit FindBuilder(StFINDINFO* find) : find_(find) {}

    void Add(int16_t comparison, int16_t monthKind, int16_t linkToPrevious) {
        if (count_ > 0) find_->slots[count_ - 1].link = linkToPrevious;
        StFINDCONDINFO& slot = find_->slots[count_++];
        slot.field = kFieldMonthKind;
        slot.comparison = comparison;
        slot.valueType = kValueTypeNumber;
        slot.monthKind = monthKind;
        slot.link = kLinkLast;
    }

  private:
    StFINDINFO* find_;
    int count_ = 0;
};

}  // namespace

void BuildFindInfo(StFINDINFO* find, const StDATAINFO* data, int startMonth, int endMonth) {
    if (!find || !data) return;
    int16_t first = 0;
    int16_t last = 0;
    GetPeriodMonths(data->periodStart, data->periodEnd, &first, &last);
    int16_t startPos = 1;
    int16_t endPos = 1;
    GetMonthIndexes(first, last, static_cast<int16_t>(startMonth), static_cast<int16_t>(endMonth),
                    &startPos, &endPos);

    FindBuilder builder(find);
    builder.Add(kCompareNotLess, startPos, kLinkLast);
    builder.Add(kCompareNotMore, endPos, kLinkAnd);
    if (data->interimClosing == 1 && endPos == 6)
        builder.Add(kCompareEqual, kMonthKindInterim, kLinkOr);
    if (endMonth == last % kCrossingOffset) builder.Add(kCompareEqual, kMonthKindYearEnd, kLinkOr);
}

int ReadShohizeiInfo(StSHOHIZEIINFO* out, const StDATAINFO* data) {
    auto* taxSet =
        static_cast<ClSetShohizei*>(ClDataMgr::Inst()->GetSetObject(kSetKindShohizei, 1));
    if (!taxSet || !data) return 0;
    taxSet->AttachSetMgr(ClDataMgr::Inst()->GetSetMgr());
    taxSet->SetCurDataID(data->dataId);
    StSHOHIZEIINFO record;
    std::memset(&record, 0, sizeof record);
    if (taxSet->Get(&record) != kLibOk) return 0;
    *out = record;
    return 1;
}
