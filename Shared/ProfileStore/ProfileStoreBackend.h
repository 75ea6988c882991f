// The seam between the store and the files it works on. A store object is
// given its back end: the plug-in's names the files after the login name and
// sends every change through the relay; the service's names them per request
// and reaches them only through the preferences folder's descriptor. Tests,
// tools and fuzz targets have a back end on two full paths of their own
// (tests/support/store).
#pragma once

#include "TintPaths.h"

#include <cstddef>
#include <cstdint>
#include <string>

class ProfileStoreBackend
{
  public:
    virtual ~ProfileStoreBackend() = default;

    // The whole current list file into content: a regular file of at most
    // kProfileListMaxBytes. False when it cannot be had.
    virtual bool ReadCurrentList(std::string *content) = 0;
    // Puts the XML text of a whole list (UTF-8, length bytes) on disk as the
    // current file so that it is either replaced whole or left as it was.
    // 0 or -1. The write-permission probe has already been run by the caller.
    virtual int WriteWholeFile(const char *xml, size_t length) = 0;

    // The four file operations (results as the WQPList functions give them;
    // the probe is run here by the caller where the operation needs one).
    virtual int IsAdminProfile() = 0;
    // The probe with the reason it failed: 0 may write, 1 not permitted, 2
    // nobody answered (ProfileListWriteProbe). By default the probe's
    // result alone.
    virtual int ProbeWritePermission() { return IsAdminProfile() != 0 ? 0 : 1; }
    virtual void SwapProfile(int32_t type) = 0;
    virtual int ExistProfile() = 0;
    virtual int Remove(int32_t selector) = 0;

    // Why the calling thread's last operation on this back end failed, one
    // line; "" when it did not, or when the back end keeps no reasons. The
    // relay back end passes on the relay's (TintRelayLastErrorString()).
    virtual std::string LastError() const { return {}; }
};

// Reads a whole list file from an open descriptor: refuses anything but a
// regular file of at most kProfileListMaxBytes.
bool ProfileReadListFd(int fd, std::string *content);
// The same for a path, opened without blocking (a FIFO at the path is
// refused instead of waiting for a writer).
bool ProfileReadListPath(const char *path, std::string *content);

// Helper for back ends that name the files after the login name of the real
// user id: formats the preferences path of nameFormat (kProfileListNameFormat
// or kProfileListPrevNameFormat) into out. -1 (out empty) when the user has
// no login name or the path would not fit.
int ProfileStoreLoginPath(char out[TINT_PATH_BUFFER], const char *nameFormat);

// The name of the preferences folder's group ("" when it cannot be had).
std::string ProfileStoreFolderGroup();
