#include "CupsServer.h"

#include "ChildProcess.h"
#include "TempRoot.h"

#include <cups/cups.h>

#include <arpa/inet.h>
#include <grp.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <thread>

namespace fs = std::filesystem;

namespace
{

using Clock = std::chrono::steady_clock;
using IppPtr = std::unique_ptr<ipp_t, decltype(&ippDelete)>;

// A TCP port on 127.0.0.1 that is free now, below the kernel's ephemeral
// range so that other processes' client sockets rarely take it before cupsd
// binds it; a bind failure of cupsd is retried on another port anyway.
int FreeTcpPort()
{
    static std::minstd_rand random(static_cast<unsigned>(::getpid()) ^
                                   static_cast<unsigned>(Clock::now().time_since_epoch().count()));
    for (int attempt = 0; attempt < 200; ++attempt) {
        const int candidate = 20000 + static_cast<int>(random() % 12000);
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        if (fd < 0)
            return -1;
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = htons(static_cast<uint16_t>(candidate));
        const bool free = ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
        ::close(fd);
        if (free)
            return candidate;
    }
    return -1;
}

bool Contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

void ChownTree(const std::string &dir, uid_t uid, gid_t gid)
{
    std::error_code ec;
    (void)::chown(dir.c_str(), uid, gid);
    for (const auto &entry : fs::recursive_directory_iterator(dir, ec))
        (void)::lchown(entry.path().c_str(), uid, gid);
}

} // namespace

CupsServer::CupsServer()
{
    dir_ = MakeTempDir("tintcups");
    if (dir_.empty()) {
        why_ = "cannot create a temporary folder";
        return;
    }
    // The scheduler runs filters and backends as lp, which must reach the
    // spool and the configuration.
    ::chmod(dir_.c_str(), 0755);
    for (const char *sub : {"spool/tmp", "cache", "state", "log", "client", "home", "ssl"})
        fs::create_directories(dir_ + "/" + sub);
    // Another process may take the chosen port before cupsd binds it.
    bool portTaken = true;
    for (int attempt = 0; attempt < 5 && portTaken && !running(); ++attempt)
        start(&portTaken);
    if (!running())
        return;

    const std::pair<const char *, std::string> settings[] = {
        {"CUPS_SERVER", server()}, {"CUPS_SERVERROOT", clientRoot()}, {"HOME", home()}};
    for (const auto &[name, value] : settings) {
        const char *old = std::getenv(name);
        savedEnv_[name] = {old != nullptr, old ? old : ""};
        ::setenv(name, value.c_str(), 1);
    }
    cupsSetServer(server().c_str());
}

