// Opening the panel with a full profile list (3 x 500 entries) for a queue
// whose printer answers the walk on 127.0.0.1: how many relay processes one
// load starts, and how long the load takes (panelView, then restore) beside
// a load of a queue without a device URI (no walk) and the walk alone (one
// relay call of the walk). Then the same load against a printer that takes
// 5 ms for every answer and holds 100 profiles, with the walk reading one
// variable per request (as it did) and a row per request (as it does).
//
//   bench_load [BUNDLE] [ROUNDS]
//
// BUNDLE is a staged Tintpane.plugin (default: the one built beside this
// program), loaded as the print dialog loads it, so that two builds can be
// compared with the same program. Prints the median of ROUNDS (default 5).
#include "BenchHost.h"
#include "PDEPanelProtocol.h"
#include "ProfileStore.h"
#include "ProfileStoreDirect.h"
#include "ProfileTables.h"
#include "RelayCall.h"
#include "SessionBus.h"
#include "SnmpAgent.h"
#include "TempRoot.h"
#include "TintPaths.h"

#include <QApplication>

#include <cups/ppd.h>
#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{

constexpr int kSlowRows = 100;
constexpr char kPrincipalClass[] = "PDEPlugIn_6F1D0C3A_92E4_4B7A_8C15_D2A9E7F40B18";

// One panel load as the dialog runs it; milliseconds.
double LoadOnce(PDEPlugInProtocol *plugin, ppd_file_t *ppd, const std::string &deviceURI)
{
    BenchHost host(ppd, deviceURI);
    const BenchClock::time_point start = BenchClock::now();
    auto panels = plugin->PDEPanelsForType(kPDEPrinterModuleType, &host);
    if (!panels || panels->empty())
        return -1;
    PDEPanelProtocol *panel = panels->front().get();
    panel->panelView();
    panel->restoreValuesAndReturnError(nullptr);
    const double ms = BenchMillis(start, BenchClock::now());
    panels->clear();
    return ms;
}

