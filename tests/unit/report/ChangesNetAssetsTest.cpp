#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/ClReportWriter.h"
#include "tests/unit/report/AccountItems.h"

namespace {

using reporttest::Account;
using reporttest::AccountItems;
using reporttest::WriteSection;

constexpr int16_t kGroupKind = 2;
constexpr int16_t kDerivedKind = 3;
constexpr int16_t kShareholdersEquity = 1;
constexpr int16_t kMembersEquity = 2;

// Opening and closing amounts in yen (raw / 10000); the change follows from them.
Account Equity(uint32_t code, const char* name, int64_t opening, int64_t closing,
               int16_t kind = 0) {
    return {.classCode = code,
            .formalName = name,
            .closingAmount = closing * 10000,
            .accountKind = kind,
            .openingAmount = opening * 10000};
}

reporttest::Written Write(const std::vector<Account>& accounts, int16_t choice) {
    AccountItems items{};
    for (const Account& account : accounts) items.Add(account);
    ClReportWriter writer;
    writer.accountItems = items.list();
    writer.equityChoice = choice;
    return WriteSection(writer, &ClReportWriter::WriteChangesNetAssets);
}

const char kHead[] =
    "\t\t<StatementChangesNetAssets>\r\n"
    "\t\t\t<Select>1</Select>\r\n";
const char kTail[] = "\t\t</StatementChangesNetAssets>\r\n";

TEST(ChangesNetAssets, CompleteStatement) {
    const reporttest::Written written = Write(
        {
            Equity(0x80288000, "資本金", 5000, 5000),
            Equity(0x80281048, "繰越利益剰余金", 1000, 2345),
            Equity(0x80281040, "別途積立金", 0, 300),
            Equity(0x40200040, "当期純損益", 0, 1345, kGroupKind),
        },
        kShareholdersEquity);
    EXPECT_EQ(written.result, 1);
    EXPECT_EQ(written.bytes,
              "\t\t<StatementChangesNetAssets>\r\n"
              "\t\t\t<Select>1</Select>\r\n"
              "\t\t\t<ChangesNetAssetsItem>\r\n"
              "\t\t\t\t<AccountList>資本金</AccountList>\r\n"
              "\t\t\t\t<BalanceEndPreviousPeriod>5000</BalanceEndPreviousPeriod>\r\n"
              "\t\t\t\t<BalanceEndCurrentPeriod>5000</BalanceEndCurrentPeriod>\r\n"
              "\t\t\t</ChangesNetAssetsItem>\r\n"
              "\t\t\t<ChangesNetAssetsItem>\r\n"
              "\t\t\t\t<AccountList>別途積立金</AccountList>\r\n"
              "\t\t\t\t<ChangesItemsDuringPeriod>\r\n"
              "\t\t\t\t\t<TotalChangesItemsDuringPeriod>300</TotalChangesItemsDuringPeriod>\r\n"
              "\t\t\t\t</ChangesItemsDuringPeriod>\r\n"
              "\t\t\t\t<BalanceEndCurrentPeriod>300</BalanceEndCurrentPeriod>\r\n"
              "\t\t\t</ChangesNetAssetsItem>\r\n"
              "\t\t\t<ChangesNetAssetsItem>\r\n"
              "\t\t\t\t<AccountList>繰越利益剰余金</AccountList>\r\n"
              "\t\t\t\t<BalanceEndPreviousPeriod>1000</BalanceEndPreviousPeriod>\r\n"
              "\t\t\t\t<ChangesItemsDuringPeriod>\r\n"
              "\t\t\t\t\t<TotalChangesItemsDuringPeriod>1345</TotalChangesItemsDuringPeriod>\r\n"
              "\t\t\t\t\t<ChangesItem>\r\n"
              "\t\t\t\t\t\t<Reason>当期純利益</Reason>\r\n"
              "\t\t\t\t\t\t<Amount>1345</Amount>\r\n"
              "\t\t\t\t\t</ChangesItem>\r\n"
              "\t\t\t\t</ChangesItemsDuringPeriod>\r\n"
              "\t\t\t\t<BalanceEndCurrentPeriod>2345</BalanceEndCurrentPeriod>\r\n"
              "\t\t\t</ChangesNetAssetsItem>\r\n"
              "\t\t</StatementChangesNetAssets>\r\n");
}

struct EquityCase {
    const char* what;
    std::vector<Account> accounts;
    std::string items;  // the lines between Select and the end tag
};

TEST(ChangesNetAssets, ItemsFromTheirAccounts) {
    const EquityCase cases[] = {
        {"no equity account", {Equity(0x80488800, "買掛金", 10, 20)}, ""},
        {"two accounts of 0.6 yen each sum to nothing",
         {{.classCode = 0x80288000, .formalName = "資本金", .closingAmount = 6000},
          {.classCode = 0x80288000, .formalName = "資本金二", .closingAmount = 6000}},
         ""},
        {"share capital over its three codes, whole yen per account",
         {Equity(0x80288020, "資本金三", 0, 3),
          Equity(0x80288000, "資本金", 100, 100),
          Equity(0x80288040, "資本金二", 20, 20),
          {.classCode = 0x80288000, .formalName = "端数", .closingAmount = 9999}},
         "\t\t\t<ChangesNetAssetsItem>\r\n"
         "\t\t\t\t<AccountList>資本金</AccountList>\r\n"
         "\t\t\t\t<BalanceEndPreviousPeriod>120</BalanceEndPreviousPeriod>\r\n"
         "\t\t\t\t<ChangesItemsDuringPeriod>\r\n"
         "\t\t\t\t\t<TotalChangesItemsDuringPeriod>3</TotalChangesItemsDuringPeriod>\r\n"
         "\t\t\t\t</ChangesItemsDuringPeriod>\r\n"
         "\t\t\t\t<BalanceEndCurrentPeriod>123</BalanceEndCurrentPeriod>\r\n"
         "\t\t\t</ChangesNetAssetsItem>\r\n"},
        {"only kinds 0 and 3 count",
         {Equity(0x80282080, "資本準備金", 1, 1, kGroupKind),
          Equity(0x80282080, "資本準備金", 7, 7, 4),
          Equity(0x80282080, "資本準備金二", 5, 5, kDerivedKind)},
         "\t\t\t<ChangesNetAssetsItem>\r\n"
         "\t\t\t\t<AccountList>資本準備金</AccountList>\r\n"
         "\t\t\t\t<BalanceEndPreviousPeriod>5</BalanceEndPreviousPeriod>\r\n"
         "\t\t\t\t<BalanceEndCurrentPeriod>5</BalanceEndCurrentPeriod>\r\n"
         "\t\t\t</ChangesNetAssetsItem>\r\n"},
        {"the cleaned name decides between the two reserves",
         {Equity(0x80281040, "別途積立金", 0, 100), Equity(0x80281040, "任意積立金", 0, 200),
          Equity(0x80281040, "別途積立", 0, 400), Equity(0x80281040, "【別途　積立金】", 0, 800)},
         "\t\t\t<ChangesNetAssetsItem>\r\n"
         "\t\t\t\t<AccountList>別途積立金</AccountList>\r\n"
         "\t\t\t\t<ChangesItemsDuringPeriod>\r\n"
         "\t\t\t\t\t<TotalChangesItemsDuringPeriod>900</TotalChangesItemsDuringPeriod>\r\n"
         "\t\t\t\t</ChangesItemsDuringPeriod>\r\n"
         "\t\t\t\t<BalanceEndCurrentPeriod>900</BalanceEndCurrentPeriod>\r\n"
         "\t\t\t</ChangesNetAssetsItem>\r\n"
         "\t\t\t<ChangesNetAssetsItem>\r\n"
         "\t\t\t\t<AccountList>任意積立金</AccountList>\r\n"
         "\t\t\t\t<ChangesItemsDuringPeriod>\r\n"
         "\t\t\t\t\t<TotalChangesItemsDuringPeriod>600</TotalChangesItemsDuringPeriod>\r\n"
         "\t\t\t\t</ChangesItemsDuringPeriod>\r\n"
         "\t\t\t\t<BalanceEndCurrentPeriod>600</BalanceEndCurrentPeriod>\r\n"
         "\t\t\t</ChangesNetAssetsItem>\r\n"},
        {"no change of its own but a net income",
         {Equity(0x80281048, "繰越利益剰余金", 700, 700),
          Equity(0x40200040, "当期純損益", 0, -50, kGroupKind)},
         "\t\t\t<ChangesNetAssetsItem>\r\n"
         "\t\t\t\t<AccountList>繰越利益剰余金</AccountList>\r\n"
         "\t\t\t\t<BalanceEndPreviousPeriod>700</BalanceEndPreviousPeriod>\r\n"
         "\t\t\t\t<ChangesItemsDuringPeriod>\r\n"
         "\t\t\t\t\t<TotalChangesItemsDuringPeriod>0</TotalChangesItemsDuringPeriod>\r\n"
         "\t\t\t\t\t<ChangesItem>\r\n"
         "\t\t\t\t\t\t<Reason>当期純利益</Reason>\r\n"
         "\t\t\t\t\t\t<Amount>-50</Amount>\r\n"
         "\t\t\t\t\t</ChangesItem>\r\n"
         "\t\t\t\t</ChangesItemsDuringPeriod>\r\n"
         "\t\t\t\t<BalanceEndCurrentPeriod>700</BalanceEndCurrentPeriod>\r\n"
         "\t\t\t</ChangesNetAssetsItem>\r\n"},
        {"zero balances have no element: treasury shares sold, new rights issued",
         {Equity(0x80280800, "自己株式", -100, 0), Equity(0x80220000, "新株予約権", 0, 30)},
         "\t\t\t<ChangesNetAssetsItem>\r\n"
         "\t\t\t\t<AccountList>自己株式</AccountList>\r\n"
         "\t\t\t\t<BalanceEndPreviousPeriod>-100</BalanceEndPreviousPeriod>\r\n"
         "\t\t\t\t<ChangesItemsDuringPeriod>\r\n"
         "\t\t\t\t\t<TotalChangesItemsDuringPeriod>100</TotalChangesItemsDuringPeriod>\r\n"
         "\t\t\t\t</ChangesItemsDuringPeriod>\r\n"
         "\t\t\t</ChangesNetAssetsItem>\r\n"
         "\t\t\t<ChangesNetAssetsItem>\r\n"
         "\t\t\t\t<AccountList>新株予約権</AccountList>\r\n"
         "\t\t\t\t<ChangesItemsDuringPeriod>\r\n"
         "\t\t\t\t\t<TotalChangesItemsDuringPeriod>30</TotalChangesItemsDuringPeriod>\r\n"
         "\t\t\t\t</ChangesItemsDuringPeriod>\r\n"
         "\t\t\t\t<BalanceEndCurrentPeriod>30</BalanceEndCurrentPeriod>\r\n"
         "\t\t\t</ChangesNetAssetsItem>\r\n"},
        {"valuation and translation adjustments, in table order",
         {Equity(0x80242000, "土地再評価差額金", 3, 3), Equity(0x80244000, "繰延ヘッジ損益", 2, 2),
          Equity(0x80248000, "有価証券評価差額", 1, 1)},
         "\t\t\t<ChangesNetAssetsItem>\r\n"
         "\t\t\t\t<AccountList>その他有価証券評価差額金</AccountList>\r\n"
         "\t\t\t\t<BalanceEndPreviousPeriod>1</BalanceEndPreviousPeriod>\r\n"
         "\t\t\t\t<BalanceEndCurrentPeriod>1</BalanceEndCurrentPeriod>\r\n"
         "\t\t\t</ChangesNetAssetsItem>\r\n"
         "\t\t\t<ChangesNetAssetsItem>\r\n"
         "\t\t\t\t<AccountList>繰延ヘッジ損益</AccountList>\r\n"
         "\t\t\t\t<BalanceEndPreviousPeriod>2</BalanceEndPreviousPeriod>\r\n"
         "\t\t\t\t<BalanceEndCurrentPeriod>2</BalanceEndCurrentPeriod>\r\n"
         "\t\t\t</ChangesNetAssetsItem>\r\n"
         "\t\t\t<ChangesNetAssetsItem>\r\n"
         "\t\t\t\t<AccountList>土地再評価差額金</AccountList>\r\n"
         "\t\t\t\t<BalanceEndPreviousPeriod>3</BalanceEndPreviousPeriod>\r\n"
         "\t\t\t\t<BalanceEndCurrentPeriod>3</BalanceEndCurrentPeriod>\r\n"
         "\t\t\t</ChangesNetAssetsItem>\r\n"},
    };
    for (const EquityCase& c : cases) {
        const reporttest::Written written = Write(c.accounts, kShareholdersEquity);
        EXPECT_EQ(written.result, 1) << c.what;
        EXPECT_EQ(written.bytes, kHead + c.items + kTail) << c.what;
    }
}

TEST(ChangesNetAssets, BothEquityChoicesDifferOnlyInSelect) {
    const std::vector<Account> accounts = {Equity(0x80288000, "出資金", 10, 10),
                                           Equity(0x80281080, "利益準備金", 1, 2)};
    std::string shareholders = Write(accounts, kShareholdersEquity).bytes;
    const std::string members = Write(accounts, kMembersEquity).bytes;
    const std::string select = "<Select>1</Select>";
    ASSERT_NE(shareholders.find(select), std::string::npos);
    shareholders.replace(shareholders.find(select), select.size(), "<Select>2</Select>");
    EXPECT_EQ(shareholders, members);
}

TEST(ChangesNetAssets, RetainedEarningsWithoutANetIncomeAccountFail) {
    const reporttest::Written written =
        Write({Equity(0x80281048, "繰越利益剰余金", 0, 1)}, kShareholdersEquity);
    EXPECT_EQ(written.result, 0);
    EXPECT_EQ(written.bytes, kHead);
}

}  // namespace
