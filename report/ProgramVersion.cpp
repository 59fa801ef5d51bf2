#include "report/ProgramVersion.h"

#ifdef _WIN32
#include <windows.h>

CString ProgramVersion() {
    char text[256] = {};
    // A module without the resource (a test program) reports the same version.
    if (LoadStringA(GetModuleHandleA(nullptr), kProgramVersionResource, text, sizeof text) <= 0) {
        return kProgramVersion;
    }
    return text;
}
#else
CString ProgramVersion() { return kProgramVersion; }
#endif
