#include "ChildProcess.h"

#include "TempRoot.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

extern char **environ;

std::string ShellQuote(const std::string &text)
{
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

std::string MakeTempDir(const char *prefix)
{
    std::string tmpl = std::string("/tmp/") + prefix + ".XXXXXX";
    if (::mkdtemp(tmpl.data()) == nullptr)
        return std::string();
    return tmpl;
}

pid_t SpawnLogged(const std::vector<std::string> &args, const std::string &logPath,
                  const std::vector<std::string> &extraEnv)
{
    std::vector<std::string> env(extraEnv);
    for (char **e = environ; *e != nullptr; ++e) {
        std::string entry(*e);
        const std::string key = entry.substr(0, entry.find('=') + 1);
        bool replaced = false;
        for (const auto &x : extraEnv)
            replaced = replaced || x.compare(0, key.size(), key) == 0;
        if (!replaced)
            env.push_back(entry);
    }
    std::vector<char *> argv, envp;
    for (const auto &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    for (const auto &e : env)
        envp.push_back(const_cast<char *>(e.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

int RunProgram(const std::vector<std::string> &args, std::string *output)
{
    const std::string dir = MakeTempDir("tintrun");
    if (dir.empty())
        return -1;
    const std::string log = dir + "/output";
    pid_t pid = SpawnLogged(args, log, {});
    int status = -1;
    if (pid > 0) {
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (output)
        *output = ReadFile(log);
    std::remove(log.c_str());
    ::rmdir(dir.c_str());
    return status;
}

void StopChild(pid_t &pid)
{
    if (pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    for (int i = 0; i < 500; ++i) {
        int status;
        pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid || r < 0) {
            pid = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    pid = -1;
}
