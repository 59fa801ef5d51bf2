#pragma once
// Dates (yyyymmdd) and the accounting months of a period.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace book {

bool IsValidDate(int64_t date);
int DaysInMonth(int year, int month);
// 0 when `end` is the last day of its month, else its day.
int ClosingDayOf(int end);
// Calendar month of the accounting month that holds `date` (closing day 0 = month end).
int AccountingMonthOf(int date, int closingDay);

struct MonthSpan {
    int from = 0;
    int to = 0;
};

// The accounting months of [start, end] with the closing day, at most `limit` of them.
// Both dates must be valid and start <= end.
std::vector<MonthSpan> AccountingMonths(int start, int end, int closingDay, size_t limit);

}  // namespace book
