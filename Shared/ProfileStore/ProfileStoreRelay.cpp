// The plug-in's back end of the store: the files are named after the login
// name of the real user id, and every change goes through Tintrelay to the
// service; the plug-in never writes a profile list itself.
#include "FileUrl.h"
#include "ProfileProbeReuse.h"
#include "ProfileStore.h"
#include "ProfileStoreBackend.h"
#include "ProfileTable.h"
#include "RelayCall.h"
#include "RelayProtocol.h"
#include "TransferPieces.h"
#include "TransferUrl.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace
{

// Why the calling thread's last operation failed ("" when it did not).
thread_local std::string tReason;

// The list's path for nameFormat; false (the reason kept) when the user has
// no login name or the path does not fit.
bool LoginPath(char path[TINT_PATH_BUFFER], const char *nameFormat)
{
    tReason.clear();
    if (ProfileStoreLoginPath(path, nameFormat) == 0)
        return true;
    tReason = "no profile list path: the user has no login name or the path is too long";
    return false;
}

// A boolean method through the relay, keeping the relay's reason for a false.
bool Call(const char *method, const std::vector<std::string> &args)
{
    if (TintRelayCallBool(method, args))
        return true;
    tReason = TintRelayLastErrorString();
    return false;
}

int Refuse(const char *reason)
{
    tReason = reason;
    return -1;
}

class RelayBackend : public ProfileStoreBackend
{
  public:
    bool ReadCurrentList(std::string *content) override
    {
        char path[TINT_PATH_BUFFER];
        return LoginPath(path, kProfileListNameFormat) && ProfileReadListPath(path, content);
    }

    // Chunked transfer: the XML text in pieces appended by the service to
    // this transfer's own file, then one rename of it over the list. Every
    // call names the transfer, so another writer's pieces never join it.
    int WriteWholeFile(const char *xml, size_t length) override
    {
        char path[TINT_PATH_BUFFER];
        if (!LoginPath(path, kProfileListNameFormat))
            return -1;
        if (xml == nullptr)
            return Refuse("no list text to write");
        const std::string listUrl = TintFileUrlFromPath(path);
        const std::string transferId = TintNewTransferId();
        const std::vector<std::string> pieces = TintSplitTransferPieces(std::string_view(xml, length));
        if (listUrl.empty() || transferId.empty() || pieces.empty())
            return Refuse("no transfer of the list: its path, a transfer identity or its text is not usable");
        const std::string url = TintTransferUrl(listUrl, transferId);
        for (const std::string &piece : pieces) {
            if (!Call(kWriteDataToPlistFile_XPC, {url, piece}))
                return -1;
        }
        return Call(kWriteDataToPlistFileRename_XPC, {url}) ? 0 : -1;
    }

    int IsAdminProfile() override
    {
        tReason.clear();
        if (const int reused = ProfileProbeReuse::answer(); reused >= 0) {
            if (reused == 0)
                tReason = "the profile list may not be written (the load's write probe said so)";
            return reused;
        }
        char path[TINT_PATH_BUFFER];
        if (!LoginPath(path, kProfileListNameFormat))
            return 0;
        const int answer = Call(kWqPListIsAdminProfile_XPC, {path}) ? 1 : 0;
        ProfileProbeReuse::remember(answer);
        return answer;
    }

    // The same probe as IsAdminProfile, telling why it failed; its answer is
    // shared with the load's other probes, so a load still starts one relay
    // for it when the user may write.
    int ProbeWritePermission() override
    {
        tReason.clear();
        if (ProfileProbeReuse::answer() == 1)
            return static_cast<int>(ProfileListWriteProbe::MayWrite);
        char path[TINT_PATH_BUFFER];
        if (!LoginPath(path, kProfileListNameFormat))
            return static_cast<int>(ProfileListWriteProbe::NotPermitted);
        // The relay prints nothing at all when it cannot reach the service.
        ProfileListWriteProbe probe = ProfileListWriteProbe::MayWrite;
        if (!Call(kWqPListIsAdminProfile_XPC, {path}))
            probe = TintRelayLastError() == TintRelayError::Refused ? ProfileListWriteProbe::NotPermitted
                                                                    : ProfileListWriteProbe::NoService;
        ProfileProbeReuse::remember(probe == ProfileListWriteProbe::MayWrite ? 1 : 0);
        return static_cast<int>(probe);
    }

    void SwapProfile(int32_t type) override
    {
        char current[TINT_PATH_BUFFER];
        char previous[TINT_PATH_BUFFER];
        if (!LoginPath(current, kProfileListNameFormat) || !LoginPath(previous, kProfileListPrevNameFormat))
            return;
        char typeText[16];
        std::snprintf(typeText, sizeof typeText, "%d", static_cast<int>(type));
        // The swap has no result; the service's answer only tells whether it
        // was done, which is kept as the reason of a swap that was not.
        Call(kWqPListSwapProfile_XPC, {typeText, current, previous});
    }

    int ExistProfile() override
    {
        char path[TINT_PATH_BUFFER];
        if (!LoginPath(path, kProfileListNameFormat))
            return 0;
        return Call(kWqPListExistProfile_XPC, {path}) ? 1 : 0;
    }

    int Remove(int32_t selector) override
    {
        char path[TINT_PATH_BUFFER];
        const char *format =
            selector == kProfileRemoveCurrent ? kProfileListNameFormat : kProfileListPrevNameFormat;
        if (!LoginPath(path, format))
            return 0;
        return Call(kWqPListRemove_XPC, {path}) ? 1 : 0;
    }

    std::string LastError() const override { return tReason; }
};

} // namespace

ProfileStore &tint::relayProfileStore()
{
    static RelayBackend backend;
    static ProfileStore store(backend);
    return store;
}
