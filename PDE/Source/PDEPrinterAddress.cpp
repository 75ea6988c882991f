#include "PDEPrinterAddress.h"

#include "TintBonjour.h"

namespace
{

// Characters that end the authority of a URI.
constexpr const char kAuthorityEnd[] = "/?#";

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
    if (text.empty() || text.size() > kPDEPrinterAddressMax)
        return false;
    *address = text;
    return true;
}
