// defaults save | clear: the user's defaults for the queue, where CUPS
// keeps them (lpoptions), so that lp prints with them too.
#include "CupsQueue.h"
#include "TintDialogCommand.h"
#include "TintDialogContext.h"
#include "TintDialogTranslation.h"

#include <QCoreApplication>

namespace
{

int RunDefaults(TintDialogContext &context, const TintDialogArguments &arguments)
{
    const std::vector<std::string> &args = arguments.positional();
    if (args.size() != 1 || (args[0] != "save" && args[0] != "clear"))
        return context.fail(TintDialogTr("defaults: give save or clear").toStdString());
    PrintDialog *dialog = context.dialog();
    if (!dialog)
        return kTintDialogFailure;
    CupsQueue *queue = context.queue();
    if (!queue)
        return context.fail(
            TintDialogTr("defaults: the user's defaults belong to a queue (--queue NAME)").toStdString());
    http_t *http = context.http();
    std::map<std::string, std::string> choices;
    if (args[0] == "save") {
        dialog->loadPanel();
        dialog->saveInMemory();
        choices = dialog->userDefaultChoices();
    }
    std::string error;
    if (!CupsSetUserDefaults(http, queue->info().name, dialog->ppdFile(), dialog->jobOptionNames(), choices,
                             &error))
        return context.fail("defaults: " + error);
    return kTintDialogSuccess;
}

const TintDialogCommand kDefaultsCommand = {
    "defaults", "save|clear",
    QT_TRANSLATE_NOOP("tintdialog", "save: make the panel's and the host page's choices the user's defaults "
                                    "for the queue (lpoptions, as lp reads them); clear: remove them"),
    false, RunDefaults};

} // namespace

const TintDialogCommand &kTintDialogDefaultsCommand = kDefaultsCommand;
