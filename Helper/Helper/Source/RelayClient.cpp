#include "RelayClient.h"

#include "RelayProtocol.h"

#include <sdbus-c++/sdbus-c++.h>

bool WQRelaySend(const WQMethodInfo &method, const std::string &request, std::string *reply)
{
    reply->clear();
    try {
        auto connection = sdbus::createSessionBusConnection();
        auto proxy = sdbus::createProxy(*connection, kTintVaultBusName, kTintVaultObjectPath);
        std::string answer;
        // A synchronous call: the reply cannot be missed however early it
        // arrives, and a service that dies or hangs ends the call with an
        // error instead of leaving the relay waiting.
        proxy->callMethod(method.name)
            .onInterface(kTintVaultInterface)
            .withTimeout(method.timeout)
            .withArguments(request)
            .storeResultsTo(answer);
        *reply = std::move(answer);
        return true;
    } catch (const sdbus::Error &) {
        return false;
    } catch (const std::exception &) {
        return false;
    }
}
