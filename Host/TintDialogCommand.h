// The commands of tintdialog. Each command lives in its own source file and
// registers itself with one line:
//     TINT_DIALOG_COMMAND(kShowCommand);
// where kShowCommand is a static const TintDialogCommand. The command table
// is the set of registered records, listed by name in the help text.
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

// Adds a command to the table; false when the name is taken (the first stays).
bool TintDialogRegisterCommand(const TintDialogCommand *command);
// The command of that name, or nullptr.
const TintDialogCommand *TintDialogFindCommand(const std::string &name);
// Every registered command, sorted by name.
std::vector<const TintDialogCommand *> TintDialogCommands();

#define TINT_DIALOG_COMMAND_CONCAT2(a, b) a##b
#define TINT_DIALOG_COMMAND_CONCAT(a, b) TINT_DIALOG_COMMAND_CONCAT2(a, b)
#define TINT_DIALOG_COMMAND(record)                                                                          \
    static const bool TINT_DIALOG_COMMAND_CONCAT(record, _registered_) = TintDialogRegisterCommand(&record)
