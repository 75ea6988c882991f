#include "TintDialogContext.h"

#include "TintDialogCommand.h"
#include "TintDialogTranslation.h"

#include <cstdio>
#include <cstdlib>

bool TintDialogContext::resolveQueue(std::string *error)
{
    // A printer description names the printer by itself; everything else
    // is a queue of the server, named or the user's default. Without a
    // server there is nothing to open: the sample printer is only ever
    // opened by naming it with --ppd.
    const bool wantsQueue = !options_.queue.empty() || options_.ppd.empty();
    if (wantsQueue || !options_.server.empty()) {
        http_ = connect(error);
        if (!http_)
            return false;
    }
    if (wantsQueue) {
        auto queue = std::make_unique<CupsQueue>();
        switch (queue->open(http_.get(), options_.queue, error)) {
        case CupsQueue::Result::kRefused:
            return false;
        case CupsQueue::Result::kNoDefault:
            *error = TintDialogTr("the CUPS server %1 has no default queue: name one with --queue, or a "
                                  "printer description with --ppd")
                         .arg(QString::fromStdString(CupsServerName()))
                         .toStdString();
            return false;
        case CupsQueue::Result::kOpened:
            options_.queue = queue->info().name;
            options_.ppd = queue->ppdFile();
            if (options_.printerID.empty())
                options_.printerID = queue->info().name;
            if (options_.deviceURI.empty())
                options_.deviceURI = queue->info().deviceURI;
            queue_ = std::move(queue);
            break;
        }
    }
    TintDialogApplyDefaults(&options_);
    return true;
}

CupsHttp TintDialogContext::connect(std::string *error) const
{
    CupsSetTimeout(options_.timeout.empty() ? 0 : std::atoi(options_.timeout.c_str()));
    return CupsConnect(options_.server, error);
}

http_t *TintDialogContext::http()
{
    if (http_)
        return http_.get();
    std::string error;
    http_ = connect(&error);
    if (!http_)
        fail(error);
    return http_.get();
}

PrintDialog *TintDialogContext::dialog()
{
    if (dialog_)
        return dialog_.get();
    std::string error;
    if (!resolveQueue(&error)) {
        fail(error);
        return nullptr;
    }
    auto dialog = std::make_unique<PrintDialog>(options_);
    if (queue_)
        dialog->setUserDefaults(queue_->destOptions());
    if (queue_ && !queue_->info().hasPPD) {
        dialog->setWithoutPanel();
        dialog->setQueueOptions(queue_->queueOptions());
    }
    const bool opened = dialog->open(&error);
    if (queue_)
        queue_->removePPDFile();
    if (!opened) {
        fail(error);
        return nullptr;
    }
    dialog_ = std::move(dialog);
    return dialog_.get();
}

int TintDialogContext::failUnexpectedArgument(const char *command, const std::string &arg) const
{
    return fail(std::string(command) + ": " +
                TintDialogTr("unexpected argument %1").arg(QString::fromStdString(arg)).toStdString());
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
