#pragma once
// The thin seam between the portable core and the operating system. Each service has
// a Win32 implementation (the program) and a native one (the Linux test build); where
// the native one imitates a Win32 function, a Wine-tier test compares the two.

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/WinTypes.h"

namespace sys {

// Message boxes. Natively the box is recorded by the headless side (framework/Headless.h)
// and answered from its script.
int MessageBox(HWND owner, const char* text, const char* caption, UINT type);

// LCMapStringA(GetSystemDefaultLCID(), LCMAP_FULLWIDTH) of a NUL-terminated Shift_JIS text.
std::string FullWidth(const char* text);

// A movable global memory block, locked for its whole life.
class GlobalBlock {
  public:
    GlobalBlock() = default;
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    ~GlobalBlock();
    // Allocates and locks `size` bytes; false when no memory is left.
    bool Allocate(size_t size);
    bool IsAllocated() const { return data_ != nullptr; }
    unsigned char* data() const { return data_; }

  private:
    void Release();

    void* handle_ = nullptr;
    unsigned char* data_ = nullptr;
};

// Task memory: texts that the accounting library allocates and the caller frees.
void* TaskMemAlloc(size_t size);
void TaskMemFree(void* block);

// Milliseconds since some fixed point; wraps like GetTickCount.
uint32_t TickCount();

// Files and folders (Windows paths in the program, host paths natively).
// FileExists: something that is not a directory; DirectoryExists: a directory.
bool FileExists(const char* path);
bool DirectoryExists(const char* path);
bool CreateDirectory(const char* path);
bool RemoveDirectory(const char* path);
bool IsReadWritable(const char* path);
UINT DriveType(const char* root);
std::string CurrentDirectory();
bool SetCurrentDirectory(const char* path);
std::string TempFolder();
// Full path of the running program file.
std::string ModulePath();
// GetPrivateProfileStringA: the value of `key` in `section`, else `fallback`; at most
// capacity - 1 bytes. Give `file` with its folder: Win32 looks for a bare file name in
// the Windows folder.
std::string ReadIniString(const char* file, const char* section, const char* key,
                          const char* fallback, size_t capacity);

}  // namespace sys
