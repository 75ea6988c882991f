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
    // WQmacServiceXPC behind them. Every call is handled on a worker thread
    // and answered through its sdbus::Result, so a long walk never holds up
    // the other callers. Always true; sdbus::Error escapes only from the
    // registration itself.
    bool listener(sdbus::IConnection &listener, sdbus::IObject &newConnection);
};
