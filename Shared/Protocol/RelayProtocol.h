// The remote protocol between Tintrelay and Tintvault: the eight methods in
// their declared order, the names under which the service is found on the
// session bus, and the call timeouts.
#pragma once

#include "TintConfig.h"

#include <chrono>
#include <cstddef>

namespace tint
{

// Full name of the remote protocol; Tintrelay and Tintvault must agree on it.
inline constexpr const char kXPCProtocolName[] = "WQ_XPC_Protocol3B7E2A90_C4D1_4F68_9E02_7A5C1B8D6E4F";

} // namespace tint

// Method names, as used on Tintrelay's command line, in reply lines and as
// D-Bus member names.
inline constexpr const char kWqPListIsAdminProfile_XPC[] = "wqPListIsAdminProfile_XPC";
inline constexpr const char kWqPListSwapProfile_XPC[] = "wqPListSwapProfile_XPC";
inline constexpr const char kWqPListExistProfile_XPC[] = "wqPListExistProfile_XPC";
inline constexpr const char kWqPListRemove_XPC[] = "wqPListRemove_XPC";
inline constexpr const char kWriteDictionaryToPlistFile_XPC[] = "writeDictionaryToPlistFile_XPC";
inline constexpr const char kWriteDataToPlistFile_XPC[] = "writeDataToPlistFile_XPC";
inline constexpr const char kWriteDataToPlistFileRename_XPC[] = "writeDataToPlistFileRename_XPC";
inline constexpr const char kMibwalk_XPC[] = "mibwalk_XPC";

namespace tint
{

// How a method's request string is made from the relay's arguments.
enum class RequestForm {
    Path,       // the one argument as it stands
    Swap,       // type, current path, previous path
    UrlAndData, // URL string, ":AddURL:END", data
    Walk,       // model, user, then any number of walk arguments
};

struct MethodInfo {
    const char *name; // nullptr closes the table
    RequestForm form;
    std::size_t minArguments; // arguments after the method name
    std::chrono::seconds timeout;
};

// The methods in the order of the protocol's declaration, closed by a record
// whose name is nullptr.
extern const MethodInfo kXPCMethods[];

// The order in which the relay compares its first argument with the names.
extern const char *const kRelayMatchOrder[];

// The record of a method name, or nullptr when it names none of the eight.
const MethodInfo *findMethod(const char *name);

// Reply strings.
inline constexpr const char kReplyTrue[] = "TRUE";
inline constexpr const char kReplyFalse[] = "FALSE";
inline constexpr const char kReplyWalkPrefix[] = "iRet=";

} // namespace tint
