// Reading profile list files into tables.
#include "ProfilePlist.h"
#include "ProfileStore.h"
#include "ProfileStoreBackend.h"

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

struct FdCloser {
    int fd;
    ~FdCloser()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// The whole file at path, refusing anything that is not a regular file of at
// most kProfileListMaxBytes. Opened without blocking, so that a FIFO standing
// at the path is refused instead of waiting for a writer.
bool ReadWholeFile(const char *path, std::string *content)
{
    FdCloser file{::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
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
    if (text == nullptr || !IsValidUtf8(text, std::strlen(text))) {
        std::memset(field, 0, kProfileTextField);
        return;
    }
    std::strncpy(field, text, kProfileTextField);
    field[kProfileTextField - 1] = '\0';
}

// A list nests three dictionaries deep; the parser descends recursively, so
// a file nesting containers thousands deep would exhaust the stack.
constexpr int kMaxNesting = 32;

bool TagNameIs(const char *at, const char *end, const char *name)
{
    const size_t length = std::strlen(name);
    if (static_cast<size_t>(end - at) < length || std::memcmp(at, name, length) != 0)
        return false;
    return at + length == end || at[length] == '>' || at[length] == '/' || at[length] == ' ' ||
           at[length] == '\t' || at[length] == '\n' || at[length] == '\r';
}

// XML text: the depth of <dict> and <array> elements stays within the limit.
// Text that merely looks like such a tag (in a comment) is counted as well,
// which only ever refuses more.
bool XmlNestingWithin(const std::string &text)
{
    int depth = 0;
    const char *end = text.data() + text.size();
    for (const char *at = text.data(); at < end; ++at) {
        if (*at != '<')
            continue;
        const char *name = at + 1;
        const bool closing = name < end && *name == '/';
        if (closing)
            ++name;
        if (!TagNameIs(name, end, "dict") && !TagNameIs(name, end, "array"))
            continue;
        const char *close = static_cast<const char *>(std::memchr(name, '>', end - name));
        if (close == nullptr)
            return false;
        if (closing)
            --depth;
        else if (close[-1] != '/' && ++depth > kMaxNesting)
            return false;
        at = close;
    }
    return true;
}

uint64_t BigEndian(const unsigned char *at, size_t size)
{
    uint64_t value = 0;
    for (size_t i = 0; i < size; ++i)
        value = (value << 8) | at[i];
    return value;
}

// Binary property list: the containers reachable from the top object nest
// within the limit. Walked with an explicit stack; a structure this walk
// cannot follow is refused as well.
bool BinaryNestingWithin(const std::string &text)
{
    const auto *data = reinterpret_cast<const unsigned char *>(text.data());
    const size_t size = text.size();
    if (size < 8 + 32)
        return false;
    const unsigned char *trailer = data + size - 32;
    const size_t offsetSize = trailer[6];
    const size_t refSize = trailer[7];
    const uint64_t objects = BigEndian(trailer + 8, 8);
    const uint64_t top = BigEndian(trailer + 16, 8);
    const uint64_t table = BigEndian(trailer + 24, 8);
    if (offsetSize < 1 || offsetSize > 8 || refSize < 1 || refSize > 8 || objects == 0 || top >= objects ||
        table >= size || objects > (size - table) / offsetSize)
        return false;
    const auto offsetOf = [&](uint64_t object, uint64_t *offset) {
        *offset = BigEndian(data + table + object * offsetSize, offsetSize);
        return *offset < size;
    };
    struct Pending {
        uint64_t object;
        int depth;
    };
    std::vector<Pending> stack{{top, 0}};
    // Shared sub-objects are visited once per reference; bound the work.
    uint64_t budget = 4u * 1024u * 1024u;
    while (!stack.empty()) {
        const Pending item = stack.back();
        stack.pop_back();
        if (budget-- == 0)
            return false;
        uint64_t offset = 0;
        if (!offsetOf(item.object, &offset))
            return false;
        const unsigned type = data[offset] >> 4;
        if (type != 0xA && type != 0xC && type != 0xD)
            continue;
        if (item.depth + 1 > kMaxNesting)
            return false;
        uint64_t count = data[offset] & 0x0F;
        size_t at = offset + 1;
        if (count == 0x0F) {
            if (at >= size || (data[at] >> 4) != 0x1)
                return false;
            const size_t intSize = size_t{1} << (data[at] & 0x0F);
            if (intSize > 8 || at + 1 + intSize > size)
                return false;
            count = BigEndian(data + at + 1, intSize);
            at += 1 + intSize;
        }
        const uint64_t refs = type == 0xD ? count * 2 : count;
        if (count > size || refs > (size - at) / refSize)
            return false;
        for (uint64_t r = 0; r < refs; ++r) {
            const uint64_t child = BigEndian(data + at + r * refSize, refSize);
            if (child >= objects)
                return false;
            stack.push_back({child, item.depth + 1});
        }
    }
    return true;
}

bool NestingWithin(const std::string &text)
{
    if (text.compare(0, 6, "bplist") == 0)
        return BinaryNestingWithin(text);
    return XmlNestingWithin(text);
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
    if (!ReadWholeFile(path, &content) || content.empty() || !NestingWithin(content))
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
