// The native stand-in for LCMapStringA(LCMAP_FULLWIDTH) under code page 932, as Wine
// answers it: printable ASCII and the blank become their full-width forms (except the
// backslash, which stays), half-width katakana become full-width katakana with a
// following sound mark joined where code page 932 has the voiced form, and a sound mark
// left over becomes '?'. A double-byte character goes through Unicode and back: a code
// page 932 duplicate comes back in its preferred form, an unmapped pair (or a lead byte
// at the end) becomes the code page's default character.

#include <iconv.h>

#include <cstdint>
#include <iterator>
#include <string>

#include "framework/Sys.h"

namespace {

constexpr uint16_t kKeep = 0;

// Full-width Shift_JIS codes of 0x20 (blank) to 0x7E.
constexpr uint16_t kAsciiFullWidth[] = {
    0x8140, 0x8149, 0xFA57, 0x8194, 0x8190, 0x8193, 0x8195, 0xFA56,  //  !"#$%&'
    0x8169, 0x816A, 0x8196, 0x817B, 0x8143, 0x817C, 0x8144, 0x815E,  // ()*+,-./
    0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256,  // 01234567
    0x8257, 0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148,  // 89:;<=>?
    0x8197, 0x8260, 0x8261, 0x8262, 0x8263, 0x8264, 0x8265, 0x8266,  // @ABCDEFG
    0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E,  // HIJKLMNO
    0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276,  // PQRSTUVW
    0x8277, 0x8278, 0x8279, 0x816D, kKeep,  0x816E, 0x814F, 0x8151,  // XYZ[\]^_
    0x814D, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287,  // `abcdefg
    0x8288, 0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F,  // hijklmno
    0x8290, 0x8291, 0x8292, 0x8293, 0x8294, 0x8295, 0x8296, 0x8297,  // pqrstuvw
    0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8160,          // xyz{|}~
};
static_assert(std::size(kAsciiFullWidth) == 0x7F - 0x20);

// Full-width forms of the half-width katakana 0xA1 to 0xDD (｡ to ﾝ).
constexpr uint16_t kKanaFullWidth[] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340,          // ｡｢｣､･ｦｧ
    0x8342, 0x8344, 0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362,  // ｨｩｪｫｬｭｮｯ
    0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C,  // ｰｱｲｳｴｵｶｷ
    0x834E, 0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C,  // ｸｹｺｻｼｽｾｿ
    0x835E, 0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B,  // ﾀﾁﾂﾃﾄﾅﾆﾇ
    0x836C, 0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D,  // ﾈﾉﾊﾋﾌﾍﾎﾏ
    0x837E, 0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389,  // ﾐﾑﾒﾓﾔﾕﾖﾗ
    0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393,                  // ﾘﾙﾚﾛﾜﾝ
};
static_assert(std::size(kKanaFullWidth) == 0xDE - 0xA1);

constexpr unsigned char kFirstKana = 0xA1;
constexpr unsigned char kVoicedMark = 0xDE;      // ﾞ
constexpr unsigned char kSemiVoicedMark = 0xDF;  // ﾟ
constexpr uint16_t kVu = 0x8394;                 // ヴ
constexpr uint16_t kDefaultChar = 0x8145;        // ・, code page 932's default
// The full-width sound marks ゛ and ゜ map to combining marks that code page 932 lacks.
constexpr uint16_t kFullVoicedMark = 0x814A;
constexpr uint16_t kFullSemiVoicedMark = 0x814B;

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
bool InRange(unsigned char byte, unsigned char first, unsigned char last) {
    return byte >= first && byte <= last;
}

// ﾜﾞ and ｦﾞ join into letters that code page 932 lacks; they come out as one '?'.
bool JoinsWithoutForm(unsigned char kana, unsigned char mark) {
    return mark == kVoicedMark && (kana == 0xDC || kana == 0xA6);
}

// The joined form of a half-width kana followed by a sound mark; 0 when there is none.
uint16_t Joined(unsigned char kana, unsigned char mark) {
    const uint16_t plain = kKanaFullWidth[kana - kFirstKana];
    const bool kaToTo = InRange(kana, 0xB6, 0xC4);  // ｶ to ﾄ
    const bool haToHo = InRange(kana, 0xCA, 0xCE);  // ﾊ to ﾎ
    if (mark == kVoicedMark) {
        if (kana == 0xB3) return kVu;  // ｳ
        if (kaToTo || haToHo) return plain + 1;
    }
    if (mark == kSemiVoicedMark && haToHo) return plain + 2;
    return 0;
}

void Append(std::string& out, uint16_t code) {
    out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

// One direction of glibc's converter, open for the life of the program.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(::iconv_open(to, from)) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() {
        if (cd_ != kInvalid) ::iconv_close(cd_);
    }

    // Converts one character; false when it has no form in the target set.
    bool Convert(const char* in, size_t size, char* out, size_t capacity, size_t& written) {
        if (cd_ == kInvalid) return false;
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* source = const_cast<char*>(in);
        char* target = out;
        size_t left = capacity;
        if (::iconv(cd_, &source, &size, &target, &left) == static_cast<size_t>(-1)) return false;
        written = capacity - left;
        return size == 0;
    }

  private:
    static inline const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);
    iconv_t cd_;
};

// A double-byte character through Unicode and back, as the Win32 conversion does.
void AppendDoubleByte(std::string& out, unsigned char lead, unsigned char trail) {
    static Converter toUnicode("UTF-16LE", "CP932");
    static Converter fromUnicode("CP932", "UTF-16LE");
    const uint16_t code = static_cast<uint16_t>(lead << 8 | trail);
    if (code == kFullVoicedMark || code == kFullSemiVoicedMark) {
        out += '?';
        return;
    }
    const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    char unicode[4];
    char back[4];
    size_t unicodeSize = 0;
    size_t backSize = 0;
    if (!toUnicode.Convert(pair, 2, unicode, sizeof unicode, unicodeSize) ||
        !fromUnicode.Convert(unicode, unicodeSize, back, sizeof back, backSize)) {
        Append(out, kDefaultChar);
        return;
    }
    out.append(back, backSize);
}

}  // namespace

namespace sys {

std::string FullWidth(const char* text) {
    std::string out;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    for (size_t i = 0; bytes[i] != 0; ++i) {
        const unsigned char byte = bytes[i];
        if (IsLeadByte(byte)) {
            if (bytes[i + 1] == 0) {
                Append(out, kDefaultChar);
            } else {
                AppendDoubleByte(out, byte, bytes[i + 1]);
                ++i;
            }
        } else if (InRange(byte, 0x20, 0x7E) && kAsciiFullWidth[byte - 0x20] != kKeep) {
            Append(out, kAsciiFullWidth[byte - 0x20]);
        } else if (byte == kVoicedMark || byte == kSemiVoicedMark) {
            out += '?';
        } else if (JoinsWithoutForm(byte, bytes[i + 1])) {
            out += '?';
            ++i;
        } else if (InRange(byte, kFirstKana, 0xDD)) {
            const uint16_t joined = Joined(byte, bytes[i + 1]);
            Append(out, joined ? joined : kKanaFullWidth[byte - kFirstKana]);
            if (joined) ++i;
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

}  // namespace sys
