// Reading profile list files into tables.
#include "ProfilePlist.h"
#include "ProfileStore.h"
#include "ProfileStoreBackend.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <string>

namespace
{

struct FdCloser {
    int fd;
    ~FdCloser()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// The whole file at path, refusing anything that is not a regular file of at
// most kProfileListMaxBytes.
bool ReadWholeFile(const char *path, std::string *content)
{
    FdCloser file{::open(path, O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0)
        return false;
    struct stat st;
    if (::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0 ||
        static_cast<unsigned long long>(st.st_size) > kProfileListMaxBytes)
        return false;
    content->clear();
    content->reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(file.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        // The file may grow while it is read; keep to the same bound.
        if (content->size() + static_cast<size_t>(n) > kProfileListMaxBytes)
            return false;
        content->append(buffer, static_cast<size_t>(n));
    }
    return true;
}

struct SubDictionaries {
    plist_t indexOnDevice = nullptr;
    plist_t inMenu = nullptr;
    plist_t profileClass = nullptr;
    plist_t fileName = nullptr;
    plist_t profileName = nullptr;
    plist_t location = nullptr;
};

// All six sub-dictionaries of a group, or false.
bool FindSubDictionaries(plist_t group, SubDictionaries *subs)
{
    if (group == nullptr)
        return false;
    subs->indexOnDevice = DictionaryChild(group, cIndexOnDeviceKey);
    subs->inMenu = DictionaryChild(group, cInMenuKey);
    subs->profileClass = DictionaryChild(group, cProfileClassKey);
    subs->fileName = DictionaryChild(group, cFileNameKey);
    subs->profileName = DictionaryChild(group, cProfileNameKey);
    subs->location = DictionaryChild(group, cLocationKey);
    return subs->indexOnDevice && subs->inMenu && subs->profileClass && subs->fileName && subs->profileName &&
           subs->location;
}

void ReadIntField(plist_t dict, const char *word, int slot, int32_t *value)
{
    char key[40];
    FormatNumberedKey(key, sizeof key, word, slot);
    ReadDictionaryIntEntry(dict, key, value);
}

void ReadTextField(plist_t dict, const char *word, int slot, char *field)
{
    char key[40];
    FormatNumberedKey(key, sizeof key, word, slot);
    ReadDictionaryStringEntry(dict, key, field);
}

// Everything of file slot `slot` but InMenu into entry.
void ReadSlotRest(const SubDictionaries &subs, int slot, ProfileEntry *entry)
{
    ReadIntField(subs.indexOnDevice, cIndexOnDeviceKey, slot, &entry->indexOnDevice);
    ReadIntField(subs.profileClass, cProfileClassKey, slot, &entry->profileClass);
    ReadTextField(subs.fileName, cFileNameKey, slot, entry->fileName);
    ReadTextField(subs.profileName, cProfileNameKey, slot, entry->profileName);
    ReadIntField(subs.location, cLocationKey, slot, &entry->location);
}

void ReadGroup(plist_t group, const SubDictionaries &subs, ProfileTable *table)
{
    for (int i = 0; i < kProfileTableSlots; ++i) {
        ProfileEntry *entry = &table->entry[i];
        ReadIntField(subs.inMenu, cInMenuKey, i, &entry->inMenu);
        ReadSlotRest(subs, i, entry);
    }
    ReadDictionaryIntEntry(group, cINumKey, &table->iNum);
    WQPlistCheckWithInMenu_Dict(table);
}

// Direct-connection read: printer entries the walk cannot refresh are either
// hidden for good (DeviceHidden, dropped) or owned by the user from now on
// (DeviceShown becomes UserShown); kept slots are compacted.
void ReadGroupPap(plist_t group, const SubDictionaries &subs, ProfileTable *table)
{
    int j = 0;
    for (int i = 0; i < kProfileTableSlots; ++i) {
        ProfileEntry *entry = &table->entry[j];
        int32_t inMenu = 0;
        char key[40];
        FormatNumberedKey(key, sizeof key, cInMenuKey, i);
        if (ReadDictionaryIntEntry(subs.inMenu, key, &inMenu) == 0) {
            if (inMenu == InMenu::DeviceHidden)
                continue;
            entry->inMenu = inMenu == InMenu::DeviceShown ? InMenu::UserShown : inMenu;
        }
        ReadSlotRest(subs, i, entry);
        ++j;
    }
    ReadDictionaryIntEntry(group, cINumKey, &table->iNum);
    WQPlistCheckWithInMenu_Dict(table);
}

int32_t ReadOneGroup(ProfileTable *table, int32_t group, bool pap)
{
    const char *groupKey = ProfileGroupKey(group);
    if (table == nullptr || groupKey == nullptr)
        return -1;
    PlistPtr root = OpenProfileList();
    if (!root)
        return -1;
    plist_t groupDict = DictionaryChild(root.get(), groupKey);
    SubDictionaries subs;
    if (!FindSubDictionaries(groupDict, &subs))
        return -1;
    if (pap)
        ReadGroupPap(groupDict, subs, table);
    else
        ReadGroup(groupDict, subs, table);
    return 0;
}

} // namespace

plist_t DictionaryChild(plist_t dict, const char *key)
{
    if (dict == nullptr || plist_get_node_type(dict) != PLIST_DICT)
        return nullptr;
    plist_t child = plist_dict_get_item(dict, key);
    if (child == nullptr || plist_get_node_type(child) != PLIST_DICT)
        return nullptr;
    return child;
}

PlistPtr OpenProfileList()
{
    char path[TINT_PATH_BUFFER];
    if (ProfileStoreCurrentPath(path) != 0 || path[0] == '\0')
        return nullptr;
    std::string content;
    if (!ReadWholeFile(path, &content) || content.empty())
        return nullptr;
    plist_t node = nullptr;
    plist_from_memory(content.data(), static_cast<uint32_t>(content.size()), &node);
    PlistPtr root(node);
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT)
        return nullptr;
    return root;
}

int32_t ReadDictionaryIntEntry(plist_t dict, const char *key, int32_t *value)
{
    if (dict == nullptr || key == nullptr || value == nullptr || plist_get_node_type(dict) != PLIST_DICT)
        return -1;
    plist_t item = plist_dict_get_item(dict, key);
    if (item == nullptr || plist_get_node_type(item) != PLIST_UINT)
        return -1;
    uint64_t raw = 0;
    plist_get_uint_val(item, &raw);
    // libplist has no signed type: negative values come back two's-complement.
    auto signedValue = static_cast<int64_t>(raw);
    if (signedValue < std::numeric_limits<int32_t>::min() ||
        signedValue > std::numeric_limits<int32_t>::max())
        return -1;
    *value = static_cast<int32_t>(signedValue);
    return 0;
}

void ReadDictionaryStringEntry(plist_t dict, const char *key, char field[kProfileTextField])
{
    if (dict == nullptr || key == nullptr || field == nullptr || plist_get_node_type(dict) != PLIST_DICT)
        return;
    plist_t item = plist_dict_get_item(dict, key);
    if (item == nullptr || plist_get_node_type(item) != PLIST_STRING)
        return;
    uint64_t length = 0;
    const char *text = plist_get_string_ptr(item, &length);
    if (text == nullptr || !IsValidUtf8(text, std::strlen(text))) {
        std::memset(field, 0, kProfileTextField);
        return;
    }
    // At most 31 bytes survive; the cut may fall inside a character.
    std::strncpy(field, text, kProfileTextField);
    field[kProfileTextField - 1] = '\0';
}

int32_t ReadProfileListRoot(plist_t root, ProfileTable *rgb, ProfileTable *sim, ProfileTable *dst)
{
    ProfileTable *tables[kProfileGroupCount] = {rgb, sim, dst};
    plist_t groups[kProfileGroupCount] = {};
    SubDictionaries subs[kProfileGroupCount];
    // Every required key is checked before any table is touched.
    for (int g = 0; g < kProfileGroupCount; ++g) {
        groups[g] = DictionaryChild(root, kProfileGroupKeys[g]);
        if (!FindSubDictionaries(groups[g], &subs[g]))
            return -1;
    }
    for (int g = 0; g < kProfileGroupCount; ++g) {
        if (tables[g] != nullptr)
            ReadGroup(groups[g], subs[g], tables[g]);
    }
    return 0;
}

int32_t WQPListReadProfile_All(ProfileTable *rgb, ProfileTable *sim, ProfileTable *dst)
{
    if (rgb == nullptr || sim == nullptr || dst == nullptr)
        return -1;
    PlistPtr root = OpenProfileList();
    if (!root)
        return -1;
    return ReadProfileListRoot(root.get(), rgb, sim, dst);
}

int32_t WQPListReadProfile_Dict(ProfileTable *table, int32_t group)
{
    return ReadOneGroup(table, group, false);
}

int32_t WQPListReadProfile_Dict_Pap(ProfileTable *table, int32_t group)
{
    return ReadOneGroup(table, group, true);
}
