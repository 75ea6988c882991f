#include "ProfileTable.h"

namespace
{

const char *const kInMenuNames[] = {"Empty",       "MissingHidden", "DeviceHidden", "MissingShown",
                                    "DeviceShown", "UserHidden",    "UserShown"};

} // namespace

const char *InMenuName(int32_t code)
{
    if (code < InMenu::Empty || code > InMenu::UserShown)
        return nullptr;
    return kInMenuNames[code];
}

bool InMenuIsListed(int32_t code)
{
    return code != InMenu::Empty && code != InMenu::MissingHidden && code != InMenu::DeviceHidden &&
           code != InMenu::UserHidden;
}

#include "ProfilePlist.h"

#include <cstdio>

std::unique_ptr<ProfileTable> NewProfileTable()
{
    return std::make_unique<ProfileTable>();
}

void FormatNumberedKey(char *key, size_t size, const char *word, int slot)
{
    std::snprintf(key, size, kNumberedKeyFormat, word, slot);
}
