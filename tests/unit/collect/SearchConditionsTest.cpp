#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "collect/SearchConditions.h"

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
        EXPECT_EQ(+slot.field, 17);  // by value: the packed field is misaligned
        EXPECT_EQ(+slot.valueType, 2);
        slots.push_back({slot.comparison, slot.monthKind, slot.link});
    }
    return slots;
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
