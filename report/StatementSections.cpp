// The balance sheet, the income statement and the cost-of-manufacturing report:
// fixed trees of groups and totals whose accounts are chosen by classification code.

#include <algorithm>
#include <string>

#include "framework/Sys.h"
#include "report/ClReportWriter.h"
#include "report/ClXmlWriter.h"
#include "report/CleanName.h"
#include "report/SectionTrees.h"
#include "util/Caption.h"

namespace {

constexpr int kOk = 1;
constexpr int kFail = 0;

constexpr uint32_t kKeysPerAccountCode = 10000;

constexpr char kUnclassifiedWarning[] =
    "以下の科目は、正しい分類に出力することができません。\r\n"
    "科目性格を見直す必要があります。\r\n\r\n"
    "科目コード\t： %d\r\n"
    "正式名称\t： %s\r\n\r\n"
    "Tallyvaleの勘定科目設定画面にて、科目性格を\r\n"
    " [有形固定資産] [無形固定資産] [投資その他の資産]\r\n"
    "のいずれかに設定し、もう一度処理を行ってください。\r\n";

bool IsZero(int64_t raw) { return accounts::WholeYen(raw) == 0; }

// The Amount attribute: the formatted amount, or an empty value for a zero amount.
CString AmountValue(int64_t raw) {
    return IsZero(raw) ? CString("") : ClReportWriter::FormatAmount(raw);
}

bool IsIncomeTax(const StKESSANITEMINFO* item) {
    const uint32_t classCode = item->classCode;  // a copy: the record is packed
    return std::ranges::find(kNotIncomeTaxCodes, classCode) == std::end(kNotIncomeTaxCodes);
}

}  // namespace

int ClReportWriter::WriteBalanceSheet(ClXmlWriter& xml) {
    return WriteRows(xml, kBalanceSheetRows);
}

int ClReportWriter::WriteIncomeStatement(ClXmlWriter& xml) {
    return WriteRows(xml, kIncomeStatementRows);
}

int ClReportWriter::WriteScheduleCostGoodsManufactured(ClXmlWriter& xml) {
    return WriteRows(xml, kCostOfManufacturingRows);
}

const StKESSANITEMINFO* ClReportWriter::FindAccount(uint32_t code) const {
    return accounts::Find(accountItems, code);
}

AccountRefs ClReportWriter::SelectAccounts(uint32_t code) const {
    return accounts::Select(accountItems, code);
}

AccountRefs ClReportWriter::SelectAccountsExact(uint32_t code) const {
    return accounts::SelectExact(accountItems, code);
}

CString ClReportWriter::CleanName(std::string_view name) { return label::Clean(name); }

CString ClReportWriter::FormatAmount(int64_t raw) {
    return std::to_string(accounts::WholeYen(raw));
}

int ClReportWriter::WriteRows(ClXmlWriter& xml, std::span<const SectionRow> rows) {
    for (const SectionRow& row : rows) {
        if (!WriteRow(xml, row)) return kFail;
    }
    return kOk;
}

int ClReportWriter::WriteRow(ClXmlWriter& xml, const SectionRow& row) {
    switch (row.kind) {
        case RowKind::Start:
            return xml.WriteStartTag(row.name, row.depth);
        case RowKind::GroupStart:
            return WriteGroupStart(xml, row.code, row.name, row.depth);
        case RowKind::GroupIfFound:
            if (!FindAccount(row.code)) return kOk;
            return WriteGroup(xml, row.code, row.name, row.depth);
        case RowKind::Group:
            return WriteGroup(xml, row.code, row.name, row.depth);
        case RowKind::Items:
            return WriteItems(xml, row.code, row.depth);
        case RowKind::Unclassified:
            return WriteUnclassifiedItems(xml, row.depth, false);
        case RowKind::UnclassifiedWarn:
            return WriteUnclassifiedItems(xml, row.depth, true);
        case RowKind::Total:
            return WriteTotal(xml, row.code, row.name, row.depth);
        case RowKind::IncomeTaxItems:
            return WriteIncomeTaxItems(xml, row.depth);
        case RowKind::End:
            return xml.WriteEndTag(row.name, row.depth);
    }
    return kFail;
}

int ClReportWriter::WriteGroupStart(ClXmlWriter& xml, uint32_t code, const char* name, int depth) {
    const StKESSANITEMINFO* account = FindAccount(code);
    if (!account) return xml.WriteStartTag(name, depth);
    const CString label = CleanName(label::FieldText(account->formalName));
    const CString amount = AmountValue(account->closingAmount);
    return xml.WriteStartTag(name, depth, "Label", label, "Amount", amount);
}

int ClReportWriter::WriteGroup(ClXmlWriter& xml, uint32_t code, const char* name, int depth) {
    return WriteGroupStart(xml, code, name, depth) && WriteItems(xml, code, depth + 1) &&
           xml.WriteEndTag(name, depth);
}

int ClReportWriter::WriteItems(ClXmlWriter& xml, uint32_t code, int depth) {
    return WriteListedItems(xml, SelectAccounts(code), depth);
}

int ClReportWriter::WriteTotal(ClXmlWriter& xml, uint32_t code, const char* name, int depth) {
    const StKESSANITEMINFO* account = FindAccount(code);
    if (!account) return kOk;
    CString label = CleanName(label::FieldText(account->labelName));
    if (label.IsEmpty()) label = CleanName(label::FieldText(account->formalName));
    const CString amount = AmountValue(account->closingAmount);
    return xml.WriteElement(name, "", depth, "Label", label, "Amount", amount);
}

int ClReportWriter::WriteIncomeTaxItems(ClXmlWriter& xml, int depth) {
    AccountRefs taxes = SelectAccounts(kIncomeTaxCode);
    std::erase_if(taxes, [](const StKESSANITEMINFO* item) { return !IsIncomeTax(item); });
    return WriteListedItems(xml, taxes, depth);
}

int ClReportWriter::WriteUnclassifiedItems(ClXmlWriter& xml, int depth, bool warn) {
    for (uint32_t code : kUnclassifiedNoncurrentCodes) {
        for (const StKESSANITEMINFO* item : SelectAccountsExact(code)) {
            if (IsZero(item->closingAmount)) continue;
            if (warn) WarnUnclassified(*item);
            if (!WriteItem(xml, *item, depth)) return kFail;
        }
    }
    return kOk;
}

int ClReportWriter::WriteListedItems(ClXmlWriter& xml, const AccountRefs& items, int depth) {
    for (const StKESSANITEMINFO* item : items) {
        if (IsZero(item->closingAmount)) continue;
        if (!WriteItem(xml, *item, depth)) return kFail;
    }
    return kOk;
}

int ClReportWriter::WriteItem(ClXmlWriter& xml, const StKESSANITEMINFO& item, int depth) {
    const CString label = CleanName(label::FieldText(item.formalName));
    return xml.WriteElement("Item", FormatAmount(item.closingAmount), depth, "Label", label);
}

void ClReportWriter::WarnUnclassified(const StKESSANITEMINFO& item) {
    if (!ownerWnd) return;
    const std::string formalName(label::FieldText(item.formalName));
    CString text;
    text.Format(kUnclassifiedWarning, static_cast<int>(item.accountKey / kKeysPerAccountCode),
                formalName.c_str());
    sys::MessageBox(ownerWnd, text, kCaption, MB_OK | MB_ICONEXCLAMATION);
}
