// The seam between the store and its back end. A back end is one source file
// linked beside the store: the service's writes files directly, the
// plug-in's sends whole-file writes through the relay. Besides these it
// defines WQPListIsAdminProfile, WQPListSwapProfile, WQPListExistProfile and
// WQPListRemove (ProfileStore.h).
#pragma once

#include "TintPaths.h"

#include <cstddef>

// Formats the full path of the current / previous profile list file into out
// (TINT_PATH_BUFFER bytes, zero-filled). 0, or -1 (out empty) when there is
// no usable path, e.g. one longer than 254 bytes.
int ProfileStoreCurrentPath(char out[TINT_PATH_BUFFER]);
int ProfileStorePreviousPath(char out[TINT_PATH_BUFFER]);

// Puts the XML text of a whole list (UTF-8, length bytes) on disk as the
// current file so that it is either replaced whole or left as it was.
// 0 or -1. The write-permission probe has already been run by the caller.
int ProfileStoreWriteWholeFile(const char *xml, size_t length);

// Helper for back ends that name the files after the login name of the real
// user id: formats the preferences path of nameFormat (kProfileListNameFormat
// or kProfileListPrevNameFormat) into out. -1 (out empty) when the user has
// no login name or the path would not fit.
int ProfileStoreLoginPath(char out[TINT_PATH_BUFFER], const char *nameFormat);
