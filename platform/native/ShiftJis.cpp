// glibc's CP932 converter maps some characters one way (U+00A5 to 0x5C, U+2212 to
// 0x817C, ...), where Windows without best fit refuses them. A text is therefore
// accepted only when its Shift_JIS form decodes back to the same text.

#include "platform/ShiftJis.h"

#include <iconv.h>

#include <algorithm>

namespace book {
namespace {

class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() {
        if (IsOpen()) iconv_close(cd_);
    }

    std::optional<std::string> Convert(std::string_view in) {
        if (!IsOpen()) return std::nullopt;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out(in.size() * 4 + 4, '\0');
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char* dst = out.data();
        size_t dstLeft = out.size();
        if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1) ||
            iconv(cd_, nullptr, nullptr, &dst, &dstLeft) == static_cast<size_t>(-1))
            return std::nullopt;
        out.resize(out.size() - dstLeft);
        return out;
    }

  private:
    bool IsOpen() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_;
};

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::optional<std::string> Utf8ToShiftJis(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    static Converter encoder("CP932", "UTF-8");
    static Converter decoder("UTF-8", "CP932");
    std::optional<std::string> sjis = encoder.Convert(utf8);
    if (!sjis) return std::nullopt;
    const std::optional<std::string> back = decoder.Convert(*sjis);
    if (!back || *back != utf8) return std::nullopt;
    return sjis;
}

}  // namespace book
