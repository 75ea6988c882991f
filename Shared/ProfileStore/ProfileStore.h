// The profile store: profile tables to and from the profile list file,
// merging for direct connections, tidying after a walk, and the four file
// operations on the current and previous list.
//
// Results: store functions 0 or -1; file operations 1 or 0. Nothing throws.
// A ProfileStore object works on the files of the back end it is given
// (ProfileStoreBackend.h); whoever needs the list holds or is handed the
// store object: the plug-in's is tint::relayProfileStore(), the service makes
// one per request.
#pragma once

#include <string>

#include "ProfileTable.h"

#include <plist/plist.h>

#include <cstdint>

// Stores the integer under key into *value when present and an integer.
// 0 when stored, -1 otherwise (value left as it was).
int32_t ReadDictionaryIntEntry(plist_t dict, const char *key, int32_t *value);
// Stores the string under key into field (32 bytes, at most 31 survive)
// when present and a string; a text not usable as UTF-8 empties the field.
void ReadDictionaryStringEntry(plist_t dict, const char *key, char field[kProfileTextField]);

// One group of the mapping of WQPListMappingProfile_All_Pap. Returns the
// edited table's iNum.
int32_t WQPListMapping_Pap(const ProfileTable *edited, const ProfileTable *file, ProfileTable *output,
                           const ProfileTable *deleted);
// Builds the dictionary {"RGB"|"SIM"|"DST": group dictionary} of one table.
// The result is a new dictionary the caller frees with plist_free; the seven
// out-parameters (each may be null) point into it and are freed with it.
// For a group index other than 0..2 the result is an empty dictionary and
// the out-parameters are set to null.
plist_t CreatePropsDictionary(int32_t group, const ProfileTable *table, plist_t *groupDict,
                              plist_t *indexOnDeviceDict, plist_t *inMenuDict, plist_t *profileClassDict,
                              plist_t *locationDict, plist_t *fileNameDict, plist_t *profileNameDict);

// --- Tidying ---------------------------------------------------------------

// Sets iNum to the number of used slots; when that changes iNum, zeroes every
// slot from that number on.
void WQPlistCheckWithInMenu_Dict(ProfileTable *table);
// After a walk: printer-less shown entries become MissingShown with index
// 501; other printer-less named entries are cleared.
void WQPListCleanProfile_Dict(ProfileTable *table);
// MissingShown entries with an index and a name become UserShown.
void WQPListSalvage_Dict(ProfileTable *table);
// Packs used entries to the front, keeping their order. iNum unchanged.
void WQPListPaddingProfile_Dict(ProfileTable *table);

// The six sub-dictionaries of a group dictionary (borrowed: they belong to
// groupDict) and, when present, its iNum. 0 or -1 at the first missing key.
int32_t WQPListMappingGetSubDict(plist_t groupDict, plist_t *indexOnDeviceDict, plist_t *inMenuDict,
                                 plist_t *profileClassDict, plist_t *locationDict, plist_t *fileNameDict,
                                 plist_t *profileNameDict, int32_t *count);

// Diagnostics hook of the walk; discards its arguments.
void MyDebugMessage(const char *text, long number);

// Swap types and remove selectors.
constexpr int32_t kProfileSwapRestore = 0;
constexpr int32_t kProfileSwapDiscard = 1;
constexpr int32_t kProfileSwapBackup = 2;
constexpr int32_t kProfileRemoveCurrent = 3;
constexpr int32_t kProfileRemovePrevious = 2;

// The write probe with the reason why it failed, kept with its result so
// that a greyed control can say why.
enum class ProfileListWriteProbe : int {
    MayWrite,     // the probe answered TRUE
    NotPermitted, // the service answered: the user may not write the folder
    NoService,    // no answer from the profile service (relay or bus missing)
};

// --- The store object --------------------------------------------------------

class ProfileStoreBackend;

// One user's list files through one back end. Holds no state of its own
// between calls; one object may be used by one thread at a time.
class ProfileStore
{
  public:
    explicit ProfileStore(ProfileStoreBackend &backend) : backend_(backend) {}
    ProfileStore(const ProfileStore &) = delete;
    ProfileStore &operator=(const ProfileStore &) = delete;

