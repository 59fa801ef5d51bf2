#pragma once
// UTF-8 to Shift_JIS (code page 932) without best-fit substitutes.

#include <optional>
#include <string>
#include <string_view>

namespace book {

// The exact code page 932 form of `utf8`; none when a character has no such form or
// the text is not valid UTF-8.
std::optional<std::string> Utf8ToShiftJis(std::string_view utf8);

}  // namespace book
