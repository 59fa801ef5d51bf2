// Arbitrary bytes as a book through the whole collection with the general-ledger option
// and the ledger blocks written from it. The input's size chooses the months and the sum
// set, so that the book fixtures seed the corpus as they stand. Whatever the book: nothing crashes;
// each account's rows follow each other and continue its running balance from its opening balance;
// no row moves nothing; and the writer writes every row once.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "collect/ClKessanshoData.h"
#include "collect/SearchConditions.h"
#include "framework/CFile.h"
#include "platform/BookLoader.h"
#include "platform/sharekit.h"
#include "report/ClReportWriter.h"
#include "report/ClXmlWriter.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// Every account's rows form one run whose balances start at the account's opening
// balance and move by each row's amount.
void CheckRows(const AccountItemList& items, const LedgerLineList& lines) {
    std::unordered_map<uint32_t, int64_t> openings;
    for (POSITION pos = items.GetHeadPosition(); pos;) {
        const StKESSANITEMINFO* item = items.GetNext(pos);
        openings.emplace(item->accountKey, item->openingAmount);
    }
    std::unordered_set<uint32_t> finished;
    uint32_t current = 0;
    int64_t balance = 0;
    bool started = false;
    for (POSITION pos = lines.GetHeadPosition(); pos;) {
        const StMOTOCHOLINEINFO& line = *lines.GetNext(pos);
        if (!started || line.accountKey != current) {
            if (started) finished.insert(current);
            Require(!finished.contains(line.accountKey));
            const auto opening = openings.find(line.accountKey);
            Require(opening != openings.end());
            current = line.accountKey;
            balance = opening->second;
            started = true;
        }
        Require(line.amount != 0);
        balance += line.amount;
        Require(line.balance == balance);
    }
}

size_t CountOf(const std::string& text, std::string_view what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const int startMonth = 1 + static_cast<int>(size % 12);
    const int endMonth = 1 + static_cast<int>(size / 12 % 12);
    const int sumSetFlag = static_cast<int>(size / 144 % 2);
    book::ParseResult result =
        book::ParseBook(std::string_view(reinterpret_cast<const char*>(bytes), size));
    if (!result.book) return 0;
    book::Install(std::move(result.book));

    auto* dataSet = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(kSetKindData, 1));
    const StDATAINFO company = *dataSet->GetSelectedInfo();
    StFINDINFO find{};
    BuildFindInfo(&find, &company, startMonth, endMonth);

    AccountItemList items;
    LedgerLineList lines;
    {
        ClKessanshoData collector;
        collector.accountItemList = &items;
        collector.ledgerLineList = &lines;
        collector.ledgerOption = 1;
        collector.CollectAccounts(sumSetFlag, &find, &company);
        if (!collector.amountOverflow) CheckRows(items, lines);
    }

    ClReportWriter writer;
    writer.accountItems = &items;
    writer.ledgerLines = &lines;
    static const std::string path = "/tmp/fuzz_ledger_" + std::to_string(getpid()) + ".xml";
    {
        CFile file;
        ClXmlWriter xml;
        xml.Open(&file, path.c_str());
        Require(writer.WriteLedger(xml) == 1);
    }
    std::ifstream in(path, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    Require(CountOf(written, "<HJ00780S02>") == static_cast<size_t>(lines.GetCount()));
    DeleteAll(items);
    DeleteAll(lines);
    return 0;
}
