// The store of tests, tools, benches and fuzz targets. By default it is the
// double on the two path globals below (tools and tests set them); a test
// may point it at another store object, such as the plug-in's relay store.
// The WQPList functions and the two error/write helpers below are the store
// object's members called on it.
#pragma once

#include "ProfileStore.h"
#include "TintPaths.h"

#include <cstddef>
#include <string>

extern char WQ_PLIST_PROFILE_PATH[TINT_PATH_BUFFER];
extern char WQ_PLIST_PROFILE_PREV_PATH[TINT_PATH_BUFFER];

// The store the functions below use.
ProfileStore &TestProfileStore();
// Makes store the one they use; null restores the double on the globals.
void SetTestProfileStore(ProfileStore *store);

int32_t WQPListReadProfile_All(ProfileTable *rgb, ProfileTable *sim, ProfileTable *dst);
int32_t WQPListReadProfile_Dict(ProfileTable *table, int32_t group);
int32_t WQPListReadProfile_Dict_Pap(ProfileTable *table, int32_t group);
int32_t WQPListWriteProfile_All(const ProfileTable *rgb, const ProfileTable *sim, const ProfileTable *dst);
int32_t WQPListWriteProfile_All_Pap(const ProfileTable *rgb, const ProfileTable *sim, const ProfileTable *dst,
                                    const ProfileTable *rgbDelete, const ProfileTable *simDelete,
                                    const ProfileTable *dstDelete);
int32_t WQPListMappingProfile_All_Pap(const ProfileTable *rgb, const ProfileTable *sim,
                                      const ProfileTable *dst, ProfileTable *rgbOut, ProfileTable *simOut,
                                      ProfileTable *dstOut, const ProfileTable *rgbDelete,
                                      const ProfileTable *simDelete, const ProfileTable *dstDelete);
int32_t WQPListWriteProfile_Dict(const ProfileTable *table, int32_t group, ProfileTable *rgb,
                                 ProfileTable *sim, ProfileTable *dst);
int32_t WQPListMappingGetMainDict_FromPlist(plist_t *rgbDict, plist_t *simDict, plist_t *dstDict);
int WQPListIsAdminProfile();
void WQPListSwapProfile(int32_t type);
int WQPListExistProfile();
int WQPListRemove(int32_t selector);
std::string ProfileStoreLastError();
// The back end's whole-file write (no probe).
int ProfileStoreWriteWholeFile(const char *xml, size_t length);
