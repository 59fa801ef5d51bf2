#include <gtest/gtest.h>

#include "ui/ConditionRules.h"

namespace {

TEST(MonthCheck, RulesOfTheConditionsDialog) {
    struct Case {
        int s, e;
        int16_t first, last;
        MonthField expected;
    } cases[] = {
        // April to March.
        {4, 3, 4, 103, MonthField::None},
        {10, 6, 4, 103, MonthField::End},
        {1, 12, 4, 103, MonthField::End},
        {12, 2, 4, 103, MonthField::None},
        {5, 4, 4, 103, MonthField::End},
        {0, 3, 4, 103, MonthField::Start},
        {13, 3, 4, 103, MonthField::Start},
        {4, 0, 4, 103, MonthField::End},
        {4, 13, 4, 103, MonthField::End},
        // January to December.
        {5, 4, 1, 12, MonthField::Start},
        {1, 12, 1, 12, MonthField::None},
        // A short first year, July to December.
        {6, 12, 7, 12, MonthField::Start},
        {7, 12, 7, 12, MonthField::None},
        // A year that ends in September: a month between the two parts of the year.
        {9, 9, 11, 109, MonthField::None},
        {10, 12, 11, 109, MonthField::Start},
        {11, 10, 11, 109, MonthField::Start},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckMonthRange(c.s, c.e, c.first, c.last), c.expected)
            << c.s << "-" << c.e << " in " << c.first << "-" << c.last;
    }
}

TEST(MonthCheck, RangeMayNotEndBeforeTheStartOfUse) {
    EXPECT_FALSE(EndsBeforeStartOfUse(4, 3, 4, 103, 4));
    EXPECT_FALSE(EndsBeforeStartOfUse(4, 7, 4, 103, 4));
    EXPECT_TRUE(EndsBeforeStartOfUse(4, 6, 4, 103, 4));
    EXPECT_FALSE(EndsBeforeStartOfUse(4, 6, 4, 103, 0));
}

TEST(DefaultPath, OutputFolderThenTemporaryFolder) {
    const std::string longFolder(260, 'a');
    struct Case {
        std::string outputFolder, tempFolder, expected;
    } cases[] = {
        {"D:\\Out\\", "C:\\Temp\\", "D:\\Out\\*.xml"},
        {"", "C:\\Temp\\", "C:\\Temp\\*.xml"},
        {"", "C:\\Temp", "C:\\Temp\\*.xml"},
        {"", "", "*.xml"},
        // The second byte of 表 is 0x5C: it is not a backslash.
        {"", "C:\\表", "C:\\表\\*.xml"},
        {"", longFolder, longFolder + "*.xml"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DefaultOutputPath(c.outputFolder, c.tempFolder), c.expected) << c.tempFolder;
    }
}

}  // namespace
