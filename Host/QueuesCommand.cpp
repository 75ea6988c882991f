// queues [--json]: the CUPS server's queues, which of them a QV-MR52.
#include "CupsQueue.h"
#include "PanelReport.h"
#include "TintDialogCommand.h"
#include "TintDialogContext.h"
#include "TintDialogTranslation.h"

#include <QCoreApplication>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace
{

// The kind column of the listing.
const char *KindOf(const CupsQueueInfo &queue)
{
    if (!queue.hasPPD)
        return "no-PPD";
    return queue.isQVMR52 ? "QV-MR52" : "other";
}

const TintDialogOption kQueuesOptions[] = {
    {"json", nullptr, nullptr, QT_TRANSLATE_NOOP("tintdialog", "the list as JSON")},
};

int RunQueues(TintDialogContext &context, const TintDialogArguments &args)
{
    const bool json = args.isSet("json");
    for (const std::string &arg : args.positional())
        return context.failUnexpectedArgument("queues", arg);
    http_t *http = context.http();
    if (!http)
        return kTintDialogFailure;
    std::vector<CupsQueueInfo> queues;
    std::string error;
    if (!CupsListQueues(http, &queues, &error))
        return context.fail(error);
    if (json) {
        QJsonArray list;
        for (const CupsQueueInfo &queue : queues) {
            QJsonObject object;
            object.insert("name", QString::fromStdString(queue.name));
            object.insert("makeAndModel", QString::fromStdString(queue.makeAndModel));
            object.insert("deviceURI", QString::fromStdString(queue.deviceURI));
            object.insert("state", QString::fromStdString(queue.state));
            object.insert("isDefault", queue.isDefault);
            object.insert("hasPPD", queue.hasPPD);
            object.insert("isQVMR52", queue.isQVMR52);
            list.append(object);
        }
        QByteArray text = QJsonDocument(list).toJson(QJsonDocument::Indented);
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
        return kTintDialogSuccess;
    }
    for (const CupsQueueInfo &queue : queues) {
        // Every field as one line without tabs: a make and model (the PPD's
        // NickName) or a URI with a tab or line break would otherwise add
        // columns or queues of its own.
        std::printf("%s\t%s\t%s\t%s\t%s\t%s\n", PanelReportEscape(queue.name).c_str(),
                    queue.isDefault ? "default" : "-", PanelReportEscape(queue.state).c_str(), KindOf(queue),
                    PanelReportEscape(queue.makeAndModel).c_str(),
                    PanelReportEscape(queue.deviceURI).c_str());
    }
    return kTintDialogSuccess;
}

const TintDialogCommand kQueuesCommand = {
    "queues",
    "[--json]",
    QT_TRANSLATE_NOOP("tintdialog",
                      "list the CUPS server's queues: name, default mark, state, kind (QV-MR52, "
                      "other, no-PPD), make and model, device URI (tab-separated)"),
    false,
    RunQueues,
    kQueuesOptions};

} // namespace

const TintDialogCommand &kTintDialogQueuesCommand = kQueuesCommand;
