// The dialog's link to a CUPS server: the connection, the server's queues,
// and one queue opened for the dialog (its PPD, device URI, description and
// the user's lpoptions for it). libcups' public API only.
#pragma once

#include <cups/cups.h>
#include <cups/ppd.h>

#include "QueueIPPOptions.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

struct CupsHttpClose {
    void operator()(http_t *http) const { httpClose(http); }
};
using CupsHttp = std::unique_ptr<http_t, CupsHttpClose>;

// How long the dialog waits for the server, in seconds: for a connection,
// for the answer to each request, and without progress while a document is
// sent; a PPD's whole transfer may take twice as long. 30 by default
// (tintdialog --timeout).
void CupsSetTimeout(int seconds);
int CupsTimeout();

// A deadline on one exchange with the server over http, from construction
// to destruction. libcups' timeout callback ends a wait that outlasts it (a
// server that never answers); a watchdog shuts the connection down when the
// deadline passes although bytes keep coming (a server that trickles). A
// connection that was shut down fails every later read at once, so the
// exchange ends with an error; expired() then tells that time was the
// reason. Guards on one connection must not nest.
class CupsDeadline
{
  public:
    CupsDeadline(http_t *http, int seconds);
    ~CupsDeadline();
    CupsDeadline(const CupsDeadline &) = delete;
    CupsDeadline &operator=(const CupsDeadline &) = delete;

    // Progress: the deadline starts again from now.
    void extend();
    bool expired() const;
    int seconds() const { return seconds_; }

  private:
    struct State;
    static int OnTimeout(http_t *http, void *data);
    http_t *http_;
    int seconds_;
    std::unique_ptr<State> state_;
};

// "the CUPS server HOST:PORT did not WHAT within N s".
std::string CupsTimeoutMessage(const std::string &what, int seconds);

// Chooses the server (server as HOST[:PORT] when given, else CUPS_SERVER,
// else libcups' default) and connects to it. null with a one-line *error
// naming the server when it cannot be reached.
CupsHttp CupsConnect(const std::string &server, std::string *error);

// Why the last exchange with the server on http failed, as libcups keeps
// it: the IPP status message, else the connection's own error, else the
// HTTP status. Never "Success": a failure without any recorded reason says
// that the server closed the connection.
std::string CupsFailureReason(http_t *http);

// Why ppdOpenFile failed just now: libcups' reason with its line
// ("Illegal option keyword string on line 33"), or the system's for a file
// that cannot be opened.
std::string CupsPPDOpenError();

// The server libcups talks to, as a person would name it ("HOST:PORT" or
// the local socket's path).
std::string CupsServerName();

// Why a queue name cannot name a CUPS queue ("" when it can): CUPS names are
// printable ASCII without spaces, '/', '\\', '?', '#', quotes, at most 127
// bytes.
std::string CupsQueueNameProblem(const std::string &name);

// A PPD carries the Color Options panel's options: it is a QV-MR52's.
bool CupsPPDIsQVMR52(ppd_file_t *ppd);

// What the server says about one queue.
struct CupsQueueInfo {
    std::string name;
    std::string info;         // printer-info
    std::string makeAndModel; // printer-make-and-model
    std::string deviceURI;    // device-uri
    std::string state;        // "idle", "processing" or "stopped"
    bool isDefault = false;   // the user's default (lpoptions, then the server's)
    bool hasPPD = false;
    bool isQVMR52 = false;
};

// Every queue of the server (not instances), with the PPD of each examined.
// false with *error when the server refuses.
bool CupsListQueues(http_t *http, std::vector<CupsQueueInfo> *queues, std::string *error);

// One queue opened for the dialog. The PPD is fetched into a temporary file
// that the object removes.
class CupsQueue
{
  public:
    CupsQueue() = default;
    ~CupsQueue();
    CupsQueue(const CupsQueue &) = delete;
    CupsQueue &operator=(const CupsQueue &) = delete;

    enum class Result { kOpened, kNoDefault, kRefused };
    // Opens queue name, or the user's default destination when name is
    // empty. kNoDefault: no name was given and there is no default. kRefused
    // with a one-line *error: unknown queue, a PPD that is not a QV-MR52's,
    // or the server failed. A queue without a PPD (raw or driverless) opens
    // with info().hasPPD false, no PPD file and its queueOptions().
    Result open(http_t *http, const std::string &name, std::string *error);

    const CupsQueueInfo &info() const { return info_; }
    const std::string &ppdFile() const { return ppdFile_; }
    // The window's title: printer-info, else make and model, else the name.
    std::string title() const;
    // The user's lpoptions for the queue (with the server's own attributes
    // that libcups merges in).
    const std::map<std::string, std::string> &destOptions() const { return destOptions_; }
    // What a queue without a PPD supports (empty for one with a PPD).
    const std::vector<QueueIPPOption> &queueOptions() const { return queueOptions_; }
    // The PPD file is no longer needed once opened.
    void removePPDFile();

  private:
    CupsQueueInfo info_;
    std::string ppdFile_;
    std::map<std::string, std::string> destOptions_;
    std::vector<QueueIPPOption> queueOptions_;
};

// The user's lpoptions file, where libcups keeps the user's defaults.
std::string CupsUserOptionsFile();

// Writes the user's lpoptions for queue: every PPD option of ppd (may be
// null) and every name of jobOptions (the dialog's job options besides the
// PPD's) is dropped from the queue's line, then choices (keyword to choice)
// are added; with no choices (clear) they are dropped from its instance
// lines too. Every other line stays as it was; the file is replaced whole
// under its lock. false with *error (nothing changed) when the file cannot
// be written.
bool CupsSetUserDefaults(http_t *http, const std::string &queue, ppd_file_t *ppd,
                         const std::vector<std::string> &jobOptions,
                         const std::map<std::string, std::string> &choices, std::string *error);
