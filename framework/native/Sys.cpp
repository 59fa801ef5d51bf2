// The operating-system seam over POSIX, for the native build of the portable core.

#include "framework/Sys.h"

#include <strings.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "framework/Headless.h"

namespace sys {

int MessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return headless::Recorder::Get().RecordMessageBox(owner, text, caption, type);
}

GlobalBlock::~GlobalBlock() { Release(); }

void GlobalBlock::Release() {
    std::free(handle_);
    handle_ = nullptr;
    data_ = nullptr;
}

bool GlobalBlock::Allocate(size_t size) {
    Release();
    handle_ = std::malloc(size ? size : 1);
    data_ = static_cast<unsigned char*>(handle_);
    return data_ != nullptr;
}

void* TaskMemAlloc(size_t size) { return std::malloc(size); }
void TaskMemFree(void* block) { std::free(block); }

// <chrono> does not compile with the Shift_JIS execution character set (its "µs").
uint32_t TickCount() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000 +
                                 static_cast<uint64_t>(now.tv_nsec) / 1000000);
}

namespace {

bool StatMode(const char* path, mode_t& mode) {
    struct stat info {};
    if (::stat(path, &info) != 0) return false;
    mode = info.st_mode;
    return true;
}

}  // namespace

bool FileExists(const char* path) {
    mode_t mode = 0;
    return StatMode(path, mode) && !S_ISDIR(mode);
}

bool DirectoryExists(const char* path) {
    mode_t mode = 0;
    return StatMode(path, mode) && S_ISDIR(mode);
}

bool CreateDirectory(const char* path) { return ::mkdir(path, 0777) == 0; }
bool RemoveDirectory(const char* path) { return ::rmdir(path) == 0; }
bool IsReadWritable(const char* path) { return ::access(path, R_OK | W_OK) == 0; }

UINT DriveType(const char* root) { return DirectoryExists(root) ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR; }

std::string CurrentDirectory() {
    char* path = ::getcwd(nullptr, 0);
    const std::string result = path ? path : "";
    std::free(path);
    return result;
}

bool SetCurrentDirectory(const char* path) { return ::chdir(path) == 0; }

std::string TempFolder() {
    const char* folder = std::getenv("TMPDIR");
    std::string path = folder && *folder ? folder : "/tmp";
    if (path.back() != '/') path += '/';
    return path;
}

std::string ModulePath() {
    std::string path(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0) return std::string();
        if (static_cast<size_t>(length) < path.size()) {
            path.resize(static_cast<size_t>(length));
            return path;
        }
        path.resize(path.size() * 2);
    }
}

namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// A value enclosed in matching quotes loses them, as the Win32 reader does.
std::string Unquoted(const std::string& value) {
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return quoted ? value.substr(1, value.size() - 2) : value;
}

bool SameName(const std::string& a, const char* b) { return ::strcasecmp(a.c_str(), b) == 0; }

bool FindIniValue(const char* file, const char* section, const char* key, std::string& value) {
    std::ifstream in(file, std::ios::binary);
    bool inSection = false;
    for (std::string line; std::getline(in, line);) {
        const std::string text = Trimmed(line);
        if (text.empty() || text[0] == ';') continue;
        if (text[0] == '[') {
            const size_t close = text.find(']');
            inSection =
                close != std::string::npos && SameName(Trimmed(text.substr(1, close - 1)), section);
            continue;
        }
        const size_t equals = text.find('=');
        if (!inSection || equals == std::string::npos) continue;
        if (SameName(Trimmed(text.substr(0, equals)), key)) {
            value = Unquoted(Trimmed(text.substr(equals + 1)));
            return true;
        }
    }
    return false;
}

}  // namespace

std::string ReadIniString(const char* file, const char* section, const char* key,
                          const char* fallback, size_t capacity) {
    if (capacity == 0) return std::string();
    std::string value;
    if (!FindIniValue(file, section, key, value)) value = fallback ? fallback : "";
    if (value.size() > capacity - 1) value.resize(capacity - 1);
    return value;
}

}  // namespace sys
