#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <string>

#include "framework/Sys.h"
#include "ui/PathRules.h"

namespace {

using namespace pathrules;

TEST(OutputPath, InvalidCharacters) {
    struct Case {
        const char* path;
        bool invalid;
    } cases[] = {
        {"C:\\tmp\\a.xml", false},
        {"C:\\a\\\\b.xml", true},
        {"C:\\a?b.xml", true},
        {"C:?x.xml", true},
        {"C:\\a:b.xml", true},
        {"C:\\a/b.xml", true},
        {"a.xml", false},
        {"a*.xml", true},
        {"C:\\a,b;c.xml", true},
        {"C:\\a\"b<c>|.xml", true},
        {"\\\\srv\\share\\a.xml", false},
        {"\\\\srv\\share\\\\a.xml", true},
        {"\\\\srv\\share\\a:b.xml", true},
        // The third character may not start a second doubled backslash.
        {"\\\\\\srv\\a.xml", false},
        {"\\\\s\\\\a.xml", true},
        // The second byte of 表 is a backslash byte and of ｜ a bar byte: not characters.
        {"C:\\表\\a.xml", false},
        {"C:\\表\\\\a.xml", true},
        {"C:\\ソ能\\a.xml", false},
    };
    for (const Case& c : cases) EXPECT_EQ(HasInvalidCharacters(c.path), c.invalid) << c.path;
}

TEST(OutputPath, FileAndFolderParts) {
    struct Case {
        const char* path;
        const char* folder;
        const char* file;
    } cases[] = {
        {"C:\\tmp\\a.xml", "C:\\tmp\\", "a.xml"},
        {"C:\\tmp\\", "C:\\tmp\\", ""},
        {"a.xml", "", "a.xml"},
        {"C:a.xml", "", "C:a.xml"},
        {"C:\\表", "C:\\", "表"},
        {"\\\\srv\\share\\a.xml", "\\\\srv\\share\\", "a.xml"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FolderPart(c.path), c.folder) << c.path;
        EXPECT_EQ(FileNamePart(c.path), c.file) << c.path;
    }
}

TEST(OutputPath, BrowseSplitsAtTheLastBackslashElseTheColon) {
    struct Case {
        const char* path;
        const char* folder;
        const char* file;
    } cases[] = {
        {"C:\\tmp\\a.xml", "C:\\tmp\\", "a.xml"},
        {"C:a.xml", "C:", "a.xml"},
        {"a.xml", "", "a.xml"},
        {"", "", ""},
        {"C:\\表", "C:\\", "表"},
    };
    for (const Case& c : cases) {
        const BrowseSplit split = SplitForBrowse(c.path);
        EXPECT_EQ(split.folder, c.folder) << c.path;
        EXPECT_EQ(split.file, c.file) << c.path;
    }
}

TEST(OutputPath, ShareRoot) {
    EXPECT_EQ(ShareRoot("\\\\srv\\share\\a.xml"), "\\\\srv\\share");
    EXPECT_EQ(ShareRoot("\\\\srv\\share\\sub\\a.xml"), "\\\\srv\\share");
    EXPECT_EQ(ShareRoot("\\\\srv\\share"), "");
    EXPECT_EQ(ShareRoot("\\\\srv"), "");
    EXPECT_EQ(ShareRoot("C:\\a.xml"), "");
}

// A system whose drives and folders are listed by the test.
std::map<std::string, UINT> gDriveTypes;
std::map<std::string, bool> gWritableFolders;  // existing folders: writable or not

DriveProbe FakeProbe() {
    return DriveProbe{
        [](const char* root) {
            const auto it = gDriveTypes.find(root);
            return it == gDriveTypes.end() ? DRIVE_NO_ROOT_DIR : it->second;
        },
        [](const char* path) { return gWritableFolders.count(path) > 0; },
        [](const char* path) {
            const auto it = gWritableFolders.find(path);
            return it != gWritableFolders.end() && it->second;
        },
    };
}

TEST(OutputPath, DriveCheck) {
    gDriveTypes = {{"C:\\", DRIVE_FIXED},   {"D:\\", DRIVE_CDROM},     {"E:\\", DRIVE_RAMDISK},
                   {"F:\\", DRIVE_UNKNOWN}, {"G:\\", DRIVE_REMOVABLE}, {"H:\\", DRIVE_REMOTE},
                   {"R:\\", DRIVE_FIXED}};
    gWritableFolders = {{"C:\\", true},  {"G:\\", false},          {"H:\\", true},
                        {"R:\\", false}, {"\\\\srv\\share", true}, {"\\\\srv\\ro", false}};
    struct Case {
        const char* path;
        bool usable;
    } cases[] = {
        {"C:\\tmp\\a.xml", true},
        {"z:\\a.xml", true},  // a lower-case drive letter too
        {"D:\\a.xml", false},
        {"E:\\a.xml", false},
        {"F:\\a.xml", false},
        {"G:\\a.xml", false},  // removable, not writable
        {"H:\\a.xml", true},
        {"R:\\a.xml", false},  // fixed, read-only
        {"Z:\\a.xml", true},   // no such root: passes, the folder check follows
        {"1:\\a.xml", false},
        {"C:\\a\\\\b.xml", false},
        {"", false},
        {"\\\\srv\\share\\a.xml", true},
        {"\\\\srv\\share", false},
        {"\\\\srv\\ro\\a.xml", false},
        {"\\\\other\\share\\a.xml", false},
    };
    for (const Case& c : cases) EXPECT_EQ(DriveIsUsable(c.path, FakeProbe()), c.usable) << c.path;
}

TEST(FolderCreation, PlanSplitsRootAndLevels) {
    struct Case {
        std::string folder;
        bool ok;
        const char* root;
        std::vector<std::string> levels;
    } cases[] = {
        {"C:\\a\\b\\", true, "C:\\", {"C:\\a\\", "C:\\a\\b\\"}},
        {"C:\\a\\b", true, "C:\\", {"C:\\a\\"}},  // b is a file name
        {"C:\\", true, "C:\\", {}},
        {"C:", true, "C:\\", {}},
        {"C:" + std::string(300, 'a'), true, "C:\\", {}},
        {"C:\\表\\b\\", true, "C:\\", {"C:\\表\\", "C:\\表\\b\\"}},
        {"\\\\srv\\share\\a\\", true, "\\\\srv\\share\\", {"\\\\srv\\share\\a\\"}},
        {"\\\\srv\\share\\", true, "\\\\srv\\share\\", {}},
        {"\\\\srv\\", false, "", {}},
        {"a\\b\\", false, "", {}},
        {"C:a\\", false, "", {}},
    };
    for (const Case& c : cases) {
        const FolderPlan plan = PlanFolder(c.folder);
        EXPECT_EQ(plan.ok, c.ok) << c.folder;
        EXPECT_EQ(plan.root, c.root) << c.folder;
        EXPECT_EQ(plan.levels, c.levels) << c.folder;
    }
}

class FolderCreationOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/folders-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root = std::string(pattern) + "/";
    }
    void TearDown() override { std::system(("rm -rf " + root).c_str()); }

    std::string root;
};

