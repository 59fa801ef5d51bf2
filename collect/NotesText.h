#pragma once
// The texts of the saved notes: the settings that say whether notes are kept and which
// sections are shown, and the notes text turned into lines. Pure text work, apart from
// the fetching that the collector does.

#include <cstddef>
#include <cstdint>

#include "framework/CStringArray.h"

namespace notes {

// Entries of the display flag table: one per notes section, in the order the sections
// appear in the notes settings.
constexpr size_t kSectionCount = 50;

// A decimal integer read the way atol reads one: leading white space, an optional sign,
// digits up to the first non-digit; 0 without digits. Reads no further than `end` and
// saturates instead of overflowing.
long ReadInteger(const char* begin, const char* end);

// 1 when the value of the first "InputMode" key (after the first "=" that follows it,
// up to the line end) is greater than 0, else 0. A null text gives 0.
int ParseInputMode(const char* settings);
// 1 when the value of the first "Note=" key (up to the line end) is greater than 0.
int ParseHasNotes(const char* settings);
// Stores, for the k-th "[Note_nn]" section, the next "Disp=" value truncated to 8 bits
// in flags[k], for at most kSectionCount sections; entries past the last section found
// stay as they are.
void ParseDispFlags(const char* settings, uint8_t* flags);

// Replaces `lines` by the lines of the notes text, its entity escapes undone.
void SplitNotesText(const char* text, CStringArray& lines);

}  // namespace notes
