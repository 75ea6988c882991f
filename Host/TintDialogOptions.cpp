#include "TintDialogOptions.h"

#include "TintDialogCommand.h"
#include "TintDialogTranslation.h"
#include "TintPaths.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace
{

constexpr const char kDefaultPrinterID[] = "QV_MR52";

const TintDialogOption kGlobalOptions[] = {
    {"queue", "d", QT_TRANSLATE_NOOP("tintdialog", "NAME"),
     QT_TRANSLATE_NOOP("tintdialog", "a queue of the CUPS server (default: the user's default queue)"),
     &TintDialogOptions::queue},
    {"server", nullptr, QT_TRANSLATE_NOOP("tintdialog", "HOST[:PORT]"),
     QT_TRANSLATE_NOOP("tintdialog", "the CUPS server (default: CUPS_SERVER, else the local one)"),
     &TintDialogOptions::server},
    {"timeout", nullptr, QT_TRANSLATE_NOOP("tintdialog", "SECONDS"),
     QT_TRANSLATE_NOOP("tintdialog",
                       "the longest wait for the CUPS server: to connect, for each answer, for each "
                       "piece of a document; a PPD's transfer may take twice as long (default: 30)"),
     &TintDialogOptions::timeout},
    {"ppd", nullptr, QT_TRANSLATE_NOOP("tintdialog", "FILE"),
     QT_TRANSLATE_NOOP("tintdialog",
                       "a printer description instead of a queue (such as the sample printer's, "
                       "Demo/QV-MR52.ppd)"),
     &TintDialogOptions::ppd},
    {"printer-id", nullptr, QT_TRANSLATE_NOOP("tintdialog", "ID"),
     QT_TRANSLATE_NOOP("tintdialog", "the queue's name (default: the queue's, else QV_MR52)"),
     &TintDialogOptions::printerID},
    {"device-uri", nullptr, QT_TRANSLATE_NOOP("tintdialog", "URI"),
     QT_TRANSLATE_NOOP("tintdialog", "the queue's device URI (default: the queue's, else none)"),
     &TintDialogOptions::deviceURI, true},
    {"settings", nullptr, QT_TRANSLATE_NOOP("tintdialog", "FILE"),
     QT_TRANSLATE_NOOP("tintdialog",
                       "the job's print settings, an XML property list (default: one file per queue)"),
     &TintDialogOptions::settings},
    {"plugin", nullptr, QT_TRANSLATE_NOOP("tintdialog", "DIR"),
     QT_TRANSLATE_NOOP("tintdialog", "the Tintpane.plugin bundle (default: the one built beside)"),
     &TintDialogOptions::plugin},
    {"help", "h", nullptr, QT_TRANSLATE_NOOP("tintdialog", "this text")},
    {"version", nullptr, nullptr, QT_TRANSLATE_NOOP("tintdialog", "the program's version")},
};

// The root that holds this program at its installed path: the staging
// tree for a built program, "" where it is installed under "/".
fs::path ProgramRoot()
{
    return fs::path(TintProgramRoot(kTintDialogPath));
}

// The user's configuration folder as the desktop defines it
// ($XDG_CONFIG_HOME, else ~/.config).
fs::path ConfigFolder()
{
    return fs::path(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString());
}

// A queue name as a file name: anything but letters, digits, '-', '_' and
// '.' becomes '_'.
std::string FileNameOf(const std::string &id)
{
    std::string name = id;
    for (char &c : name) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                  c == '_' || c == '.';
        if (!ok)
            c = '_';
    }
    if (name.empty() || name[0] == '.')
        name.insert(0, "_");
    return name;
}

} // namespace

TintDialogOptionTable TintDialogGlobalOptions()
{
    return kGlobalOptions;
}

bool TintDialogTakeOptions(const TintDialogArguments &arguments, TintDialogOptions *options,
                           std::string *error)
{
    for (const TintDialogOption &option : kGlobalOptions) {
        if (!option.field || !arguments.isSet(option.name))
            continue;
        const std::string value = arguments.value(option.name);
        if (value.empty() && !option.mayBeEmpty) {
            *error = TintDialogTr("%1 needs a non-empty %2")
                         .arg(QString::fromStdString(TintDialogOptionName(option)),
                              QString::fromStdString(TintDialogOptionValueName(option)))
                         .toStdString();
            return false;
        }
        options->*(option.field) = value;
    }
    if (!options->timeout.empty()) {
        const std::string &t = options->timeout;
        const bool digits = t.size() <= 5 && t.find_first_not_of("0123456789") == std::string::npos;
        const int seconds = digits ? std::atoi(t.c_str()) : 0;
        if (seconds < 1 || seconds > 86400) {
            *error = TintDialogTr("--timeout takes a number of seconds from 1 to 86400, not %1")
                         .arg(QString::fromStdString(t))
                         .toStdString();
            return false;
        }
    }
    if (!options->queue.empty() && !options->ppd.empty()) {
        *error =
            TintDialogTr("--queue and --ppd exclude each other: a queue brings its own PPD").toStdString();
        return false;
    }
    return true;
}

void TintDialogApplyDefaults(TintDialogOptions *options)
{
    std::error_code ec;
    const fs::path root = ProgramRoot();
    if (options->plugin.empty()) {
        fs::path beside = root.string() + kTintPluginBundle;
        options->plugin =
            (!root.empty() && fs::exists(beside, ec)) ? beside.string() : TintPluginBundlePath();
    }
    if (options->printerID.empty())
        options->printerID = kDefaultPrinterID;
    options->defaultSettings = options->settings.empty();
    if (options->settings.empty())
        options->settings =
            (ConfigFolder() / "tintdialog" / (FileNameOf(options->printerID) + ".plist")).string();
}

std::string TintDialogUsage()
{
    std::string text =
        TintDialogTr("usage: tintdialog [OPTIONS] COMMAND [ARGS]").toStdString() + "\n\n" +
        TintDialogTr("The print dialog of one QV-MR52 queue with its Color Options panel.").toStdString() +
        "\n\n" + TintDialogTr("Options:").toStdString() + "\n" + TintDialogOptionHelp(kGlobalOptions, 2) +
        "\n" + TintDialogTr("Commands:").toStdString() + "\n";
    for (const TintDialogCommand *command : TintDialogCommands()) {
        text += "  " + std::string(command->name);
        if (command->usage && *command->usage)
            text += " " + TintDialogTr(command->usage).toStdString();
        text += "\n      " + TintDialogTr(command->summary).toStdString() + "\n";
        text += TintDialogOptionHelp(command->options, 6);
    }
    text +=
        "\n" +
        TintDialogTr("Exit status: 0 on success (Print in the window), 1 when a followed job ended without "
                     "completing or the window was cancelled, 2 on bad usage, a refused change or a refused "
                     "job.")
            .toStdString() +
        "\n";
    return text;
}