// A full list: 500 entries in each group.
bool WriteFullList(const std::string &path)
{
    TintCopyPath(WQ_PLIST_PROFILE_PATH, path.c_str());
    ProfileTables tables;
    for (int g = 0; g < 3; ++g)
        FillUserProfiles(&tables[g], 1000);
    return tables.write() == 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string bundle = argc > 1 ? argv[1] : TINT_PLUGIN_BUNDLE;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);

    void *library = dlopen((bundle + "/Contents/Linux/libTintpane.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    auto create =
        library ? reinterpret_cast<TintpaneCreateObjectFn>(dlsym(library, "TintpaneCreateObject")) : nullptr;
    std::unique_ptr<PDEPlugInProtocol> plugin(
        create ? static_cast<PDEPlugInProtocol *>(create(kPrincipalClass)) : nullptr);
    if (!plugin || !plugin->initWithBundle(bundle)) {
        std::fprintf(stderr, "bench_load: no plug-in in %s\n", bundle.c_str());
        return 1;
    }

    TempRoot root;
    SnmpAgent::Options options;
    options.rows = MakeProfileRows(500);
    options.viewSubtree = kSnmpProfileEntryOid;
    SnmpAgent agent(options);
    SessionBus bus;
    if (!agent.running() || !bus.running()) {
        std::fprintf(stderr, "bench_load: snmpd or the bus did not start\n");
        return 1;
    }
    setenv("DBUS_SESSION_BUS_ADDRESS", bus.address().c_str(), 1);
    std::unique_ptr<ppd_file_t, void (*)(ppd_file_t *)> ppd(ppdOpenFile(TINT_SAMPLE_PPD),
                                                            [](ppd_file_t *p) { ppdClose(p); });
    if (!ppd || !WriteFullList(root.currentList())) {
        std::fprintf(stderr, "bench_load: no PPD or no list\n");
        return 1;
    }
    ppdMarkDefaults(ppd.get());
    const std::string lpd = "lpd://127.0.0.1/bench";

    // Relay starts: a wrapper at the relay's path counts them.
    const std::string relay = TintRelayPath();
    const std::string counted = root.path() + "/relay-starts";
    RunCommand("mv '" + relay + "' '" + relay + ".real'");
    WriteFile(relay, "#!/bin/sh\necho >> '" + counted + "'\nexec '" + relay + ".real' \"$@\"\n");
    RunCommand("chmod 755 '" + relay + "'");
    LoadOnce(plugin.get(), ppd.get(), lpd);
    const std::string starts = ReadFile(counted);
    RunCommand("mv '" + relay + ".real' '" + relay + "'");

    std::vector<double> withWalk, withoutURI, walk;
    for (int i = 0; i < rounds; ++i) {
        withWalk.push_back(LoadOnce(plugin.get(), ppd.get(), lpd));
        withoutURI.push_back(LoadOnce(plugin.get(), ppd.get(), ""));
        const BenchClock::time_point start = BenchClock::now();
        int result = 0;
        TintRelayCallWalk("QV-MR52", TintLoginName(),
                          {"snmpwalk", "-Os", "-c", "wemblo", "-v", "1", "127.0.0.1", kSnmpProfileEntryOid},
                          &result);
        walk.push_back(BenchMillis(start, BenchClock::now()));
    }
    const double load = BenchMedian(withWalk), plain = BenchMedian(withoutURI), alone = BenchMedian(walk);

    // A printer that takes 5 ms for every answer, with 100 profiles: the
    // load as it was (one variable per request) and as it is (a row per
    // request). The service reads the walk's defaults (snmpwalk.conf beside
    // the client's snmp.conf) when it starts, so each way gets a bus and a
    // service of its own.
    agent.stop();
    ScriptedSnmpAgent slowPrinter(
        SnmpTableScript(ProfileRowOverrides(MakeProfileRows(kSlowRows)), "\"delay\": 0.005"));
    const std::string defaults = std::string(std::getenv("SNMPCONFPATH")) + "/snmpwalk.conf";
    double slowLoad[2] = {0, 0}, slowWalk[2] = {0, 0};
    for (int after = 0; after < 2; ++after) {
        if (after == 0)
            WriteFile(defaults, "oneVariablePerRequest yes\n");
        else
            std::remove(defaults.c_str());
        SessionBus slowBus;
        if (!slowPrinter.running() || !slowBus.running() || !WriteFullList(root.currentList())) {
            std::fprintf(stderr, "bench_load: the slow printer, its bus or the list did not start\n");
            return 1;
        }
        setenv("DBUS_SESSION_BUS_ADDRESS", slowBus.address().c_str(), 1);
        std::vector<double> loads, walks;
        for (int i = 0; i < rounds; ++i) {
            loads.push_back(LoadOnce(plugin.get(), ppd.get(), lpd));
            const BenchClock::time_point start = BenchClock::now();
            int result = 0;
            TintRelayCallWalk(
                "QV-MR52", TintLoginName(),
                {"snmpwalk", "-Os", "-c", "wemblo", "-v", "1", "127.0.0.1", kSnmpProfileEntryOid}, &result);
            walks.push_back(BenchMillis(start, BenchClock::now()));
        }
        slowLoad[after] = BenchMedian(loads);
        slowWalk[after] = BenchMedian(walks);
    }
    setenv("DBUS_SESSION_BUS_ADDRESS", bus.address().c_str(), 1);

    std::printf("bundle                         %s\n", bundle.c_str());
    std::printf("relay starts per load          %zu  (target 3: probe, backup, walk)\n",
                static_cast<std::size_t>(std::count(starts.begin(), starts.end(), '\n')));
    std::printf("load with walk                 %8.1f ms\n", load);
    std::printf("load without device URI        %8.1f ms\n", plain);
    std::printf("walk alone (one relay call)    %8.1f ms\n", alone);
    std::printf("ratio load / (plain + walk)    %8.2f  (target <= 1.10)\n", load / (plain + alone));
    std::printf("printer answering in 5 ms, %d rows:  a cell per request   a row per request\n", kSlowRows);
    std::printf("  load with walk               %12.1f ms %16.1f ms\n", slowLoad[0], slowLoad[1]);
    std::printf("  walk alone (one relay call)  %12.1f ms %16.1f ms\n", slowWalk[0], slowWalk[1]);
    return 0;
}
