// A profile list file named in a request, checked before anything touches it.
//
// The service acts for whoever can reach the session bus, so every path or
// URL it is given must name, after resolving "." / ".." and symbolic links of
// the folder, a file directly in the printer preferences folder whose name is
// a profile list name: "<user>-<model>-profile.plist", its ".prev.plist" or
// the transfer file "<...>-profile.plist.dummy". The file is then reached only
// through the folder's descriptor, never by its full path again, so a folder
// swapped after the check cannot redirect it.
#pragma once

#include "UniqueFd.h"

#include <string>

class ProfileListFile
{
  public:
    // What stands at the file's name.
    enum class Entry { Absent, Regular, Directory, Other, Unknown };

    // Checks path; false (and *out unusable) when it is refused. Paths longer
    // than 254 bytes are refused as everywhere else in the driver.
    static bool Resolve(const std::string &path, ProfileListFile *out);
    // Opens path's folder and keeps its base name, without Resolve's checks
    // of folder and name (for tools and tests on lists of their own).
    static bool OpenAt(const std::string &path, ProfileListFile *out);

    int dir() const { return dir_.get(); }
    const std::string &name() const { return name_; }
    const char *c_name() const { return name_.c_str(); }
    Entry entry() const;

    // Another file in the same folder, reached through a copy of the folder's
    // descriptor (for names the service makes itself). False when name is not
    // a plain file name or no descriptor can be had.
    bool Sibling(const std::string &name, ProfileListFile *out) const;

    // True when both name the same entry of the folder, or two names of one
    // file (hard links).
    bool SameFileAs(const ProfileListFile &other) const;

    // True when name is one of the profile list names.
    static bool IsProfileListName(const std::string &name);

  private:
    UniqueFd dir_;
    std::string name_;
};
