// print: the dialog's Print button; the job's options on standard output.
#include "PrintJobOptions.h"
#include "TintDialogCommand.h"
#include "TintDialogContext.h"

#include <cstdio>

namespace
{

int RunPrint(TintDialogContext &context, const std::vector<std::string> &args)
{
    if (!args.empty())
        return context.fail("print: unexpected argument " + args.front());
    PrintDialog *dialog = context.dialog();
    if (!dialog)
        return kTintDialogFailure;
    dialog->loadPanel();
    std::string error;
    if (!dialog->print(&error))
        return context.fail(error);
    std::fputs(PrintJobOptionsText(dialog->settingsValues()).c_str(), stdout);
    return kTintDialogSuccess;
}

const TintDialogCommand kPrintCommand = {
    "print", "", "save as the Print button does and list the job's options as KEY=VALUE lines", false,
    RunPrint};
TINT_DIALOG_COMMAND(kPrintCommand);

} // namespace
