// Global options of tintdialog, given before the command.
#pragma once

#include <string>
#include <vector>

struct TintDialogOptions {
    std::string ppd;       // --ppd FILE
    std::string printerID; // --printer-id ID
    std::string deviceURI; // --device-uri URI ("" : the queue has none)
    std::string settings;  // --settings FILE
    std::string plugin;    // --plugin DIR
};

// Parses the global options from args (the words after the program name);
// they may stand before or after the command, and *rest receives the
// command and its own arguments in order. Options not given take
// their defaults (TintDialogApplyDefaults). false with a one-line *error
// on a usage error.
bool TintDialogParseOptions(const std::vector<std::string> &args, TintDialogOptions *options,
                            std::vector<std::string> *rest, std::string *error);

// Fills every option left empty: the sample printer description and the
// plug-in bundle beside the program, printer ID "QV_MR52", the queue's own
// settings file in the user's configuration folder. The device URI stays
// empty.
void TintDialogApplyDefaults(TintDialogOptions *options);

// The text of --help.
std::string TintDialogUsage();
