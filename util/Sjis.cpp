#include "util/Sjis.h"

namespace sjis {

namespace {

// Byte length of the character that starts at `pos`.
size_t CharLength(const std::string& text, size_t pos) {
    const bool lead = IsLeadByte(static_cast<unsigned char>(text[pos]));
    return lead && pos + 1 < text.size() ? 2 : 1;
}

}  // namespace

bool EndsWithBackslash(const std::string& text) {
    size_t last = std::string::npos;
    for (size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) last = pos;
    return last != std::string::npos && last + 1 == text.size() && text[last] == '\\';
}

std::string Truncate(const std::string& text, size_t maxBytes) {
    size_t end = 0;
    while (end < text.size()) {
        const size_t next = end + CharLength(text, end);
        if (next > maxBytes) break;
        end = next;
    }
    return text.substr(0, end);
}

}  // namespace sjis
