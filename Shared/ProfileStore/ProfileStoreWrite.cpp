// Writing tables as profile list files.
#include "ProfilePlist.h"
#include "ProfileStore.h"
#include "ProfileStoreBackend.h"

#include <cstdlib>
#include <cstring>

namespace
{

plist_t NewInteger(int32_t value)
{
    return plist_new_uint(static_cast<uint64_t>(static_cast<int64_t>(value)));
}

// The field's text up to its NUL, or nothing when it is not UTF-8 that an XML
// file can carry (it would make the whole file unreadable).
void PutText(plist_t dict, const char *key, const char *field)
{
    size_t length = strnlen(field, kProfileTextField);
    if (!IsXmlSafeUtf8(field, length))
        return;
    char text[kProfileTextField + 1];
    std::memcpy(text, field, length);
    text[length] = '\0';
    plist_dict_set_item(dict, key, plist_new_string(text));
}

} // namespace

PlistPtr BuildGroupDictionary(const ProfileTable *table, plist_t *indexOnDeviceDict, plist_t *inMenuDict,
                              plist_t *profileClassDict, plist_t *locationDict, plist_t *fileNameDict,
                              plist_t *profileNameDict)
{
    PlistPtr group(plist_new_dict());
    PlistPtr indexOnDevice(plist_new_dict());
    PlistPtr inMenu(plist_new_dict());
    PlistPtr profileClass(plist_new_dict());
    PlistPtr location(plist_new_dict());
    PlistPtr fileName(plist_new_dict());
    PlistPtr profileName(plist_new_dict());

    char key[40];
    for (int i = 0; i < kProfileTableSlots; ++i) {
        const ProfileEntry &entry = table->entry[i];
        FormatNumberedKey(key, sizeof key, cIndexOnDeviceKey, i);
        plist_dict_set_item(indexOnDevice.get(), key, NewInteger(entry.indexOnDevice));
        FormatNumberedKey(key, sizeof key, cInMenuKey, i);
        plist_dict_set_item(inMenu.get(), key, NewInteger(entry.inMenu));
        FormatNumberedKey(key, sizeof key, cProfileClassKey, i);
        plist_dict_set_item(profileClass.get(), key, NewInteger(entry.profileClass));
        FormatNumberedKey(key, sizeof key, cLocationKey, i);
        plist_dict_set_item(location.get(), key, NewInteger(entry.location));
        FormatNumberedKey(key, sizeof key, cFileNameKey, i);
        PutText(fileName.get(), key, entry.fileName);
        FormatNumberedKey(key, sizeof key, cProfileNameKey, i);
        PutText(profileName.get(), key, entry.profileName);
    }

    // The group dictionary takes ownership of each sub-dictionary.
    const auto adopt = [&](const char *name, PlistPtr &sub, plist_t *out) {
        if (out != nullptr)
            *out = sub.get();
        plist_dict_set_item(group.get(), name, sub.release());
    };
    plist_dict_set_item(group.get(), cINumKey, NewInteger(table->iNum));
    adopt(cIndexOnDeviceKey, indexOnDevice, indexOnDeviceDict);
    adopt(cInMenuKey, inMenu, inMenuDict);
    adopt(cProfileClassKey, profileClass, profileClassDict);
    adopt(cLocationKey, location, locationDict);
    adopt(cFileNameKey, fileName, fileNameDict);
    adopt(cProfileNameKey, profileName, profileNameDict);
    return group;
}

plist_t CreatePropsDictionary(int32_t group, const ProfileTable *table, plist_t *groupDict,
                              plist_t *indexOnDeviceDict, plist_t *inMenuDict, plist_t *profileClassDict,
                              plist_t *locationDict, plist_t *fileNameDict, plist_t *profileNameDict)
{
    for (plist_t *out : {groupDict, indexOnDeviceDict, inMenuDict, profileClassDict, locationDict,
                         fileNameDict, profileNameDict}) {
        if (out != nullptr)
            *out = nullptr;
    }
    PlistPtr result(plist_new_dict());
    const char *groupKey = ProfileGroupKey(group);
    if (groupKey == nullptr || table == nullptr)
        return result.release();
    PlistPtr groupNode = BuildGroupDictionary(table, indexOnDeviceDict, inMenuDict, profileClassDict,
                                              locationDict, fileNameDict, profileNameDict);
    if (groupDict != nullptr)
        *groupDict = groupNode.get();
    plist_dict_set_item(result.get(), groupKey, groupNode.release());
    return result.release();
}

