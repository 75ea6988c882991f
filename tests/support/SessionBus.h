// A private D-Bus session bus for one test, with activation of the built
// Tintvault exactly as on a desktop: the first call to the service's name
// makes the bus start it.
//
// Usage:
//     TempRoot root;            // first: the bus and the service inherit TINT_ROOT
//     SessionBus bus;           // starts dbus-daemon, points DBUS_SESSION_BUS_ADDRESS at it
//     ASSERT_TRUE(bus.running());
//     ... run Tintrelay, gdbus, or call the bus in-process ...
//     bus.serviceLog();         // what the daemon and Tintvault wrote to standard error
//
// The daemon (and so the service) inherits this process's environment at
// construction, plus Options::environment. The destructor stops the daemon by
// its PID, which makes the service exit too, and restores the previous
// DBUS_SESSION_BUS_ADDRESS.
#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

class SessionBus
{
  public:
    struct Options {
        // The program the .service file starts; empty: the staged Tintvault
        // through the activation file the build generated for it.
        std::string servicePath;
        // Extra NAME=VALUE settings for the daemon and the services it starts.
        std::vector<std::string> environment;
        // Run the daemon (and so the service) as this user and group through
        // setpriv; empty: as the test runs. The bus accepts callers of any user.
        std::string user;
        std::string group;
    };

    SessionBus();
    explicit SessionBus(const Options &options);
    ~SessionBus();
    SessionBus(const SessionBus &) = delete;
    SessionBus &operator=(const SessionBus &) = delete;

    bool running() const { return pid_ > 0 && !address_.empty(); }
    // The bus address ("unix:path=...").
    const std::string &address() const { return address_; }
    pid_t pid() const { return pid_; }
    // Standard output and error of the daemon and of the services it started.
    std::string serviceLog() const;
    // PID of the process that owns the service's name, or -1 when none does.
    pid_t servicePid() const;
    // Stops the daemon now (the destructor does it otherwise).
    void stop();

  private:
    void start(const Options &options);

    std::string dir_;
    std::string address_;
    pid_t pid_ = -1;
    std::string savedAddress_;
    bool hadAddress_ = false;
};
