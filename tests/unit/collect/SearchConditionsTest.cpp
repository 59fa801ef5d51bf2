#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "collect/SearchConditions.h"
#include "util/MonthRules.h"

namespace {

struct Slot {
    int16_t comparison;
    int16_t monthKind;
    int16_t link;
};

StDATAINFO Company(int32_t start, int32_t end, int32_t interim) {
    StDATAINFO data;
    std::memset(&data, 0, sizeof data);
    data.periodStart = start;
    data.periodEnd = end;
    data.interimClosing = interim;
    return data;
}

std::vector<Slot> UsedSlots(const StFINDINFO& find) {
    std::vector<Slot> slots;
    for (const StFINDCONDINFO& slot : find.slots) {
        if (slot.field == 0) break;
        EXPECT_EQ(slot.field, 17);
        EXPECT_EQ(slot.valueType, 2);
        slots.push_back({slot.comparison, slot.monthKind, slot.link});
    }
    return slots;
}

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
        {4, 103, 4, 3, 1, 12}, {4, 103, 10, 3, 7, 12}, {4, 103, 1, 3, 10, 12},
        {4, 103, 12, 2, 9, 11}, {4, 103, 4, 9, 1, 6},  {1, 12, 1, 12, 1, 12},
        {1, 12, 5, 4, 5, 4},   {7, 12, 7, 12, 1, 6},
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

TEST(FindInfo, ConditionsForTheChosenMonths) {
    struct Case {
        const char* what;
        int32_t start, end, interim;
        int startMonth, endMonth;
        std::vector<Slot> slots;
    } cases[] = {
        {"whole year", 20230401, 20240331, 0, 4, 3, {{4, 1, 1}, {6, 12, 2}, {1, 18, 0}}},
        {"first half, interim on", 20230401, 20240331, 1, 4, 9, {{4, 1, 1}, {6, 6, 2}, {1, 15, 0}}},
        {"first half, interim off", 20230401, 20240331, 0, 4, 9, {{4, 1, 1}, {6, 6, 0}}},
        {"second half", 20230401, 20240331, 0, 10, 3, {{4, 7, 1}, {6, 12, 2}, {1, 18, 0}}},
        {"last quarter", 20230401, 20240331, 0, 1, 3, {{4, 10, 1}, {6, 12, 2}, {1, 18, 0}}},
        {"calendar half", 20230101, 20231231, 1, 1, 6, {{4, 1, 1}, {6, 6, 2}, {1, 15, 0}}},
        {"short first year",
         20230701,
         20231231,
         1,
         7,
         12,
         {{4, 1, 1}, {6, 6, 2}, {1, 15, 2}, {1, 18, 0}}},
    };
    for (const Case& c : cases) {
        StDATAINFO data = Company(c.start, c.end, c.interim);
        StFINDINFO find;
        std::memset(&find, 0, sizeof find);
        BuildFindInfo(&find, &data, c.startMonth, c.endMonth);
        std::vector<Slot> slots = UsedSlots(find);
        ASSERT_EQ(slots.size(), c.slots.size()) << c.what;
        for (size_t i = 0; i < slots.size(); ++i) {
            EXPECT_EQ(slots[i].comparison, c.slots[i].comparison) << c.what << " slot " << i;
            EXPECT_EQ(slots[i].monthKind, c.slots[i].monthKind) << c.what << " slot " << i;
            EXPECT_EQ(slots[i].link, c.slots[i].link) << c.what << " slot " << i;
        }
    }
}

}  // namespace
