// Times a full profile list (3 x 500 used entries) written and read by the
// store, beside libplist's own serialise and parse of the same tree, and
// prints a table. Usage: bench_store [rounds]
#include "ProfilePlist.h"
#include "ProfileStore.h"
#include "ProfileStoreDirect.h"
#include "ProfileStorePathBackend.h"
#include "ProfileTables.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace
{

using Clock = std::chrono::steady_clock;

// Fastest of the rounds, in milliseconds: the machine may be busy, and the
// fastest round is the one least disturbed by it.
double Fastest(int rounds, const std::function<void()> &step)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        auto start = Clock::now();
        step();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times.front();
}

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    char folder[] = "/tmp/tintbench.XXXXXX";
    if (mkdtemp(folder) == nullptr)
        return 1;
    const std::string path = std::string(folder) + "/bench-QV-MR52-profile.plist";
    TintCopyPath(WQ_PLIST_PROFILE_PATH, path.c_str());

    auto tables = std::vector<std::unique_ptr<ProfileTable>>();
    for (int g = 0; g < 3; ++g) {
        tables.push_back(NewProfileTable());
        FillFullGroup(tables.back().get(), g);
    }
    auto in0 = NewProfileTable(), in1 = NewProfileTable(), in2 = NewProfileTable();

    int failures = 0;
    const double storeWrite = Fastest(rounds, [&] {
        failures += WQPListWriteProfile_All(tables[0].get(), tables[1].get(), tables[2].get()) != 0;
    });
    const double storeRead =
        Fastest(rounds, [&] { failures += WQPListReadProfile_All(in0.get(), in1.get(), in2.get()) != 0; });
    const auto size = std::filesystem::file_size(path);

    PlistPtr root = BuildProfileListRoot(tables[0].get(), tables[1].get(), tables[2].get());
    const double build = Fastest(rounds, [&] {
        PlistPtr tree = BuildProfileListRoot(tables[0].get(), tables[1].get(), tables[2].get());
    });
    std::string xml;
    const double serialise = Fastest(rounds, [&] {
        char *text = nullptr;
        uint32_t length = 0;
        plist_to_xml(root.get(), &text, &length);
        xml.assign(text, length);
        plist_to_xml_free(text);
    });
    const double disk = Fastest(
        rounds, [&] { failures += ProfileFileWriteWhole(path.c_str(), xml.data(), xml.size()) != 1; });
    const double probe = Fastest(rounds, [&] { failures += WQPListIsAdminProfile() != 1; });
    const double parse = Fastest(rounds, [&] {
        plist_t node = nullptr;
        plist_from_xml(xml.data(), static_cast<uint32_t>(xml.size()), &node);
        plist_free(node);
    });

    std::printf("Full profile list: 3 x %d used entries, %ju bytes, fastest of %d rounds\n\n",
                kProfileTableSlots, static_cast<uintmax_t>(size), rounds);
    std::printf("| %-44s | %9s |\n", "step", "ms");
    std::printf("|%s|%s|\n", std::string(46, '-').c_str(), std::string(11, '-').c_str());
    std::printf("| %-44s | %9.3f |\n", "store: WQPListWriteProfile_All (to disk)", storeWrite);
    std::printf("| %-44s | %9.3f |\n", "store: WQPListReadProfile_All (from disk)", storeRead);
    std::printf("| %-44s | %9.3f |\n", "store: build the tree from the tables", build);
    std::printf("| %-44s | %9.3f |\n", "libplist: plist_to_xml of that tree", serialise);
    std::printf("| %-44s | %9.3f |\n", "libplist: plist_from_xml of that text", parse);
    std::printf("| %-44s | %9.3f |\n", "disk: temporary file, fsync, rename", disk);
    std::printf("| %-44s | %9.3f |\n", "disk: write-permission probe", probe);
    std::printf("| %-44s | %9.3f |\n", "store over libplist and disk, write", storeWrite - serialise - disk);
    std::printf("| %-44s | %9.3f |\n", "store over libplist, read", storeRead - parse);

    std::filesystem::remove_all(folder);
    return failures == 0 ? 0 : 1;
}
