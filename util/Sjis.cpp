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

std::string Truncate(std::string_view text, size_t maxBytes) {
    size_t kept = 0;
    while (kept < text.size()) {
        const size_t width = IsLeadByte(static_cast<unsigned char>(text[kept])) ? 2 : 1;
        if (kept + width > text.size() || kept + width > maxBytes) break;
        kept += width;
    }
    return std::string(text.substr(0, kept));
}

}  // namespace sjis