TEST_F(FolderCreationOnDisk, MakesEveryMissingLevel) {
    ASSERT_TRUE(sys::CreateDirectory((root + "have").c_str()));
    const auto levels = FolderLevels(root, "have/new/deeper/", '/');
    ASSERT_EQ(levels.size(), 3u);
    EXPECT_TRUE(CreateFolderLevels(levels));
    EXPECT_TRUE(sys::DirectoryExists((root + "have/new/deeper").c_str()));
}

TEST_F(FolderCreationOnDisk, FailedAttemptLeavesNoLevelOfItBehind) {
    ASSERT_TRUE(sys::CreateDirectory((root + "have").c_str()));
    const std::string tooLong(300, 'x');  // no file system takes a name this long
    EXPECT_FALSE(CreateFolderLevels(FolderLevels(root, "have/new/deeper/" + tooLong + "/", '/')));
    EXPECT_TRUE(sys::DirectoryExists((root + "have").c_str()));
    EXPECT_FALSE(sys::DirectoryExists((root + "have/new").c_str()));
}

TEST_F(FolderCreationOnDisk, LevelThatIsAFileFails) {
    ASSERT_TRUE(sys::CreateDirectory((root + "new").c_str()));
    FILE* file = std::fopen((root + "new/file").c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_FALSE(CreateFolderLevels(FolderLevels(root, "new/file/sub/", '/')));
    // "new" existed before the attempt and stays.
    EXPECT_TRUE(sys::FileExists((root + "new/file").c_str()));
}

}  // namespace
