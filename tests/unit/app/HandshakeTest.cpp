#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "app/Handshake.h"

namespace {

struct HandshakeCase {
    std::string line;
    bool accepted;
    int32_t callerWnd;
    uint32_t notifyMsg;
    int16_t functionId;
    std::string callerPath;
};

const std::string kLongPath = "C:\\" + std::string(300, 'a') + "\\out.xml";

const HandshakeCase kHandshakeCases[] = {
    {"1234,1025,7,", true, 1234, 1025, 7, ""},
    {"1234,1025,7", false, 1234, 1025, 3, ""},
    {"1234,1025,7,C:\\out,dir\\a.xml", true, 1234, 1025, 7, "C:\\out,dir\\a.xml"},
    {"1234,1025,70000,x.xml", true, 1234, 1025, 4464, "x.xml"},
    {"", false, 0, 0, 3, ""},
    {"1234", false, 0, 0, 3, ""},
    {"1234,1025", false, 1234, 0, 3, ""},
    // Blanks before a number and a sign are read; reading stops at the first other byte.
    {" +12, -1 ,\t-7 ,p", true, 12, 0xFFFFFFFFu, -7, "p"},
    {"12ab,0x10,7z,p", true, 12, 0, 7, "p"},
    // A first field that is no number still makes a handshake, with window 0.
    {"abc,1025,7,p", true, 0, 1025, 7, "p"},
    {",,,", true, 0, 0, 0, ""},
    // The function number keeps its low 16 bits, read as signed.
    {"1,2,-1,", true, 1, 2, -1, ""},
    {"1,2,40000,", true, 1, 2, -25536, ""},
    {"1,2,65536,", true, 1, 2, 0, ""},
    {"99999999999,2,99999999999,", true, std::numeric_limits<int32_t>::max(), 2, -1, ""},
    // The line is raw: quotes around it stay part of the fields.
    {"\"1,2,3,x.xml\"", true, 0, 2, 3, "x.xml\""},
    // A line of any length is read whole.
    {"1234,1025,7," + kLongPath, true, 1234, 1025, 7, kLongPath},
};

TEST(Handshake, ReadsTheFourFields) {
    for (const HandshakeCase& c : kHandshakeCases) {
        SCOPED_TRACE(c.line);
        HandshakeFields fields;
        EXPECT_EQ(ParseHandshake(c.line, fields), c.accepted);
        EXPECT_EQ(fields.callerWnd, c.callerWnd);
        EXPECT_EQ(fields.notifyMsg, c.notifyMsg);
        EXPECT_EQ(fields.functionId, c.functionId);
        EXPECT_EQ(fields.callerPath, c.callerPath);
    }
}

struct DecimalCase {
    const char* text;
    int32_t value;
};

constexpr DecimalCase kDecimalCases[] = {
    {"", 0},
    {"+", 0},
    {"- 5", 0},
    {" \t\r\n\v\f42abc", 42},
    {"007", 7},
    {"2147483647", std::numeric_limits<int32_t>::max()},
    {"2147483648", std::numeric_limits<int32_t>::max()},
    {"-2147483648", std::numeric_limits<int32_t>::min()},
    {"-2147483649", std::numeric_limits<int32_t>::min()},
    {"-99999999999999999999999", std::numeric_limits<int32_t>::min()},
};

TEST(Handshake, ReadsNumbersAsTheRuntimeDoes) {
    for (const DecimalCase& c : kDecimalCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseDecimal(c.text), c.value);
    }
}

}  // namespace
