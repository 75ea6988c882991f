// The service object: the eight request handlers of the remote protocol. It
// holds no state, so one object serves every caller; each handler calls its
// reply block exactly once, before it returns.
#pragma once

#include <functional>
#include <string>

namespace tint
{

using ReplyBlock = std::function<void(const std::string &reply)>;

} // namespace tint

class WQmacServiceXPC
{
  public:
    static constexpr const char kRuntimeName[] = "WQmacServiceXPC3B7E2A90_C4D1_4F68_9E02_7A5C1B8D6E4F";

    void wqPListIsAdminProfile_XPC(const std::string &request, const tint::ReplyBlock &reply) const;
    void wqPListSwapProfile_XPC(const std::string &request, const tint::ReplyBlock &reply) const;
    void wqPListExistProfile_XPC(const std::string &request, const tint::ReplyBlock &reply) const;
    void wqPListRemove_XPC(const std::string &request, const tint::ReplyBlock &reply) const;
    void writeDictionaryToPlistFile_XPC(const std::string &request, const tint::ReplyBlock &reply) const;
    void writeDataToPlistFile_XPC(const std::string &request, const tint::ReplyBlock &reply) const;
    void writeDataToPlistFileRename_XPC(const std::string &request, const tint::ReplyBlock &reply) const;
    void mibwalk_XPC(const std::string &request, const tint::ReplyBlock &reply) const;
};

namespace tint
{

// Handlers by method name, in the protocol's order, closed by a record whose
// name is nullptr.
struct ServiceHandler {
    const char *name;
    void (WQmacServiceXPC::*handler)(const std::string &, const ReplyBlock &) const;
};
extern const ServiceHandler kServiceHandlers[];

} // namespace tint

// Writes data as the whole content of the file that the "file:" URL names
// (a profile list file in the preferences folder). True when written.
bool writeDictionaryToPlistFile_XPC(const std::string &url, const std::string &data);
