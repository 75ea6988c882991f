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

bool ProfileListFile::OpenAt(const std::string &path, ProfileListFile *out)
{
    out->dir_.reset();
    out->name_.clear();
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (path.size() >= TINT_PATH_BUFFER || path.find('\0') != std::string::npos || name.empty() ||
        name == "." || name == "..")
        return false;
    out->dir_ = OpenFolder(slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash));
    out->name_ = name;
    return out->dir_.valid();
}

bool ProfileListFile::Resolve(const std::string &path, ProfileListFile *out)
{
    UniqueFd preferences = OpenFolder(TintPreferencesFolder());
    if (path.empty() || path[0] != '/' || !IsProfileListName(path.substr(path.rfind('/') + 1)) ||
        !OpenAt(path, out) || !preferences.valid() || !SameFile(out->dir_.get(), preferences.get())) {
        *out = ProfileListFile();
        return false;
    }
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
