#include "TintDialogContext.h"

#include "TintDialogCommand.h"

#include <cstdio>

PrintDialog *TintDialogContext::dialog()
{
    if (dialog_)
        return dialog_.get();
    auto dialog = std::make_unique<PrintDialog>(options_);
    std::string error;
    if (!dialog->open(&error)) {
        fail(error);
        return nullptr;
    }
    dialog_ = std::move(dialog);
    return dialog_.get();
}

int TintDialogContext::fail(const std::string &message) const
{
    std::string line = message;
    for (char &c : line) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    std::fprintf(stderr, "tintdialog: %s\n", line.c_str());
    return kTintDialogFailure;
}
