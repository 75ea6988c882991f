// The relay call: the plug-in starts Tintrelay at its fixed path with a
// method name and arguments, waits for it to exit, reads all of its standard
// output and looks for the method's reply line. Every descriptor and the
// child are released on every path. A relay still running after
// kTintRelayTimeLimitSeconds is ended and the call fails; the service goes
// on with the request (a walk still rewrites the list) on its own.
#pragma once

#include <string>
#include <vector>

// Longest a relay may keep the dialog waiting: above the service's own
// limit for any request but the walk, whose result the dialog does not need.
inline constexpr int kTintRelayTimeLimitSeconds = 30;

// Runs the relay; output receives everything it printed (decoded as UTF-8).
// false: no relay at its path, spawn failure, or unreadable output.
bool TintRelayRun(const std::string &method, const std::vector<std::string> &args, std::string *output);

// Boolean methods: true when the output holds "<method>=TRUE".
bool TintRelayCallBool(const std::string &method, const std::vector<std::string> &args);

// The walk ("mibwalk_XPC" with model, user and the walk arguments): true and
// *result set when the output holds "mibwalk_XPC=iRet=" and an integer.
bool TintRelayCallWalk(const std::string &model, const std::string &user,
                       const std::vector<std::string> &walkArgs, int *result);
