#include "TintDialogMain.h"

#include "TintDialogCommand.h"
#include "TintDialogContext.h"
#include "TintDialogOptions.h"
#include "TintDialogTranslation.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace
{

bool HasDisplay()
{
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char *value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

// Qt's note that it made up a runtime folder would be a second line on
// standard error, where a failing command leaves exactly one.
QtMessageHandler gQtHandler = nullptr;
void FilterQtMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")) ||
                                 message.contains(QLatin1String("propagateSizeHints"))))
        return;
    if (gQtHandler)
        gQtHandler(type, context, message);
}

int Fail(const std::string &message)
{
    std::fprintf(stderr, "tintdialog: %s\n", message.c_str());
    return kTintDialogFailure;
}

} // namespace

int TintDialogMain(int argc, char **argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    TintDialogOptions options;
    std::vector<std::string> rest;
    std::string error;
    if (!TintDialogParseOptions(args, &options, &rest, &error))
        return Fail(error + TintDialogTr(" (see tintdialog --help)").toStdString());
    if (rest.empty())
        return Fail(TintDialogTr("no command given (see tintdialog --help)").toStdString());
    if (rest[0] == "help") {
        std::fputs(TintDialogUsage().c_str(), stdout);
        return kTintDialogSuccess;
    }
    if (rest[0] == "version") {
        std::fputs("tintdialog " TINT_VERSION "\n", stdout);
        return kTintDialogSuccess;
    }
    const TintDialogCommand *command = TintDialogFindCommand(rest[0]);
    if (!command)
        return Fail(TintDialogTr("unknown command %1 (see tintdialog --help)")
                        .arg(QString::fromStdString(rest[0]))
                        .toStdString());
    std::vector<std::string> commandArgs(rest.begin() + 1, rest.end());

    // Only a window on screen needs a display; everything else renders
    // offscreen, so that the commands work on a machine without one.
    bool wantsDisplay = command->interactive && std::find(commandArgs.begin(), commandArgs.end(),
                                                          "--screenshot") == commandArgs.end();
    if (wantsDisplay && !HasDisplay())
        return Fail(
            TintDialogTr("no display for the window (use show, or gui --screenshot FILE.png)").toStdString());
    if (!wantsDisplay)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);

    gQtHandler = qInstallMessageHandler(FilterQtMessages);
    // Qt sees the program name only: it would take options of ours such as
    // --plugin for its own.
    int qtArgc = 1;
    char *qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    QApplication::setApplicationName("tintdialog");
    TintDialogInstallTranslator();
    int status;
    {
        TintDialogContext context(options);
        status = command->run(context, commandArgs);
    } // the dialog and its widgets go before the application
    return status;
}
