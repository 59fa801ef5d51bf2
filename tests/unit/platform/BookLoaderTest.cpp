#include <gtest/gtest.h>

#include <string>

#include "platform/BookLoader.h"

namespace {

struct Refusal {
    std::string book;
    const char* problem;
};

std::string Company(const std::string& fields) {
    return R"({"format":1,"companies":[{"id":"D1","number":1,"periodStart":20230401,"periodEnd":20240331,)" +
           fields + "}]}";
}

std::string Account(const std::string& fields) {
    return Company(R"("accounts":[{"key":10000,"class":1,)" + fields + "}]");
}

std::string Ledger(const std::string& fields) {
    return Account(R"("ledger":[{"voucherId":1,"date":20230401,)" + fields + "}]");
}

const Refusal kRefusals[] = {
    {"", "line 1, column 1: syntax error"},
    {"{\n  \"format\": 1,\n  x}", "line 3, column 3: syntax error"},
    {"{\"format\":1} x", "line 1, column 14: syntax error"},
    {std::string(65, '[') + std::string(65, ']'), "line 1, column 65: nesting deeper than 64"},
    {"[]", "the top level: expected an object"},
    {"{}", "the top level: the field \"format\" is required"},
    {R"({"format":2})", "format: expected 1"},
    {R"({"format":1.0})", "format: expected an integer"},
    {R"({"format":1e0})", "format: expected an integer"},
    {R"({"format":"1"})", "format: expected an integer"},
    {R"({"format":1,"colour":1})", "colour: unknown field"},
    {R"({"format":1,"unit":"yen","unit":"raw"})", "unit: the member name is repeated"},
    {R"({"format":1,"user":null})", "user: null is not allowed"},
    {R"({"format":1,"eras":[1,null]})", "eras[1]: null is not allowed"},
    {R"({"format":1,"unit":"dollar"})", "unit: expected \"raw\" or \"yen\""},
    {R"({"format":1,"user":{"id":")" + std::string(65, 'u') + R"("}})",
     "user.id: the text is longer than 64 Shift_JIS bytes"},
    {R"({"format":1,"user":{"id":"\u00a5"}})",
     "user.id: the text has a character without a Shift_JIS (code page 932) form"},
    {R"({"format":1,"user":{"id":"a\u0000b"}})", "user.id: the text holds a NUL character"},
    {R"({"format":1,"user":{"selectedDataNo":2147483648}})",
     "user.selectedDataNo: expected an integer from -2147483648 to 2147483647"},
    {R"({"format":1,"folders":{"output":"C:\\out"}})",
     "folders.output: expected an empty text or a folder ending with a backslash"},
    {R"({"format":1,"folders":{"settings":"C:\\)" + std::string(257, 'f') + R"(\\"}})",
     "folders.settings: the text is longer than 259 Shift_JIS bytes"},
    {R"({"format":1,"eras":[{"name":"A","start":20000101},{"name":"B","start":19991231}]})",
     "eras[1].start: the eras must be sorted by start"},
    {R"({"format":1,"eras":[{"start":20000101}]})", "eras[0]: the field \"name\" is required"},
    {R"({"format":1,"eras":[{"name":"\u4ee4\u548c\u5143\u5e74","start":20190501}]})",
     "eras[0].name: the text is longer than 6 Shift_JIS bytes"},
    {R"({"format":1,"eras":[{"name":"X","start":20230229}]})",
     "eras[0].start: expected a valid calendar date yyyymmdd"},
    {R"({"format":1,"companies":[{"id":"D1","number":1,"periodStart":20230401,"periodEnd":20240331},)"
     R"({"id":"D1","number":2,"periodStart":20230401,"periodEnd":20240331}]})",
     "companies[1].id: another company has the same id"},
    {R"({"format":1,"companies":[{"id":"D1","number":1,"periodStart":20230401,"periodEnd":20240331},)"
     R"({"id":"D2","number":1,"periodStart":20230401,"periodEnd":20240331}]})",
     "companies[1].number: another company has the same number"},
    {R"({"format":1,"companies":[{"id":"","number":1,"periodStart":20230401,"periodEnd":20240331}]})",
     "companies[0].id: the data identifier must not be empty"},
    {R"({"format":1,"companies":[{"id":"D1","number":1,"periodStart":20230401,"periodEnd":20230331}]})",
     "companies[0].periodEnd: the period ends before it starts"},
    {R"({"format":1,"companies":[{"id":"D1","number":1,"periodStart":20230101,"periodEnd":20240131}]})",
     "companies[0].periodEnd: the period has more than 12 accounting months"},
    {R"({"format":1,"companies":[{"id":"D1","number":1,"periodStart":20230121,"periodEnd":20240121}]})",
     "companies[0].periodEnd: the period has more than 12 accounting months"},
    {Company(R"("startOfUseMonth":40000)"),
     "companies[0].startOfUseMonth: expected an integer from -32768 to 32767"},
    {Company(R"("companyLaw":256)"), "companies[0].companyLaw: expected an integer from 0 to 255"},
    {Company(R"("taxSettings":{"sumSet":-1})"), "companies[0].taxSettings.sumSet: expected an"},
    {Company(R"("saved":{"notes":""})"), "companies[0].saved.notes: unknown field"},
    {Account(R"("key":-1)"), "member name is repeated"},
    {Company(R"("accounts":[{"key":-1,"class":1}])"),
     "companies[0].accounts[0].key: expected an integer from 0 to 4294967295"},
    {Company(R"("accounts":[{"key":1}])"),
     "companies[0].accounts[0]: the field \"class\" is required"},
    {Company(R"("accounts":[{"key":1,"class":"0x123456789"}])"),
     "companies[0].accounts[0].class: expected an integer or \"0x\""},
    {Company(R"("accounts":[{"key":1,"class":"80"}])"), "accounts[0].class: expected an integer"},
    {Company(R"("accounts":[{"key":1,"class":"0x"}])"), "accounts[0].class: expected an integer"},
    {Company(R"("accounts":[{"key":1,"class":1},{"key":1,"class":2}])"),
     "companies[0].accounts[1].key: another account has the same key"},
    {Account(R"("secondName":")" + std::string(19, 's') + R"(")"),
     "accounts[0].secondName: the text is longer than 18 Shift_JIS bytes"},
    {Account(R"("name":")" + std::string(31, 'n') + R"(")"),
     "accounts[0].name: the text is longer than 30 Shift_JIS bytes"},
    {Account(R"("set0":{"debit":[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]})"),
     "accounts[0].set0.debit: at most 15 amounts"},
    {Account(R"("set1":{"credit":[1,2.5]})"), "accounts[0].set1.credit[1]: expected an integer"},
    {Account(R"("set1":{"tax":[]})"), "accounts[0].set1.tax: unknown field"},
    {R"({"format":1,"unit":"yen","companies":[{"id":"D1","number":1,"periodStart":20230401,)"
     R"("periodEnd":20240331,"accounts":[{"key":1,"class":1,"set0":{"debit":[922337203685478]}}]}]})",
     "set0.debit[0]: the amount does not fit a signed 64-bit integer"},
    {Account(R"("ledger":[{"voucherId":1}])"),
     "accounts[0].ledger[0]: the field \"date\" is required"},
    {Ledger(R"("summary":")" + std::string(61, 'x') + R"(")"),
     "ledger[0].summary: the text is longer than 60 Shift_JIS bytes"},
    {Ledger(R"("compound":256)"), "ledger[0].compound: expected an integer or \"0x\""},
    {Ledger(R"("side":"1")"), "ledger[0].side: expected an integer from 0 to 255"},
    {Ledger(R"("voucherNo":2147483648)"), "ledger[0].voucherNo: expected an integer"},
    {Company(R"("master":[{"key":1,"class":1},{"key":1,"class":1}])"),
     "companies[0].master[1].key: another master entry has the same key"},
    {Company(R"("master":[{"key":1}])"), "companies[0].master[0]: the field \"class\" is required"},
    {Company(R"("vouchers":[{"id":5},{"id":5}])"),
     "companies[0].vouchers[1].id: another voucher has the same id"},
    {Company(R"("vouchers":[{"id":5,"lines":[{"debitAmount":1},{"creditAmount":1}]}])"),
     "companies[0].vouchers[0].lines[1].lineNo: another line of the voucher has this lineNo"},
    {R"({"format":1,"faults":{"ClRuleKamoku::Bogus":1}})",
     "faults[\"ClRuleKamoku::Bogus\"]: unknown operation name"},
    {R"({"format":1,"faults":{"ClRuleKamoku::MoveNext@0":1}})",
     "faults[\"ClRuleKamoku::MoveNext@0\"]: expected a call number"},
    {R"({"format":1,"faults":{"ClRuleKamoku::MoveNext@":1}})", "expected a call number"},
    {R"({"format":1,"faults":{"ClRuleKamoku::MoveNext":1.5}})",
     "faults[\"ClRuleKamoku::MoveNext\"]: expected an integer"},
};

TEST(BookLoader, RefusesEveryBreachOfTheFormatNamingWhereAndWhy) {
    for (const Refusal& row : kRefusals) {
        const book::ParseResult result = book::ParseBook(row.book);
        EXPECT_FALSE(result.book) << row.book;
        EXPECT_NE(result.problem.find(row.problem), std::string::npos)
            << "book: " << row.book << "\nproblem: " << result.problem
            << "\nexpected: " << row.problem;
    }
}

TEST(BookLoader, AbsentFieldsTakeTheirDefaults) {
    const book::ParseResult result = book::ParseBook("\xEF\xBB\xBF{\"format\":1}");
    ASSERT_TRUE(result.book) << result.problem;
    const book::Book& b = *result.book;
    EXPECT_EQ(b.userId, "ADMIN");
    EXPECT_EQ(b.selectedDataNo, 1);
    ASSERT_EQ(b.eras.size(), 5u);
    EXPECT_EQ(b.eras[0].name, "明治");
    EXPECT_EQ(b.eras[0].start, 18680125);
    EXPECT_EQ(b.eras[4].name, "令和");
    EXPECT_EQ(b.eras[4].start, 20190501);
    EXPECT_TRUE(b.companies.empty());
}

TEST(BookLoader, DerivesTheMasterFromTheAccountsAndScalesYen) {
    const book::ParseResult result = book::ParseBook(
        R"({"format":1,"unit":"yen","companies":[{"id":"D1","number":1,"periodStart":20230401,)"
        R"("periodEnd":20240331,"accounts":[{"key":10000,"name":"\u73fe\u91d1","class":"0x80888000",)"
        R"("set1":{"credit":[-3]}}]}]})");
    ASSERT_TRUE(result.book) << result.problem;
    const book::Company& company = result.book->companies[0];
    EXPECT_EQ(company.accounts[0].credit[1][0], -30000);
    EXPECT_EQ(company.accounts[0].credit[1][1], 0);
    const book::MasterEntry& entry = company.master.at(10000);
    EXPECT_EQ(entry.name, "現金");
    EXPECT_EQ(entry.classCode, 0x80888000u);
}

}  // namespace
