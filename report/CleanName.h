#pragma once
// Label text of account names: the brackets, marks and spaces that the chart of
// accounts uses for layout are removed, whole Shift_JIS characters at a time.

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace label {

// The bytes of a fixed-width name field up to its NUL (or its width, without one).
template <size_t N>
std::string_view FieldText(const char (&field)[N]) {
    return {field, strnlen(field, N)};
}

// `name` without any of the removed strings. Strings are matched only where a
// character begins, so the second byte of a double-byte character never starts a
// match; a lead byte without its second byte at the end is dropped.
std::string Clean(std::string_view name);

// True when `part` occurs in `text` starting at a character boundary.
bool ContainsText(std::string_view text, std::string_view part);

}  // namespace label
