// Shared set-up of the profile store tests: a temporary root whose current
// and previous list paths are the service back end's path globals.
#pragma once

#include "ProfileStore.h"
#include "ProfileStoreDirect.h"
#include "TempRoot.h"
#include "TintPaths.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

class ProfileStoreTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_EQ(TintCopyPath(WQ_PLIST_PROFILE_PATH, root.currentList().c_str()), 0);
        ASSERT_EQ(TintCopyPath(WQ_PLIST_PROFILE_PREV_PATH, root.previousList().c_str()), 0);
    }
    void TearDown() override
    {
        std::memset(WQ_PLIST_PROFILE_PATH, 0, sizeof WQ_PLIST_PROFILE_PATH);
        std::memset(WQ_PLIST_PROFILE_PREV_PATH, 0, sizeof WQ_PLIST_PROFILE_PREV_PATH);
    }

    std::string current() const { return root.currentList(); }
    std::string previous() const { return root.previousList(); }
    // Installs a file of tests/data as the current list.
    void install(const std::string &dataFile) const
    {
        ASSERT_TRUE(WriteFile(current(), ReadFile(std::string(TINT_TEST_DATA) + "/" + dataFile))) << dataFile;
    }

    TempRoot root;
};

inline std::unique_ptr<ProfileTable> NewTable()
{
    return std::make_unique<ProfileTable>();
}

inline void SetEntry(ProfileEntry *entry, int32_t indexOnDevice, int32_t inMenu, int32_t profileClass,
                     const char *fileName, const char *profileName, int32_t location,
                     int32_t availability = 0)
{
    std::memset(entry, 0, sizeof *entry);
    entry->indexOnDevice = indexOnDevice;
    entry->inMenu = inMenu;
    entry->profileClass = profileClass;
    std::snprintf(entry->fileName, sizeof entry->fileName, "%s", fileName);
    std::snprintf(entry->profileName, sizeof entry->profileName, "%s", profileName);
    entry->location = location;
    entry->availability = availability;
}

// A table filled with one byte everywhere, to see that a call left it alone.
inline std::unique_ptr<ProfileTable> MarkedTable(unsigned char mark)
{
    auto table = NewTable();
    std::memset(table.get(), mark, sizeof *table);
    return table;
}

inline bool SameBytes(const ProfileTable &a, const ProfileTable &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}
