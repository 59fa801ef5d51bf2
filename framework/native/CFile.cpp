#include "framework/CFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <iterator>

namespace {

constexpr unsigned kAccessMask = 0x0003;
constexpr unsigned kShareMask = 0x0070;
constexpr int kAccess[] = {O_RDONLY, O_WRONLY, O_RDWR};

// Sharing is imitated with advisory locks between the program's own opens: an
// exclusive open holds the lock alone, every other open shares it.
struct ShareLock {
    unsigned flag;
    int lock;
};
constexpr ShareLock kShareLocks[] = {
    {0, LOCK_SH},
    {CFile::shareExclusive, LOCK_EX},
    {CFile::shareDenyNone, LOCK_SH},
};

bool ToLock(unsigned flags, int& lock) {
    for (const ShareLock& share : kShareLocks) {
        if (share.flag == (flags & kShareMask)) {
            lock = share.lock;
            return true;
        }
    }
    return false;
}

}  // namespace

bool CFile::Open(const char* path, unsigned flags) {
    Close();
    int lock = 0;
    const unsigned access = flags & kAccessMask;
    if (access >= std::size(kAccess) || !ToLock(flags, lock)) return false;
    // Truncation waits until the lock is held, so a refused open destroys nothing.
    const int create = (flags & modeCreate) ? O_CREAT : 0;
    fd_ = ::open(path, kAccess[access] | create | O_CLOEXEC, 0666);
    if (fd_ < 0) return false;
    struct stat info {};
    // A folder is no file, as on Windows.
    const bool ready = ::fstat(fd_, &info) == 0 && !S_ISDIR(info.st_mode) &&
                       ::flock(fd_, lock | LOCK_NB) == 0 &&
                       (!(flags & modeCreate) || ::ftruncate(fd_, 0) == 0);
    if (!ready) Close();
    return IsOpen();
}

bool CFile::Write(const void* data, size_t size) {
    if (!IsOpen()) return false;
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd_, bytes, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

size_t CFile::Read(void* data, size_t size) {
    if (!IsOpen()) return 0;
    char* bytes = static_cast<char*>(data);
    size_t total = 0;
    while (total < size) {
        const ssize_t read = ::read(fd_, bytes + total, size - total);
        if (read < 0 && errno == EINTR) continue;
        if (read <= 0) break;
        total += static_cast<size_t>(read);
    }
    return total;
}

uint64_t CFile::GetLength() const {
    struct stat info {};
    if (!IsOpen() || ::fstat(fd_, &info) != 0) return 0;
    return static_cast<uint64_t>(info.st_size);
}

void CFile::Close() {
    if (!IsOpen()) return;
    ::close(fd_);
    fd_ = -1;
}

bool CFile::IsOpen() const { return fd_ >= 0; }
