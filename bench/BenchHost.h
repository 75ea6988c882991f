// What the benchmarks of the panel share: a print dialog's side of the panel
// protocol over one PPD, and the median of a set of timings.
#pragma once

#include "PDEPanelProtocol.h"

#include <cups/ppd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

using BenchClock = std::chrono::steady_clock;

inline double BenchMillis(BenchClock::time_point from, BenchClock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

inline double BenchMedian(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// The dialog's print settings, session and printer for a queue of the
// sample model; deviceURI "" is a queue without one (no walk).
class BenchHost : public PDEHostCallback
{
  public:
    explicit BenchHost(ppd_file_t *ppdFile, const std::string &deviceURI = "") : ppd(ppdFile)
    {
        printer.identifier = "QV_MR52_bench";
        printer.deviceURI = deviceURI;
        session.currentPrinter = &printer;
    }
    PMPrintSettings printSettings() override { return &settings; }
    PMPrintSession printSession() override { return &session; }
    ppd_file_t *ppdFile() override { return ppd; }

    PMPrintSettingsRecord settings;
    PMPrinterRecord printer;
    PMPrintSessionRecord session;
    ppd_file_t *ppd;
};
