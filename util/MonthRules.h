#pragma once
// Month rules of the accounting period: which calendar months it spans and where a
// calendar month lies in the fiscal year.

#include <cstdint>

// Added to the last month when the period ends in the following calendar year.
constexpr int16_t kCrossingOffset = 100;

// Calendar months of the accounting month that holds the period start (first) and of
// the period end (last; kCrossingOffset added when the period crosses into the next
// calendar year). Either output may be null; both stay unchanged when no period object
// can be made.
void GetPeriodMonths(int32_t periodStart, int32_t periodEnd, int16_t* firstMonth,
                     int16_t* lastMonth);

// Positions in the fiscal year (1 = first month) of the chosen calendar months.
// Nothing happens unless both outputs are given.
void GetMonthIndexes(int16_t firstMonth, int16_t lastMonth, int16_t startMonth, int16_t endMonth,
                     int16_t* startPos, int16_t* endPos);
