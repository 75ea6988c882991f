// Merge of the walk's spool into the user's current profile list.
#include "MibWalk.h"

#include "ProfileStore.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace
{

struct WalkTransition {
    int32_t before; // -1 closes the table
    int32_t afterFailure;
    int32_t afterSuccess;
};

// What a walk does to the entries it may confirm, before the merge: after a
// successful one every printer entry is "missing" until the spool finds it;
// after a failed one the hidden printer entries are dropped and the shown
// ones are kept as the user's own.
const WalkTransition kWalkTransitions[] = {
    {InMenu::MissingHidden, InMenu::Empty, InMenu::MissingHidden},
    {InMenu::DeviceHidden, InMenu::Empty, InMenu::MissingHidden},
    {InMenu::DeviceShown, InMenu::UserShown, InMenu::MissingShown},
    {-1, -1, -1},
};

struct FoundTransition {
    int32_t before; // -1 closes the table
    int32_t after;
};

// An entry the printer listed again keeps whether it is shown.
const FoundTransition kFoundTransitions[] = {
    {InMenu::MissingHidden, InMenu::DeviceHidden},
    {InMenu::UserHidden, InMenu::DeviceHidden},
    {InMenu::MissingShown, InMenu::DeviceShown},
    {InMenu::UserShown, InMenu::DeviceShown},
    {-1, -1},
};

bool SameText(const char *a, const char *b)
{
    return std::strncmp(a, b, kProfileTextField) == 0;
}

// Free slots are written as zeros, and iNum is the number of entries in use.
// The tidy steps leave stale fields in freed slots and do not keep iNum
// exact; the entries in use are packed at the front by then.
void SettleTable(ProfileTable *table)
{
    int32_t used = 0;
    for (auto &entry : table->entry) {
        if (entry.inMenu == InMenu::Empty)
            std::memset(&entry, 0, sizeof entry);
        else
            ++used;
    }
    table->iNum = used;
}

void RestructDetail(const ProfileEntry &found, ProfileTable *table)
{
    if (table == nullptr)
        return;

    // Only entries in use can be the same profile: a slot freed by the
    // failure transition still holds its name but is no longer listed.
    // Every slot is searched, as the file-name pass may leave entries in
    // use beyond iNum.
    for (auto &entry : table->entry) {
        if (entry.inMenu == InMenu::Empty || entry.location != found.location ||
            !SameText(entry.fileName, found.fileName))
            continue;
        for (const FoundTransition *t = kFoundTransitions; t->before != -1; ++t) {
            if (entry.inMenu == t->before) {
                entry.inMenu = t->after;
                break;
            }
        }
        return;
    }

    for (auto &entry : table->entry) {
        if (entry.inMenu == InMenu::Empty) {
            entry = found;
            entry.inMenu = InMenu::DeviceHidden;
            table->iNum++;
            return;
        }
    }
}

} // namespace

void vDeleteMIBprofilesTemporary(int failure, ProfileTable *table)
{
    if (table == nullptr)
        return;
    for (auto &entry : table->entry) {
        for (const WalkTransition *t = kWalkTransitions; t->before != -1; ++t) {
            if (entry.inMenu == t->before) {
                entry.inMenu = failure != 0 ? t->afterFailure : t->afterSuccess;
                break;
            }
        }
    }
}

void vRestructDetail(int spoolIndex, ProfileTable *table)
{
    if (spoolIndex < 0 || spoolIndex >= kProfileTableSlots)
        return;
    RestructDetail(PlistForSpool.entry[spoolIndex], table);
}

void MibWalkMergeSpool(const ProfileTable &spool, int failure, ProfileTable *rgb, ProfileTable *sim,
                       ProfileTable *dst)
{
    ProfileTable *const groups[] = {rgb, sim, dst};
    for (ProfileTable *table : groups)
        vDeleteMIBprofilesTemporary(failure, table);

    bool cleared = false;
    for (int i = 0; i < kProfileTableSlots; ++i) {
        for (ProfileTable *table : groups) {
            ProfileEntry &entry = table->entry[i];
            if (entry.fileName[0] != '\0' && !bJudgement8point3Format(entry.fileName)) {
                std::memset(&entry, 0, sizeof entry);
                table->iNum = std::max(table->iNum - 1, 0);
                cleared = true;
            }
        }
    }
    if (cleared)
        WQPListPaddingProfile_Dict(rgb);

    const int spooled = std::clamp<int32_t>(spool.iNum, 0, kProfileTableSlots);
    for (int i = 0; i < spooled; ++i) {
        const ProfileEntry &found = spool.entry[i];
        if ((found.location != 4 && found.location != 5) || !bJudgement8point3Format(found.fileName))
            continue;
        if (found.profileClass == 1 || found.profileClass == 2) {
            RestructDetail(found, rgb);
        } else if (found.profileClass == 3) {
            RestructDetail(found, sim);
            RestructDetail(found, dst);
        }
    }

    for (ProfileTable *table : groups) {
        WQPListCleanProfile_Dict(table);
        WQPListPaddingProfile_Dict(table);
        WQPListSalvage_Dict(table);
        SettleTable(table);
    }
}

int MibWalkMergeIntoCurrentList(ProfileStore &store, const ProfileTable &spool, int failure)
{
    auto tables = std::make_unique<ProfileTable[]>(3); // zeroed
    // A missing or unreadable list leaves the tables empty: the first walk
    // creates the list.
    (void)store.WQPListReadProfile_All(&tables[0], &tables[1], &tables[2]);
    MibWalkMergeSpool(spool, failure, &tables[0], &tables[1], &tables[2]);
    return store.WQPListWriteProfile_All(&tables[0], &tables[1], &tables[2]);
}

int vRestructPlistSpool2Current(int failure, ProfileStore &store)
{
    return MibWalkMergeIntoCurrentList(store, PlistForSpool, failure);
}
