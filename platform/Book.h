#pragma once
// The loaded book: the records the libraries deliver, with the indexes their
// lookups use. Texts are already Shift_JIS.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Operations.h"
#include "platform/Records.h"

namespace book {

struct LedgerLine {
    uint32_t voucherId = 0;
    int32_t voucherNo = 0;
    uint32_t lineNo = 1;
    int32_t date = 0;
    uint8_t compound = 0;
    uint32_t debitKey = 0;
    int64_t debitAmount = 0;
    int64_t debitTax = 0;
    uint32_t creditKey = 0;
    int64_t creditAmount = 0;
    int64_t creditTax = 0;
    std::string summary;
    uint8_t side = 3;
};

using SumColumn = std::array<int64_t, kSumColumns>;

struct Account {
    uint32_t key = 0;
    std::string name;
    std::string secondName;
    uint8_t excl126 = 0;
    uint8_t excl127 = 0;
    uint8_t kind = 0;
    uint8_t nature = 1;
    uint32_t classCode = 0;
    SumColumn debit[2] = {};   // [sum-set flag]
    SumColumn credit[2] = {};  // [sum-set flag]
    std::vector<LedgerLine> ledger;
};

struct MasterEntry {
    std::string name;
    uint32_t classCode = 0;
};

struct JournalLine {
    uint32_t lineNo = 1;
    int64_t debitAmount = 0;
    int64_t debitTax = 0;
    int64_t creditAmount = 0;
    int64_t creditTax = 0;
};

struct Company {
    std::string id;
    int32_t number = 0;
    std::string name;
    int32_t periodStart = 0;
    int32_t periodEnd = 0;
    int32_t manufacturing = 0;
    int32_t interimClosing = 0;
    int16_t startOfUseMonth = 1;
    uint8_t companyLaw = 1;
    uint8_t sumSet = 0;
    std::vector<Account> accounts;
    std::unordered_map<uint32_t, size_t> accountByKey;
    std::unordered_map<uint32_t, MasterEntry> master;
    std::unordered_map<uint32_t, std::vector<JournalLine>> vouchers;
    std::map<int, std::string> saved;  // saved statement data by kind
};

struct Era {
    std::string name;
    int32_t start = 0;
};

// Statuses injected per operation: for every call, or for its N-th call only.
struct Faults {
    std::array<std::optional<int>, static_cast<size_t>(Op::Count)> always;
    std::array<std::unordered_map<uint64_t, int>, static_cast<size_t>(Op::Count)> nth;
};

struct Book {
    int32_t connectionInitiate = 0;
    int32_t connectionLink = 0;
    std::string userId = "ADMIN";
    int32_t selectionNo1 = 0;
    int32_t selectedDataNo = 1;
    std::string folderOutput;
    std::string folderSettings;
    std::vector<Era> eras;
    std::vector<Company> companies;
    std::unordered_map<std::string, size_t> companyById;
    Faults faults;

    const Company* CompanyById(const std::string& id) const;
    const Company* SelectedCompany() const;
};

// The book every library operation answers from (an empty one before the first load).
const Book& Current();
// Makes `book` current and starts counting calls afresh.
void Install(std::unique_ptr<Book> book);

}  // namespace book
