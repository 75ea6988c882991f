#include "VaultFileOps.h"

#include "ProfileStoreBackend.h"
#include "PropertyListShape.h"
#include "UniqueFd.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace
{

constexpr mode_t kListMode = 0664;
constexpr std::size_t kCopyBlock = 65535;
constexpr char kXmlDeclaration[] = "<?xml";

// O_NONBLOCK: a FIFO put at a list's name must not hold a handler in open()
// for ever; on regular files it changes nothing.
UniqueFd OpenAt(const ProfileListFile &file, int flags, mode_t mode = 0)
{
    return UniqueFd(::openat(file.dir(), file.c_name(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, mode));
}

bool IsRegularFd(int fd)
{
    struct stat st;
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

// A fresh, hidden file beside the target, created exclusively.
UniqueFd CreateTemporary(const ProfileListFile &target, std::string *tempName)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        unsigned char random[6];
        if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random))
            return UniqueFd();
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%02x%02x%02x%02x%02x%02x", random[0], random[1], random[2],
                      random[3], random[4], random[5]);
        std::string name = "." + target.name() + "." + suffix;
        UniqueFd fd(::openat(target.dir(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                             kListMode));
        if (fd.valid()) {
            *tempName = std::move(name);
            return fd;
        }
        if (errno != EEXIST)
            return UniqueFd();
    }
    return UniqueFd();
}

// A new file beside target, filled by fill, synced and closed, then renamed
// over target; on any failure the new file is removed and target is left as
// it was.
template <typename Fill> bool ReplaceWith(const ProfileListFile &target, Fill fill)
{
    std::string tempName;
    UniqueFd fd = CreateTemporary(target, &tempName);
    if (!fd.valid())
        return false;
    bool ok = fill(fd.get()) && ::fsync(fd.get()) == 0;
    ok = ::close(fd.release()) == 0 && ok;
    if (ok)
        ok = ::renameat(target.dir(), tempName.c_str(), target.dir(), target.c_name()) == 0;
    if (!ok)
        ::unlinkat(target.dir(), tempName.c_str(), 0);
    return ok;
}

bool IsRegularOrAbsent(const ProfileListFile &file)
{
    const ProfileListFile::Entry e = file.entry();
    return e == ProfileListFile::Entry::Regular || e == ProfileListFile::Entry::Absent;
}

bool CopyFd(int source, int target)
{
    std::vector<char> block(kCopyBlock);
    for (;;) {
        const ssize_t got = ::read(source, block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (!WriteAll(target, std::string_view(block.data(), static_cast<std::size_t>(got))))
            return false;
    }
}

bool Backup(const ProfileListFile *current, const ProfileListFile &previous)
{
    UniqueFd source = current ? OpenAt(*current, O_RDONLY) : UniqueFd();
    if (!source.valid()) {
        if (current && errno != ENOENT)
            return false;
        // No current list: the previous one goes and an empty one is left,
        // which no restore will ever put in place.
        ::unlinkat(previous.dir(), previous.c_name(), 0);
        UniqueFd empty = OpenAt(previous, O_RDWR | O_APPEND | O_CREAT, kListMode);
        return empty.valid();
    }
    if (!IsRegularFd(source.get()))
        return false;
    return ReplaceWith(previous, [&](int fd) { return CopyFd(source.get(), fd); });
}

bool Restore(const ProfileListFile &current, const ProfileListFile &previous)
{
    if (previous.entry() == ProfileListFile::Entry::Absent)
        return true; // nothing to restore; the current list stays
    std::string text;
    if (!VaultReadList(previous, &text) || !TintIsPropertyListText(text))
        return false;
    return ::renameat(previous.dir(), previous.c_name(), current.dir(), current.c_name()) == 0;
}

} // namespace

bool VaultReadList(const ProfileListFile &file, std::string *content)
{
    UniqueFd fd = OpenAt(file, O_RDONLY);
    return fd.valid() && ProfileReadListFd(fd.get(), content);
}

bool VaultProbeWritable(const ProfileListFile &file)
{
    const bool existed = file.entry() != ProfileListFile::Entry::Absent;
    ::umask(002);
    UniqueFd fd = OpenAt(file, O_RDWR | O_APPEND | O_CREAT, kListMode);
    if (!fd.valid())
        return false;
    fd.reset();
    if (!existed)
        ::unlinkat(file.dir(), file.c_name(), 0);
    return true;
}

