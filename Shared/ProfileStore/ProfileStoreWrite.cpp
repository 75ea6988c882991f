// Writing tables as profile list files.
#include "ProfilePlist.h"
#include "ProfileStore.h"
#include "ProfileStoreBackend.h"
#include "TintText.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{

plist_t NewInteger(int32_t value)
{
    return plist_new_uint(static_cast<uint64_t>(static_cast<int64_t>(value)));
}

void SetInteger(plist_t node, int32_t value)
{
    plist_set_uint_val(node, static_cast<uint64_t>(static_cast<int64_t>(value)));
}

// Sub-dictionaries in the order they stand in a group dictionary.
enum SubIndex {
    kSubIndexOnDevice,
    kSubInMenu,
    kSubProfileClass,
    kSubLocation,
    kSubFileName,
    kSubProfileName,
    kSubs
};
const char *const kSubKeys[kSubs] = {cIndexOnDeviceKey, cInMenuKey,   cProfileClassKey,
                                     cLocationKey,      cFileNameKey, cProfileNameKey};

// A group dictionary with every key in place: "iNum", then the six
// sub-dictionaries with all 500 numbered keys. libplist checks each inserted
// key against the ones already there, so filling 3000 keys per group costs
// far more than copying this once made tree and setting its values in order.
PlistPtr BuildGroupTemplate()
{
    PlistPtr group(plist_new_dict());
    plist_dict_set_item(group.get(), cINumKey, NewInteger(0));
    char key[40];
    for (int s = 0; s < kSubs; ++s) {
        plist_t sub = plist_new_dict();
        const bool text = s == kSubFileName || s == kSubProfileName;
        for (int i = 0; i < kProfileTableSlots; ++i) {
            FormatNumberedKey(key, sizeof key, kSubKeys[s], i);
            plist_dict_set_item(sub, key, text ? plist_new_string("") : NewInteger(0));
        }
        plist_dict_set_item(group.get(), kSubKeys[s], sub);
    }
    return group;
}

plist_t GroupTemplate()
{
    static const PlistPtr group = BuildGroupTemplate();
    return group.get();
}

// Text of a field when an XML file can carry it: UTF-8 without control
// characters other than tab, newline and return. Anything else would make the
// whole file unreadable, so such a field is left out of the file.
bool WritableText(const char *field, char text[kProfileTextField + 1])
{
    size_t length = strnlen(field, kProfileTextField);
    if (!TintIsXmlSafeUtf8(std::string_view(field, length)))
        return false;
    std::memcpy(text, field, length);
    text[length] = '\0';
    return true;
}

// Values of consecutive dictionary entries, in insertion order.
class DictionaryWalk
{
  public:
    explicit DictionaryWalk(plist_t dict) : dict_(dict) { plist_dict_new_iter(dict, &iter_); }
    ~DictionaryWalk() { std::free(iter_); }
    DictionaryWalk(const DictionaryWalk &) = delete;
    DictionaryWalk &operator=(const DictionaryWalk &) = delete;
    plist_t next()
    {
        plist_t value = nullptr;
        plist_dict_next_item(dict_, iter_, nullptr, &value);
        return value;
    }

  private:
    plist_t dict_;
    plist_dict_iter iter_ = nullptr;
};

} // namespace

PlistPtr BuildGroupDictionary(const ProfileTable *table, plist_t *indexOnDeviceDict, plist_t *inMenuDict,
                              plist_t *profileClassDict, plist_t *locationDict, plist_t *fileNameDict,
                              plist_t *profileNameDict)
{
    PlistPtr group(plist_copy(GroupTemplate()));
    plist_t subs[kSubs] = {};
    {
        DictionaryWalk walk(group.get());
        SetInteger(walk.next(), table->iNum);
        for (plist_t &sub : subs)
            sub = walk.next();
    }

    const auto setIntegers = [&](SubIndex s, int32_t ProfileEntry::*field) {
        DictionaryWalk walk(subs[s]);
        for (const ProfileEntry &entry : table->entry)
            SetInteger(walk.next(), entry.*field);
    };
    setIntegers(kSubIndexOnDevice, &ProfileEntry::indexOnDevice);
    setIntegers(kSubInMenu, &ProfileEntry::inMenu);
    setIntegers(kSubProfileClass, &ProfileEntry::profileClass);
    setIntegers(kSubLocation, &ProfileEntry::location);

    const auto setTexts = [&](SubIndex s, char(ProfileEntry::*field)[kProfileTextField]) {
        std::vector<int> omitted;
        {
            DictionaryWalk walk(subs[s]);
            char text[kProfileTextField + 1];
            for (int i = 0; i < kProfileTableSlots; ++i) {
                plist_t node = walk.next();
                if (WritableText(table->entry[i].*field, text))
                    plist_set_string_val(node, text);
                else
                    omitted.push_back(i);
            }
        }
        char key[40];
        for (int i : omitted) {
            FormatNumberedKey(key, sizeof key, kSubKeys[s], i);
            plist_dict_remove_item(subs[s], key);
        }
    };
    setTexts(kSubFileName, &ProfileEntry::fileName);
    setTexts(kSubProfileName, &ProfileEntry::profileName);

    plist_t *outs[kSubs] = {indexOnDeviceDict, inMenuDict,   profileClassDict,
                            locationDict,      fileNameDict, profileNameDict};
    for (int s = 0; s < kSubs; ++s) {
        if (outs[s] != nullptr)
            *outs[s] = subs[s];
    }
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

// Serialises the three tables and hands the text to the back end, after the
// caller's permission probe.
int32_t ProfileStore::WriteTables(const ProfileTable *rgb, const ProfileTable *sim, const ProfileTable *dst)
{
    if (rgb == nullptr || sim == nullptr || dst == nullptr)
        return -1;
    PlistPtr root = BuildProfileListRoot(rgb, sim, dst);
    char *xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    std::unique_ptr<char, void (*)(char *)> owned(xml, plist_to_xml_free);
    root.reset();
    if (owned == nullptr || length == 0)
        return -1;
    return backend_.WriteWholeFile(owned.get(), length) == 0 ? 0 : -1;
}

int32_t ProfileStore::WQPListWriteProfile_All(const ProfileTable *rgb, const ProfileTable *sim,
                                              const ProfileTable *dst)
{
    if (rgb == nullptr || sim == nullptr || dst == nullptr)
        return -1;
    if (WQPListIsAdminProfile() == 0)
        return -1;
    return WriteTables(rgb, sim, dst);
}

int32_t ProfileStore::WQPListWriteProfile_All_Pap(const ProfileTable *rgb, const ProfileTable *sim,
                                                  const ProfileTable *dst, const ProfileTable *rgbDelete,
                                                  const ProfileTable *simDelete,
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
    // Probed above already: in the plug-in every probe is a relay process.
    return WriteTables(rgbOut.get(), simOut.get(), dstOut.get());
}

int32_t ProfileStore::WQPListWriteProfile_Dict(const ProfileTable *table, int32_t group, ProfileTable *rgb,
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
