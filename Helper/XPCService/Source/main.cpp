// Tintvault: the service on the session bus, started by the bus on the first
// call. It lives until it loses the bus.

#include "RelayProtocol.h"
#include "WQmacXPCServiceDelegate.h"
#include "WorkerPool.h"

#include <sdbus-c++/sdbus-c++.h>

#include <syslog.h>

#include <memory>

int main()
{
    // Where no syslog daemon runs, LOG_PERROR still puts the walk's line on
    // standard error.
    openlog("Tintvault", LOG_PERROR | LOG_PID, LOG_USER);

    WQmacXPCServiceDelegate delegate;
    std::unique_ptr<sdbus::IConnection> connection;
    std::unique_ptr<sdbus::IObject> object;
    try {
        connection = sdbus::createSessionBusConnection();
        object = sdbus::createObject(*connection, kTintVaultObjectPath);
        delegate.listener(*connection, *object);
        // The name is taken only once the methods are there, so the call that
        // started the service finds them.
        connection->requestName(kTintVaultBusName);
        connection->enterEventLoop();
    } catch (const sdbus::Error &) {
        // No bus, name taken by another instance, or the bus went away.
    }
    // Requests still waiting are dropped (their callers went with the bus);
    // running ones end within their own limits before the connection goes.
    VaultStopWorkers();
    object.reset();
    connection.reset();
    closelog();
    return 0;
}
