#pragma once
// The component's own version, string resource 1 of the program.

#include "framework/CString.h"

inline constexpr unsigned kProgramVersionResource = 1;
// What resource 1 holds; also the text of a build without resources.
inline constexpr char kProgramVersion[] = "22.52.01";

CString ProgramVersion();
