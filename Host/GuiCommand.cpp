// gui [--screenshot FILE.png] [--pane advanced] [--print] [FILE...]: the
// dialog's window; with a queue, Print sends FILE... to it.
#include "PrintDialogWindow.h"
#include "ProfilesCommand.h"
#include "TintDialogCommand.h"
#include "TintDialogContext.h"
#include "TintDialogTranslation.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>

namespace
{

int RunGui(TintDialogContext &context, const std::vector<std::string> &args)
{
    std::string screenshot;
    bool advanced = false;
    bool profiles = false;
    bool pressPrint = false;
    std::vector<std::string> documents;
    for (size_t i = 0; i < args.size(); i++) {
        if (args[i] == "--screenshot") {
            if (i + 1 >= args.size() || args[i + 1].empty() || args[i + 1].compare(0, 2, "--") == 0)
                return context.fail(TintDialogTr("gui: --screenshot needs FILE.png").toStdString());
            screenshot = args[++i];
        } else if (args[i] == "--profiles") {
            profiles = true;
        } else if (args[i] == "--pane" && i + 1 < args.size()) {
            if (args[i + 1] != "advanced" && args[i + 1] != "color")
                return context.fail(TintDialogTr("gui: --pane takes advanced or color, not %1")
                                        .arg(QString::fromStdString(args[i + 1]))
                                        .toStdString());
            advanced = args[++i] == "advanced";
        } else if (args[i] == "--print") {
            pressPrint = true;
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return context.fail(TintDialogTr("gui: unexpected argument %1")
                                    .arg(QString::fromStdString(args[i]))
                                    .toStdString());
        } else {
            documents.push_back(args[i]);
        }
    }
    PrintDialog *dialog = context.dialog();
    if (!dialog)
        return kTintDialogFailure;
    CupsQueue *queue = context.queue();
    if (!queue && !documents.empty())
        return context.fail(TintDialogTr("gui: documents need a queue (--queue NAME)").toStdString());
    QWidget *view = dialog->loadPanel();
    // The window takes the view and the host page; the dialog releases the
    // panel before the window's widgets are destroyed.
    PrintDialogWindow window(*dialog, view, queue ? context.http() : nullptr, queue, documents);
    dialog->panel()->willShow();
    if (advanced) {
        PDEPanelIntrospection *introspection = dialog->introspection();
        if (!introspection || !introspection->showAdvancedPane()) {
            dialog->close();
            return context.fail(
                TintDialogTr("gui: the Advanced Color Options pane cannot be shown").toStdString());
        }
    }
    window.show();
    int status = kTintDialogSuccess;
    if (!screenshot.empty() && profiles) {
        std::string error;
        status = ProfilesWindowScreenshot(*dialog, view, screenshot, &error);
        if (status != kTintDialogSuccess) {
            dialog->close();
            return context.fail("gui: " + error);
        }
    } else if (!screenshot.empty()) {
        // The picture then shows what Print led to: the job's progress or
        // why it was not printed.
        if (pressPrint) {
            window.printJob();
            status = window.exitStatus();
        }
        QApplication::processEvents();
        window.adjustSize();
        QApplication::processEvents();
        if (!window.grab().save(QString::fromStdString(screenshot), "PNG")) {
            dialog->close();
            return context.fail(
                TintDialogTr("gui: cannot write %1").arg(QString::fromStdString(screenshot)).toStdString());
        }
    } else {
        if (pressPrint)
            QTimer::singleShot(0, &window, &PrintDialogWindow::printJob);
        QApplication::exec();
        status = window.exitStatus();
    }
    dialog->close();
    return status;
}

const TintDialogCommand kGuiCommand = {
    "gui", "[--screenshot FILE.png [--profiles]] [--pane advanced] [--print] [FILE...]",
    "the print dialog's window; with a queue its Print button sends FILE... and follows the job "
    "(--screenshot renders it once into a PNG file and exits; with --profiles the profile management "
    "window instead; --print presses Print as the window shows)",
    true, RunGui};
TINT_DIALOG_COMMAND(kGuiCommand);

} // namespace
