#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "collect/StatementData.h"
#include "framework/CFile.h"
#include "platform/Records.h"
#include "report/ClReportWriter.h"
#include "report/ClXmlWriter.h"
#include "tests/unit/report/AccountItems.h"
#include "tests/unit/report/TestFiles.h"

#ifndef _WIN32
#include <sys/resource.h>

#include "framework/Headless.h"
#include "ui/ClProgressDlg.h"

#include <csignal>
#endif

namespace {

using reporttest::Account;
using reporttest::AccountItems;
using reporttest::ReadBytes;
using reporttest::ScratchDir;
using reporttest::WriteSection;

// One general-ledger line as the ledger walk would append it. Amounts are raw.
struct Line {
    uint32_t accountKey;
    int32_t voucherNo = 0;
    const char* dateText = "";
    const char* subAccountName = "";
    const char* counterAccountName = "";
    const char* counterSubAccountName = "";
    const char* summary = "";
    int64_t amount = 0;
    int64_t balance = 0;
};

template <size_t N>
void CopyField(char (&field)[N], const char* text) {
    std::strncpy(field, text, N - 1);
}

// A ledger line list that owns its records.
class LedgerLines {
  public:
    LedgerLines(std::initializer_list<Line> lines) {
        for (const Line& line : lines) Add(line);
    }
    ~LedgerLines() { DeleteAll(list_); }
    LedgerLines(const LedgerLines&) = delete;
    LedgerLines& operator=(const LedgerLines&) = delete;

    void Add(const Line& line) {
        auto* record = new StMOTOCHOLINEINFO{};
        record->accountKey = line.accountKey;
        record->voucherNo = line.voucherNo;
        CopyField(record->dateText, line.dateText);
        CopyField(record->subAccountName, line.subAccountName);
        CopyField(record->counterAccountName, line.counterAccountName);
        CopyField(record->counterSubAccountName, line.counterSubAccountName);
        CopyField(record->summary, line.summary);
        record->amount = line.amount;
        record->balance = line.balance;
        list_.AddTail(record);
    }
    LedgerLineList* list() { return &list_; }

