#pragma once
// The books of the tests: fixture files, connected to as the program connects, and books
// written inline. Inline JSON spells non-ASCII characters as \u escapes: the tests' own
// literals are Shift_JIS.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/BookLoader.h"
#include "platform/Status.h"
#include "platform/bridgekit.h"

// The folder of the test fixtures (ctest names it in STMTLINK_FIXTURES).
inline std::string FixtureRoot() {
    const char* root = std::getenv("STMTLINK_FIXTURES");
    return root ? root : "tests/fixtures";
}

inline std::string FixtureBook(const char* name) { return FixtureRoot() + "/books/" + name; }
inline std::string DemoBookFile() {
    return FixtureRoot() + "/../../demo/install/TallyvaleBook.json";
}

// Names the book file that the library's start loads.
inline void SetBookPath(const std::string& path) {
#ifdef _WIN32
    _putenv_s("TALLYVALE_BOOK", path.c_str());
#else
    setenv("TALLYVALE_BOOK", path.c_str(), 1);
#endif
}

// Connects to the book file at `path` through the library's start, as the program does.
inline void LoadBookFile(const std::string& path) {
    SetBookPath(path);
    ASSERT_EQ(ClAccConnect::Inst()->Initiate(), kLibOk) << path;
}

inline void InstallBook(const std::string& text) {
    book::ParseResult result = book::ParseBook(text);
    ASSERT_TRUE(result.book) << result.problem;
    book::Install(std::move(result.book));
}
