#include <gtest/gtest.h>

#include <string>

#include "platform/ShiftJis.h"
#include "tests/unit/platform/TestBooks.h"

namespace {

TEST(ShiftJis, ConvertsExactFormsAndRefusesBestFitSubstitutes) {
    struct Row {
        const char* utf8;
        const char* sjis;  // null: no exact code page 932 form
    };
    const Row rows[] = {
        {"abc\\~", "abc\\~"},          {"\xE7\x8F\xBE\xE9\x87\x91", "\x8C\xBB\x8B\xE0"},  // 現金
        {"\xEF\xBD\x9E", "\x81\x60"},   // U+FF5E fullwidth tilde
        {"\xE2\x88\xA5", "\x81\x61"},   // U+2225 parallel
        {"\xE2\x91\xA0", "\x87\x40"},   // U+2460 circled one (NEC row 13)
        {"\xE9\xAB\x99", "\xFB\xFC"},   // U+9AD9 (IBM extension)
        {"\xC2\xA5", nullptr},          // U+00A5 yen sign
        {"\xE2\x80\xBE", nullptr},      // U+203E overline
        {"\xE3\x80\x9C", nullptr},      // U+301C wave dash
        {"\xE2\x88\x92", nullptr},      // U+2212 minus sign
        {"\xE2\x80\x96", nullptr},      // U+2016 double vertical line
        {"\xC3\xA9", nullptr},          // U+00E9
        {"\xF0\xA0\xAE\xB7", nullptr},  // U+20BB7
    };
    for (const Row& row : rows) {
        const std::optional<std::string> sjis = book::Utf8ToShiftJis(row.utf8);
        if (row.sjis) {
            ASSERT_TRUE(sjis) << row.utf8;
            EXPECT_EQ(*sjis, row.sjis) << row.utf8;
        } else {
            EXPECT_FALSE(sjis) << row.utf8;
        }
    }
}

TEST(ShiftJis, ByteLimitsCountShiftJisBytes) {
    // 32 hiragana are 96 UTF-8 bytes but 64 Shift_JIS bytes: the longest user id.
    std::string id;
    for (int i = 0; i < 32; ++i) id += "\\u3042";
    const std::string book = R"({"format":1,"user":{"id":")" + id + R"("}})";
    EXPECT_TRUE(book::ParseBook(book).book) << book::ParseBook(book).problem;
    const std::string longer = R"({"format":1,"user":{"id":")" + id + R"(a"}})";
    EXPECT_NE(book::ParseBook(longer).problem.find("longer than 64 Shift_JIS bytes"),
              std::string::npos);
}

}  // namespace
