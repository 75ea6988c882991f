#include "WQmacXPCServiceDelegate.h"

#include "RelayProtocol.h"
#include "WQmacServiceXPC.h"
#include "WorkerPool.h"

#include <sdbus-c++/sdbus-c++.h>

#include <cstring>
#include <memory>

namespace
{

// One call: the handler runs, its reply goes back once.
struct Job {
    std::shared_ptr<const WQmacServiceXPC> service;
    void (WQmacServiceXPC::*handler)(const std::string &, const tint::ReplyBlock &) const;
    sdbus::Result<std::string> result;
    std::string request;

    void run()
    {
        bool replied = false;
        auto send = [this, &replied](const std::string &reply) {
            if (replied)
                return;
            replied = true;
            try {
                result.returnResults(reply);
            } catch (const sdbus::Error &) {
                // The caller or the bus is gone; nothing to answer.
            }
        };
        try {
            (service.get()->*handler)(request, send);
        } catch (const std::exception &) {
        }
        if (!replied) {
            try {
                result.returnError(sdbus::Error("org.freedesktop.DBus.Error.Failed", "request not handled"));
            } catch (const sdbus::Error &) {
            }
        }
    }
};

} // namespace

bool WQmacXPCServiceDelegate::listener(sdbus::IConnection & /*listener*/, sdbus::IObject &newConnection)
{
    auto service = std::make_shared<const WQmacServiceXPC>();
    for (const tint::ServiceHandler *h = tint::kServiceHandlers; h->name != nullptr; ++h) {
        const auto handler = h->handler;
        const bool isWalk = std::strcmp(h->name, kMibwalk_XPC) == 0;
        newConnection.registerMethod(h->name)
            .onInterface(kTintVaultInterface)
            .implementedAs(
                [service, handler, isWalk](sdbus::Result<std::string> &&result, std::string request) {
                    auto job =
                        std::make_shared<Job>(Job{service, handler, std::move(result), std::move(request)});
                    WorkerPool &pool = isWalk ? VaultWalkWorkers() : VaultFileWorkers();
                    if (!pool.post([job] { job->run(); })) {
                        try {
                            job->result.returnError(sdbus::Error("org.freedesktop.DBus.Error.LimitsExceeded",
                                                                 "too many requests"));
                        } catch (const sdbus::Error &) {
                        }
                    }
                });
    }
    newConnection.finishRegistration();
    return true;
}
