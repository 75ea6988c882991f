// Keeping tables to their layout rule and tidying them after a walk.
#include "ProfileStore.h"

#include <cstring>

namespace
{

bool HasFileName(const ProfileEntry &entry)
{
    return entry.fileName[0] != '\0';
}

} // namespace

void WQPlistCheckWithInMenu_Dict(ProfileTable *table)
{
    if (table == nullptr)
        return;
    int32_t used = 0;
    for (const ProfileEntry &entry : table->entry) {
        if (entry.inMenu != InMenu::Empty)
            ++used;
    }
    if (used == table->iNum)
        return;
    // Used entries are expected at the front; whatever stands beyond the count
    // is dropped with the rest.
    std::memset(&table->entry[used], 0,
                sizeof(ProfileEntry) * static_cast<size_t>(kProfileTableSlots - used));
    table->iNum = used;
}

void WQPListCleanProfile_Dict(ProfileTable *table)
{
    if (table == nullptr)
        return;
    for (ProfileEntry &entry : table->entry) {
        if (entry.indexOnDevice != 0 || !HasFileName(entry))
            continue;
        if (entry.inMenu == InMenu::MissingShown || entry.inMenu == InMenu::DeviceShown) {
            entry.indexOnDevice = 501;
            entry.inMenu = InMenu::MissingShown;
        } else {
            // Only a used slot counts in iNum; clearing a free one must not
            // lower the count of the others.
            if (entry.inMenu != InMenu::Empty)
                --table->iNum;
            std::memset(&entry, 0, sizeof entry);
        }
    }
}

void WQPListSalvage_Dict(ProfileTable *table)
{
    if (table == nullptr)
        return;
    for (ProfileEntry &entry : table->entry) {
        if (entry.indexOnDevice != 0 && HasFileName(entry) && entry.inMenu == InMenu::MissingShown)
            entry.inMenu = InMenu::UserShown;
    }
}

void WQPListPaddingProfile_Dict(ProfileTable *table)
{
    if (table == nullptr)
        return;
    int next = 0; // no used slot stands before max(i + 1, next) once slot i is filled
    for (int i = 0; i < kProfileTableSlots; ++i) {
        ProfileEntry &free = table->entry[i];
        if (free.inMenu != InMenu::Empty)
            continue;
        int j = next > i + 1 ? next : i + 1;
        while (j < kProfileTableSlots && table->entry[j].inMenu == InMenu::Empty)
            ++j;
        if (j >= kProfileTableSlots)
            break;
        ProfileEntry &used = table->entry[j];
        free = used;
        // The moved-from slot keeps its profileClass.
        used.indexOnDevice = 0;
        used.inMenu = InMenu::Empty;
        std::memset(used.fileName, 0, sizeof used.fileName);
        std::memset(used.profileName, 0, sizeof used.profileName);
        used.location = 0;
        used.availability = 0;
        next = j + 1;
    }
}
