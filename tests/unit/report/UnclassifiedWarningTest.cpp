#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Headless.h"
#include "report/ClReportWriter.h"
#include "tests/unit/report/AccountItems.h"

namespace {

using reporttest::AccountItems;

headless::Recorder& Screen() { return headless::Recorder::Get(); }

const HWND kProgressWindow = reinterpret_cast<HWND>(0x4242);

std::string Warning(const char* code, const char* formalName) {
    return std::string(
               "以下の科目は、正しい分類に出力することができません。\r\n"
               "科目性格を見直す必要があります。\r\n\r\n"
               "科目コード\t： ") +
           code + "\r\n正式名称\t： " + formalName +
           "\r\n\r\n"
           "Tallyvaleの勘定科目設定画面にて、科目性格を\r\n"
           " [有形固定資産] [無形固定資産] [投資その他の資産]\r\n"
           "のいずれかに設定し、もう一度処理を行ってください。\r\n";
}

class UnclassifiedWarning : public ::testing::Test {
  protected:
    void SetUp() override {
        Screen().Reset();
        writer.accountItems = items.list();
    }

    std::string WriteBalanceSheet() {
        const reporttest::Written written =
            reporttest::WriteSection(writer, &ClReportWriter::WriteBalanceSheet);
        EXPECT_EQ(written.result, 1);
        return written.bytes;
    }

    // Only listed accounts with a balance of one yen or more are warned about.
    AccountItems items{
        {.classCode = 0x80840004,
         .formalName = "【差入保証金】",
         .closingAmount = 30000,
         .accountKey = 12600000},
        {.classCode = 0x80840000,
         .formalName = "固定資産その他",
         .closingAmount = -10000,
         .accountKey = 12500001},
        {.classCode = 0x80840008, .formalName = "端数", .closingAmount = 9999, .accountKey = 1},
        {.classCode = 0x80840000,
         .formalName = "【固定資産】",
         .closingAmount = 50000,
         .accountKind = 2,
         .accountKey = 2},
        {.classCode = 0x80848800, .formalName = "建物", .closingAmount = 10000, .accountKey = 3},
    };
    ClReportWriter writer;
};

TEST_F(UnclassifiedWarning, OneBoxPerAccountDuringTheFirstSubgroup) {
    writer.ownerWnd = kProgressWindow;
    WriteBalanceSheet();
    const std::vector<headless::MessageBoxCall>& boxes = Screen().messageBoxes;
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, Warning("1250", "固定資産その他"));
    EXPECT_EQ(boxes[1].text, Warning("1260", "【差入保証金】"));
    for (const headless::MessageBoxCall& box : boxes) {
        EXPECT_EQ(box.owner, kProgressWindow);
        EXPECT_EQ(box.caption, "決算書");
        EXPECT_EQ(box.type, MB_OK | MB_ICONEXCLAMATION);
    }
}

TEST_F(UnclassifiedWarning, WithoutAnOwnerNoBoxAndTheSameOutput) {
    const std::string silent = WriteBalanceSheet();
    EXPECT_TRUE(Screen().messageBoxes.empty());
    writer.ownerWnd = kProgressWindow;
    EXPECT_EQ(WriteBalanceSheet(), silent);
    EXPECT_EQ(Screen().messageBoxes.size(), 2u);
    const std::string items =
        "\t\t\t\t\t\t<Item Label=\"固定資産その他\">-1</Item>\r\n"
        "\t\t\t\t\t\t<Item Label=\"差入保証金\">3</Item>\r\n";
    EXPECT_EQ(reporttest::Block(silent, "IntangibleAssets"),
              "\t\t\t\t\t<IntangibleAssets>\r\n" + items + "\t\t\t\t\t</IntangibleAssets>\r\n");
}

// Every statement stops at the first write that fails and reports it.
TEST(StatementSections, FailedWriteFailsTheStatement) {
    AccountItems items{{.classCode = 0x80888800, .formalName = "現金", .closingAmount = 10000}};
    ClReportWriter writer;
    writer.accountItems = items.list();
    const reporttest::SectionWriter sections[] = {
        &ClReportWriter::WriteBalanceSheet,
        &ClReportWriter::WriteIncomeStatement,
        &ClReportWriter::WriteScheduleCostGoodsManufactured,
        &ClReportWriter::WriteChangesNetAssets,
    };
    for (reporttest::SectionWriter section : sections) {
        EXPECT_EQ(reporttest::RunSection(writer, section, "/dev/full"), 0);
    }
}

}  // namespace
