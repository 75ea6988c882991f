#include "CupsQueue.h"
#include "TintDialogTranslation.h"

#include <sys/socket.h>

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

namespace
{

// Long enough for a server on another continent and for a scheduler busy
// with a large job, short enough that a silent server does not hang a
// script.
constexpr int kDefaultTimeout = 30;
int gTimeout = kDefaultTimeout;
// How often libcups asks the timeout callback while a wait goes on.
constexpr double kWaitSeconds = 1.0;

const char *Option(const cups_dest_t *dest, const char *name)
{
    const char *value = cupsGetOption(name, dest->num_options, dest->options);
    return value ? value : "";
}

std::string StateName(const char *state)
{
    switch (std::atoi(state)) {
    case IPP_PSTATE_PROCESSING:
        return "processing";
    case IPP_PSTATE_STOPPED:
        return "stopped";
    default:
        return "idle";
    }
}

void FillInfo(const cups_dest_t *dest, CupsQueueInfo *info)
{
    info->name = dest->name;
    info->info = Option(dest, "printer-info");
    info->makeAndModel = Option(dest, "printer-make-and-model");
    info->deviceURI = Option(dest, "device-uri");
    info->state = StateName(Option(dest, "printer-state"));
    info->isDefault = dest->is_default != 0;
}

struct PPDClose {
    void operator()(ppd_file_t *ppd) const { ppdClose(ppd); }
};

// Fetches the queue's PPD into *file. HTTP_STATUS_NOT_FOUND: the queue has
// none. A transfer that outlasts its deadline gives HTTP_STATUS_ERROR with
// *timedOut set to the message.
http_status_t FetchPPD(http_t *http, const std::string &name, std::string *file, std::string *timedOut)
{
    char path[1024] = "";
    CupsDeadline deadline(http, 2 * CupsTimeout());
    auto expired = [&] {
        if (!deadline.expired())
            return false;
        *timedOut = CupsTimeoutMessage(TrArgs("send the PPD of %1", name), deadline.seconds());
        return true;
    };
    // The scheduler serves a printer's PPD at /printers/NAME.ppd: one
    // request on the open connection. cupsGetPPD3 first asks where the
    // printer lives (and may connect anew), which made listing many
    // queues several times slower; it is still asked for what that one
    // request does not find, such as a class, whose PPD is a member's.
    int fd = cupsTempFd(path, sizeof path);
    if (fd >= 0) {
        char resource[HTTP_MAX_URI];
        httpAssembleURIf(HTTP_URI_CODING_ALL, resource, sizeof resource, "ipp", nullptr, "localhost", 0,
                         "/printers/%s.ppd", name.c_str());
        // Only the path (and its encoding) is wanted from the assembled URI.
        char scheme[32], user[64], host[256], target[HTTP_MAX_URI];
        int port = 0;
        httpSeparateURI(HTTP_URI_CODING_NONE, resource, scheme, sizeof scheme, user, sizeof user, host,
                        sizeof host, &port, target, sizeof target);
        http_status_t status = cupsGetFd(http, target, fd);
        close(fd);
        if (status == HTTP_STATUS_OK) {
            *file = path;
            return status;
        }
        unlink(path);
        *path = '\0';
        if (expired())
            return HTTP_STATUS_ERROR;
    }
    time_t modified = 0;
    http_status_t status = cupsGetPPD3(http, name.c_str(), &modified, path, sizeof path);
    if (status == HTTP_STATUS_OK)
        *file = path;
    else if (*path)
        unlink(path);
    if (status != HTTP_STATUS_OK && expired())
        return HTTP_STATUS_ERROR;
    return status;
}

std::string Refusal(http_t *http, const std::string &what)
{
    return TrArgs("the CUPS server %1 refused %2: %3", CupsServerName(), what, CupsFailureReason(http));
}

struct DestsFree {
    int count;
    void operator()(cups_dest_t *dests) const { cupsFreeDests(count, dests); }
};

} // namespace

CupsHttp CupsConnect(const std::string &server, std::string *error)
{
    if (!server.empty())
        cupsSetServer(server.c_str());
    // Connected in a second step, so that the reason of a failure can be
    // read from the connection.
    CupsHttp http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 0, nullptr));
    const int connected = http ? httpReconnect2(http.get(), gTimeout * 1000, nullptr) : -1;
    if (http && connected != 0 && httpError(http.get()) == ETIMEDOUT) {
        *error = CupsTimeoutMessage(TrArgs("accept a connection"), gTimeout);
        http.reset();
        return http;
    }
    if (!http || connected != 0) {
        // As lpstat says it: libcups reports every failed connection alike
        // (refused, no socket, no route: "Host is down"); a name that does
        // not resolve gives no connection at all.
        *error = TrArgs("cannot reach the CUPS server %1: %2", CupsServerName(),
                        http ? TrArgs("Scheduler is not running")
                             : TrArgs("the server's name cannot be resolved"));
        http.reset();
        return http;
    }
    // A connection is not yet a scheduler: something else may listen
    // there, or a scheduler that turns us away. Ask it one cheap question.
    CupsDeadline deadline(http.get(), gTimeout);
    ipp_t *response = cupsDoRequest(http.get(), ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    const ipp_status_t status = cupsLastError();
    ippDelete(response);
    if (deadline.expired()) {
        *error = CupsTimeoutMessage(TrArgs("answer a request"), gTimeout);
        http.reset();
    } else if (!response ||
               (status > IPP_STATUS_OK_EVENTS_COMPLETE && status != IPP_STATUS_ERROR_NOT_FOUND)) {
        *error =
            TrArgs("the CUPS server %1 does not answer: %2", CupsServerName(), CupsFailureReason(http.get()));
        http.reset();
    }
    return http;
}

