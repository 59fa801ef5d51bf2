#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/CFile.h"
#include "report/ClXmlWriter.h"
#include "tests/unit/report/TestFiles.h"

namespace {

using reporttest::ReadBytes;
using reporttest::ScratchDir;

// Runs `write` on a writer opened on a fresh file and returns the file's bytes.
std::string BytesWritten(const std::function<void(ClXmlWriter&)>& write) {
    ScratchDir dir;
    const std::string path = dir.File("out.xml");
    {
        CFile file;
        ClXmlWriter xml;
        EXPECT_EQ(xml.Open(&file, path.c_str()), 0);
        write(xml);
    }
    return ReadBytes(path);
}

struct LineCase {
    const char* what;
    std::function<int(ClXmlWriter&)> write;
    std::string expected;
};

TEST(ClXmlWriter, WritesEachLineFormatByteForByte) {
    const LineCase cases[] = {
        {"element at depth 2", [](ClXmlWriter& x) { return x.WriteElement("VERSION", "1", 2); },
         "\t\t<VERSION>1</VERSION>\r\n"},
        {"empty text", [](ClXmlWriter& x) { return x.WriteElement("Name", "", 1); },
         "\t<Name></Name>\r\n"},
        {"absent text", [](ClXmlWriter& x) { return x.WriteElement("Name", nullptr, 0); },
         "<Name></Name>\r\n"},
        {"start tag with a value and an empty value",
         [](ClXmlWriter& x) {
             return x.WriteStartTag("Assets", 3, "Label", "資産の部", "Amount", "");
         },
         "\t\t\t<Assets Label=\"資産の部\" Amount=\"\">\r\n"},
        {"second attribute without a first",
         [](ClXmlWriter& x) { return x.WriteStartTag("A", 1, nullptr, nullptr, "B", "2"); },
         "\t<A>\r\n"},
        {"first attribute name without a value",
         [](ClXmlWriter& x) { return x.WriteStartTag("A", 0, "Label", nullptr, "B", "2"); },
         "<A>\r\n"},
        {"second attribute name without a value",
         [](ClXmlWriter& x) { return x.WriteStartTag("A", 0, "Label", "x", "B", nullptr); },
         "<A Label=\"x\">\r\n"},
        {"element with two escaped attributes",
         [](ClXmlWriter& x) {
             return x.WriteElement("Item", "a<b", 4, "Label", "R&D", "Amount", "-5");
         },
         "\t\t\t\t<Item Label=\"R&amp;D\" Amount=\"-5\">a&lt;b</Item>\r\n"},
        {"the five escaped bytes", [](ClXmlWriter& x) { return x.WriteElement("T", "&<>\"'", 0); },
         "<T>&amp;&lt;&gt;&quot;&apos;</T>\r\n"},
        {"second bytes 0x5C and 0x7C kept",
         [](ClXmlWriter& x) { return x.WriteElement("T", "表ソポ|\\", 0); },
         "<T>\x95\x5C\x83\x5C\x83\x7C|\\</T>\r\n"},
        {"end tag at depth 0", [](ClXmlWriter& x) { return x.WriteEndTag("REPORT", 0); },
         "</REPORT>\r\n"},
        {"negative depth", [](ClXmlWriter& x) { return x.WriteStartTag("DATA", -1); },
         "<DATA>\r\n"},
        {"depth 9", [](ClXmlWriter& x) { return x.WriteEndTag("Line", 9); },
         "\t\t\t\t\t\t\t\t\t</Line>\r\n"},
        {"a string as given", [](ClXmlWriter& x) { return x.WriteString("<?xml?>\r\n"); },
         "<?xml?>\r\n"},
    };
    for (const LineCase& c : cases) {
        int result = -1;
        EXPECT_EQ(BytesWritten([&](ClXmlWriter& x) { result = c.write(x); }), c.expected) << c.what;
        EXPECT_EQ(result, 1) << c.what;
    }
}

TEST(ClXmlWriter, EscapesOnlyTheFiveBytes) {
    EXPECT_EQ(ClXmlWriter::Escape("&<>\"'").str(), "&amp;&lt;&gt;&quot;&apos;");
    EXPECT_EQ(ClXmlWriter::Escape("&<>\"'").GetLength(), 25);
    EXPECT_EQ(ClXmlWriter::Escape("\t\x01 ;#x").str(), "\t\x01 ;#x");
    EXPECT_EQ(ClXmlWriter::Escape(nullptr).str(), "");
}

TEST(ClXmlWriter, WritesLongValuesWhole) {
    const std::string ampersands(60, '&');
    std::string escapedAmpersands;
    for (int i = 0; i < 60; ++i) escapedAmpersands += "&amp;";

    std::string longText;
    std::string escapedLongText;
    for (int i = 0; i < 800; ++i) {
        longText += "決算<";
        escapedLongText += "決算&lt;";
    }

    EXPECT_EQ(BytesWritten([&](ClXmlWriter& x) { x.WriteElement("Line", ampersands.c_str(), 6); }),
              "\t\t\t\t\t\t<Line>" + escapedAmpersands + "</Line>\r\n");
    EXPECT_EQ(
        BytesWritten([&](ClXmlWriter& x) {
            x.WriteStartTag("Item", 3, "Label", longText.c_str(), "Amount", ampersands.c_str());
        }),
        "\t\t\t<Item Label=\"" + escapedLongText + "\" Amount=\"" + escapedAmpersands + "\">\r\n");
    EXPECT_EQ(BytesWritten([&](ClXmlWriter& x) {
                  x.WriteElement("Line", longText.c_str(), 1);
                  x.WriteEndTag("Notes", 0);
              }),
              "\t<Line>" + escapedLongText + "</Line>\r\n</Notes>\r\n");
}

TEST(ClXmlWriter, FileThatCannotBeCreatedFailsEveryWrite) {
    ScratchDir dir;
    const std::string path = dir.File("missing/out.xml");
    CFile file;
    ClXmlWriter xml;
    EXPECT_EQ(xml.Open(&file, path.c_str()), 0);
    EXPECT_EQ(xml.WriteString("<?xml?>\r\n"), 0);
    EXPECT_EQ(xml.WriteStartTag("REPORT", 0), 0);
    EXPECT_EQ(xml.WriteElement("VERSION", "1", 2), 0);
    EXPECT_EQ(xml.WriteEndTag("REPORT", 0), 0);
    EXPECT_EQ(xml.Close(), 0);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(ClXmlWriter, OpenWithoutFileOrPathAttachesNothing) {
    CFile file;
    ClXmlWriter xml;
    EXPECT_EQ(xml.Open(nullptr, "out.xml"), -1);
    EXPECT_EQ(xml.Open(&file, nullptr), -1);
    EXPECT_EQ(xml.WriteString("x"), 0);
    EXPECT_EQ(xml.Close(), 0);
}

TEST(ClXmlWriter, ClosedWriterWritesNothing) {
    ScratchDir dir;
    const std::string path = dir.File("out.xml");
    CFile file;
    ClXmlWriter xml;
    xml.Open(&file, path.c_str());
    EXPECT_EQ(xml.WriteEndTag("REPORT", 0), 1);
    EXPECT_EQ(xml.Close(), 0);
    EXPECT_EQ(xml.WriteEndTag("REPORT", 0), 0);
    EXPECT_EQ(xml.Close(), 0);
    EXPECT_EQ(ReadBytes(path), "</REPORT>\r\n");
}

#ifndef _WIN32
TEST(ClXmlWriter, EveryLineIsOnDiskOnceWrittenAndTheFileIsNotShared) {
    ScratchDir dir;
    const std::string path = dir.File("out.xml");
    CFile file;
    ClXmlWriter xml;
    xml.Open(&file, path.c_str());
    xml.WriteStartTag("REPORT", 0);
    EXPECT_EQ(ReadBytes(path), "<REPORT>\r\n");
    xml.WriteElement("VERSION", "1", 1);
    EXPECT_EQ(ReadBytes(path), "<REPORT>\r\n\t<VERSION>1</VERSION>\r\n");
    CFile other;
    EXPECT_FALSE(other.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone))
        << "the file is not shared while it is written";
}

TEST(ClXmlWriter, WriteErrorClosesTheFileAndFailsEveryLaterWrite) {
    CFile file;
    ClXmlWriter xml;
    EXPECT_EQ(xml.Open(&file, "/dev/full"), 0);
    EXPECT_EQ(xml.WriteString("<?xml?>\r\n"), 0);
    EXPECT_EQ(xml.WriteStartTag("REPORT", 0), 0);
    EXPECT_EQ(xml.WriteEndTag("REPORT", 0), 0);
    EXPECT_EQ(xml.Close(), 0);
}
#endif

}  // namespace
