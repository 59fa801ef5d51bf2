#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "collect/VoucherJournal.h"
#include "tests/unit/platform/TestBooks.h"

namespace {

// Voucher 1: the lines do not balance as a whole.
// Voucher 2: the first line's tax makes its debit 11.
constexpr char kBookStart[] = R"({"format":1,"unit":"yen",)";
constexpr char kBookEnd[] =
    R"("companies":[{"id":"J","number":1,"periodStart":20250401,"periodEnd":20260331,
    "vouchers":[
      {"id":1,"lines":[{"lineNo":1,"debitAmount":10},{"lineNo":2,"creditAmount":10},
                       {"lineNo":3,"debitAmount":5},{"lineNo":4,"creditAmount":4}]},
      {"id":2,"lines":[{"lineNo":1,"debitAmount":10,"debitTax":1},{"lineNo":2,"creditAmount":11},
                       {"lineNo":3,"debitAmount":3}]}]}]})";

VoucherJournal Read(uint32_t voucherId) {
    ClRuleShiwake journal;
    journal.SetCurDataID("J");
    StFINDINFO condition;
    std::memset(&condition, 0, sizeof condition);
    condition.slots[0].field = 6;
    condition.slots[0].comparison = 1;
    condition.slots[0].valueType = 3;
    SetFindValue32(condition.slots[0], voucherId);
    const StORDERINFO order{};
    return VoucherJournal(journal, condition, order, 2);
}

// The lines before the first one with the number, tax included; all lines when no line
// has it; a read that fails adds nothing.
TEST(VoucherJournal, TotalsOfTheLinesBeforeTheFirstWithTheNumber) {
    struct Case {
        const char* faults;
        uint32_t voucherId;
        uint32_t lineNo;
        bool unbalanced;
    } cases[] = {
        {"", 1, 1, false},  // no line before
        {"", 1, 2, true},   // 10 against 0
        {"", 1, 3, false},  // 10 against 10
        {"", 1, 9, true},   // no such line: all four, 15 against 14
        {"", 2, 2, true},   // 11 against 0
        {"", 2, 3, false},  // 11 against 11
        {"", 7, 2, false},  // an unknown voucher has no lines
        // The second read fails and the cursor stays: line 2's credit comes third and
        // the last line is never read, so all lines make 15 against 10.
        {R"("faults":{"ClRuleShiwake::MoveNext@1":7},)", 1, 9, true},
        {R"("faults":{"ClRuleShiwake::MoveNext@1":7},)", 1, 3, false},
    };
    for (const Case& c : cases) {
        InstallBook(kBookStart + std::string(c.faults) + kBookEnd);
        EXPECT_EQ(Read(c.voucherId).EarlierLinesUnbalanced(c.lineNo), c.unbalanced)
            << c.faults << " voucher " << c.voucherId << " line " << c.lineNo;
    }
}

}  // namespace
