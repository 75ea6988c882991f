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

#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace
{

class RelayBackend : public ProfileStoreBackend
{
  public:
    bool ReadCurrentList(std::string *content) override
    {
        char path[TINT_PATH_BUFFER];
        return ProfileStoreLoginPath(path, kProfileListNameFormat) == 0 && ProfileReadListPath(path, content);
    }

    // Chunked transfer: the XML text in pieces appended by the service to
    // this transfer's own file, then one rename of it over the list. Every
    // call names the transfer, so another writer's pieces never join it.
    int WriteWholeFile(const char *xml, size_t length) override
    {
        struct stat st;
        if (xml == nullptr || ::stat(TintRelayPath().c_str(), &st) != 0)
            return -1;
        char path[TINT_PATH_BUFFER];
        if (ProfileStoreLoginPath(path, kProfileListNameFormat) != 0)
            return -1;
        const std::string listUrl = TintFileUrlFromPath(path);
        const std::string transferId = TintNewTransferId();
        const std::vector<std::string> pieces = TintSplitTransferPieces(std::string_view(xml, length));
        if (listUrl.empty() || transferId.empty() || pieces.empty())
            return -1;
        const std::string url = TintTransferUrl(listUrl, transferId);
        for (const std::string &piece : pieces) {
            if (!TintRelayCallBool(kWriteDataToPlistFile_XPC, {url, piece}))
                return -1;
        }
        return TintRelayCallBool(kWriteDataToPlistFileRename_XPC, {url}) ? 0 : -1;
    }

    int IsAdminProfile() override
    {
        if (const int reused = ProfileProbeReuse::answer(); reused >= 0)
            return reused;
        char path[TINT_PATH_BUFFER];
        if (ProfileStoreLoginPath(path, kProfileListNameFormat) != 0)
            return 0;
        const int answer = TintRelayCallBool(kWqPListIsAdminProfile_XPC, {path}) ? 1 : 0;
        ProfileProbeReuse::remember(answer);
        return answer;
    }

    // The same probe as IsAdminProfile, telling why it failed; its answer is
    // shared with the load's other probes, so a load still starts one relay
    // for it when the user may write.
    int ProbeWritePermission() override
    {
        if (ProfileProbeReuse::answer() == 1)
            return static_cast<int>(ProfileListWriteProbe::MayWrite);
        char path[TINT_PATH_BUFFER];
        if (ProfileStoreLoginPath(path, kProfileListNameFormat) != 0)
            return static_cast<int>(ProfileListWriteProbe::NotPermitted);
        std::string output;
        ProfileListWriteProbe probe = ProfileListWriteProbe::NoService;
        if (TintRelayRun(kWqPListIsAdminProfile_XPC, {path}, &output)) {
            const std::string reply = std::string(kWqPListIsAdminProfile_XPC) + "=";
            // The relay prints nothing at all when it cannot reach the service.
            if (output.find(reply + tint::kReplyTrue) != std::string::npos)
                probe = ProfileListWriteProbe::MayWrite;
            else if (output.find(reply) != std::string::npos)
                probe = ProfileListWriteProbe::NotPermitted;
        }
        ProfileProbeReuse::remember(probe == ProfileListWriteProbe::MayWrite ? 1 : 0);
        return static_cast<int>(probe);
    }

    void SwapProfile(int32_t type) override
    {
        char current[TINT_PATH_BUFFER];
        char previous[TINT_PATH_BUFFER];
        if (ProfileStoreLoginPath(current, kProfileListNameFormat) != 0 ||
            ProfileStoreLoginPath(previous, kProfileListPrevNameFormat) != 0)
            return;
        char typeText[16];
        std::snprintf(typeText, sizeof typeText, "%d", static_cast<int>(type));
        // The swap has no result; the output is read and dropped.
        std::string output;
        TintRelayRun(kWqPListSwapProfile_XPC, {typeText, current, previous}, &output);
    }

    int ExistProfile() override
    {
        char path[TINT_PATH_BUFFER];
        if (ProfileStoreLoginPath(path, kProfileListNameFormat) != 0)
            return 0;
        return TintRelayCallBool(kWqPListExistProfile_XPC, {path}) ? 1 : 0;
    }

    int Remove(int32_t selector) override
    {
        char path[TINT_PATH_BUFFER];
        const char *format =
            selector == kProfileRemoveCurrent ? kProfileListNameFormat : kProfileListPrevNameFormat;
        if (ProfileStoreLoginPath(path, format) != 0)
            return 0;
        return TintRelayCallBool(kWqPListRemove_XPC, {path}) ? 1 : 0;
    }
};

} // namespace

ProfileStore &TintDefaultProfileStore()
{
    static RelayBackend backend;
    static ProfileStore store(backend);
    return store;
}
