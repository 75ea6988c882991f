// The listener's delegate: accepting callers means exporting the service
// object's interface on the bus.
#pragma once

namespace sdbus
{
class IConnection;
class IObject;
} // namespace sdbus

class WQmacXPCServiceDelegate
{
  public:
    static constexpr const char kRuntimeName[] =
        "WQmacXPCServiceDelegate3B7E2A90_C4D1_4F68_9E02_7A5C1B8D6E4F";

    // Registers the eight methods of the protocol on newConnection (the
    // service's object on listener, the bus connection) with one stateless
    // WQmacServiceXPC behind them. Every call is handled on a worker of a
    // small fixed pool (WorkerPool.h; walks and file requests on pools of
    // their own) and answered through its sdbus::Result, so a long walk never
    // holds up the other callers; a call that finds its pool's queue full is
    // answered with an error at once. Always true; sdbus::Error escapes only
    // from the registration itself.
    bool listener(sdbus::IConnection &listener, sdbus::IObject &newConnection);
};