    ProfileStoreBackend &backend() const { return backend_; }

    // Reads all three groups. 0, or -1 with the tables untouched (file
    // missing, unreadable, not a property list, or a required key absent).
    int32_t WQPListReadProfile_All(ProfileTable *rgb, ProfileTable *sim, ProfileTable *dst);
    // Reads one group (0, 1, 2). 0, or -1 with the table untouched; -1 for
    // any other group index.
    int32_t WQPListReadProfile_Dict(ProfileTable *table, int32_t group);
    // As WQPListReadProfile_Dict for direct connections: DeviceHidden
    // entries are dropped, DeviceShown entries become UserShown, the rest is
    // compacted.
    int32_t WQPListReadProfile_Dict_Pap(ProfileTable *table, int32_t group);
    // Writes the three tables as the whole current file. 0 when written,
    // else -1 (refused by the write-permission probe, or the write failed).
    int32_t WQPListWriteProfile_All(const ProfileTable *rgb, const ProfileTable *sim,
                                    const ProfileTable *dst);
    // Direct connections: merges the edited tables with the file (keeping
    // printer entries the window hid unless deleted) and writes the result.
    int32_t WQPListWriteProfile_All_Pap(const ProfileTable *rgb, const ProfileTable *sim,
                                        const ProfileTable *dst, const ProfileTable *rgbDelete,
                                        const ProfileTable *simDelete, const ProfileTable *dstDelete);
    // Reads the current file and maps each group into the output tables.
    // Always 0.
    int32_t WQPListMappingProfile_All_Pap(const ProfileTable *rgb, const ProfileTable *sim,
                                          const ProfileTable *dst, ProfileTable *rgbOut, ProfileTable *simOut,
                                          ProfileTable *dstOut, const ProfileTable *rgbDelete,
                                          const ProfileTable *simDelete, const ProfileTable *dstDelete);
    // Writes one group, keeping the file's other groups. rgb/sim/dst may be
    // null; when given they receive the file's tables, then the written
    // table of the group. Returns the write's result; -1 for a group index
    // other than 0..2.
    int32_t WQPListWriteProfile_Dict(const ProfileTable *table, int32_t group, ProfileTable *rgb,
                                     ProfileTable *sim, ProfileTable *dst);
    // Copies of the three group dictionaries of the current file (no caller
    // in the system); the caller frees them with plist_free (also those
    // stored before a -1).
    int32_t WQPListMappingGetMainDict_FromPlist(plist_t *rgbDict, plist_t *simDict, plist_t *dstDict);

    // 1 when the current file can be opened for writing (created if absent,
    // and removed again if it was created by the probe), else 0.
    int WQPListIsAdminProfile();
    // Restore (0), discard (1) or backup (2) after a successful probe.
    void WQPListSwapProfile(int32_t type);
    // 1 when the probe succeeds and the current file opens for reading.
    int WQPListExistProfile();
    // Removes the current (3) or previous (2) file after a successful probe;
    // 1 when removed.
    int WQPListRemove(int32_t selector);

    // Like WQPListIsAdminProfile, with the reason; *folderGroup (may be
    // null) receives the name of the preferences folder's group ("" when it
    // cannot be had).
    ProfileListWriteProbe probeWritePermission(std::string *folderGroup);

    // Why the last file operation, probe or write of the calling thread on
    // this store failed, in the manner of cupsLastErrorString(): one line for
    // a log or a message, such as "no relay at /usr/libexec/qvmr52/Tintrelay"
    // or "the profile service answered FALSE to writeDataToPlistFile_XPC".
    // Read it right after a call that returned -1 or 0 (a save of the
    // profile window that failed); "" when that call did not fail in its
    // back end or the back end keeps no reasons.
    std::string LastError() const;

    // Writes the three tables without a probe of its own (for a caller that
    // has just probed). 0 or -1.
    int32_t WriteTables(const ProfileTable *rgb, const ProfileTable *sim, const ProfileTable *dst);

  private:
    ProfileStoreBackend &backend_;
};

namespace tint
{

// The plug-in's store: the list files named after the login name, every
// change sent through the relay (tint_profilestore_relay).
ProfileStore &relayProfileStore();

} // namespace tint
