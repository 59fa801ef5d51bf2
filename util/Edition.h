#pragma once
// The four editions of the program differ only in these values.

#include <cstddef>

struct EditionInfo {
    const char* deliverable;        // program file name without extension
    int appType;                    // passed to ClAccConnect::SetAppType
    const char* productName;        // PROGRAMNAME when SUPPORT.INF has none
    const char* settingsFile;       // file name in the settings folder
    const char* settingsKeyFormat;  // printf format of a settings record's key
    bool keyHasSelectionNo;         // the key carries the first selection number
};

enum class EditionId { Hearth, Summit, Clinic, Basic };

inline constexpr EditionInfo kEditions[] = {
    {"stmtlink_hearth", 4, "Tallyvale２２ Hearthside", "stmtlink_hearth.env", "%s/%s:", false},
    {"stmtlink_summit", 3, "Tallyvale２２ Summit", "stmtlink_summit.env", "%s/%d/%s:", true},
    {"stmtlink_clinic", 5, "Clinivale", "stmtlink_clinic.env", "%s/%s:", false},
    {"stmtlink_basic", 0, "Tallyvale２２", "stmtlink_basic.env", "%s/%s:", false},
};

constexpr const EditionInfo& Edition(EditionId id) { return kEditions[static_cast<size_t>(id)]; }
