#include "TintDialogCommand.h"

#include <algorithm>
#include <cstring>

namespace
{

// Filled by the static initialisers of the command files, before main.
std::vector<const TintDialogCommand *> &Registry()
{
    static std::vector<const TintDialogCommand *> commands;
    return commands;
}

} // namespace

bool TintDialogRegisterCommand(const TintDialogCommand *command)
{
    if (!command || !command->name || !command->run || TintDialogFindCommand(command->name))
        return false;
    Registry().push_back(command);
    return true;
}

const TintDialogCommand *TintDialogFindCommand(const std::string &name)
{
    for (const TintDialogCommand *command : Registry()) {
        if (name == command->name)
            return command;
    }
    return nullptr;
}

std::vector<const TintDialogCommand *> TintDialogCommands()
{
    std::vector<const TintDialogCommand *> commands = Registry();
    std::sort(commands.begin(), commands.end(), [](const TintDialogCommand *a, const TintDialogCommand *b) {
        return std::strcmp(a->name, b->name) < 0;
    });
    return commands;
}
