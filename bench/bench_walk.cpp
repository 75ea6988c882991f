// Walk of a 500-row profile table, side by side with Net-SNMP's programs on
// the same agents: a real snmpd on 127.0.0.1, and the same snmpd behind a
// proxy that holds every request 1 ms (about what an SNMP simulator takes)
// or 5 ms (as a printer's embedded agent takes its time). Then the merge
// plus write of a full list on its own.
//
//   bench_walk [ROUNDS]     (default 5)
//
// For each agent: mib_walk under SNMPv1 (a row per GETNEXT), under SNMPv2c
// (GETBULK) and one variable per request (-C s, as before), beside
// `snmpwalk -v1` and `snmpbulkwalk -v2c -Cr50`. Prints the fastest round of
// each (the slow ones behind a proxy run once) and the requests each sent,
// the ratios against their targets (SNMPv1 at most 0.2 x snmpwalk, SNMPv2c
// no slower than snmpbulkwalk), and whether every walk spooled and wrote the
// same list and both programs printed the same variables. snmpwalk and
// snmpbulkwalk are timed as whole processes, as a user runs them; mib_walk
// includes its merge and the write of the list.
#include "MibWalk.h"
#include "MibWalkRequest.h"
#include "ProfileStore.h"
#include "ProfileStoreDirect.h"
#include "ProfileTables.h"
#include "SnmpAgent.h"
#include "TempRoot.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{

constexpr int kRows = 500;

// Fastest round: the machine may be busy, and the fastest round is the one
// least disturbed by it.
double Fastest(const std::vector<double> &v)
{
    return *std::min_element(v.begin(), v.end());
}

