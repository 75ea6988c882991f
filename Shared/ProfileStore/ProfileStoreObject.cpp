// The store object's file operations: each but the probe runs only after a
// successful probe.
#include "ProfileStore.h"
#include "ProfileStoreBackend.h"

int ProfileStore::WQPListIsAdminProfile()
{
    return backend_.IsAdminProfile();
}

void ProfileStore::WQPListSwapProfile(int32_t type)
{
    if (backend_.IsAdminProfile() == 0)
        return;
    backend_.SwapProfile(type);
}

int ProfileStore::WQPListExistProfile()
{
    if (backend_.IsAdminProfile() == 0)
        return 0;
    return backend_.ExistProfile();
}

int ProfileStore::WQPListRemove(int32_t selector)
{
    if (backend_.IsAdminProfile() == 0)
        return 0;
    if (selector != kProfileRemoveCurrent && selector != kProfileRemovePrevious)
        return 0;
    return backend_.Remove(selector);
}

ProfileListWriteProbe ProfileStore::probeWritePermission(std::string *folderGroup)
{
    if (folderGroup)
        *folderGroup = ProfileStoreFolderGroup();
    return static_cast<ProfileListWriteProbe>(backend_.ProbeWritePermission());
}

std::string ProfileStore::LastError() const
{
    return backend_.LastError();
}
