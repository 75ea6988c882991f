#include "SessionBus.h"

#include "TempRoot.h"
#include "TintPaths.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

extern char **environ;

namespace fs = std::filesystem;

namespace
{

std::string ReadLine(int fd)
{
    std::string line;
    char c;
    for (;;) {
        const ssize_t n = ::read(fd, &c, 1);
        if (n == 1) {
            if (c == '\n')
                break;
            line += c;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            break;
        }
    }
    return line;
}

} // namespace

SessionBus::SessionBus() : SessionBus(Options()) {}

SessionBus::SessionBus(const Options &options)
{
    if (const char *old = std::getenv("DBUS_SESSION_BUS_ADDRESS")) {
        hadAddress_ = true;
        savedAddress_ = old;
    }
    start(options);
}

SessionBus::~SessionBus()
{
    stop();
    std::error_code ec;
    if (!dir_.empty())
        fs::remove_all(dir_, ec);
    if (hadAddress_)
        setenv("DBUS_SESSION_BUS_ADDRESS", savedAddress_.c_str(), 1);
    else
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
}

void SessionBus::start(const Options &options)
{
    char tmpl[] = "/tmp/tintbus.XXXXXX";
    if (::mkdtemp(tmpl) == nullptr)
        return;
    dir_ = tmpl;
    // The daemon may run as another user: it must create its socket here.
    ::chmod(dir_.c_str(), 0777);
    std::error_code ec;
    fs::create_directories(dir_ + "/services", ec);
    fs::permissions(dir_ + "/services", fs::perms::all, ec);

    // The activation file the build generates for the staged service, or one
    // for the program the test names.
    const std::string serviceFile = dir_ + "/services/" + kTintVaultBusName + ".service";
    const std::string staged =
        ReadFile(std::string(TINT_BINARY_DIR) + "/dbus-1/services/" + kTintVaultBusName + ".service");
    // A bus of another user starts the copy in the test's root: the build
    // tree may sit in a folder that user cannot enter.
    std::string service = options.servicePath;
    if (service.empty())
        service = options.user.empty() ? std::string(TINT_STAGE_ROOT) + kTintVaultPath : TintVaultPath();
    if (options.servicePath.empty() && options.user.empty() && !staged.empty())
        WriteFile(serviceFile, staged);
    else
        WriteFile(serviceFile,
                  std::string("[D-BUS Service]\nName=") + kTintVaultBusName + "\nExec=\"" + service + "\"\n");
    WriteFile(dir_ + "/bus.conf",
              "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
              " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
              "<busconfig>\n"
              "  <type>session</type>\n"
              "  <listen>unix:path=" +
                  dir_ + "/bus</listen>\n" + "  <servicedir>" + dir_ +
                  "/services</servicedir>\n"
                  "  <auth>EXTERNAL</auth>\n"
                  "  <policy context=\"default\">\n"
                  "    <allow user=\"*\"/>\n"
                  "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                  "    <allow eavesdrop=\"true\"/>\n"
                  "    <allow own=\"*\"/>\n"
                  "  </policy>\n"
                  "</busconfig>\n");

    int addressPipe[2];
    if (::pipe2(addressPipe, O_CLOEXEC) != 0)
        return;
    const int log = ::open((dir_ + "/daemon.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);

    std::vector<std::string> args;
    if (!options.user.empty()) {
        args = {"/usr/bin/setpriv", "--reuid=" + options.user,
                "--regid=" + (options.group.empty() ? options.user : options.group), "--clear-groups", "--"};
    }
    const std::string config = "--config-file=" + dir_ + "/bus.conf";
    for (const char *a : {"dbus-daemon", config.c_str(), "--nofork", "--print-address=3"})
        args.emplace_back(a);
    std::vector<char *> argv;
    for (std::string &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    std::vector<std::string> envStorage;
    for (char **e = environ; *e != nullptr; ++e)
        envStorage.emplace_back(*e);
    for (const std::string &e : options.environment)
        envStorage.push_back(e);
    std::vector<char *> envp;
    for (std::string &e : envStorage)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(addressPipe[1], 3);
        if (log >= 0) {
            ::dup2(log, STDOUT_FILENO);
            ::dup2(log, STDERR_FILENO);
        }
        ::execvpe(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(addressPipe[1]);
    if (log >= 0)
        ::close(log);
    if (pid < 0) {
        ::close(addressPipe[0]);
        return;
    }
    pid_ = pid;
    address_ = ReadLine(addressPipe[0]);
    ::close(addressPipe[0]);
    if (address_.empty()) {
        stop();
        return;
    }
    setenv("DBUS_SESSION_BUS_ADDRESS", address_.c_str(), 1);
}

void SessionBus::stop()
{
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
}

std::string SessionBus::serviceLog() const
{
    return dir_.empty() ? std::string() : ReadFile(dir_ + "/daemon.log");
}

pid_t SessionBus::servicePid() const
{
    if (!running())
        return -1;
    int status = 0;
    const std::string out =
        RunCommand("dbus-send --bus='" + address_ +
                       "' --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus "
                       "org.freedesktop.DBus.GetConnectionUnixProcessID string:" +
                       kTintVaultBusName + " 2>/dev/null",
                   &status);
    if (status != 0)
        return -1;
    // "   uint32 1234": the number is the last word.
    const std::size_t end = out.find_last_of("0123456789");
    if (end == std::string::npos)
        return -1;
    const std::size_t start = out.find_last_not_of("0123456789", end);
    const long pid = std::strtol(out.c_str() + (start == std::string::npos ? 0 : start + 1), nullptr, 10);
    return pid > 0 ? static_cast<pid_t>(pid) : -1;
}
