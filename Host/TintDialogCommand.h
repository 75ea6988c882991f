// The commands of tintdialog. Each command's record lives in its own source
// file and is named there as kTintDialog<Name>Command; the one table of
// commands (TintDialogCommandTable.cpp) lists them, and the help text shows
// them by name.
#pragma once

#include "TintDialogCommandLine.h"

#include <string>
#include <vector>

class TintDialogContext;

// Exit statuses of the program.
enum : int {
    kTintDialogSuccess = 0,
    kTintDialogJobNotCompleted = 1, // a followed job ended cancelled or aborted; the window was cancelled
    kTintDialogFailure = 2,         // bad usage, a refused change, or nothing to work on
};

struct TintDialogCommand {
    const char *name;    // first word on the command line
    const char *usage;   // arguments after the name, for the help text (translated)
    const char *summary; // one line for the help text (translated)
    bool interactive;    // wants a display unless given --screenshot
    // Runs the command with its options and the words after its name
    // (args.positional()); returns the exit status.
    int (*run)(TintDialogContext &context, const TintDialogArguments &args);
    // Its own options, which may stand anywhere after the command.
    TintDialogOptionTable options = {};
};

// The command of that name, or nullptr.
const TintDialogCommand *TintDialogFindCommand(const std::string &name);
// Every command, sorted by name.
std::vector<const TintDialogCommand *> TintDialogCommands();

// The records, each defined in its own file.
extern const TintDialogCommand &kTintDialogDefaultsCommand;
extern const TintDialogCommand &kTintDialogGuiCommand;
extern const TintDialogCommand &kTintDialogPathsCommand;
extern const TintDialogCommand &kTintDialogPrintCommand;
extern const TintDialogCommand &kTintDialogProfilesCommand;
extern const TintDialogCommand &kTintDialogQueuesCommand;
extern const TintDialogCommand &kTintDialogSetCommand;
extern const TintDialogCommand &kTintDialogShowCommand;
