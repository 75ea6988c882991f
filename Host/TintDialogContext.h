// What a command of tintdialog works with: the global options and, once a
// command asks for it, the opened print dialog.
#pragma once

#include "PrintDialog.h"
#include "TintDialogOptions.h"

#include <memory>
#include <string>

class TintDialogContext
{
  public:
    explicit TintDialogContext(TintDialogOptions options) : options_(std::move(options)) {}

    const TintDialogOptions &options() const { return options_; }

    // Opens the print dialog (settings, PPD, plug-in, panel) on first use.
    // null after printing the reason with fail().
    PrintDialog *dialog();

    // Prints "tintdialog: message" as one line on standard error and
    // returns kTintDialogFailure.
    int fail(const std::string &message) const;

  private:
    TintDialogOptions options_;
    std::unique_ptr<PrintDialog> dialog_;
};
