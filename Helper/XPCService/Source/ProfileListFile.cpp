#include "ProfileListFile.h"

#include "TintPaths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace
{

bool EndsWith(const std::string &text, const std::string &suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

UniqueFd OpenFolder(const std::string &path)
{
    return UniqueFd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

bool SameFile(int a, int b)
{
    struct stat sa, sb;
    if (::fstat(a, &sa) != 0 || ::fstat(b, &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

} // namespace

bool ProfileListFile::IsProfileListName(const std::string &name)
{
    static const std::array<std::string, 3> suffixes = {"-profile.plist", "-profile.prev.plist",
                                                        "-profile.plist.dummy"};
    if (name.find('/') != std::string::npos || name.find('\0') != std::string::npos)
        return false;
    for (const std::string &suffix : suffixes) {
        if (!EndsWith(name, suffix))
            continue;
        // "<user>-<model>": both parts present (either may hold dashes).
        const std::string prefix = name.substr(0, name.size() - suffix.size());
        return prefix.size() >= 3 && prefix.front() != '-' && prefix.back() != '-' &&
               prefix.find('-') != std::string::npos;
    }
    return false;
}

bool ProfileListFile::Resolve(const std::string &path, ProfileListFile *out)
{
    out->dir_.reset();
    out->name_.clear();
    if (path.empty() || path[0] != '/' || path.size() >= TINT_PATH_BUFFER ||
        path.find('\0') != std::string::npos)
        return false;
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == 0 ? std::string("/") : path.substr(0, slash);
    const std::string name = path.substr(slash + 1);
    if (!IsProfileListName(name))
        return false;

    UniqueFd given = OpenFolder(folder);
    UniqueFd preferences = OpenFolder(TintPreferencesFolder());
    if (!given.valid() || !preferences.valid() || !SameFile(given.get(), preferences.get()))
        return false;
    out->dir_ = std::move(given);
    out->name_ = name;
    return true;
}

ProfileListFile::Entry ProfileListFile::entry() const
{
    struct stat st;
    if (::fstatat(dir_.get(), name_.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? Entry::Absent : Entry::Unknown;
    if (S_ISREG(st.st_mode))
        return Entry::Regular;
    if (S_ISDIR(st.st_mode))
        return Entry::Directory;
    return Entry::Other;
}

bool ProfileListFile::Sibling(const std::string &name, ProfileListFile *out) const
{
    out->dir_.reset();
    out->name_.clear();
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
        name.find('\0') != std::string::npos || !dir_.valid())
        return false;
    out->dir_.reset(::fcntl(dir_.get(), F_DUPFD_CLOEXEC, 0));
    if (!out->dir_.valid())
        return false;
    out->name_ = name;
    return true;
}

bool ProfileListFile::SameFileAs(const ProfileListFile &other) const
{
    if (SameFile(dir_.get(), other.dir_.get()) && name_ == other.name_)
        return true;
    struct stat a, b;
    return ::fstatat(dir_.get(), name_.c_str(), &a, AT_SYMLINK_NOFOLLOW) == 0 &&
           ::fstatat(other.dir_.get(), other.name_.c_str(), &b, AT_SYMLINK_NOFOLLOW) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}
