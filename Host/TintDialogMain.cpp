#include "TintDialogMain.h"

#include "TintDialogCommand.h"
#include "TintDialogContext.h"
#include "TintDialogOptions.h"
#include "TintDialogTranslation.h"
#include "TintPaths.h"

#include <QApplication>

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
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string seeHelp = TintDialogTr(" (see tintdialog --help)").toStdString();
    // First the global options before the command, up to its name; then
    // the whole line again with the command's own options, where global
    // options may also follow the command ("show --json --ppd FILE").
    TintDialogArguments global;
    std::string word;
    const TintDialogOption *record = nullptr;
    TintDialogArguments::Result result =
        global.parse(args, {TintDialogGlobalOptions()}, true, &word, &record);
    if (global.isSet("help")) {
        std::fputs(TintDialogUsage().c_str(), stdout);
        return kTintDialogSuccess;
    }
    if (result != TintDialogArguments::Result::kParsed)
        return Fail(TintDialogParseMessage(result, word, record) + seeHelp);
    if (global.isSet("version")) {
        std::printf("tintdialog %s\n", kTintVersion);
        return kTintDialogSuccess;
    }
    if (global.positional().empty())
        return Fail(TintDialogTr("no command given (see tintdialog --help)").toStdString());
    const std::string &name = global.positional().front();
    const TintDialogCommand *command = TintDialogFindCommand(name);
    if (!command)
        return Fail(TintDialogTr("unknown command %1 (see tintdialog --help)")
                        .arg(QString::fromStdString(name))
                        .toStdString());
    TintDialogArguments arguments;
    result = arguments.parse(args, {TintDialogGlobalOptions(), command->options}, false, &word, &record);
    if (arguments.isSet("help")) {
        std::fputs(TintDialogUsage().c_str(), stdout);
        return kTintDialogSuccess;
    }
    // --version stands before the command only.
    if (result == TintDialogArguments::Result::kParsed && arguments.isSet("version")) {
        result = TintDialogArguments::Result::kUnknownOption;
        word = "--version";
    }
    if (result != TintDialogArguments::Result::kParsed)
        return Fail(name + ": " + TintDialogParseMessage(result, word, record) + seeHelp);
    arguments.dropFirstPositional();
    TintDialogOptions options;
    std::string error;
    if (!TintDialogTakeOptions(arguments, &options, &error))
        return Fail(error + seeHelp);

    // Only a window on screen needs a display; everything else renders
    // offscreen, so that the commands work on a machine without one.
    bool wantsDisplay = command->interactive && !arguments.isSet("screenshot");
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
        status = command->run(context, arguments);
    } // the dialog and its widgets go before the application
    return status;
}
