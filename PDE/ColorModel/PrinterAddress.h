// The network address of the printer behind a print queue's device URI, as
// the SNMP walk of its profile table needs it.
#pragma once

#include <cstdint>
#include <string>

namespace tint
{

// Longest printer address text (the walk's address buffer holds 255 bytes).
constexpr std::size_t kPrinterAddressMax = 254;

// The URI's host part as written (percent escapes kept), without user and
// port; "" when the URI has none or is malformed.
std::string uriHostPart(const std::string &uri);

// The address to walk for a device URI of protocol code 1 (Bonjour: the
// service named by the host part resolved within resolveSeconds, first IPv4
// address) or 0 (lpd: the network location cut before its first ':').
// false for every other code and whenever no address can be had, or the
// address is no plain host name or IPv4 address (longer than
// kPrinterAddressMax, starting with "-", other characters than letters,
// digits, ".", "-", "_"); then the printer must not be walked.
bool printerAddressForURI(const std::string &uri, int16_t protocolCode, double resolveSeconds,
                          std::string *address);

} // namespace tint
