#include "QueueIPPOptions.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>
#include <memory>

namespace
{

const char *const kNames[] = {"media", "sides", "print-color-mode", "print-quality"};

// A raw queue passes any paper on and lists none: the common sizes then.
const char *const kAnyMedia[] = {"iso_a4_210x297mm",         "na_letter_8.5x11in", "na_legal_8.5x14in",
                                 "iso_a5_148x210mm",         "iso_a3_297x420mm",   "na_ledger_11x17in",
                                 "na_number-10_4.125x9.5in", "iso_dl_110x220mm"};

std::string ValueText(ipp_attribute_t *attribute, int i)
{
    switch (ippGetValueTag(attribute)) {
    case IPP_TAG_INTEGER:
    case IPP_TAG_ENUM:
        return std::to_string(ippGetInteger(attribute, i));
    default: {
        const char *text = ippGetString(attribute, i, nullptr);
        return text ? text : "";
    }
    }
}

struct InfoFree {
    void operator()(cups_dinfo_t *info) const { cupsFreeDestInfo(info); }
};

} // namespace

std::vector<QueueIPPOption> QueueIPPOptionsOf(http_t *http, cups_dest_t *dest)
{
    std::vector<QueueIPPOption> options;
    std::unique_ptr<cups_dinfo_t, InfoFree> info(cupsCopyDestInfo(http, dest));
    if (!info)
        return options;
    for (const char *name : kNames) {
        ipp_attribute_t *values = cupsFindDestSupported(http, dest, info.get(), name);
        QueueIPPOption option;
        option.name = name;
        if (!values && option.name == "media")
            option.values.assign(std::begin(kAnyMedia), std::end(kAnyMedia));
        for (int i = 0; values && i < ippGetCount(values); ++i) {
            std::string value = ValueText(values, i);
            if (!value.empty())
                option.values.push_back(value);
        }
        // Only a choice is worth a control; the paper is shown even alone.
        if (option.values.empty() || (option.values.size() < 2 && option.name != "media"))
            continue;
        ipp_attribute_t *preset = cupsFindDestDefault(http, dest, info.get(), name);
        option.defaultValue = preset ? ValueText(preset, 0) : std::string();
        const bool listed =
            std::find(option.values.begin(), option.values.end(), option.defaultValue) != option.values.end();
        if (!listed && !values && !option.defaultValue.empty())
            option.values.insert(option.values.begin(), option.defaultValue);
        else if (!listed)
            option.defaultValue = option.values.front();
        options.push_back(std::move(option));
    }
    return options;
}

std::vector<std::string> QueueIPPOptionNames()
{
    return {std::begin(kNames), std::end(kNames)};
}

const char *QueueIPPOptionTitle(const std::string &name)
{
    if (name == "media")
        return QT_TRANSLATE_NOOP("tintdialog", "Paper size");
    if (name == "sides")
        return QT_TRANSLATE_NOOP("tintdialog", "Two-sided");
    if (name == "print-color-mode")
        return QT_TRANSLATE_NOOP("tintdialog", "Color mode");
    return QT_TRANSLATE_NOOP("tintdialog", "Quality");
}

std::string QueueIPPValueTitle(const std::string &name, const std::string &value)
{
    static const struct {
        const char *name, *value, *title;
    } kTitles[] = {
        {"sides", "one-sided", QT_TRANSLATE_NOOP("tintdialog", "Off")},
        {"sides", "two-sided-long-edge", QT_TRANSLATE_NOOP("tintdialog", "Long edge")},
        {"sides", "two-sided-short-edge", QT_TRANSLATE_NOOP("tintdialog", "Short edge")},
        {"print-color-mode", "color", QT_TRANSLATE_NOOP("tintdialog", "Color")},
        {"print-color-mode", "monochrome", QT_TRANSLATE_NOOP("tintdialog", "Grayscale")},
        {"print-quality", "3", QT_TRANSLATE_NOOP("tintdialog", "Draft")},
        {"print-quality", "4", QT_TRANSLATE_NOOP("tintdialog", "Normal")},
        {"print-quality", "5", QT_TRANSLATE_NOOP("tintdialog", "High")},
    };
    for (const auto &t : kTitles) {
        if (name == t.name && value == t.value)
            return QCoreApplication::translate("tintdialog", t.title).toStdString();
    }
    // Media names such as iso_a4_210x297mm read as they are; PWG names
    // carry their size.
    return value;
}
