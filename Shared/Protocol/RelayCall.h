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
// false: no relay at its path, it could not be started, it overstayed the
// limit, or its output could not be read or is not UTF-8.
bool TintRelayRun(const std::string &method, const std::vector<std::string> &args, std::string *output);

// Boolean methods: true when the output holds "<method>=TRUE".
bool TintRelayCallBool(const std::string &method, const std::vector<std::string> &args);

// The walk ("mibwalk_XPC" with model, user and the walk arguments): true and
// *result set when the output holds "mibwalk_XPC=iRet=" and an integer.
bool TintRelayCallWalk(const std::string &model, const std::string &user,
                       const std::vector<std::string> &walkArgs, int *result);

// Why the calling thread's last relay call (any of the three above) returned
// false, in the manner of cupsLastError()/cupsLastErrorString(). Each thread
// keeps its own; every call sets it, a call that returned true to None and
// "". A FALSE answer of the service counts as Refused, so a caller can tell
// "the service said no" from "the service was never reached".
enum class TintRelayError {
    None,
    NoRelay,    // nothing at the relay's path
    NotStarted, // no pipe, or the relay could not be started (errno's text)
    TimedOut,   // still running after kTintRelayTimeLimitSeconds; it was ended
    NotRead,    // its output could not be read (errno's text)
    NotUtf8,    // it printed something that is not UTF-8
    NoReply,    // no reply line for the method: the relay reached no service,
                // or the service failed; or a walk reply without its result
    Refused,    // the service answered FALSE
};
TintRelayError TintRelayLastError();
// One line for a log or a message, e.g. "cannot start the relay
// /usr/libexec/qvmr52/Tintrelay: Permission denied"; "" after success. The
// text stays valid until the thread's next relay call.
const char *TintRelayLastErrorString();
