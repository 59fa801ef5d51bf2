#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "collect/ClKessanshoData.h"
#include "collect/NotesText.h"
#include "framework/Sys.h"
#include "platform/Status.h"
#include "platform/bridgekit.h"
#include "tests/unit/platform/TestBooks.h"

namespace {

void Load(const char* name) { LoadBookFile(FixtureBook(name)); }

std::vector<int> Flags(ClKessanshoData& collector, uint8_t fill) {
    uint8_t flags[notes::kSectionCount];
    std::memset(flags, fill, sizeof flags);
    collector.ReadNoteDispFlags(flags);
    return std::vector<int>(flags, flags + notes::kSectionCount);
}

std::vector<int> Expect(std::vector<int> leading, int fill) {
    leading.resize(notes::kSectionCount, fill);
    return leading;
}

TEST(NotesReader, ReadsTheSavedSettingsAndText) {
    Load("notes-saved.json");
    ClKessanshoData collector;
    EXPECT_EQ(collector.IsNoteInputMode(), 1);
    EXPECT_EQ(collector.HasNotes(), 1);
    EXPECT_EQ(Flags(collector, 0), Expect({1, 0, 44}, 0));
    CString text = "stale";
    EXPECT_EQ(collector.ReadNotesText(text), ClKessanshoData::kOk);
    EXPECT_EQ(text, "<Item>重要な会計方針</Item>\r\n資産 &amp; 負債 &lt;注&gt;\r\n");

    CStringArray lines;
    notes::SplitNotesText(text, lines);
    ASSERT_EQ(lines.GetSize(), 2);
    EXPECT_EQ(lines[0], "<Item>重要な会計方針</Item>");
    EXPECT_EQ(lines[1], "資産 & 負債 <注>");
}

TEST(NotesReader, FetchHandsOverTheTextAndKeepsOneSaveObject) {
    Load("notes-saved.json");
    ClKessanshoData collector;
    char* text = reinterpret_cast<char*>(&collector);  // not a text: must be cleared
    int size = -1;
    ASSERT_EQ(collector.FetchSavedData(kSavedStatementSettings, &text, &size),
              ClKessanshoData::kOk);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "[Kessan]\r\nNote=1\r\n");
    EXPECT_EQ(size, static_cast<int>(std::strlen(text)));
    sys::TaskMemFree(text);
    const ClSaveKessansho* first = collector.kessanshoSave.get();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(collector.FetchSavedData(kSavedNotesText, &text, &size), ClKessanshoData::kOk);
    sys::TaskMemFree(text);
    EXPECT_NE(collector.kessanshoSave.get(), first) << "each fetch takes a fresh save object";
}

TEST(NotesReader, MissingDataReadsAsNoNotes) {
    Load("notes-none.json");
    ClKessanshoData collector;
    char* text = reinterpret_cast<char*>(&collector);
    int size = 0;
    EXPECT_EQ(collector.FetchSavedData(kSavedNotesSettings, &text, &size), ClKessanshoData::kFail);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(collector.IsNoteInputMode(), 0);
    EXPECT_EQ(collector.HasNotes(), 0);
    EXPECT_EQ(Flags(collector, 7), Expect({}, 7));
    CString notesText = "stale";
    EXPECT_EQ(collector.ReadNotesText(notesText), ClKessanshoData::kOk);
    EXPECT_EQ(notesText, "");
}

// The faults: no save object for the first fetch, then three failed reads.
TEST(NotesReader, FaultsOfTheLibraryReadAsMissingData) {
    Load("notes-faults.json");
    ClKessanshoData collector;
    EXPECT_EQ(collector.IsNoteInputMode(), 0) << "no save object";
    EXPECT_EQ(collector.kessanshoSave, nullptr);
    EXPECT_EQ(collector.IsNoteInputMode(), 1);
    EXPECT_EQ(collector.HasNotes(), 0);
    EXPECT_EQ(Flags(collector, 7), Expect({}, 7));
    CString text = "stale";
    collector.ReadNotesText(text);
    EXPECT_EQ(text, "");
    collector.ReadNotesText(text);
    EXPECT_EQ(text, "一行目\r\n") << "the faults are over";
}

// The demo company shows every group of the export's notes and one kind it cannot carry.
TEST(NotesReader, TheDemoCompanyShowsEveryGroupAndOneUnsupportedKind) {
    LoadBookFile(DemoBookFile());
    ClKessanshoData collector;
    ASSERT_EQ(collector.IsNoteInputMode(), 1);
    ASSERT_EQ(collector.HasNotes(), 1);
    std::vector<int> expected = Expect(std::vector<int>(11, 1), 0);
    expected[33] = 1;
    EXPECT_EQ(Flags(collector, 0), expected);
    CString text;
    collector.ReadNotesText(text);
    CStringArray lines;
    notes::SplitNotesText(text, lines);
    ASSERT_GT(lines.GetSize(), 2);
    EXPECT_EQ(lines[0], "<Notes>");
    EXPECT_EQ(lines[lines.GetSize() - 1], "</Notes>");
}

}  // namespace
