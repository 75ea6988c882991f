#include "VaultWalk.h"

#include "ProfileTable.h"
#include "RequestSplitter.h"
#include "TintPaths.h"

#if TINT_HAVE_MIBWALK
#include "MibWalkRequest.h"
#include "ProfileStoreDirect.h"
#endif

#include <cstring>
#include <memory>
#include <mutex>

namespace
{

// Options that take a value, as the SNMP library parses them.
constexpr char kAllowedOptions[] = "Ocvrt"
                                   "C";

#if TINT_HAVE_MIBWALK
// The store's back end names the list files through process-wide globals,
// so the merges (one read and one write each, a few milliseconds) take turns.
// The fetch, which may wait on a slow or silent printer, holds nothing.
std::mutex &MergeMutex()
{
    static std::mutex mutex;
    return mutex;
}
#endif

bool NameAcceptable(const std::string &name)
{
    return name.find('/') == std::string::npos && name.find('\0') == std::string::npos &&
           name.find("..") == std::string::npos;
}

bool FormatListPaths(const std::string &user, const std::string &model, char current[TINT_PATH_BUFFER],
                     char previous[TINT_PATH_BUFFER])
{
    return TintFormatPreferencesPath(current, kProfileListUserModelFormat, user.c_str(), model.c_str()) ==
               0 &&
           TintFormatPreferencesPath(previous, kProfileListPrevUserModelFormat, user.c_str(),
                                     model.c_str()) == 0;
}

} // namespace

bool VaultWalkNamesAcceptable(const std::string &user, const std::string &model)
{
    if (!NameAcceptable(user) || !NameAcceptable(model))
        return false;
    char current[TINT_PATH_BUFFER];
    char previous[TINT_PATH_BUFFER];
    return FormatListPaths(user, model, current, previous);
}

bool VaultWalkOptionsAcceptable(const std::vector<std::string> &args)
{
    // args[0] is the program name. The library's option parser may take
    // options after the host too, so every argument is looked at.
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a.size() < 2 || a[0] != '-')
            continue;
        if (a[1] == '-' || std::strchr(kAllowedOptions, a[1]) == nullptr)
            return false;
        if (a.size() == 2)
            ++i; // the value is the next argument
    }
    return true;
}

int VaultRunWalk(const WQWalkRequest &walk)
{
    if (walk.args.size() > kVaultMaxWalkArguments || !VaultWalkNamesAcceptable(walk.user, walk.model) ||
        !VaultWalkOptionsAcceptable(walk.args))
        return -1;
    for (const std::string &a : walk.args) {
        if (a.find('\0') != std::string::npos)
            return -1;
    }
    char current[TINT_PATH_BUFFER];
    char previous[TINT_PATH_BUFFER];
    if (!FormatListPaths(walk.user, walk.model, current, previous))
        return -1;

#if TINT_HAVE_MIBWALK
    std::vector<const char *> argv;
    for (const std::string &a : walk.args)
        argv.push_back(a.c_str());
    argv.push_back(nullptr);

    MibWalkRequest request;
    auto outcome = std::make_unique<MibWalkOutcome>();
    int result = MibWalkParseRequest(static_cast<int>(walk.args.size()), argv.data(), &request);
    if (result == kMibWalkSuccess)
        result = MibWalkFetch(request, outcome.get());

    std::lock_guard<std::mutex> lock(MergeMutex());
    TintCopyPath(WQ_PLIST_PROFILE_PATH, current);
    TintCopyPath(WQ_PLIST_PROFILE_PREV_PATH, previous);
    MibWalkMergeIntoCurrentList(outcome->spool, result != kMibWalkSuccess ? 1 : 0);
    TintCopyPath(WQ_PLIST_PROFILE_PATH, "");
    TintCopyPath(WQ_PLIST_PROFILE_PREV_PATH, "");
    return result;
#else
    // Built without the walk: nothing can be walked.
    return -1;
#endif
}
