#include "PrinterAddress.h"

#include "TintBonjour.h"

#include <cups/http.h>

namespace
{

// A host name or IPv4 address the walk may be given: it becomes one word
// of the walk's argument vector, so a word that starts with "-" would be
// taken for an option, and anything but name characters is no host.
bool IsWalkableHost(const std::string &host)
{
    if (host.empty() || host.size() > tint::kPrinterAddressMax || host[0] == '-')
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

std::string tint::uriHostPart(const std::string &uri)
{
    // Escapes stay as written: a Bonjour instance name is unescaped by its
    // own split, and an escaped lpd host is no host to walk.
    char scheme[32], user[256], host[tint::kPrinterAddressMax + 2], resource[1024];
    int port = 0;
    if (httpSeparateURI(HTTP_URI_CODING_NONE, uri.c_str(), scheme, sizeof scheme, user, sizeof user, host,
                        sizeof host, &port, resource, sizeof resource) < HTTP_URI_STATUS_OK)
        return {};
    return host;
}

bool tint::printerAddressForURI(const std::string &uri, int16_t protocolCode, double resolveSeconds,
                                std::string *address)
{
    std::string text;
    if (protocolCode == 1) {
        TintBonjourService service;
        std::string host = tint::uriHostPart(uri);
        if (host.empty() || !TintBonjourSplitHostPart(host, &service))
            return false;
        if (!TintBonjourResolveIPv4(service, resolveSeconds, &text))
            return false;
    } else if (protocolCode == 0) {
        text = tint::uriHostPart(uri);
    } else {
        return false;
    }
    // An address that does not fit is refused rather than cut into the name
    // of another host.
    if (!IsWalkableHost(text))
        return false;
    *address = text;
    return true;
}
