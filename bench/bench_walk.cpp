// Walk of a 500-row profile table on a real snmpd (127.0.0.1): mib_walk in
// this process beside the snmpwalk program on the same agent, and the merge
// plus write of a full list on its own.
//
//   bench_walk [ROUNDS]     (default 7)
//
// Prints the fastest round of each measurement and the ratio mib_walk / snmpwalk
// (target at most 1.1). snmpwalk is timed as a whole process, as a user runs
// it; mib_walk includes its merge and the write of the list.
#include "MibWalk.h"
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

int WalkOnce()
{
    std::vector<std::string> args = {"snmpwalk", "-Os", "-c",        "wemblo",
                                     "-v",       "1",   "127.0.0.1", kProfileEntryOidText};
    std::vector<char *> argv;
    for (auto &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return mib_walk(static_cast<int>(args.size()), argv.data());
}

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    TempRoot root;
    TintCopyPath(WQ_PLIST_PROFILE_PATH, root.prefFile("bench-QV-MR52-profile.plist").c_str());
    TintCopyPath(WQ_PLIST_PROFILE_PREV_PATH, root.prefFile("bench-QV-MR52-profile.prev.plist").c_str());

    SnmpAgent::Options options;
    options.rows = MakeProfileRows(500);
    options.viewSubtree = kProfileEntryOidText;
    SnmpAgent agent(options);
    if (!agent.running()) {
        std::fprintf(stderr, "bench_walk: snmpd did not start\n%s", agent.log().c_str());
        return 1;
    }

    // The first walk also initialises the library; it is not counted.
    if (WalkOnce() != 0) {
        std::fprintf(stderr, "bench_walk: the walk failed\n");
        return 1;
    }

    const std::string snmpwalk = SnmpClientEnvironment() + " snmpwalk -Os -c wemblo -v 1 127.0.0.1 " +
                                 kProfileEntryOidText + " > /dev/null";
    std::vector<double> ours, theirs, merge;
    for (int i = 0; i < rounds; ++i) {
        ours.push_back(Milliseconds([] { WalkOnce(); }));
        theirs.push_back(Milliseconds([&] { RunCommand(snmpwalk); }));
    }

    // The merge alone, into a full list: 500 entries in each group, among
    // them every profile of the walk's spool (the file is rewritten every
    // time and stays the same).
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
        merge.push_back(Milliseconds([] { vRestructPlistSpool2Current(0); }));

    const double o = Fastest(ours), t = Fastest(theirs), m = Fastest(merge);
    std::printf("rows                       500 (3500 variables, 3501 requests)\n");
    std::printf("mib_walk (walk + merge)    %8.1f ms\n", o);
    std::printf("snmpwalk process           %8.1f ms\n", t);
    std::printf("ratio mib_walk / snmpwalk  %8.2f  (target <= 1.10)\n", o / t);
    std::printf("merge + write, full list   %8.1f ms  (3 x 500 entries)\n", m);
    std::printf("ratio without the merge    %8.2f\n", (o - m) / t);
    return 0;
}
