#pragma once
// The text of the accounting product's SUPPORT.INF as held in memory: lines of
// "[=key=]value", Shift_JIS, CR LF. The buffer is filled with 0xFF before the file
// is read into it, so 0xFF marks the end of the data read (when the file is shorter
// than the buffer).

#include <cstddef>
#include <string_view>

#include "framework/CString.h"

inline constexpr unsigned char kSupportUnread = 0xFF;

// Keys, as Shift_JIS bytes (the fuzz build keeps literals in UTF-8).
// "[=製品名=]"
inline constexpr std::string_view kSupportProductNameKey{"\x5B\x3D\x90\xBB\x95\x69\x96\xBC\x3D\x5D",
                                                         10};
// "[=製品ﾊﾞｰｼﾞｮﾝ=]" (half-width katakana)
inline constexpr std::string_view kSupportProductVersionKey{
    "\x5B\x3D\x90\xBB\x95\x69\xCA\xDE\xB0\xBC\xDE\xAE\xDD\x3D\x5D", 15};
// "[=お問い合わせ内容=]"
inline constexpr std::string_view kSupportInquiryKey{
    "\x5B\x3D\x82\xA8\x96\xE2\x82\xA2\x8D\x87\x82\xED\x82\xB9\x93\xE0\x97\x65\x3D\x5D", 20};
// "[=症状が再現する手順や条件=]"
inline constexpr std::string_view kSupportReproductionKey{
    "\x5B\x3D\x8F\xC7\x8F\xF3\x82\xAA\x8D\xC4\x8C\xBB\x82\xB7\x82\xE9\x8E\xE8\x8F\x87\x82\xE2"
    "\x8F\xF0\x8C\x8F\x3D\x5D",
    28};

// Makes every line a zero-terminated text: CR LF becomes two zero bytes and 0x1A
// becomes zero. The values of the two multi-line keys (inquiry text, steps to
// reproduce) get their inner line breaks back, up to the next key or the end of the
// data read.
void NormaliseSupportText(unsigned char* buffer, size_t size);

// The value after the first occurrence of `key`: the bytes up to the next zero, the
// first 0xFF or the end of the buffer, bounded to `maxBytes` whole characters. Empty
// when the key does not occur.
CString FindSupportValue(const unsigned char* buffer, size_t size, std::string_view key,
                         size_t maxBytes);
