#include "TintDialogOptions.h"

#include "TintDialogCommand.h"
#include "TintDialogTranslation.h"
#include "TintPaths.h"

#include <QStandardPaths>

#include <filesystem>

namespace fs = std::filesystem;

namespace
{

constexpr const char kDefaultPrinterID[] = "QV_MR52";

struct OptionRecord {
    const char *name;  // nullptr closes the table
    const char *alias; // a short spelling, or nullptr
    std::string TintDialogOptions::*field;
    const char *argument;
    const char *help;
};

const OptionRecord kOptionRecords[] = {
    {"--queue", "-d", &TintDialogOptions::queue, "NAME",
     "a queue of the CUPS server (default: the user's default queue when a server answers, else the sample "
     "printer)"},
    {"--server", nullptr, &TintDialogOptions::server, "HOST[:PORT]",
     "the CUPS server (default: CUPS_SERVER, else the local one)"},
    {"--ppd", nullptr, &TintDialogOptions::ppd, "FILE",
     "a printer description instead of a queue (default: the sample printer)"},
    {"--printer-id", nullptr, &TintDialogOptions::printerID, "ID",
     "the queue's name (default: the queue's, else QV_MR52)"},
    {"--device-uri", nullptr, &TintDialogOptions::deviceURI, "URI",
     "the queue's device URI (default: the queue's, else none)"},
    {"--settings", nullptr, &TintDialogOptions::settings, "FILE",
     "the job's print settings, an XML property list (default: one file per queue)"},
    {"--plugin", nullptr, &TintDialogOptions::plugin, "DIR",
     "the Tintpane.plugin bundle (default: the one built beside)"},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

// The staging root (or installed root) that holds this program in usr/bin.
fs::path ProgramRoot()
{
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    return exe.parent_path().parent_path().parent_path();
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

bool IsAlias(const std::string &word)
{
    for (const OptionRecord *record = kOptionRecords; record->name; record++) {
        if (record->alias && word == record->alias)
            return true;
    }
    return false;
}

} // namespace

bool TintDialogParseOptions(const std::vector<std::string> &args, TintDialogOptions *options,
                            std::vector<std::string> *rest, std::string *error)
{
    rest->clear();
    bool commandSeen = false;
    for (size_t i = 0; i < args.size(); i++) {
        const std::string &word = args[i];
        const bool optionLike =
            (word.size() >= 2 && word.compare(0, 2, "--") == 0) || IsAlias(word) || word == "-h";
        if (!commandSeen && !optionLike) {
            commandSeen = true;
            rest->push_back(word);
            continue;
        }
        if (!optionLike) {
            rest->push_back(word);
            continue;
        }
        if (word == "--help" || word == "-h") {
            rest->assign({"help"});
            return true;
        }
        if (!commandSeen && word == "--version") {
            rest->assign({"version"});
            return true;
        }
        std::string name = word, value;
        bool inlineValue = false;
        if (size_t eq = word.find('='); eq != std::string::npos) {
            name = word.substr(0, eq);
            value = word.substr(eq + 1);
            inlineValue = true;
        }
        const OptionRecord *record = kOptionRecords;
        while (record->name && name != record->name && !(record->alias && name == record->alias))
            record++;
        if (!record->name) {
            // After the command, other options are the command's own.
            if (commandSeen) {
                rest->push_back(word);
                continue;
            }
            *error = TintDialogTr("unknown option %1").arg(QString::fromStdString(name)).toStdString();
            return false;
        }
        // A global option may also follow the command ("show --json --ppd FILE").
        if (!inlineValue) {
            if (i + 1 >= args.size()) {
                *error = TintDialogTr("%1 needs %2")
                             .arg(QString::fromStdString(name), QString::fromLatin1(record->argument))
                             .toStdString();
                return false;
            }
            value = args[++i];
        }
        if (value.empty() && record->field != &TintDialogOptions::deviceURI) {
            *error = TintDialogTr("%1 needs a non-empty %2")
                         .arg(QString::fromStdString(name), QString::fromLatin1(record->argument))
                         .toStdString();
            return false;
        }
        options->*(record->field) = value;
    }
    if (!options->queue.empty() && !options->ppd.empty()) {
        *error = "--queue and --ppd exclude each other: a queue brings its own PPD";
        return false;
    }
    return true;
}

void TintDialogApplyDefaults(TintDialogOptions *options)
{
    std::error_code ec;
    const fs::path root = ProgramRoot();
    if (options->ppd.empty()) {
        fs::path staged = root / "usr/share/tintdialog/QV-MR52.ppd";
        options->ppd =
            (!root.empty() && fs::exists(staged, ec)) ? staged.string() : std::string(TINT_SAMPLE_PPD);
    }
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
    std::string text = "usage: tintdialog [OPTIONS] COMMAND [ARGS]\n\n"
                       "The print dialog of one QV-MR52 queue with its Color Options panel.\n\nOptions:\n";
    for (const OptionRecord *record = kOptionRecords; record->name; record++)
        text += "  " + std::string(record->name) + (record->alias ? std::string(", ") + record->alias : "") +
                " " + record->argument + "\n      " + record->help + "\n";
    text += "\nCommands:\n";
    for (const TintDialogCommand *command : TintDialogCommands()) {
        text += "  " + std::string(command->name);
        if (command->usage && *command->usage)
            text += std::string(" ") + command->usage;
        text += "\n      " + std::string(command->summary ? command->summary : "") + "\n";
    }
    text += "\n  -h, --help     this text\n  --version      the program's version\n";
    text += "\nExit status: 0 on success (Print in the window), 1 when a followed job ended without "
            "completing or "
            "the window was cancelled, 2 on bad usage, a refused change or a refused job.\n";
    return text;
}
