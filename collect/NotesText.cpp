#include "collect/NotesText.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace notes {
namespace {

constexpr char kInputModeKey[] = "InputMode";
constexpr char kNoteKey[] = "Note=";
constexpr char kSectionHeader[] = "[Note_";
constexpr char kDispKey[] = "Disp=";
// "[Note_", a two-digit section number and "]": where a section's keys may start.
constexpr size_t kSectionHeaderLength = 9;
constexpr char kLineEnd[] = "\r\n";

constexpr size_t Length(const char* text) { return std::char_traits<char>::length(text); }

struct Escape {
    const char* escaped;
    const char* plain;
};
// Undone in this order, each over the result of the one before.
constexpr Escape kEscapes[] = {
    {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&apos;", "'"}, {"&quot;", "\""},
};

bool IsSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// The end of the line that starts at `value`.
const char* LineEnd(const char* value) { return value + std::strcspn(value, kLineEnd); }

int IsPositive(const char* value, const char* end) { return ReadInteger(value, end) > 0 ? 1 : 0; }

// Every occurrence of `from`, left to right; a replacement is not searched again.
void ReplaceAll(std::string& text, const char* from, const char* to) {
    const size_t fromLength = Length(from);
    const size_t toLength = Length(to);
    for (size_t pos = text.find(from); pos != std::string::npos;
         pos = text.find(from, pos + toLength))
        text.replace(pos, fromLength, to);
}

}  // namespace

long ReadInteger(const char* begin, const char* end) {
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    const char* pos = begin;
    while (pos < end && IsSpace(*pos)) ++pos;
    bool negative = false;
    if (pos < end && (*pos == '+' || *pos == '-')) negative = *pos++ == '-';
    int64_t value = 0;
    for (; pos < end && IsDigit(*pos); ++pos)
        if (value <= kMax) value = value * 10 + (*pos - '0');
    if (negative) value = -value;
    if (value > kMax) return static_cast<long>(kMax);
    if (value < kMin) return static_cast<long>(kMin);
    return static_cast<long>(value);
}

int ParseInputMode(const char* settings) {
    if (!settings) return 0;
    const char* key = std::strstr(settings, kInputModeKey);
    if (!key) return 0;
    const char* equals = std::strchr(key + Length(kInputModeKey), '=');
    if (!equals) return 0;
    const char* value = equals + 1;
    return IsPositive(value, LineEnd(value));
}

int ParseHasNotes(const char* settings) {
    if (!settings) return 0;
    const char* key = std::strstr(settings, kNoteKey);
    if (!key) return 0;
    const char* value = key + Length(kNoteKey);
    if (*value == '\0') return 0;
    return IsPositive(value, LineEnd(value));
}

void ParseDispFlags(const char* settings, uint8_t* flags) {
    if (!settings) return;
    const char* const textEnd = settings + std::strlen(settings);
    const char* pos = settings;
    for (size_t entry = 0; entry < kSectionCount; ++entry) {
        const char* header = std::strstr(pos, kSectionHeader);
        if (!header) return;
        const char* keysFrom = static_cast<size_t>(textEnd - header) < kSectionHeaderLength
                                   ? textEnd
                                   : header + kSectionHeaderLength;
        const char* key = std::strstr(keysFrom, kDispKey);
        if (!key) return;
        // Not cut at the line end: the reading stops at the first non-digit.
        const char* value = key + Length(kDispKey);
        flags[entry] = static_cast<uint8_t>(ReadInteger(value, textEnd));
        if (value == textEnd) return;
        pos = value;
    }
}

void SplitNotesText(const char* text, CStringArray& lines) {
    lines.RemoveAll();
    std::string plain = text ? text : "";
    for (const Escape& escape : kEscapes) ReplaceAll(plain, escape.escaped, escape.plain);
    if (plain.find(kLineEnd) == std::string::npos) {
        if (!plain.empty()) lines.Add(CString(plain));
        return;
    }
    const size_t lineEndLength = Length(kLineEnd);
    if (plain.size() < lineEndLength ||
        plain.compare(plain.size() - lineEndLength, lineEndLength, kLineEnd) != 0)
        plain += kLineEnd;
    for (size_t start = 0; start < plain.size();) {
        const size_t cut = plain.find(kLineEnd, start);
        lines.Add(CString(plain.substr(start, cut - start)));
        start = cut + lineEndLength;
    }
}

}  // namespace notes
