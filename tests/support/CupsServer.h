// A private CUPS scheduler for one test: a real cupsd on 127.0.0.1 at a free
// port, with its configuration, spool, cache, state and logs in a temporary
// folder. It never touches the machine's /etc/cups or a system scheduler.
//
// Usage:
//     CupsServer cups;                  // starts cupsd and points this process at it
//     ASSERT_TRUE(cups.running()) << cups.log();
//     ASSERT_TRUE(cups.addQueue("QV-MR52", "file:/dev/null", ppdPath, {CupsServer::kHoldJobs}));
//     ... run tintdialog or lp (children inherit the environment) ...
//     auto job = cups.jobAttributes(1);  // every attribute of the held job
//     cups.releaseJob(1);
//     EXPECT_EQ(cups.waitForJobEnd(1), CupsServer::kJobCompleted);
//
// While it lives, this process's environment names the server
// (CUPS_SERVER=127.0.0.1:PORT) and gives libcups' clients a client folder and
// a home of their own inside the temporary folder (CUPS_SERVERROOT, HOME), so
// that lpoptions and cupsSetDests2 write there and not to /etc/cups or the
// real home. libcups reads CUPS_SERVERROOT and HOME once per thread: code
// that calls libcups in this process sees them only in threads whose first
// libcups call comes after the construction. The server name is also set
// for this thread (cupsSetServer). Everything is restored at destruction.
#pragma once

#include <sys/types.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

class CupsServer
{
  public:
    // lpadmin arguments that make the queue hold every job until released.
    static inline const std::vector<std::string> kHoldJobs = {"-o", "job-hold-until-default=indefinite"};
    // IPP job states.
    static constexpr int kJobPending = 3, kJobHeld = 4, kJobProcessing = 5, kJobStopped = 6, kJobCanceled = 7,
                         kJobAborted = 8, kJobCompleted = 9;

    CupsServer(); // starts cupsd and waits (with a deadline) until it answers
    ~CupsServer();
    CupsServer(const CupsServer &) = delete;
    CupsServer &operator=(const CupsServer &) = delete;

    bool running() const { return pid_ > 0; }
    int port() const { return port_; }
    // "127.0.0.1:PORT", for CUPS_SERVER, lp -h, tintdialog --server.
    std::string server() const;
    // The temporary folder; home() and clientRoot() lie in it.
    const std::string &dir() const { return dir_; }
    std::string home() const { return dir_ + "/home"; }
    std::string clientRoot() const { return dir_ + "/client"; }
    // "CUPS_SERVER=... CUPS_SERVERROOT=... HOME=..." for a shell command line
    // whose environment was cleared or changed.
    std::string clientEnvironment() const;
    // Why it did not start, and the scheduler's error log.
    std::string log() const;

    // Runs lpadmin against this server with the given arguments.
    ::testing::AssertionResult lpadmin(const std::vector<std::string> &args) const;
    // A queue with a PPD: lpadmin -p NAME -E -v URI -P PPD EXTRA...
    // An empty ppd makes a raw queue (no PPD at all).
    ::testing::AssertionResult addQueue(const std::string &name, const std::string &uri,
                                        const std::string &ppd,
                                        const std::vector<std::string> &extra = {}) const;

    // Every attribute of a job through Get-Job-Attributes: name -> value
    // as text (several values joined by ','). Empty when the job is unknown.
    std::map<std::string, std::string> jobAttributes(int jobId) const;
    // IDs of every job the server knows (pending, held, done), oldest first.
    std::vector<int> jobIds() const;
    // The job's state (kJob...), or 0 when it cannot be read.
    int jobState(int jobId) const;
    // Release-Job; true when the server accepted it.
    bool releaseJob(int jobId) const;
    // Waits until the job is canceled, aborted or completed (at most 60 s)
    // and returns its state then (a state below kJobCanceled on the deadline).
    int waitForJobEnd(int jobId) const;

    // Stops the scheduler now (the destructor does it otherwise); the
    // folder stays until destruction.
    void stop();

  private:
    // One attempt on a new port; portTaken tells whether cupsd found it taken.
    bool start(bool *portTaken);

    std::string dir_;
    std::string why_;
    int port_ = -1;
    pid_t pid_ = -1;
    std::map<std::string, std::pair<bool, std::string>> savedEnv_;
};
