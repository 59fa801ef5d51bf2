#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "framework/Sys.h"
#include "ui/SettingsFile.h"

namespace {

using settings::Record;

const EditionInfo& kBasic = Edition(EditionId::Basic);
const EditionInfo& kSummit = Edition(EditionId::Summit);

TEST(SettingsKey, EditionFormats) {
    EXPECT_EQ(settings::MakeKey(kBasic, "suzuki", 7, "D0001"), "suzuki/D0001:");
    EXPECT_EQ(settings::MakeKey(kSummit, "suzuki", 7, "D0001"), "suzuki/7/D0001:");
    // A key too long to hold is no key at all, never a cut one.
    EXPECT_EQ(settings::MakeKey(kBasic, std::string(200, 'u'), 0, "D"), "");
}

TEST(SettingsRecord, ReadsTheFields) {
    struct Case {
        const char* content;
        bool found;
        int start, end, choice, ledger;
        const char* path;
    } cases[] = {
        {"u/D:4/3/2/0/C:\\tmp\\a.xml\n", true, 4, 3, 2, 0, "C:\\tmp\\a.xml"},
        {"u/D:4/3/2/C:\\tmp\\a.xml\n", true, 4, 3, 2, 1, "C:\\tmp\\a.xml"},
        {"u/D:4/3/2/1/\n", true, 4, 3, 2, 1, ""},
        {"u/D:4/3/2/0/C:\\a.xml", true, 4, 3, 2, 0, "C:\\a.xml"},  // no final line feed
        {"u/D: 4/+3/x/0/p\n", true, 4, 3, 0, 0, "p"},
        {"u/D:4/3\n", false, 0, 0, 0, 0, ""},
        {"", false, 0, 0, 0, 0, ""},
        {"x/u/D:4/3/2/0/other\n", false, 0, 0, 0, 0, ""},
        // A key inside another user's key is not this user's record.
        {"xu/D:5/6/2/0/other\nu/D:4/3/1/1/mine\n", true, 4, 3, 1, 1, "mine"},
        {"v/D:5/6/2/0/x\nu/D:1/12/1/0/first\nu/D:2/3/1/0/second\n", true, 1, 12, 1, 0, "first"},
    };
    for (const Case& c : cases) {
        Record record;
        ASSERT_EQ(settings::FindRecord(c.content, "u/D:", record), c.found) << c.content;
        if (!c.found) continue;
        EXPECT_EQ(record.startMonth, c.start) << c.content;
        EXPECT_EQ(record.endMonth, c.end) << c.content;
        EXPECT_EQ(record.statementChoice, c.choice) << c.content;
        EXPECT_EQ(record.ledgerFlag, c.ledger) << c.content;
        EXPECT_EQ(record.path, c.path) << c.content;
    }
}

TEST(SettingsRecord, LongPathIsCutToWholeCharacters) {
    const std::string path = "C:\\" + std::string(300, 'a');
    Record record;
    ASSERT_TRUE(settings::FindRecord("u/D:4/3/1/1/" + path + "\n", "u/D:", record));
    EXPECT_EQ(record.path, path.substr(0, settings::kMaxPathBytes));
}

TEST(SettingsRecord, RewriteMovesTheRecordToTheEndAndKeepsOtherLines) {
    const std::string line = settings::FormatLine("u/D:", Record{4, 3, 2, 0, "C:\\tmp\\a.xml"});
    EXPECT_EQ(line, "u/D:4/3/2/0/C:\\tmp\\a.xml\n");
    struct Case {
        const char* content;
        std::string expected;
    } cases[] = {
        {"", line},
        {"a/D:1/2/1/1/x\n", "a/D:1/2/1/1/x\n" + line},
        {"u/D:1/2/1/1/old\nb/D:1/2/1/1/y\n", "b/D:1/2/1/1/y\n" + line},
        {"a/D:1/2/1/1/x\nu/D:1/2/1/1/old", "a/D:1/2/1/1/x\n" + line},
        {"a/D:1/2/1/1/x", "a/D:1/2/1/1/x\n" + line},  // the last line keeps its own line
        {"xu/D:1/2/1/1/x\nu/D:1/1/1/1/old\n", "xu/D:1/2/1/1/x\n" + line},
        {"u/D:1/1/1/1/a\nv/D:1/1/1/1/b\nu/D:1/1/1/1/c\n", "v/D:1/1/1/1/b\n" + line},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(settings::Rewrite(c.content, "u/D:", line), c.expected) << c.content;
    }
}

class SettingsOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/settings-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder = std::string(pattern) + "/";
        file = folder + kBasic.settingsFile;
    }
    void TearDown() override { std::system(("rm -rf " + folder).c_str()); }

    void WriteFile(const std::string& content) { std::ofstream(file, std::ios::binary) << content; }
    std::string ReadFile() {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string folder;
    std::string file;
};

