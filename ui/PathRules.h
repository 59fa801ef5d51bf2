#pragma once
// The rules of the output path and of folder creation, on Shift_JIS texts. A
// double-byte character is always taken whole, so the second byte of 表 (0x5C) is never
// a backslash. Windows paths in the program; the folder-level walk also serves host
// paths with their own separator.

#include <string>
#include <string_view>
#include <vector>

#include "framework/WinTypes.h"

namespace pathrules {

// True for a path starting with two backslashes (server and share).
bool IsNetworkPath(std::string_view path);

// True when the path holds doubled backslashes where they cannot stand, or one of
// / : , ; * ? " > < | after the drive (or after the two backslashes of a network path).
bool HasInvalidCharacters(std::string_view path);

// "\\server\share" of a network path; empty when no backslash ends the share name.
std::string ShareRoot(std::string_view path);

// What the drive check asks of the system; the program uses the system's own calls.
struct DriveProbe {
    UINT (*driveType)(const char* root);
    bool (*directoryExists)(const char* path);
    bool (*isReadWritable)(const char* path);
};
DriveProbe SystemDriveProbe();

// True when the path's drive or network share can take the output file.
bool DriveIsUsable(std::string_view path, const DriveProbe& probe);

// The text after the last backslash (the whole path without one).
std::string FileNamePart(std::string_view path);
// The text up to and including the last backslash (empty without one).
std::string FolderPart(std::string_view path);

// The initial folder and file name of the save-file dialog: split at the last
// backslash, else after the last colon.
struct BrowseSplit {
    std::string folder;
    std::string file;
};
BrowseSplit SplitForBrowse(std::string_view path);

// The folder levels to make for a folder text: each is the root and the rest up to and
// including one more backslash, shallowest first. `ok` is false when the text has no
// root (drive root or \\server\share\) or is too long to end with a backslash.
struct FolderPlan {
    bool ok = false;
    std::string root;
    std::vector<std::string> levels;
};
FolderPlan PlanFolder(std::string_view folder);

// The levels below `root` named by `rest` up to each `separator`, shallowest first.
std::vector<std::string> FolderLevels(const std::string& root, std::string_view rest,
                                      char separator);

// Makes every missing level, shallowest first. When one cannot be made, the levels made
// by this attempt are removed again, deepest first, and the result is false.
bool CreateFolderLevels(const std::vector<std::string>& levels);

// PlanFolder and CreateFolderLevels together.
bool CreateFolder(std::string_view folder);

}  // namespace pathrules
