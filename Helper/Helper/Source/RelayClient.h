// Tintrelay's side of the bus: one call to Tintvault.
#pragma once

#include <string>

namespace tint
{

struct MethodInfo;

// Sends request to the service's method on the session bus and waits for the
// reply string, at most the method's timeout. False, with *reply empty, when
// there is no bus, the service cannot be started, fails, disappears or does
// not answer in time.
bool relaySend(const MethodInfo &method, const std::string &request, std::string *reply);

} // namespace tint
