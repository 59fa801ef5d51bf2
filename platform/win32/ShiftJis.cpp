#include "platform/ShiftJis.h"

#include <windows.h>

#include <climits>

namespace book {

std::optional<std::string> Utf8ToShiftJis(std::string_view utf8) {
    if (utf8.empty()) return std::string();
    if (utf8.size() > INT_MAX / 2) return std::nullopt;
    const int inSize = static_cast<int>(utf8.size());
    const int wideSize =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inSize, nullptr, 0);
    if (wideSize <= 0) return std::nullopt;
    std::wstring wide(wideSize, L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inSize, wide.data(), wideSize);

    BOOL usedDefault = FALSE;
    const int outSize = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideSize,
                                            nullptr, 0, nullptr, &usedDefault);
    if (outSize <= 0 || usedDefault) return std::nullopt;
    std::string out(outSize, '\0');
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideSize, out.data(), outSize,
                        nullptr, &usedDefault);
    if (usedDefault) return std::nullopt;
    return out;
}

}  // namespace book
