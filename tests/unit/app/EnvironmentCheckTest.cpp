#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/EnvironmentCheck.h"

namespace {

struct PathCase {
    std::string directory;
    std::string path;
};

const PathCase kPathCases[] = {
    {"C:\\prog", "C:\\prog\\QuillmarkDef.ini"},
    {"C:\\", "C:\\QuillmarkDef.ini"},
    // 表 (0x95 0x5C) ends in the byte of a backslash without being one.
    {"C:\\\x95\x5C", "C:\\\x95\x5C\\QuillmarkDef.ini"},
    {"C:\\\x95\x5C\\", "C:\\\x95\x5C\\QuillmarkDef.ini"},
};

TEST(EnvironmentCheck, BuildsTheDefinitionFilePath) {
    for (const PathCase& c : kPathCases) {
        SCOPED_TRACE(c.directory);
        EXPECT_EQ(DefinitionFilePath(c.directory), c.path);
    }
}

struct ValueCase {
    const char* value;
    int code;
};

constexpr ValueCase kValueCases[] = {
    {"4", kLevelSupported},
    {" 4", kLevelSupported},
    {"+4", kLevelSupported},
    {"04", kLevelSupported},
    {"4.1", kLevelSupported},
    {"3", kLevelHostOlder},
    {"1", kLevelHostOlder},
    {"abc", kLevelHostOlder},
    {"-4", kLevelHostOlder},
    {"5", kLevelComponentOlder},
    {"99999999999", kLevelComponentOlder},
    {"", kLevelMissing},
};

TEST(EnvironmentCheck, DecidesTheLevelCode) {
    for (const ValueCase& c : kValueCases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(LevelCodeOf(c.value), c.code);
    }
}

class DefinitionFile : public ::testing::Test {
  protected:
    void SetUp() override {
        folder =
            std::filesystem::temp_directory_path() /
            ("stmtlink_app_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string Write(const std::string& name, const std::string& content) {
        const std::filesystem::path path = folder / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    std::filesystem::path folder;
};

struct FileCase {
    const char* content;
    int code;
};

constexpr FileCase kFileCases[] = {
    {"[ProgramLevel]\r\nQK41=4\r\n", kLevelSupported},
    {"[ProgramLevel]\r\nQK41= 4\r\n", kLevelSupported},
    {"[ProgramLevel]\r\nQK41=3\r\n", kLevelHostOlder},
    {"[ProgramLevel]\r\nQK40=4\r\n", kLevelHostOlder},
    {"[Other]\r\nQK41=4\r\n", kLevelHostOlder},
    {"", kLevelHostOlder},
    {"[ProgramLevel]\r\nQK41=abc\r\n", kLevelHostOlder},
    {"[ProgramLevel]\r\nQK41=5\r\n", kLevelComponentOlder},
    {"[ProgramLevel]\r\nQK41=\r\n", kLevelMissing},
};

TEST_F(DefinitionFile, ReadsTheLevelOfTheProduct) {
    int index = 0;
    for (const FileCase& c : kFileCases) {
        SCOPED_TRACE(c.content);
        const std::string path = Write("case" + std::to_string(index++) + ".ini", c.content);
        EXPECT_EQ(ReadLevelCode(path), c.code);
    }
}

TEST_F(DefinitionFile, MissingFileIsAnInvalidEnvironment) {
    EXPECT_EQ(ReadLevelCode((folder / "QuillmarkDef.ini").string()), kLevelMissing);
}

TEST_F(DefinitionFile, ShippedSampleIsSupported) {
    const std::string sample =
        std::string(std::getenv("STMTLINK_FIXTURES")) + "/e2e/QuillmarkDef.ini";
    EXPECT_EQ(ReadLevelCode(sample), kLevelSupported);
}

TEST(EnvironmentCheck, EveryRefusalHasItsOwnMessage) {
    EXPECT_EQ(LevelMessage(kLevelSupported), nullptr);
    const std::string missing = LevelMessage(kLevelMissing);
    const std::string hostOlder = LevelMessage(kLevelHostOlder);
    const std::string componentOlder = LevelMessage(kLevelComponentOlder);
    EXPECT_NE(missing, hostOlder);
    EXPECT_NE(hostOlder, componentOlder);
    EXPECT_NE(missing, componentOlder);
}

}  // namespace
