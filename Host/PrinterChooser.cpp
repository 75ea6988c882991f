#include "PrinterChooser.h"
#include "TintDialogTranslation.h"

#include <QCoreApplication>
#include <QStringList>

#include <cups/cups.h>

#include <algorithm>
#include <map>

namespace
{

struct ServerState {
    std::vector<std::string> reasons;
    std::string message;
    bool accepting = true;
};

// printer-state-reasons, -message and accepting of every queue, by name.
std::map<std::string, ServerState> QueryStates(http_t *http)
{
    static const char *const kRequested[] = {"printer-name", "printer-state-reasons", "printer-state-message",
                                             "printer-is-accepting-jobs"};
    ipp_t *request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(std::size(kRequested)), nullptr, kRequested);
    ipp_t *response = cupsDoRequest(http, request, "/");
    std::map<std::string, ServerState> states;
    std::string name;
    ServerState state;
    auto flush = [&] {
        if (!name.empty())
            states[name] = state;
        name.clear();
        state = ServerState{};
    };
    for (ipp_attribute_t *a = response ? ippFirstAttribute(response) : nullptr; a;
         a = ippNextAttribute(response)) {
        const char *attr = ippGetName(a);
        if (!attr) {
            flush();
            continue;
        }
        const std::string n = attr;
        if (n == "printer-name")
            name = ippGetString(a, 0, nullptr);
        else if (n == "printer-state-message")
            state.message = ippGetString(a, 0, nullptr) ? ippGetString(a, 0, nullptr) : "";
        else if (n == "printer-is-accepting-jobs")
            state.accepting = ippGetBoolean(a, 0);
        else if (n == "printer-state-reasons") {
            for (int i = 0; i < ippGetCount(a); ++i) {
                const char *r = ippGetString(a, i, nullptr);
                if (r && std::string(r) != "none")
                    state.reasons.push_back(r);
            }
        }
    }
    flush();
    ippDelete(response);
    return states;
}

// Words for the printer-state-reasons a person can act on (a -report,
// -warning or -error suffix names how bad it is, not what).
const struct {
    const char *keyword;
    const char *words;
} kReasonWords[] = {
    {"offline", QT_TRANSLATE_NOOP("tintdialog", "offline")},
    {"media-empty", QT_TRANSLATE_NOOP("tintdialog", "out of paper")},
    {"media-needed", QT_TRANSLATE_NOOP("tintdialog", "paper needed")},
    {"media-jam", QT_TRANSLATE_NOOP("tintdialog", "paper jam")},
    {"door-open", QT_TRANSLATE_NOOP("tintdialog", "a door is open")},
    {"cover-open", QT_TRANSLATE_NOOP("tintdialog", "the cover is open")},
    {"toner-empty", QT_TRANSLATE_NOOP("tintdialog", "out of toner")},
    {"toner-low", QT_TRANSLATE_NOOP("tintdialog", "toner low")},
    {"marker-supply-empty", QT_TRANSLATE_NOOP("tintdialog", "out of toner or ink")},
    {"marker-supply-low", QT_TRANSLATE_NOOP("tintdialog", "toner or ink low")},
    {"connecting-to-device", QT_TRANSLATE_NOOP("tintdialog", "connecting to the printer")},
    {"cups-missing-filter", QT_TRANSLATE_NOOP("tintdialog", "a filter is missing")},
};

std::string Bare(std::string reason)
{
    for (const char *suffix : {"-report", "-warning", "-error"}) {
        const std::string s = suffix;
        if (reason.size() > s.size() && reason.compare(reason.size() - s.size(), s.size(), s) == 0)
            return reason.substr(0, reason.size() - s.size());
    }
    return reason;
}

} // namespace

bool PrinterChoicesList(http_t *http, std::vector<PrinterChoice> *choices, std::string *error)
{
    std::vector<CupsQueueInfo> queues;
    if (!CupsListQueues(http, &queues, error))
        return false;
    const std::map<std::string, ServerState> states = QueryStates(http);
    choices->clear();
    for (CupsQueueInfo &queue : queues) {
        PrinterChoice choice;
        if (auto it = states.find(queue.name); it != states.end()) {
            choice.reasons = it->second.reasons;
            choice.message = it->second.message;
            choice.accepting = it->second.accepting;
        }
        choice.queue = std::move(queue);
        choices->push_back(std::move(choice));
    }
    return true;
}

QString PrinterChoiceState(const PrinterChoice &choice)
{
    const bool paused =
        std::find(choice.reasons.begin(), choice.reasons.end(), "paused") != choice.reasons.end();
    QString state = choice.queue.state == "processing" ? Tr("printing")
                    : choice.queue.state == "stopped"  ? (paused ? Tr("paused") : Tr("stopped"))
                                                       : Tr("ready");
    QStringList why;
    for (const std::string &reason : choice.reasons) {
        for (const auto &r : kReasonWords) {
            if (Bare(reason) == r.keyword)
                why << Tr(r.words);
        }
    }
    if (!choice.message.empty() && (choice.queue.state != "idle" || !why.isEmpty()))
        why << QString::fromStdString(choice.message);
    if (!choice.accepting)
        why << Tr("not accepting jobs");
    if (!why.isEmpty())
        state += QStringLiteral(": ") + why.join(QStringLiteral(", "));
    return state;
}

QString PrinterChoiceLine(const PrinterChoice &choice)
{
    QString line =
        QString::fromStdString(choice.queue.name) + QStringLiteral(" – ") + PrinterChoiceState(choice);
    if (choice.queue.isDefault)
        line += QStringLiteral(" ") + Tr("(default)");
    if (!choice.queue.isQVMR52)
        line += QStringLiteral(" ") + Tr("(no colour options)");
    return line;
}
