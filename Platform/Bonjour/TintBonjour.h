// Resolution of a DNS-SD service instance (the host part of an mdns:// or
// dnssd:// device URI) to the printer's IPv4 address, through the Avahi
// daemon. Without a running daemon nothing resolves, at once.
#pragma once

#include <string>

struct TintBonjourService {
    std::string name;   // instance name, percent escapes replaced ("Office Printer")
    std::string type;   // "_ipp._tcp"
    std::string domain; // "local"
};

// Splits a URI host part "Office%20Printer._ipp._tcp.local." at its dots:
// the first label is the instance name, the next two the service type, the
// rest the domain. false when the host part does not split that way: fewer
// than four labels, an empty name or domain, or type labels that do not
// begin with "_" (which is what an unescaped "." inside the instance name
// produces).
bool TintBonjourSplitHostPart(const std::string &hostPart, TintBonjourService *service);

// Resolves the service and writes its first IPv4 address as "a.b.c.d".
// Gives up after timeoutSeconds. false when the daemon is not running, the
// service cannot be resolved in time or has no IPv4 address; *avahiError
// (optional) receives Avahi's error code then (0 for a timeout).
bool TintBonjourResolveIPv4(const TintBonjourService &service, double timeoutSeconds, std::string *address,
                            int *avahiError = nullptr);
