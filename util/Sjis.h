#pragma once
// Shift_JIS (code page 932) byte rules. A double-byte character's second byte can be
// any of 0x40-0x7E or 0x80-0xFC, so a backslash (0x5C) or another ASCII byte found by a
// plain byte search may be half of a character: walks must step over lead bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace sjis {

constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// True when the text's last character is a single-byte backslash.
bool EndsWithBackslash(const std::string& text);

// The longest prefix of at most maxBytes bytes that holds only whole characters. A lead
// byte whose second byte is missing (a broken text) is dropped too: written before
// markup it would swallow the markup's first byte.
std::string Truncate(std::string_view text, size_t maxBytes);

}  // namespace sjis