bool VaultSwap(int type, const ProfileListFile *current, const ProfileListFile *previous)
{
    // A symbolic link (or anything but a file) at either name: nothing is
    // copied, deleted or renamed through it. Refused as a path outside the
    // folder is, with the swap's usual answer.
    if ((current && !IsRegularOrAbsent(*current)) || (previous && !IsRegularOrAbsent(*previous)))
        return true;
    // Two spellings of one file: a backup would empty it, a restore remove it.
    if (current && previous && current->SameFileAs(*previous))
        return false;
    switch (type) {
    case 2:
        return previous && Backup(current, *previous);
    case 1:
        return previous && (::unlinkat(previous->dir(), previous->c_name(), 0) == 0 || errno == ENOENT);
    case 0:
        return current && previous && Restore(*current, *previous);
    default:
        return true;
    }
}

bool VaultExists(const ProfileListFile &file)
{
    // A FIFO or socket at the name is no list, even where it opens.
    const UniqueFd fd = OpenAt(file, O_RDONLY);
    struct stat st;
    return fd.valid() && ::fstat(fd.get(), &st) == 0 && (S_ISREG(st.st_mode) || S_ISDIR(st.st_mode));
}

bool VaultRemove(const ProfileListFile &file)
{
    switch (file.entry()) {
    case ProfileListFile::Entry::Regular:
        return ::unlinkat(file.dir(), file.c_name(), 0) == 0;
    case ProfileListFile::Entry::Directory:
        return ::unlinkat(file.dir(), file.c_name(), AT_REMOVEDIR) == 0;
    default:
        return false;
    }
}

bool VaultWriteWhole(const ProfileListFile &file, std::string_view bytes)
{
    if (!IsRegularOrAbsent(file))
        return false;
    return ReplaceWith(file, [&](int fd) { return WriteAll(fd, bytes); });
}

bool VaultAppendPiece(const ProfileListFile &transfer, const std::string &piece)
{
    if (!IsRegularOrAbsent(transfer))
        return false;
    const bool startsList = piece.compare(0, std::strlen(kXmlDeclaration), kXmlDeclaration) == 0;
    UniqueFd fd = OpenAt(transfer, O_WRONLY | O_APPEND | O_CREAT | (startsList ? O_TRUNC : 0), kListMode);
    if (!fd.valid() || !IsRegularFd(fd.get()))
        return false;
    struct stat st;
    if (::fstat(fd.get(), &st) != 0)
        return false;
    if (WriteAll(fd.get(), piece))
        return true;
    // Half a piece would join the next one into text that was never sent.
    if (::ftruncate(fd.get(), st.st_size) != 0)
        ::unlinkat(transfer.dir(), transfer.c_name(), 0);
    return false;
}

bool VaultFinishTransfer(const ProfileListFile &transfer, const ProfileListFile &list)
{
    const ProfileListFile::Entry e = transfer.entry();
    if (e != ProfileListFile::Entry::Regular || !IsRegularOrAbsent(list))
        return false;

    // Read through the descriptor that is then synced: the list that the
    // rename puts in place is on disk before its name is.
    std::string text;
    UniqueFd fd = OpenAt(transfer, O_RDONLY);
    const bool whole = fd.valid() && ProfileReadListFd(fd.get(), &text) && TintIsPropertyListText(text) &&
                       ::fsync(fd.get()) == 0;
    fd.reset();
    if (!whole) {
        ::unlinkat(transfer.dir(), transfer.c_name(), 0);
        return false;
    }
    return ::renameat(transfer.dir(), transfer.c_name(), list.dir(), list.c_name()) == 0;
}

void VaultDropStaleTransfers(const ProfileListFile &list, long maxAgeSeconds)
{
    const int fd = ::fcntl(list.dir(), F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        return;
    DIR *dir = ::fdopendir(fd);
    if (dir == nullptr) {
        ::close(fd);
        return;
    }
    const std::string prefix = "." + list.name() + ".";
    const std::string suffix = ".transfer";
    const std::time_t now = std::time(nullptr);
    while (const dirent *entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        struct stat st;
        if (::fstatat(::dirfd(dir), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            now - st.st_mtime > maxAgeSeconds)
            ::unlinkat(::dirfd(dir), name.c_str(), 0);
    }
    ::closedir(dir);
}
