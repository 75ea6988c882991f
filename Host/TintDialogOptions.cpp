#include "TintDialogOptions.h"

#include "TintDialogCommand.h"
#include "TintPaths.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace
{

constexpr const char kDefaultPrinterID[] = "QV_MR52";

struct OptionRecord {
    const char *name; // nullptr closes the table
    std::string TintDialogOptions::*field;
    const char *argument;
    const char *help;
};

const OptionRecord kOptionRecords[] = {
    {"--ppd", &TintDialogOptions::ppd, "FILE",
     "the queue's printer description (default: the sample printer)"},
    {"--printer-id", &TintDialogOptions::printerID, "ID", "the queue's name (default: QV_MR52)"},
    {"--device-uri", &TintDialogOptions::deviceURI, "URI", "the queue's device URI (default: none)"},
    {"--settings", &TintDialogOptions::settings, "FILE",
     "the job's print settings, an XML property list (default: one file per queue)"},
    {"--plugin", &TintDialogOptions::plugin, "DIR",
     "the Tintpane.plugin bundle (default: the one built beside)"},
    {nullptr, nullptr, nullptr, nullptr},
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

fs::path ConfigFolder()
{
    if (const char *xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        return fs::path(xdg);
    if (const char *home = std::getenv("HOME"); home && *home)
        return fs::path(home) / ".config";
    return fs::path("/tmp");
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

bool TintDialogParseOptions(const std::vector<std::string> &args, TintDialogOptions *options,
                            std::vector<std::string> *rest, std::string *error)
{
    rest->clear();
    bool commandSeen = false;
    for (size_t i = 0; i < args.size(); i++) {
        const std::string &word = args[i];
        const bool optionLike = word.size() >= 2 && word.compare(0, 2, "--") == 0;
        if (!commandSeen && !optionLike) {
            commandSeen = true;
            rest->push_back(word);
            continue;
        }
        if (!optionLike) {
            rest->push_back(word);
            continue;
        }
        if (!commandSeen && (word == "--help" || word == "-h")) {
            rest->assign({"help"});
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
        while (record->name && name != record->name)
            record++;
        if (!record->name) {
            // After the command, other options are the command's own.
            if (commandSeen) {
                rest->push_back(word);
                continue;
            }
            *error = "unknown option " + name;
            return false;
        }
        // A global option may also follow the command ("show --json --ppd FILE").
        if (!inlineValue) {
            if (i + 1 >= args.size()) {
                *error = name + " needs " + record->argument;
                return false;
            }
            value = args[++i];
        }
        if (value.empty() && record->field != &TintDialogOptions::deviceURI) {
            *error = name + " needs a non-empty " + record->argument;
            return false;
        }
        options->*(record->field) = value;
    }
    TintDialogApplyDefaults(options);
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
    if (options->settings.empty())
        options->settings =
            (ConfigFolder() / "tintdialog" / (FileNameOf(options->printerID) + ".plist")).string();
}

std::string TintDialogUsage()
{
    std::string text = "usage: tintdialog [OPTIONS] COMMAND [ARGS]\n\n"
                       "The print dialog of one QV-MR52 queue with its Color Options panel.\n\nOptions:\n";
    for (const OptionRecord *record = kOptionRecords; record->name; record++)
        text += "  " + std::string(record->name) + " " + record->argument + "\n      " + record->help + "\n";
    text += "\nCommands:\n";
    for (const TintDialogCommand *command : TintDialogCommands()) {
        text += "  " + std::string(command->name);
        if (command->usage && *command->usage)
            text += std::string(" ") + command->usage;
        text += "\n      " + std::string(command->summary ? command->summary : "") + "\n";
    }
    text += "\nExit status: 0 on success, 2 on bad usage or a refused change.\n";
    return text;
}
