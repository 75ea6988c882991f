#include "ProfileStoreBackend.h"

#include "TintPaths.h"

#include <grp.h>
#include <sys/stat.h>

#include <cstring>
#include <string>

int ProfileStoreLoginPath(char out[TINT_PATH_BUFFER], const char *nameFormat)
{
    std::memset(out, 0, TINT_PATH_BUFFER);
    const std::string login = TintLoginName();
    if (login.empty() || nameFormat == nullptr)
        return -1;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    return TintFormatPreferencesPath(out, nameFormat, login.c_str());
#pragma GCC diagnostic pop
}

std::string ProfileStoreFolderGroup()
{
    struct stat st;
    if (::stat(TintPreferencesFolder().c_str(), &st) != 0)
        return std::string();
    const struct group *g = ::getgrgid(st.st_gid);
    return g ? std::string(g->gr_name) : std::string();
}
