// Direct file steps on explicit paths behind the path back end of tests,
// tools and fuzz targets. All return 1 or 0 unless stated; a null
// path stands for an absent one and makes the step do nothing.
#pragma once

#include <cstddef>
#include <cstdint>

// Bytes per block of the backup copy.
constexpr size_t kProfileCopyBlock = 65535;
// Creation mode of list files and the process's file-creation mask.
constexpr unsigned kProfileFileMode = 0664;
constexpr unsigned kProfileFileMask = 002;

// Write-permission probe: sets the file-creation mask to 002 (for good),
// opens path for appending (creating it), closes it and deletes it again
// when it did not exist before. 1 when it could be opened.
int ProfileFileProbe(const char *path);
// Swap steps without a probe: 2 backup (byte copy of current over previous),
// 1 discard (delete previous), 0 restore (rename previous over current),
// anything else nothing. No result: failures are silent.
void ProfileFileSwap(int32_t type, const char *current, const char *previous);
// 1 when path opens for reading.
int ProfileFileExist(const char *path);
// Removes a file or an empty folder; 1 when removed.
int ProfileFileRemove(const char *path);
// Replaces path with data (length bytes), through a temporary file in the same
// folder that is synced and renamed over it, so path is either the new content
// or unchanged. A replaced file keeps its mode; a new one gets 0664 under the
// current mask. 1 when written.
int ProfileFileWriteWhole(const char *path, const void *data, size_t length);
