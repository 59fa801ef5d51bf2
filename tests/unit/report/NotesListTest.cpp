#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "framework/CFile.h"
#include "framework/CStringArray.h"
#include "report/ClReportWriter.h"
#include "report/ClXmlWriter.h"
#include "report/NoteItems.h"
#include "tests/unit/report/AccountItems.h"
#include "tests/unit/report/TestFiles.h"

namespace {

using reporttest::ReadBytes;
using reporttest::ScratchDir;
using reporttest::WriteSection;

// One item's block in the saved notes text. Without `value` the block has no
// <Value> line and so no text.
struct NoteBlock {
    int32_t itemId;
    bool shown;
    std::vector<std::string> lines;
    bool value = true;
};

CStringArray NoteLines(const std::vector<NoteBlock>& blocks) {
    CStringArray lines;
    for (const NoteBlock& block : blocks) {
        lines.Add(("<Item><ID>" + std::to_string(block.itemId)).c_str());
        lines.Add("<Name>");
        lines.Add("<Kind>0");
        lines.Add(block.shown ? "<Disp>1" : "<Disp>0");
        lines.Add(block.value ? "<Value>" : "<Memo>");
        for (const std::string& line : block.lines) lines.Add(("<Line>" + line).c_str());
        lines.Add("</Value></Item>");
    }
    return lines;
}

struct Notes {
    CStringArray lines;
    std::array<uint8_t, ClReportWriter::kNoteSectionCount> flags{};
};

Notes AllSectionsOn(const std::vector<NoteBlock>& blocks) {
    Notes notes{NoteLines(blocks), {}};
    notes.flags.fill(1);
    return notes;
}

reporttest::Written WriteNotes(const Notes& notes) {
    ClReportWriter writer;
    writer.notesPresent = 1;
    writer.noteLines = &notes.lines;
    writer.noteDispFlags = notes.flags.data();
    return WriteSection(writer, &ClReportWriter::WriteNotes);
}

// The lines inside ListNotesNonConsolidated.
std::string Inner(const reporttest::Written& written) {
    const std::string head = "\t\t<ListNotesNonConsolidated>\r\n";
    const std::string tail = "\t\t</ListNotesNonConsolidated>\r\n";
    const std::string& bytes = written.bytes;
    if (bytes.size() < head.size() + tail.size() || bytes.compare(0, head.size(), head) != 0 ||
        bytes.compare(bytes.size() - tail.size(), tail.size(), tail) != 0) {
        return "not a notes list: " + bytes;
    }
    return bytes.substr(head.size(), bytes.size() - head.size() - tail.size());
}

TEST(NoteItems, IdsFollowTheRuleAndDepthsGiveTheTree) {
    int section = -1;
    int sequence = 0;
    int group = -1;
    std::set<std::string> elements;
    for (size_t row = 0; row < kNoteItemCount; ++row) {
        const NoteItem& item = kNoteItems[row];
        const int itemSection = (item.itemId - 1000000) / 10000;
        sequence = itemSection == section ? sequence + 1 : 1;
        section = itemSection;
        EXPECT_EQ(item.itemId, 1000000 + 10000 * section + 10 * sequence) << "row " << row;
        EXPECT_GE(item.depth, 3) << "row " << row;
        EXPECT_LE(item.depth, 8) << "row " << row;
        // A row is at most one level below the row before it: every row has its parent.
        if (row > 0) {
            EXPECT_LE(item.depth, kNoteItems[row - 1].depth + 1) << "row " << row;
        }
        // Exactly the first row of each group is at depth 3, and groups run 0 to 10.
        const bool startsGroup = item.group != group;
        EXPECT_EQ(startsGroup, item.depth == 3) << "row " << row;
        if (startsGroup) {
            EXPECT_EQ(item.group, group + 1) << "row " << row;
        }
        group = item.group;
        EXPECT_TRUE(elements.insert(item.element).second) << item.element;
    }
    EXPECT_EQ(group, 10);
    EXPECT_EQ(kNoteItems[0].depth, 3);
}

// Going concern (1000010) shown with text; the significant accounting policies
// (1010010) shown without text, its valuation basis (1010020) shown with one
// marketable-securities child (1010030) and a hidden inventories child (1010040); the
// balance-sheet section (1060010) marked shown but its section switched off.
TEST(NotesList, CompleteSmallList) {
    Notes notes = AllSectionsOn({
        {1000010, true, {"継続企業の前提に関する注記", "該当なし"}},
        {1010010, true, {}, false},
        {1010020, true, {"資産の評価基準"}},
        {1010030, true, {"移動平均法"}},
        {1010040, false, {"最終仕入原価法"}},
        {1060010, true, {"担保資産"}},
    });
    notes.flags[2] = 0;
    const reporttest::Written written = WriteNotes(notes);
    EXPECT_EQ(written.result, 1);
    EXPECT_EQ(written.bytes,
              "\t\t<ListNotesNonConsolidated>\r\n"
              "\t\t\t<NotesGoingConcernAssumption>\r\n"
              "\t\t\t\t<Line>継続企業の前提に関する注記</Line>\r\n"
              "\t\t\t\t<Line>該当なし</Line>\r\n"
              "\t\t\t</NotesGoingConcernAssumption>\r\n"
              "\t\t\t<NotesSignificantAccountingPolicy>\r\n"
              "\t\t\t\t<ValuationBasisValuationMethodAssets>\r\n"
              "\t\t\t\t\t<Line>資産の評価基準</Line>\r\n"
              "\t\t\t\t\t<ValuationBasisValuationMethodMarketableSecurities>\r\n"
              "\t\t\t\t\t\t<Line>移動平均法</Line>\r\n"
              "\t\t\t\t\t</ValuationBasisValuationMethodMarketableSecurities>\r\n"
              "\t\t\t\t</ValuationBasisValuationMethodAssets>\r\n"
              "\t\t\t</NotesSignificantAccountingPolicy>\r\n"
              "\t\t</ListNotesNonConsolidated>\r\n");
}

struct ListCase {
    const char* what;
    std::vector<NoteBlock> blocks;
    std::string inner;
};

TEST(NotesList, ItemsAndTheirLines) {
    const ListCase cases[] = {
        {"no notes at all", {}, ""},
        {"every item hidden",
         {{1000010, false, {"a"}}, {1090010, false, {"b"}}, {1170010, false, {}}},
         ""},
        {"shown item without <Value> and without children",
         {{1150010, true, {"ignored"}, false}},
         "\t\t\t<NotesMaterialSubsequentEvents>\r\n"
         "\t\t\t</NotesMaterialSubsequentEvents>\r\n"},
        {"text escaped, </Line> removed wherever it stands",
         {{1150010, true, {"A&B <x> \"q\" 'a'", "前</Line>後</Line>", "</Line>"}}},
         "\t\t\t<NotesMaterialSubsequentEvents>\r\n"
         "\t\t\t\t<Line>A&amp;B &lt;x&gt; &quot;q&quot; &apos;a&apos;</Line>\r\n"
         "\t\t\t\t<Line>前後</Line>\r\n"
         "\t\t\t\t<Line></Line>\r\n"
         "\t\t\t</NotesMaterialSubsequentEvents>\r\n"},
        {"a second <Line> marker in a line is kept as text",
         {{1150010, true, {"表<Line>ソ"}}},
         "\t\t\t<NotesMaterialSubsequentEvents>\r\n"
         "\t\t\t\t<Line>表&lt;Line&gt;ソ</Line>\r\n"
         "\t\t\t</NotesMaterialSubsequentEvents>\r\n"},
        // The children of a hidden item are written in its place, under the nearest
        // shown ancestor, each exactly once.
        {"shown items below a hidden item",
         {{1090010, false, {"hidden"}}, {1090020, true, {"資産"}}, {1090030, true, {}}},
         "\t\t\t<MajorCauseDeferredTaxAssets>\r\n"
         "\t\t\t\t<Line>資産</Line>\r\n"
         "\t\t\t</MajorCauseDeferredTaxAssets>\r\n"
         "\t\t\t<MajorCauseDeferredTaxLiabilities>\r\n"
         "\t\t\t</MajorCauseDeferredTaxLiabilities>\r\n"},
        {"shown item two levels below a shown one, the level between hidden",
         {{1060010, true, {"BS"}}, {1060130, false, {}}, {1060140, true, {"明細"}}},
         "\t\t\t<NoteBalanceSheet>\r\n"
         "\t\t\t\t<Line>BS</Line>\r\n"
         "\t\t\t\t<MonetaryReceivablesPayablesAffiliatesDetails>\r\n"
         "\t\t\t\t\t<Line>明細</Line>\r\n"
         "\t\t\t\t</MonetaryReceivablesPayablesAffiliatesDetails>\r\n"
         "\t\t\t</NoteBalanceSheet>\r\n"},
        {"the deepest items, at depth 8",
         {{1080010, true, {}, false},
          {1080500, true, {}, false},
          {1080680, true, {}, false},
          {1080700, true, {}, false},
          {1080710, true, {}, false},
          {1080770, true, {"効力発生日"}}},
         "\t\t\t<NotesStatementChangesNetAssets>\r\n"
         "\t\t\t\t<MattersDividends>\r\n"
         "\t\t\t\t\t<DividendsWhichEffectiveDatesAreAfterPeriodDividendsWhichRecordDatesArePeriod>"
         "\r\n"
         "\t\t\t\t\t\t<InCaseCashDividendAfterPeriod>\r\n"
         "\t\t\t\t\t\t\t<ItemsCashDividendAfterPeriodTypeStocks>\r\n"
         "\t\t\t\t\t\t\t\t<EffectiveDateCashDividendAfterPeriod>\r\n"
         "\t\t\t\t\t\t\t\t\t<Line>効力発生日</Line>\r\n"
         "\t\t\t\t\t\t\t\t</EffectiveDateCashDividendAfterPeriod>\r\n"
         "\t\t\t\t\t\t\t</ItemsCashDividendAfterPeriodTypeStocks>\r\n"
         "\t\t\t\t\t\t</InCaseCashDividendAfterPeriod>\r\n"
         "\t\t\t\t\t</"
         "DividendsWhichEffectiveDatesAreAfterPeriodDividendsWhichRecordDatesArePeriod>\r\n"
         "\t\t\t\t</MattersDividends>\r\n"
         "\t\t\t</NotesStatementChangesNetAssets>\r\n"},
    };
    for (const ListCase& c : cases) {
        const reporttest::Written written = WriteNotes(AllSectionsOn(c.blocks));
        EXPECT_EQ(written.result, 1) << c.what;
        EXPECT_EQ(Inner(written), c.inner) << c.what;
    }
}

// Each group follows its own section flag only.
TEST(NotesList, SectionFlagZeroHidesItsWholeGroup) {
    Notes notes = AllSectionsOn(
        {{1140010, true, {"一株"}}, {1140020, true, {"純資産"}}, {1170010, true, {"その他"}}});
    notes.flags[8] = 0;
    EXPECT_EQ(Inner(WriteNotes(notes)),
              "\t\t\t<ItemsOtherNotes>\r\n"
              "\t\t\t\t<Line>その他</Line>\r\n"
              "\t\t\t</ItemsOtherNotes>\r\n");
}

TEST(NotesList, BlockLayout) {
    struct ShownCase {
        const char* what;
        std::vector<const char*> lines;
        bool shown;
    };
    const ShownCase cases[] = {
        {"ID found, <Disp>1 three lines on", {"<ID>1150010", "", "", "<Disp>1"}, true},
        {"the ID anywhere after the marker", {"<ID>x1150010y", "", "", "<Disp>1"}, true},
        {"ID before the marker only", {"1150010<ID>", "", "", "<Disp>1"}, false},
        {"<Disp> not 1", {"<ID>1150010", "", "", "<Disp>2"}, false},
        {"<Disp> at the end of its line", {"<ID>1150010", "", "", "<Disp>"}, false},
        {"block cut short", {"<ID>1150010", "", "<Disp>1"}, false},
        {"no <Disp> in the first block: the next block counts",
         {"<ID>1150010", "", "", "", "<ID>1150010", "", "", "<Disp>1"},
         true},
        {"first block with <Disp> decides",
         {"<ID>1150010", "", "", "<Disp>0", "<ID>1150010", "", "", "<Disp>1"},
         false},
    };
    for (const ShownCase& c : cases) {
        CStringArray lines;
        for (const char* line : c.lines) lines.Add(line);
        ClReportWriter writer;
        writer.noteLines = &lines;
        EXPECT_EQ(writer.IsNoteShown(1150010), c.shown) << c.what;
    }
}

// A line of several kilobytes of double-byte text is written whole, not cut.
TEST(NotesList, LongLineIsWrittenWhole) {
    std::string text;
    while (text.size() < 6000) text += "重要な後発事象に関する注記。";
    const reporttest::Written written = WriteNotes(AllSectionsOn({{1150010, true, {text, "次"}}}));
    EXPECT_EQ(written.result, 1);
    EXPECT_EQ(Inner(written),
              "\t\t\t<NotesMaterialSubsequentEvents>\r\n"
              "\t\t\t\t<Line>" +
                  text +
                  "</Line>\r\n"
                  "\t\t\t\t<Line>次</Line>\r\n"
                  "\t\t\t</NotesMaterialSubsequentEvents>\r\n");
}

int WriteDataTo(ClReportWriter& writer, const std::string& path) {
    CFile file;
    ClXmlWriter xml;
    xml.Open(&file, path.c_str());
    const StDATAINFO data{};
    return writer.WriteData(xml, data);
}

// The notes list follows the changes in net assets only when notes are present.
TEST(NotesList, WrittenInsideDataOnlyWhenNotesArePresent) {
    const Notes notes = AllSectionsOn({{1150010, true, {"後発"}}});
    for (const int32_t present : {0, 1, 2}) {
        ScratchDir dir;
        const std::string path = dir.File("data.xml");
        reporttest::AccountItems items{};
        ClReportWriter writer;
        writer.accountItems = items.list();
        writer.notesPresent = present;
        writer.noteLines = &notes.lines;
        writer.noteDispFlags = notes.flags.data();
        EXPECT_EQ(WriteDataTo(writer, path), 1) << present;
        const std::string bytes = ReadBytes(path);
        const size_t notesAt = bytes.find("\t\t<ListNotesNonConsolidated>\r\n");
        EXPECT_EQ(notesAt != std::string::npos, present == 1) << present;
        if (present == 1) {
            EXPECT_GT(notesAt, bytes.find("</StatementChangesNetAssets>")) << bytes;
            EXPECT_NE(bytes.find("<Line>後発</Line>"), std::string::npos) << bytes;
        }
    }
}

#ifndef _WIN32
TEST(NotesList, WriteErrorEndsTheList) {
    const Notes notes = AllSectionsOn({{1000010, true, {"a"}}, {1170010, true, {"b"}}});
    ClReportWriter writer;
    writer.noteLines = &notes.lines;
    writer.noteDispFlags = notes.flags.data();
    EXPECT_EQ(reporttest::RunSection(writer, &ClReportWriter::WriteNotes, "/dev/full"), 0);
}
#endif

}  // namespace
