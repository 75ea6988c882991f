#include "PrintJob.h"
#include "TintDialogTranslation.h"

#include <QCoreApplication>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace
{

// As cupsd's default MaxCopies.
constexpr long kMaxCopies = 9999;
constexpr size_t kChunk = 64 * 1024;

QString Q(const std::string &s)
{
    return QString::fromStdString(s);
}

// IPP names are UTF-8: a file name in another encoding is sent with its
// stray bytes replaced (the file itself is opened by its bytes).
std::string ValidUTF8(const std::string &text)
{
    return QString::fromStdString(text).toStdString();
}

// A whole positive number, or -1.
long PageNumber(const std::string &text)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    long n = std::strtol(text.c_str(), nullptr, 10);
    return n >= 1 ? n : -1;
}

// One piece of a document; each piece the server takes gives the next
// another full deadline.
bool Send(http_t *http, const char *bytes, size_t size, CupsDeadline &deadline)
{
    if (size == 0)
        return true;
    if (cupsWriteRequestData(http, bytes, size) != HTTP_STATUS_CONTINUE)
        return false;
    deadline.extend();
    return true;
}

// Sends one document's bytes; false with *reason ("" : libcups' own) when
// the document cannot be read or the server takes no more.
bool SendDocument(http_t *http, const PrintJobDocuments::Document &document, CupsDeadline &deadline,
                  std::string *reason)
{
    // A file is sent from its start; a pipe as it comes.
    if (lseek(document.fd, 0, SEEK_SET) < 0 && errno != ESPIPE) {
        *reason = std::strerror(errno);
        return false;
    }
    char buffer[kChunk];
    for (;;) {
        ssize_t n = read(document.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            *reason = std::strerror(errno);
        if (n <= 0)
            return n == 0;
        if (!Send(http, buffer, static_cast<size_t>(n), deadline))
            return false;
    }
}

} // namespace

bool PrintJobParseCopies(const std::string &text, int *copies, std::string *error)
{
    long n = PageNumber(text);
    if (n < 1 || n > kMaxCopies) {
        *error =
            Tr("--copies takes a number from 1 to %1, not %2").arg(kMaxCopies).arg(Q(text)).toStdString();
        return false;
    }
    *copies = static_cast<int>(n);
    return true;
}

bool PrintJobCheckPageRanges(const std::string &text, std::string *error)
{
    long last = 0;
    bool open = false; // an earlier range ran to the end
    size_t start = 0;
    for (;;) {
        size_t comma = text.find(',', start);
        const std::string range =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        size_t dash = range.find('-');
        long first = PageNumber(range.substr(0, dash));
        long end = first;
        if (dash != std::string::npos)
            end = dash + 1 == range.size() ? first : PageNumber(range.substr(dash + 1));
        const bool toEnd = dash != std::string::npos && dash + 1 == range.size();
        if (first < 1 || end < first || open || first <= last) {
            *error =
                Tr("--pages takes ascending ranges such as 1-3,5,8- (first page at most the last), not %1")
                    .arg(Q(text))
                    .toStdString();
            return false;
        }
        last = end;
        open = toEnd;
        if (comma == std::string::npos)
            return true;
        start = comma + 1;
    }
}

PrintJobDocuments::~PrintJobDocuments()
{
    for (Document &document : documents_) {
        if (document.fd >= 0)
            ::close(document.fd);
    }
}

bool PrintJobDocuments::open(const std::vector<std::string> &files, std::string *error)
{
    if (files.empty()) {
        Document document;
        document.name = "(stdin)";
        document.fd = fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0);
        if (document.fd < 0) {
            *error = Tr("cannot read standard input: %1").arg(std::strerror(errno)).toStdString();
            return false;
        }
        documents_.push_back(std::move(document));
        return true;
    }
    for (const std::string &file : files) {
        Document document;
        document.name = file;
        int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {
        };
        int reason = 0;
        if (fd < 0 || fstat(fd, &st) != 0)
            reason = errno;
        else if (S_ISDIR(st.st_mode))
            reason = EISDIR;
        else if (S_ISREG(st.st_mode)) {
            // A file that cannot be read fails here rather than half way.
            char probe;
            if (pread(fd, &probe, 1, 0) < 0)
                reason = errno;
        }
        if (reason) {
            if (fd >= 0)
                ::close(fd);
            *error = Tr("cannot read %1: %2").arg(Q(file), std::strerror(reason)).toStdString();
            return false;
        }
        document.fd = fd;
        documents_.push_back(std::move(document));
    }
    return true;
}

