#include "ProfileStoreBackend.h"

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
