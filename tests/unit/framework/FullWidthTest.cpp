// Built in both trees: natively it checks the stand-in, under Wine the platform's own
// conversion, against one table, so that the two agree byte for byte.

#include <gtest/gtest.h>

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
    {"漢字ｶﾅ混在abc", "漢字カナ混在ａｂｃ"},
    {"\t\x7F", "\t\x7F"},
};

TEST(FullWidthTest, ConvertsLikeTheSystemUnderCodePage932) {
    for (const Case& c : kCases) EXPECT_EQ(sys::FullWidth(c.text), c.expected) << c.text;
}

}  // namespace
