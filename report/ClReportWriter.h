#pragma once
// Writes the whole export file in one call: the declaration, the root element
// REPORT and its sections SYSTEM, BASIC and DATA, stepping the progress dialog as
// it goes. The writer reads the statement data through pointers and owns none of it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "framework/CPtrList.h"
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include "framework/WinTypes.h"
#include "platform/Records.h"
#include "report/AccountLookup.h"

class ClProgressDlg;
class ClXmlWriter;
struct SectionRow;

class ClReportWriter {
  public:
    static constexpr size_t kNoteSectionCount = 50;
    // The converted company name is held in 64 bytes with its NUL.
    static constexpr size_t kCompanyNameLimit = 63;

    ClReportWriter() = default;
    virtual ~ClReportWriter() = default;

    // 1 when the whole file was written, 0 otherwise (a partly written file stays).
    int Write(const char* path, int16_t functionId, const StDATAINFO& data);

    // One section each through the open stream writer; 1, or 0 at the first failed write.
    int WriteSystem(ClXmlWriter& xml, int16_t functionId);
    int WriteBasic(ClXmlWriter& xml, const StDATAINFO& data);
    int WriteData(ClXmlWriter& xml, const StDATAINFO& data);

    // The statements inside DATA; 1, or 0 at the first failed write.
    int WriteBalanceSheet(ClXmlWriter& xml);
    int WriteIncomeStatement(ClXmlWriter& xml);
    int WriteScheduleCostGoodsManufactured(ClXmlWriter& xml);
    int WriteChangesNetAssets(ClXmlWriter& xml);
    // The notes list ListNotesNonConsolidated; 1, or 0 at the first failed write.
    int WriteNotes(ClXmlWriter& xml);

    // Writes the note item at `row` of the note item table with its subtree, its element
    // at `depth`; the row after the subtree, or -1 after a failed write.
    int WriteNoteEntry(ClXmlWriter& xml, int row, int depth);
    // True when the item's block in noteLines marks it as shown.
    bool IsNoteShown(int32_t itemId) const;
    // The item's text lines as Line elements at `depth`; 1, or 0 on a failed write.
    int WriteNoteLines(ClXmlWriter& xml, int32_t itemId, int depth);

    // The general-ledger blocks HJ00780S, one HJ00780S01 per account with ledger lines;
    // nothing without ledger lines. 1, or 0 at the first failed write.
    int WriteLedger(ClXmlWriter& xml);
    // The HJ00780S02 blocks of the account at ledgerPos, moving ledgerPos past them; 1 or 0.
    int WriteLedgerLines(ClXmlWriter& xml);
    // The statement part that the classification code belongs to; empty when none.
    static const char* StatementLabel(uint32_t classCode);

    // Account access by classification code (see report/AccountLookup.h).
    const StKESSANITEMINFO* FindAccount(uint32_t code) const;
    AccountRefs SelectAccounts(uint32_t code) const;
    AccountRefs SelectAccountsExact(uint32_t code) const;

    // The label of an account name: spaces, brackets and the marks (製) [製] (完) [完]
    // (未) [未] removed, whole characters at a time.
    static CString CleanName(std::string_view name);
    // A raw amount in whole yen, truncated toward zero: -15000 gives "-1".
    static CString FormatAmount(int64_t raw);

    // The company name in full-width characters, as many whole characters as fit in
    // 63 bytes.
    static CString CompanyNameForXml(const char* companyName);

    ClProgressDlg* progressDlg = nullptr;
    CPtrList<StKESSANITEMINFO>* accountItems = nullptr;
    CPtrList<StMOTOCHOLINEINFO>* ledgerLines = nullptr;
    POSITION ledgerPos = nullptr;  // the next ledger line to write
    HWND ownerWnd = nullptr;       // owner of the warning boxes; none shows none
    int16_t equityChoice = 0;      // 1 shareholders' equity, 2 members' equity
    int32_t notesPresent = 0;      // 1 when the saved notes may be written
    const CStringArray* noteLines = nullptr;
    const uint8_t* noteDispFlags = nullptr;  // kNoteSectionCount entries
    uint16_t progressBase = 0;               // where the collection left the overall bar
    const char* productName = "";            // PROGRAMNAME when SUPPORT.INF has none

  private:
    enum class LineKind { StartTag, Element, EndTag };
    // One line of a fixed section; `pulse` steps the activity bar after it.
    struct XmlLine {
        LineKind kind;
        int depth;
        const char* name;
        const char* text = nullptr;
        bool pulse = false;
    };

    using SectionWriter = int (ClReportWriter::*)(ClXmlWriter&);

    int WriteSections(ClXmlWriter& xml, int16_t functionId, const StDATAINFO& data);
    int WriteStatement(ClXmlWriter& xml, SectionWriter write);

    int WriteRows(ClXmlWriter& xml, std::span<const SectionRow> rows);
    int WriteRow(ClXmlWriter& xml, const SectionRow& row);
    int WriteGroupStart(ClXmlWriter& xml, uint32_t code, const char* name, int depth);
    int WriteGroup(ClXmlWriter& xml, uint32_t code, const char* name, int depth);
    int WriteItems(ClXmlWriter& xml, uint32_t code, int depth);
    int WriteTotal(ClXmlWriter& xml, uint32_t code, const char* name, int depth);
    int WriteIncomeTaxItems(ClXmlWriter& xml, int depth);
    int WriteUnclassifiedItems(ClXmlWriter& xml, int depth, bool warn);
    int WriteListedItems(ClXmlWriter& xml, const AccountRefs& items, int depth);
    int WriteItem(ClXmlWriter& xml, const StKESSANITEMINFO& item, int depth);
    void WarnUnclassified(const StKESSANITEMINFO& item);
    bool IsGroupShown(int group) const;

    int WriteLedgerAccount(ClXmlWriter& xml, const StKESSANITEMINFO& item);
    int WriteLedgerLine(ClXmlWriter& xml, const StMOTOCHOLINEINFO& line);

    int WriteLines(ClXmlWriter& xml, std::span<const XmlLine> lines);
    void Pulse();
    void Advance(int from, int to);
};
