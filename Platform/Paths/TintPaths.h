// Fixed paths of the driver, all kept verbatim under one root.
//
// The root is "/" on an installed system; the environment variable TINT_ROOT
// replaces it (tests, the demo and packaging). Every path that code formats
// into a fixed buffer must fit in TINT_PATH_BUFFER - 1 bytes; anything longer
// is refused, never cut into the name of another file.
#pragma once

#include <cstddef>
#include <string>

// Size of every path buffer (zero-filled, at most 254 characters used).
constexpr std::size_t TINT_PATH_BUFFER = 255;

// Fixed locations as installed, relative to the root.
inline constexpr const char kTintModelName[] = "QV-MR52";
inline constexpr const char kTintPrinterIdentifier[] = "com.varno.QV-MR52";
inline constexpr const char kTintPreferencesFolder[] =
    "/Library/Printers/VARNO/Preferences/com.varno.QV-MR52/";
inline constexpr const char kTintRelayPath[] =
    "/Library/Application Support/VARNO/QV-MR52/Helpers/Tintrelay.app/Contents/MacOS/Tintrelay";
inline constexpr const char kTintVaultPath[] =
    "/Library/Application Support/VARNO/QV-MR52/Helpers/Tintrelay.app/Contents/XPCServices/"
    "Tintvault.xpc/Contents/MacOS/Tintvault";
inline constexpr const char kTintProfileFolder[] = "/Library/Printers/VARNO/Products/QV-MR52/Profiles";
inline constexpr const char kTintPrinterIcon[] = "/Library/Printers/VARNO/Products/QV-MR52/Icons/QVMR52.icns";
inline constexpr const char kTintSendrixPath[] = "/Applications/Sendrix QV-MR52/TALVERN Sendrix.app";
inline constexpr const char kTintPluginBundle[] = "/Library/Printers/VARNO/PDEs/Tintpane.plugin";

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

// Formats into out (TINT_PATH_BUFFER bytes, zero-filled first) the text
// preferencesFolder + the file name made from nameFormat and its arguments.
// Returns 0, or -1 (out left empty) when the result would not fit in 254
// bytes or the format fails.
int TintFormatPreferencesPath(char out[TINT_PATH_BUFFER], const char *nameFormat, ...)
    __attribute__((format(printf, 2, 3)));

// Copies text into out (TINT_PATH_BUFFER bytes, zero-filled first).
// Returns 0, or -1 (out left empty) when it would not fit.
int TintCopyPath(char out[TINT_PATH_BUFFER], const char *text);

// Login name of the process's real user id ("" when the password database
// has no entry).
std::string TintLoginName();
