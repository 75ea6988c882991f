#include "FileUrl.h"

#include "TintText.h"

#include <cstring>

std::string TintFileUrlFromPath(const std::string &path)
{
    if (path.empty() || path[0] != '/')
        return std::string();
    return "file://" + TintPercentEncode(path, "/");
}

bool TintPathFromFileUrl(const std::string &url, std::string *path)
{
    path->clear();
    std::string rest;
    if (url.rfind("file://localhost/", 0) == 0)
        rest = url.substr(std::strlen("file://localhost"));
    else if (url.rfind("file:///", 0) == 0)
        rest = url.substr(std::strlen("file://"));
    else if (url.rfind("file:/", 0) == 0 && url.rfind("file://", 0) != 0)
        rest = url.substr(std::strlen("file:"));
    else
        return false;

    // A query or a fragment is no part of a list's name.
    if (rest.find_first_of("?#") != std::string::npos)
        return false;
    std::string decoded;
    if (!TintPercentDecode(rest, TintBadEscape::Refuse, &decoded))
        return false;
    *path = std::move(decoded);
    return true;
}