void CupsSetTimeout(int seconds)
{
    gTimeout = seconds > 0 ? seconds : kDefaultTimeout;
}

int CupsTimeout()
{
    return gTimeout;
}

struct CupsDeadline::State {
    std::mutex mutex;
    std::condition_variable wake;
    std::chrono::steady_clock::time_point deadline;
    bool done = false;
    bool expired = false;
    std::thread watchdog;
};

CupsDeadline::CupsDeadline(http_t *http, int seconds)
    : http_(http), seconds_(seconds), state_(std::make_unique<State>())
{
    if (!http_)
        return;
    state_->deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds_);
    httpSetTimeout(http_, kWaitSeconds, &CupsDeadline::OnTimeout, state_.get());
    state_->watchdog = std::thread([state = state_.get(), http = http_] {
        std::unique_lock<std::mutex> lock(state->mutex);
        while (!state->done) {
            if (state->wake.wait_until(lock, state->deadline) == std::cv_status::timeout &&
                std::chrono::steady_clock::now() >= state->deadline && !state->done) {
                state->expired = true;
                // The bytes still trickling in keep libcups reading: end
                // the connection under it.
                shutdown(httpGetFd(http), SHUT_RDWR);
                return;
            }
        }
    });
}

CupsDeadline::~CupsDeadline()
{
    if (!http_)
        return;
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        state_->done = true;
    }
    state_->wake.notify_all();
    state_->watchdog.join();
    // Between exchanges a silent server still cannot hold a wait for ever.
    httpSetTimeout(http_, gTimeout, nullptr, nullptr);
}

void CupsDeadline::extend()
{
    if (!http_)
        return;
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds_);
}

bool CupsDeadline::expired() const
{
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->expired;
}

int CupsDeadline::OnTimeout(http_t * /*http*/, void *data)
{
    auto *state = static_cast<State *>(data);
    std::lock_guard<std::mutex> lock(state->mutex);
    if (std::chrono::steady_clock::now() < state->deadline && !state->expired)
        return 1; // go on waiting
    state->expired = true;
    return 0;
}

std::string CupsTimeoutMessage(const std::string &what, int seconds)
{
    return TrArgs("the CUPS server %1 did not %2 within %3 s", CupsServerName(), what,
                  std::to_string(seconds));
}

std::string CupsFailureReason(http_t *http)
{
    const char *message = cupsLastErrorString();
    if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE && message && *message &&
        std::strcmp(message, "Success") != 0)
        return message;
    if (http && httpError(http) != 0)
        return std::strerror(httpError(http));
    if (http && httpGetStatus(http) >= HTTP_STATUS_BAD_REQUEST)
        return httpStatus(httpGetStatus(http));
    return TrArgs("the server closed the connection");
}

std::string CupsPPDOpenError()
{
    int line = 0;
    const ppd_status_t status = ppdLastError(&line);
    if (status == PPD_FILE_OPEN_ERROR)
        return std::strerror(errno);
    std::string reason = ppdErrorString(status);
    if (line > 0)
        reason += TrArgs(" on line %1", std::to_string(line));
    return reason;
}

std::string CupsServerName()
{
    const char *server = cupsServer();
    if (server[0] == '/')
        return server;
    return std::string(server) + ":" + std::to_string(ippPort());
}

std::string CupsQueueNameProblem(const std::string &name)
{
    if (name.empty())
        return TrArgs("the queue name is empty");
    if (name.size() > 127)
        return TrArgs("the queue name %1 is longer than 127 bytes", name.substr(0, 40) + "...");
    for (unsigned char c : name) {
        if (c <= ' ' || c >= 127 || std::strchr("/\\?#'\"", c))
            return TrArgs(
                "%1 is not a queue name: CUPS names a queue with printable ASCII characters, without "
                "spaces or any of / \\ ? # ' \"",
                "\"" + name + "\"");
    }
    return {};
}

bool CupsPPDIsQVMR52(ppd_file_t *ppd)
{
    // Quick Color drives every other control of the panel: a description
    // without it has nothing the panel could show.
    return ppd && ppdFindOption(ppd, "WQQuickColor");
}

