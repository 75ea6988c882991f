// gui [--screenshot FILE.png] [--pane advanced] [--print] [FILE...]: the
// dialog's window; with a queue, Print sends FILE... to it.
#include "PanelControlChoice.h"
#include "PlainQueue.h"
#include "PrintDialogWindow.h"
#include "ProfilesCommand.h"
#include "TintDialogCommand.h"
#include "TintDialogContext.h"
#include "TintDialogTranslation.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPixmap>
#include <QTimer>

#include <memory>

namespace
{

const TintDialogOption kGuiOptions[] = {
    {"screenshot", nullptr, QT_TRANSLATE_NOOP("tintdialog", "FILE.png"),
     QT_TRANSLATE_NOOP("tintdialog", "render the window once into a PNG file and exit")},
    {"profiles", nullptr, nullptr,
     QT_TRANSLATE_NOOP("tintdialog", "with --screenshot: the profile management window instead")},
    {"pane", nullptr, QT_TRANSLATE_NOOP("tintdialog", "advanced|color"),
     QT_TRANSLATE_NOOP("tintdialog", "the pane the panel shows first")},
    {"print", nullptr, nullptr, QT_TRANSLATE_NOOP("tintdialog", "press Print as the window shows")},
};

int RunWindow(TintDialogContext &context, const std::string &screenshot, bool profiles, bool pressPrint,
              bool advanced, std::vector<std::string> *documentsInOut, std::string *switchTo, bool *plain);
int RunPlainWindow(TintDialogContext &context, std::vector<std::string> *documents, std::string *switchTo,
                   bool *plain);

int RunGui(TintDialogContext &context, const TintDialogArguments &args)
{
    const std::string screenshot = args.value("screenshot");
    if (args.isSet("screenshot") && (screenshot.empty() || screenshot.compare(0, 2, "--") == 0))
        return context.fail(TintDialogTr("gui: --screenshot needs FILE.png").toStdString());
    const bool profiles = args.isSet("profiles");
    const bool pressPrint = args.isSet("print");
    const std::string pane = args.isSet("pane") ? args.value("pane") : std::string("color");
    if (pane != "advanced" && pane != "color")
        return context.fail(TintDialogTr("gui: --pane takes advanced or color, not %1")
                                .arg(QString::fromStdString(pane))
                                .toStdString());
    const bool advanced = pane == "advanced";
    std::vector<std::string> documents;
    for (const std::string &arg : args.positional()) {
        if (arg.size() > 1 && arg[0] == '-')
            return context.failUnexpectedArgument("gui", arg);
        documents.push_back(arg);
    }
    // The person may choose another queue in the window: the dialog then
    // opens anew for it, with the documents of the window (a queue without
    // Color Options with the dialog's own pages alone).
    std::unique_ptr<TintDialogContext> chosen;
    TintDialogContext *current = &context;
    std::string switchTo;
    bool plain = false;
    int status =
        RunWindow(*current, screenshot, profiles, pressPrint, advanced, &documents, &switchTo, &plain);
    TintDialogOptions options = current->options();
    while (!switchTo.empty()) {
        options.queue = switchTo;
        options.ppd.clear();
        options.printerID.clear();
        options.deviceURI.clear();
        if (options.defaultSettings)
            options.settings.clear();
        switchTo.clear();
        chosen = std::make_unique<TintDialogContext>(options);
        current = chosen.get();
        status = plain ? RunPlainWindow(*current, &documents, &switchTo, &plain)
                       : RunWindow(*current, screenshot, profiles, pressPrint, advanced, &documents,
                                   &switchTo, &plain);
    }
    return status;
}

// The window for a queue that is no QV-MR52: the dialog's own pages, no panel.
int RunPlainWindow(TintDialogContext &context, std::vector<std::string> *documents, std::string *switchTo,
                   bool *plain)
{
    TintDialogOptions options = context.options();
    http_t *http = context.http();
    if (!http)
        return kTintDialogFailure;
    std::string error;
    PlainQueue queue;
    if (!queue.open(http, options.queue, &error))
        return context.fail("gui: " + error);
    options.ppd = queue.ppdFile();
    options.printerID = queue.info().name;
    options.deviceURI = queue.info().deviceURI;
    TintDialogApplyDefaults(&options);
    PrintDialog dialog(options);
    dialog.setWithoutPanel();
    dialog.setQueueOptions(queue.queueOptions());
    dialog.setUserDefaults(queue.destOptions());
    if (!dialog.open(&error))
        return context.fail("gui: " + error);
    dialog.loadPanel();
    PrintDialogWindow window(dialog, nullptr, http, &queue.info(), queue.title(), *documents);
    window.show();
    QApplication::exec();
    *switchTo = window.switchTo();
    *plain = window.switchToPlain();
    *documents = window.documents();
    const int status = window.exitStatus();
    dialog.close();
    return status;
}

int RunWindow(TintDialogContext &context, const std::string &screenshot, bool profiles, bool pressPrint,
              bool advanced, std::vector<std::string> *documentsInOut, std::string *switchTo, bool *plain)
{
    std::vector<std::string> &documents = *documentsInOut;
    PrintDialog *dialog = context.dialog();
    if (!dialog)
        return kTintDialogFailure;
    CupsQueue *queue = context.queue();
    if (!queue && !documents.empty())
        return context.fail(TintDialogTr("gui: documents need a queue (--queue NAME)").toStdString());
    QWidget *view = dialog->loadPanel();
    // The window takes the view and the host page; the dialog releases the
    // panel before the window's widgets are destroyed.
    PrintDialogWindow window(*dialog, view, queue ? context.http() : nullptr,
                             queue ? &queue->info() : nullptr, queue ? queue->title() : std::string(),
                             documents);
    if (dialog->panel())
        dialog->panel()->willShow();
    if (advanced) {
        // Only where a person could reach it: its pop-ups are otherwise
        // overruled by the preset at print.
        PDEPanelIntrospection *introspection = dialog->introspection();
        std::string reason;
        const bool reachable = PanelAdvancedPaneReachable(*dialog, &reason);
        if (!introspection || !reachable || !introspection->showAdvancedPane()) {
            dialog->close();
            const std::string refusal =
                TintDialogTr("gui: the Advanced Color Options pane cannot be shown").toStdString();
            return context.fail(reason.empty() ? refusal : refusal + ": " + reason);
        }
        window.showPanelPage();
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
        *switchTo = window.switchTo();
        *plain = window.switchToPlain();
        documents = window.documents();
    }
    dialog->close();
    return status;
}

const TintDialogCommand kGuiCommand = {
    "gui",
    QT_TRANSLATE_NOOP("tintdialog",
                      "[--screenshot FILE.png [--profiles]] [--pane advanced] [--print] [FILE...]"),
    QT_TRANSLATE_NOOP("tintdialog",
                      "the print dialog's window; with a queue its Print button sends FILE... and "
                      "follows the job"),
    true,
    RunGui,
    kGuiOptions};

} // namespace

const TintDialogCommand &kTintDialogGuiCommand = kGuiCommand;