CupsServer::~CupsServer()
{
    stop();
    for (const auto &[name, old] : savedEnv_) {
        if (old.first)
            ::setenv(name.c_str(), old.second.c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
    if (!savedEnv_.empty())
        cupsSetServer(nullptr);
    std::error_code ec;
    if (!dir_.empty())
        fs::remove_all(dir_, ec);
}

bool CupsServer::start(bool *portTaken)
{
    *portTaken = false;
    port_ = FreeTcpPort();
    if (port_ < 0) {
        why_ = "no free port on 127.0.0.1";
        return false;
    }
    const bool asRoot = ::geteuid() == 0;
    std::string files = "ServerRoot " + dir_ + "\nRequestRoot " + dir_ + "/spool\nTempDir " + dir_ +
                        "/spool/tmp\nCacheDir " + dir_ + "/cache\nStateDir " + dir_ + "/state\nErrorLog " +
                        dir_ + "/log/error_log\nAccessLog " + dir_ + "/log/access_log\nPageLog " + dir_ +
                        "/log/page_log\nPrintcap " + dir_ + "/printcap\nServerKeychain " + dir_ +
                        "/ssl\nFileDevice Yes\n";
    // cupsd refuses to run filters as root.
    if (asRoot)
        files += "User lp\nGroup lp\n";
    WriteFile(dir_ + "/cups-files.conf", files);
    // No authentication and every job attribute readable: the server is
    // only reachable from this machine and lives for one test.
    WriteFile(dir_ + "/cupsd.conf", "Listen 127.0.0.1:" + std::to_string(port_) +
                                        "\n"
                                        "LogLevel info\n"
                                        "Browsing No\n"
                                        "BrowseLocalProtocols none\n"
                                        "DefaultShared No\n"
                                        "WebInterface No\n"
                                        "DefaultAuthType None\n"
                                        "DefaultPolicy open\n"
                                        "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                        "<Policy open>\n"
                                        "  JobPrivateAccess all\n"
                                        "  JobPrivateValues none\n"
                                        "  SubscriptionPrivateAccess all\n"
                                        "  SubscriptionPrivateValues none\n"
                                        "  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                                        "</Policy>\n");
    if (asRoot) {
        const passwd *lp = ::getpwnam("lp");
        const group *lpGroup = ::getgrnam("lp");
        if (lp == nullptr || lpGroup == nullptr) {
            why_ = "no user or group lp for the scheduler";
            return false;
        }
        ChownTree(dir_, lp->pw_uid, lpGroup->gr_gid);
    }
    const std::string errorLog = dir_ + "/log/error_log";
    std::remove(errorLog.c_str());

    pid_ = SpawnLogged({"cupsd", "-f", "-c", dir_ + "/cupsd.conf", "-s", dir_ + "/cups-files.conf"},
                       dir_ + "/log/cupsd.out", {});
    if (pid_ <= 0) {
        why_ = "cannot start cupsd (is cups-daemon installed?)";
        pid_ = -1;
        return false;
    }
    // Ready once it says it listens on its own port and answers a request.
    // A port taken meanwhile only shows in the log: cupsd goes on running.
    const std::string listening = "Listening to 127.0.0.1:" + std::to_string(port_);
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < deadline) {
        const std::string log = ReadFile(errorLog);
        if (Contains(log, "Unable to open listen socket")) {
            StopChild(pid_);
            *portTaken = true;
            why_ = "port " + std::to_string(port_) + " taken";
            return false;
        }
        int status;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            why_ = "cupsd stopped while starting";
            return false;
        }
        if (Contains(log, listening)) {
            IppPtr response(nullptr, &ippDelete);
            if (http_t *http = httpConnect2("127.0.0.1", port_, nullptr, AF_INET,
                                            HTTP_ENCRYPTION_IF_REQUESTED, 1, 1000, nullptr)) {
                response.reset(cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_PRINTERS), "/"));
                httpClose(http);
            }
            if (response)
                return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    StopChild(pid_);
    why_ = "cupsd did not answer on port " + std::to_string(port_) + " within 20 s";
    return false;
}

void CupsServer::stop()
{
    StopChild(pid_);
}

std::string CupsServer::server() const
{
    return "127.0.0.1:" + std::to_string(port_);
}

std::string CupsServer::clientEnvironment() const
{
    return "CUPS_SERVER=" + server() + " CUPS_SERVERROOT=" + clientRoot() + " HOME=" + home();
}

std::string CupsServer::log() const
{
    return (why_.empty() ? std::string() : "private cupsd: " + why_ + "\n") +
           ReadFile(dir_ + "/log/cupsd.out") + ReadFile(dir_ + "/log/error_log");
}

::testing::AssertionResult CupsServer::lpadmin(const std::vector<std::string> &args) const
{
    std::vector<std::string> command = {"lpadmin", "-h", server()};
    command.insert(command.end(), args.begin(), args.end());
    std::string output;
    if (RunProgram(command, &output) != 0) {
        std::string line;
        for (const auto &a : command)
            line += " " + a;
        return ::testing::AssertionFailure() << line << ":\n" << output;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult CupsServer::addQueue(const std::string &name, const std::string &uri,
                                                const std::string &ppd,
                                                const std::vector<std::string> &extra) const
{
    std::vector<std::string> args = {"-p", name, "-E", "-v", uri};
    if (ppd.empty()) {
        args.insert(args.end(), {"-m", "raw"});
    } else {
        args.insert(args.end(), {"-P", ppd});
    }
    args.insert(args.end(), extra.begin(), extra.end());
    return lpadmin(args);
}

namespace
{

// Sends request to the server at 127.0.0.1:port as this process's user.
IppPtr Request(int port, ipp_t *request)
{
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    http_t *http =
        httpConnect2("127.0.0.1", port, nullptr, AF_INET, HTTP_ENCRYPTION_IF_REQUESTED, 1, 10000, nullptr);
    if (http == nullptr) {
        ippDelete(request);
        return IppPtr(nullptr, &ippDelete);
    }
    IppPtr response(cupsDoRequest(http, request, "/"), &ippDelete);
    httpClose(http);
    if (response && ippGetStatusCode(response.get()) > IPP_STATUS_OK_EVENTS_COMPLETE)
        response.reset();
    return response;
}

ipp_t *JobRequest(ipp_op_t op, int port, int jobId)
{
    ipp_t *request = ippNewRequest(op);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "127.0.0.1", port, "/jobs/%d",
                     jobId);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    return request;
}

} // namespace

std::map<std::string, std::string> CupsServer::jobAttributes(int jobId) const
{
    std::map<std::string, std::string> attributes;
    ipp_t *request = JobRequest(IPP_OP_GET_JOB_ATTRIBUTES, port_, jobId);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "all");
    IppPtr response = Request(port_, request);
    if (!response)
        return attributes;
    for (ipp_attribute_t *a = ippFirstAttribute(response.get()); a; a = ippNextAttribute(response.get())) {
        if (ippGetName(a) == nullptr || ippGetGroupTag(a) != IPP_TAG_JOB)
            continue;
        std::string value(ippAttributeString(a, nullptr, 0) + 1, '\0');
        ippAttributeString(a, value.data(), value.size());
        value.resize(value.size() - 1);
        attributes[ippGetName(a)] = value;
    }
    return attributes;
}

std::vector<int> CupsServer::jobIds() const
{
    std::vector<int> ids;
    ipp_t *request = ippNewRequest(IPP_OP_GET_JOBS);
    const std::string uri = "ipp://" + server() + "/";
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "all");
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "job-id");
    IppPtr response = Request(port_, request);
    if (!response)
        return ids;
    for (ipp_attribute_t *a = ippFindAttribute(response.get(), "job-id", IPP_TAG_INTEGER); a;
         a = ippFindNextAttribute(response.get(), "job-id", IPP_TAG_INTEGER))
        ids.push_back(ippGetInteger(a, 0));
    std::sort(ids.begin(), ids.end());
    return ids;
}

int CupsServer::jobState(int jobId) const
{
    ipp_t *request = JobRequest(IPP_OP_GET_JOB_ATTRIBUTES, port_, jobId);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "job-state");
    IppPtr response = Request(port_, request);
    ipp_attribute_t *state = response ? ippFindAttribute(response.get(), "job-state", IPP_TAG_ENUM) : nullptr;
    return state ? ippGetInteger(state, 0) : 0;
}

bool CupsServer::releaseJob(int jobId) const
{
    return Request(port_, JobRequest(IPP_OP_RELEASE_JOB, port_, jobId)) != nullptr;
}

int CupsServer::waitForJobEnd(int jobId) const
{
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    int state = jobState(jobId);
    while (state < kJobCanceled && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        state = jobState(jobId);
    }
    return state;
}
