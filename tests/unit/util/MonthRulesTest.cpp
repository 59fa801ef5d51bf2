#include <gtest/gtest.h>

#include "util/MonthRules.h"

namespace {

TEST(PeriodMonths, FirstAndLastMonthOfThePeriod) {
    struct Case {
        int32_t start, end;
        int16_t first, last;
    } cases[] = {
        {20230401, 20240331, 4, 103},
        {20230101, 20231231, 1, 12},
        {20230701, 20231231, 7, 12},
        // Closing on the 20th: the period start 21 March lies in the accounting month of April.
        {20230321, 20240320, 4, 103},
    };
    for (const Case& c : cases) {
        int16_t first = -1, last = -1;
        GetPeriodMonths(c.start, c.end, &first, &last);
        EXPECT_EQ(first, c.first) << c.start;
        EXPECT_EQ(last, c.last) << c.start;
    }
}

TEST(PeriodMonths, PositionsInTheFiscalYear) {
    struct Case {
        int16_t first, last, start, end, startPos, endPos;
    } cases[] = {
        {4, 103, 4, 3, 1, 12},  {4, 103, 10, 3, 7, 12}, {4, 103, 1, 3, 10, 12},
        {4, 103, 12, 2, 9, 11}, {4, 103, 4, 9, 1, 6},   {1, 12, 1, 12, 1, 12},
        {1, 12, 5, 4, 5, 4},    {7, 12, 7, 12, 1, 6},
    };
    for (const Case& c : cases) {
        int16_t startPos = 0, endPos = 0;
        GetMonthIndexes(c.first, c.last, c.start, c.end, &startPos, &endPos);
        EXPECT_EQ(startPos, c.startPos) << c.start << "-" << c.end;
        EXPECT_EQ(endPos, c.endPos) << c.start << "-" << c.end;
    }
    int16_t untouched = 42;
    GetMonthIndexes(4, 103, 4, 3, &untouched, nullptr);
    EXPECT_EQ(untouched, 42);
}

}  // namespace
