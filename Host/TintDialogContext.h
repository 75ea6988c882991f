// What a command of tintdialog works with: the global options and, once a
// command asks for them, the CUPS server, the queue and the opened print
// dialog.
#pragma once

#include "CupsQueue.h"
#include "PrintDialog.h"
#include "TintDialogOptions.h"

#include <memory>
#include <string>

class TintDialogContext
{
  public:
    explicit TintDialogContext(TintDialogOptions options) : options_(std::move(options)) {}

    // The options, with the queue's PPD, printer ID and device URI and the
    // defaults filled in once the dialog has been opened.
    const TintDialogOptions &options() const { return options_; }

    // The command will write the settings back (set, print): the dialog,
    // once opened, holds their lock until it goes. Called before dialog().
    void willChangeSettings() { options_.changesSettings = true; }

    // Opens the print dialog (queue or PPD, settings, plug-in, panel) on
    // first use. null after printing the reason with fail().
    PrintDialog *dialog();

    // The connection to the CUPS server, made on first use; null after
    // printing the reason with fail().
    http_t *http();

    // The queue the dialog prints to, or null (a PPD without a queue).
    CupsQueue *queue() const { return queue_.get(); }

    // Prints "tintdialog: message" as one line on standard error and
    // returns kTintDialogFailure.
    int fail(const std::string &message) const;

    // fail() with "command: unexpected argument ARG".
    int failUnexpectedArgument(const char *command, const std::string &arg) const;

  private:
    // Chooses what the dialog opens: the PPD of --ppd, else the named
    // queue, else the user's default queue. false with *error when the
    // server cannot be reached, has no such queue or no default, or the
    // queue cannot be used.
    bool resolveQueue(std::string *error);
    // CupsConnect with the options' server and timeout.
    CupsHttp connect(std::string *error) const;

    TintDialogOptions options_;
    CupsHttp http_;
    std::unique_ptr<CupsQueue> queue_;
    std::unique_ptr<PrintDialog> dialog_;
};
