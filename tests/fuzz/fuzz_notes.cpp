// Feeds arbitrary bytes through the notes reading and the notes list writer: the bytes
// before the first NUL are the notes settings, the rest the notes text. A few control
// bytes stand for the markers the parsing looks for (and byte 0x06 plus the next byte
// for an item ID of the table), so that the walk reaches shown and nested items.
//
// The written list must be well-formed and properly nested: every start tag closed in
// order, Line elements only as leaves with text and no markup, each tag line indented
// by its depth, and no note text cut.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "collect/NotesText.h"
#include "framework/CFile.h"
#include "framework/CStringArray.h"
#include "report/ClReportWriter.h"
#include "report/ClXmlWriter.h"
#include "report/NoteItems.h"

namespace {

constexpr char kItemIdByte = 0x06;

std::string_view Expansion(char byte) {
    switch (byte) {
        case 0x01:
            return "<ID>";
        case 0x02:
            return "<Disp>1";
        case 0x03:
            return "<Value>";
        case 0x04:
            return "<Line>";
        case 0x05:
            return "</Line>";
        case 0x07:
            return "[Note_";
        case 0x08:
            return "Disp=1";
        case 0x0B:
            return "\r\n";
        default:
            return {};
    }
}

// Expands the marker bytes; stops at a NUL, whose position it returns in `used`.
std::string Expand(const uint8_t* data, size_t size, size_t& used) {
    std::string text;
    size_t i = 0;
    for (; i < size && data[i] != 0; ++i) {
        const char byte = static_cast<char>(data[i]);
        if (byte == kItemIdByte && i + 1 < size) {
            text += std::to_string(kNoteItems[data[++i] % kNoteItemCount].itemId);
            continue;
        }
        const std::string_view expansion = Expansion(byte);
        if (expansion.empty()) {
            text += byte;
        } else {
            text += expansion;
        }
    }
    used = i;
    return text;
}

std::string ReadAll(const std::string& path) {
    std::string bytes;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            bytes.append(buffer, n);
        std::fclose(file);
    }
    return bytes;
}

void Require(bool condition) {
    if (!condition) std::abort();
}

// Every text a Line element may carry: a line's text after its first <Line>, every
// </Line> removed, escaped.
std::unordered_set<std::string> LineTexts(const CStringArray& lines) {
    std::unordered_set<std::string> texts;
    for (int i = 0; i < lines.GetSize(); ++i) {
        const std::string& line = lines.GetAt(i).str();
        const size_t marker = line.find("<Line>");
        if (marker == std::string::npos) continue;
        std::string text = line.substr(marker + 6);
        for (size_t end; (end = text.find("</Line>")) != std::string::npos;) text.erase(end, 7);
        texts.insert(ClXmlWriter::Escape(text.c_str()).str());
    }
    return texts;
}

// Walks the written list tag by tag and checks its nesting and indentation, and that
// each Line carries one whole line's text.
void CheckList(const std::string& bytes, const std::unordered_set<std::string>& texts) {
    std::vector<std::string> open;
    size_t pos = 0;
    bool first = true;
    while (pos < bytes.size()) {
        const size_t lt = bytes.find('<', pos);
        Require(lt != std::string::npos);
        const size_t gt = bytes.find('>', lt);
        Require(gt != std::string::npos);
        const std::string_view between(bytes.data() + pos, lt - pos);
        const bool closing = bytes[lt + 1] == '/';
        const std::string name = bytes.substr(lt + (closing ? 2 : 1), gt - lt - (closing ? 2 : 1));
        const bool insideLine = !open.empty() && open.back() == "Line";
        if (insideLine) {
            Require(closing && name == "Line");
            Require(texts.count(std::string(between)) == 1);
        } else {
            const size_t depth = 2 + open.size() - (closing ? 1 : 0);
            const std::string indent = (first ? "" : "\r\n") + std::string(depth, '\t');
            Require(between == indent);
            Require(!closing || (!open.empty() && open.back() == name));
        }
        if (closing) {
            Require(!open.empty());
            open.pop_back();
        } else {
            Require(name != "Line" || open.size() > 1);
            open.push_back(name);
        }
        first = false;
        pos = gt + 1;
        if (open.empty()) break;
    }
    Require(open.empty());
    Require(bytes.compare(pos, std::string::npos, "\r\n") == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    size_t used = 0;
    const std::string settings = Expand(data, size, used);
    const size_t textStart = used < size ? used + 1 : size;
    const std::string text = Expand(data + textStart, size - textStart, used);

    uint8_t flags[ClReportWriter::kNoteSectionCount] = {};
    notes::ParseDispFlags(settings.c_str(), flags);
    CStringArray lines;
    notes::SplitNotesText(text.c_str(), lines);

    ClReportWriter writer;
    writer.notesPresent = 1;
    writer.noteLines = &lines;
    writer.noteDispFlags = flags;

    static const std::string path = "/tmp/fuzz_notes_" + std::to_string(getpid()) + ".xml";
    {
        CFile file;
        ClXmlWriter xml;
        xml.Open(&file, path.c_str());
        Require(writer.WriteNotes(xml) == 1);
    }
    CheckList(ReadAll(path), LineTexts(lines));
    return 0;
}
