// stmtlink_driver SCRIPT: runs a driver script against a program under test.
// Exit code 0 when every step matched, 1 at the first mismatch, 2 for a broken script.

#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/driver/Driver.h"
#include "tests/driver/Script.h"
#include "tests/driver/Text.h"

namespace {

constexpr int kExitMatched = 0;
constexpr int kExitMismatch = 1;
constexpr int kExitBadScript = 2;

void Report(const std::string& text) {
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        Report("usage: stmtlink_driver SCRIPT\n");
        return kExitBadScript;
    }
    Driver driver;
    try {
        driver.Run(LoadScript(argv[1]));
    } catch (const ScriptError& error) {
        Report(Narrow(argv[1]) + ": " + error.what() + "\n");
        return kExitBadScript;
    } catch (const Mismatch& error) {
        Report(Narrow(argv[1]) + ": " + error.what() + "\n");
        return kExitMismatch;
    }
    return kExitMatched;
}
