#include "framework/CString.h"

#include <cstdio>

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args) {
    va_list measure;
    va_copy(measure, args);
    int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length < 0) {
        bytes_.clear();
        return;
    }
    bytes_.assign(static_cast<size_t>(length) + 1, '\0');
    std::vsnprintf(bytes_.data(), bytes_.size(), format, args);
    bytes_.resize(static_cast<size_t>(length));
}
