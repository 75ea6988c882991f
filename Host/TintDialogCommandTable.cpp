// The one table of tintdialog's commands.
#include "TintDialogCommand.h"

#include <algorithm>
#include <cstring>

namespace
{

// Read at run time: the records are bound in their own files.
std::vector<const TintDialogCommand *> Table()
{
    return {
        &kTintDialogDefaultsCommand, &kTintDialogGuiCommand,      &kTintDialogPathsCommand,
        &kTintDialogPrintCommand,    &kTintDialogProfilesCommand, &kTintDialogQueuesCommand,
        &kTintDialogSetCommand,      &kTintDialogShowCommand,
    };
}

} // namespace

const TintDialogCommand *TintDialogFindCommand(const std::string &name)
{
    for (const TintDialogCommand *command : Table()) {
        if (name == command->name)
            return command;
    }
    return nullptr;
}

std::vector<const TintDialogCommand *> TintDialogCommands()
{
    std::vector<const TintDialogCommand *> commands = Table();
    std::sort(commands.begin(), commands.end(), [](const TintDialogCommand *a, const TintDialogCommand *b) {
        return std::strcmp(a->name, b->name) < 0;
    });
    return commands;
}
