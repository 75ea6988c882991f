// Cost of the relay, measured in one run on a private bus:
//   - one relay call (a whole Tintrelay process plus the D-Bus round trip to
//     Tintvault) beside its floor: spawning /bin/true plus one in-process
//     D-Bus call to the same service;
//   - a full profile list (3 x 500 used entries) written by the plug-in's
//     back end through the relay (probe, pieces, rename) beside the direct
//     write of the same bytes (serialise + write to a file renamed into place)
//     and beside as many empty relay calls as the transfer makes: each piece
//     and the rename is a relay process of its own, so that many process
//     starts are the floor of the chunked write on a given machine;
//   - one piece appended, and the rename of a complete transfer (which reads
//     the text back, checks its shape and syncs it before the rename).
// Usage: bench_relay [rounds]
#include "FileUrl.h"
#include "ProfilePlist.h"
#include "ProfileStore.h"
#include "ProfileStoreBackend.h"
#include "ProfileTables.h"
#include "RelayCall.h"
#include "RelayProtocol.h"
#include "SessionBus.h"
#include "TempRoot.h"
#include "TintPaths.h"
#include "TransferPieces.h"
#include "TransferUrl.h"

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
    FillFullGroup(rgb.get(), 0);
    FillFullGroup(sim.get(), 1);
    FillFullGroup(dst.get(), 2);
    int failures = 0;
    const double throughRelay = Median(rounds, [&] {
        if (tint::relayProfileStore().WQPListWriteProfile_All(rgb.get(), sim.get(), dst.get()) != 0)
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

    // Where the time of the chunked write goes: the pieces and the rename
    // of one transfer, each a relay process of its own.
    const std::vector<std::string> pieces = TintSplitTransferPieces(xml);
    const std::string listUrl = TintFileUrlFromPath(list);
    const std::string transferId = TintNewTransferId();
    const std::string transferUrl = TintTransferUrl(listUrl, transferId);
    const std::string transferFile =
        root.prefFile("." + list.substr(list.rfind('/') + 1) + "." + transferId + ".transfer");
    const std::string middlePiece = pieces.size() > 1 ? pieces[1] : pieces.front();
    const double onePiece = Median(rounds, [&] {
        if (!TintRelayCallBool(kWriteDataToPlistFile_XPC, {transferUrl, middlePiece}))
            ++failures;
    });
    const double rename = Median(
        rounds,
        [&] {
            if (!TintRelayCallBool(kWriteDataToPlistFileRename_XPC, {transferUrl}))
                ++failures;
        },
        [&] { WriteFile(transferFile, xml); });
    const double floorWrite = static_cast<double>(pieces.size() + 1) * relay;

    std::printf("relay call, %d rounds (median ms)\n", rounds);
    std::printf("  spawn /bin/true            %8.3f\n", spawn);
    std::printf("  in-process D-Bus call      %8.3f\n", dbus);
    std::printf("  floor (sum)                %8.3f\n", floor);
    std::printf("  Tintrelay + D-Bus          %8.3f   %.2fx floor (target <= 3x)\n", relay, relay / floor);
    std::printf("full list, %zu bytes, %zu pieces + the rename\n", xml.size(), pieces.size());
    std::printf("  direct write               %8.3f\n", direct);
    std::printf("  through the relay          %8.3f   (target <= 30 ms)\n", throughRelay);
    std::printf("  %zu empty relay calls       %8.3f   through the relay is %.2fx this floor\n",
                pieces.size() + 1, floorWrite, throughRelay / floorWrite);
    std::printf("    one piece of %zu bytes    %8.3f\n", middlePiece.size(), onePiece);
    std::printf("    the rename               %8.3f\n", rename);
    if (failures)
        std::printf("  %d writes failed\n", failures);
    return failures ? 1 : 0;
}
