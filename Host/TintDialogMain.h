// The whole program behind tintdialog's main: global options, the Qt
// application, then the command.
#pragma once

int TintDialogMain(int argc, char **argv);
