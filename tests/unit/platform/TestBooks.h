#pragma once
// Books written inline by the tests. Their JSON spells non-ASCII characters as \u
// escapes: the tests' own literals are Shift_JIS.

#include <gtest/gtest.h>

#include <string>

#include "platform/BookLoader.h"

inline void InstallBook(const std::string& text) {
    book::ParseResult result = book::ParseBook(text);
    ASSERT_TRUE(result.book) << result.problem;
    book::Install(std::move(result.book));
}
