// The file steps behind the service's seven file requests, on files that
// passed ProfileListFile's check. None of them follows a symbolic link at the
// file's own name: such an entry makes the step refuse.
#pragma once

#include "ProfileListFile.h"

#include <string>
#include <string_view>

// Write probe: sets the file-creation mask to 002 (for good), opens the file
// for appending, creating it with mode 0664 when absent, and removes it again
// when it was created here. True when the open succeeded.
bool VaultProbeWritable(const ProfileListFile &file);

// Swap of the current and previous list: 2 backup (byte copy of the current
// file over the previous one), 1 discard (delete the previous file), 0
// restore (rename the previous file over the current one), others nothing.
// A null file makes the steps that need it do nothing.
void VaultSwap(int type, const ProfileListFile *current, const ProfileListFile *previous);

// True when the file opens for reading (a file or a folder; a FIFO or socket
// at the name is refused without waiting for a writer).
bool VaultExists(const ProfileListFile &file);

// Removes a file or an empty folder; true when it was removed.
bool VaultRemove(const ProfileListFile &file);

// Replaces the file's content with bytes, atomically (a new file in the same
// folder renamed over it), mode 0664 under the process's mask.
bool VaultWriteWhole(const ProfileListFile &file, std::string_view bytes);

// One piece of a chunked transfer: the transfer file becomes its old text
// followed by the piece. A piece that starts a property list (its XML
// declaration) starts the file afresh, so a transfer that failed earlier
// cannot leave its pieces in front of a new one.
bool VaultAppendPiece(const ProfileListFile &transfer, const std::string &piece);

// End of a chunked transfer: moves the transfer file over the list when it
// holds a whole property list. No transfer file: true, nothing changed. A
// transfer file that does not parse is removed and the list left alone:
// false.
bool VaultFinishTransfer(const ProfileListFile &transfer, const ProfileListFile &list);
