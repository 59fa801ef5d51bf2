#include "report/CleanName.h"

#include "util/Sjis.h"

namespace {

// Removed from names, tried in this order at each character. Spelled as Shift_JIS
// bytes: the match depends on them in every build.
constexpr std::string_view kRemovedStrings[] = {
    " ",
    "\x81\x40",    // 　 (full-width space)
    "\x81\x79",    // 【
    "\x81\x7A",    // 】
    "\x81\x73",    // 《
    "\x81\x74",    // 》
    "\x81\x69",    // （
    "\x81\x6A",    // ）
    "\x81\x6D",    // ［
    "\x81\x6E",    // ］
    "(\x90\xBB)",  // (製)
    "[\x90\xBB]",  // [製]
    "(\x8A\xAE)",  // (完)
    "[\x8A\xAE]",  // [完]
    "(\x96\xA2)",  // (未)
    "[\x96\xA2]",  // [未]
};

// Length of the removed string that `rest` starts with; 0 when none.
size_t RemovedLength(std::string_view rest) {
    for (std::string_view removed : kRemovedStrings) {
        if (rest.starts_with(removed)) return removed.size();
    }
    return 0;
}

// Bytes of the character that `rest` starts with: 2 for a double-byte character, 1
// for a single byte, 0 for a lead byte that lost its second byte.
size_t CharacterLength(std::string_view rest) {
    if (!sjis::IsLeadByte(static_cast<unsigned char>(rest.front()))) return 1;
    return rest.size() >= 2 ? 2 : 0;
}

}  // namespace

namespace label {

std::string Clean(std::string_view name) {
    std::string cleaned;
    size_t pos = 0;
    while (pos < name.size()) {
        const std::string_view rest = name.substr(pos);
        if (const size_t removed = RemovedLength(rest)) {
            pos += removed;
            continue;
        }
        const size_t length = CharacterLength(rest);
        if (length == 0) break;
        cleaned.append(rest.substr(0, length));
        pos += length;
    }
    return cleaned;
}

bool ContainsText(std::string_view text, std::string_view part) {
    for (size_t pos = 0; pos < text.size();) {
        const std::string_view rest = text.substr(pos);
        if (rest.starts_with(part)) return true;
        const size_t length = CharacterLength(rest);
        if (length == 0) break;
        pos += length;
    }
    return false;
}

}  // namespace label
