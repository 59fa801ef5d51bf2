#include <gtest/gtest.h>

#include <string>

#include "framework/CFile.h"
#include "framework/Sys.h"
#include "tests/unit/framework/TempPath.h"

namespace {

constexpr unsigned kCreateExclusive = CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive;
constexpr unsigned kReadShared = CFile::modeRead | CFile::shareDenyNone;

std::string ReadAll(const char* path) {
    CFile file;
    if (!file.Open(path, kReadShared)) return "<not opened>";
    std::string bytes(static_cast<size_t>(file.GetLength()) + 8, '\0');
    bytes.resize(file.Read(bytes.data(), bytes.size()));
    return bytes;
}

void WriteFile(const char* path, const std::string& bytes) {
    CFile file;
    ASSERT_TRUE(file.Open(path, kCreateExclusive));
    ASSERT_TRUE(file.Write(bytes.data(), bytes.size()));
}

TEST(CFileTest, WritesReachTheFileAndReadBack) {
    TempPath path("write.bin");
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), kCreateExclusive | CFile::typeBinary));
    EXPECT_TRUE(file.Write("ab\r\n", 4));
    EXPECT_TRUE(file.Write("\0z", 2));
    EXPECT_EQ(file.GetLength(), 6u);  // unbuffered: already there while open
    file.Close();
    EXPECT_EQ(ReadAll(path.c_str()), std::string("ab\r\n\0z", 6));
}

TEST(CFileTest, CreateTruncatesAnExistingFile) {
    TempPath path("truncate.bin");
    WriteFile(path.c_str(), "long old content");
    WriteFile(path.c_str(), "new");
    EXPECT_EQ(ReadAll(path.c_str()), "new");
}

TEST(CFileTest, WriteFailsWithoutAnOpenFile) {
    CFile never;
    EXPECT_FALSE(never.Write("x", 1));
    char byte = 0;
    EXPECT_EQ(never.Read(&byte, 1), 0u);
    EXPECT_EQ(never.GetLength(), 0u);

    TempPath path("closed.bin");
    CFile closed;
    ASSERT_TRUE(closed.Open(path.c_str(), kCreateExclusive));
    closed.Close();
    EXPECT_FALSE(closed.IsOpen());
    EXPECT_FALSE(closed.Write("x", 1));
}

TEST(CFileTest, OpeningWhatIsNoFileFails) {
    TempPath path("missing.bin");
    CFile file;
    EXPECT_FALSE(file.Open(path.c_str(), kReadShared));
    EXPECT_FALSE(file.IsOpen());
    const std::string folder = sys::TempFolder();
    EXPECT_FALSE(file.Open(folder.c_str(), kReadShared));
    EXPECT_FALSE(file.IsOpen());
}

TEST(CFileTest, ExclusiveFileCannotBeOpenedAgainWhileOpen) {
    TempPath path("exclusive.bin");
    CFile owner;
    ASSERT_TRUE(owner.Open(path.c_str(), kCreateExclusive));
    ASSERT_TRUE(owner.Write("kept", 4));

    CFile reader;
    EXPECT_FALSE(reader.Open(path.c_str(), kReadShared));
    CFile rival;
    EXPECT_FALSE(rival.Open(path.c_str(), kCreateExclusive));  // and does not truncate it
    EXPECT_EQ(owner.GetLength(), 4u);

    owner.Close();
    EXPECT_EQ(ReadAll(path.c_str()), "kept");
}

TEST(CFileTest, SharedReadersDoNotExcludeEachOther) {
    TempPath path("shared.bin");
    WriteFile(path.c_str(), "data");
    CFile first;
    CFile second;
    EXPECT_TRUE(first.Open(path.c_str(), kReadShared));
    EXPECT_TRUE(second.Open(path.c_str(), kReadShared));
    CFile writer;
    EXPECT_FALSE(writer.Open(path.c_str(), kCreateExclusive));
}

#ifndef _WIN32
TEST(CFileTest, WriteOnAFullDiskFails) {
    CFile full;
    ASSERT_TRUE(full.Open("/dev/full", CFile::modeWrite | CFile::shareDenyNone));
    EXPECT_FALSE(full.Write("x", 1));
}
#endif

}  // namespace
