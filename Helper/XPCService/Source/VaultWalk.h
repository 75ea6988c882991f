// The walk request: checks what the request asks for, walks the printer, then
// merges what it found into the user's list files.
#pragma once

#include <string>
#include <vector>

namespace tint
{

struct WalkRequest;

} // namespace tint

// Most walk arguments a request may carry (the vector keeps a null entry
// after the last of its 512 slots).
inline constexpr std::size_t kVaultMaxWalkArguments = 511;

// True when every option in the walk arguments is one the plug-in sends or a
// harmless kin of it (-O, -c, -v, -r, -t, -C). Options that write files or
// change the SNMP library for later walks in this process are refused.
bool VaultWalkOptionsAcceptable(const std::vector<std::string> &args);

// Runs one walk: its own request, session and spool, then the merge into the
// user's list. A walk waits for no other walk but for the moment another one
// merges. Returns the walk's result, or -1 without walking when the request
// is refused (names as VaultListNamesAcceptable checks them). reason (may be
// null) receives why a walk failed, one line, when the walk could tell.
int VaultRunWalk(const tint::WalkRequest &walk, std::string *reason = nullptr);