bool CupsListQueues(http_t *http, std::vector<CupsQueueInfo> *queues, std::string *error)
{
    cups_dest_t *dests = nullptr;
    int count = 0;
    bool expired = false;
    {
        CupsDeadline deadline(http, gTimeout);
        count = cupsGetDests2(http, &dests);
        expired = deadline.expired();
    }
    std::unique_ptr<cups_dest_t, DestsFree> owned(dests, DestsFree{count});
    if (expired) {
        *error = CupsTimeoutMessage(TrArgs("send the list of queues"), gTimeout);
        return false;
    }
    if (count == 0 && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE &&
        cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND) {
        *error = Refusal(http, TrArgs("the list of queues"));
        return false;
    }
    queues->clear();
    for (int i = 0; i < count; i++) {
        if (dests[i].instance)
            continue;
        CupsQueueInfo info;
        FillInfo(&dests[i], &info);
        std::string file, timedOut;
        const http_status_t status = FetchPPD(http, info.name, &file, &timedOut);
        if (!timedOut.empty()) {
            *error = timedOut;
            return false;
        }
        if (status == HTTP_STATUS_OK) {
            info.hasPPD = true;
            std::unique_ptr<ppd_file_t, PPDClose> ppd(ppdOpenFile(file.c_str()));
            info.isQVMR52 = CupsPPDIsQVMR52(ppd.get());
            unlink(file.c_str());
        }
        queues->push_back(std::move(info));
    }
    return true;
}

CupsQueue::~CupsQueue()
{
    removePPDFile();
}

void CupsQueue::removePPDFile()
{
    if (!ppdFile_.empty())
        unlink(ppdFile_.c_str());
    ppdFile_.clear();
}

CupsQueue::Result CupsQueue::open(http_t *http, const std::string &name, std::string *error)
{
    if (!name.empty()) {
        if (std::string problem = CupsQueueNameProblem(name); !problem.empty()) {
            *error = problem;
            return Result::kRefused;
        }
    }
    cups_dest_t *dest = nullptr;
    bool expired = false;
    {
        CupsDeadline deadline(http, gTimeout);
        dest = cupsGetNamedDest(http, name.empty() ? nullptr : name.c_str(), nullptr);
        expired = deadline.expired();
    }
    std::unique_ptr<cups_dest_t, DestsFree> owned(dest, DestsFree{1});
    if (expired) {
        *error = CupsTimeoutMessage(name.empty() ? TrArgs("name the default queue")
                                                 : TrArgs("describe the queue %1", name),
                                    gTimeout);
        return Result::kRefused;
    }
    if (!dest) {
        if (cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND) {
            *error = Refusal(http, name.empty() ? TrArgs("the default queue") : TrArgs("the queue %1", name));
            return Result::kRefused;
        }
        if (name.empty())
            return Result::kNoDefault;
        *error = TrArgs("the CUPS server %1 has no queue %2", CupsServerName(), name);
        return Result::kRefused;
    }
    FillInfo(dest, &info_);
    for (int i = 0; i < dest->num_options; i++)
        destOptions_[dest->options[i].name] = dest->options[i].value;

    std::string timedOut;
    http_status_t status = FetchPPD(http, info_.name, &ppdFile_, &timedOut);
    if (!timedOut.empty()) {
        *error = timedOut;
        return Result::kRefused;
    }
    if (status == HTTP_STATUS_NOT_FOUND) {
        // A raw or driverless queue: the dialog offers what the queue
        // itself says it supports.
        CupsDeadline deadline(http, gTimeout);
        queueOptions_ = QueueIPPOptionsOf(http, dest);
        if (deadline.expired()) {
            *error = CupsTimeoutMessage(TrArgs("describe the queue %1", info_.name), gTimeout);
            return Result::kRefused;
        }
        return Result::kOpened;
    }
    if (status != HTTP_STATUS_OK) {
        *error = Refusal(http, TrArgs("the PPD of %1", info_.name));
        return Result::kRefused;
    }
    std::unique_ptr<ppd_file_t, PPDClose> ppd(ppdOpenFile(ppdFile_.c_str()));
    if (!ppd) {
        *error = TrArgs("the PPD of the queue %1 cannot be read: %2", info_.name, CupsPPDOpenError());
        return Result::kRefused;
    }
    if (!CupsPPDIsQVMR52(ppd.get())) {
        *error = TrArgs("the queue %1 is not a QV-MR52 (its PPD, %2, has no Color Options)", info_.name,
                        info_.makeAndModel.empty() ? std::string("?") : info_.makeAndModel);
        return Result::kRefused;
    }
    info_.hasPPD = true;
    info_.isQVMR52 = true;
    return Result::kOpened;
}

std::string CupsQueue::title() const
{
    if (!info_.info.empty())
        return info_.info;
    if (!info_.makeAndModel.empty())
        return info_.makeAndModel;
    return info_.name;
}
