// The profile record, the 500-slot profile table, the three profile groups,
// the menu state codes and the names used in the profile list file.
#pragma once

#include <cstdint>

// One colour profile. Plain record; its layout is part of the file-free
// exchange between the store, the walk and the profile window, so it must
// stay exactly 84 bytes with no padding.
struct ProfileEntry {
    int32_t
        indexOnDevice;    // row in the printer's profile table; 500..999 user slots; 501 restructured; 0 none
    int32_t inMenu;       // menu state code (InMenu::...); 0 marks a free slot
    int32_t profileClass; // 1, 2, 3 as the printer reports it; 2 for user entries
    char fileName[32];    // UTF-8, NUL-terminated, at most 31 bytes
    char profileName[32]; // UTF-8, NUL-terminated, at most 31 bytes
    int32_t location;     // 4: the printer's disk
    int32_t availability; // memory only: never written to or read from the file
};
static_assert(sizeof(ProfileEntry) == 84, "ProfileEntry must be 84 bytes without padding");

constexpr int kProfileTableSlots = 500;
constexpr int kProfileTextField = 32; // bytes of fileName / profileName

// Used entries stand at slots 0 .. iNum-1 in list order, free slots follow.
// A plain value: zero it whole before use, copy it whole.
struct ProfileTable {
    ProfileEntry entry[kProfileTableSlots];
    int32_t iNum;
};

// Profile groups: index and key in the file.
constexpr int32_t kProfileGroupRGB = 0;
constexpr int32_t kProfileGroupSIM = 1;
constexpr int32_t kProfileGroupDST = 2;
constexpr int32_t kProfileGroupCount = 3;
inline constexpr const char *kProfileGroupKeys[kProfileGroupCount] = {"RGB", "SIM", "DST"};

// Key of a group index, or nullptr when the index is not 0, 1 or 2.
inline const char *ProfileGroupKey(int32_t group)
{
    return (group >= 0 && group < kProfileGroupCount) ? kProfileGroupKeys[group] : nullptr;
}

// Menu state codes (ProfileEntry::inMenu). 1/3, 2/4 and 5/6 differ only in
// whether the entry is listed in the profile menus.
namespace InMenu
{
constexpr int32_t Empty = 0;
constexpr int32_t MissingHidden = 1;
constexpr int32_t DeviceHidden = 2;
constexpr int32_t MissingShown = 3;
constexpr int32_t DeviceShown = 4;
constexpr int32_t UserHidden = 5;
constexpr int32_t UserShown = 6;
} // namespace InMenu

// Name of a menu state code ("Empty" ... "UserShown"), nullptr outside 0..6.
const char *InMenuName(int32_t code);
// True for the codes that the profile menus list (used and not 1, 2, 5).
bool InMenuIsListed(int32_t code);

// Key words of the file: sub-dictionary keys and numbered-key prefixes.
inline constexpr char cIndexOnDeviceKey[] = "IndexOnDevice";
inline constexpr char cInMenuKey[] = "InMenu";
inline constexpr char cProfileClassKey[] = "ProfileClass";
inline constexpr char cFileNameKey[] = "FileName";
inline constexpr char cProfileNameKey[] = "ProfileName";
inline constexpr char cLocationKey[] = "Location";
inline constexpr char cPlistVersionKey[] = "PlistVersion";
inline constexpr char cINumKey[] = "iNum";
constexpr int32_t kPlistVersion = 1;
// Numbered key: key word followed by the slot as four digits.
inline constexpr char kNumberedKeyFormat[] = "%s%04d";

// File names in the printer preferences folder. The plug-in forms them from
// its login name; the service from the user and model of the walk request.
inline constexpr char kProfileListNameFormat[] = "%s-QV-MR52-profile.plist";
inline constexpr char kProfileListPrevNameFormat[] = "%s-QV-MR52-profile.prev.plist";
inline constexpr char kProfileListUserModelFormat[] = "%s-%s-profile.plist";
inline constexpr char kProfileListPrevUserModelFormat[] = "%s-%s-profile.prev.plist";
// Suffix of the temporary transfer file of a chunked write.
inline constexpr char kProfileTransferSuffix[] = ".dummy";
// Characters per piece of a chunked write.
constexpr unsigned kProfileTransferPiece = 90000;
