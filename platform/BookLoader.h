#pragma once
// Reads a book file into a Book, refusing anything the format does not allow.

#include <memory>
#include <string>
#include <string_view>

#include "platform/Book.h"

namespace book {

// Deeper nesting is refused before parsing (the parser recurses).
constexpr int kMaxNesting = 64;

struct ParseResult {
    std::unique_ptr<Book> book;  // null when refused
    std::string problem;         // why, with the line and column or the JSON path
};

ParseResult ParseBook(std::string_view bytes);

}  // namespace book
