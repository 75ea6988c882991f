// Profile records and whole lists as tests and benchmarks build them. The
// store calls link against whichever back end the including program uses.
#pragma once

#include "ProfileStore.h"
#include "ProfileStoreDirect.h"
#include "ProfileTable.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

// One used record of class 2 at location 4 unless told otherwise.
inline ProfileEntry MakeProfileEntry(int32_t inMenu, const std::string &fileName, int32_t index = 7,
                                     int32_t location = 4, const std::string &profileName = "Mine",
                                     int32_t profileClass = 2)
{
    ProfileEntry e{};
    e.indexOnDevice = index;
    e.inMenu = inMenu;
    e.profileClass = profileClass;
    std::strncpy(e.fileName, fileName.c_str(), sizeof e.fileName - 1);
    std::strncpy(e.profileName, profileName.c_str(), sizeof e.profileName - 1);
    e.location = location;
    return e;
}

// Every slot of a group used: indexes 1 to 500, all six menu states, classes
// 1 to 3. nameFormat takes the slot and the group.
inline void FillFullGroup(ProfileTable *table, int group, const char *nameFormat = "Profile %d of group %d")
{
    for (int i = 0; i < kProfileTableSlots; ++i) {
        ProfileEntry &e = table->entry[i];
        e.indexOnDevice = i + 1;
        e.inMenu = 1 + (i + group) % 6;
        e.profileClass = 1 + i % 3;
        e.location = 4;
        std::snprintf(e.fileName, sizeof e.fileName, "G%dprofile%03d.icc", group, i);
        std::snprintf(e.profileName, sizeof e.profileName, nameFormat, i, group);
    }
    table->iNum = kProfileTableSlots;
}

// The group's free slots filled with shown user profiles ("USER0012.ICC" at
// location 5), numbered on the device from firstIndex on.
inline void FillUserProfiles(ProfileTable *table, int32_t firstIndex)
{
    while (table->iNum < kProfileTableSlots) {
        ProfileEntry &e = table->entry[table->iNum];
        e.indexOnDevice = firstIndex + table->iNum;
        e.inMenu = InMenu::UserShown;
        e.profileClass = 2;
        std::snprintf(e.fileName, sizeof e.fileName, "USER%04d.ICC", table->iNum);
        std::snprintf(e.profileName, sizeof e.profileName, "User profile %d", table->iNum);
        e.location = 5;
        table->iNum++;
    }
}

// The three groups of one list (RGB, simulation, destination), empty at the
// start, read and written through the store.
struct ProfileTables {
    std::unique_ptr<ProfileTable> t[3];

    ProfileTables()
    {
        for (auto &p : t) {
            p = std::make_unique<ProfileTable>();
            std::memset(p.get(), 0, sizeof(ProfileTable));
        }
    }
    ProfileTable &operator[](int i) { return *t[i]; }
    void add(int group, const ProfileEntry &e) { t[group]->entry[t[group]->iNum++] = e; }
    int write() { return WQPListWriteProfile_All(t[0].get(), t[1].get(), t[2].get()); }
    int read() { return WQPListReadProfile_All(t[0].get(), t[1].get(), t[2].get()); }

    // The group's record with this file name and location; nullptr when absent.
    const ProfileEntry *find(int group, const std::string &file, int32_t location = 4) const
    {
        for (int i = 0; i < t[group]->iNum; ++i)
            if (file == t[group]->entry[i].fileName && t[group]->entry[i].location == location)
                return &t[group]->entry[i];
        return nullptr;
    }
    // inMenu of the group's record with this file name at location 4; 0 when absent.
    int32_t state(int group, const std::string &file) const
    {
        const ProfileEntry *e = find(group, file);
        return e ? e->inMenu : 0;
    }
    // How many used slots of the group carry this file name.
    int count(int group, const std::string &file) const
    {
        int n = 0;
        for (const auto &e : t[group]->entry)
            n += e.inMenu != 0 && file == e.fileName;
        return n;
    }
};
