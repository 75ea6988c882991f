// paths: where this driver keeps its files, one NAME<TAB>PATH line each,
// under the current root (TINT_ROOT), for bug reports and scripts.
#include "TintDialogCommand.h"
#include "TintDialogContext.h"
#include "TintPaths.h"

#include <QCoreApplication>

#include <cstdio>

namespace
{

const struct {
    const char *name;
    std::string (*path)();
} kFixedPaths[] = {
    {"preferences", TintPreferencesFolder},
    {"relay", TintRelayPath},
    {"service", TintVaultPath},
    {"plugin", TintPluginBundlePath},
    {"profiles", TintProfileFolder},
    {"icon", TintPrinterIconPath},
    {"ppd", TintSamplePPDPath},
};

int RunPaths(TintDialogContext &context, const TintDialogArguments &args)
{
    for (const std::string &arg : args.positional())
        return context.failUnexpectedArgument("paths", arg);
    for (const auto &fixed : kFixedPaths)
        std::printf("%s\t%s\n", fixed.name, fixed.path().c_str());
    return kTintDialogSuccess;
}

const TintDialogCommand kPathsCommand = {
    "paths",
    "",
    QT_TRANSLATE_NOOP("tintdialog",
                      "where the driver's files are: preferences folder, relay, service, plug-in, "
                      "profile folder, icon, PPD (NAME, tab, path)"),
    false,
    RunPaths,
};

} // namespace

const TintDialogCommand &kTintDialogPathsCommand = kPathsCommand;
