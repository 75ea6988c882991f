// The store's back end on two full paths, through the service's file steps.
#include "ProfileStorePathBackend.h"

#include "ProfileListFile.h"
#include "ProfileStore.h"
#include "VaultFileOps.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <optional>

namespace
{

// The list file at path; none for a null, empty or unusable path or an
// unreachable folder.
std::optional<ProfileListFile> Open(const char *path)
{
    ProfileListFile file;
    if (path == nullptr || path[0] == '\0' || !ProfileListFile::OpenAt(path, &file))
        return std::nullopt;
    return file;
}

} // namespace

int ProfileFileProbe(const char *path)
{
    const auto file = Open(path);
    return file && VaultProbeWritable(*file) ? 1 : 0;
}

void ProfileFileSwap(int32_t type, const char *current, const char *previous)
{
    const auto from = Open(current);
    const auto to = Open(previous);
    if (type != kProfileSwapRestore) {
        VaultSwap(type, from ? &*from : nullptr, to ? &*to : nullptr);
        return;
    }
    // Unlike the service's restore, which puts back only a whole property
    // list, any previous file is put back here.
    if (from && to)
        ::renameat(to->dir(), to->c_name(), from->dir(), from->c_name());
}

int ProfileFileExist(const char *path)
{
    const auto file = Open(path);
    return file && VaultExists(*file) ? 1 : 0;
}

int ProfileFileRemove(const char *path)
{
    const auto file = Open(path);
    return file && VaultRemove(*file) ? 1 : 0;
}

int ProfileFileWriteWhole(const char *path, const void *data, size_t length)
{
    const auto file = Open(path);
    if (!file || (data == nullptr && length > 0))
        return 0;
    struct stat st;
    const bool replaced = ::fstatat(file->dir(), file->c_name(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    if (!VaultWriteWhole(*file, std::string_view(static_cast<const char *>(data), length)))
        return 0;
    // Unlike the service's write, a replaced list keeps its permissions.
    if (replaced)
        ::fchmodat(file->dir(), file->c_name(), st.st_mode & 07777, 0);
    return 1;
}

namespace
{

// A path usable as a list path: not empty and within the path buffer.
bool Usable(const std::string &path)
{
    return !path.empty() && path.size() < TINT_PATH_BUFFER && path.find('\0') == std::string::npos;
}

const char *OrNull(const std::string &path)
{
    return Usable(path) ? path.c_str() : nullptr;
}

} // namespace

bool ProfileStorePathBackend::ReadCurrentList(std::string *content)
{
    const auto file = Open(OrNull(CurrentPath()));
    return file && VaultReadList(*file, content);
}

int ProfileStorePathBackend::WriteWholeFile(const char *xml, size_t length)
{
    return ProfileFileWriteWhole(OrNull(CurrentPath()), xml, length) == 1 ? 0 : -1;
}

int ProfileStorePathBackend::IsAdminProfile()
{
    return ProfileFileProbe(OrNull(CurrentPath()));
}

void ProfileStorePathBackend::SwapProfile(int32_t type)
{
    ProfileFileSwap(type, OrNull(CurrentPath()), OrNull(PreviousPath()));
}

int ProfileStorePathBackend::ExistProfile()
{
    return ProfileFileExist(OrNull(CurrentPath()));
}

int ProfileStorePathBackend::Remove(int32_t selector)
{
    return ProfileFileRemove(OrNull(selector == kProfileRemoveCurrent ? CurrentPath() : PreviousPath()));
}
