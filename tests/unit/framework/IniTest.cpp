// Built in both trees, so that the native INI reader answers as the platform's does.

#include <gtest/gtest.h>

#include <string>

#include "framework/CFile.h"
#include "framework/Sys.h"
#include "tests/unit/framework/TempPath.h"

namespace {

constexpr char kIni[] =
    "; settings of the tax-filing application\r\n"
    "[General]\r\n"
    "Name=Quillmark\r\n"
    "Spaced =  value with spaces  \r\n"
    "Quoted=\"in quotes\"\r\n"
    "Empty=\r\n"
    "[Other]\r\n"
    "Name=Second\r\n";

struct Case {
    const char* section;
    const char* key;
    size_t capacity;
    const char* expected;
};

constexpr Case kCases[] = {
    {"General", "Name", 64, "Quillmark"},
    {"general", "NAME", 64, "Quillmark"},
    {"General", "Spaced", 64, "value with spaces"},
    {"General", "Quoted", 64, "in quotes"},
    {"General", "Empty", 64, ""},
    {"Other", "Name", 64, "Second"},
    {"General", "Missing", 64, "fallback"},
    {"Missing", "Name", 64, "fallback"},
    {"General", "Name", 5, "Quil"},
};

TEST(ReadIniStringTest, FindsValuesBySectionAndKey) {
    TempPath path("settings.ini");
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        ASSERT_TRUE(file.Write(kIni, sizeof kIni - 1));
    }
    for (const Case& c : kCases) {
        EXPECT_EQ(sys::ReadIniString(path.c_str(), c.section, c.key, "fallback", c.capacity),
                  c.expected)
            << c.section << "/" << c.key;
    }
}

TEST(ReadIniStringTest, MissingFileGivesTheFallback) {
    TempPath path("absent.ini");
    EXPECT_EQ(sys::ReadIniString(path.c_str(), "General", "Name", "fallback", 64), "fallback");
}

}  // namespace
