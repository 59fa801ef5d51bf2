#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "report/ClReportWriter.h"
#include "report/CleanName.h"

namespace {

struct CleanCase {
    std::string name;
    std::string label;
};

TEST(ClReportWriter, CleanNameRemovesSpacesBracketsAndMarks) {
    const CleanCase cases[] = {
        {"【現金】 (未)", "現金"},
        {"", ""},
        {"普通 預金", "普通預金"},
        {"　全角　空白　", "全角空白"},
        {"《当期純損益》", "当期純損益"},
        {"（株）ＡＢＣ", "株ＡＢＣ"},
        {"［製］品", "製品"},
        {"(製)売上", "売上"},
        {"[製]売上", "売上"},
        {"(完)製品", "製品"},
        {"[完]製品", "製品"},
        {"(未)仕掛", "仕掛"},
        {"[未]仕掛", "仕掛"},
        {"(製", "(製"},
        {"(売)", "(売)"},
        {"[[製]]", "[]"},
        // Second bytes 0x5C and 0x7C stay part of their characters.
        {"表 ソ\\|", "表ソ\\|"},
        // ゼ ends in 0x5B ([), ＝ in 0x81: a match may not start inside a character.
        {"ゼ製]", "ゼ製]"},
        {"ゼ[製]", "ゼ"},
        {"＝i", "＝i"},
        {"＝（i）", "＝i"},
        // A lead byte that lost its second byte is dropped.
        {"現金\x83", "現金"},
    };
    for (const CleanCase& c : cases) {
        EXPECT_EQ(ClReportWriter::CleanName(c.name).str(), c.label) << c.name;
    }
}

TEST(CleanName, ContainsTextMatchesWholeCharactersOnly) {
    EXPECT_TRUE(label::ContainsText("第一別途積立金", "別途積立金"));
    EXPECT_FALSE(label::ContainsText("別途積立", "別途積立金"));
    // ゼ is 0x83 0x5B: the bracket inside it is no bracket.
    EXPECT_FALSE(label::ContainsText("ゼ", "["));
    EXPECT_TRUE(label::ContainsText("[ゼ", "["));
}

struct AmountCase {
    int64_t raw;
    const char* text;
};

TEST(ClReportWriter, FormatAmountTruncatesTowardZero) {
    const AmountCase cases[] = {
        {-15000, "-1"},
        {15000, "1"},
        {9999, "0"},
        {-9999, "0"},
        {0, "0"},
        {123456789, "12345"},
        {std::numeric_limits<int64_t>::max(), "922337203685477"},
        {std::numeric_limits<int64_t>::min(), "-922337203685477"},
    };
    for (const AmountCase& c : cases) {
        EXPECT_EQ(ClReportWriter::FormatAmount(c.raw).str(), c.text) << c.raw;
    }
}

}  // namespace
