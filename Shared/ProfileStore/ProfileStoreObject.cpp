// The store object's file operations, the store of the calling thread, and
// the WQPList functions as wrappers around it.
#include "ProfileStore.h"
#include "ProfileStoreBackend.h"

namespace
{

thread_local ProfileStore *gThreadStore = nullptr;

} // namespace

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

ProfileStore &TintProfileStore()
{
    return gThreadStore != nullptr ? *gThreadStore : TintDefaultProfileStore();
}

ProfileStoreScope::ProfileStoreScope(ProfileStore &store) : saved_(gThreadStore)
{
    gThreadStore = &store;
}

ProfileStoreScope::~ProfileStoreScope()
{
    gThreadStore = saved_;
}

int32_t WQPListReadProfile_All(ProfileTable *rgb, ProfileTable *sim, ProfileTable *dst)
{
    return TintProfileStore().WQPListReadProfile_All(rgb, sim, dst);
}

int32_t WQPListReadProfile_Dict(ProfileTable *table, int32_t group)
{
    return TintProfileStore().WQPListReadProfile_Dict(table, group);
}

int32_t WQPListReadProfile_Dict_Pap(ProfileTable *table, int32_t group)
{
    return TintProfileStore().WQPListReadProfile_Dict_Pap(table, group);
}

int32_t WQPListWriteProfile_All(const ProfileTable *rgb, const ProfileTable *sim, const ProfileTable *dst)
{
    return TintProfileStore().WQPListWriteProfile_All(rgb, sim, dst);
}

int32_t WQPListWriteProfile_All_Pap(const ProfileTable *rgb, const ProfileTable *sim, const ProfileTable *dst,
                                    const ProfileTable *rgbDelete, const ProfileTable *simDelete,
                                    const ProfileTable *dstDelete)
{
    return TintProfileStore().WQPListWriteProfile_All_Pap(rgb, sim, dst, rgbDelete, simDelete, dstDelete);
}

int32_t WQPListMappingProfile_All_Pap(const ProfileTable *rgb, const ProfileTable *sim,
                                      const ProfileTable *dst, ProfileTable *rgbOut, ProfileTable *simOut,
                                      ProfileTable *dstOut, const ProfileTable *rgbDelete,
                                      const ProfileTable *simDelete, const ProfileTable *dstDelete)
{
    return TintProfileStore().WQPListMappingProfile_All_Pap(rgb, sim, dst, rgbOut, simOut, dstOut, rgbDelete,
                                                            simDelete, dstDelete);
}

int32_t WQPListWriteProfile_Dict(const ProfileTable *table, int32_t group, ProfileTable *rgb,
                                 ProfileTable *sim, ProfileTable *dst)
{
    return TintProfileStore().WQPListWriteProfile_Dict(table, group, rgb, sim, dst);
}

int32_t WQPListMappingGetMainDict_FromPlist(plist_t *rgbDict, plist_t *simDict, plist_t *dstDict)
{
    return TintProfileStore().WQPListMappingGetMainDict_FromPlist(rgbDict, simDict, dstDict);
}

int WQPListIsAdminProfile()
{
    return TintProfileStore().WQPListIsAdminProfile();
}

ProfileListWriteProbe tint::probeWritePermission(std::string *folderGroup)
{
    if (folderGroup)
        *folderGroup = ProfileStoreFolderGroup();
    return static_cast<ProfileListWriteProbe>(TintProfileStore().backend().ProbeWritePermission());
}

void WQPListSwapProfile(int32_t type)
{
    TintProfileStore().WQPListSwapProfile(type);
}

int WQPListExistProfile()
{
    return TintProfileStore().WQPListExistProfile();
}

int WQPListRemove(int32_t selector)
{
    return TintProfileStore().WQPListRemove(selector);
}

std::string ProfileStoreLastError()
{
    return TintProfileStore().backend().LastError();
}

int ProfileStoreWriteWholeFile(const char *xml, size_t length)
{
    return TintProfileStore().backend().WriteWholeFile(xml, length);
}
