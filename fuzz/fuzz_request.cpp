// Requests as the service receives them: the three splitters, the walk's
// argument checks and parser, the file-URL reading; and the relay's
// request builders with the splitting of what they built.
//
// Input: a method byte, then the text. For the builders the text is cut at
// NUL bytes into the relay's arguments.
#include "FileUrl.h"
#include "MibWalkRequest.h"
#include "RelayProtocol.h"
#include "RequestBuilder.h"
#include "RequestSplitter.h"
#include "TransferPieces.h"
#include "VaultListStore.h"
#include "VaultWalk.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

std::vector<std::string> CutAtNul(const std::string &text)
{
    std::vector<std::string> parts;
    std::string::size_type from = 0;
    for (;;) {
        const auto at = text.find('\0', from);
        parts.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos)
            return parts;
        from = at + 1;
    }
}

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

void SplitAsService(const std::string &request)
{
    tint::SwapRequest swap;
    tint::splitSwapRequest(request, &swap);
    tint::DataRequest data;
    if (tint::splitDataRequest(request, &data)) {
        std::string path;
        TintPathFromFileUrl(data.url, &path);
    }
    bool found = false;
    tint::leadingInteger(request, &found);

    tint::WalkRequest walk;
    if (!tint::splitWalkRequest(request, &walk))
        return;
    VaultListNamesAcceptable(walk.user, walk.model);
    // Only what the service would parse: SNMPv3 key making (a megabyte of
    // hashing per pass phrase) never gets past its option check.
    if (walk.args.size() > kVaultMaxWalkArguments || !VaultWalkOptionsAcceptable(walk.args))
        return;
    std::vector<const char *> argv;
    for (const std::string &a : walk.args)
        argv.push_back(a.c_str());
    argv.push_back(nullptr);
    MibWalkRequest parsed;
    if (MibWalkParseRequest(static_cast<int>(walk.args.size()), argv.data(), &parsed) == kMibWalkSuccess) {
        Check(parsed.retries >= 0 && parsed.retries <= kMibWalkMaxRetries);
        Check(parsed.timeoutMicroseconds >= kMibWalkMinTimeoutMicroseconds &&
              parsed.timeoutMicroseconds <= kMibWalkMaxTimeoutMicroseconds);
        Check(parsed.rootLength > 0 && parsed.rootLength <= kMibWalkMaxOidLength);
    }
}

void BuildAsRelay(int method, const std::string &text)
{
    const tint::MethodInfo &info = tint::kXPCMethods[method];
    const std::vector<std::string> args = CutAtNul(text);
    std::string request;
    if (!tint::buildRequest(info, args, &request))
        return;
    SplitAsService(request);
    // The protocol has no escaping: arguments free of the tags' ":" come
    // back as they were sent.
    bool plain = true;
    for (const std::string &a : args)
        plain = plain && a.find(':') == std::string::npos;
    if (info.form == tint::RequestForm::Walk && plain) {
        tint::WalkRequest walk;
        Check(tint::splitWalkRequest(request, &walk));
        Check(walk.model == args[0] && walk.user == args[1]);
        Check(std::vector<std::string>(args.begin() + 2, args.end()) == walk.args);
    }
    if (info.form == tint::RequestForm::UrlAndData)
        TintSplitTransferPieces(args.size() > 1 ? args[1] : std::string(), 7, 16);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const std::string text(reinterpret_cast<const char *>(data) + 1, size - 1);
    int methods = 0;
    while (tint::kXPCMethods[methods].name != nullptr)
        ++methods;
    const int pick = data[0] % (methods + 1);
    if (pick == methods)
        SplitAsService(text);
    else
        BuildAsRelay(pick, text);
    return 0;
}
