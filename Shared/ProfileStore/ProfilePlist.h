// Internal helpers of the store: owned property-list nodes, the numbered
// keys, opening the current file, and text the XML writer can carry.
#pragma once

#include "ProfileTable.h"

#include <plist/plist.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>

struct PlistDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};
// An owned property-list node (a tree root).
using PlistPtr = std::unique_ptr<std::remove_pointer_t<plist_t>, PlistDeleter>;

// A list file larger than this is refused: a full list is about 0.5 MB.
constexpr size_t kProfileListMaxBytes = 16u * 1024u * 1024u;

// "<word><slot as four digits>" into key (at least 32 bytes).
void FormatNumberedKey(char *key, size_t size, const char *word, int slot);

class ProfileStoreBackend;

// Reads and parses the current profile list file of backend. The root is
// returned only when it is a dictionary; null on any failure.
PlistPtr OpenProfileList(ProfileStoreBackend &backend);

// A child of dict that is itself a dictionary, else null.
plist_t DictionaryChild(plist_t dict, const char *key);

// A new, zeroed table on the heap (working tables are too large to keep
// several on a small thread stack).
std::unique_ptr<ProfileTable> NewProfileTable();

// The group dictionary of one table (owned), and borrowed pointers to its six
// sub-dictionaries (each out may be null).
PlistPtr BuildGroupDictionary(const ProfileTable *table, plist_t *indexOnDeviceDict, plist_t *inMenuDict,
                              plist_t *profileClassDict, plist_t *locationDict, plist_t *fileNameDict,
                              plist_t *profileNameDict);

// The root dictionary of a whole list file.
PlistPtr BuildProfileListRoot(const ProfileTable *rgb, const ProfileTable *sim, const ProfileTable *dst);

// Fills the tables from a parsed root: -1 and nothing touched unless every
// required key is there. Any of the three may be null (group not read).
int32_t ReadProfileListRoot(plist_t root, ProfileTable *rgb, ProfileTable *sim, ProfileTable *dst);
