// Direct file steps on the current and previous profile list files.
#include "ProfileFileOps.h"

#include "UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace
{

// The list's open mode for probing and for the backup target. Spelled out:
// the number of the original platform means O_TRUNC here.
constexpr int kAppendCreate = O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC;

bool WriteAll(int fd, const char *data, size_t length)
{
    while (length > 0) {
        ssize_t n = ::write(fd, data, length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        length -= static_cast<size_t>(n);
    }
    return true;
}

// Copies current into previous block by block; the target is opened (and so
// created empty) even when the source cannot be opened. The source is opened
// without blocking so that a FIFO at the path ends the copy at once.
void Backup(const char *current, const char *previous)
{
    if (previous == nullptr)
        return;
    ::unlink(previous);
    UniqueFd source(current ? ::open(current, O_RDONLY | O_CLOEXEC | O_NONBLOCK) : -1);
    UniqueFd target(::open(previous, kAppendCreate, kProfileFileMode));
    if (!source.valid() || !target.valid())
        return;
    auto block = std::make_unique<char[]>(kProfileCopyBlock);
    for (;;) {
        std::memset(block.get(), 0, kProfileCopyBlock);
        ssize_t n = ::read(source.get(), block.get(), kProfileCopyBlock);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        // A short write continues with the rest instead of dropping it.
        if (!WriteAll(target.get(), block.get(), static_cast<size_t>(n)))
            break;
    }
}

} // namespace

int ProfileFileProbe(const char *path)
{
    if (path == nullptr || path[0] == '\0')
        return 0;
    struct stat st;
    const bool existed = ::stat(path, &st) == 0;
    // Kept for the life of the process: every list created later is group
    // writable, so printer administrators share it.
    ::umask(kProfileFileMask);
    UniqueFd file(::open(path, kAppendCreate, kProfileFileMode));
    if (!file.valid())
        return 0;
    file.reset();
    if (!existed)
        ::unlink(path);
    return 1;
}

void ProfileFileSwap(int32_t type, const char *current, const char *previous)
{
    switch (type) {
    case 2:
        Backup(current, previous);
        break;
    case 1:
        if (previous != nullptr)
            ::unlink(previous);
        break;
    case 0:
        if (previous != nullptr && current != nullptr)
            ::rename(previous, current);
        break;
    default:
        break;
    }
}

int ProfileFileExist(const char *path)
{
    if (path == nullptr || path[0] == '\0')
        return 0;
    // Without blocking: a FIFO at the path must not hold the caller.
    UniqueFd file(::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    return file.valid() ? 1 : 0;
}

int ProfileFileRemove(const char *path)
{
    if (path == nullptr || path[0] == '\0')
        return 0;
    return std::remove(path) == 0 ? 1 : 0;
}

int ProfileFileWriteWhole(const char *path, const void *data, size_t length)
{
    if (path == nullptr || path[0] == '\0' || (data == nullptr && length > 0))
        return 0;
    static std::atomic<unsigned> counter{0};
    const std::string temporary =
        std::string(path) + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
    UniqueFd file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kProfileFileMode));
    if (!file.valid())
        return 0;
    // A list that is replaced keeps its permissions.
    struct stat st;
    if (::stat(path, &st) == 0 && S_ISREG(st.st_mode))
        ::fchmod(file.get(), st.st_mode & 07777);
    bool ok = WriteAll(file.get(), static_cast<const char *>(data), length) && ::fsync(file.get()) == 0;
    ok = ::close(file.release()) == 0 && ok;
    if (ok)
        ok = ::rename(temporary.c_str(), path) == 0;
    if (!ok)
        ::unlink(temporary.c_str());
    return ok ? 1 : 0;
}
