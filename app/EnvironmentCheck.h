#pragma once
// Whether the tax-filing application installed beside the program speaks this
// component's interface level. Its definition file QuillmarkDef.ini names the level of
// each of its products in section "ProgramLevel"; this component supports level 4 of
// product "QK41".

#include <string>

// Level codes of the check.
constexpr int kLevelMissing = -1;        // no definition file, or an empty value
constexpr int kLevelSupported = 0;       // the level this component speaks
constexpr int kLevelHostOlder = 1;       // the tax-filing application must be updated
constexpr int kLevelComponentOlder = 2;  // this component must be updated

// The definition file in `directory`. A last byte that is the second half of a
// double-byte character is no backslash, so one is added after it.
std::string DefinitionFilePath(const std::string& directory);

// The code for the value read from the definition file.
int LevelCodeOf(const std::string& value);

// Reads the level from the definition file at `path` and returns its code.
int ReadLevelCode(const std::string& path);

// The message that tells the user which side to update; null for kLevelSupported.
const char* LevelMessage(int code);
