// The store of tests and tools: the double on the two path globals unless a
// test points it elsewhere, and the WQPList functions on it.
#include "ProfileStoreDirect.h"

#include "ProfileStoreBackend.h"
#include "ProfileStorePathBackend.h"

#include <atomic>
#include <cstring>

char WQ_PLIST_PROFILE_PATH[TINT_PATH_BUFFER];
char WQ_PLIST_PROFILE_PREV_PATH[TINT_PATH_BUFFER];

namespace
{

// A global that is not a terminated path of at most 254 bytes is refused
// rather than read past its end.
std::string FromGlobal(const char *global)
{
    const size_t length = strnlen(global, TINT_PATH_BUFFER);
    if (length == 0 || length >= TINT_PATH_BUFFER)
        return std::string();
    return std::string(global, length);
}

class GlobalPathBackend : public ProfileStorePathBackend
{
  public:
    GlobalPathBackend() : ProfileStorePathBackend(std::string(), std::string()) {}

  protected:
    std::string CurrentPath() const override { return FromGlobal(WQ_PLIST_PROFILE_PATH); }
    std::string PreviousPath() const override { return FromGlobal(WQ_PLIST_PROFILE_PREV_PATH); }
};

std::atomic<ProfileStore *> gChosen{nullptr};

} // namespace

ProfileStore &TestProfileStore()
{
    static GlobalPathBackend backend;
    static ProfileStore onGlobals(backend);
    ProfileStore *chosen = gChosen.load();
    return chosen != nullptr ? *chosen : onGlobals;
}

void SetTestProfileStore(ProfileStore *store)
{
    gChosen.store(store);
}

int32_t WQPListReadProfile_All(ProfileTable *rgb, ProfileTable *sim, ProfileTable *dst)
{
    return TestProfileStore().WQPListReadProfile_All(rgb, sim, dst);
}

int32_t WQPListReadProfile_Dict(ProfileTable *table, int32_t group)
{
    return TestProfileStore().WQPListReadProfile_Dict(table, group);
}

int32_t WQPListReadProfile_Dict_Pap(ProfileTable *table, int32_t group)
{
    return TestProfileStore().WQPListReadProfile_Dict_Pap(table, group);
}

int32_t WQPListWriteProfile_All(const ProfileTable *rgb, const ProfileTable *sim, const ProfileTable *dst)
{
    return TestProfileStore().WQPListWriteProfile_All(rgb, sim, dst);
}

int32_t WQPListWriteProfile_All_Pap(const ProfileTable *rgb, const ProfileTable *sim, const ProfileTable *dst,
                                    const ProfileTable *rgbDelete, const ProfileTable *simDelete,
                                    const ProfileTable *dstDelete)
{
    return TestProfileStore().WQPListWriteProfile_All_Pap(rgb, sim, dst, rgbDelete, simDelete, dstDelete);
}

int32_t WQPListMappingProfile_All_Pap(const ProfileTable *rgb, const ProfileTable *sim,
                                      const ProfileTable *dst, ProfileTable *rgbOut, ProfileTable *simOut,
                                      ProfileTable *dstOut, const ProfileTable *rgbDelete,
                                      const ProfileTable *simDelete, const ProfileTable *dstDelete)
{
    return TestProfileStore().WQPListMappingProfile_All_Pap(rgb, sim, dst, rgbOut, simOut, dstOut, rgbDelete,
                                                            simDelete, dstDelete);
}

int32_t WQPListWriteProfile_Dict(const ProfileTable *table, int32_t group, ProfileTable *rgb,
                                 ProfileTable *sim, ProfileTable *dst)
{
    return TestProfileStore().WQPListWriteProfile_Dict(table, group, rgb, sim, dst);
}

int32_t WQPListMappingGetMainDict_FromPlist(plist_t *rgbDict, plist_t *simDict, plist_t *dstDict)
{
    return TestProfileStore().WQPListMappingGetMainDict_FromPlist(rgbDict, simDict, dstDict);
}

int WQPListIsAdminProfile()
{
    return TestProfileStore().WQPListIsAdminProfile();
}

void WQPListSwapProfile(int32_t type)
{
    TestProfileStore().WQPListSwapProfile(type);
}

int WQPListExistProfile()
{
    return TestProfileStore().WQPListExistProfile();
}

int WQPListRemove(int32_t selector)
{
    return TestProfileStore().WQPListRemove(selector);
}

std::string ProfileStoreLastError()
{
    return TestProfileStore().LastError();
}

int ProfileStoreWriteWholeFile(const char *xml, size_t length)
{
    return TestProfileStore().backend().WriteWholeFile(xml, length);
}
