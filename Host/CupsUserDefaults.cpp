// The user's defaults in the lpoptions file: edited line by line so that
// lines of queues on other servers and of other instances survive.
#include "CupsQueue.h"
#include "TintDialogTranslation.h"

#include "PrintSettingsFile.h"

#include <strings.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

std::string CupsUserOptionsFile()
{
    // Where libcups 2.4 writes them (and reads them last): in ~/.cups, or
    // without a home in the server root's lpoptions.
    const char *home = std::getenv("HOME");
    if (home && *home)
        return std::string(home) + "/.cups/lpoptions";
    const char *serverRoot = std::getenv("CUPS_SERVERROOT");
    return std::string(serverRoot && *serverRoot ? serverRoot : "/etc/cups") + "/lpoptions";
}

namespace
{

// An lpoptions file larger than this is not one a person wrote.
constexpr std::size_t kMaxOptionsFile = 16u * 1024u * 1024u;

// One line of an lpoptions file: "Dest NAME[/INSTANCE] OPTIONS" or
// "Default ...". false for anything else (kept as it stands).
bool SplitOptionsLine(const std::string &line, std::string *keyword, std::string *name, std::string *instance,
                      std::string *options)
{
    auto word = [&](size_t *at) {
        while (*at < line.size() && (line[*at] == ' ' || line[*at] == '\t'))
            ++*at;
        size_t start = *at;
        while (*at < line.size() && line[*at] != ' ' && line[*at] != '\t')
            ++*at;
        return line.substr(start, *at - start);
    };
    size_t at = 0;
    *keyword = word(&at);
    if (strcasecmp(keyword->c_str(), "Dest") != 0 && strcasecmp(keyword->c_str(), "Default") != 0)
        return false;
    std::string full = word(&at);
    if (full.empty())
        return false;
    size_t slash = full.find('/');
    *name = full.substr(0, slash);
    *instance = slash == std::string::npos ? "" : full.substr(slash + 1);
    *options = line.substr(at);
    return true;
}

// Options as libcups writes them: a value with a space, quote or backslash
// in double quotes with those characters escaped.
std::string OptionsText(int count, const cups_option_t *options)
{
    std::string text;
    for (int i = 0; i < count; i++) {
        text += ' ';
        text += options[i].name;
        const std::string value = options[i].value;
        if (value.empty())
            continue;
        if (value.find_first_of(" \\\"'") == std::string::npos) {
            text += "=" + value;
            continue;
        }
        text += "=\"";
        for (char c : value) {
            if (c == '"' || c == '\'' || c == '\\')
                text += '\\';
            text += c;
        }
        text += '"';
    }
    return text;
}

} // namespace

bool CupsSetUserDefaults(http_t * /*http*/, const std::string &queue, ppd_file_t *ppd,
                         const std::vector<std::string> &jobOptions,
                         const std::map<std::string, std::string> &choices, std::string *error)
{
    // The file is edited line by line rather than through cupsSetDests2,
    // which writes back only the destinations this server knows (dropping
    // the lines of every other server's queues) and writes in place (a full
    // disk cuts it): the queue's own lines change, every other line stays
    // as it was, and the file is replaced whole under its lock.
    const std::string path = CupsUserOptionsFile();
    const std::string folder = path.substr(0, path.rfind('/'));
    mkdir(folder.c_str(), 0700);
    PMFileLock lock;
    std::string reason;
    std::string text;
    if (lock.lock(path, &reason) && !PMReadFileWhole(path, &text, &reason, kMaxOptionsFile))
        lock.unlock();
    if (!lock.locked()) {
        *error = TrArgs("cannot write the user's lpoptions: %1", reason);
        return false;
    }
    const bool clear = choices.empty();
    std::string out;
    bool baseSeen = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const std::string line =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? text.size() : end + 1;
        std::string keyword, name, instance, rest;
        const bool ours = SplitOptionsLine(line, &keyword, &name, &instance, &rest) &&
                          strcasecmp(name.c_str(), queue.c_str()) == 0 && (instance.empty() || clear);
        if (!ours) {
            out += line + (end == std::string::npos ? "" : "\n");
            continue;
        }
        cups_option_t *options = nullptr;
        int count = cupsParseOptions(rest.c_str(), 0, &options);
        for (ppd_option_t *option = ppdFirstOption(ppd); option; option = ppdNextOption(ppd))
            count = cupsRemoveOption(option->keyword, count, &options);
        for (const std::string &name : jobOptions)
            count = cupsRemoveOption(name.c_str(), count, &options);
        if (instance.empty()) {
            baseSeen = true;
            for (const auto &[key, choice] : choices)
                count = cupsAddOption(key.c_str(), choice.c_str(), count, &options);
        }
        // A plain Dest line without options says nothing; Default and
        // instance lines still name the default or the instance.
        if (count > 0 || strcasecmp(keyword.c_str(), "Default") == 0 || !instance.empty())
            out += keyword + " " + name + (instance.empty() ? "" : "/" + instance) +
                   OptionsText(count, options) + "\n";
        // cupsFreeOptions frees nothing once every option has been removed,
        // though the array is still there.
        if (count > 0)
            cupsFreeOptions(count, options);
        else
            std::free(options);
    }
    if (!baseSeen && !choices.empty()) {
        cups_option_t *options = nullptr;
        int count = 0;
        for (const auto &[key, choice] : choices)
            count = cupsAddOption(key.c_str(), choice.c_str(), count, &options);
        out += "Dest " + queue + OptionsText(count, options) + "\n";
        cupsFreeOptions(count, options);
    }
    if (out == text)
        return true;
    if (!PMWriteFileWhole(path, out, &reason)) {
        *error = TrArgs("cannot write the user's lpoptions: %1", reason);
        return false;
    }
    return true;
}
