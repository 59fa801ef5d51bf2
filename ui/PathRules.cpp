#include "ui/PathRules.h"

#include "framework/Sys.h"
#include "util/Sjis.h"

namespace pathrules {

namespace {

constexpr std::string_view kForbiddenCharacters = "/:,;*?\"><|";
constexpr char kBackslash = '\\';
constexpr size_t kNetworkPrefixLength = 2;
// The server name of a network path ends at a backslash from its fourth character on.
constexpr size_t kServerNameEndFrom = 3;

constexpr UINT kUnusableDriveTypes[] = {DRIVE_UNKNOWN, DRIVE_CDROM, DRIVE_RAMDISK};
constexpr UINT kCheckedDriveTypes[] = {DRIVE_REMOVABLE, DRIVE_FIXED, DRIVE_REMOTE};

size_t CharLength(std::string_view text, size_t pos) {
    const bool lead = sjis::IsLeadByte(static_cast<unsigned char>(text[pos]));
    return lead && pos + 1 < text.size() ? 2 : 1;
}

// Calls `visit(pos)` for every single-byte character at or after `from` until it
// returns true; returns that position or npos.
template <class Visit>
size_t FindSingleByte(std::string_view text, size_t from, Visit visit) {
    for (size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        if (pos >= from && CharLength(text, pos) == 1 && visit(pos)) return pos;
    }
    return std::string_view::npos;
}

size_t FindChar(std::string_view text, char ch, size_t from = 0) {
    return FindSingleByte(text, from, [&](size_t pos) { return text[pos] == ch; });
}

size_t FindLastChar(std::string_view text, char ch) {
    size_t last = std::string_view::npos;
    FindSingleByte(text, 0, [&](size_t pos) {
        if (text[pos] == ch) last = pos;
        return false;
    });
    return last;
}

bool HasDoubleBackslash(std::string_view text, size_t from) {
    return FindSingleByte(text, from, [&](size_t pos) {
               return text[pos] == kBackslash && pos + 1 < text.size() &&
                      text[pos + 1] == kBackslash;
           }) != std::string_view::npos;
}

bool HasForbiddenCharacter(std::string_view text) {
    return FindSingleByte(text, 0, [&](size_t pos) {
               return kForbiddenCharacters.find(text[pos]) != std::string_view::npos;
           }) != std::string_view::npos;
}

template <size_t N>
bool Contains(const UINT (&types)[N], UINT type) {
    for (UINT listed : types) {
        if (listed == type) return true;
    }
    return false;
}

bool IsAsciiLetter(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }

bool IsUsableFolder(const std::string& root, const DriveProbe& probe) {
    return probe.directoryExists(root.c_str()) && probe.isReadWritable(root.c_str());
}

// Position of the backslash that ends the share name of a network path, or npos.
size_t ShareNameEnd(std::string_view path) {
    if (!IsNetworkPath(path)) return std::string_view::npos;
    const size_t serverEnd = FindChar(path, kBackslash, kServerNameEndFrom);
    if (serverEnd == std::string_view::npos) return serverEnd;
    return FindChar(path, kBackslash, serverEnd + 1);
}

// Length of the root of a folder text that ends with a backslash; 0 without one.
size_t RootLength(std::string_view folder) {
    if (IsNetworkPath(folder)) {
        const size_t shareEnd = ShareNameEnd(folder);
        return shareEnd == std::string_view::npos ? 0 : shareEnd + 1;
    }
    const bool driveRoot = folder.size() >= 3 && IsAsciiLetter(folder[0]) && folder[1] == ':' &&
                           folder[2] == kBackslash;
    return driveRoot ? 3 : 0;
}

}  // namespace

bool IsNetworkPath(std::string_view path) {
    return path.size() >= kNetworkPrefixLength && path[0] == kBackslash && path[1] == kBackslash;
}

bool HasInvalidCharacters(std::string_view path) {
    if (IsNetworkPath(path)) {
        return HasDoubleBackslash(path, kServerNameEndFrom) ||
               HasForbiddenCharacter(path.substr(kNetworkPrefixLength));
    }
    if (HasDoubleBackslash(path, 0)) return true;
    const size_t colon = FindChar(path, ':');
    return HasForbiddenCharacter(colon == std::string_view::npos ? path : path.substr(colon + 1));
}

std::string ShareRoot(std::string_view path) {
    const size_t shareEnd = ShareNameEnd(path);
    return shareEnd == std::string_view::npos ? std::string()
                                              : std::string(path.substr(0, shareEnd));
}

DriveProbe SystemDriveProbe() {
    return DriveProbe{sys::DriveType, sys::DirectoryExists, sys::IsReadWritable};
}

bool DriveIsUsable(std::string_view path, const DriveProbe& probe) {
    if (IsNetworkPath(path)) {
        const std::string root = ShareRoot(path);
        return !root.empty() && IsUsableFolder(root, probe);
    }
    if (HasDoubleBackslash(path, 0) || path.empty() || !IsAsciiLetter(path[0])) return false;
    const std::string root = std::string(1, path[0]) + ":\\";
    const UINT type = probe.driveType(root.c_str());
    if (Contains(kUnusableDriveTypes, type)) return false;
    return !Contains(kCheckedDriveTypes, type) || IsUsableFolder(root, probe);
}

std::string FileNamePart(std::string_view path) {
    const size_t last = FindLastChar(path, kBackslash);
    return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::string FolderPart(std::string_view path) {
    const size_t last = FindLastChar(path, kBackslash);
    return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last + 1));
}

