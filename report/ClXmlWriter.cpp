#include "report/ClXmlWriter.h"

#include <cstring>

#include "framework/CFile.h"

namespace {

constexpr char kLineEnd[] = "\r\n";

struct XmlEscape {
    char byte;
    const char* reference;
};
constexpr XmlEscape kXmlEscapes[] = {
    {'&', "&amp;"}, {'>', "&gt;"}, {'<', "&lt;"}, {'"', "&quot;"}, {'\'', "&apos;"},
};

// The entity reference that replaces `byte`, or null when the byte is kept.
const char* ReferenceFor(char byte) {
    for (const XmlEscape& escape : kXmlEscapes) {
        if (escape.byte == byte) return escape.reference;
    }
    return nullptr;
}

void AppendEscaped(std::string& out, const char* text) {
    for (const char* p = text ? text : ""; *p != '\0'; ++p) {
        if (const char* reference = ReferenceFor(*p)) {
            out += reference;
        } else {
            out += *p;
        }
    }
}

bool IsGiven(const char* attrName, const char* attrValue) { return attrName && attrValue; }

}  // namespace

ClXmlWriter::~ClXmlWriter() { Close(); }

int ClXmlWriter::Open(CFile* outputFile, const char* outputPath) {
    if (!outputFile || !outputPath) return -1;
    file = outputFile;
    path = outputPath;
    const bool opened =
        file->Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    state = opened ? FileState::Open : FileState::Failed;
    return 0;
}

int ClXmlWriter::Close() {
    if (state == FileState::Open) file->Close();
    file = nullptr;
    path.Empty();
    state = FileState::Detached;
    return 0;
}

int ClXmlWriter::WriteString(const char* text) {
    if (state != FileState::Open) return 0;
    if (file->Write(text, std::strlen(text))) return 1;
    file->Close();
    state = FileState::Failed;
    return 0;
}

int ClXmlWriter::WriteStartTag(const char* name, int depth, const char* attrName1,
                               const char* attrValue1, const char* attrName2,
                               const char* attrValue2) {
    BeginLine(depth, "<", name);
    AppendAttributes(attrName1, attrValue1, attrName2, attrValue2);
    return EndLine(">");
}

int ClXmlWriter::WriteElement(const char* name, const char* text, int depth, const char* attrName1,
                              const char* attrValue1, const char* attrName2,
                              const char* attrValue2) {
    BeginLine(depth, "<", name);
    AppendAttributes(attrName1, attrValue1, attrName2, attrValue2);
    line += '>';
    AppendEscaped(line, text);
    line += "</";
    line += name;
    return EndLine(">");
}

int ClXmlWriter::WriteEndTag(const char* name, int depth) {
    BeginLine(depth, "</", name);
    return EndLine(">");
}

CString ClXmlWriter::Escape(const char* text) {
    std::string escaped;
    AppendEscaped(escaped, text);
    return CString(std::move(escaped));
}

void ClXmlWriter::BeginLine(int depth, const char* opener, const char* name) {
    line.assign(depth > 0 ? static_cast<size_t>(depth) : 0, '\t');
    line += opener;
    line += name;
}

void ClXmlWriter::AppendAttributes(const char* attrName1, const char* attrValue1,
                                   const char* attrName2, const char* attrValue2) {
    if (!IsGiven(attrName1, attrValue1)) return;
    const char* const attributes[][2] = {{attrName1, attrValue1}, {attrName2, attrValue2}};
    for (const auto& [attrName, attrValue] : attributes) {
        if (!IsGiven(attrName, attrValue)) break;
        line += ' ';
        line += attrName;
        line += "=\"";
        AppendEscaped(line, attrValue);
        line += '"';
    }
}

int ClXmlWriter::EndLine(const char* closer) {
    line += closer;
    line += kLineEnd;
    return WriteString(line.c_str());
}
