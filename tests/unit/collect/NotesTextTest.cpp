#include "collect/NotesText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct FlagCase {
    const char* settings;
    int expected;
};

TEST(NotesSettings, InputModeIsOnOnlyForAPositiveValue) {
    const FlagCase cases[] = {
        {"[Common]\r\nInputMode=0\r\n", 0},
        {"InputMode= 2\r\n", 1},
        {"InputMode=abc\r\n", 0},
        {"InputMode=-3", 0},
        {"InputMode\r\nOther\r\nKey=1\r\n", 1},  // the "=" on a later line counts
        {"InputMode=\r\n5", 0},                  // the value ends at the line end
        {"InputMode=7\nNext=0", 1},
        {"InputMode", 0},
        {"Mode=1", 0},
        {"", 0},
        {"InputMode=99999999999999999999", 1},  // saturates instead of overflowing
    };
    for (const FlagCase& c : cases)
        EXPECT_EQ(notes::ParseInputMode(c.settings), c.expected) << c.settings;
    EXPECT_EQ(notes::ParseInputMode(nullptr), 0);
}

TEST(NotesSettings, NotesExistOnlyForAPositiveValue) {
    const FlagCase cases[] = {
        {"Note=", 0},      {"Note=1\r\n", 1}, {"Other=1\r\nNote=0\r\n", 0},
        {"Note=\r\n1", 0}, {"Note= +4", 1},   {"Notes=1", 0},
        {"", 0},
    };
    for (const FlagCase& c : cases)
        EXPECT_EQ(notes::ParseHasNotes(c.settings), c.expected) << c.settings;
    EXPECT_EQ(notes::ParseHasNotes(nullptr), 0);
}

TEST(NotesSettings, IntegersAreReadLikeTheCLibraryDoes) {
    const struct {
        const char* text;
        long expected;
    } cases[] = {
        {"42", 42},
        {"  \t-17x", -17},
        {"+8", 8},
        {"", 0},
        {"-", 0},
        {"x1", 0},
        {"\r\n 3", 3},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"-99999999999", -2147483647 - 1},
    };
    for (const auto& c : cases) {
        const std::string text = c.text;
        EXPECT_EQ(notes::ReadInteger(text.data(), text.data() + text.size()), c.expected) << c.text;
    }
    const char digits[] = "123";
    EXPECT_EQ(notes::ReadInteger(digits, digits + 2), 12) << "reads no further than the end";
}

std::vector<int> Flags(const std::string& settings, uint8_t fill = 0) {
    uint8_t flags[notes::kSectionCount + 1];
    for (uint8_t& flag : flags) flag = fill;
    notes::ParseDispFlags(settings.c_str(), flags);
    EXPECT_EQ(flags[notes::kSectionCount], fill) << "wrote past the table";
    return std::vector<int>(flags, flags + notes::kSectionCount);
}

std::vector<int> Expect(std::vector<int> leading, int fill = 0) {
    leading.resize(notes::kSectionCount, fill);
    return leading;
}

std::string Section(int number, const std::string& keys) {
    char header[16];
    std::snprintf(header, sizeof header, "[Note_%02d]\r\n", number);
    return header + keys;
}

TEST(NotesSettings, DisplayFlagsFollowTheOrderOfTheSections) {
    const struct {
        std::string settings;
        std::vector<int> expected;
    } cases[] = {
        {"InputMode=1\r\n" + Section(1, "Disp=1\r\n") + Section(2, "Disp=0\r\n") +
             Section(3, "Title=x\r\nDisp=1\r\n"),
         Expect({1, 0, 1})},
        // A section without its key takes the next one's; the rest move up.
        {Section(1, "Disp=2\r\n") + Section(2, "Title=y\r\n") + Section(3, "Disp=3\r\n") +
             Section(4, "Disp=4\r\n"),
         Expect({2, 3, 4})},
        {Section(1, "Disp=300\r\n"), Expect({44})},
        {Section(1, "Disp=-1\r\n"), Expect({255})},
        // The numbers in the headers are not read.
        {Section(9, "Disp=5\r\n") + Section(1, "Disp=6\r\n"), Expect({5, 6})},
        // The value runs on across the line end.
        {Section(1, "Disp=\r\n7\r\n"), Expect({7})},
        {Section(1, "Disp=x\r\n"), Expect({0})},
        {"[Note_", Expect({})},
        {"[Note_Disp=1", Expect({})},  // the key lies within the header's nine characters
        {"", Expect({})},
    };
    for (const auto& c : cases) EXPECT_EQ(Flags(c.settings), c.expected) << c.settings;
}

TEST(NotesSettings, DisplayFlagsStopAtTheLastKeyAndAtFiftySections) {
    EXPECT_EQ(Flags(Section(1, "Disp=1"), 9), Expect({1}, 9)) << "the key at the very end";
    EXPECT_EQ(Flags(Section(1, "Disp="), 9), Expect({0}, 9)) << "an empty value at the end";
    EXPECT_EQ(Flags(Section(1, "Disp=1\r\n") + Section(2, "Title=z\r\n"), 9), Expect({1}, 9));

    std::string sixty;
    for (int section = 1; section <= 60; ++section) sixty += Section(section, "Disp=1\r\n");
    EXPECT_EQ(Flags(sixty), Expect({}, 1));
    EXPECT_EQ(Flags("", 3), Expect({}, 3)) << "an empty text leaves the flags";
}

std::vector<std::string> Lines(const char* text) {
    CStringArray lines;
    lines.Add("stale");
    notes::SplitNotesText(text, lines);
    std::vector<std::string> result;
    for (int i = 0; i < lines.GetSize(); ++i) result.push_back(lines[i].str());
    return result;
}

TEST(NotesText, LinesAreCutAtEveryLineEndAfterTheEscapesAreUndone) {
    using L = std::vector<std::string>;
    const struct {
        const char* text;
        L expected;
    } cases[] = {
        {"A&amp;lt;B", L{"A<B"}},  // the ampersand goes first
        {"one\r\n\r\nthree", L{"one", "", "three"}},
        {"x\r\n", L{"x"}},
        {"", L{}},
        {"\r\n", L{""}},
        {"\r\n\r\n", L{"", ""}},
        {"a\nb\rc", L{"a\nb\rc"}},  // a lone CR or LF is no line end
        {"&lt;Item&gt;&quot;q&quot; &apos;s&apos;", L{"<Item>\"q\" 's'"}},
        {"&amp;amp;", L{"&amp;"}},  // one pass per escape
        {"&lt\r\n;&amp", L{"&lt", ";&amp"}},
        {"注記\r\n本文 &amp; 続き\r\n", L{"注記", "本文 & 続き"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Lines(c.text), c.expected) << c.text;
    EXPECT_EQ(Lines(nullptr), L{});
}

}  // namespace
