// The service's back end: the files named by the path globals, written
// directly.
#include "ProfileStoreDirect.h"

#include "ProfileFileOps.h"
#include "ProfileStore.h"
#include "ProfileStoreBackend.h"

#include <cstring>

char WQ_PLIST_PROFILE_PATH[TINT_PATH_BUFFER];
char WQ_PLIST_PROFILE_PREV_PATH[TINT_PATH_BUFFER];

namespace
{

// A global that is not a terminated path of at most 254 bytes is refused
// rather than read past its end.
int CopyGlobal(char out[TINT_PATH_BUFFER], const char *global)
{
    std::memset(out, 0, TINT_PATH_BUFFER);
    size_t length = strnlen(global, TINT_PATH_BUFFER);
    if (length == 0 || length >= TINT_PATH_BUFFER)
        return -1;
    std::memcpy(out, global, length);
    return 0;
}

} // namespace

int ProfileStoreCurrentPath(char out[TINT_PATH_BUFFER])
{
    return CopyGlobal(out, WQ_PLIST_PROFILE_PATH);
}

int ProfileStorePreviousPath(char out[TINT_PATH_BUFFER])
{
    return CopyGlobal(out, WQ_PLIST_PROFILE_PREV_PATH);
}

int ProfileStoreWriteWholeFile(const char *xml, size_t length)
{
    char path[TINT_PATH_BUFFER];
    if (ProfileStoreCurrentPath(path) != 0)
        return -1;
    return ProfileFileWriteWhole(path, xml, length) == 1 ? 0 : -1;
}

int WQPListIsAdminProfile()
{
    char path[TINT_PATH_BUFFER];
    if (ProfileStoreCurrentPath(path) != 0)
        return 0;
    return ProfileFileProbe(path);
}

void WQPListSwapProfile(int32_t type)
{
    if (WQPListIsAdminProfile() == 0)
        return;
    char current[TINT_PATH_BUFFER];
    char previous[TINT_PATH_BUFFER];
    const bool haveCurrent = ProfileStoreCurrentPath(current) == 0;
    const bool havePrevious = ProfileStorePreviousPath(previous) == 0;
    ProfileFileSwap(type, haveCurrent ? current : nullptr, havePrevious ? previous : nullptr);
}

int WQPListExistProfile()
{
    if (WQPListIsAdminProfile() == 0)
        return 0;
    char path[TINT_PATH_BUFFER];
    if (ProfileStoreCurrentPath(path) != 0)
        return 0;
    return ProfileFileExist(path);
}

int WQPListRemove(int32_t selector)
{
    if (WQPListIsAdminProfile() == 0)
        return 0;
    char path[TINT_PATH_BUFFER];
    int rc;
    if (selector == kProfileRemoveCurrent)
        rc = ProfileStoreCurrentPath(path);
    else if (selector == kProfileRemovePrevious)
        rc = ProfileStorePreviousPath(path);
    else
        return 0;
    if (rc != 0)
        return 0;
    return ProfileFileRemove(path);
}