BrowseSplit SplitForBrowse(std::string_view path) {
    size_t last = FindLastChar(path, kBackslash);
    if (last == std::string_view::npos) last = FindLastChar(path, ':');
    if (last == std::string_view::npos) return BrowseSplit{std::string(), std::string(path)};
    return BrowseSplit{std::string(path.substr(0, last + 1)), std::string(path.substr(last + 1))};
}

FolderPlan PlanFolder(std::string_view folder) {
    // Drive and directory: a trailing file-name part names no folder. The directory part
    // ends with a backslash; a bare drive ("C:") gets one.
    std::string text = FolderPart(folder);
    if (text.empty() && folder.size() >= 2 && folder[1] == ':')
        text = std::string(folder.substr(0, 2)) + kBackslash;
    FolderPlan plan;
    const size_t rootLength = RootLength(text);
    if (rootLength == 0) return plan;
    plan.ok = true;
    plan.root = text.substr(0, rootLength);
    plan.levels = FolderLevels(plan.root, std::string_view(text).substr(rootLength), kBackslash);
    return plan;
}

std::vector<std::string> FolderLevels(const std::string& root, std::string_view rest,
                                      char separator) {
    std::vector<std::string> levels;
    FindSingleByte(rest, 0, [&](size_t pos) {
        if (rest[pos] == separator) levels.push_back(root + std::string(rest.substr(0, pos + 1)));
        return false;
    });
    return levels;
}

bool CreateFolderLevels(const std::vector<std::string>& levels) {
    size_t firstMade = 0;  // levels before it existed already
    for (size_t i = 0; i < levels.size(); ++i) {
        if (sys::DirectoryExists(levels[i].c_str())) {
            firstMade = i + 1;
            continue;
        }
        if (sys::CreateDirectory(levels[i].c_str())) continue;
        for (size_t j = i; j-- > firstMade;) {
            if (!sys::DirectoryExists(levels[j].c_str())) continue;
            if (!sys::RemoveDirectory(levels[j].c_str())) break;
        }
        return false;
    }
    return true;
}

bool CreateFolder(std::string_view folder) {
    const FolderPlan plan = PlanFolder(folder);
    return plan.ok && CreateFolderLevels(plan.levels);
}

}  // namespace pathrules
