// show [--json]: the panel as the dialog loads it, reported.
#include "PanelReport.h"
#include "TintDialogCommand.h"
#include "TintDialogContext.h"
#include "TintDialogTranslation.h"

#include <QCoreApplication>
#include <QJsonDocument>

#include <cstdio>

namespace
{

const TintDialogOption kShowOptions[] = {
    {"json", nullptr, nullptr, QT_TRANSLATE_NOOP("tintdialog", "the report as JSON")},
};

int RunShow(TintDialogContext &context, const TintDialogArguments &args)
{
    const bool json = args.isSet("json");
    for (const std::string &arg : args.positional())
        return context.failUnexpectedArgument("show", arg);
    PrintDialog *dialog = context.dialog();
    if (!dialog)
        return kTintDialogFailure;
    dialog->loadPanel();
    if (json) {
        QByteArray text = QJsonDocument(PanelReportJSON(*dialog)).toJson(QJsonDocument::Indented);
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    } else {
        std::fputs(PanelReportText(*dialog).c_str(), stdout);
    }
    return kTintDialogSuccess;
}

const TintDialogCommand kShowCommand = {
    "show",
    "[--json]",
    QT_TRANSLATE_NOOP("tintdialog",
                      "load the panel as the dialog does and report its controls, the host page, summary and "
                      "settings"),
    false,
    RunShow,
    kShowOptions};

} // namespace

const TintDialogCommand &kTintDialogShowCommand = kShowCommand;
