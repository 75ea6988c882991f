// Reading profile list files into tables.
#include "ProfilePlist.h"
#include "ProfileStore.h"
#include "ProfileStoreBackend.h"
#include "PropertyListLimits.h"
#include "TintText.h"
#include "UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace
{

// A 32-bit integer value into *value; false (value untouched) for a missing
// node, another type, or a number outside 32 bits.
bool ReadIntegerValue(plist_t item, int32_t *value)
{
    if (item == nullptr || plist_get_node_type(item) != PLIST_UINT)
        return false;
    uint64_t raw = 0;
    plist_get_uint_val(item, &raw);
    // libplist has no signed type: negative values come back two's-complement.
    auto signedValue = static_cast<int64_t>(raw);
    if (signedValue < std::numeric_limits<int32_t>::min() ||
        signedValue > std::numeric_limits<int32_t>::max())
        return false;
    *value = static_cast<int32_t>(signedValue);
    return true;
}

// A string value into a text field: at most 31 bytes survive (a cut may fall
// inside a character); text that is not UTF-8 empties the field; a missing
// node or another type leaves it alone.
void ReadStringValue(plist_t item, char field[kProfileTextField])
{
    if (item == nullptr || plist_get_node_type(item) != PLIST_STRING)
        return;
    uint64_t length = 0;
    const char *text = plist_get_string_ptr(item, &length);
    if (text == nullptr || !TintIsValidUtf8(text)) {
        std::memset(field, 0, kProfileTextField);
        return;
    }
    std::strncpy(field, text, kProfileTextField);
    field[kProfileTextField - 1] = '\0';
}

// A list nests three dictionaries deep; the parser descends recursively, so
// a file nesting containers thousands deep would exhaust the stack. A text
// holding a NUL character would make libplist abort.
constexpr int kMaxNesting = 32;

bool NestingWithin(const std::string &text)
{
    return TintPropertyListNestingWithin(text, kMaxNesting) && !TintPropertyListHoldsNul(text);
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

// Value nodes of a group's numbered keys by slot; null where a key is absent.
// Built by one pass over each sub-dictionary: looking up 3000 keys one by one
// in dictionaries of 500 costs more than parsing the file.
struct SlotValues {
    plist_t indexOnDevice[kProfileTableSlots];
    plist_t inMenu[kProfileTableSlots];
    plist_t profileClass[kProfileTableSlots];
    plist_t fileName[kProfileTableSlots];
    plist_t profileName[kProfileTableSlots];
    plist_t location[kProfileTableSlots];
};

// Slot number of a key that is word followed by exactly four digits, else -1.
int SlotOfKey(const char *key, const char *word, size_t wordLength)
{
    if (std::strncmp(key, word, wordLength) != 0)
        return -1;
    const char *digits = key + wordLength;
    int slot = 0;
    for (int i = 0; i < 4; ++i) {
        if (digits[i] < '0' || digits[i] > '9')
            return -1;
        slot = slot * 10 + (digits[i] - '0');
    }
    return digits[4] == '\0' && slot < kProfileTableSlots ? slot : -1;
}

void IndexSubDictionary(plist_t sub, const char *word, plist_t *slots)
{
    std::fill(slots, slots + kProfileTableSlots, nullptr);
    const size_t wordLength = std::strlen(word);
    plist_dict_iter iter = nullptr;
    plist_dict_new_iter(sub, &iter);
    if (iter == nullptr)
        return;
    for (;;) {
        char *key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(sub, iter, &key, &value);
        if (key == nullptr)
            break;
        const int slot = SlotOfKey(key, word, wordLength);
        // The first of duplicate keys wins, as a lookup would find it.
        if (slot >= 0 && slots[slot] == nullptr)
            slots[slot] = value;
        std::free(key);
    }
    std::free(iter);
}

std::unique_ptr<SlotValues> IndexGroup(const SubDictionaries &subs)
{
    auto values = std::make_unique<SlotValues>();
    IndexSubDictionary(subs.indexOnDevice, cIndexOnDeviceKey, values->indexOnDevice);
    IndexSubDictionary(subs.inMenu, cInMenuKey, values->inMenu);
    IndexSubDictionary(subs.profileClass, cProfileClassKey, values->profileClass);
    IndexSubDictionary(subs.fileName, cFileNameKey, values->fileName);
    IndexSubDictionary(subs.profileName, cProfileNameKey, values->profileName);
    IndexSubDictionary(subs.location, cLocationKey, values->location);
    return values;
}

// Everything of file slot `slot` but InMenu into entry.
void ReadSlotRest(const SlotValues &values, int slot, ProfileEntry *entry)
{
    ReadIntegerValue(values.indexOnDevice[slot], &entry->indexOnDevice);
    ReadIntegerValue(values.profileClass[slot], &entry->profileClass);
    ReadStringValue(values.fileName[slot], entry->fileName);
    ReadStringValue(values.profileName[slot], entry->profileName);
    ReadIntegerValue(values.location[slot], &entry->location);
}

void ReadGroup(plist_t group, const SubDictionaries &subs, ProfileTable *table)
{
    const auto values = IndexGroup(subs);
    for (int i = 0; i < kProfileTableSlots; ++i) {
        ProfileEntry *entry = &table->entry[i];
        ReadIntegerValue(values->inMenu[i], &entry->inMenu);
        ReadSlotRest(*values, i, entry);
    }
    ReadDictionaryIntEntry(group, cINumKey, &table->iNum);
    WQPlistCheckWithInMenu_Dict(table);
}

// Direct-connection read: printer entries the walk cannot refresh are either
// hidden for good (DeviceHidden, dropped) or owned by the user from now on
// (DeviceShown becomes UserShown); kept slots are compacted.
void ReadGroupPap(plist_t group, const SubDictionaries &subs, ProfileTable *table)
{
    const auto values = IndexGroup(subs);
    int j = 0;
    for (int i = 0; i < kProfileTableSlots; ++i) {
        ProfileEntry *entry = &table->entry[j];
        int32_t inMenu = 0;
        if (ReadIntegerValue(values->inMenu[i], &inMenu)) {
            if (inMenu == InMenu::DeviceHidden)
                continue;
            entry->inMenu = inMenu == InMenu::DeviceShown ? InMenu::UserShown : inMenu;
        }
        ReadSlotRest(*values, i, entry);
        ++j;
    }
    ReadDictionaryIntEntry(group, cINumKey, &table->iNum);
    WQPlistCheckWithInMenu_Dict(table);
}

int32_t ReadOneGroup(ProfileStoreBackend &backend, ProfileTable *table, int32_t group, bool pap)
{
    const char *groupKey = ProfileGroupKey(group);
    if (table == nullptr || groupKey == nullptr)
        return -1;
    PlistPtr root = OpenProfileList(backend);
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

bool ProfileReadListFd(int fd, std::string *content)
{
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0 ||
        static_cast<unsigned long long>(st.st_size) > kProfileListMaxBytes)
        return false;
    content->clear();
    content->reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
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

bool ProfileReadListPath(const char *path, std::string *content)
{
    if (path == nullptr || path[0] == '\0')
        return false;
    const UniqueFd fd(::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    return fd.valid() && ProfileReadListFd(fd.get(), content);
}

PlistPtr OpenProfileList(ProfileStoreBackend &backend)
{
    std::string content;
    if (!backend.ReadCurrentList(&content) || content.empty() || !NestingWithin(content))
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
    return ReadIntegerValue(plist_dict_get_item(dict, key), value) ? 0 : -1;
}

void ReadDictionaryStringEntry(plist_t dict, const char *key, char field[kProfileTextField])
{
    if (dict == nullptr || key == nullptr || field == nullptr || plist_get_node_type(dict) != PLIST_DICT)
        return;
    ReadStringValue(plist_dict_get_item(dict, key), field);
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

int32_t ProfileStore::WQPListReadProfile_All(ProfileTable *rgb, ProfileTable *sim, ProfileTable *dst)
{
    if (rgb == nullptr || sim == nullptr || dst == nullptr)
        return -1;
    PlistPtr root = OpenProfileList(backend_);
    if (!root)
        return -1;
    return ReadProfileListRoot(root.get(), rgb, sim, dst);
}

int32_t ProfileStore::WQPListReadProfile_Dict(ProfileTable *table, int32_t group)
{
    return ReadOneGroup(backend_, table, group, false);
}

int32_t ProfileStore::WQPListReadProfile_Dict_Pap(ProfileTable *table, int32_t group)
{
    return ReadOneGroup(backend_, table, group, true);
}
