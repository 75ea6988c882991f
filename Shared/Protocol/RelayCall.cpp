#include "RelayCall.h"

#include "RelayProtocol.h"
#include "RequestSplitter.h"
#include "TintPaths.h"
#include "TintText.h"
#include "UniqueFd.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

extern char **environ;

namespace
{

thread_local TintRelayError tError = TintRelayError::None;
thread_local std::string tErrorText;

// Records why the call fails; returns false for the caller to return.
bool Fail(TintRelayError error, std::string text)
{
    tError = error;
    tErrorText = std::move(text);
    return false;
}

bool Succeed()
{
    tError = TintRelayError::None;
    tErrorText.clear();
    return true;
}

// The spawned relay; waited for (and so reaped) on every path.
class SpawnedChild
{
  public:
    explicit SpawnedChild(pid_t pid) : pid_(pid) {}
    ~SpawnedChild() { wait(); }
    SpawnedChild(const SpawnedChild &) = delete;
    SpawnedChild &operator=(const SpawnedChild &) = delete;

    // Ends a relay that overstayed its time; the wait then reaps it.
    void kill()
    {
        if (pid_ > 0)
            ::kill(pid_, SIGKILL);
    }

    void wait()
    {
        if (pid_ <= 0)
            return;
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
    }

  private:
    pid_t pid_;
};

class SpawnActions
{
  public:
    SpawnActions() { ok_ = ::posix_spawn_file_actions_init(&actions_) == 0; }
    ~SpawnActions()
    {
        if (ok_)
            ::posix_spawn_file_actions_destroy(&actions_);
    }
    SpawnActions(const SpawnActions &) = delete;
    SpawnActions &operator=(const SpawnActions &) = delete;
    bool ok() const { return ok_; }
    posix_spawn_file_actions_t *get() { return &actions_; }

  private:
    posix_spawn_file_actions_t actions_;
    bool ok_ = false;
};

} // namespace

bool TintRelayRun(const std::string &method, const std::vector<std::string> &args, std::string *output)
{
    output->clear();
    const std::string relay = TintRelayPath();
    struct stat st;
    if (::stat(relay.c_str(), &st) != 0)
        return Fail(TintRelayError::NoRelay, "no relay at " + relay);

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return Fail(TintRelayError::NotStarted,
                    std::string("no pipe for the relay: ") + std::strerror(errno));
    UniqueFd readEnd(fds[0]);
    UniqueFd writeEnd(fds[1]);

    SpawnActions actions;
    if (!actions.ok() ||
        ::posix_spawn_file_actions_adddup2(actions.get(), writeEnd.get(), STDOUT_FILENO) != 0)
        return Fail(TintRelayError::NotStarted, "cannot prepare the start of the relay " + relay);

    std::vector<char *> argv;
    argv.reserve(args.size() + 3);
    argv.push_back(const_cast<char *>(relay.c_str()));
    argv.push_back(const_cast<char *>(method.c_str()));
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);

    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, relay.c_str(), actions.get(), nullptr, argv.data(), environ);
    if (spawned != 0)
        return Fail(TintRelayError::NotStarted,
                    "cannot start the relay " + relay + ": " + std::strerror(spawned));
    SpawnedChild child(pid);
    writeEnd.reset();

    // Read to the end before waiting: a child whose output outgrew the pipe
    // would otherwise never exit. A relay still running at the limit is
    // ended; what it was asked to do goes on in the service without it.
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(kTintRelayTimeLimitSeconds);
    std::string bytes;
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            child.kill();
            return Fail(TintRelayError::TimedOut, "the relay gave no answer to " + method + " within " +
                                                      std::to_string(kTintRelayTimeLimitSeconds) + " s");
        }
        pollfd ready = {readEnd.get(), POLLIN, 0};
        const int polled = ::poll(&ready, 1, static_cast<int>(left.count()));
        if (polled < 0 && errno != EINTR)
            return Fail(TintRelayError::NotRead,
                        std::string("cannot read the relay: ") + std::strerror(errno));
        if (polled <= 0)
            continue;
        const ssize_t n = ::read(readEnd.get(), buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            return Fail(TintRelayError::NotRead,
                        std::string("cannot read the relay: ") + std::strerror(errno));
        }
    }
    child.wait();

    if (!TintIsValidUtf8(bytes))
        return Fail(TintRelayError::NotUtf8, "the relay's output to " + method + " is not UTF-8");
    *output = std::move(bytes);
    return Succeed();
}

bool TintRelayCallBool(const std::string &method, const std::vector<std::string> &args)
{
    std::string output;
    if (!TintRelayRun(method, args, &output))
        return false;
    if (output.find(method + "=" + tint::kReplyTrue) != std::string::npos)
        return true;
    if (output.find(method + "=") != std::string::npos)
        return Fail(TintRelayError::Refused, "the profile service answered FALSE to " + method);
    return Fail(TintRelayError::NoReply, "no reply to " + method + ": the relay reached no profile service");
}

bool TintRelayCallWalk(const std::string &model, const std::string &user,
                       const std::vector<std::string> &walkArgs, int *result)
{
    std::vector<std::string> args;
    args.reserve(walkArgs.size() + 2);
    args.push_back(model);
    args.push_back(user);
    args.insert(args.end(), walkArgs.begin(), walkArgs.end());

    std::string output;
    if (!TintRelayRun(kMibwalk_XPC, args, &output))
        return false;
    const std::string marker = std::string(kMibwalk_XPC) + "=" + tint::kReplyWalkPrefix;
    const std::size_t at = output.find(marker);
    if (at == std::string::npos)
        return Fail(TintRelayError::NoReply,
                    std::string("no reply to ") + kMibwalk_XPC + ": the relay reached no profile service");
    bool found = false;
    // Only the rest of that line can hold the number.
    std::size_t start = at + marker.size();
    std::size_t end = output.find('\n', start);
    const int value =
        tint::leadingInteger(output.substr(start, end == std::string::npos ? end : end - start), &found);
    if (!found)
        return Fail(TintRelayError::NoReply,
                    std::string("the reply to ") + kMibwalk_XPC + " holds no result");
    if (result)
        *result = value;
    return true;
}

TintRelayError TintRelayLastError()
{
    return tError;
}

const char *TintRelayLastErrorString()
{
    return tErrorText.c_str();
}
