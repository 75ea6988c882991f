// What the window tells a person about the job it sent: the job's state in
// words of the person's language (never the IPP keywords), the printer's own
// message, and the means to cancel the job while it is not finished.
#pragma once

#include "PrintJob.h"

#include <QString>

#include <string>

// "Job QUEUE-N: printing (stopping) - Rendering completed": the state and
// the reasons a person can act on, translated; reasons with no words of
// their own are left out; the printer's message as the printer gives it, and a
// stopped queue's own message.
QString PrintJobProgressText(const std::string &queue, int jobID, const PrintJobStatus &status);

// Whether the job may still go on by itself: pending or printing, also on a
// queue an administrator paused (PrintJobProgressOf). A held job and one
// stopped with its printer are not followed further.
bool PrintJobUnfinished(const PrintJobStatus &status);

// Cancels the job. false with a one-line *error.
bool PrintJobCancel(http_t *http, const std::string &queue, int jobID, std::string *error);
