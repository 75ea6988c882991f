#include "TintPaths.h"

#include <limits.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

std::string TintRoot()
{
    const char *env = std::getenv("TINT_ROOT");
    std::string root = (env && *env) ? env : "/";
    while (!root.empty() && root.back() == '/')
        root.pop_back();
    return root;
}

std::string TintPathUnderRoot(const char *fixedPath)
{
    std::string path = TintRoot();
    if (fixedPath == nullptr)
        return path;
    if (fixedPath[0] != '/')
        path += '/';
    path += fixedPath;
    return path;
}

std::string TintPreferencesFolder()
{
    return TintPathUnderRoot(kTintPreferencesFolder);
}
std::string TintRelayPath()
{
    return TintPathUnderRoot(kTintRelayPath);
}
std::string TintVaultPath()
{
    return TintPathUnderRoot(kTintVaultPath);
}
std::string TintProfileFolder()
{
    return TintPathUnderRoot(kTintProfileFolder);
}
std::string TintPrinterIconPath()
{
    return TintPathUnderRoot(kTintPrinterIcon);
}
std::string TintSendrixPath()
{
    return TintPathUnderRoot(kTintSendrixPath);
}
std::string TintPluginBundlePath()
{
    return TintPathUnderRoot(kTintPluginBundle);
}
std::string TintSamplePPDPath()
{
    return TintPathUnderRoot(kTintSamplePPD);
}

int TintCopyPath(char out[TINT_PATH_BUFFER], const char *text)
{
    std::memset(out, 0, TINT_PATH_BUFFER);
    if (text == nullptr)
        return -1;
    size_t len = std::strlen(text);
    if (len >= TINT_PATH_BUFFER)
        return -1;
    std::memcpy(out, text, len);
    return 0;
}

int TintFormatPreferencesPath(char out[TINT_PATH_BUFFER], const char *nameFormat, ...)
{
    std::memset(out, 0, TINT_PATH_BUFFER);
    if (nameFormat == nullptr)
        return -1;

    va_list ap;
    va_start(ap, nameFormat);
    va_list ap2;
    va_copy(ap2, ap);
    int n = std::vsnprintf(nullptr, 0, nameFormat, ap);
    va_end(ap);
    if (n < 0) {
        va_end(ap2);
        return -1;
    }
    std::vector<char> name(static_cast<size_t>(n) + 1);
    std::vsnprintf(name.data(), name.size(), nameFormat, ap2);
    va_end(ap2);

    std::string path = TintPreferencesFolder();
    path.append(name.data(), static_cast<size_t>(n));
    return TintCopyPath(out, path.c_str());
}

std::string TintProgramRoot(const char *installedPath)
{
    char exe[PATH_MAX + 1];
    const ssize_t n = ::readlink("/proc/self/exe", exe, PATH_MAX);
    const size_t tail = installedPath ? std::strlen(installedPath) : 0;
    if (n <= 0 || tail == 0 || static_cast<size_t>(n) < tail ||
        std::memcmp(exe + n - tail, installedPath, tail) != 0)
        return std::string();
    return std::string(exe, static_cast<size_t>(n) - tail);
}

std::string TintLoginName()
{
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    struct passwd pw;
    struct passwd *result = nullptr;
    if (getpwuid_r(getuid(), &pw, buffer.data(), buffer.size(), &result) != 0 || result == nullptr ||
        result->pw_name == nullptr)
        return std::string();
    return result->pw_name;
}
