#include "TransferUrl.h"

#include <sys/random.h>

#include <cstdio>

namespace
{

constexpr char kFragment[] = "#transfer=";

bool IsHexIdentity(const std::string &text)
{
    if (text.size() < kTintTransferIdMin || text.size() > kTintTransferIdMax)
        return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

} // namespace

std::string TintNewTransferId()
{
    unsigned char random[8];
    if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random))
        return std::string();
    char text[2 * sizeof random + 1];
    for (std::size_t i = 0; i < sizeof random; ++i)
        std::snprintf(text + 2 * i, 3, "%02x", random[i]);
    return std::string(text, 2 * sizeof random);
}

std::string TintTransferUrl(const std::string &url, const std::string &transferId)
{
    return url + kFragment + transferId;
}

bool TintSplitTransferUrl(const std::string &url, std::string *listUrl, std::string *transferId)
{
    const std::size_t hash = url.find('#');
    if (hash == std::string::npos) {
        *listUrl = url;
        transferId->clear();
        return true;
    }
    const std::string fragment = url.substr(hash);
    const std::size_t prefix = sizeof kFragment - 1;
    if (fragment.compare(0, prefix, kFragment) != 0 || !IsHexIdentity(fragment.substr(prefix)))
        return false;
    *listUrl = url.substr(0, hash);
    *transferId = fragment.substr(prefix);
    return true;
}