double Milliseconds(const std::function<void()> &f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

std::vector<std::string> WalkArgs(const std::string &host, const std::string &version, bool oneByOne)
{
    std::vector<std::string> args = {"snmpwalk", "-Os",   "-c", "wemblo",
                                     "-v",       version, host, kProfileEntryOidText};
    if (oneByOne)
        args.insert(args.begin() + 1, "-Cs");
    return args;
}

int WalkOnce(const std::string &host, const std::string &version, bool oneByOne)
{
    std::vector<std::string> args = WalkArgs(host, version, oneByOne);
    std::vector<char *> argv;
    for (auto &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return mib_walk(static_cast<int>(args.size()), argv.data(), TestProfileStore());
}

// The walk without the merge and the write of the list, as the programs do.
int FetchOnce(const std::string &host, const std::string &version)
{
    const std::vector<std::string> args = WalkArgs(host, version, false);
    std::vector<const char *> argv;
    for (const auto &a : args)
        argv.push_back(a.c_str());
    MibWalkRequest request;
    if (MibWalkParseRequest(static_cast<int>(argv.size()), argv.data(), &request) != kMibWalkSuccess)
        return kMibWalkUsage;
    auto outcome = std::make_unique<MibWalkOutcome>();
    return MibWalkFetch(request, outcome.get());
}

struct Walker {
    const char *label;
    std::function<void()> run;
    bool slow; // one round behind the slow agent
};

struct Agent {
    const char *label;
    std::string host;
    const ScriptedSnmpAgent *proxy; // counts requests; null for snmpd itself
};

struct Figures {
    std::vector<double> ms;         // per walker
    std::vector<std::size_t> asked; // requests per walker (behind the proxy)
    bool same = true;
};

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    TempRoot root;
    const std::string list = root.prefFile("bench-QV-MR52-profile.plist");
    TintCopyPath(WQ_PLIST_PROFILE_PATH, list.c_str());
    TintCopyPath(WQ_PLIST_PROFILE_PREV_PATH, root.prefFile("bench-QV-MR52-profile.prev.plist").c_str());

    SnmpAgent::Options options;
    options.rows = MakeProfileRows(kRows);
    options.viewSubtree = kProfileEntryOidText;
    SnmpAgent agent(options);
    const std::string direct = "127.0.0.1:" + std::to_string(agent.port());
    ScriptedSnmpAgent slower("{\"proxy\": \"" + direct + "\", \"delay\": 0.001}", true);
    ScriptedSnmpAgent slow("{\"proxy\": \"" + direct + "\", \"delay\": 0.005}", true);
    if (!agent.running() || !slower.running() || !slow.running()) {
        std::fprintf(stderr, "bench_walk: snmpd or the proxy did not start\n%s", agent.log().c_str());
        return 1;
    }
    const Agent agents[] = {
        {"snmpd", direct, nullptr},
        {"snmpd + 1 ms", "127.0.0.1:" + std::to_string(slower.port()), &slower},
        {"snmpd + 5 ms", "127.0.0.1:" + std::to_string(slow.port()), &slow},
    };
    constexpr int kAgents = 3;

    // The first walk also initialises the library; it is not counted.
    if (WalkOnce(direct, "1", false) != 0) {
        std::fprintf(stderr, "bench_walk: the walk failed\n");
        return 1;
    }
    const std::string startList = ReadFile(list);

    Figures figures[kAgents];
    std::vector<Walker> walkers;
    for (int a = 0; a < kAgents; ++a) {
        const Agent &ag = agents[a];
        const std::string tail = " -c wemblo " + ag.host + " " + kProfileEntryOidText;
        const std::string env = SnmpClientEnvironment();
        walkers = {
            {"mib_walk -v 1 (a row per request)", [&] { WalkOnce(ag.host, "1", false); }, false},
            {"mib_walk -v 2c (GETBULK)", [&] { WalkOnce(ag.host, "2c", false); }, false},
            {"mib_walk -v 1 -C s (a cell per request)", [&] { WalkOnce(ag.host, "1", true); }, true},
            {"snmpwalk -v1", [&] { RunCommand(env + " snmpwalk -On -v1" + tail + " > /dev/null"); }, true},
            {"snmpbulkwalk -v2c -Cr50",
             [&] { RunCommand(env + " snmpbulkwalk -On -v2c -Cr50" + tail + " > /dev/null"); }, false},
            {"mib_walk -v 1 without the merge", [&] { FetchOnce(ag.host, "1"); }, false},
            {"mib_walk -v 2c without the merge", [&] { FetchOnce(ag.host, "2c"); }, false},
        };
        Figures &f = figures[a];
        f.ms.assign(walkers.size(), 0);
        f.asked.assign(walkers.size(), 0);

        // The same list from every walk: the spool and the file it wrote,
        // each walk starting from the same list.
        ProfileTable firstSpool{};
        std::string firstWritten;
        for (std::size_t w = 0; w < 3; ++w) {
            WriteFile(list, startList);
            const std::size_t before = ag.proxy ? ag.proxy->requests().size() : 0;
            walkers[w].run();
            if (ag.proxy)
                f.asked[w] = ag.proxy->requests().size() - before;
            if (w == 0) {
                firstSpool = PlistForSpool;
                firstWritten = ReadFile(list);
                f.same = numprinted == kRows * 7 && PlistForSpool.iNum == kRows;
            } else {
                f.same = f.same && std::memcmp(&firstSpool, &PlistForSpool, sizeof firstSpool) == 0 &&
                         ReadFile(list) == firstWritten;
            }
        }
        // Both programs print the same variables, as many as the walk counted
        // (lines such as "End of MIB" left out).
        const std::string filter = " | grep -v -e '^End of MIB' -e 'No more variables'";
        const std::string printed1 = RunCommand(env + " snmpwalk -On -v1" + tail + filter);
        const std::string printed2 = RunCommand(env + " snmpbulkwalk -On -v2c -Cr50" + tail + filter);
        const bool printedSame = printed1 == printed2 && std::count(printed1.begin(), printed1.end(), '\n') ==
                                                             static_cast<long>(kRows) * 7;
        if (!f.same || !printedSame)
            std::fprintf(stderr, "bench_walk: %s: %s differ\n", ag.label,
                         f.same ? "what snmpwalk and snmpbulkwalk print" : "the walks' lists");
        f.same = f.same && printedSame;
        f.asked[5] = f.asked[0];
        f.asked[6] = f.asked[1];
        for (std::size_t w = 3; w < 5; ++w) {
            const std::size_t before = ag.proxy ? ag.proxy->requests().size() : 0;
            walkers[w].run();
            if (ag.proxy)
                f.asked[w] = ag.proxy->requests().size() - before;
        }

        for (std::size_t w = 0; w < walkers.size(); ++w) {
            std::vector<double> times;
            const int n = ag.proxy && walkers[w].slow ? 1 : rounds;
            for (int i = 0; i < n; ++i)
                times.push_back(Milliseconds(walkers[w].run));
            f.ms[w] = Fastest(times);
        }
    }

    // The merge alone, into a full list: 500 entries in each group, among
    // them every profile of the walk's spool (the file is rewritten every
    // time and stays the same).
    std::vector<double> merge;
    {
        ProfileTables tables;
        for (int i = 0; i < PlistForSpool.iNum; ++i) {
            ProfileEntry e = PlistForSpool.entry[i];
            e.inMenu = InMenu::DeviceHidden;
            for (int g : e.profileClass == 3 ? std::vector<int>{1, 2} : std::vector<int>{0})
                tables.add(g, e);
        }
        for (int g = 0; g < 3; ++g)
            FillUserProfiles(&tables[g], 500);
        if (tables.write() != 0) {
            std::fprintf(stderr, "bench_walk: the list could not be written\n");
            return 1;
        }
    }
    for (int i = 0; i < rounds; ++i)
        merge.push_back(Milliseconds([] { vRestructPlistSpool2Current(0, TestProfileStore()); }));

    std::printf("rows %d (%d variables), fastest of %d rounds (behind the proxy: the cell walks once)\n",
                kRows, kRows * 7, rounds);
    std::printf("%-40s %12s %12s %12s %9s\n", "", agents[0].label, agents[1].label, agents[2].label,
                "requests");
    for (std::size_t w = 0; w < walkers.size(); ++w)
        std::printf("%-40s %9.1f ms %9.1f ms %9.1f ms %9zu\n", walkers[w].label, figures[0].ms[w],
                    figures[1].ms[w], figures[2].ms[w], figures[2].asked[w]);
    for (int a = 0; a < kAgents; ++a) {
        const Figures &f = figures[a];
        std::printf(
            "%-13s ratio v1 / snmpwalk -v1          %6.3f  (target <= 0.20; without the merge %.3f)\n",
            agents[a].label, f.ms[0] / f.ms[3], f.ms[5] / f.ms[3]);
        std::printf(
            "%-13s ratio v2c / snmpbulkwalk -Cr50   %6.3f  (target <= 1.00; without the merge %.3f)\n",
            agents[a].label, f.ms[1] / f.ms[4], f.ms[6] / f.ms[4]);
        std::printf("%-13s ratio v1 / a cell per request    %6.3f\n", agents[a].label, f.ms[0] / f.ms[2]);
        std::printf("%-13s identical lists                  %s\n", agents[a].label, f.same ? "yes" : "NO");
    }
    std::printf("merge + write, full list                %8.1f ms  (3 x 500 entries)\n", Fastest(merge));
    return figures[0].same && figures[1].same && figures[2].same ? 0 : 1;
}
