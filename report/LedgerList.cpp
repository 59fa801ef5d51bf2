// The general-ledger blocks: for every account that has ledger lines, its name, its
// statement label and its balances, then one block per line. The account items and the
// ledger lines are walked together, each list once: the lines of an account follow each
// other, and the accounts come in the same order in both lists.
//
// A real export writes hundreds of thousands of lines, so the fixed-width fields of a
// line are copied to the stack rather than into fresh strings.

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "report/ClReportWriter.h"
#include "report/ClXmlWriter.h"
#include "report/CleanName.h"

namespace {

constexpr int kFail = 0;
constexpr int kOk = 1;

constexpr char kLedgerElement[] = "HJ00780S";
constexpr char kAccountElement[] = "HJ00780S01";
constexpr char kLineElement[] = "HJ00780S02";
constexpr int kLedgerDepth = 2;
constexpr int kAccountDepth = 3;
constexpr int kAccountFieldDepth = 4;
constexpr int kLineDepth = 4;
constexpr int kLineFieldDepth = 5;

struct StatementLabelRow {
    uint32_t mask;
    const char* label;
};

// Tried in order; the first mask whose bits are all set in the code names the part.
// Deeper groups come before their parents; where two rows match a code that lies in
// neither's subtree (0x80840008), the earlier row wins.
constexpr StatementLabelRow kStatementLabels[] = {
    {0x80880000, "流動資産"},
    {0x80840000, "固定資産"},
    {0x80820000, "繰延資産"},
    {0x80800008, "流動資産"},
    {0x80800000, "資産の部"},
    {0x80480000, "流動負債"},
    {0x80440000, "固定負債"},
    {0x80400000, "負債の部"},
    {0x80280000, "株主資本"},
    {0x80240000, "評価･換算差額等"},  // half-width middle dot: one byte, 0xA5
    {0x80220000, "新株予約権"},
    {0x80200000, "純資産の部"},
    {0x80100000, "負債・純資産合計"},  // full-width middle dot
    {0x80000000, "貸借対照表"},
    {0x40888000, "売上高"},
    {0x40884000, "売上原価"},
    {0x40882000, "販管費"},
    {0x40880000, "営業損益"},
    {0x40848000, "営業外収益"},
    {0x40844000, "営業外費用"},
    {0x40840000, "営業外損益"},
    {0x40480000, "特別利益"},
    {0x40440000, "特別損失"},
    {0x40800000, "経常損益"},
    {0x40400000, "特別損益"},
    {0x40200000, "差引損益"},
    {0x40000000, "損益計算書"},
    {0x20800000, "材料費"},
    {0x20400000, "労務費"},
    {0x20200000, "製造経費"},
    {0x20100000, "仕掛品"},
    {0x20080000, "製造原価"},
    {0x20000000, "製造原価報告書"},
    {0x10000000, "特別勘定"},
    {0x08000080, "集計対象外"},
    {0x08000000, "集計対象外"},
};
static_assert(std::size(kStatementLabels) == 36);

// A fixed-width text field up to its NUL (or its width), NUL-terminated.
template <size_t N>
std::array<char, N + 1> FieldCopy(const char (&field)[N]) {
    std::array<char, N + 1> text{};
    std::memcpy(text.data(), field, strnlen(field, N));
    return text;
}

// Sign and eleven characters hold every 32-bit value; the rest stays NUL.
std::array<char, 12> VoucherText(int32_t voucherNo) {
    std::array<char, 12> text{};
    std::to_chars(text.data(), text.data() + text.size() - 1, voucherNo);
    return text;
}

}  // namespace

