#pragma once
// Bounding Shift_JIS text to a byte count without splitting a double-byte character.

#include <cstddef>

#include "framework/CString.h"

// First byte of a Shift_JIS double-byte character.
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The longest prefix of the first `length` bytes of `text` that holds only whole
// characters and is at most `maxBytes` long. A lead byte without its second byte
// (a broken text) is dropped rather than written before markup.
CString LimitBytes(const char* text, size_t length, size_t maxBytes);
