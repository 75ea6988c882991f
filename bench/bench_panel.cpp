// Cost of opening the "Color Options" panel: creating it, the first view
// request (layout, both tables, titles and menus from the PPD), restoring
// from the ticket, saving to it and the summary. Prints the median of each
// step over a number of panels (default 50; first argument).
#include "BenchHost.h"
#include "PDEPanelProtocol.h"
#include "PDEPlugIn.h"
#include "TempRoot.h"

#include <QApplication>

#include <cups/ppd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{

struct PPDCloser {
    void operator()(ppd_file_t *ppd) const { ppdClose(ppd); }
};

} // namespace

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    TempRoot root;

    const std::string ppdPath = std::string(TINT_SOURCE_DIR) + "/Demo/QV-MR52.ppd";
    std::unique_ptr<ppd_file_t, PPDCloser> ppd(ppdOpenFile(ppdPath.c_str()));
    if (!ppd) {
        std::fprintf(stderr, "cannot open %s\n", ppdPath.c_str());
        return 1;
    }
    ppdMarkDefaults(ppd.get());

    PDEPlugIn plugIn;
    plugIn.initWithBundle(TINT_PLUGIN_BUNDLE);
    BenchHost host(ppd.get());

    std::vector<double> load, restore, save, summary, release;
    for (int i = 0; i < rounds; ++i) {
        auto panels = plugIn.PDEPanelsForType(kPDEPrinterModuleType, &host);
        if (!panels || panels->empty())
            return 1;
        std::unique_ptr<PDEPanelProtocol> panel = std::move(panels->front());
        const auto t0 = BenchClock::now();
        if (!panel->panelView())
            return 1;
        const auto t1 = BenchClock::now();
        panel->restoreValuesAndReturnError(nullptr);
        const auto t2 = BenchClock::now();
        panel->saveValuesAndReturnError(nullptr);
        const auto t3 = BenchClock::now();
        panel->summaryInfo();
        const auto t4 = BenchClock::now();
        panel.reset();
        const auto t5 = BenchClock::now();
        load.push_back(BenchMillis(t0, t1));
        restore.push_back(BenchMillis(t1, t2));
        save.push_back(BenchMillis(t2, t3));
        summary.push_back(BenchMillis(t3, t4));
        release.push_back(BenchMillis(t4, t5));
    }
    std::printf("panel rounds: %d (median ms)\n", rounds);
    std::printf("  first view (layout, tables, menus): %8.3f\n", BenchMedian(load));
    std::printf("  restore from ticket + rules:        %8.3f\n", BenchMedian(restore));
    std::printf("  save to ticket:                     %8.3f\n", BenchMedian(save));
    std::printf("  summary:                            %8.3f\n", BenchMedian(summary));
    std::printf("  release:                            %8.3f\n", BenchMedian(release));
    return 0;
}
