// One job for a CUPS queue: what the dialog submits (documents and job
// attributes), the checks made before anything reaches the server, and the
// job's progress afterwards.
#pragma once

#include "CupsQueue.h"

#include <string>
#include <utility>
#include <vector>

// "N" as a number of copies: 1 to 9999. false with *error.
bool PrintJobParseCopies(const std::string &text, int *copies, std::string *error);

// Page ranges as lp takes them ("1-3,5,8-"): each N or N-M or N- with
// 1 <= N <= M, ascending and not overlapping. false with *error.
bool PrintJobCheckPageRanges(const std::string &text, std::string *error);

// The documents of a job, all opened (regular files also checked readable)
// before the job is created, by their names' bytes as the system has them.
// Each is sent from its descriptor in pieces, standard input and pipes as
// they come, so memory stays the same whatever their size; a job whose
// document fails half way is cancelled.
class PrintJobDocuments
{
  public:
    PrintJobDocuments() = default;
    ~PrintJobDocuments();
    PrintJobDocuments(const PrintJobDocuments &) = delete;
    PrintJobDocuments &operator=(const PrintJobDocuments &) = delete;

    // files empty: standard input. false with a one-line *error naming the
    // file that cannot be read.
    bool open(const std::vector<std::string> &files, std::string *error);

    struct Document {
        std::string name;
        int fd = -1;
    };
    const std::vector<Document> &documents() const { return documents_; }

  private:
    std::vector<Document> documents_;
};

struct PrintJobRequest {
    std::string queue;
    std::string title; // job-name; "" : the first document's name
    int copies = 0;    // 0: not given
    std::string pageRanges;
    std::vector<std::pair<std::string, std::string>> attributes; // PPD options and the rest of the ticket
};

// Creates the job and sends every document. The job id, or 0 with
// *error; a job that failed after it was created is cancelled again.
int PrintJobSubmit(http_t *http, const PrintJobRequest &request, const PrintJobDocuments &documents,
                   std::string *error);

struct PrintJobStatus {
    ipp_jstate_t state = IPP_JSTATE_PENDING;
    std::string reasons;        // job-state-reasons, comma-separated
    std::string printerMessage; // the printer's state message while it prints the job
    // The queue the job is in: its state, printer-state-reasons
    // (comma-separated) and printer-state-message.
    ipp_pstate_t printerState = IPP_PSTATE_IDLE;
    std::string printerReasons;
    std::string printerStateMessage;
    bool operator==(const PrintJobStatus &) const = default;
};

// The job's state now, and its queue's. false with *error when the server
// cannot say.
bool PrintJobGetStatus(http_t *http, int jobID, PrintJobStatus *status, std::string *error);

// Where a job stands for someone waiting for it to end.
enum class PrintJobProgress {
    kMoving,        // pending or printing on a queue that runs
    kPrinterPaused, // its queue was paused by an administrator (reason "paused"): it waits for the queue
    kCompleted,     // printed
    kNotCompleted,  // cancelled, aborted, held, or stopped with its printer on an error: it will not
                    // go on by itself
};
PrintJobProgress PrintJobProgressOf(const PrintJobStatus &status);

// "pending", "held", "processing", "stopped", "canceled", "aborted", "completed".
const char *PrintJobStateName(ipp_jstate_t state);

// One line: "QUEUE-N: processing (reasons): message"; where the job or its
// queue stopped, also "; printer QUEUE stopped (reasons): message". The state word is the
// IPP keyword, which scripts reading `print --wait` match; the window asks for
// it in the person's language (the reasons and the printer's message are the
// server's own text and stay as they come).
std::string PrintJobStatusText(const std::string &queue, int jobID, const PrintJobStatus &status,
                               bool translated = false);
