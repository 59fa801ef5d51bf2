#include "report/SupportText.h"

#include <algorithm>
#include <cstddef>

#include "util/Sjis.h"

namespace {

constexpr unsigned char kCr = 0x0D;
constexpr unsigned char kLf = 0x0A;
constexpr unsigned char kEndOfFile = 0x1A;
constexpr std::string_view kKeyOpener{"[="};
constexpr std::string_view kMultiLineKeys[] = {kSupportInquiryKey, kSupportReproductionKey};

// First occurrence of `bytes` in [first, last), or `last`.
template <typename Byte>
Byte* Search(Byte* first, Byte* last, std::string_view bytes) {
    const std::string_view text(reinterpret_cast<const char*>(first),
                                static_cast<size_t>(last - first));
    const size_t found = text.find(bytes);
    return found == std::string_view::npos ? last : first + found;
}

bool StartsWith(const unsigned char* at, const unsigned char* end, std::string_view bytes) {
    return std::string_view(reinterpret_cast<const char*>(at), static_cast<size_t>(end - at))
        .starts_with(bytes);
}

void TerminateLines(unsigned char* buffer, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        if (buffer[i] == kCr && i + 1 < size && buffer[i + 1] == kLf) {
            buffer[i] = buffer[i + 1] = 0;
            ++i;
        } else if (buffer[i] == kEndOfFile) {
            buffer[i] = 0;
        }
    }
}

// Restores the line breaks of the value that starts at `value`, up to the next key
// (whose line end stays a terminator) or the end of the data read.
void RejoinValue(unsigned char* value, unsigned char* end) {
    for (unsigned char* p = value; p < end;) {
        if (*p == kSupportUnread) {
            *p = 0;
            return;
        }
        if (StartsWith(p, end, kKeyOpener)) {
            std::fill(p - std::min<std::ptrdiff_t>(2, p - value), p, 0);
            return;
        }
        if (p[0] == 0 && p + 1 < end && p[1] == 0) {
            p[0] = kCr;
            p[1] = kLf;
            p += 2;
        } else {
            ++p;
        }
    }
}

void RejoinMultiLineValues(unsigned char* buffer, size_t size) {
    unsigned char* const end = buffer + size;
    for (std::string_view key : kMultiLineKeys) {
        for (unsigned char* at = Search(buffer, end, key); at != end; at = Search(at, end, key)) {
            at += key.size();
            RejoinValue(at, end);
        }
    }
}

}  // namespace

void NormaliseSupportText(unsigned char* buffer, size_t size) {
    TerminateLines(buffer, size);
    RejoinMultiLineValues(buffer, size);
}

CString FindSupportValue(const unsigned char* buffer, size_t size, std::string_view key,
                         size_t maxBytes) {
    const unsigned char* const end = buffer + size;
    const unsigned char* value = Search(buffer, end, key);
    if (value == end) return CString();
    value += key.size();
    const unsigned char* valueEnd =
        std::find_if(value, end, [](unsigned char b) { return b == 0 || b == kSupportUnread; });
    return sjis::Truncate(std::string_view(reinterpret_cast<const char*>(value),
                                           static_cast<size_t>(valueEnd - value)),
                          maxBytes);
}
