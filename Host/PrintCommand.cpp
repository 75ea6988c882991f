// print [--copies N] [--pages RANGES] [--title TEXT] [--wait] [FILE...]:
// the dialog's Print button. With a queue the job goes to it; without one
// the job's options are listed on standard output.
#include "DocumentPages.h"
#include "PrintJob.h"
#include "PrintJobOptions.h"
#include "StandardJobOptions.h"
#include "TintDialogCommand.h"
#include "TintDialogContext.h"
#include "TintDialogTranslation.h"

#include <QCoreApplication>

#include <unistd.h>

#include <cstdio>

namespace
{

// Between two looks at a job that is being followed.
constexpr useconds_t kFollowIntervalUs = 250000;

struct PrintArguments {
    PrintJobRequest request;
    std::vector<std::string> files;
    bool wait = false;
    bool jobOptionGiven = false;
};

const TintDialogOption kPrintOptions[] = {
    {"copies", nullptr, QT_TRANSLATE_NOOP("tintdialog", "N"),
     QT_TRANSLATE_NOOP("tintdialog", "the number of copies")},
    {"pages", nullptr, QT_TRANSLATE_NOOP("tintdialog", "RANGES"),
     QT_TRANSLATE_NOOP("tintdialog", "the pages to print, as 1-3,5")},
    {"title", nullptr, QT_TRANSLATE_NOOP("tintdialog", "TEXT"),
     QT_TRANSLATE_NOOP("tintdialog", "the job's title")},
    {"wait", nullptr, nullptr, QT_TRANSLATE_NOOP("tintdialog", "follow the job until it ends")},
};

bool ParseArguments(const TintDialogArguments &args, PrintArguments *out, std::string *error)
{
    for (const std::string &copies : args.values("copies")) {
        if (!PrintJobParseCopies(copies, &out->request.copies, error))
            return false;
    }
    for (const std::string &pages : args.values("pages")) {
        out->request.pageRanges = pages;
        if (!PrintJobCheckPageRanges(out->request.pageRanges, error))
            return false;
    }
    if (args.isSet("title"))
        out->request.title = args.value("title");
    out->wait = args.isSet("wait");
    out->jobOptionGiven = args.isSet("copies") || args.isSet("pages") || args.isSet("title") || out->wait;
    for (const std::string &arg : args.positional()) {
        if (arg.size() > 1 && arg[0] == '-') {
            *error = TintDialogTr("print: unknown option %1").arg(QString::fromStdString(arg)).toStdString();
            return false;
        }
        out->files.push_back(arg);
    }
    return true;
}

// Follows the job until it no longer moves by itself, one line per change;
// the exit status. A queue an administrator paused keeps the wait going
// (said once); a held job, or one stopped with its printer, ends it.
int Follow(TintDialogContext &context, http_t *http, const std::string &queue, int jobID)
{
    PrintJobStatus last;
    bool first = true;
    bool saidPaused = false;
    for (;;) {
        PrintJobStatus now;
        std::string error;
        if (!PrintJobGetStatus(http, jobID, &now, &error))
            return context.fail(error);
        if (first || !(now == last)) {
            std::printf("%s\n", PrintJobStatusText(queue, jobID, now).c_str());
            std::fflush(stdout);
        }
        first = false;
        last = now;
        switch (PrintJobProgressOf(now)) {
        case PrintJobProgress::kCompleted:
            return kTintDialogSuccess;
        case PrintJobProgress::kNotCompleted:
            return kTintDialogJobNotCompleted;
        case PrintJobProgress::kPrinterPaused:
            if (!saidPaused) {
                std::printf("%s\n", TintDialogTr("job %1-%2 waits: the printer %1 was paused (%3)")
                                        .arg(QString::fromStdString(queue))
                                        .arg(jobID)
                                        .arg(QString::fromStdString(now.printerStateMessage.empty()
                                                                        ? now.printerReasons
                                                                        : now.printerStateMessage))
                                        .toStdString()
                                        .c_str());
                std::fflush(stdout);
                saidPaused = true;
            }
            break;
        case PrintJobProgress::kMoving:
            saidPaused = false;
            break;
        }
        usleep(kFollowIntervalUs);
    }
}

int RunPrint(TintDialogContext &context, const TintDialogArguments &args)
{
    PrintArguments arguments;
    std::string error;
    if (!ParseArguments(args, &arguments, &error))
        return context.fail(error);
    context.willChangeSettings();
    PrintDialog *dialog = context.dialog();
    if (!dialog)
        return kTintDialogFailure;
    CupsQueue *queue = context.queue();
    if (!queue && (arguments.jobOptionGiven || !arguments.files.empty()))
        return context.fail(
            TintDialogTr("print: documents and job options need a queue (--queue NAME)").toStdString());

    // Every document is read (or found readable) before anything is sent.
    PrintJobDocuments documents;
    if (queue && !documents.open(arguments.files, &error))
        return context.fail("print: " + error);
    if (queue && !DocumentPagesCheckRanges(arguments.files, arguments.request.pageRanges, &error))
        return context.fail("print: " + error);
    dialog->loadPanel();
    if (!dialog->prepareToPrint(&error))
        return context.fail(error);
    if (!queue) {
        if (!dialog->writeSettings(&error))
            return context.fail(error);
        std::fputs(PrintJobOptionsText(dialog->settingsValues()).c_str(), stdout);
        return kTintDialogSuccess;
    }

    PrintJobRequest &request = arguments.request;
    request.queue = queue->info().name;
    request.attributes = dialog->jobAttributes();
    http_t *http = context.http();
    const int jobID = PrintJobSubmit(http, request, documents, &error);
    if (jobID <= 0)
        return context.fail("print: " + error);
    std::printf("request id is %s-%d (%zu file(s))\n", request.queue.c_str(), jobID, arguments.files.size());
    std::fflush(stdout);
    // The job is on its way: the choices it was printed with are kept. A
    // settings file that cannot be written fails the command although the
    // job went.
    if (!dialog->writeSettings(&error))
        return context.fail(error);
    return arguments.wait ? Follow(context, http, request.queue, jobID) : kTintDialogSuccess;
}

const TintDialogCommand kPrintCommand = {
    "print",
    QT_TRANSLATE_NOOP("tintdialog", "[--copies N] [--pages RANGES] [--title TEXT] [--wait] [FILE...]"),
    QT_TRANSLATE_NOOP("tintdialog",
                      "as the Print button: with a queue, submit one job with the files (standard "
                      "input when none) and the panel's options, --wait follows it to its end; "
                      "without a queue, list the job's options as KEY=VALUE lines"),
    false,
    RunPrint,
    kPrintOptions};

} // namespace

const TintDialogCommand &kTintDialogPrintCommand = kPrintCommand;
