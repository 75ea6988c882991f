// Cost of the relay, measured in one run on a private bus:
//   - one relay call (a whole Tintrelay process plus the D-Bus round trip to
//     Tintvault) beside its floor: spawning /bin/true plus one in-process
//     D-Bus call to the same service;
//   - a full profile list (3 x 500 used entries) written by the plug-in's
//     back end through the relay (probe, pieces, rename) beside the direct
//     write of the same bytes (serialise + write to a file renamed into place).
// Usage: bench_relay [rounds]
#include "FileUrl.h"
#include "ProfilePlist.h"
#include "ProfileStore.h"
#include "ProfileStoreBackend.h"
#include "RelayCall.h"
#include "RelayProtocol.h"
#include "SessionBus.h"
#include "TempRoot.h"
#include "TintPaths.h"

#include <sdbus-c++/sdbus-c++.h>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

extern char **environ;

namespace
{

using Clock = std::chrono::steady_clock;

double Median(int rounds, const std::function<void()> &step, const std::function<void()> &setup = {})
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        if (setup)
            setup();
        const auto start = Clock::now();
        step();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void SpawnTrue()
{
    char arg0[] = "/bin/true";
    char *argv[] = {arg0, nullptr};
    pid_t pid;
    if (posix_spawn(&pid, arg0, nullptr, nullptr, argv, environ) == 0) {
        int status;
        waitpid(pid, &status, 0);
    }
}

void Fill(ProfileTable *table, int group)
{
    for (int i = 0; i < kProfileTableSlots; ++i) {
        ProfileEntry &e = table->entry[i];
        e.indexOnDevice = i + 1;
        e.inMenu = 1 + (i + group) % 6;
        e.profileClass = 1 + i % 3;
        e.location = 4;
        std::snprintf(e.fileName, sizeof e.fileName, "G%dprofile%03d.icc", group, i);
        std::snprintf(e.profileName, sizeof e.profileName, "Profile %d of group %d", i, group);
    }
    table->iNum = kProfileTableSlots;
}

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    umask(002);
    TempRoot root;
    SessionBus bus;
    if (!bus.running()) {
        std::fprintf(stderr, "bench_relay: no private bus\n");
        return 1;
    }
    const std::string list = root.currentList();

    // An installed relay, not a link into the build tree, which may sit on a
    // slower file system than an installed driver does.
    {
        const std::string relayPath = TintRelayPath();
        const std::string built = ReadFile(relayPath);
        std::remove(relayPath.c_str());
        if (built.empty() || !WriteFile(relayPath, built) || chmod(relayPath.c_str(), 0755) != 0) {
            std::fprintf(stderr, "bench_relay: cannot install the relay in the temporary root\n");
            return 1;
        }
    }

    // Start the service once so that every measurement sees it running.
    if (!TintRelayCallBool(kWqPListIsAdminProfile_XPC, {list})) {
        std::fprintf(stderr, "bench_relay: the relay does not answer (is Tintvault built?)\n");
        return 1;
    }
    auto connection = sdbus::createSessionBusConnection();
    auto proxy = sdbus::createProxy(*connection, kTintVaultBusName, kTintVaultObjectPath);
    auto inProcessCall = [&] {
        std::string reply;
        proxy->callMethod(kWqPListExistProfile_XPC)
            .onInterface(kTintVaultInterface)
            .withArguments(list)
            .storeResultsTo(reply);
    };

    const double spawn = Median(rounds, SpawnTrue);
    const double dbus = Median(rounds, inProcessCall);
    const double relay = Median(rounds, [&] { TintRelayCallBool(kWqPListExistProfile_XPC, {list}); });
    const double floor = spawn + dbus;

    auto rgb = NewProfileTable(), sim = NewProfileTable(), dst = NewProfileTable();
    Fill(rgb.get(), 0);
    Fill(sim.get(), 1);
    Fill(dst.get(), 2);
    int failures = 0;
    const double throughRelay = Median(rounds, [&] {
        if (WQPListWriteProfile_All(rgb.get(), sim.get(), dst.get()) != 0)
            ++failures;
    });

    // The same bytes written directly, as the service's own back end does.
    const std::string xml = ReadFile(list);
    plist_t tree = nullptr;
    plist_from_xml(xml.data(), static_cast<uint32_t>(xml.size()), &tree);
    PlistPtr owned(tree);
    const std::string directPath = root.prefFile("direct-QV-MR52-profile.plist");
    const double direct = Median(rounds, [&] {
        char *out = nullptr;
        uint32_t length = 0;
        plist_to_xml(owned.get(), &out, &length);
        const std::string tmp = directPath + ".tmp";
        if (!WriteFile(tmp, std::string(out, length)) || std::rename(tmp.c_str(), directPath.c_str()) != 0)
            ++failures;
        std::free(out);
    });

    // Where the time of the chunked write goes.
    const std::string url = TintFileUrlFromPath(list);
    const std::string firstPiece = xml.substr(0, 90000);
    const double onePiece = Median(rounds, [&] {
        TintRelayCallBool(kWriteDataToPlistFile_XPC, {url, firstPiece});
    });
    const double rename = Median(
        rounds, [&] { TintRelayCallBool(kWriteDataToPlistFileRename_XPC, {url}); },
        [&] { WriteFile(list + ".dummy", xml); });
    const double whole = Median(rounds, [&] {
        if (ProfileStoreWriteWholeFile(xml.data(), xml.size()) != 0)
            ++failures;
    });

    std::printf("relay call, %d rounds (median ms)\n", rounds);
    std::printf("  spawn /bin/true            %8.3f\n", spawn);
    std::printf("  in-process D-Bus call      %8.3f\n", dbus);
    std::printf("  floor (sum)                %8.3f\n", floor);
    std::printf("  Tintrelay + D-Bus          %8.3f   %.2fx floor (target <= 3x)\n", relay, relay / floor);
    std::printf("full list, %zu bytes\n", xml.size());
    std::printf("  direct write               %8.3f\n", direct);
    std::printf("  through the relay          %8.3f   %.2fx direct (target <= 60 ms)\n", throughRelay,
                throughRelay / direct);
    std::printf("    of which: the chunked transfer %8.3f, one first piece %.3f, the rename %.3f\n", whole,
                onePiece, rename);
    if (failures)
        std::printf("  %d writes failed\n", failures);
    return failures ? 1 : 0;
}
