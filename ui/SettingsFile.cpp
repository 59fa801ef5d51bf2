#include "ui/SettingsFile.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <iterator>

#include "framework/CFile.h"
#include "framework/Sys.h"
#include "framework/WinTypes.h"
#include "util/Sjis.h"

namespace settings {

namespace {

constexpr char kLineFeed = '\n';
constexpr char kSeparator = '/';
constexpr size_t kMaxRecordBytes = 511;  // text after the key
constexpr size_t kMaxKeyBytes = 128;     // user id (64), selection number, data id (34)
constexpr size_t kNumberFields = 3;      // start, end, choice; the ledger field is newer
constexpr const char* kTempSuffix = ".tmp";

// Position of the first line that starts with `key`, or npos.
size_t FindKeyLine(std::string_view content, std::string_view key, size_t from = 0) {
    if (key.empty()) return std::string_view::npos;
    for (size_t pos = content.find(key, from); pos != std::string_view::npos;
         pos = content.find(key, pos + 1)) {
        if (pos == 0 || content[pos - 1] == kLineFeed) return pos;
    }
    return std::string_view::npos;
}

// A decimal number as the C library reads one: blanks, a sign, digits up to the first
// other character; no digits give 0. Kept within the range of an int.
long ReadNumber(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    const bool negative = pos < text.size() && text[pos] == '-';
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) ++pos;
    long value = 0;
    for (; pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])); ++pos) {
        if (value < INT_MAX) value = value * 10 + (text[pos] - '0');
    }
    if (value > INT_MAX) value = INT_MAX;
    return negative ? -value : value;
}

// The text from `begin` to the next separator (or the end).
std::string_view Field(std::string_view record, size_t begin) {
    const size_t end = record.find(kSeparator, begin);
    return record.substr(begin,
                         end == std::string_view::npos ? std::string_view::npos : end - begin);
}

bool ReadWholeFile(const std::string& file, std::string& content) {
    CFile in;
    if (!in.Open(file.c_str(), CFile::modeRead | CFile::typeBinary)) return false;
    content.clear();
    char buffer[4096];
    for (size_t got; (got = in.Read(buffer, sizeof buffer)) > 0;) content.append(buffer, got);
    return content.size() == in.GetLength();
}

// Replaces `target` by `source`, also when `target` exists.
bool ReplaceFile(const std::string& source, const std::string& target) {
#ifdef _WIN32
    return ::MoveFileExA(source.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(source.c_str(), target.c_str()) == 0;
#endif
}

// A temporary file that is removed again unless it was moved into place.
class TempFile {
  public:
    explicit TempFile(std::string path) : path_(std::move(path)) {}
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (!placed_) std::remove(path_.c_str());
    }

    bool Write(std::string_view content) {
        CFile out;
        return out.Open(path_.c_str(), CFile::modeCreate | CFile::modeWrite |
                                           CFile::shareExclusive | CFile::typeBinary) &&
               out.Write(content.data(), content.size());
    }
    bool MoveTo(const std::string& target) {
        placed_ = ReplaceFile(path_, target);
        return placed_;
    }

  private:
    std::string path_;
    bool placed_ = false;
};

}  // namespace

std::string MakeKey(const EditionInfo& edition, std::string_view userId, int32_t selectionNo1,
                    std::string_view dataIdText) {
    const std::string user(userId);
    const std::string data(dataIdText);
    char key[kMaxKeyBytes + 1] = {};
    const int length =
        edition.keyHasSelectionNo
            ? std::snprintf(key, sizeof key, edition.settingsKeyFormat, user.c_str(),
                            static_cast<int>(selectionNo1), data.c_str())
            : std::snprintf(key, sizeof key, edition.settingsKeyFormat, user.c_str(), data.c_str());
    // A key that does not fit would be cut and could match another user's record.
    return length > 0 && static_cast<size_t>(length) <= kMaxKeyBytes ? std::string(key)
                                                                     : std::string();
}

bool FindRecord(std::string_view content, std::string_view key, Record& out) {
    const size_t keyPos = FindKeyLine(content, key);
    if (keyPos == std::string_view::npos) return false;
    std::string_view record = content.substr(keyPos + key.size());
    record = record.substr(0, record.find(kLineFeed)).substr(0, kMaxRecordBytes);

    size_t separators[kNumberFields + 1] = {};
    size_t found = 0;
    for (size_t pos = record.find(kSeparator);
         pos != std::string_view::npos && found < std::size(separators);
         pos = record.find(kSeparator, pos + 1)) {
        separators[found++] = pos;
    }
    if (found < kNumberFields) return false;

    out.startMonth = static_cast<int16_t>(ReadNumber(Field(record, 0)));
    out.endMonth = static_cast<int16_t>(ReadNumber(Field(record, separators[0] + 1)));
    out.statementChoice = static_cast<int16_t>(ReadNumber(Field(record, separators[1] + 1)));
    out.ledgerFlag = found > kNumberFields
                         ? static_cast<int32_t>(ReadNumber(Field(record, separators[2] + 1)))
                         : 1;
    out.path = sjis::Truncate(record.substr(record.rfind(kSeparator) + 1), kMaxPathBytes);
    return true;
}

std::string FormatLine(std::string_view key, const Record& record) {
    char fields[64] = {};
    std::snprintf(fields, sizeof fields, "%d/%d/%d/%d/", record.startMonth, record.endMonth,
                  record.statementChoice, static_cast<int>(record.ledgerFlag));
    std::string line(key);
    line += fields;
    line += record.path;
    line += kLineFeed;
    return line;
}

std::string Rewrite(std::string_view content, std::string_view key, std::string_view line) {
    std::string result;
    result.reserve(content.size() + line.size() + 1);
    size_t kept = 0;
    for (size_t pos = FindKeyLine(content, key); pos != std::string_view::npos;
         pos = FindKeyLine(content, key, kept)) {
        result.append(content.substr(kept, pos - kept));
        const size_t end = content.find(kLineFeed, pos);
        kept = end == std::string_view::npos ? content.size() : end + 1;
    }
    result.append(content.substr(kept));
    // A last line without its line feed keeps it apart from the new record.
    if (!result.empty() && result.back() != kLineFeed) result += kLineFeed;
    result.append(line);
    return result;
}

bool LoadRecord(const std::string& file, std::string_view key, Record& out) {
    std::string content;
    return ReadWholeFile(file, content) && FindRecord(content, key, out);
}

bool SaveRecord(const std::string& file, std::string_view key, const Record& record) {
    if (key.empty()) return false;
    std::string content;
    // An existing file that cannot be read is left alone: its other lines would be lost.
    if (sys::FileExists(file.c_str()) && !ReadWholeFile(file, content)) return false;
    TempFile temp(file + kTempSuffix);
    return temp.Write(Rewrite(content, key, FormatLine(key, record))) && temp.MoveTo(file);
}

}  // namespace settings
