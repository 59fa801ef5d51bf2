// The path rules and the settings file over the system's own drive types, folder calls
// and file replacement (Windows paths).

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "framework/Sys.h"
#include "ui/PathRules.h"
#include "ui/SettingsFile.h"

namespace {

using namespace pathrules;

class WindowsFolders : public ::testing::Test {
  protected:
    void SetUp() override {
        base = sys::TempFolder() + "stmtlink-folders-" + std::to_string(sys::TickCount()) + "\\";
        ASSERT_TRUE(sys::CreateDirectory(base.c_str())) << base;
    }
    void TearDown() override {
        for (const char* level : {"new\\表\\deeper\\", "new\\表\\", "new\\"})
            sys::RemoveDirectory((base + level).c_str());
        std::remove((base + "settings.env").c_str());
        sys::RemoveDirectory(base.c_str());
    }

    std::string base;
};

TEST_F(WindowsFolders, DriveOfTheTemporaryFolderIsUsable) {
    EXPECT_EQ(sys::DriveType(base.substr(0, 3).c_str()), static_cast<UINT>(DRIVE_FIXED));
    EXPECT_TRUE(DriveIsUsable(base + "a.xml", SystemDriveProbe()));
    EXPECT_FALSE(DriveIsUsable("1:\\a.xml", SystemDriveProbe()));
}

TEST_F(WindowsFolders, MakesEveryLevelOfADriveFolder) {
    EXPECT_TRUE(CreateFolder(base + "new\\表\\deeper\\"));
    EXPECT_TRUE(sys::DirectoryExists((base + "new\\表\\deeper\\").c_str()));
}

TEST_F(WindowsFolders, FailedAttemptRemovesItsLevels) {
    const std::string tooLong(300, 'x');
    EXPECT_FALSE(CreateFolder(base + "new\\表\\" + tooLong + "\\"));
    EXPECT_FALSE(sys::DirectoryExists((base + "new\\").c_str()));
    EXPECT_TRUE(sys::DirectoryExists(base.c_str()));
}

TEST_F(WindowsFolders, SettingsFileIsReplacedWhole) {
    const std::string file = base + "settings.env";
    ASSERT_TRUE(settings::SaveRecord(file, "u/D:", settings::Record{4, 3, 1, 1, "C:\\a.xml"}));
    ASSERT_TRUE(settings::SaveRecord(file, "v/D:", settings::Record{5, 6, 2, 0, "C:\\b.xml"}));
    ASSERT_TRUE(settings::SaveRecord(file, "u/D:", settings::Record{7, 8, 2, 1, "C:\\c.xml"}));
    settings::Record record;
    ASSERT_TRUE(settings::LoadRecord(file, "v/D:", record));
    EXPECT_EQ(record.path, "C:\\b.xml");
    ASSERT_TRUE(settings::LoadRecord(file, "u/D:", record));
    EXPECT_EQ(record.path, "C:\\c.xml");
    EXPECT_FALSE(sys::FileExists((file + ".tmp").c_str()));
}

}  // namespace
