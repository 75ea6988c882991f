// The plug-in's back end of the store: the files are named after the login
// name of the real user id, and every change goes through Tintrelay to the
// service; the plug-in never writes a profile list itself.
#include "FileUrl.h"
#include "ProfileStore.h"
#include "ProfileStoreBackend.h"
#include "ProfileTable.h"
#include "RelayCall.h"
#include "RelayProtocol.h"
#include "TransferPieces.h"

#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

int ProfileStoreCurrentPath(char out[TINT_PATH_BUFFER])
{
    return ProfileStoreLoginPath(out, kProfileListNameFormat);
}

int ProfileStorePreviousPath(char out[TINT_PATH_BUFFER])
{
    return ProfileStoreLoginPath(out, kProfileListPrevNameFormat);
}

// Chunked transfer: the XML text in pieces appended by the service to the
// transfer file, then one rename of that file over the list.
int ProfileStoreWriteWholeFile(const char *xml, size_t length)
{
    struct stat st;
    if (xml == nullptr || ::stat(TintRelayPath().c_str(), &st) != 0)
        return -1;
    char path[TINT_PATH_BUFFER];
    if (ProfileStoreCurrentPath(path) != 0)
        return -1;
    const std::string url = TintFileUrlFromPath(path);
    const std::vector<std::string> pieces = TintSplitTransferPieces(std::string_view(xml, length));
    if (url.empty() || pieces.empty())
        return -1;
    for (const std::string &piece : pieces) {
        if (!TintRelayCallBool(kWriteDataToPlistFile_XPC, {url, piece}))
            return -1;
    }
    return TintRelayCallBool(kWriteDataToPlistFileRename_XPC, {url}) ? 0 : -1;
}

int WQPListIsAdminProfile()
{
    char path[TINT_PATH_BUFFER];
    if (ProfileStoreCurrentPath(path) != 0)
        return 0;
    return TintRelayCallBool(kWqPListIsAdminProfile_XPC, {path}) ? 1 : 0;
}

void WQPListSwapProfile(int32_t type)
{
    if (WQPListIsAdminProfile() == 0)
        return;
    char current[TINT_PATH_BUFFER];
    char previous[TINT_PATH_BUFFER];
    if (ProfileStoreCurrentPath(current) != 0 || ProfileStorePreviousPath(previous) != 0)
        return;
    char typeText[16];
    std::snprintf(typeText, sizeof typeText, "%d", static_cast<int>(type));
    // The reply is always "TRUE"; the output is read and dropped.
    std::string output;
    TintRelayRun(kWqPListSwapProfile_XPC, {typeText, current, previous}, &output);
}

int WQPListExistProfile()
{
    if (WQPListIsAdminProfile() == 0)
        return 0;
    char path[TINT_PATH_BUFFER];
    if (ProfileStoreCurrentPath(path) != 0)
        return 0;
    return TintRelayCallBool(kWqPListExistProfile_XPC, {path}) ? 1 : 0;
}

int WQPListRemove(int32_t selector)
{
    if (WQPListIsAdminProfile() == 0)
        return 0;
    char path[TINT_PATH_BUFFER];
    int rc;
    if (selector == kProfileRemoveCurrent)
        rc = ProfileStoreCurrentPath(path);
    else if (selector == kProfileRemovePrevious)
        rc = ProfileStorePreviousPath(path);
    else
        return 0;
    if (rc != 0)
        return 0;
    return TintRelayCallBool(kWqPListRemove_XPC, {path}) ? 1 : 0;
}
