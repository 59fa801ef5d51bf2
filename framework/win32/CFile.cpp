#include "framework/CFile.h"

#include <windows.h>

#include <iterator>

namespace {

constexpr unsigned kAccessMask = 0x0003;
constexpr unsigned kShareMask = 0x0070;

struct ShareMode {
    unsigned flag;
    DWORD win32;
};
constexpr ShareMode kShareModes[] = {
    {0, FILE_SHARE_READ | FILE_SHARE_WRITE},
    {CFile::shareExclusive, 0},
    {CFile::shareDenyNone, FILE_SHARE_READ | FILE_SHARE_WRITE},
};

constexpr DWORD kAccess[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};

bool ToShareMode(unsigned flags, DWORD& share) {
    for (const ShareMode& mode : kShareModes) {
        if (mode.flag == (flags & kShareMask)) {
            share = mode.win32;
            return true;
        }
    }
    return false;
}

}  // namespace

bool CFile::Open(const char* path, unsigned flags) {
    Close();
    DWORD share = 0;
    const unsigned access = flags & kAccessMask;
    if (access >= std::size(kAccess) || !ToShareMode(flags, share)) return false;
    const DWORD creation = (flags & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
    handle_ = ::CreateFileA(path, kAccess[access], share, nullptr, creation, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
    return IsOpen();
}

bool CFile::Write(const void* data, size_t size) {
    if (!IsOpen()) return false;
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!::WriteFile(handle_, bytes, chunk, &written, nullptr) || written == 0) return false;
        bytes += written;
        size -= written;
    }
    return true;
}

size_t CFile::Read(void* data, size_t size) {
    if (!IsOpen()) return 0;
    char* bytes = static_cast<char*>(data);
    size_t total = 0;
    while (total < size) {
        const size_t left = size - total;
        const DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
        DWORD read = 0;
        if (!::ReadFile(handle_, bytes + total, chunk, &read, nullptr) || read == 0) break;
        total += read;
    }
    return total;
}

uint64_t CFile::GetLength() const {
    LARGE_INTEGER size{};
    if (!IsOpen() || !::GetFileSizeEx(handle_, &size)) return 0;
    return static_cast<uint64_t>(size.QuadPart);
}

void CFile::Close() {
    if (!IsOpen()) return;
    ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

bool CFile::IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
