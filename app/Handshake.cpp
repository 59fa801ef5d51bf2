#include "app/Handshake.h"

#include <limits>

namespace {

constexpr char kSeparator = ',';

constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Cuts the text before the next separator off `rest`; false when no separator follows.
bool TakeField(std::string_view& rest, std::string_view& field) {
    const size_t comma = rest.find(kSeparator);
    if (comma == std::string_view::npos) return false;
    field = rest.substr(0, comma);
    rest.remove_prefix(comma + 1);
    return true;
}

}  // namespace

int32_t ParseDecimal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    // Accumulated as a magnitude; one past INT32_MAX is INT32_MIN's magnitude.
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > kLimit) magnitude = kLimit;
    }
    if (negative) return static_cast<int32_t>(-magnitude);
    return magnitude >= kLimit ? std::numeric_limits<int32_t>::max()
                               : static_cast<int32_t>(magnitude);
}

bool ParseHandshake(std::string_view line, HandshakeFields& fields) {
    if (line.empty()) return false;
    std::string_view rest = line;
    std::string_view field;
    if (!TakeField(rest, field)) return false;
    fields.callerWnd = ParseDecimal(field);
    if (!TakeField(rest, field)) return false;
    fields.notifyMsg = static_cast<uint32_t>(ParseDecimal(field));
    if (!TakeField(rest, field)) return false;
    // The low 16 bits, read as signed.
    fields.functionId = static_cast<int16_t>(static_cast<uint16_t>(ParseDecimal(field)));
    if (!rest.empty()) fields.callerPath = rest;
    return true;
}
