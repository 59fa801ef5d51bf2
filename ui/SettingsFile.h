#pragma once
// The settings file: one line per user and company data, "<key><start>/<end>/<choice>/
// <ledger>/<path>\n", remembering the conditions of the last successful export. A key
// counts only at the start of a line, so one user's record is never taken for (or cut
// out of) a record whose key merely ends with it. The file is replaced whole, through a
// temporary file in the same folder, so a failed write leaves the old file as it was.

#include <cstdint>
#include <string>
#include <string_view>

#include "util/Edition.h"

namespace settings {

struct Record {
    int16_t startMonth = 0;
    int16_t endMonth = 0;
    int16_t statementChoice = 0;
    int32_t ledgerFlag = 1;
    std::string path;
};

// The longest path a record hands back (it fills a buffer of 261 bytes).
constexpr size_t kMaxPathBytes = 260;

// The record key of a user and a company data in the edition's key format.
std::string MakeKey(const EditionInfo& edition, std::string_view userId, int32_t selectionNo1,
                    std::string_view dataIdText);

// Finds the first line that starts with `key` and reads its fields; false when there is
// none or its text holds fewer than three "/". The older form without the ledger field
// gives ledger flag 1.
bool FindRecord(std::string_view content, std::string_view key, Record& out);

// The record line with its line feed.
std::string FormatLine(std::string_view key, const Record& record);

// The content with every line of `key` removed and `line` appended as the last line.
std::string Rewrite(std::string_view content, std::string_view key, std::string_view line);

// The file operations: LoadRecord is false when the file is missing or unreadable or has
// no record; SaveRecord is false when nothing was written (the old file is kept then).
bool LoadRecord(const std::string& file, std::string_view key, Record& out);
bool SaveRecord(const std::string& file, std::string_view key, const Record& record);

}  // namespace settings
