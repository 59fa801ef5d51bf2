#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "collect/NameCopy.h"

namespace {

// Copies `source` (held in a 40-byte field) into a 31-byte name field.
std::string Copied(const std::string& source) {
    char from[40] = {};
    std::memcpy(from, source.data(), source.size() < sizeof from ? source.size() : sizeof from);
    char to[31];
    std::memset(to, 'x', sizeof to);
    CopyName(to, from);
    EXPECT_EQ(to[30], '\0');
    EXPECT_EQ(std::string(to, 31).find_first_not_of('\0', std::strlen(to)), std::string::npos)
        << "the rest of the field is zero-filled";
    return to;
}

TEST(NameCopy, KeepsAtMostThirtyBytesOfWholeCharacters) {
    const std::string a29(29, 'a');
    struct Case {
        std::string source, stored;
    } cases[] = {
        {"現金", "現金"},
        {std::string(30, 'a'), std::string(30, 'a')},
        {std::string(35, 'a'), std::string(30, 'a')},
        // The thirtieth byte starts a double-byte character: 29 bytes are stored.
        {a29 + "預", a29},
        {a29 + "預金", a29},
        // Fifteen double-byte characters fill the thirty bytes exactly.
        {"あいうえおかきくけこさしすせそた", "あいうえおかきくけこさしすせそ"},
        // The thirtieth byte is the second byte of 亜 (0x88 0x9F), not a first byte.
        {std::string(28, 'a') + "亜" + "b", std::string(28, 'a') + "亜"},
        // A text broken off after a first byte loses that byte.
        {"ab\x88", "ab"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(Copied(c.source), c.stored) << c.source.size();
}

TEST(NameCopy, AFieldWithoutTerminatorIsReadWithinItsWidth) {
    char from[4] = {'a', 'b', 'c', 'd'};
    char to[31];
    CopyName(to, from);
    EXPECT_STREQ(to, "abcd");
    char narrow[3];
    CopyName(narrow, from);
    EXPECT_STREQ(narrow, "ab");
}

}  // namespace
