// Merging an edited list with the file for direct connections, and the raw
// dictionary accessors.
#include "ProfilePlist.h"
#include "ProfileStore.h"

#include <cstring>

namespace
{

// A count usable as a slot bound, whatever a caller left in iNum.
int UsedCount(const ProfileTable *table)
{
    if (table->iNum < 0)
        return 0;
    return table->iNum > kProfileTableSlots ? kProfileTableSlots : table->iNum;
}

bool SameProfile(const ProfileEntry &a, const ProfileEntry &b)
{
    return std::strncmp(a.fileName, b.fileName, kProfileTextField) == 0 && a.location == b.location;
}

bool Contains(const ProfileTable *table, const ProfileEntry &entry)
{
    const int count = UsedCount(table);
    for (int i = 0; i < count; ++i) {
        if (SameProfile(table->entry[i], entry))
            return true;
    }
    return false;
}

} // namespace

int32_t WQPListMapping_Pap(const ProfileTable *edited, const ProfileTable *file, ProfileTable *output,
                           const ProfileTable *deleted)
{
    if (edited == nullptr || file == nullptr || output == nullptr || deleted == nullptr)
        return 0;
    int k = 0;
    // Printer profiles survive unless the window holds or deleted them.
    const int fileCount = UsedCount(file);
    for (int j = 0; j < fileCount && k < kProfileTableSlots; ++j) {
        const ProfileEntry &entry = file->entry[j];
        if (entry.inMenu != InMenu::DeviceHidden && entry.inMenu != InMenu::DeviceShown)
            continue;
        if (Contains(edited, entry) || Contains(deleted, entry))
            continue;
        output->entry[k++] = entry;
    }
    const int editedCount = UsedCount(edited);
    for (int i = 0; i < editedCount && k < kProfileTableSlots; ++i)
        output->entry[k++] = edited->entry[i];
    output->iNum = k;
    return edited->iNum;
}

int32_t ProfileStore::WQPListMappingProfile_All_Pap(const ProfileTable *rgb, const ProfileTable *sim,
                                                    const ProfileTable *dst, ProfileTable *rgbOut,
                                                    ProfileTable *simOut, ProfileTable *dstOut,
                                                    const ProfileTable *rgbDelete,
                                                    const ProfileTable *simDelete,
                                                    const ProfileTable *dstDelete)
{
    auto rgbFile = NewProfileTable();
    auto simFile = NewProfileTable();
    auto dstFile = NewProfileTable();
    // A missing or unreadable file leaves the file tables empty.
    WQPListReadProfile_All(rgbFile.get(), simFile.get(), dstFile.get());
    WQPListMapping_Pap(rgb, rgbFile.get(), rgbOut, rgbDelete);
    WQPListMapping_Pap(sim, simFile.get(), simOut, simDelete);
    WQPListMapping_Pap(dst, dstFile.get(), dstOut, dstDelete);
    return 0;
}

int32_t ProfileStore::WQPListMappingGetMainDict_FromPlist(plist_t *rgbDict, plist_t *simDict,
                                                          plist_t *dstDict)
{
    plist_t *outs[kProfileGroupCount] = {rgbDict, simDict, dstDict};
    for (plist_t *out : outs) {
        if (out == nullptr)
            return -1;
        *out = nullptr;
    }
    PlistPtr root = OpenProfileList(backend_);
    if (!root)
        return -1;
    for (int g = 0; g < kProfileGroupCount; ++g) {
        plist_t group = DictionaryChild(root.get(), kProfileGroupKeys[g]);
        if (group == nullptr)
            return -1;
        *outs[g] = plist_copy(group);
    }
    return 0;
}

int32_t WQPListMappingGetSubDict(plist_t groupDict, plist_t *indexOnDeviceDict, plist_t *inMenuDict,
                                 plist_t *profileClassDict, plist_t *locationDict, plist_t *fileNameDict,
                                 plist_t *profileNameDict, int32_t *count)
{
    struct Lookup {
        const char *key;
        plist_t *out;
    };
    const Lookup lookups[] = {{cIndexOnDeviceKey, indexOnDeviceDict}, {cInMenuKey, inMenuDict},
                              {cProfileClassKey, profileClassDict},   {cFileNameKey, fileNameDict},
                              {cProfileNameKey, profileNameDict},     {cLocationKey, locationDict}};
    for (const Lookup &lookup : lookups) {
        plist_t sub = DictionaryChild(groupDict, lookup.key);
        if (sub == nullptr)
            return -1;
        if (lookup.out != nullptr)
            *lookup.out = sub;
    }
    if (count != nullptr)
        ReadDictionaryIntEntry(groupDict, cINumKey, count);
    return 0;
}