int PrintJobSubmit(http_t *http, const PrintJobRequest &request, const PrintJobDocuments &documents,
                   std::string *error)
{
    cups_option_t *options = nullptr;
    int count = 0;
    for (const auto &[name, value] : request.attributes)
        count = cupsAddOption(name.c_str(), value.c_str(), count, &options);
    if (request.copies > 0)
        count = cupsAddOption("copies", std::to_string(request.copies).c_str(), count, &options);
    if (!request.pageRanges.empty())
        count = cupsAddOption("page-ranges", request.pageRanges.c_str(), count, &options);
    const auto &docs = documents.documents();
    std::string title = request.title;
    if (title.empty() && !docs.empty()) {
        title = docs.front().name;
        if (size_t slash = title.rfind('/'); slash != std::string::npos && slash + 1 < title.size())
            title = title.substr(slash + 1);
    }

    int jobID = 0;
    std::string reason;
    {
        CupsDeadline deadline(http, CupsTimeout());
        jobID = cupsCreateJob(http, request.queue.c_str(), ValidUTF8(title).c_str(), count, options);
        if (deadline.expired())
            reason = CupsTimeoutMessage(Tr("create the job").toStdString(), deadline.seconds());
        else if (jobID <= 0)
            reason = CupsFailureReason(http);
    }
    cupsFreeOptions(count, options);
    if (jobID <= 0 || !reason.empty()) {
        *error = Tr("cannot submit the job to %1: %2").arg(Q(request.queue), Q(reason)).toStdString();
        return 0;
    }
    // A job whose documents did not all arrive is cancelled, so that it does
    // not wait in the queue for ever (or print half).
    const QString job = Q(request.queue + "-" + std::to_string(jobID));
    auto failed = [&](size_t index, const std::string &reason) {
        *error = Tr("job %1: document %2 (%3) did not reach the server: %4")
                     .arg(job)
                     .arg(index + 1)
                     .arg(Q(docs[index].name), Q(reason))
                     .toStdString();
        CupsDeadline deadline(http, CupsTimeout());
        if (cupsCancelJob2(http, request.queue.c_str(), jobID, 0) == IPP_STATUS_OK)
            *error += Tr("; the job was cancelled").toStdString();
        else if (deadline.expired())
            *error += Tr("; the job could not be cancelled in time").toStdString();
        else
            *error +=
                Tr("; the job could not be cancelled: %1").arg(Q(CupsFailureReason(http))).toStdString();
        return 0;
    };
    // Why document i did not arrive, "" when the server took it.
    auto send = [&](size_t i) -> std::string {
        CupsDeadline deadline(http, CupsTimeout());
        auto why = [&](const std::string &reason) {
            if (deadline.expired())
                return CupsTimeoutMessage(Tr("take the document").toStdString(), deadline.seconds());
            return reason.empty() ? CupsFailureReason(http) : reason;
        };
        const bool last = i + 1 == docs.size();
        if (cupsStartDocument(http, request.queue.c_str(), jobID, ValidUTF8(docs[i].name).c_str(),
                              CUPS_FORMAT_AUTO, last) != HTTP_STATUS_CONTINUE)
            return why("");
        std::string reason;
        if (!SendDocument(http, docs[i], deadline, &reason)) {
            // The request is left half sent: its answer, if any, is read
            // and dropped before the connection is used again.
            ippDelete(cupsGetResponse(http, "/"));
            return why(reason);
        }
        // The server's own answer to Send-Document: cupsFinishDocument
        // returns the last status libcups kept, which a connection that was
        // dropped before any answer leaves as the previous request's
        // success.
        ipp_t *response = cupsGetResponse(http, "/");
        const ipp_status_t status =
            response ? ippGetStatusCode(response) : IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
        ippDelete(response);
        if (!response || status > IPP_STATUS_OK_EVENTS_COMPLETE)
            return why("");
        return {};
    };
    for (size_t i = 0; i < docs.size(); i++) {
        if (std::string reason = send(i); !reason.empty())
            return failed(i, reason);
    }
    return jobID;
}

namespace
{

// The values of a keyword attribute, comma-separated.
std::string Keywords(ipp_t *response, const char *name)
{
    std::string text;
    if (ipp_attribute_t *attribute = ippFindAttribute(response, name, IPP_TAG_KEYWORD)) {
        for (int i = 0; i < ippGetCount(attribute); i++)
            text += (i ? "," : "") + std::string(ippGetString(attribute, i, nullptr));
    }
    return text;
}

std::string TextOf(ipp_t *response, const char *name)
{
    ipp_attribute_t *attribute = ippFindAttribute(response, name, IPP_TAG_TEXT);
    return attribute ? ippGetString(attribute, 0, nullptr) : "";
}

// One request; null with *error (the message's first part given) when the
// server does not answer or refuses.
ipp_t *Ask(http_t *http, ipp_t *request, const std::string &what, std::string *error)
{
    CupsDeadline deadline(http, CupsTimeout());
    ipp_t *response = cupsDoRequest(http, request, "/");
    if (!deadline.expired() && response && cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return response;
    ippDelete(response);
    const std::string reason =
        deadline.expired() ? CupsTimeoutMessage(Tr("tell the job's state").toStdString(), deadline.seconds())
                           : CupsFailureReason(http);
    *error = what + ": " + reason;
    return nullptr;
}

bool HasKeyword(const std::string &list, const char *keyword)
{
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        if (list.compare(start, comma == std::string::npos ? std::string::npos : comma - start, keyword) == 0)
            return true;
        if (comma == std::string::npos)
            return false;
        start = comma + 1;
    }
}

} // namespace

