#include "report/ByteLimit.h"

#include "util/Sjis.h"

CString LimitBytes(const char* text, size_t length, size_t maxBytes) {
    size_t kept = 0;
    while (kept < length) {
        const size_t width = sjis::IsLeadByte(static_cast<unsigned char>(text[kept])) ? 2 : 1;
        if (kept + width > length || kept + width > maxBytes) break;
        kept += width;
    }
    return CString(text, static_cast<int>(kept));
}
