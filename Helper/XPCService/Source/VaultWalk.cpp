#include "VaultWalk.h"

#include "ListLocks.h"
#include "MibWalkRequest.h"
#include "RequestSplitter.h"
#include "VaultListStore.h"

#include <cstring>
#include <memory>
#include <mutex>

bool VaultWalkOptionsAcceptable(const std::vector<std::string> &args)
{
    return MibWalkOptionsFromRequestAcceptable(args);
}

int VaultRunWalk(const tint::WalkRequest &walk, std::string *reason)
{
    if (walk.args.size() > kVaultMaxWalkArguments || !VaultListNamesAcceptable(walk.user, walk.model) ||
        !VaultWalkOptionsAcceptable(walk.args))
        return -1;
    for (const std::string &a : walk.args) {
        if (a.find('\0') != std::string::npos)
            return -1;
    }
    // The list's own store, reached only through the preferences folder.
    auto backend = VaultListBackend::ForUser(walk.user, walk.model);
    if (!backend)
        return -1;

    std::vector<const char *> argv;
    for (const std::string &a : walk.args)
        argv.push_back(a.c_str());
    argv.push_back(nullptr);

    MibWalkRequest request;
    auto outcome = std::make_unique<MibWalkOutcome>();
    int result = MibWalkParseRequest(static_cast<int>(walk.args.size()), argv.data(), &request);
    if (result == kMibWalkSuccess)
        result = MibWalkFetch(request, outcome.get());
    else
        std::memcpy(outcome->diagnostic, request.diagnostic, sizeof outcome->diagnostic);

    // The merge (one read and one write) holds the lock of this user's list
    // only: the fetch, which may wait on a slow or silent printer, holds
    // nothing, and other users' merges run beside it.
    ProfileStore store(*backend);
    ListLock lock(backend->current().name());
    MibWalkMergeIntoCurrentList(store, outcome->spool, result != kMibWalkSuccess ? 1 : 0);
    if (reason && result != kMibWalkSuccess) {
        *reason = std::string(outcome->diagnostic, strnlen(outcome->diagnostic, sizeof outcome->diagnostic));
        while (!reason->empty() && reason->back() == '\n')
            reason->pop_back();
    }
    return result;
}
