#include "WQmacServiceXPC.h"

#include "FileUrl.h"
#include "ListLocks.h"
#include "ProfileListFile.h"
#include "RelayProtocol.h"
#include "RequestSplitter.h"
#include "TransferUrl.h"
#include "VaultFileOps.h"
#include "VaultWalk.h"

#include <syslog.h>

#include <string>

const tint::ServiceHandler tint::kServiceHandlers[] = {
    {kWqPListIsAdminProfile_XPC, &WQmacServiceXPC::wqPListIsAdminProfile_XPC},
    {kWqPListSwapProfile_XPC, &WQmacServiceXPC::wqPListSwapProfile_XPC},
    {kWqPListExistProfile_XPC, &WQmacServiceXPC::wqPListExistProfile_XPC},
    {kWqPListRemove_XPC, &WQmacServiceXPC::wqPListRemove_XPC},
    {kWriteDictionaryToPlistFile_XPC, &WQmacServiceXPC::writeDictionaryToPlistFile_XPC},
    {kWriteDataToPlistFile_XPC, &WQmacServiceXPC::writeDataToPlistFile_XPC},
    {kWriteDataToPlistFileRename_XPC, &WQmacServiceXPC::writeDataToPlistFileRename_XPC},
    {kMibwalk_XPC, &WQmacServiceXPC::mibwalk_XPC},
    {nullptr, nullptr},
};

namespace
{

// A named transfer whose writer sent nothing for this long is abandoned.
constexpr long kStaleTransferSeconds = 3600;

const char *Answer(bool ok)
{
    return ok ? tint::kReplyTrue : tint::kReplyFalse;
}

// The list file named by a "file:" URL string.
bool ResolveUrl(const std::string &url, ProfileListFile *file, std::string *path)
{
    return TintPathFromFileUrl(url, path) && ProfileListFile::Resolve(*path, file);
}

bool IsFileOrAbsent(const ProfileListFile &file)
{
    const ProfileListFile::Entry e = file.entry();
    return e == ProfileListFile::Entry::Regular || e == ProfileListFile::Entry::Absent;
}

// The list and the transfer file that a piece or a rename names. A URL
// without a transfer identity names the list's shared ".dummy" file; one
// with an identity names a hidden file of that transfer alone, so the pieces
// of two writers never meet.
bool ResolveTransfer(const std::string &url, ProfileListFile *list, ProfileListFile *transfer)
{
    std::string listUrl, transferId, path;
    if (!TintSplitTransferUrl(url, &listUrl, &transferId) || !ResolveUrl(listUrl, list, &path))
        return false;
    if (transferId.empty())
        return ProfileListFile::Resolve(path + ".dummy", transfer);
    return list->Sibling("." + list->name() + "." + transferId + ".transfer", transfer);
}

} // namespace

bool writeDictionaryToPlistFile_XPC(const std::string &url, const std::string &data)
{
    ProfileListFile file;
    std::string path;
    if (!ResolveUrl(url, &file, &path))
        return false;
    ListLock lock(file.name());
    return VaultWriteWhole(file, data);
}

void WQmacServiceXPC::wqPListIsAdminProfile_XPC(const std::string &request,
                                                const tint::ReplyBlock &reply) const
{
    ProfileListFile file;
    reply(Answer(ProfileListFile::Resolve(request, &file) && VaultProbeWritable(file)));
}

void WQmacServiceXPC::wqPListSwapProfile_XPC(const std::string &request, const tint::ReplyBlock &reply) const
{
    tint::SwapRequest swap;
    if (!tint::splitSwapRequest(request, &swap)) { // malformed: nothing is done
        reply(tint::kReplyFalse);
        return;
    }
    ProfileListFile current, previous;
    const bool currentOk = swap.currentPath && ProfileListFile::Resolve(*swap.currentPath, &current);
    const bool previousOk = swap.prevPath && ProfileListFile::Resolve(*swap.prevPath, &previous);
    // A path that was given but refused stops the whole swap, so no file
    // outside the list files is copied, deleted or renamed over. The reply
    // stays "TRUE", as for every swap the plug-in sends.
    if ((swap.currentPath && !currentOk) || (swap.prevPath && !previousOk)) {
        reply(tint::kReplyTrue);
        return;
    }
    if (!currentOk && !previousOk) {
        reply(tint::kReplyTrue);
        return;
    }
    // A backup or restore that could not be done whole changed nothing and
    // says so.
    ListLock lock(currentOk ? current.name() : previous.name());
    reply(Answer(VaultSwap(swap.type, currentOk ? &current : nullptr, previousOk ? &previous : nullptr)));
}

void WQmacServiceXPC::wqPListExistProfile_XPC(const std::string &request, const tint::ReplyBlock &reply) const
{
    ProfileListFile file;
    reply(Answer(ProfileListFile::Resolve(request, &file) && VaultExists(file)));
}

void WQmacServiceXPC::wqPListRemove_XPC(const std::string &request, const tint::ReplyBlock &reply) const
{
    ProfileListFile file;
    reply(Answer(ProfileListFile::Resolve(request, &file) && VaultRemove(file)));
}

void WQmacServiceXPC::writeDictionaryToPlistFile_XPC(const std::string &request,
                                                     const tint::ReplyBlock &reply) const
{
    tint::DataRequest data;
    reply(Answer(tint::splitDataRequest(request, &data) &&
                 ::writeDictionaryToPlistFile_XPC(data.url, data.data)));
}

void WQmacServiceXPC::writeDataToPlistFile_XPC(const std::string &request,
                                               const tint::ReplyBlock &reply) const
{
    tint::DataRequest data;
    ProfileListFile list, transfer;
    // The list itself must be one the rename may later replace.
    const bool ok = tint::splitDataRequest(request, &data) && ResolveTransfer(data.url, &list, &transfer) &&
                    IsFileOrAbsent(list) && VaultAppendPiece(transfer, data.data);
    // A transfer that starts clears what writers that never finished left
    // behind long ago.
    if (ok && data.data.compare(0, 5, "<?xml") == 0)
        VaultDropStaleTransfers(list, kStaleTransferSeconds);
    reply(Answer(ok));
}

void WQmacServiceXPC::writeDataToPlistFileRename_XPC(const std::string &request,
                                                     const tint::ReplyBlock &reply) const
{
    ProfileListFile list, transfer;
    if (!ResolveTransfer(request, &list, &transfer)) {
        reply(tint::kReplyFalse);
        return;
    }
    ListLock lock(list.name());
    reply(Answer(VaultFinishTransfer(transfer, list)));
}

void WQmacServiceXPC::mibwalk_XPC(const std::string &request, const tint::ReplyBlock &reply) const
{
    tint::WalkRequest walk;
    std::string reason;
    const int result = tint::splitWalkRequest(request, &walk) ? VaultRunWalk(walk, &reason) : -1;
    // Logged before the reply, so that the line is out once the caller has
    // its answer; why a walk failed follows on a line of its own.
    syslog(LOG_ERR, "xpc - mibwalk_XPC - iRet=%d", result);
    if (!reason.empty())
        syslog(LOG_NOTICE, "xpc - mibwalk_XPC - %s", reason.c_str());
    reply(std::string(tint::kReplyWalkPrefix) + std::to_string(result));
}