int ClReportWriter::WriteLedger(ClXmlWriter& xml) {
    if (ledgerLines == nullptr || ledgerLines->IsEmpty()) return kOk;
    if (!xml.WriteStartTag(kLedgerElement, kLedgerDepth)) return kFail;
    ledgerPos = ledgerLines->GetHeadPosition();
    if (accountItems != nullptr) {
        // An item whose key is not the one at the ledger position has no lines: passed over.
        for (POSITION pos = accountItems->GetHeadPosition();
             pos != nullptr && ledgerPos != nullptr;) {
            const StKESSANITEMINFO& item = *accountItems->GetNext(pos);
            if (item.accountKey == ledgerLines->GetAt(ledgerPos)->accountKey &&
                !WriteLedgerAccount(xml, item)) {
                return kFail;
            }
        }
    }
    return xml.WriteEndTag(kLedgerElement, kLedgerDepth);
}

int ClReportWriter::WriteLedgerAccount(ClXmlWriter& xml, const StKESSANITEMINFO& item) {
    const CString name = CleanName(label::FieldText(item.formalName));
    const CString opening = FormatAmount(item.openingAmount);
    const CString closing = FormatAmount(item.closingAmount);
    const XmlLine head[] = {
        {LineKind::StartTag, kAccountDepth, kAccountElement},
        {LineKind::Element, kAccountFieldDepth, "HJ00780S0010", name},
        {LineKind::Element, kAccountFieldDepth, "HJ00780S0020", StatementLabel(item.classCode)},
        {LineKind::Element, kAccountFieldDepth, "HJ00780S0030", opening},
        {LineKind::Element, kAccountFieldDepth, "HJ00780S0040", closing},
    };
    if (!WriteLines(xml, head) || !WriteLedgerLines(xml)) return kFail;
    return xml.WriteEndTag(kAccountElement, kAccountDepth);
}

int ClReportWriter::WriteLedgerLines(ClXmlWriter& xml) {
    if (ledgerLines == nullptr || ledgerPos == nullptr) return kOk;
    const uint32_t accountKey = ledgerLines->GetAt(ledgerPos)->accountKey;
    while (ledgerPos != nullptr && ledgerLines->GetAt(ledgerPos)->accountKey == accountKey) {
        if (!WriteLedgerLine(xml, *ledgerLines->GetNext(ledgerPos))) return kFail;
    }
    return kOk;
}

int ClReportWriter::WriteLedgerLine(ClXmlWriter& xml, const StMOTOCHOLINEINFO& line) {
    const std::array voucher = VoucherText(line.voucherNo);
    const std::array date = FieldCopy(line.dateText);
    const CString subAccount = CleanName(label::FieldText(line.subAccountName));
    const CString counterAccount = CleanName(label::FieldText(line.counterAccountName));
    const CString counterSubAccount = CleanName(label::FieldText(line.counterSubAccountName));
    const std::array summary = FieldCopy(line.summary);
    const CString amount = FormatAmount(line.amount);
    const CString balance = FormatAmount(line.balance);
    const XmlLine lines[] = {
        {LineKind::StartTag, kLineDepth, kLineElement},
        {LineKind::Element, kLineFieldDepth, "HJ00780S0050", voucher.data()},
        {LineKind::Element, kLineFieldDepth, "HJ00780S0060", date.data()},
        {LineKind::Element, kLineFieldDepth, "HJ00780S0070", subAccount},
        {LineKind::Element, kLineFieldDepth, "HJ00780S0080", counterAccount},
        {LineKind::Element, kLineFieldDepth, "HJ00780S0090", counterSubAccount},
        {LineKind::Element, kLineFieldDepth, "HJ00780S0100", summary.data()},
        {LineKind::Element, kLineFieldDepth, "HJ00780S0110", amount},
        {LineKind::Element, kLineFieldDepth, "HJ00780S0120", balance},
        // A sweep of the activity bar per line keeps the dialog alive through a long ledger.
        {LineKind::EndTag, kLineDepth, kLineElement, nullptr, true},
    };
    return WriteLines(xml, lines);
}

const char* ClReportWriter::StatementLabel(uint32_t classCode) {
    for (const StatementLabelRow& row : kStatementLabels) {
        if (accounts::BelongsTo(classCode, row.mask)) return row.label;
    }
    return "";
}
