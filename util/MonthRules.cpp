#include "util/MonthRules.h"

#include <memory>
#include <new>

#include "platform/bookkit.h"

namespace {

int16_t CalendarMonth(int32_t date) { return static_cast<int16_t>((date % 10000) / 100); }

}  // namespace

void GetPeriodMonths(int32_t periodStart, int32_t periodEnd, int16_t* firstMonth,
                     int16_t* lastMonth) {
    int16_t first = CalendarMonth(periodStart);
    int16_t last = CalendarMonth(periodEnd);

    std::unique_ptr<ClAccPeriod> period(new (std::nothrow) ClAccPeriod());
    if (!period) return;
    period->SetPeriod(periodStart, periodEnd);
    int closingDay = 0;
    period->GetClosingDayByEndDate(periodEnd, 0, &closingDay);
    period->SetClosingDay(closingDay);
    period->GetAMonthByDate(periodStart, &first, 0);
    period.reset();

    if (last < first) last = static_cast<int16_t>(last + kCrossingOffset);
    if (firstMonth) *firstMonth = first;
    if (lastMonth) *lastMonth = last;
}

void GetMonthIndexes(int16_t firstMonth, int16_t lastMonth, int16_t startMonth, int16_t endMonth,
                     int16_t* startPos, int16_t* endPos) {
    if (!startPos || !endPos) return;
    const int a = firstMonth;
    const int s = startMonth;
    const int e = endMonth;
    const int b = lastMonth % kCrossingOffset;
    const bool crossing = lastMonth / kCrossingOffset != 0;

    int start = 1;
    if (s > a) start = s - a + 1;
    if (s < a) start = s - a + 13;

    int end;
    if (e <= b) {
        end = (crossing ? 13 : 1) + e - a;
    } else {
        end = e - a + 1;
    }
    *startPos = static_cast<int16_t>(start);
    *endPos = static_cast<int16_t>(end);
}
