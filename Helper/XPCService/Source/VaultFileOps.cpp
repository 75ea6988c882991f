#include "VaultFileOps.h"

#include "PropertyListShape.h"
#include "UniqueFd.h"
#include "Utf8Text.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
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

bool ReadAll(int fd, std::string *out)
{
    out->clear();
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            out->append(buffer, static_cast<std::size_t>(n));
        else if (n == 0)
            return true;
        else if (errno != EINTR)
            return false;
    }
}

bool WriteAll(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (n < 0 && errno == EINTR)
            continue;
        else
            return false;
    }
    return true;
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

bool WriteAtomically(const ProfileListFile &file, std::string_view bytes)
{
    std::string tempName;
    UniqueFd fd = CreateTemporary(file, &tempName);
    if (!fd.valid())
        return false;
    bool ok = WriteAll(fd.get(), bytes);
    fd.reset();
    if (ok)
        ok = ::renameat(file.dir(), tempName.c_str(), file.dir(), file.c_name()) == 0;
    if (!ok)
        ::unlinkat(file.dir(), tempName.c_str(), 0);
    return ok;
}

bool IsRegularOrAbsent(const ProfileListFile &file)
{
    const ProfileListFile::Entry e = file.entry();
    return e == ProfileListFile::Entry::Regular || e == ProfileListFile::Entry::Absent;
}

void Backup(const ProfileListFile *current, const ProfileListFile &previous)
{
    ::unlinkat(previous.dir(), previous.c_name(), 0);
    // Both opens come before either is looked at: a missing current file
    // still leaves an empty previous file behind, as the plug-in expects.
    UniqueFd source = current ? OpenAt(*current, O_RDONLY) : UniqueFd();
    UniqueFd target = OpenAt(previous, O_RDWR | O_APPEND | O_CREAT, kListMode);
    if (!source.valid() || !target.valid())
        return;
    std::vector<char> block(kCopyBlock);
    for (;;) {
        std::memset(block.data(), 0, block.size());
        const ssize_t got = ::read(source.get(), block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        if (!WriteAll(target.get(), std::string_view(block.data(), static_cast<std::size_t>(got))))
            break;
    }
}

} // namespace

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

void VaultSwap(int type, const ProfileListFile *current, const ProfileListFile *previous)
{
    // A symbolic link (or anything but a file) at either name: nothing is
    // copied, deleted or renamed through it.
    if ((current && !IsRegularOrAbsent(*current)) || (previous && !IsRegularOrAbsent(*previous)))
        return;
    switch (type) {
    case 2:
        if (previous)
            Backup(current, *previous);
        break;
    case 1:
        if (previous)
            ::unlinkat(previous->dir(), previous->c_name(), 0);
        break;
    case 0:
        if (current && previous)
            ::renameat(previous->dir(), previous->c_name(), current->dir(), current->c_name());
        break;
    default:
        break;
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
    return WriteAtomically(file, bytes);
}

bool VaultAppendPiece(const ProfileListFile &transfer, const std::string &piece)
{
    const ProfileListFile::Entry e = transfer.entry();
    if (e != ProfileListFile::Entry::Regular && e != ProfileListFile::Entry::Absent)
        return false;
    std::string text;
    const bool startsList = piece.compare(0, std::strlen(kXmlDeclaration), kXmlDeclaration) == 0;
    if (e == ProfileListFile::Entry::Regular && !startsList) {
        UniqueFd fd = OpenAt(transfer, O_RDONLY);
        if (fd.valid() && ReadAll(fd.get(), &text) && TintIsValidUtf8(text))
            text += piece;
        else
            text = piece;
    } else {
        text = piece;
    }
    return WriteAtomically(transfer, text);
}

bool VaultFinishTransfer(const ProfileListFile &transfer, const ProfileListFile &list)
{
    const ProfileListFile::Entry e = transfer.entry();
    if (e == ProfileListFile::Entry::Absent)
        return true;
    if (e != ProfileListFile::Entry::Regular || !IsRegularOrAbsent(list))
        return false;

    std::string text;
    UniqueFd fd = OpenAt(transfer, O_RDONLY);
    const bool whole = fd.valid() && ReadAll(fd.get(), &text) && TintIsPropertyListText(text);
    fd.reset();
    if (!whole) {
        ::unlinkat(transfer.dir(), transfer.c_name(), 0);
        return false;
    }
    return ::renameat(transfer.dir(), transfer.c_name(), list.dir(), list.c_name()) == 0;
}
