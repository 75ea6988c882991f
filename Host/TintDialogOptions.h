// Global options of tintdialog, given before the command.
#pragma once

#include "TintDialogCommandLine.h"

#include <string>
#include <vector>

struct TintDialogOptions {
    std::string ppd;       // --ppd FILE
    std::string printerID; // --printer-id ID
    std::string deviceURI; // --device-uri URI ("" : the queue has none)
    std::string settings;  // --settings FILE
    std::string plugin;    // --plugin DIR
    std::string queue;     // --queue NAME / -d NAME: a queue of the CUPS server
    std::string server;    // --server HOST[:PORT] (default: CUPS_SERVER, else libcups' own)
    std::string timeout;   // --timeout SECONDS: the longest wait for the server (default: 30)
    // The settings file is the queue's own default one, whose folder may be
    // created; a folder named with --settings must exist.
    bool defaultSettings = false;
    // The command reads the settings file to write it back (set, print):
    // the dialog holds the file's lock from the read to the write.
    bool changesSettings = false;
};

// The global options (and -h/--help, --version): they may stand before or
// after the command.
TintDialogOptionTable TintDialogGlobalOptions();

// Takes the global options given in arguments into *options. false with a
// one-line *error for an empty value where one is needed, or --queue with
// --ppd.
bool TintDialogTakeOptions(const TintDialogArguments &arguments, TintDialogOptions *options,
                           std::string *error);

// Fills every option left empty: the plug-in bundle beside the program,
// printer ID "QV_MR52", the queue's own settings file in the user's
// configuration folder. The PPD and the device URI stay as they are: a
// queue of a CUPS server fills them before this runs (a queue without a PPD
// has none), and the sample printer opens only when --ppd names it.
void TintDialogApplyDefaults(TintDialogOptions *options);

// The text of --help, made from the option tables and the commands.
std::string TintDialogUsage();