  private:
    LedgerLineList list_;
};

constexpr uint32_t kCash = 1110000;
constexpr uint32_t kBuildings = 1310000;
constexpr uint32_t kPayables = 3110000;
constexpr uint32_t kSales = 8110000;

// Cash and sales have lines; buildings, between them, has balances but none; payables
// comes after the last line.
AccountItems SmallBook() {
    return {
        {.classCode = 0x80888800,
         .formalName = "【現金】",
         .closingAmount = 1244566,
         .accountKey = kCash},
        {.classCode = 0x80848800,
         .formalName = "建物",
         .closingAmount = 500000000,
         .openingAmount = 500000000,
         .accountKey = kBuildings},
        {.classCode = 0x40888000,
         .formalName = "売上高（製品）",
         .closingAmount = -1239999,
         .openingAmount = -9999,
         .accountKey = kSales},
        {.classCode = 0x80488800,
         .formalName = "買掛金",
         .closingAmount = 30000000,
         .accountKey = kPayables},
    };
}

LedgerLines SmallLedger() {
    return {
        {kCash, 12, "R06.04.01", "", "売上高", "", "A&B商事 売上", 1234567, 1234567},
        {kCash, -3, "R06.04.30", "（本店）　A&B[未]", "諸口", "普通預金", "", 9999, 1244566},
        {kSales, 7, "R06.05.01", "", "現金", "", "返品 <再>", -1230000, -1239999},
    };
}

constexpr char kSmallLedgerXml[] =
    "\t\t<HJ00780S>\r\n"
    "\t\t\t<HJ00780S01>\r\n"
    "\t\t\t\t<HJ00780S0010>現金</HJ00780S0010>\r\n"
    "\t\t\t\t<HJ00780S0020>流動資産</HJ00780S0020>\r\n"
    "\t\t\t\t<HJ00780S0030>0</HJ00780S0030>\r\n"
    "\t\t\t\t<HJ00780S0040>124</HJ00780S0040>\r\n"
    "\t\t\t\t<HJ00780S02>\r\n"
    "\t\t\t\t\t<HJ00780S0050>12</HJ00780S0050>\r\n"
    "\t\t\t\t\t<HJ00780S0060>R06.04.01</HJ00780S0060>\r\n"
    "\t\t\t\t\t<HJ00780S0070></HJ00780S0070>\r\n"
    "\t\t\t\t\t<HJ00780S0080>売上高</HJ00780S0080>\r\n"
    "\t\t\t\t\t<HJ00780S0090></HJ00780S0090>\r\n"
    "\t\t\t\t\t<HJ00780S0100>A&amp;B商事 売上</HJ00780S0100>\r\n"
    "\t\t\t\t\t<HJ00780S0110>123</HJ00780S0110>\r\n"
    "\t\t\t\t\t<HJ00780S0120>123</HJ00780S0120>\r\n"
    "\t\t\t\t</HJ00780S02>\r\n"
    "\t\t\t\t<HJ00780S02>\r\n"
    "\t\t\t\t\t<HJ00780S0050>-3</HJ00780S0050>\r\n"
    "\t\t\t\t\t<HJ00780S0060>R06.04.30</HJ00780S0060>\r\n"
    "\t\t\t\t\t<HJ00780S0070>本店A&amp;B</HJ00780S0070>\r\n"
    "\t\t\t\t\t<HJ00780S0080>諸口</HJ00780S0080>\r\n"
    "\t\t\t\t\t<HJ00780S0090>普通預金</HJ00780S0090>\r\n"
    "\t\t\t\t\t<HJ00780S0100></HJ00780S0100>\r\n"
    "\t\t\t\t\t<HJ00780S0110>0</HJ00780S0110>\r\n"
    "\t\t\t\t\t<HJ00780S0120>124</HJ00780S0120>\r\n"
    "\t\t\t\t</HJ00780S02>\r\n"
    "\t\t\t</HJ00780S01>\r\n"
    "\t\t\t<HJ00780S01>\r\n"
    "\t\t\t\t<HJ00780S0010>売上高製品</HJ00780S0010>\r\n"
    "\t\t\t\t<HJ00780S0020>売上高</HJ00780S0020>\r\n"
    "\t\t\t\t<HJ00780S0030>0</HJ00780S0030>\r\n"
    "\t\t\t\t<HJ00780S0040>-123</HJ00780S0040>\r\n"
    "\t\t\t\t<HJ00780S02>\r\n"
    "\t\t\t\t\t<HJ00780S0050>7</HJ00780S0050>\r\n"
    "\t\t\t\t\t<HJ00780S0060>R06.05.01</HJ00780S0060>\r\n"
    "\t\t\t\t\t<HJ00780S0070></HJ00780S0070>\r\n"
    "\t\t\t\t\t<HJ00780S0080>現金</HJ00780S0080>\r\n"
    "\t\t\t\t\t<HJ00780S0090></HJ00780S0090>\r\n"
    "\t\t\t\t\t<HJ00780S0100>返品 &lt;再&gt;</HJ00780S0100>\r\n"
    "\t\t\t\t\t<HJ00780S0110>-123</HJ00780S0110>\r\n"
    "\t\t\t\t\t<HJ00780S0120>-123</HJ00780S0120>\r\n"
    "\t\t\t\t</HJ00780S02>\r\n"
    "\t\t\t</HJ00780S01>\r\n"
    "\t\t</HJ00780S>\r\n";

ClReportWriter LedgerWriter(AccountItems& items, LedgerLines& lines) {
    ClReportWriter writer;
    writer.accountItems = items.list();
    writer.ledgerLines = lines.list();
    return writer;
}

TEST(LedgerList, SmallLedger) {
    AccountItems items = SmallBook();
    LedgerLines lines = SmallLedger();
    ClReportWriter writer = LedgerWriter(items, lines);
    const reporttest::Written written = WriteSection(writer, &ClReportWriter::WriteLedger);
    EXPECT_EQ(written.result, 1);
    EXPECT_EQ(written.bytes, kSmallLedgerXml);
}

// Each account block as its cleaned name followed by its number of lines: "A2 C1".
std::string Outline(const std::string& bytes) {
    const std::string nameTag = "<HJ00780S0010>";
    std::string outline;
    int lineCount = 0;
    auto flush = [&] {
        if (!outline.empty()) outline += std::to_string(lineCount);
        lineCount = 0;
    };
    for (size_t pos = 0; pos < bytes.size();) {
        const size_t end = bytes.find('\n', pos);
        const std::string line = bytes.substr(pos, end - pos);
        pos = end == std::string::npos ? bytes.size() : end + 1;
        if (const size_t at = line.find(nameTag); at != std::string::npos) {
            flush();
            if (!outline.empty()) outline += ' ';
            outline +=
                line.substr(at + nameTag.size(), line.find('<', at + 1) - at - nameTag.size());
        }
        if (line.find("<HJ00780S02>") != std::string::npos) ++lineCount;
    }
    flush();
    return outline;
}

struct WalkCase {
    const char* what;
    std::vector<uint32_t> itemKeys;  // named A, B, C, ... in order
    std::vector<uint32_t> lineKeys;
    std::string outline;
};

TEST(LedgerList, WalksItemsAndLinesTogether) {
    const WalkCase cases[] = {
        {"lines of the first account only", {1, 2, 3}, {1, 1}, "A2"},
        {"lines of the last account only", {1, 2, 3}, {3}, "C1"},
        {"every account", {1, 2, 3}, {1, 2, 2, 3}, "A1 B2 C1"},
        {"accounts without lines in between", {1, 2, 3, 4}, {1, 4, 4, 4}, "A1 D3"},
        {"no account items", {}, {1}, ""},
    };
    for (const WalkCase& c : cases) {
        AccountItems items{};
        for (size_t i = 0; i < c.itemKeys.size(); ++i) {
            const std::string name(1, static_cast<char>('A' + i));
            items.Add({.classCode = 0x80888800,
                       .formalName = name.c_str(),
                       .closingAmount = 0,
                       .accountKey = c.itemKeys[i]});
        }
        LedgerLines lines{};
        for (const uint32_t key : c.lineKeys) lines.Add({key});
        ClReportWriter writer = LedgerWriter(items, lines);
        const reporttest::Written written = WriteSection(writer, &ClReportWriter::WriteLedger);
        EXPECT_EQ(written.result, 1) << c.what;
        EXPECT_EQ(written.bytes.rfind("\t\t<HJ00780S>\r\n", 0), 0u) << c.what;
        EXPECT_TRUE(written.bytes.ends_with("\t\t</HJ00780S>\r\n")) << c.what;
        EXPECT_EQ(Outline(written.bytes), c.outline) << c.what;
    }
}

TEST(LedgerList, NothingWithoutLedgerLines) {
    AccountItems items = SmallBook();
    LedgerLines empty{};
    for (LedgerLineList* list : {static_cast<LedgerLineList*>(nullptr), empty.list()}) {
        ClReportWriter writer;
        writer.accountItems = items.list();
        writer.ledgerLines = list;
        const reporttest::Written written = WriteSection(writer, &ClReportWriter::WriteLedger);
        EXPECT_EQ(written.result, 1);
        EXPECT_EQ(written.bytes, "");
    }
}

std::string WriteDataBytes(ClReportWriter& writer) {
    ScratchDir dir;
    const std::string path = dir.File("data.xml");
    {
        CFile file;
        ClXmlWriter xml;
        xml.Open(&file, path.c_str());
        const StDATAINFO data{};
        EXPECT_EQ(writer.WriteData(xml, data), 1);
    }
    return ReadBytes(path);
}

// The ledger blocks are the last thing in DATA; without lines DATA is unchanged.
TEST(LedgerList, LastBlockOfData) {
    AccountItems items = SmallBook();
    LedgerLines empty{};
    LedgerLines lines = SmallLedger();
    ClReportWriter writer;
    writer.accountItems = items.list();
    const std::string withoutLedger = WriteDataBytes(writer);
    writer.ledgerLines = empty.list();
    EXPECT_EQ(WriteDataBytes(writer), withoutLedger);
    EXPECT_EQ(withoutLedger.find("HJ00780S"), std::string::npos);

    writer.ledgerLines = lines.list();
    std::string expected = withoutLedger;
    const std::string dataEnd = "\t</DATA>\r\n";
    ASSERT_TRUE(expected.ends_with(dataEnd));
    expected.insert(expected.size() - dataEnd.size(), kSmallLedgerXml);
    EXPECT_EQ(WriteDataBytes(writer), expected);
}

TEST(LedgerList, StatementLabel) {
    struct LabelCase {
        uint32_t classCode;
        const char* label;
    };
    const LabelCase cases[] = {
        {0x80848000, "固定資産"},
        {0x40200040, "差引損益"},
        {0x80800008, "流動資産"},
        {0x80840008, "固定資産"},  // matches rows 2 and 4: the earlier wins
        {0x80888800, "流動資産"},
        {0x80808000, "資産の部"},
        {0x80000008, "貸借対照表"},
        {0x40848100, "営業外収益"},
        {0x40808000, "経常損益"},
        {0x20100040, "仕掛品"},
        {0x10000000, "特別勘定"},
        {0x08000080, "集計対象外"},
        {0x08000000, "集計対象外"},
        // 評価･換算差額等 with the half-width middle dot, one byte 0xA5
        {0x80248000, "\x95\x5D\x89\xBF\xA5\x8A\xB7\x8E\x5A\x8D\xB7\x8A\x7A\x93\x99"},
        // 負債・純資産合計 with the full-width middle dot 0x81 0x45
        {0x80100000, "\x95\x89\x8D\xC2\x81\x45\x8F\x83\x8E\x91\x8E\x59\x8D\x87\x8C\x76"},
        {0x00000000, ""},
        {0x04000000, ""},
        {0x00888800, ""},
    };
    for (const LabelCase& c : cases) {
        EXPECT_EQ(std::string(ClReportWriter::StatementLabel(c.classCode)), c.label)
            << std::hex << c.classCode;
    }
}

#ifndef _WIN32
// A long ledger keeps the progress dialog alive: one sweep of the activity bar per line.
TEST(LedgerList, SweepsTheActivityBarOncePerLine) {
    ClProgressDlg progress{nullptr, 0};
    progress.Create(ClProgressDlg::kTemplateId);
    progress.Start();
    AccountItems items = SmallBook();
    LedgerLines lines = SmallLedger();
    ClReportWriter writer = LedgerWriter(items, lines);
    writer.progressDlg = &progress;
    headless::Recorder::Get().Reset();
    EXPECT_EQ(WriteSection(writer, &ClReportWriter::WriteLedger).result, 1);
    int sweeps = 0;
    for (const headless::BarMessage& message : headless::Recorder::Get().barMessages)
        if (message.message == PBM_SETPOS) ++sweeps;
    EXPECT_EQ(sweeps, 3);
}

// Lets files grow to `bytes` only; a write past that fails (EFBIG) instead of raising
// SIGXFSZ.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, saved_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

TEST(LedgerList, WriteErrorEndsTheLedger) {
    AccountItems items = SmallBook();
    LedgerLines lines = SmallLedger();
    ClReportWriter writer = LedgerWriter(items, lines);
    EXPECT_EQ(reporttest::RunSection(writer, &ClReportWriter::WriteLedger, "/dev/full"), 0);
}

// Cuts at the start and in the middle of every line of the block.
std::vector<size_t> CutPoints(const std::string& bytes) {
    std::vector<size_t> cuts;
    for (size_t start = 0; start < bytes.size(); start = bytes.find('\n', start) + 1) {
        const size_t end = bytes.find('\n', start);
        cuts.push_back(start);
        cuts.push_back((start + end) / 2);
    }
    return cuts;
}

// Wherever the disk fills up, the ledger fails, with every earlier byte on disk.
TEST(LedgerList, DiskFullAnywhereInTheBlockFailsIt) {
    AccountItems items = SmallBook();
    LedgerLines lines = SmallLedger();
    ClReportWriter writer = LedgerWriter(items, lines);
    const std::string full = kSmallLedgerXml;
    for (const size_t cut : CutPoints(full)) {
        ScratchDir dir;
        const std::string path = dir.File("ledger.xml");
        int result = 1;
        {
            const FileSizeLimit limit(cut);
            result = reporttest::RunSection(writer, &ClReportWriter::WriteLedger, path);
        }
        EXPECT_EQ(result, 0) << "disk full after " << cut << " bytes";
        EXPECT_EQ(ReadBytes(path), full.substr(0, cut)) << cut;
    }
}
#endif

}  // namespace
