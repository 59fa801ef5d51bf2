#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/ClReportWriter.h"
#include "report/SectionTrees.h"
#include "tests/unit/report/AccountItems.h"

namespace {

using reporttest::Account;
using reporttest::AccountItems;
using reporttest::Block;
using reporttest::WriteSection;

constexpr int16_t kGroupKind = 2;
constexpr int16_t kDerivedKind = 3;

std::string Write(AccountItems& items, reporttest::SectionWriter section) {
    ClReportWriter writer;
    writer.accountItems = items.list();
    const reporttest::Written written = WriteSection(writer, section);
    EXPECT_EQ(written.result, 1);
    return written.bytes;
}

TEST(StatementSections, BalanceSheet) {
    AccountItems items{
        {0x80800000, "【資産の部】", 123450000, kGroupKind},
        {0x80880000, "【流動資産】", 100000000, kGroupKind},
        {0x80888800, "現金", 30000000},
        {0x80888400, "普通預金", 70000000},
        {0x80848800, "建物", 20000000},
        {0x80840008, "器具（未分類）", 3450000},
        {0x80400000, "【負債の部】", 50000000, kGroupKind},
        {0x80488800, "買掛金", 50000000},
        {0x80200000, "【純資産の部】", 73450000, kGroupKind},
        {0x80288000, "資本金", 50000000},
        {0x80281048, "繰越利益剰余金", 23450000},
    };
    EXPECT_EQ(Write(items, &ClReportWriter::WriteBalanceSheet),
              "\t\t<BalanceSheet>\r\n"
              "\t\t\t<Assets Label=\"資産の部\" Amount=\"12345\">\r\n"
              "\t\t\t\t<CurrentAssets Label=\"流動資産\" Amount=\"10000\">\r\n"
              "\t\t\t\t\t<Item Label=\"現金\">3000</Item>\r\n"
              "\t\t\t\t\t<Item Label=\"普通預金\">7000</Item>\r\n"
              "\t\t\t\t</CurrentAssets>\r\n"
              "\t\t\t\t<NoncurrentAssets>\r\n"
              "\t\t\t\t\t<PropertyPlantAndEquipment>\r\n"
              "\t\t\t\t\t\t<Item Label=\"建物\">2000</Item>\r\n"
              "\t\t\t\t\t\t<Item Label=\"器具未分類\">345</Item>\r\n"
              "\t\t\t\t\t</PropertyPlantAndEquipment>\r\n"
              "\t\t\t\t\t<IntangibleAssets>\r\n"
              "\t\t\t\t\t\t<Item Label=\"器具未分類\">345</Item>\r\n"
              "\t\t\t\t\t</IntangibleAssets>\r\n"
              "\t\t\t\t\t<InvestmentsAndOtherAssets>\r\n"
              "\t\t\t\t\t\t<Item Label=\"器具未分類\">345</Item>\r\n"
              "\t\t\t\t\t</InvestmentsAndOtherAssets>\r\n"
              "\t\t\t\t</NoncurrentAssets>\r\n"
              "\t\t\t\t<DeferredAssets>\r\n"
              "\t\t\t\t</DeferredAssets>\r\n"
              "\t\t\t</Assets>\r\n"
              "\t\t\t<Liabilities Label=\"負債の部\" Amount=\"5000\">\r\n"
              "\t\t\t\t<CurrentLiabilities>\r\n"
              "\t\t\t\t\t<Item Label=\"買掛金\">5000</Item>\r\n"
              "\t\t\t\t</CurrentLiabilities>\r\n"
              "\t\t\t\t<NoncurrentLiabilities>\r\n"
              "\t\t\t\t</NoncurrentLiabilities>\r\n"
              "\t\t\t</Liabilities>\r\n"
              "\t\t\t<NetAssets Label=\"純資産の部\" Amount=\"7345\">\r\n"
              "\t\t\t\t<Item Label=\"資本金\">5000</Item>\r\n"
              "\t\t\t\t<Item Label=\"繰越利益剰余金\">2345</Item>\r\n"
              "\t\t\t</NetAssets>\r\n"
              "\t\t</BalanceSheet>\r\n");
}

TEST(StatementSections, IncomeStatement) {
    AccountItems items{
        {0x40888000, "【売上高】", 500000000, kGroupKind},
        {0x40888800, "売上高", 500000000},
        {0x40884000, "【売上原価】", 300000000, kGroupKind},
        {0x40884800, "仕入高", 300000000},
        {0x40880008, "《売上総損益》", 200000000, kGroupKind, "売上総利益"},
        {0x40882000, "【販売費及び一般管理費】", 150000000, kGroupKind},
        {0x40882800, "給料手当", 150000000},
        {0x40880000, "《営業損益》", 50000000, kGroupKind},
        {0x40800000, "《経常損益》", 50000000, kGroupKind, "経常利益"},
        {0x40200080, "《税引前当期純損益》", 50000000, kGroupKind, "税引前当期純利益"},
        {0x40200008, "法人税、住民税及び事業税", 15000000},
        {0x40200040, "《当期純損益》", 35000000, kGroupKind, "当期純利益"},
    };
    EXPECT_EQ(Write(items, &ClReportWriter::WriteIncomeStatement),
              "\t\t<IncomeStatement>\r\n"
              "\t\t\t<NetSales Label=\"売上高\" Amount=\"50000\">\r\n"
              "\t\t\t\t<Item Label=\"売上高\">50000</Item>\r\n"
              "\t\t\t</NetSales>\r\n"
              "\t\t\t<CostOfSales Label=\"売上原価\" Amount=\"30000\">\r\n"
              "\t\t\t\t<Item Label=\"仕入高\">30000</Item>\r\n"
              "\t\t\t</CostOfSales>\r\n"
              "\t\t\t<GrossProfit Label=\"売上総利益\" Amount=\"20000\"></GrossProfit>\r\n"
              "\t\t\t<SellingGeneralAndAdministrativeExpenses Label=\"販売費及び一般管理費\" "
              "Amount=\"15000\">\r\n"
              "\t\t\t\t<Item Label=\"給料手当\">15000</Item>\r\n"
              "\t\t\t</SellingGeneralAndAdministrativeExpenses>\r\n"
              "\t\t\t<OperatingIncome Label=\"営業損益\" Amount=\"5000\"></OperatingIncome>\r\n"
              "\t\t\t<NonOperatingIncome>\r\n"
              "\t\t\t</NonOperatingIncome>\r\n"
              "\t\t\t<NonOperatingExpenses>\r\n"
              "\t\t\t</NonOperatingExpenses>\r\n"
              "\t\t\t<OrdinaryIncome Label=\"経常利益\" Amount=\"5000\"></OrdinaryIncome>\r\n"
              "\t\t\t<ExtraordinaryIncome>\r\n"
              "\t\t\t</ExtraordinaryIncome>\r\n"
              "\t\t\t<ExtraordinaryLoss>\r\n"
              "\t\t\t</ExtraordinaryLoss>\r\n"
              "\t\t\t<IncomeBeforeIncomeTaxes Label=\"税引前当期純利益\" "
              "Amount=\"5000\"></IncomeBeforeIncomeTaxes>\r\n"
              "\t\t\t<IncomeTaxes>\r\n"
              "\t\t\t\t<Item Label=\"法人税、住民税及び事業税\">1500</Item>\r\n"
              "\t\t\t</IncomeTaxes>\r\n"
              "\t\t\t<NetIncome Label=\"当期純利益\" Amount=\"3500\"></NetIncome>\r\n"
              "\t\t</IncomeStatement>\r\n");
}

TEST(StatementSections, CostOfManufacturing) {
    AccountItems items{
        {0x20800000, "【材料費】", 100000000, kGroupKind},
        {0x20808000, "材料仕入高", 100000000},
        {0x20040000, "【外注加工費】", 20000000, kGroupKind},
        {0x20048000, "外注加工費", 20000000},
        {0x20200000, "【製造経費】", 30000000, kGroupKind},
        {0x20208000, "電力費", 30000000},
        {0x20080000, "《当期総製造費用》", 150000000, kGroupKind},
        {0x20108000, "【期首仕掛品棚卸高】", 5000000, kGroupKind},
        {0x20108800, "期首仕掛品", 5000000},
        {0x20100008, "《合計》", 155000000, kGroupKind},
        {0x20102000, "【期末仕掛品棚卸高】", 8000000, kGroupKind},
        {0x20102800, "期末仕掛品", 8000000},
        {0x40884200, "《当期製品製造原価》", 147000000, kGroupKind},
    };
    EXPECT_EQ(
        Write(items, &ClReportWriter::WriteScheduleCostGoodsManufactured),
        "\t\t<ScheduleCostGoodsManufactured>\r\n"
        "\t\t\t<MaterialCost Label=\"材料費\" Amount=\"10000\">\r\n"
        "\t\t\t\t<Item Label=\"材料仕入高\">10000</Item>\r\n"
        "\t\t\t</MaterialCost>\r\n"
        "\t\t\t<LaborCost>\r\n"
        "\t\t\t</LaborCost>\r\n"
        "\t\t\t<SubcontractCost Label=\"外注加工費\" Amount=\"2000\">\r\n"
        "\t\t\t\t<Item Label=\"外注加工費\">2000</Item>\r\n"
        "\t\t\t</SubcontractCost>\r\n"
        "\t\t\t<OverheadExpenses Label=\"製造経費\" Amount=\"3000\">\r\n"
        "\t\t\t\t<Item Label=\"電力費\">3000</Item>\r\n"
        "\t\t\t</OverheadExpenses>\r\n"
        "\t\t\t<TotalProductionCostUtilized Label=\"当期総製造費用\" "
        "Amount=\"15000\"></TotalProductionCostUtilized>\r\n"
        "\t\t\t<WorkProcessBeginningInventories Label=\"期首仕掛品棚卸高\" Amount=\"500\">\r\n"
        "\t\t\t\t<Item Label=\"期首仕掛品\">500</Item>\r\n"
        "\t\t\t</WorkProcessBeginningInventories>\r\n"
        "\t\t\t<SubtotalScheduleCostGoodsManufactured Label=\"合計\" "
        "Amount=\"15500\"></SubtotalScheduleCostGoodsManufactured>\r\n"
        "\t\t\t<WorkProcessClosingInventories Label=\"期末仕掛品棚卸高\" Amount=\"800\">\r\n"
        "\t\t\t\t<Item Label=\"期末仕掛品\">800</Item>\r\n"
        "\t\t\t</WorkProcessClosingInventories>\r\n"
        "\t\t\t<CostFinishedGoods Label=\"当期製品製造原価\" "
        "Amount=\"14700\"></CostFinishedGoods>\r\n"
        "\t\t</ScheduleCostGoodsManufactured>\r\n");
}

// One element of a section, for a list of accounts.
struct BlockCase {
    const char* what;
    std::vector<Account> accounts;
    reporttest::SectionWriter section;
    const char* element;
    std::string expected;
};

void ExpectBlocks(const std::vector<BlockCase>& cases) {
    for (const BlockCase& c : cases) {
        AccountItems items{};
        for (const Account& account : c.accounts) items.Add(account);
        EXPECT_EQ(Block(Write(items, c.section), c.element), c.expected) << c.what;
    }
}

constexpr reporttest::SectionWriter kBalanceSheet = &ClReportWriter::WriteBalanceSheet;
constexpr reporttest::SectionWriter kIncomeStatement = &ClReportWriter::WriteIncomeStatement;
constexpr reporttest::SectionWriter kCostReport =
    &ClReportWriter::WriteScheduleCostGoodsManufactured;

TEST(StatementSections, GroupsWithoutTheirOwnAccountKeepTheirItems) {
    ExpectBlocks({
        {"no account at all",
         {},
         kBalanceSheet,
         "CurrentAssets",
         "\t\t\t\t<CurrentAssets>\r\n\t\t\t\t</CurrentAssets>\r\n"},
        {"items only",
         {{0x80888800, "現金", 50000}},
         kBalanceSheet,
         "CurrentAssets",
         "\t\t\t\t<CurrentAssets>\r\n"
         "\t\t\t\t\t<Item Label=\"現金\">5</Item>\r\n"
         "\t\t\t\t</CurrentAssets>\r\n"},
        {"a group account of any kind labels the group",
         {{0x80480000, "【流動負債】", -70000, kGroupKind}, {0x80488800, "買掛金", -70000}},
         kBalanceSheet,
         "CurrentLiabilities",
         "\t\t\t\t<CurrentLiabilities Label=\"流動負債\" Amount=\"-7\">\r\n"
         "\t\t\t\t\t<Item Label=\"買掛金\">-7</Item>\r\n"
         "\t\t\t\t</CurrentLiabilities>\r\n"},
        {"the first account with the exact code labels the group",
         {{0x40888000, "売上高一", 10000, kGroupKind}, {0x40888000, "売上高二", 20000, kGroupKind}},
         kIncomeStatement,
         "NetSales",
         "\t\t\t<NetSales Label=\"売上高一\" Amount=\"1\">\r\n\t\t\t</NetSales>\r\n"},
        {"noncurrent assets have no items of their own",
         {{0x80848800, "建物", 10000}},
         kBalanceSheet,
         "NoncurrentAssets",
         "\t\t\t\t<NoncurrentAssets>\r\n"
         "\t\t\t\t\t<PropertyPlantAndEquipment>\r\n"
         "\t\t\t\t\t\t<Item Label=\"建物\">1</Item>\r\n"
         "\t\t\t\t\t</PropertyPlantAndEquipment>\r\n"
         "\t\t\t\t\t<IntangibleAssets>\r\n"
         "\t\t\t\t\t</IntangibleAssets>\r\n"
         "\t\t\t\t\t<InvestmentsAndOtherAssets>\r\n"
         "\t\t\t\t\t</InvestmentsAndOtherAssets>\r\n"
         "\t\t\t\t</NoncurrentAssets>\r\n"},
        {"an account exactly on the income-tax code adds no attributes to IncomeTaxes",
         {{0x40200000, "【差引損益】", 10000, kGroupKind}},
         kIncomeStatement,
         "IncomeTaxes",
         "\t\t\t<IncomeTaxes>\r\n\t\t\t</IncomeTaxes>\r\n"},
    });
}

TEST(StatementSections, TotalsWithoutAnAccountLeaveNoTrace) {
    ExpectBlocks({
        {"no account", {{0x40888800, "売上高", 10000}}, kIncomeStatement, "GrossProfit", ""},
        {"a listed account below the code is no total",
         {{0x40880008 | 0x00000100, "売上総利益", 10000}},
         kIncomeStatement,
         "GrossProfit",
         ""},
        {"second name",
         {{0x40880008, "《売上総損益》", 10000, kGroupKind, "売上総利益"}},
         kIncomeStatement,
         "GrossProfit",
         "\t\t\t<GrossProfit Label=\"売上総利益\" Amount=\"1\"></GrossProfit>\r\n"},
        {"a second name that cleans to nothing falls back to the formal name",
         {{0x40200040, "《当期純損益》", 10000, kGroupKind, "【 】"}},
         kIncomeStatement,
         "NetIncome",
         "\t\t\t<NetIncome Label=\"当期純損益\" Amount=\"1\"></NetIncome>\r\n"},
        {"zero total",
         {{0x40800000, "経常損益", 0, kGroupKind}},
         kIncomeStatement,
         "OrdinaryIncome",
         "\t\t\t<OrdinaryIncome Label=\"経常損益\" Amount=\"\"></OrdinaryIncome>\r\n"},
        {"cost of finished goods",
         {{0x40884200, "当期製品製造原価", -20000, kDerivedKind}},
         kCostReport,
         "CostFinishedGoods",
         "\t\t\t<CostFinishedGoods Label=\"当期製品製造原価\" "
         "Amount=\"-2\"></CostFinishedGoods>\r\n"},
    });
}

TEST(StatementSections, AmountsBelowOneYen) {
    ExpectBlocks({
        {"items: -15000 is -1, 15000 is 1, nothing below one yen",
         {{0x80888800, "現金", -15000},
          {0x80888400, "預金", 9999},
          {0x80884800, "売掛金", -9999},
          {0x80882800, "製品", 15000},
          {0x80881800, "前払費用", 0}},
         kBalanceSheet,
         "CurrentAssets",
         "\t\t\t\t<CurrentAssets>\r\n"
         "\t\t\t\t\t<Item Label=\"現金\">-1</Item>\r\n"
         "\t\t\t\t\t<Item Label=\"製品\">1</Item>\r\n"
         "\t\t\t\t</CurrentAssets>\r\n"},
        {"a group account below one yen has an empty amount",
         {{0x80820000, "繰延資産", 9999, kGroupKind}},
         kBalanceSheet,
         "DeferredAssets",
         "\t\t\t\t<DeferredAssets Label=\"繰延資産\" Amount=\"\">\r\n"
         "\t\t\t\t</DeferredAssets>\r\n"},
        {"a total below one yen has an empty amount",
         {{0x40880000, "営業損益", -9999, kGroupKind}},
         kIncomeStatement,
         "OperatingIncome",
         "\t\t\t<OperatingIncome Label=\"営業損益\" Amount=\"\"></OperatingIncome>\r\n"},
    });
}

TEST(StatementSections, OnlyKindsZeroAndThreeAreListed) {
    ExpectBlocks({
        {"kinds 0 and 3 listed, 2, 4 and -1 not",
         {{0x80888800, "現金", 10000, 0},
          {0x80888400, "預金", 20000, kGroupKind},
          {0x80884800, "売掛金", 30000, kDerivedKind},
          {0x80882800, "製品", 40000, 4},
          {0x80881800, "前払費用", 50000, -1}},
         kBalanceSheet,
         "CurrentAssets",
         "\t\t\t\t<CurrentAssets>\r\n"
         "\t\t\t\t\t<Item Label=\"現金\">1</Item>\r\n"
         "\t\t\t\t\t<Item Label=\"売掛金\">3</Item>\r\n"
         "\t\t\t\t</CurrentAssets>\r\n"},
        {"unclassified noncurrent assets of other kinds are not listed",
         {{0x80840000, "固定資産", 10000, kGroupKind}, {0x80840004, "その他", 20000, 4}},
         kBalanceSheet,
         "IntangibleAssets",
         "\t\t\t\t\t<IntangibleAssets>\r\n\t\t\t\t\t</IntangibleAssets>\r\n"},
    });
}

TEST(StatementSections, UnclassifiedNoncurrentAssetsInEachSubgroupAfterItsItems) {
    const std::vector<Account> accounts = {
        {0x80840004, "差入保証金", 30000},     {0x80842800, "投資有価証券", 40000},
        {0x80840000, "固定資産その他", 10000}, {0x80840008, "器具", 20000},
        {0x80840008, "未使用", 5000},
    };
    const std::string unclassified =
        "\t\t\t\t\t\t<Item Label=\"固定資産その他\">1</Item>\r\n"
        "\t\t\t\t\t\t<Item Label=\"器具\">2</Item>\r\n"
        "\t\t\t\t\t\t<Item Label=\"差入保証金\">3</Item>\r\n";
    ExpectBlocks({
        {"property, plant and equipment", accounts, kBalanceSheet, "PropertyPlantAndEquipment",
         "\t\t\t\t\t<PropertyPlantAndEquipment>\r\n" + unclassified +
             "\t\t\t\t\t</PropertyPlantAndEquipment>\r\n"},
        {"intangible assets", accounts, kBalanceSheet, "IntangibleAssets",
         "\t\t\t\t\t<IntangibleAssets>\r\n" + unclassified + "\t\t\t\t\t</IntangibleAssets>\r\n"},
        {"investments and other assets", accounts, kBalanceSheet, "InvestmentsAndOtherAssets",
         "\t\t\t\t\t<InvestmentsAndOtherAssets>\r\n"
         "\t\t\t\t\t\t<Item Label=\"投資有価証券\">4</Item>\r\n" +
             unclassified + "\t\t\t\t\t</InvestmentsAndOtherAssets>\r\n"},
    });
}

TEST(StatementSections, IncomeTaxesLeaveOutTheLinesThatAreNoTaxes) {
    ExpectBlocks({
        {"income before income taxes, 0x40200020 and 0x40200010 are left out",
         {{0x40200080, "税引前当期純利益", 10000},
          {0x40200008, "法人税等", 20000},
          {0x40200020, "前期繰越利益", 30000},
          {0x40200010, "当期未処分利益", 40000},
          {0x40200004, "事業税", 50000, kDerivedKind}},
         kIncomeStatement,
         "IncomeTaxes",
         "\t\t\t<IncomeTaxes>\r\n"
         "\t\t\t\t<Item Label=\"法人税等\">2</Item>\r\n"
         "\t\t\t\t<Item Label=\"事業税\">5</Item>\r\n"
         "\t\t\t</IncomeTaxes>\r\n"},
    });
}

TEST(StatementSections, SubcontractCostOnlyWithAnAccountOnItsCode) {
    ExpectBlocks({
        {"without any subcontract account",
         {{0x20808000, "材料仕入高", 10000}},
         kCostReport,
         "SubcontractCost",
         ""},
        {"items below the code alone do not make the group",
         {{0x20048000, "外注加工費", 10000}},
         kCostReport,
         "SubcontractCost",
         ""},
        {"an account on the code with a zero amount",
         {{0x20040000, "外注費", 0}, {0x20048000, "外注加工費", 10000}},
         kCostReport,
         "SubcontractCost",
         "\t\t\t<SubcontractCost Label=\"外注費\" Amount=\"\">\r\n"
         "\t\t\t\t<Item Label=\"外注加工費\">1</Item>\r\n"
         "\t\t\t</SubcontractCost>\r\n"},
    });
}

// Every start row of a tree is closed by an end row of the same name and depth, and
// every row sits one level below the row that opened its parent.
TEST(StatementSections, TreesAreWellNested) {
    const std::span<const SectionRow> trees[] = {kBalanceSheetRows, kIncomeStatementRows,
                                                 kCostOfManufacturingRows};
    for (std::span<const SectionRow> tree : trees) {
        std::vector<const SectionRow*> open;
        for (const SectionRow& row : tree) {
            const int parentDepth = open.empty() ? 1 : open.back()->depth;
            if (row.kind == RowKind::End) {
                ASSERT_FALSE(open.empty()) << row.name;
                EXPECT_STREQ(open.back()->name, row.name);
                EXPECT_EQ(open.back()->depth, row.depth) << row.name;
                open.pop_back();
                continue;
            }
            EXPECT_EQ(row.depth, parentDepth + 1) << (row.name ? row.name : "(items)");
            if (row.kind == RowKind::Start || row.kind == RowKind::GroupStart) open.push_back(&row);
        }
        EXPECT_TRUE(open.empty());
    }
}

}  // namespace