TEST_F(SettingsOnDisk, FirstSaveWritesOneLineAndLoadReadsItBack) {
    Record missing;
    EXPECT_FALSE(settings::LoadRecord(file, "u/D:", missing));
    ASSERT_TRUE(settings::SaveRecord(file, "u/D:", Record{4, 3, 2, 0, "C:\\tmp\\a.xml"}));
    EXPECT_EQ(ReadFile(), "u/D:4/3/2/0/C:\\tmp\\a.xml\n");
    Record record;
    ASSERT_TRUE(settings::LoadRecord(file, "u/D:", record));
    EXPECT_EQ(record.path, "C:\\tmp\\a.xml");
    EXPECT_FALSE(sys::FileExists((file + ".tmp").c_str()));
}

TEST_F(SettingsOnDisk, LargeFileKeepsEveryOtherLine) {
    std::string others;
    for (int i = 0; others.size() < 40 * 1024; ++i) {
        others +=
            "user" + std::to_string(i) + "/D:4/3/1/1/C:\\out\\" + std::to_string(i) + ".xml\n";
    }
    const size_t middle = others.find('\n', others.size() / 2) + 1;
    WriteFile(others.substr(0, middle) + "u/D:1/2/1/1/old\n" + others.substr(middle));

    Record record;
    ASSERT_TRUE(settings::LoadRecord(file, "u/D:", record));
    EXPECT_EQ(record.path, "old");
    ASSERT_TRUE(settings::SaveRecord(file, "u/D:", Record{4, 3, 2, 0, "new"}));
    EXPECT_EQ(ReadFile(), others + "u/D:4/3/2/0/new\n");
}

TEST_F(SettingsOnDisk, FailedWriteLeavesTheOldFile) {
    const std::string before = "a/D:1/2/1/1/x\nu/D:1/2/1/1/old\n";
    WriteFile(before);
    // The temporary file cannot be made: a folder stands in its place.
    ASSERT_TRUE(sys::CreateDirectory((file + ".tmp").c_str()));
    EXPECT_FALSE(settings::SaveRecord(file, "u/D:", Record{4, 3, 2, 0, "new"}));
    EXPECT_EQ(ReadFile(), before);
}

TEST_F(SettingsOnDisk, SettingsFileThatCannotBeReplacedStaysAsItWas) {
    // A folder by the settings file's name can be neither read nor replaced.
    ASSERT_TRUE(sys::CreateDirectory(file.c_str()));
    ASSERT_TRUE(sys::CreateDirectory((file + "/keep").c_str()));
    Record record;
    EXPECT_FALSE(settings::LoadRecord(file, "u/D:", record));
    EXPECT_FALSE(settings::SaveRecord(file, "u/D:", Record{4, 3, 2, 0, "new"}));
    EXPECT_TRUE(sys::DirectoryExists((file + "/keep").c_str()));
    EXPECT_FALSE(sys::FileExists((file + ".tmp").c_str()));
}

}  // namespace
