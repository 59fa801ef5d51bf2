// Built in both trees: natively it checks the stand-in, under Wine the platform's own
// conversion, against one table, so that the two agree byte for byte.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "framework/Sys.h"

namespace {

struct Case {
    const char* text;
    const char* expected;
};

constexpr Case kCases[] = {
    {"", ""},
    {"Az 09", "Ａｚ　０９"},
    {"!#$%&()*+,-./", "！＃＄％＆（）＊\x81\x7B，\x81\x7C．／"},
    {":;<=>?@[]^_`{|}", "：；＜＝＞？＠［］＾＿｀｛\x81\x62｝"},
    // '"' and '\'' take the IBM extension codes; '~' becomes 0x8160; '\' stays.
    {"\"'~\\", "\xFA\x57\xFA\x56\x81\x60\\"},
    {"ｱｲｳｴｵﾝｰ", "アイウエオンー"},
    {"｡｢｣､･ｦｧｯ", "。「」、・ヲァッ"},
    {"ｶﾞｻﾞﾀﾞﾄﾞﾊﾞﾎﾞﾊﾟﾎﾟｳﾞ", "ガザダドバボパポヴ"},
    // A sound mark that joins nothing becomes '?'.
    {"ﾞﾟｱﾞｶﾟ", "??ア?カ?"},
    {"ﾜﾞｦﾞ", "??"},  // joined into letters that code page 932 lacks
    {"゛゜", "??"},
    {"漢字ｶﾅ混在abc", "漢字カナ混在ａｂｃ"},
    // Duplicates come back in their preferred form: ≒ of the NEC row, 纊 of the NEC
    // selection of the IBM extensions.
    {"\x87\x90\xED\x40", "\x81\xE0\xFA\x5C"},
    // Unmapped pairs, a lead byte before a byte that cannot follow it, and a lead byte at
    // the end become the default character.
    {"\x85\x40", "・"},
    {"\x81\x20x", "・ｘ"},
    {"a\x82", "ａ・"},
    {"\t\x7F\x80\xA0\xFD\xF0\x40", "\t\x7F\x80\xA0\xFD\xF0\x40"},
};

TEST(FullWidthTest, ConvertsLikeTheSystemUnderCodePage932) {
    for (const Case& c : kCases) EXPECT_EQ(sys::FullWidth(c.text), c.expected) << c.text;
}

// Every text of one or two bytes, folded into one FNV-1a digest of inputs and results.
// The expected digest is the one the platform's conversion gives under Wine.
TEST(FullWidthTest, AgreesWithTheSystemOnEveryShortText) {
    constexpr uint64_t kExpectedDigest = 10656482760176346245u;
    uint64_t digest = 0xCBF29CE484222325u;
    auto fold = [&digest](const std::string& bytes) {
        for (unsigned char byte : bytes) digest = (digest ^ byte) * 0x100000001B3u;
        digest = (digest ^ 0x100u) * 0x100000001B3u;  // separator
    };
    for (int first = 1; first <= 0xFF; ++first) {
        for (int second = 0; second <= 0xFF; ++second) {
            const char text[3] = {static_cast<char>(first), static_cast<char>(second), 0};
            fold(text);
            fold(sys::FullWidth(text));
        }
    }
    EXPECT_EQ(digest, kExpectedDigest);
}

}  // namespace
