// show [--json]: the panel as the dialog loads it, reported.
#include "PanelReport.h"
#include "TintDialogCommand.h"
#include "TintDialogContext.h"
#include "TintDialogTranslation.h"

#include <QJsonDocument>

#include <cstdio>

namespace
{

int RunShow(TintDialogContext &context, const std::vector<std::string> &args)
{
    bool json = false;
    for (const std::string &arg : args) {
        if (arg == "--json")
            json = true;
        else
            return context.fail(
                TintDialogTr("show: unexpected argument %1").arg(QString::fromStdString(arg)).toStdString());
    }
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
    "show", "[--json]",
    "load the panel as the dialog does and report its controls, the host page, summary and settings", false,
    RunShow};
TINT_DIALOG_COMMAND(kShowCommand);

} // namespace
