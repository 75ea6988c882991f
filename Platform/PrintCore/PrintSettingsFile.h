// The job's print settings kept between runs of the print dialog: one XML
// property list per queue, whose top level is a dictionary holding exactly
// what PMPrintSettings holds (strings, integers, booleans, reals, data,
// dates, nested dictionaries and arrays).
#pragma once

#include "PrintCore.h"

#include <string>

// Reads the settings file at path into *values (replacing what was there).
// A file that does not exist gives empty settings and true. Returns false
// with a one-line *error, leaving *values empty, when the file cannot be
// read, is not an XML or binary property list, its top level is not a
// dictionary, or it holds a value that print settings cannot carry (a UID
// of a keyed archive): writing such settings back would lose it.
bool PMPrintSettingsReadFile(const std::string &path, PMDictionary *values, std::string *error);

// Parses property-list text (XML or binary) as print settings; the same
// rules as PMPrintSettingsReadFile.
bool PMPrintSettingsFromPropertyList(const std::string &text, PMDictionary *values, std::string *error);

// The settings as XML property-list text. false (with *error) when a key or
// a string holds a control character that XML 1.0 cannot carry: such text
// would make the whole file unreadable, so it is refused, never written.
bool PMPrintSettingsToXML(const PMDictionary &values, std::string *xml, std::string *error);

// Writes the settings as an XML property list: to a temporary file beside
// path, then renamed over it, so that a failed write never leaves a cut
// file behind. Returns false with a one-line *error (the file untouched).
// Built with Qt only (not in the fuzzing build).
bool PMPrintSettingsWriteFile(const std::string &path, const PMDictionary &values, std::string *error);