PlistPtr BuildProfileListRoot(const ProfileTable *rgb, const ProfileTable *sim, const ProfileTable *dst)
{
    const ProfileTable *tables[kProfileGroupCount] = {rgb, sim, dst};
    PlistPtr root(plist_new_dict());
    for (int g = 0; g < kProfileGroupCount; ++g) {
        PlistPtr group =
            BuildGroupDictionary(tables[g], nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        plist_dict_set_item(root.get(), kProfileGroupKeys[g], group.release());
    }
    plist_dict_set_item(root.get(), cPlistVersionKey, NewInteger(kPlistVersion));
    return root;
}

int32_t WQPListWriteProfile_All(const ProfileTable *rgb, const ProfileTable *sim, const ProfileTable *dst)
{
    if (rgb == nullptr || sim == nullptr || dst == nullptr)
        return -1;
    if (WQPListIsAdminProfile() == 0)
        return -1;
    PlistPtr root = BuildProfileListRoot(rgb, sim, dst);
    char *xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    if (xml == nullptr || length == 0) {
        plist_to_xml_free(xml);
        return -1;
    }
    std::unique_ptr<char, void (*)(char *)> owned(xml, plist_to_xml_free);
    return ProfileStoreWriteWholeFile(owned.get(), length) == 0 ? 0 : -1;
}

int32_t WQPListWriteProfile_All_Pap(const ProfileTable *rgb, const ProfileTable *sim, const ProfileTable *dst,
                                    const ProfileTable *rgbDelete, const ProfileTable *simDelete,
                                    const ProfileTable *dstDelete)
{
    if (rgb == nullptr || sim == nullptr || dst == nullptr || rgbDelete == nullptr || simDelete == nullptr ||
        dstDelete == nullptr)
        return -1;
    auto rgbOut = NewProfileTable();
    auto simOut = NewProfileTable();
    auto dstOut = NewProfileTable();
    if (WQPListIsAdminProfile() == 0)
        return -1;
    WQPListMappingProfile_All_Pap(rgb, sim, dst, rgbOut.get(), simOut.get(), dstOut.get(), rgbDelete,
                                  simDelete, dstDelete);
    return WQPListWriteProfile_All(rgbOut.get(), simOut.get(), dstOut.get());
}

int32_t WQPListWriteProfile_Dict(const ProfileTable *table, int32_t group, ProfileTable *rgb,
                                 ProfileTable *sim, ProfileTable *dst)
{
    if (table == nullptr)
        return -1;
    // The given table may be one of the optional tables as well: keep it
    // before those receive the file's state.
    auto given = NewProfileTable();
    *given = *table;
    table = given.get();
    auto rgbWork = NewProfileTable();
    auto simWork = NewProfileTable();
    auto dstWork = NewProfileTable();
    WQPListReadProfile_All(rgbWork.get(), simWork.get(), dstWork.get());
    if (rgb != nullptr)
        *rgb = *rgbWork;
    if (sim != nullptr)
        *sim = *simWork;
    if (dst != nullptr)
        *dst = *dstWork;

    int32_t result;
    switch (group) {
    case kProfileGroupRGB:
        result = WQPListWriteProfile_All(table, simWork.get(), dstWork.get());
        if (rgb != nullptr)
            *rgb = *table;
        break;
    case kProfileGroupSIM:
        result = WQPListWriteProfile_All(rgbWork.get(), table, dstWork.get());
        if (sim != nullptr)
            *sim = *table;
        break;
    case kProfileGroupDST:
        result = WQPListWriteProfile_All(rgbWork.get(), simWork.get(), table);
        if (dst != nullptr)
            *dst = *table;
        break;
    default:
        result = -1;
        break;
    }
    return result;
}
