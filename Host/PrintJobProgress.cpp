#include "PrintJobProgress.h"
#include "TintDialogTranslation.h"

#include <QCoreApplication>
#include <QStringList>

#include <cups/cups.h>

#include <iterator>

namespace
{

// The job's state as a person reads it.
const char *StateWords(ipp_jstate_t state)
{
    // In the order of the states, pending (3) to completed (9).
    static const char *const kWords[] = {
        QT_TRANSLATE_NOOP("tintdialog", "waiting to print"),
        QT_TRANSLATE_NOOP("tintdialog", "held"),
        QT_TRANSLATE_NOOP("tintdialog", "printing"),
        QT_TRANSLATE_NOOP("tintdialog", "stopped"),
        QT_TRANSLATE_NOOP("tintdialog", "cancelled"),
        QT_TRANSLATE_NOOP("tintdialog", "aborted by the system"),
        QT_TRANSLATE_NOOP("tintdialog", "printed"),
    };
    const int index = state - IPP_JSTATE_PENDING;
    return index >= 0 && index < static_cast<int>(std::size(kWords))
               ? kWords[index]
               : QT_TRANSLATE_NOOP("tintdialog", "unknown");
}

// Words for the job-state-reasons a person can act on or should know; the
// others (job-printing, job-queued, ...) repeat the state and are left out.
const struct {
    const char *keyword;
    const char *words;
} kReasonWords[] = {
    {"processing-to-stop-point", QT_TRANSLATE_NOOP("tintdialog", "being stopped")},
    {"job-canceled-by-user", QT_TRANSLATE_NOOP("tintdialog", "cancelled by its owner")},
    {"job-canceled-by-operator", QT_TRANSLATE_NOOP("tintdialog", "cancelled by an administrator")},
    {"job-canceled-at-device", QT_TRANSLATE_NOOP("tintdialog", "cancelled at the printer")},
    {"aborted-by-system", QT_TRANSLATE_NOOP("tintdialog", "aborted by the system")},
    {"job-completed-with-warnings", QT_TRANSLATE_NOOP("tintdialog", "with warnings")},
    {"job-completed-with-errors", QT_TRANSLATE_NOOP("tintdialog", "with errors")},
    {"job-hold-until-specified", QT_TRANSLATE_NOOP("tintdialog", "until the time set for it")},
    {"job-held-for-review", QT_TRANSLATE_NOOP("tintdialog", "for review")},
    {"printer-stopped", QT_TRANSLATE_NOOP("tintdialog", "the printer is stopped")},
    {"printer-stopped-partly", QT_TRANSLATE_NOOP("tintdialog", "the printer is partly stopped")},
    {"document-format-error", QT_TRANSLATE_NOOP("tintdialog", "a document is not in a format it can print")},
    {"document-unprintable-error", QT_TRANSLATE_NOOP("tintdialog", "a document cannot be printed")},
    {"document-access-error", QT_TRANSLATE_NOOP("tintdialog", "a document could not be read")},
    {"job-data-insufficient", QT_TRANSLATE_NOOP("tintdialog", "the documents have not all arrived")},
};

} // namespace

QString PrintJobProgressText(const std::string &queue, int jobID, const PrintJobStatus &status)
{
    QStringList reasons;
    for (const QString &keyword : QString::fromStdString(status.reasons).split(',', Qt::SkipEmptyParts)) {
        for (const auto &r : kReasonWords) {
            if (keyword.trimmed() == QLatin1String(r.keyword))
                reasons << Tr(r.words);
        }
    }
    QString line =
        Tr("Job %1-%2: %3").arg(QString::fromStdString(queue)).arg(jobID).arg(Tr(StateWords(status.state)));
    if (!reasons.isEmpty())
        line += QStringLiteral(" (%1)").arg(reasons.join(QStringLiteral(", ")));
    if (!status.printerMessage.empty())
        line += QStringLiteral(" – ") + QString::fromStdString(status.printerMessage);
    // A stopped queue's own message says why (a failed filter, a paused
    // printer's reason).
    if (status.printerState == IPP_PSTATE_STOPPED && !status.printerStateMessage.empty() &&
        status.printerStateMessage != status.printerMessage)
        line += QStringLiteral(" – ") + QString::fromStdString(status.printerStateMessage);
    return line;
}

bool PrintJobUnfinished(const PrintJobStatus &status)
{
    // A held job, or one stopped with its printer on an error, does not go
    // on by itself: following it ends there, as print --wait does.
    const PrintJobProgress progress = PrintJobProgressOf(status);
    return progress == PrintJobProgress::kMoving || progress == PrintJobProgress::kPrinterPaused;
}

bool PrintJobCancel(http_t *http, const std::string &queue, int jobID, std::string *error)
{
    if (cupsCancelJob2(http, queue.c_str(), jobID, 0) != IPP_STATUS_OK) {
        *error = Tr("cannot cancel job %1-%2: %3")
                     .arg(QString::fromStdString(queue))
                     .arg(jobID)
                     .arg(QString::fromUtf8(cupsLastErrorString()))
                     .toStdString();
        return false;
    }
    return true;
}
