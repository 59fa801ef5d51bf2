// Feeds arbitrary bytes to the settings-file reader and rewriter. The input is a key
// (up to the first NUL, line feeds made blanks) and the file's content. Reading never
// steps outside the content and hands back whole characters within the path bound; a
// rewrite keeps every other line in its order and ends with the new record, which reads
// back as written.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "ui/SettingsFile.h"
#include "util/Sjis.h"

namespace {

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

void Check(bool holds) {
    if (!holds) std::abort();
}

void CheckWholeCharacters(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (sjis::IsLeadByte(static_cast<unsigned char>(text[i]))) Check(++i < text.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    if (split == std::string_view::npos || split == 0) return 0;
    std::string key(input.substr(0, split));
    for (char& ch : key) {
        if (ch == '\n') ch = ' ';
    }
    const std::string_view content = input.substr(split + 1);

    settings::Record found;
    if (settings::FindRecord(content, key, found)) {
        Check(found.path.size() <= settings::kMaxPathBytes);
        CheckWholeCharacters(found.path);
    }

    // The new record's path: the last line of the content, without "/" (the path is the
    // text after the record's last "/") and cut to whole characters.
    std::string path(content.substr(content.rfind('\n') + 1));
    for (char& ch : path) {
        if (ch == '/') ch = '_';
    }
    const settings::Record record{static_cast<int16_t>(size), -7, 2, 0,
                                  sjis::Truncate(path, settings::kMaxPathBytes)};
    const std::string line = settings::FormatLine(key, record);
    const std::string rewritten = settings::Rewrite(content, key, line);

    Check(rewritten.size() >= line.size() &&
          rewritten.compare(rewritten.size() - line.size(), line.size(), line) == 0);
    std::vector<std::string_view> kept;
    for (std::string_view old : Lines(content)) {
        if (old.substr(0, key.size()) != key) kept.push_back(old);
    }
    std::vector<std::string_view> lines = Lines(rewritten);
    lines.pop_back();
    Check(lines == kept);

    settings::Record back;
    Check(settings::FindRecord(rewritten, key, back));
    Check(back.startMonth == record.startMonth && back.endMonth == record.endMonth &&
          back.statementChoice == record.statementChoice && back.ledgerFlag == record.ledgerFlag &&
          back.path == record.path);
    return 0;
}
