// The store's back end on two full paths.
#include "ProfileStorePathBackend.h"
#include "ProfileFileOps.h"
#include "ProfileStore.h"

namespace
{

// A path usable as a list path: not empty and within the path buffer.
bool Usable(const std::string &path)
{
    return !path.empty() && path.size() < TINT_PATH_BUFFER && path.find('\0') == std::string::npos;
}

} // namespace

bool ProfileStorePathBackend::ReadCurrentList(std::string *content)
{
    const std::string path = CurrentPath();
    return Usable(path) && ProfileReadListPath(path.c_str(), content);
}

int ProfileStorePathBackend::WriteWholeFile(const char *xml, size_t length)
{
    const std::string path = CurrentPath();
    if (!Usable(path))
        return -1;
    return ProfileFileWriteWhole(path.c_str(), xml, length) == 1 ? 0 : -1;
}

int ProfileStorePathBackend::IsAdminProfile()
{
    const std::string path = CurrentPath();
    return Usable(path) ? ProfileFileProbe(path.c_str()) : 0;
}

void ProfileStorePathBackend::SwapProfile(int32_t type)
{
    const std::string current = CurrentPath();
    const std::string previous = PreviousPath();
    ProfileFileSwap(type, Usable(current) ? current.c_str() : nullptr,
                    Usable(previous) ? previous.c_str() : nullptr);
}

int ProfileStorePathBackend::ExistProfile()
{
    const std::string path = CurrentPath();
    return Usable(path) ? ProfileFileExist(path.c_str()) : 0;
}

int ProfileStorePathBackend::Remove(int32_t selector)
{
    const std::string path = selector == kProfileRemoveCurrent ? CurrentPath() : PreviousPath();
    return Usable(path) ? ProfileFileRemove(path.c_str()) : 0;
}