bool PrintJobGetStatus(http_t *http, int jobID, PrintJobStatus *status, std::string *error)
{
    static const char *const kRequested[] = {"job-state", "job-state-reasons", "job-printer-state-message",
                                             "job-printer-uri"};
    ipp_t *request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/jobs/%d", jobID);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 4, nullptr,
                  kRequested);
    const std::string what = Tr("cannot follow job %1").arg(jobID).toStdString();
    std::unique_ptr<ipp_t, decltype(&ippDelete)> job(Ask(http, request, what, error), &ippDelete);
    if (!job)
        return false;
    PrintJobStatus now;
    if (ipp_attribute_t *state = ippFindAttribute(job.get(), "job-state", IPP_TAG_ENUM))
        now.state = static_cast<ipp_jstate_t>(ippGetInteger(state, 0));
    now.reasons = Keywords(job.get(), "job-state-reasons");
    now.printerMessage = TextOf(job.get(), "job-printer-state-message");

    // The queue: whether it runs, was paused, or stopped on an error.
    ipp_attribute_t *printerURI = ippFindAttribute(job.get(), "job-printer-uri", IPP_TAG_URI);
    if (printerURI) {
        static const char *const kPrinter[] = {"printer-state", "printer-state-reasons",
                                               "printer-state-message"};
        request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                     ippGetString(printerURI, 0, nullptr));
        ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr,
                      kPrinter);
        std::unique_ptr<ipp_t, decltype(&ippDelete)> printer(Ask(http, request, what, error), &ippDelete);
        if (!printer)
            return false;
        if (ipp_attribute_t *state = ippFindAttribute(printer.get(), "printer-state", IPP_TAG_ENUM))
            now.printerState = static_cast<ipp_pstate_t>(ippGetInteger(state, 0));
        now.printerReasons = Keywords(printer.get(), "printer-state-reasons");
        now.printerStateMessage = TextOf(printer.get(), "printer-state-message");
    }
    *status = now;
    return true;
}

PrintJobProgress PrintJobProgressOf(const PrintJobStatus &status)
{
    switch (status.state) {
    case IPP_JSTATE_COMPLETED:
        return PrintJobProgress::kCompleted;
    case IPP_JSTATE_CANCELED:
    case IPP_JSTATE_ABORTED:
    case IPP_JSTATE_HELD:
    case IPP_JSTATE_STOPPED: // the job stopped with its printer
        return PrintJobProgress::kNotCompleted;
    case IPP_JSTATE_PENDING:
    case IPP_JSTATE_PROCESSING:
        break;
    }
    if (status.printerState != IPP_PSTATE_STOPPED)
        return PrintJobProgress::kMoving;
    // cupsdisable stops a queue with the reason "paused" and nothing else;
    // a queue stopped by a failing filter or backend says more.
    if (HasKeyword(status.printerReasons, "paused") && status.reasons.find("error") == std::string::npos)
        return PrintJobProgress::kPrinterPaused;
    return PrintJobProgress::kNotCompleted;
}

const char *PrintJobStateName(ipp_jstate_t state)
{
    // In the order of the states, pending (3) to completed (9).
    static const char *const kNames[] = {"pending",  "held",    "processing", "stopped",
                                         "canceled", "aborted", "completed"};
    const int index = state - IPP_JSTATE_PENDING;
    return index >= 0 && index < static_cast<int>(std::size(kNames)) ? kNames[index] : "unknown";
}

std::string PrintJobStatusText(const std::string &queue, int jobID, const PrintJobStatus &status,
                               bool translated)
{
    const char *state = PrintJobStateName(status.state);
    std::string line = queue + "-" + std::to_string(jobID) + ": " +
                       (translated ? Tr(state).toStdString() : std::string(state));
    if (!status.reasons.empty() && status.reasons != "none")
        line += " (" + status.reasons + ")";
    if (!status.printerMessage.empty())
        line += ": " + status.printerMessage;
    // Where the job or its queue stopped, the queue's state says why.
    if (status.printerState == IPP_PSTATE_STOPPED || status.state == IPP_JSTATE_STOPPED) {
        const char *printerState = status.printerState == IPP_PSTATE_STOPPED      ? "stopped"
                                   : status.printerState == IPP_PSTATE_PROCESSING ? "processing"
                                                                                  : "idle";
        line += "; printer " + queue + " " + (translated ? Tr(printerState).toStdString() : printerState);
        if (!status.printerReasons.empty() && status.printerReasons != "none")
            line += " (" + status.printerReasons + ")";
        if (!status.printerStateMessage.empty())
            line += ": " + status.printerStateMessage;
    }
    return line;
}
