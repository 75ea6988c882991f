// "file:" URL strings for the paths that cross the relay.
#pragma once

#include <string>

// The absolute "file://" URL string of an absolute POSIX path, with every byte
// outside the unreserved set and "/" percent-escaped. "" for a relative path.
std::string TintFileUrlFromPath(const std::string &path);

// The POSIX path of a "file:" URL string ("file:///p", "file://localhost/p"
// or "file:/p"), percent escapes decoded. False for anything else: another
// scheme or host, a query or fragment, a bad or NUL escape.
bool TintPathFromFileUrl(const std::string &url, std::string *path);
