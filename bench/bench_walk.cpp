// Walk of a 500-row profile table on a real snmpd (127.0.0.1): mib_walk in
// this process beside the snmpwalk program on the same agent, and the merge
// plus write of a full list on its own.
//
//   bench_walk [ROUNDS]     (default 5)
//
// Prints the median of each measurement and the ratio mib_walk / snmpwalk
// (target at most 1.1). snmpwalk is timed as a whole process, as a user runs
// it; mib_walk includes its merge and the write of the list.
#include "MibWalk.h"
#include "ProfileStore.h"
#include "ProfileStoreDirect.h"
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

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
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
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
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

    // The merge alone: the spool of the last walk into a list that already
    // holds those 500 profiles (the file is rewritten every time).
    for (int i = 0; i < rounds; ++i)
        merge.push_back(Milliseconds([] { vRestructPlistSpool2Current(0); }));

    const double o = Median(ours), t = Median(theirs), m = Median(merge);
    std::printf("rows                       500 (3500 variables, 3501 requests)\n");
    std::printf("mib_walk (walk + merge)    %8.1f ms\n", o);
    std::printf("snmpwalk process           %8.1f ms\n", t);
    std::printf("ratio mib_walk / snmpwalk  %8.2f  (target <= 1.10)\n", o / t);
    std::printf("merge + write of the list  %8.1f ms\n", m);
    return 0;
}
