// The notes list: the note item table walked in order, each shown item written as an
// element whose own text lines come first as Line children, then its shown children.
//
// An item hidden while some of its descendants are shown is not written, and its
// shown descendants take its place: they are written where the hidden item would
// have been, one level below the nearest shown ancestor. So the file holds every
// shown item exactly once, each inside its nearest shown ancestor, and the
// indentation always follows the nesting.

#include <string>
#include <string_view>

#include "report/ClReportWriter.h"
#include "report/ClXmlWriter.h"
#include "report/NoteItems.h"

namespace {

constexpr int kFail = 0;
constexpr int kOk = 1;
constexpr int kNotesDepth = 2;
constexpr int kWalkFailed = -1;  // WriteNoteEntry's result after a failed write

constexpr std::string_view kIdMarker = "<ID>";
constexpr std::string_view kDispMarker = "<Disp>";
constexpr std::string_view kValueMarker = "<Value>";
constexpr std::string_view kLineMarker = "<Line>";
constexpr std::string_view kLineEndMarker = "</Line>";
constexpr char kShownMark = '1';
constexpr int kDispOffset = 3;   // the <Disp> line, counted from the <ID> line
constexpr int kValueOffset = 4;  // the <Value> line

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// True when the line carries the <ID> marker and the decimal ID somewhere after it.
bool CarriesId(std::string_view line, std::string_view id) {
    const size_t marker = line.find(kIdMarker);
    return marker != std::string_view::npos && Contains(line.substr(marker + kIdMarker.size()), id);
}

// The text of a <Line> line: after its first marker, every </Line> removed.
std::string LineText(std::string_view line) {
    std::string_view rest = line.substr(line.find(kLineMarker) + kLineMarker.size());
    std::string text;
    text.reserve(rest.size());
    for (size_t end = rest.find(kLineEndMarker); end != std::string_view::npos;
         end = rest.find(kLineEndMarker)) {
        text.append(rest.substr(0, end));
        rest.remove_prefix(end + kLineEndMarker.size());
    }
    text.append(rest);
    return text;
}

// The first row after `row` whose depth is not greater than its own, or the end.
int SubtreeEnd(int row) {
    const int depth = kNoteItems[row].depth;
    int end = row + 1;
    while (end < static_cast<int>(kNoteItemCount) && kNoteItems[end].depth > depth) ++end;
    return end;
}

}  // namespace

int ClReportWriter::WriteNotes(ClXmlWriter& xml) {
    if (!xml.WriteStartTag("ListNotesNonConsolidated", kNotesDepth)) return kFail;
    for (int row = 0; row < static_cast<int>(kNoteItemCount);) {
        row = WriteNoteEntry(xml, row, kNoteItems[row].depth);
        if (row == kWalkFailed) return kFail;
    }
    return xml.WriteEndTag("ListNotesNonConsolidated", kNotesDepth);
}

int ClReportWriter::WriteNoteEntry(ClXmlWriter& xml, int row, int depth) {
    const NoteItem& item = kNoteItems[row];
    const int end = SubtreeEnd(row);
    const bool shown = IsGroupShown(item.group) && IsNoteShown(item.itemId);
    if (shown &&
        (!xml.WriteStartTag(item.element, depth) || !WriteNoteLines(xml, item.itemId, depth + 1))) {
        return kWalkFailed;
    }
    // The children of a hidden item stand in its place.
    const int childDepth = shown ? depth + 1 : depth;
    for (int child = row + 1; child < end;) {
        child = WriteNoteEntry(xml, child, childDepth);
        if (child == kWalkFailed) return kWalkFailed;
    }
    if (shown && !xml.WriteEndTag(item.element, depth)) return kWalkFailed;
    return end;
}

bool ClReportWriter::IsGroupShown(int group) const {
    return noteDispFlags != nullptr && group >= 0 && group < static_cast<int>(kNoteSectionCount) &&
           noteDispFlags[group] != 0;
}

bool ClReportWriter::IsNoteShown(int32_t itemId) const {
    if (noteLines == nullptr) return false;
    const std::string id = std::to_string(itemId);
    const int count = noteLines->GetSize();
    for (int i = 0; i + kDispOffset < count; ++i) {
        if (!CarriesId(noteLines->GetAt(i).str(), id)) continue;
        const std::string_view disp = noteLines->GetAt(i + kDispOffset).str();
        const size_t marker = disp.find(kDispMarker);
        if (marker == std::string_view::npos) continue;
        const size_t mark = marker + kDispMarker.size();
        return mark < disp.size() && disp[mark] == kShownMark;
    }
    return false;
}

int ClReportWriter::WriteNoteLines(ClXmlWriter& xml, int32_t itemId, int depth) {
    if (noteLines == nullptr) return kOk;
    const std::string id = std::to_string(itemId);
    const int count = noteLines->GetSize();
    int first = 0;
    while (first < count && !CarriesId(noteLines->GetAt(first).str(), id)) ++first;
    const int value = first + kValueOffset;
    if (value >= count || !Contains(noteLines->GetAt(value).str(), kValueMarker)) return kOk;
    // Each line is written whole, however long: the stream writer's line grows.
    for (int i = value + 1; i < count && Contains(noteLines->GetAt(i).str(), kLineMarker); ++i) {
        if (!xml.WriteElement("Line", LineText(noteLines->GetAt(i).str()).c_str(), depth)) {
            return kFail;
        }
    }
    return kOk;
}
