#include "TempRoot.h"

#include "TintPaths.h"

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

TempRoot::TempRoot()
{
    char tmpl[] = "/tmp/tintroot.XXXXXX";
    char *dir = mkdtemp(tmpl);
    root_ = dir ? dir : "/tmp/tintroot.failed";
    ::chmod(root_.c_str(), 0755);

    if (const char *old = std::getenv("TINT_ROOT")) {
        hadRoot_ = true;
        savedRoot_ = old;
    }
    setenv("TINT_ROOT", root_.c_str(), 1);

    std::error_code ec;
    fs::create_directories(preferences(), ec);

    // Link the built relay and service at their fixed paths.
    const std::string stage = TINT_STAGE_ROOT;
    for (const char *fixed : {kTintRelayPath, kTintVaultPath}) {
        fs::path built = stage + fixed;
        if (fs::exists(built, ec)) {
            fs::path target = root_ + fixed;
            fs::create_directories(target.parent_path(), ec);
            fs::create_symlink(built, target, ec);
        }
    }
}

TempRoot::~TempRoot()
{
    std::error_code ec;
    fs::remove_all(root_, ec);
    if (hadRoot_)
        setenv("TINT_ROOT", savedRoot_.c_str(), 1);
    else
        unsetenv("TINT_ROOT");
}

std::string TempRoot::preferences() const
{
    return root_ + kTintPreferencesFolder;
}

std::string TempRoot::prefFile(const std::string &name) const
{
    return preferences() + name;
}

std::string TempRoot::currentList() const
{
    return prefFile(TintLoginName() + "-QV-MR52-profile.plist");
}

std::string TempRoot::previousList() const
{
    return prefFile(TintLoginName() + "-QV-MR52-profile.prev.plist");
}

void TempRoot::openToAll() const
{
    std::error_code ec;
    // Another user may not reach the build tree (a checkout in a home folder
    // of mode 0700): the root gets copies of the staged programs, the bundle
    // and the data in place of links to them.
    const fs::path stage = TINT_STAGE_ROOT;
    for (auto it = fs::recursive_directory_iterator(stage, ec); it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        const fs::path target = fs::path(root_) / fs::relative(it->path(), stage, ec);
        fs::create_directories(target.parent_path(), ec);
        fs::remove(target, ec);
        fs::copy_file(it->path(), target, ec);
    }
    fs::permissions(root_, fs::perms::all, ec);
    for (auto it = fs::recursive_directory_iterator(root_, ec); it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec))
            fs::permissions(it->path(), fs::perms::all, ec);
    }
}

std::string ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::string();
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool WriteFile(const std::string &path, const std::string &content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out << content;
    return static_cast<bool>(out);
}

bool FileExists(const std::string &path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

std::string RunCommand(const std::string &command, int *status)
{
    std::string output;
    FILE *pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        if (status)
            *status = -1;
        return output;
    }
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    int rc = ::pclose(pipe);
    if (status)
        *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return output;
}

bool WaitUntil(const std::function<bool()> &condition, double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

SmallDisk::SmallDisk(const std::string &folder) : folder_(folder)
{
    if (::getuid() != 0)
        why_ = "needs root to mount a small tmpfs at " + folder;
    else if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0)
        why_ = "cannot mount a tmpfs at " + folder + ": " + std::strerror(errno);
}

SmallDisk::~SmallDisk()
{
    if (mounted())
        ::umount2(folder_.c_str(), MNT_DETACH);
}

void SmallDisk::fill() const
{
    RunCommand("dd if=/dev/zero of='" + folder_ + "/filler' bs=4k 2>/dev/null");
}
