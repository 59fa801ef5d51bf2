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

void AppendEscaped(std::string& out, const char* text) {
    for (const char* p = text ? text : ""; *p != '\0'; ++p) {
        const char* reference = nullptr;
        for (const XmlEscape& escape : kXmlEscapes) {
            if (*p == escape.byte) reference = escape.reference;
        }
        if (reference) {
            out += reference;
        } else {
            out += *p;
        }
    }
}

bool IsGiven(const char* attrName, const char* attrValue) { return attrName && attrValue; }

}  // namespace

ClXmlWriter::~ClXmlWriter() { Close(); }

int ClXmlWriter::Open(CFile* file, const char* path) {
    if (!file || !path) return -1;
    file_ = file;
    path_ = path;
    const bool opened =
        file_->Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    state_ = opened ? FileState::Open : FileState::Failed;
    return 0;
}

int ClXmlWriter::Close() {
    if (state_ == FileState::Open) file_->Close();
    file_ = nullptr;
    path_.Empty();
    state_ = FileState::Detached;
    return 0;
}

int ClXmlWriter::WriteString(const char* text) {
    if (state_ != FileState::Open) return 0;
    if (file_->Write(text, std::strlen(text))) return 1;
    file_->Close();
    state_ = FileState::Failed;
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
    line_ += '>';
    AppendEscaped(line_, text);
    line_ += "</";
    line_ += name;
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
    line_.assign(depth > 0 ? static_cast<size_t>(depth) : 0, '\t');
    line_ += opener;
    line_ += name;
}

void ClXmlWriter::AppendAttributes(const char* attrName1, const char* attrValue1,
                                   const char* attrName2, const char* attrValue2) {
    if (!IsGiven(attrName1, attrValue1)) return;
    const char* const attributes[][2] = {{attrName1, attrValue1}, {attrName2, attrValue2}};
    for (const auto& [attrName, attrValue] : attributes) {
        if (!IsGiven(attrName, attrValue)) break;
        line_ += ' ';
        line_ += attrName;
        line_ += "=\"";
        AppendEscaped(line_, attrValue);
        line_ += '"';
    }
}

int ClXmlWriter::EndLine(const char* closer) {
    line_ += closer;
    line_ += kLineEnd;
    return WriteString(line_.c_str());
}
