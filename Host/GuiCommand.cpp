// gui [--screenshot FILE.png] [--pane advanced]: the dialog's window.
#include "PrintDialogWindow.h"
#include "ProfilesCommand.h"
#include "TintDialogCommand.h"
#include "TintDialogContext.h"

#include <QApplication>
#include <QPixmap>

namespace
{

int RunGui(TintDialogContext &context, const std::vector<std::string> &args)
{
    std::string screenshot;
    bool advanced = false;
    bool profiles = false;
    for (size_t i = 0; i < args.size(); i++) {
        if (args[i] == "--screenshot" && i + 1 < args.size() && !args[i + 1].empty()) {
            screenshot = args[++i];
        } else if (args[i] == "--profiles") {
            profiles = true;
        } else if (args[i] == "--pane" && i + 1 < args.size()) {
            if (args[i + 1] != "advanced" && args[i + 1] != "color")
                return context.fail("gui: --pane takes advanced or color, not " + args[i + 1]);
            advanced = args[++i] == "advanced";
        } else {
            return context.fail("gui: unexpected argument " + args[i]);
        }
    }
    PrintDialog *dialog = context.dialog();
    if (!dialog)
        return kTintDialogFailure;
    QWidget *view = dialog->loadPanel();
    // The window takes the view; the dialog releases the panel before the
    // window's widgets are destroyed.
    PrintDialogWindow window(*dialog, view);
    dialog->panel()->willShow();
    if (advanced) {
        PDEPanelIntrospection *introspection = dialog->introspection();
        if (!introspection || !introspection->showAdvancedPane()) {
            dialog->close();
            return context.fail("gui: the Advanced Color Options pane cannot be shown");
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
        QApplication::processEvents();
        window.adjustSize();
        QApplication::processEvents();
        if (!window.grab().save(QString::fromStdString(screenshot), "PNG")) {
            dialog->close();
            return context.fail("gui: cannot write " + screenshot);
        }
    } else {
        QApplication::exec();
        status = window.exitStatus();
    }
    dialog->close();
    return status;
}

const TintDialogCommand kGuiCommand = {
    "gui", "[--screenshot FILE.png [--profiles]] [--pane advanced]",
    "the print dialog's window (--screenshot renders it once into a PNG file and exits; with --profiles "
    "the profile management window instead)",
    true, RunGui};
TINT_DIALOG_COMMAND(kGuiCommand);

} // namespace
