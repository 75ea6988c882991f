#include "PrintJobOptions.h"

#include <cstdio>
#include <cstring>

namespace
{

// The text of a plain value; false for dictionaries, arrays, data, dates.
bool ScalarText(const PMValue &value, std::string *out)
{
    std::string &text = *out;
    switch (value.typeID()) {
    case kPMTypeString:
        text = *value.string();
        break;
    case kPMTypeInteger:
        text = std::to_string(*value.integer());
        break;
    case kPMTypeBoolean:
        text = *value.boolean() ? "true" : "false";
        break;
    case kPMTypeReal: {
        char number[64];
        std::snprintf(number, sizeof number, "%g", *value.real());
        text = number;
        break;
    }
    default:
        return false;
    }
    return true;
}

// The PPD option that a key of the panel's own belongs to, or "".
std::string OwnerOption(const std::string &key)
{
    for (const char *suffix : {"CustomFilename", "Custom"}) {
        const size_t n = std::strlen(suffix);
        if (key.size() > n && key.compare(key.size() - n, n, suffix) == 0)
            return key.substr(0, key.size() - n);
    }
    return {};
}

} // namespace

std::string PrintJobOptionsText(const PMDictionary &settings)
{
    std::string out;
    for (const auto &[key, value] : settings) {
        std::string text;
        if (ScalarText(value, &text))
            out += key + "=" + text + "\n";
    }
    return out;
}

std::vector<std::pair<std::string, std::string>> PrintJobAttributes(const PMDictionary &settings,
                                                                    ppd_file_t *ppd)
{
    std::vector<std::pair<std::string, std::string>> attributes;
    for (const auto &[key, value] : settings) {
        std::string text;
        if (!ScalarText(value, &text))
            continue;
        const std::string owner = OwnerOption(key);
        if (ppdFindOption(ppd, key.c_str()) || (!owner.empty() && ppdFindOption(ppd, owner.c_str())))
            attributes.emplace_back(key, text);
    }
    return attributes;
}
