#include "SnmpAgent.h"

#include "ChildProcess.h"
#include "TempRoot.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace
{

// A UDP port on 127.0.0.1 that is free now, chosen below the kernel's
// ephemeral range so that client sockets of other processes (which bind
// ephemeral ports) never take it while this process is between two agents.
int FreeUdpPort()
{
    int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0)
        return -1;
    std::minstd_rand random(
        static_cast<unsigned>(::getpid()) ^
        static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    int port = -1;
    for (int attempt = 0; attempt < 200 && port < 0; ++attempt) {
        const int candidate = 20000 + static_cast<int>(random() % 12000);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = htons(static_cast<uint16_t>(candidate));
        if (::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0)
            port = candidate;
    }
    ::close(fd);
    return port;
}

// The process's client configuration: chosen once, removed at exit.
struct ClientConfig {
    std::string dir;
    int port = -1;

    ClientConfig()
    {
        dir = MakeTempDir("tintsnmp-client");
        repick();
        fs::create_directories(dir + "/persist");
        ::setenv("SNMPCONFPATH", dir.c_str(), 1);
        ::setenv("SNMP_PERSISTENT_DIR", (dir + "/persist").c_str(), 1);
    }
    // Another port, for an agent that found the chosen one taken by another
    // process between the choice and its bind.
    void repick()
    {
        port = FreeUdpPort();
        WriteFile(dir + "/snmp.conf", "defaultPort " + std::to_string(port) + "\nmibs :\n");
    }
    ~ClientConfig()
    {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

ClientConfig &Client()
{
    static ClientConfig config;
    return config;
}

// Waits until logPath holds marker (true), or the child ended (pid becomes
// -1: it is reaped) or 10 s passed.
bool WaitForMarker(pid_t &pid, const std::string &logPath, const std::string &marker)
{
    for (int i = 0; i < 1000; ++i) {
        if (ReadFile(logPath).find(marker) != std::string::npos)
            return true;
        int status;
        if (::waitpid(pid, &status, WNOHANG) == pid) {
            pid = -1;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// Starts an agent on the client port: spawn(port) starts it, and it is up
// once its log shows marker. A port taken meanwhile by another process makes
// the agent exit; it is started again on another port (the clients of this
// process follow, as long as none has walked yet).
pid_t StartOnClientPort(const std::function<pid_t(int port)> &spawn, const std::string &logPath,
                        const std::string &marker)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (attempt > 0)
            Client().repick();
        pid_t pid = spawn(Client().port);
        if (pid > 0 && WaitForMarker(pid, logPath, marker))
            return pid;
        StopChild(pid);
    }
    return -1;
}

// Quoted octet_str value for snmpd.conf.
std::string Quoted(const std::string &text)
{
    return "\"" + text + "\"";
}

} // namespace

int SnmpClientPort()
{
    return Client().port;
}

std::string SnmpClientEnvironment()
{
    return "SNMPCONFPATH=" + Client().dir + " SNMP_PERSISTENT_DIR=" + Client().dir + "/persist";
}

std::vector<SnmpProfileRow> MakeProfileRows(int n)
{
    std::vector<SnmpProfileRow> rows;
    for (int r = 1; r <= n; ++r) {
        SnmpProfileRow row;
        row.row = r;
        row.indexOnDevice = r;
        char name[32];
        std::snprintf(name, sizeof name, "PRF%05d.ICC", r);
        row.fileName = name;
        row.profileName = "Profile " + std::to_string(r);
        row.profileClass = 1 + r % 3;
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> ProfileRowOverrides(const std::vector<SnmpProfileRow> &rows)
{
    std::vector<std::string> lines;
    const std::string entry = kSnmpProfileEntryOid;
    for (const auto &r : rows) {
        const std::string suffix = ".1." + std::to_string(r.row);
        auto integer = [&](int column, long value) {
            lines.push_back("override " + entry + "." + std::to_string(column) + suffix + " integer " +
                            std::to_string(value));
        };
        auto text = [&](int column, const std::string &value) {
            lines.push_back("override " + entry + "." + std::to_string(column) + suffix + " octet_str " +
                            Quoted(value));
        };
        if (r.hasIndex)
            integer(1, r.indexOnDevice);
        integer(2, r.location);
        text(3, r.profileName);
        text(4, r.fileName);
        integer(5, r.profileClass);
        integer(6, r.column6);
        integer(7, r.availability);
    }
    return lines;
}

std::string SnmpTableScript(const std::vector<std::string> &overrides, const std::string &moreKeys)
{
    std::string vars;
    for (const std::string &line : overrides) {
        std::istringstream in(line);
        std::string word, oid, type;
        in >> word >> oid >> type;
        std::string value;
        std::getline(in >> std::ws, value);
        if (word != "override")
            continue;
        if (type == "octet_str") {
            std::string text = "\"";
            for (char c : value.substr(1, value.size() - 2)) {
                if (c == '"' || c == '\\')
                    text += '\\';
                text += c;
            }
            value = "\"str\", " + text + "\"";
        } else {
            value = "\"int\", " + value;
        }
        vars += (vars.empty() ? "" : ", ") + ("[\"" + oid + "\", " + value + "]");
    }
    return "{\"table\": [" + vars + "]" + (moreKeys.empty() ? "" : ", " + moreKeys) + "}";
}

SnmpAgent::SnmpAgent(const Options &options)
{
    dir_ = MakeTempDir("tintsnmpd");
    fs::create_directories(dir_ + "/persist");
    pid_ =
        StartOnClientPort([&](int port) { return spawn(options, port); }, dir_ + "/log", "NET-SNMP version");
}

pid_t SnmpAgent::spawn(const Options &options, int port)
{
    std::ostringstream conf;
    conf << "agentAddress udp:127.0.0.1:" << port << "\n";
    if (options.viewSubtree.empty())
        conf << "rocommunity wemblo 127.0.0.1\n";
    else
        conf << "rocommunity wemblo 127.0.0.1 " << options.viewSubtree << "\n";
    conf << "dontLogTCPWrappersConnects yes\n";
    for (const auto &line : ProfileRowOverrides(options.rows))
        conf << line << "\n";
    for (const auto &line : options.extraLines)
        conf << line << "\n";
    WriteFile(dir_ + "/snmpd.conf", conf.str());

    // The persistent folder must not hold the configuration: snmpd writes
    // its own snmpd.conf there when it stops.
    // snmpd logs its version once its ports are open. The log is appended
    // to: a new start begins with an empty one.
    WriteFile(dir_ + "/log", "");
    return SpawnLogged({"snmpd", "-f", "-Lo", "-C", "-c", dir_ + "/snmpd.conf", "-m", "", "-I", "-smux", "-p",
                        dir_ + "/snmpd.pid"},
                       dir_ + "/log", {"SNMP_PERSISTENT_DIR=" + dir_ + "/persist"});
}

SnmpAgent::~SnmpAgent()
{
    stop();
    std::error_code ec;
    fs::remove_all(dir_, ec);
}

void SnmpAgent::stop()
{
    StopChild(pid_);
}

std::string SnmpAgent::log() const
{
    return ReadFile(dir_ + "/log");
}

ScriptedSnmpAgent::ScriptedSnmpAgent(const std::string &script, bool ownPort)
{
    dir_ = MakeTempDir("tintsnmpscript");
    WriteFile(dir_ + "/script.json", script);
    WriteFile(dir_ + "/requests", "");
    const auto spawn = [&](int port) {
        WriteFile(dir_ + "/log", "");
        return SpawnLogged({"python3", std::string(TINT_SOURCE_DIR) + "/tests/support/snmp_responder.py",
                            std::to_string(port), dir_ + "/script.json", dir_ + "/requests"},
                           dir_ + "/log", {});
    };
    if (ownPort) {
        // Port 0: the responder binds a free port itself and reports it.
        pid_ = spawn(0);
        if (pid_ > 0 && !WaitForMarker(pid_, dir_ + "/log", "ready"))
            StopChild(pid_);
    } else {
        pid_ = StartOnClientPort(spawn, dir_ + "/log", "ready");
        port_ = pid_ > 0 ? SnmpClientPort() : -1;
    }
    if (ownPort && pid_ > 0) {
        // "ready PORT": the port the responder bound.
        const std::string log = ReadFile(dir_ + "/log");
        const size_t at = log.find("ready ");
        port_ = at == std::string::npos ? -1 : std::atoi(log.c_str() + at + 6);
        if (port_ <= 0)
            StopChild(pid_);
    }
}

ScriptedSnmpAgent::~ScriptedSnmpAgent()
{
    stop();
    std::error_code ec;
    fs::remove_all(dir_, ec);
}

void ScriptedSnmpAgent::stop()
{
    StopChild(pid_);
}

std::vector<std::string> ScriptedSnmpAgent::requests() const
{
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(dir_ + "/requests"));
    std::string line;
    while (std::getline(in, line))
        if (!line.empty())
            lines.push_back(line);
    return lines;
}
