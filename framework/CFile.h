#pragma once
// An unbuffered binary file: every Write reaches the operating system when it is
// called, so a full disk shows at the write that hit it.

#include <cstddef>
#include <cstdint>

class CFile {
  public:
    enum : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        typeBinary = 0x8000,
    };

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    ~CFile() { Close(); }

    // Opens `path` (closing whatever was open). modeCreate creates or truncates;
    // shareExclusive lets no one else open the file while it is open.
    bool Open(const char* path, unsigned flags);
    // Writes all `size` bytes; false on any failure (full disk, not open).
    bool Write(const void* data, size_t size);
    // Reads up to `size` bytes; returns how many were read (0 at the end or on failure).
    size_t Read(void* data, size_t size);
    uint64_t GetLength() const;
    void Close();
    bool IsOpen() const;

  private:
#ifdef _WIN32
    void* handle_ = reinterpret_cast<void*>(static_cast<intptr_t>(-1));  // INVALID_HANDLE_VALUE
#else
    int fd_ = -1;
#endif
};
