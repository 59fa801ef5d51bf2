#include "report/ClReportWriter.h"

#include <cstring>
#include <new>
#include <string>

#include "framework/CFile.h"
#include "framework/Sys.h"
#include "report/ClSupportInfo.h"
#include "report/ClXmlWriter.h"
#include "report/ProgramVersion.h"
#include "ui/ClProgressDlg.h"
#include "util/Sjis.h"

namespace {

constexpr int kOk = 1;
constexpr int kFail = 0;
constexpr int32_t kNotesPresent = 1;  // the saved notes may be written

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n";
constexpr char kDefaultProductVersion[] = "22.52.0X";

// Positions of the overall bar in hundredths of a percent: where SYSTEM and BASIC end,
// counted from the progress base, and the end of the bar.
constexpr int kSystemEnd = 1000;
constexpr int kBasicEnd = 2000;
constexpr int kProgressEnd = 10000;

CString Decimal(long value) {
    CString text;
    text.Format("%ld", value);
    return text;
}

CString OrDefault(CString value, const char* fallback) {
    return value.IsEmpty() ? CString(fallback) : value;
}

}  // namespace

int ClReportWriter::Write(const char* path, int16_t functionId, const StDATAINFO& data) {
    CFile file;
    ClXmlWriter xml;
    xml.Open(&file, path);
    xml.WriteString(kDeclaration);
    xml.WriteStartTag("REPORT", 0);
    Pulse();
    const int result = WriteSections(xml, functionId, data);
    xml.WriteEndTag("REPORT", 0);
    xml.Close();
    return result;
}

int ClReportWriter::WriteSections(ClXmlWriter& xml, int16_t functionId, const StDATAINFO& data) {
    if (!WriteSystem(xml, functionId)) return kFail;
    Pulse();
    if (!WriteBasic(xml, data)) return kFail;
    Pulse();
    if (!WriteData(xml, data)) return kFail;
    Pulse();
    return kOk;
}

int ClReportWriter::WriteSystem(ClXmlWriter& xml, int16_t functionId) {
    ClSupportInfo support;
    const CString functionText = Decimal(functionId);
    const CString programVersion = ProgramVersion();
    const CString productText = OrDefault(support.GetProductName(), productName);
    const CString versionText = OrDefault(support.GetProductVersion(), kDefaultProductVersion);
    const XmlLine lines[] = {
        {LineKind::StartTag, 1, "SYSTEM"},
        {LineKind::Element, 2, "GYOUMUPREFIX", "RC25", true},
        {LineKind::Element, 2, "VERSION", "1", true},
        {LineKind::Element, 2, "FUNCTIONID", functionText, true},
        {LineKind::Element, 2, "CONNECTEDPROGRAMVER", programVersion, true},
        {LineKind::Element, 2, "PROGRAMNAME", productText, true},
        {LineKind::Element, 2, "PROGRAMVER", versionText, true},
        {LineKind::EndTag, 1, "SYSTEM"},
    };
    if (!WriteLines(xml, lines)) return kFail;
    Advance(progressBase, progressBase + kSystemEnd);
    return kOk;
}

int ClReportWriter::WriteBasic(ClXmlWriter& xml, const StDATAINFO& data) {
    const std::string name(data.companyName, strnlen(data.companyName, sizeof data.companyName));
    const CString companyName = CompanyNameForXml(name.c_str());
    const CString periodStart = Decimal(data.periodStart);
    const CString periodEnd = Decimal(data.periodEnd);
    const XmlLine lines[] = {
        {LineKind::StartTag, 1, "BASIC"},
        {LineKind::Element, 2, "KOMONSAKINAME", companyName, true},
        {LineKind::Element, 2, "JIGYOUNENDOFROM", periodStart, true},
        {LineKind::Element, 2, "JIGYOUNENDOTO", periodEnd, true},
        {LineKind::StartTag, 2, "PATTERN"},
        {LineKind::StartTag, 3, "BS"},
        {LineKind::StartTag, 4, "CA"},
        {LineKind::Element, 5, "Doubtful", "A2"},
        {LineKind::EndTag, 4, "CA"},
        {LineKind::StartTag, 4, "PPE"},
        {LineKind::Element, 5, "DepImp", "B4"},
        {LineKind::EndTag, 4, "PPE"},
        {LineKind::StartTag, 4, "IOA"},
        {LineKind::Element, 5, "Doubtful", "C2"},
        {LineKind::Element, 5, "DepImp", "D4"},
        {LineKind::EndTag, 4, "IOA"},
        {LineKind::EndTag, 3, "BS"},
        {LineKind::StartTag, 3, "PL"},
        {LineKind::Element, 4, "Sales", "E3"},
        {LineKind::Element, 4, "Cos", data.manufacturing != 0 ? "F3" : "F1"},
        {LineKind::Element, 4, "Sga", "G1"},
        {LineKind::EndTag, 3, "PL"},
        {LineKind::EndTag, 2, "PATTERN", nullptr, true},
        {LineKind::EndTag, 1, "BASIC"},
    };
    if (!WriteLines(xml, lines)) return kFail;
    Advance(progressBase + kSystemEnd, progressBase + kBasicEnd);
    return kOk;
}

int ClReportWriter::WriteData(ClXmlWriter& xml, const StDATAINFO& data) {
    if (!xml.WriteStartTag("DATA", 1)) return kFail;
    struct Statement {
        SectionWriter write;
        bool wanted;
    };
    // The ledger blocks follow the statements and the notes.
    const Statement statements[] = {
        {&ClReportWriter::WriteBalanceSheet, true},
        {&ClReportWriter::WriteIncomeStatement, true},
        {&ClReportWriter::WriteScheduleCostGoodsManufactured, data.manufacturing != 0},
        {&ClReportWriter::WriteChangesNetAssets, true},
        {&ClReportWriter::WriteNotes, notesPresent == kNotesPresent},
        {&ClReportWriter::WriteLedger, true},
    };
    for (const Statement& statement : statements) {
        if (statement.wanted && !WriteStatement(xml, statement.write)) return kFail;
    }
    if (!xml.WriteEndTag("DATA", 1)) return kFail;
    Advance(progressBase + kBasicEnd, kProgressEnd);
    return kOk;
}

// Running out of memory while selecting accounts ends the statement like a failed write.
int ClReportWriter::WriteStatement(ClXmlWriter& xml, SectionWriter write) {
    try {
        return (this->*write)(xml);
    } catch (const std::bad_alloc&) {
        return kFail;
    }
}

CString ClReportWriter::CompanyNameForXml(const char* companyName) {
    const std::string converted = sys::FullWidth(companyName);
    return sjis::Truncate(converted, kCompanyNameLimit);
}

int ClReportWriter::WriteLines(ClXmlWriter& xml, std::span<const XmlLine> lines) {
    for (const XmlLine& line : lines) {
        int written = kFail;
        switch (line.kind) {
            case LineKind::StartTag:
                written = xml.WriteStartTag(line.name, line.depth);
                break;
            case LineKind::Element:
                written = xml.WriteElement(line.name, line.text, line.depth);
                break;
            case LineKind::EndTag:
                written = xml.WriteEndTag(line.name, line.depth);
                break;
        }
        if (!written) return kFail;
        if (line.pulse) Pulse();
    }
    return kOk;
}

void ClReportWriter::Pulse() {
    if (progressDlg) progressDlg->Pulse();
}

void ClReportWriter::Advance(int from, int to) {
    if (progressDlg) progressDlg->Advance(static_cast<int16_t>(from), static_cast<int16_t>(to));
}
