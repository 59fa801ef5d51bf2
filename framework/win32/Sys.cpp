#include "framework/Sys.h"

#include <io.h>
#include <objbase.h>

#include <vector>

namespace sys {

int MessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return ::MessageBoxA(owner, text, caption, type);
}

std::string FullWidth(const char* text) {
    const LCID locale = ::GetSystemDefaultLCID();
    const int size = ::LCMapStringA(locale, LCMAP_FULLWIDTH, text, -1, nullptr, 0);
    if (size <= 0) return std::string();
    std::string converted(static_cast<size_t>(size), '\0');
    ::LCMapStringA(locale, LCMAP_FULLWIDTH, text, -1, converted.data(), size);
    converted.resize(static_cast<size_t>(size) - 1);  // the terminating NUL
    return converted;
}

GlobalBlock::~GlobalBlock() { Release(); }

void GlobalBlock::Release() {
    if (!handle_) return;
    if (data_) ::GlobalUnlock(handle_);
    ::GlobalFree(handle_);
    handle_ = nullptr;
    data_ = nullptr;
}

bool GlobalBlock::Allocate(size_t size) {
    Release();
    handle_ = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!handle_) return false;
    data_ = static_cast<unsigned char*>(::GlobalLock(handle_));
    if (data_) return true;
    Release();
    return false;
}

void* TaskMemAlloc(size_t size) { return ::CoTaskMemAlloc(size); }
void TaskMemFree(void* block) { ::CoTaskMemFree(block); }

uint32_t TickCount() { return ::GetTickCount(); }

bool FileExists(const char* path) {
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const char* path) {
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDirectory(const char* path) { return ::CreateDirectoryA(path, nullptr) != 0; }
bool RemoveDirectory(const char* path) { return ::RemoveDirectoryA(path) != 0; }

bool IsReadWritable(const char* path) {
    constexpr int kReadWrite = 6;
    return ::_access(path, kReadWrite) == 0;
}

UINT DriveType(const char* root) { return ::GetDriveTypeA(root); }

std::string CurrentDirectory() {
    const DWORD size = ::GetCurrentDirectoryA(0, nullptr);
    std::string path(size, '\0');
    const DWORD length = ::GetCurrentDirectoryA(size, path.data());
    path.resize(length < size ? length : 0);
    return path;
}

bool SetCurrentDirectory(const char* path) { return ::SetCurrentDirectoryA(path) != 0; }

std::string TempFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathA(sizeof path, path);
    return length < sizeof path ? std::string(path, length) : std::string();
}

std::string ModulePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), buffer.size());
        if (length == 0) return std::string();
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string ReadIniString(const char* file, const char* section, const char* key,
                          const char* fallback, size_t capacity) {
    if (capacity == 0) return std::string();
    std::string value(capacity, '\0');
    const DWORD length = ::GetPrivateProfileStringA(section, key, fallback, value.data(),
                                                    static_cast<DWORD>(capacity), file);
    value.resize(length);
    return value;
}

}  // namespace sys
