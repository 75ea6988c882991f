// tintdialog beside CUPS' own clients on one private scheduler (127.0.0.1):
//   - print --queue Q FILE beside lp -d Q -o ... FILE with the very options
//     tintdialog's job carried; the queue holds every job, so that neither
//     measurement includes the filter chain;
//   - queues beside lpstat -v on a server with 50 queues;
//   - the peak memory of print reading 500 MB from standard input (target:
//     under 64 MB), beside lp reading the same.
//
//   bench_print [ROUNDS]     (default 10)
//
// Each is timed as a whole process, as a user runs it. Prints the fastest
// round of each measurement and the ratios (targets: print at most 1.5,
// queues at most 2), and tintdialog's start-up alone (--help) as its floor.
#include "ChildProcess.h"
#include "CupsServer.h"
#include "TempRoot.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

// Fastest round: the machine may be busy, and the fastest round is the one
// least disturbed by it.
double FastestRun(const std::string &command, int rounds)
{
    double best = 1e12;
    for (int i = 0; i < rounds; i++) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) {
            std::fprintf(stderr, "bench_print: failed: %s\n", command.c_str());
            std::exit(1);
        }
        best = std::min(
            best,
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

// The peak resident memory (MB) of the largest process of one command
// line, or -1 when it fails. Run from a child of its own, so that the
// processes of earlier measurements do not count.
double PeakMegabytes(const std::string &command)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        long peak = -1;
        if (std::system((command + " >/dev/null 2>&1").c_str()) == 0) {
            rusage usage{};
            getrusage(RUSAGE_CHILDREN, &usage);
            peak = usage.ru_maxrss;
        }
        const ssize_t written = write(fds[1], &peak, sizeof peak);
        _exit(written == sizeof peak ? 0 : 1);
    }
    close(fds[1]);
    long peak = -1;
    if (pid < 0 || read(fds[0], &peak, sizeof peak) != sizeof peak)
        peak = -1;
    close(fds[0]);
    if (pid > 0)
        waitpid(pid, nullptr, 0);
    return peak < 0 ? -1.0 : peak / 1024.0;
}

void Report(const char *what, double ours, const char *theirs, double reference, double target)
{
    std::printf("%-34s %8.1f ms\n%-34s %8.1f ms\nratio %.2f (target at most %.1f)\n\n", what, ours, theirs,
                reference, ours / reference, target);
}

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    TempRoot root;
    CupsServer cups;
    if (!cups.running()) {
        std::fprintf(stderr, "%s\n", cups.log().c_str());
        return 1;
    }
    const std::string ppd = std::string(TINT_SOURCE_DIR) + "/Demo/QV-MR52.ppd";
    const std::string document = std::string(TINT_SOURCE_DIR) + "/Demo/sample.ps";
    if (!cups.addQueue("QV-MR52", "file:/dev/null", ppd, CupsServer::kHoldJobs))
        return 1;

    const std::string dialog = std::string("QT_QPA_PLATFORM=offscreen DBUS_SESSION_BUS_ADDRESS=unix:path=") +
                               root.path() + "/no-bus " + ShellQuote(TINT_DIALOG) + " --plugin " +
                               ShellQuote(TINT_PLUGIN_BUNDLE) + " --settings " +
                               ShellQuote(root.path() + "/job.plist");
    const std::string print = dialog + " --queue QV-MR52 print " + ShellQuote(document);
    std::printf("tintdialog --help (start-up floor)  %8.1f ms\n\n", FastestRun(dialog + " --help", rounds));

    // The options of tintdialog's job: what it carries beyond a plain lp job.
    std::system((print + " >/dev/null 2>&1").c_str());
    std::system(("lp -d QV-MR52 " + ShellQuote(document) + " >/dev/null 2>&1").c_str());
    const std::vector<int> jobs = cups.jobIds();
    if (jobs.size() != 2) {
        std::fprintf(stderr, "bench_print: tintdialog submitted no job\n");
        return 1;
    }
    std::set<std::string> plain;
    for (const auto &[name, value] : cups.jobAttributes(jobs[1]))
        plain.insert(name);
    std::string options;
    int count = 0;
    for (const auto &[name, value] : cups.jobAttributes(jobs[0])) {
        if (plain.count(name) == 0) {
            options += " -o " + ShellQuote(name + "=" + value);
            count++;
        }
    }
    const std::string lp = "lp -d QV-MR52" + options + " " + ShellQuote(document);
    std::printf("print: %d options beyond a plain lp job, %d rounds each\n", count, rounds);
    Report("tintdialog print --queue QV-MR52", FastestRun(print, rounds), "lp -d QV-MR52 -o ...",
           FastestRun(lp, rounds), 1.5);

    // 500 MB of PostScript comments on standard input; the stream is made
    // by yes and head, whose own memory is a few hundred kilobytes.
    const std::string stream =
        "(printf '%%!PS\\n'; yes '% a comment line that fills the stream' 2>/dev/null | "
        "head -c 500000000; printf 'showpage\\n') | ";
    std::printf("print from standard input, 500 MB: peak memory of the largest process\n");
    std::printf("%-34s %8.1f MB (target under 64)\n", "tintdialog --queue QV-MR52 print",
                PeakMegabytes(stream + dialog + " --queue QV-MR52 print"));
    std::printf("%-34s %8.1f MB\n\n", "lp -d QV-MR52", PeakMegabytes(stream + "lp -d QV-MR52"));

    for (int i = 2; i <= 50; i++) {
        char name[16];
        std::snprintf(name, sizeof name, "Q%02d", i);
        if (!cups.addQueue(name, "file:/dev/null", i % 5 == 0 ? std::string() : ppd))
            return 1;
    }
    std::printf("queues: 50 queues (40 with the sample PPD, 10 raw), %d rounds each\n", rounds);
    Report("tintdialog queues", FastestRun(dialog + " queues", rounds), "lpstat -v",
           FastestRun("lpstat -v", rounds), 2.0);
    return 0;
}
