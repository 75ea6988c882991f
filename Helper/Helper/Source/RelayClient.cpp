#include "RelayClient.h"

#include "RelayProtocol.h"

#include <systemd/sd-bus.h>

#include <chrono>
#include <cstdint>
#include <memory>

// The relay talks to the bus through sd-bus directly, the library underneath
// sdbus-c++: the relay is a process per request, and loading the C++ binding
// costs more than the whole round trip.
namespace
{

struct BusClose {
    void operator()(sd_bus *bus) const { sd_bus_flush_close_unref(bus); }
};
struct MessageUnref {
    void operator()(sd_bus_message *message) const { sd_bus_message_unref(message); }
};
using BusPtr = std::unique_ptr<sd_bus, BusClose>;
using MessagePtr = std::unique_ptr<sd_bus_message, MessageUnref>;

class BusError
{
  public:
    ~BusError() { sd_bus_error_free(&error_); }
    sd_bus_error *get() { return &error_; }

  private:
    sd_bus_error error_ = SD_BUS_ERROR_NULL;
};

} // namespace

bool tint::relaySend(const tint::MethodInfo &method, const std::string &request, std::string *reply)
{
    reply->clear();
    sd_bus *rawBus = nullptr;
    if (sd_bus_open_user(&rawBus) < 0)
        return false;
    BusPtr bus(rawBus);

    sd_bus_message *rawCall = nullptr;
    if (sd_bus_message_new_method_call(bus.get(), &rawCall, kTintVaultBusName, kTintVaultObjectPath,
                                       kTintVaultInterface, method.name) < 0)
        return false;
    MessagePtr call(rawCall);
    if (sd_bus_message_append(call.get(), "s", request.c_str()) < 0)
        return false;

    // A synchronous call: the reply cannot be missed however early it
    // arrives, and a service that dies or hangs ends the call with an error
    // instead of leaving the relay waiting.
    const auto timeout = std::chrono::duration_cast<std::chrono::microseconds>(method.timeout);
    BusError error;
    sd_bus_message *rawReply = nullptr;
    const int r =
        sd_bus_call(bus.get(), call.get(), static_cast<uint64_t>(timeout.count()), error.get(), &rawReply);
    MessagePtr answer(rawReply);
    if (r < 0 || !answer)
        return false;
    const char *text = nullptr;
    if (sd_bus_message_read(answer.get(), "s", &text) < 0 || text == nullptr)
        return false;
    *reply = text;
    return true;
}
