#include "PDEPrinterAddress.h"

#include "TintBonjour.h"

namespace
{

// Characters that end the authority of a URI.
constexpr const char kAuthorityEnd[] = "/?#";

// A host name or IPv4 address the walk may be given: it becomes one word
// of the walk's argument vector, so a word that starts with "-" would be
// taken for an option, and anything but name characters is no host.
bool IsWalkableHost(const std::string &host)
{
    if (host.empty() || host.size() > kPDEPrinterAddressMax || host[0] == '-')
        return false;
    for (unsigned char c : host) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                  c == '-' || c == '_';
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

std::string PDEURINetLocation(const std::string &uri)
{
    size_t start = uri.find("://");
    if (start == std::string::npos)
        return {};
    start += 3;
    size_t end = uri.find_first_of(kAuthorityEnd, start);
    std::string location = uri.substr(start, end == std::string::npos ? std::string::npos : end - start);
    // A "user:password@" part would otherwise be taken for the host.
    size_t at = location.rfind('@');
    if (at != std::string::npos)
        location.erase(0, at + 1);
    return location;
}

std::string PDEURIHostPart(const std::string &uri)
{
    std::string location = PDEURINetLocation(uri);
    if (!location.empty() && location[0] == '[') {
        size_t close = location.find(']');
        return close == std::string::npos ? std::string() : location.substr(0, close + 1);
    }
    return location.substr(0, location.find(':'));
}

bool PDEPrinterAddressForURI(const std::string &uri, int16_t protocolCode, double resolveSeconds,
                             std::string *address)
{
    std::string text;
    if (protocolCode == 1) {
        TintBonjourService service;
        std::string host = PDEURIHostPart(uri);
        if (host.empty() || !TintBonjourSplitHostPart(host, &service))
            return false;
        if (!TintBonjourResolveIPv4(service, resolveSeconds, &text))
            return false;
    } else if (protocolCode == 0) {
        text = PDEURINetLocation(uri);
    } else {
        return false;
    }
    text = text.substr(0, text.find(':'));
    // An address that does not fit is refused rather than cut into the name
    // of another host.
    if (!IsWalkableHost(text))
        return false;
    *address = text;
    return true;
}
