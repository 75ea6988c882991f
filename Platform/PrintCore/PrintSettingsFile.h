// The job's print settings kept between runs of the print dialog: one XML
// property list per queue, whose top level is a dictionary holding exactly
// what PMPrintSettings holds (strings, integers, booleans, reals, data,
// dates, nested dictionaries and arrays).
#pragma once

#include "PrintCore.h"

#include <cstddef>
#include <string>

// Reads the settings file at path into *values (replacing what was there).
// A file that does not exist gives empty settings and true. Returns false
// with a one-line *error, leaving *values empty, when the file cannot be
// read, is not an XML or binary property list, its top level is not a
// dictionary, or it holds a value that print settings cannot carry (a UID
// of a keyed archive): writing such settings back would lose it.
bool PMPrintSettingsReadFile(const std::string &path, PMDictionary *values, std::string *error);

// Reads the whole file at path into *text. A file that does not exist gives
// "" and true; false with a one-line *error when it cannot be read or is
// larger than maxBytes.
bool PMReadFileWhole(const std::string &path, std::string *text, std::string *error, std::size_t maxBytes);

// Parses property-list text (XML or binary) as print settings; the same
// rules as PMPrintSettingsReadFile.
bool PMPrintSettingsFromPropertyList(const std::string &text, PMDictionary *values, std::string *error);

// The settings as XML property-list text. false (with *error) when a key or
// a string holds a control character that XML 1.0 cannot carry: such text
// would make the whole file unreadable, so it is refused, never written.
bool PMPrintSettingsToXML(const PMDictionary &values, std::string *xml, std::string *error);

// Writes the settings as an XML property list with PMWriteFileWhole.
// Returns false with a one-line *error (the file untouched).
// Built with Qt only (not in the fuzzing build), as the two below.
bool PMPrintSettingsWriteFile(const std::string &path, const PMDictionary &values, std::string *error);

// Replaces the file at path with bytes, whole or not at all: written to a
// temporary file in the same folder, every write, the flush and the sync
// checked, and renamed over path only then. On any failure the old file
// stays byte for byte and *error holds one line with the reason.
bool PMWriteFileWhole(const std::string &path, const std::string &bytes, std::string *error);

// An advisory lock between processes on a file that is read, changed and
// written back: held from the read to the rename, so that two changes at
// once both land. It locks "PATH.lock" beside the file (the file itself is
// replaced by each write, so its own inode cannot carry the lock), waiting
// for another holder; released on destruction.
class PMFileLock
{
  public:
    PMFileLock() = default;
    ~PMFileLock();
    PMFileLock(const PMFileLock &) = delete;
    PMFileLock &operator=(const PMFileLock &) = delete;

    // false with a one-line *error when the lock file cannot be made.
    bool lock(const std::string &path, std::string *error);
    void unlock();
    bool locked() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};
