// set KEY=CHOICE ...: choose choices as a user would, then save.
#include "PanelControlChoice.h"
#include "TintDialogCommand.h"
#include "TintDialogContext.h"
#include "TintDialogTranslation.h"

#include <QCoreApplication>

namespace
{

int RunSet(TintDialogContext &context, const TintDialogArguments &arguments)
{
    const std::vector<std::string> &args = arguments.positional();
    if (args.empty())
        return context.fail(TintDialogTr("set: give at least one KEY=CHOICE").toStdString());
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const std::string &arg : args) {
        size_t eq = arg.find('=');
        if (eq == std::string::npos || eq == 0 || eq + 1 == arg.size())
            return context.fail(TintDialogTr("set: expected KEY=CHOICE, got %1")
                                    .arg(QString::fromStdString(arg))
                                    .toStdString());
        pairs.emplace_back(arg.substr(0, eq), arg.substr(eq + 1));
    }
    context.willChangeSettings();
    PrintDialog *dialog = context.dialog();
    if (!dialog)
        return kTintDialogFailure;
    dialog->loadPanel();
    // One after the other, as a user would: a choice may grey out a control
    // that a later pair names, and that pair is then refused.
    for (const auto &[key, choice] : pairs) {
        std::string error;
        HostPage *page = dialog->hostPage();
        const bool chosen = page && page->hasOption(key) ? page->choose(key, choice, &error)
                                                         : PanelChooseChoice(*dialog, key, choice, &error);
        if (!chosen)
            return context.fail("set: " + error);
    }
    std::string error;
    if (!dialog->save(&error))
        return context.fail(error);
    return kTintDialogSuccess;
}

const TintDialogCommand kSetCommand = {
    "set", QT_TRANSLATE_NOOP("tintdialog", "KEY=CHOICE ..."),
    QT_TRANSLATE_NOOP("tintdialog", "choose CHOICE in the control of PPD option KEY (True/False for check "
                                    "boxes, #N for menu item N), then save"),
    false, RunSet};

} // namespace

const TintDialogCommand &kTintDialogSetCommand = kSetCommand;
