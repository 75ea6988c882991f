#include "FileUrl.h"

#include <cstring>

namespace
{

bool IsUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string TintFileUrlFromPath(const std::string &path)
{
    if (path.empty() || path[0] != '/')
        return std::string();
    static const char hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : path) {
        if (IsUnreserved(c) || c == '/') {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 0xF];
        }
    }
    return url;
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

    std::string decoded;
    decoded.reserve(rest.size());
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const char c = rest[i];
        if (c == '?' || c == '#')
            return false;
        if (c != '%') {
            decoded += c;
            continue;
        }
        if (i + 2 >= rest.size())
            return false;
        const int hi = HexValue(rest[i + 1]);
        const int lo = HexValue(rest[i + 2]);
        if (hi < 0 || lo < 0)
            return false;
        const char byte = static_cast<char>(hi * 16 + lo);
        if (byte == '\0')
            return false;
        decoded += byte;
        i += 2;
    }
    *path = std::move(decoded);
    return true;
}
