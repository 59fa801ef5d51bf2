#pragma once
// Conversions between the script's UTF-8 and the wide texts of the window functions.

#include <string>

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
// A text as a script line would spell it: line breaks and quotes escaped.
std::string Quoted(const std::wstring& text);
