// Fixed paths of the driver (TintConfig.h), all kept under one root.
//
// The root is "/" on an installed system; the environment variable TINT_ROOT
// replaces it (tests, the demo and the build's staging tree). Every path that code formats
// into a fixed buffer must fit in TINT_PATH_BUFFER - 1 bytes; anything longer
// is refused, never cut into the name of another file.
#pragma once

#include "TintConfig.h"

#include <cstddef>
#include <string>

// Size of every path buffer (zero-filled, at most 254 characters used).
constexpr std::size_t TINT_PATH_BUFFER = 255;

// The root that TINT_ROOT names, without a trailing slash ("" for "/").
std::string TintRoot();

// fixedPath (absolute, as installed) placed under the root.
std::string TintPathUnderRoot(const char *fixedPath);

// Convenience forms of TintPathUnderRoot for the fixed locations.
std::string TintPreferencesFolder(); // ends with '/'
std::string TintRelayPath();
std::string TintVaultPath();
std::string TintProfileFolder();
std::string TintPrinterIconPath();
std::string TintSendrixPath();
std::string TintPluginBundlePath();
std::string TintSamplePPDPath();

// Formats into out (TINT_PATH_BUFFER bytes, zero-filled first) the text
// preferencesFolder + the file name made from nameFormat and its arguments.
// Returns 0, or -1 (out left empty) when the result would not fit in 254
// bytes or the format fails.
int TintFormatPreferencesPath(char out[TINT_PATH_BUFFER], const char *nameFormat, ...)
    __attribute__((format(printf, 2, 3)));

// Copies text into out (TINT_PATH_BUFFER bytes, zero-filled first).
// Returns 0, or -1 (out left empty) when it would not fit.
int TintCopyPath(char out[TINT_PATH_BUFFER], const char *text);

// The root under which the running program sits at installedPath (its
// absolute path as installed): the staging tree for a built program, "" for
// one installed under "/" or found elsewhere.
std::string TintProgramRoot(const char *installedPath);

// Login name of the process's real user id ("" when the password database
// has no entry).
std::string TintLoginName();
