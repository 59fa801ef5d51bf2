#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/Records.h"
#include "report/ClReportWriter.h"
#include "tests/unit/report/AccountItems.h"
#include "tests/unit/report/TestFiles.h"
#include "util/Edition.h"

namespace {

using reporttest::AccountItems;
using reporttest::CurrentDir;
using reporttest::Fixture;
using reporttest::ReadBytes;
using reporttest::ScratchDir;

StDATAINFO Company(const char* name, int32_t manufacturing) {
    StDATAINFO data{};
    std::strncpy(data.companyName, name, sizeof data.companyName - 1);
    data.periodStart = 20240401;
    data.periodEnd = 20250331;
    data.manufacturing = manufacturing;
    return data;
}

struct Header {
    const char* functionId;
    const char* programName;
    const char* programVersion;
    const char* companyName;
    const char* cos;
};

// The statements of a company without accounts: every group as an empty pair, no
// totals, and the statement of changes in net assets with only Select.
constexpr char kEmptyBalanceSheetAndIncomeStatement[] =
    "\t\t<BalanceSheet>\r\n"
    "\t\t\t<Assets>\r\n"
    "\t\t\t\t<CurrentAssets>\r\n"
    "\t\t\t\t</CurrentAssets>\r\n"
    "\t\t\t\t<NoncurrentAssets>\r\n"
    "\t\t\t\t\t<PropertyPlantAndEquipment>\r\n"
    "\t\t\t\t\t</PropertyPlantAndEquipment>\r\n"
    "\t\t\t\t\t<IntangibleAssets>\r\n"
    "\t\t\t\t\t</IntangibleAssets>\r\n"
    "\t\t\t\t\t<InvestmentsAndOtherAssets>\r\n"
    "\t\t\t\t\t</InvestmentsAndOtherAssets>\r\n"
    "\t\t\t\t</NoncurrentAssets>\r\n"
    "\t\t\t\t<DeferredAssets>\r\n"
    "\t\t\t\t</DeferredAssets>\r\n"
    "\t\t\t</Assets>\r\n"
    "\t\t\t<Liabilities>\r\n"
    "\t\t\t\t<CurrentLiabilities>\r\n"
    "\t\t\t\t</CurrentLiabilities>\r\n"
    "\t\t\t\t<NoncurrentLiabilities>\r\n"
    "\t\t\t\t</NoncurrentLiabilities>\r\n"
    "\t\t\t</Liabilities>\r\n"
    "\t\t\t<NetAssets>\r\n"
    "\t\t\t</NetAssets>\r\n"
    "\t\t</BalanceSheet>\r\n"
    "\t\t<IncomeStatement>\r\n"
    "\t\t\t<NetSales>\r\n"
    "\t\t\t</NetSales>\r\n"
    "\t\t\t<CostOfSales>\r\n"
    "\t\t\t</CostOfSales>\r\n"
    "\t\t\t<SellingGeneralAndAdministrativeExpenses>\r\n"
    "\t\t\t</SellingGeneralAndAdministrativeExpenses>\r\n"
    "\t\t\t<NonOperatingIncome>\r\n"
    "\t\t\t</NonOperatingIncome>\r\n"
    "\t\t\t<NonOperatingExpenses>\r\n"
    "\t\t\t</NonOperatingExpenses>\r\n"
    "\t\t\t<ExtraordinaryIncome>\r\n"
    "\t\t\t</ExtraordinaryIncome>\r\n"
    "\t\t\t<ExtraordinaryLoss>\r\n"
    "\t\t\t</ExtraordinaryLoss>\r\n"
    "\t\t\t<IncomeTaxes>\r\n"
    "\t\t\t</IncomeTaxes>\r\n"
    "\t\t</IncomeStatement>\r\n";
constexpr char kEmptyCostOfManufacturing[] =
    "\t\t<ScheduleCostGoodsManufactured>\r\n"
    "\t\t\t<MaterialCost>\r\n"
    "\t\t\t</MaterialCost>\r\n"
    "\t\t\t<LaborCost>\r\n"
    "\t\t\t</LaborCost>\r\n"
    "\t\t\t<OverheadExpenses>\r\n"
    "\t\t\t</OverheadExpenses>\r\n"
    "\t\t\t<WorkProcessBeginningInventories>\r\n"
    "\t\t\t</WorkProcessBeginningInventories>\r\n"
    "\t\t\t<WorkProcessClosingInventories>\r\n"
    "\t\t\t</WorkProcessClosingInventories>\r\n"
    "\t\t</ScheduleCostGoodsManufactured>\r\n";
constexpr char kEmptyChangesNetAssets[] =
    "\t\t<StatementChangesNetAssets>\r\n"
    "\t\t\t<Select>1</Select>\r\n"
    "\t\t</StatementChangesNetAssets>\r\n";

std::string ExpectedReport(const Header& h, bool manufacturing) {
    return std::string("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n") +
           "<REPORT>\r\n"
           "\t<SYSTEM>\r\n"
           "\t\t<GYOUMUPREFIX>RC25</GYOUMUPREFIX>\r\n"
           "\t\t<VERSION>1</VERSION>\r\n"
           "\t\t<FUNCTIONID>" +
           h.functionId +
           "</FUNCTIONID>\r\n"
           "\t\t<CONNECTEDPROGRAMVER>22.52.01</CONNECTEDPROGRAMVER>\r\n"
           "\t\t<PROGRAMNAME>" +
           h.programName +
           "</PROGRAMNAME>\r\n"
           "\t\t<PROGRAMVER>" +
           h.programVersion +
           "</PROGRAMVER>\r\n"
           "\t</SYSTEM>\r\n"
           "\t<BASIC>\r\n"
           "\t\t<KOMONSAKINAME>" +
           h.companyName +
           "</KOMONSAKINAME>\r\n"
           "\t\t<JIGYOUNENDOFROM>20240401</JIGYOUNENDOFROM>\r\n"
           "\t\t<JIGYOUNENDOTO>20250331</JIGYOUNENDOTO>\r\n"
           "\t\t<PATTERN>\r\n"
           "\t\t\t<BS>\r\n"
           "\t\t\t\t<CA>\r\n"
           "\t\t\t\t\t<Doubtful>A2</Doubtful>\r\n"
           "\t\t\t\t</CA>\r\n"
           "\t\t\t\t<PPE>\r\n"
           "\t\t\t\t\t<DepImp>B4</DepImp>\r\n"
           "\t\t\t\t</PPE>\r\n"
           "\t\t\t\t<IOA>\r\n"
           "\t\t\t\t\t<Doubtful>C2</Doubtful>\r\n"
           "\t\t\t\t\t<DepImp>D4</DepImp>\r\n"
           "\t\t\t\t</IOA>\r\n"
           "\t\t\t</BS>\r\n"
           "\t\t\t<PL>\r\n"
           "\t\t\t\t<Sales>E3</Sales>\r\n"
           "\t\t\t\t<Cos>" +
           h.cos +
           "</Cos>\r\n"
           "\t\t\t\t<Sga>G1</Sga>\r\n"
           "\t\t\t</PL>\r\n"
           "\t\t</PATTERN>\r\n"
           "\t</BASIC>\r\n"
           "\t<DATA>\r\n" +
           kEmptyBalanceSheetAndIncomeStatement + (manufacturing ? kEmptyCostOfManufacturing : "") +
           kEmptyChangesNetAssets +
           "\t</DATA>\r\n"
           "</REPORT>\r\n";
}

struct ReportCase {
    const char* what;
    const char* supportFolder;  // fixture folder whose SUPPORT.INF is current; none without
    int16_t functionId;
    StDATAINFO data;
    Header expected;
};

TEST(ClReportWriter, WritesTheWholeReport) {
    const ReportCase cases[] = {
        {"without SUPPORT.INF",
         nullptr,
         3,
         Company("Minato & Co", 0),
         {"3", "Tallyvale２２", "22.52.0X", "Ｍｉｎａｔｏ　＆　Ｃｏ", "F1"}},
        {"with SUPPORT.INF",
         "support",
         -12,
         Company("港商会", 1),
         {"-12", "Tallyvale２２ Ｓｔａｎｄａｒｄ", "22.10.03", "港商会", "F3"}},
        {"with a product-name line holding only the key",
         "support/key-only",
         3,
         Company("ｶﾌﾞｼｷｶﾞｲｼｬ", 0),
         {"3", "Tallyvale２２", "22.10.03", "カブシキガイシャ", "F1"}},
    };
    for (const ReportCase& c : cases) {
        ScratchDir dir;
        if (c.supportFolder) {
            std::filesystem::copy_file(Fixture(c.supportFolder) / "SUPPORT.INF",
                                       dir.path() / "SUPPORT.INF");
        }
        const std::string path = dir.File("report.xml");
        int result = 0;
        {
            CurrentDir current(dir.path());
            ClReportWriter writer;
            writer.productName = Edition(EditionId::Basic).productName;
            writer.equityChoice = 1;
            result = writer.Write(path.c_str(), c.functionId, c.data);
        }
        EXPECT_EQ(result, 1) << c.what;
        EXPECT_EQ(ReadBytes(path), ExpectedReport(c.expected, c.data.manufacturing != 0)) << c.what;
    }
}

// Retained earnings need the net-income account; without it the statement of changes
// in net assets fails, and DATA ends there without its end tag.
TEST(ClReportWriter, FailedStatementFailsTheReport) {
    AccountItems items{
        {.classCode = 0x80281048, .formalName = "繰越利益剰余金", .closingAmount = 10000}};
    ScratchDir dir;
    const std::string path = dir.File("report.xml");
    ClReportWriter writer;
    writer.accountItems = items.list();
    {
        CurrentDir current(dir.path());
        EXPECT_EQ(writer.Write(path.c_str(), 3, Company("ABC", 0)), 0);
    }
    const std::string bytes = ReadBytes(path);
    const std::string ending = "\t\t\t<Select>0</Select>\r\n</REPORT>\r\n";
    ASSERT_GE(bytes.size(), ending.size());
    EXPECT_EQ(bytes.substr(bytes.size() - ending.size()), ending);
    EXPECT_NE(bytes.find("<Item Label=\"繰越利益剰余金\">1</Item>"), std::string::npos);
}

TEST(ClReportWriter, FileThatCannotBeCreatedFailsTheReport) {
    ScratchDir dir;
    const std::string path = dir.File("missing/report.xml");
    ClReportWriter writer;
    EXPECT_EQ(writer.Write(path.c_str(), 3, Company("ABC", 0)), 0);
    EXPECT_FALSE(std::filesystem::exists(path));
}

#ifndef _WIN32
TEST(ClReportWriter, WriteErrorFailsTheReport) {
    ClReportWriter writer;
    EXPECT_EQ(writer.Write("/dev/full", 3, Company("ABC", 0)), 0);
}

// The report as an importing application reads it: well-formed, Shift_JIS.
TEST(ClReportWriter, ReportDecodesAsShiftJis) {
    if (std::system("xmllint --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xmllint";
    ScratchDir dir;
    const std::string path = dir.File("report.xml");
    {
        CurrentDir current(dir.path());
        ClReportWriter writer;
        writer.productName = Edition(EditionId::Hearth).productName;
        ASSERT_EQ(writer.Write(path.c_str(), 3, Company("表示<ソフト>", 0)), 1);
    }
    const std::string decoded = dir.File("decoded.xml");
    const std::string command = "xmllint --encode UTF-8 --output '" + decoded + "' '" + path + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string utf8 = ReadBytes(decoded);
    // 表示＜ソフト＞ and Tallyvale２２ Hearthside, in UTF-8.
    EXPECT_NE(
        utf8.find("<KOMONSAKINAME>\xE8\xA1\xA8\xE7\xA4\xBA\xEF\xBC\x9C\xE3\x82\xBD\xE3\x83\x95"
                  "\xE3\x83\x88\xEF\xBC\x9E</KOMONSAKINAME>"),
        std::string::npos);
    EXPECT_NE(utf8.find("<PROGRAMNAME>Tallyvale\xEF\xBC\x92\xEF\xBC\x92 Hearthside</PROGRAMNAME>"),
              std::string::npos);
}
#endif

std::string Repeat(const char* text, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += text;
    return out;
}

struct NameCase {
    const char* what;
    std::string name;
    std::string expected;
};

TEST(ClReportWriter, CompanyNameIsFullWidthAndBoundedToWholeCharacters) {
    const std::string letters30 = Repeat("a", 30);
    const std::string wide30 = Repeat("ａ", 30);
    const NameCase cases[] = {
        {"short name", "Abc 1", "Ａｂｃ　１"},
        {"30 half-width letters double", letters30, wide30},
        {"31 letters fit in 62 bytes", letters30 + "b", wide30 + "ｂ"},
        {"32 letters keep 31 characters", letters30 + "bc", wide30 + "ｂ"},
        {"half-width katakana join", "ﾐﾅﾄｶﾞｲｼｬ ﾊﾟﾝ", "ミナトガイシャ　パン"},
        {"one single byte first: a cut at byte 32 would split, 63 bytes are kept",
         "\\" + letters30 + "bcd", "\\" + wide30 + "ｂ"},
        {"two single bytes first: 62 bytes", "\\\\" + letters30 + "bcd", "\\\\" + wide30},
        {"255 half-width letters", Repeat("Z", 255), Repeat("Ｚ", 31)},
        {"255 bytes of double-byte characters", Repeat("表", 127) + "A", Repeat("表", 31)},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(ClReportWriter::CompanyNameForXml(c.name.c_str()).str(), c.expected) << c.what;
    }
}

}  // namespace
