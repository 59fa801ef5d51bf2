#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "report/ClSupportInfo.h"
#include "report/SupportText.h"
#include "tests/unit/report/TestFiles.h"

namespace {

using reporttest::ScratchDir;
using reporttest::WriteBytes;

constexpr size_t kSize = ClSupportInfo::kBufferSize;
constexpr size_t kLimit = ClSupportInfo::kValueLimit;

// The buffer as loading leaves it: the file's first bytes, 0xFF after them, normalised.
std::vector<unsigned char> Loaded(const std::string& file) {
    std::vector<unsigned char> buffer(kSize, kSupportUnread);
    std::copy_n(file.begin(), std::min(file.size(), kSize), buffer.begin());
    NormaliseSupportText(buffer.data(), buffer.size());
    return buffer;
}

std::string Value(const std::string& file, std::string_view key) {
    const std::vector<unsigned char> buffer = Loaded(file);
    return FindSupportValue(buffer.data(), buffer.size(), key, kLimit).str();
}

// `tail` placed so that it ends exactly at the end of a file of `size` bytes.
std::string EndingWith(const std::string& tail, size_t size = kSize) {
    return std::string(size - tail.size(), 'x') + tail;
}

const std::string kName(kSupportProductNameKey);
const std::string kVersion(kSupportProductVersionKey);
const std::string kInquiry(kSupportInquiryKey);
const std::string kSteps(kSupportReproductionKey);

TEST(SupportText, KeysAreTheShiftJisTexts) {
    EXPECT_EQ(kName, "[=製品名=]");
    EXPECT_EQ(kVersion, "[=製品ﾊﾞｰｼﾞｮﾝ=]");
    EXPECT_EQ(kInquiry, "[=お問い合わせ内容=]");
    EXPECT_EQ(kSteps, "[=症状が再現する手順や条件=]");
}

struct LookupCase {
    const char* what;
    std::string file;
    std::string_view key;
    std::string expected;
};

TEST(SupportText, FindsTheValueOfTheFirstMatchingLine) {
    const LookupCase cases[] = {
        {"name", kName + "会計ＡＢＣ\r\n" + kVersion + "22.1\r\n", kSupportProductNameKey,
         "会計ＡＢＣ"},
        {"version", kName + "会計\r\n" + kVersion + "22.1\r\n", kSupportProductVersionKey, "22.1"},
        {"key only", kName + "\r\n" + kVersion + "22.1\r\n", kSupportProductNameKey, ""},
        {"no such key", "[=会社名=]港商会\r\n", kSupportProductNameKey, ""},
        {"first match wins", kName + "一\r\n" + kName + "二\r\n", kSupportProductNameKey, "一"},
        {"ends at 0x1A",
         kName + "AB\x1A"
                 "CD\r\n",
         kSupportProductNameKey, "AB"},
        {"ends at the end of the data", kName + "ABC", kSupportProductNameKey, "ABC"},
        {"a lone CR stays", kName + "A\rB\r\n", kSupportProductNameKey, "A\rB"},
        {"after a multi-line value", kInquiry + "一行目\r\n二行目\r\n" + kName + "P\r\n",
         kSupportProductNameKey, "P"},
        {"after a multi-line value at the end", kName + "P\r\n" + kSteps + "手順1\r\n手順2\r\n",
         kSupportProductNameKey, "P"},
        {"bounded to 255 bytes", kName + std::string(300, 'A') + "\r\n", kSupportProductNameKey,
         std::string(kLimit, 'A')},
        {"a character across the bound is left out",
         kName + std::string(kLimit - 1, 'A') + "表\r\n", kSupportProductNameKey,
         std::string(kLimit - 1, 'A')},
        {"a character ending at the bound is kept", kName + std::string(kLimit - 2, 'A') + "表\r\n",
         kSupportProductNameKey, std::string(kLimit - 2, 'A') + "表"},
        {"a lone lead byte is dropped", kName + "AB\x95\r\n", kSupportProductNameKey, "AB"},
    };
    for (const LookupCase& c : cases) EXPECT_EQ(Value(c.file, c.key), c.expected) << c.what;
}

TEST(SupportText, MultiLineValuesKeepTheirInnerLineBreaks) {
    const std::string file = "[=会社名=]港\r\n" + kInquiry + "一\r\n二\r\n" + kName + "P\r\n" +
                             kSteps + "手順1\r\n手順2\r\n";
    const std::vector<unsigned char> buffer = Loaded(file);
    const std::string held(buffer.begin(), buffer.begin() + file.size() + 1);
    const std::string expected = std::string("[=会社名=]港\0\0", 14) + kInquiry + "一\r\n二" +
                                 std::string(2, '\0') + kName + "P" + std::string(2, '\0') +
                                 kSteps + "手順1\r\n手順2\r\n" + std::string(1, '\0');
    EXPECT_EQ(held, expected);
    EXPECT_EQ(buffer[file.size() + 1], kSupportUnread);
}

// Files that fill the whole buffer leave no 0xFF behind the data; nothing may be read
// or written beyond the buffer's end.
TEST(SupportText, DataThatFillsTheBufferIsReadWithinIt) {
    const LookupCase cases[] = {
        {"key ending at the last byte", EndingWith("\r\n" + kName), kSupportProductNameKey, ""},
        {"key cut by the end", EndingWith("\r\n" + kName.substr(0, 6)), kSupportProductNameKey, ""},
        {"value running to the last byte", EndingWith("\r\n" + kName + "ABC"),
         kSupportProductNameKey, "ABC"},
        {"lead byte as the last byte", EndingWith("\r\n" + kName + "AB\x95"),
         kSupportProductNameKey, "AB"},
        {"CR as the last byte", EndingWith("\r\n" + kName + "AB\r"), kSupportProductNameKey,
         "AB\r"},
        {"multi-line value running to the end",
         kName + "P\r\n" + EndingWith(kInquiry + "一\r\n二\r\n", kSize - 13),
         kSupportProductNameKey, "P"},
        {"multi-line key ending at the last byte", kName + "P\r\n" + EndingWith(kSteps, kSize - 13),
         kSupportProductNameKey, "P"},
        {"multi-line value ending in a zero pair",
         kName + "P\r\n" + EndingWith(kSteps + "\r\n", kSize - 13), kSupportProductNameKey, "P"},
        {"key beyond the buffer", EndingWith("\r\n" + kName + "late\r\n", kSize + 100),
         kSupportProductNameKey, ""},
    };
    for (const LookupCase& c : cases) EXPECT_EQ(Value(c.file, c.key), c.expected) << c.what;
}

TEST(ClSupportInfo, ReadsNameAndVersionFromTheFile) {
    ClSupportInfo support(reporttest::Fixture("support/").string().c_str());
    EXPECT_EQ(support.GetProductName().str(), "Tallyvale２２ Ｓｔａｎｄａｒｄ");
    EXPECT_EQ(support.GetProductVersion().str(), "22.10.03");
}

TEST(ClSupportInfo, KeyWithoutValueGivesEmptyText) {
    ClSupportInfo support(reporttest::Fixture("support/key-only/").string().c_str());
    EXPECT_EQ(support.GetProductName().str(), "");
    EXPECT_EQ(support.GetProductVersion().str(), "22.10.03");
}

TEST(ClSupportInfo, MissingFileGivesEmptyTexts) {
    ScratchDir dir;
    ClSupportInfo support(dir.Prefix().c_str());
    EXPECT_EQ(support.Load(), 1);
    EXPECT_EQ(support.GetProductName().str(), "");
    EXPECT_EQ(support.GetProductVersion().str(), "");
}

TEST(ClSupportInfo, ReadsOnlyTheFirst30000BytesOfALargeFile) {
    ScratchDir dir;
    const std::string early = kVersion + "1.0\r\n";
    const std::string large = early + EndingWith("\r\n" + kName + "late\r\n", 40000 - early.size());
    WriteBytes(dir.File("SUPPORT.INF"), large);
    ClSupportInfo support(dir.Prefix().c_str());
    EXPECT_EQ(support.GetProductVersion().str(), "1.0");
    EXPECT_EQ(support.GetProductName().str(), "");
}

TEST(ClSupportInfo, ReadsTheFileOncePerObject) {
    ScratchDir dir;
    WriteBytes(dir.File("SUPPORT.INF"), kName + "first\r\n");
    ClSupportInfo support(dir.Prefix().c_str());
    EXPECT_EQ(support.GetProductName().str(), "first");
    WriteBytes(dir.File("SUPPORT.INF"), kName + "second\r\n");
    EXPECT_EQ(support.GetProductName().str(), "first");
}

}  // namespace
