// The file steps behind the service's requests, on files that passed
// ProfileListFile's check. This is the service's one file layer: every file
// is reached through its folder's descriptor, none of the steps follows a
// symbolic link at the file's own name, and anything but a regular file at a
// name makes the step refuse.
#pragma once

#include "ProfileListFile.h"

#include <string>
#include <string_view>

// Write probe: sets the file-creation mask to 002 (for good), opens the file
// for appending, creating it with mode 0664 when absent, and removes it again
// when it was created here. True when the open succeeded.
bool VaultProbeWritable(const ProfileListFile &file);

// Swap of the current and previous list: 2 backup, 1 discard (delete the
// previous file), 0 restore, others nothing. A null file makes the steps that
// need it do nothing. The backup copies the current list into a new file
// beside the previous one and renames it into place only once it is
// complete and synced; the restore renames the previous list over the
// current one only when it holds a whole property list. A backup or restore
// that cannot be done whole, or whose two files are one, changes nothing and
// gives false. Anything but a regular file at either name: nothing is done
// and the answer is true, as for a path the service refuses.
bool VaultSwap(int type, const ProfileListFile *current, const ProfileListFile *previous);

// True when the file opens for reading (a file or a folder; a FIFO or socket
// at the name is refused without waiting for a writer).
bool VaultExists(const ProfileListFile &file);

// Removes a file or an empty folder; true when it was removed.
bool VaultRemove(const ProfileListFile &file);

// Replaces the file's content with bytes, atomically (a new file in the same
// folder, synced, renamed over it), mode 0664 under the process's mask.
bool VaultWriteWhole(const ProfileListFile &file, std::string_view bytes);

// Reads a whole list file (a regular file within the store's size limit).
bool VaultReadList(const ProfileListFile &file, std::string *content);

// One piece of a chunked transfer: appended to the transfer file, so a piece
// costs its own size. A piece that starts a property list (its XML
// declaration) starts the file afresh, so a transfer that failed earlier
// cannot leave its pieces in front of a new one. A piece that cannot be
// written whole is taken back out.
bool VaultAppendPiece(const ProfileListFile &transfer, const std::string &piece);

// End of a chunked transfer: moves the transfer file over the list when it
// holds a whole property list; true only then. No transfer file: false,
// nothing changed. A transfer file that does not parse is removed and the
// list left alone: false.
bool VaultFinishTransfer(const ProfileListFile &transfer, const ProfileListFile &list);

// Removes the transfer files of list that named transfers left behind (a
// writer that never sent its rename) and that are older than maxAgeSeconds:
// hidden regular files ".<list name>.<identity>.transfer".
void VaultDropStaleTransfers(const ProfileListFile &list, long maxAgeSeconds);
