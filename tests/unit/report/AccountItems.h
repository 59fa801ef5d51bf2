#pragma once
// Hand-made account items for the statement tests, and the bytes a section writer
// produces for them.

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>

#include "collect/StatementData.h"
#include "framework/CFile.h"
#include "report/ClReportWriter.h"
#include "report/ClXmlWriter.h"
#include "tests/unit/report/TestFiles.h"

namespace reporttest {

// One account as the collector would append it. Amounts are raw (ten-thousandths).
struct Account {
    uint32_t classCode;
    const char* formalName;
    int64_t closingAmount;
    int16_t accountKind = 0;
    const char* labelName = "";
    int64_t openingAmount = 0;
    uint32_t accountKey = 0;
};

// An account item list that owns its records.
class AccountItems {
  public:
    AccountItems(std::initializer_list<Account> accounts) {
        for (const Account& account : accounts) Add(account);
    }
    ~AccountItems() { DeleteAll(list_); }
    AccountItems(const AccountItems&) = delete;
    AccountItems& operator=(const AccountItems&) = delete;

    void Add(const Account& account) {
        auto* item = new StKESSANITEMINFO{};
        item->accountKey = account.accountKey;
        std::strncpy(item->formalName, account.formalName, sizeof item->formalName - 1);
        std::strncpy(item->labelName, account.labelName, sizeof item->labelName - 1);
        item->openingAmount = account.openingAmount;
        item->closingAmount = account.closingAmount;
        item->changeAmount = account.closingAmount - account.openingAmount;
        item->classCode = account.classCode;
        item->accountKind = account.accountKind;
        list_.AddTail(item);
    }
    AccountItemList* list() { return &list_; }

  private:
    AccountItemList list_;
};

using SectionWriter = int (ClReportWriter::*)(ClXmlWriter&);

struct Written {
    int result;
    std::string bytes;
};

// Runs one section writer on a fresh file at `path`; its result.
inline int RunSection(ClReportWriter& writer, SectionWriter section, const std::string& path) {
    CFile file;
    ClXmlWriter xml;
    xml.Open(&file, path.c_str());
    return (writer.*section)(xml);
}

// The result and the bytes of one section writer.
inline Written WriteSection(ClReportWriter& writer, SectionWriter section) {
    ScratchDir dir;
    const std::string path = dir.File("section.xml");
    const int result = RunSection(writer, section, path);
    return {result, ReadBytes(path)};
}

// The lines of the first element `name` in `bytes`, from its start tag (or its only
// line) through its end tag; empty when there is no such element.
inline std::string Block(const std::string& bytes, const std::string& name) {
    size_t start = bytes.find("<" + name + ">");
    const size_t withAttributes = bytes.find("<" + name + " ");
    if (withAttributes < start) start = withAttributes;
    if (start == std::string::npos) return "";
    start = bytes.rfind('\n', start);
    start = start == std::string::npos ? 0 : start + 1;
    const size_t end = bytes.find("</" + name + ">", start);
    return bytes.substr(start, bytes.find('\n', end) + 1 - start);
}

}  // namespace reporttest
