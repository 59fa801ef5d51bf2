#include <gtest/gtest.h>

#include "util/Sjis.h"

namespace {

TEST(Sjis, TrailingBackslashOnlyAsACharacterOfItsOwn) {
    EXPECT_TRUE(sjis::EndsWithBackslash("C:\\"));
    EXPECT_TRUE(sjis::EndsWithBackslash("C:\\表\\"));
    EXPECT_FALSE(sjis::EndsWithBackslash("C:\\表"));  // 表 ends in the byte 0x5C
    EXPECT_FALSE(sjis::EndsWithBackslash("ソ"));
    EXPECT_FALSE(sjis::EndsWithBackslash(""));
}

TEST(Sjis, TruncateKeepsWholeCharacters) {
    struct Case {
        std::string text;
        size_t maxBytes;
        std::string expected;
    } cases[] = {
        {"abc", 2, "ab"}, {"あい", 3, "あ"}, {"あい", 4, "あい"},
        {"aあ", 2, "a"},  {"ｱｲ", 1, "ｱ"},     // half-width katakana is one byte
        {"", 5, ""},      {"a\x82", 5, "a"},  // a lead byte without its second byte
    };
    for (const Case& c : cases) EXPECT_EQ(sjis::Truncate(c.text, c.maxBytes), c.expected);
}

}  // namespace
