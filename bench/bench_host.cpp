// The print dialog host's own costs: the job's settings file written and
// read back (as set and print do once per run), and whole tintdialog runs
// of show --json and print, start-up and plug-in load included; show of a
// printer description with 80 000 constraints.
#include "ManyConstraints.h"
#include "PrintSettingsFile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <utility>

namespace
{

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Settings as the panel leaves them: the model dictionary of one printer
// with every option, its profile flags, and their top-level copies.
PMDictionary PanelSettings()
{
    PMDictionary values;
    PMValue product = PMValue::newDictionary(), printer = PMValue::newDictionary();
    for (int i = 0; i < 29; i++) {
        const std::string key = "WQOption" + std::to_string(i);
        (*printer.dictionary())[key] = PMValue("Choice" + std::to_string(i));
        values[key] = PMValue("Choice" + std::to_string(i));
        if (i % 4 == 0) {
            (*printer.dictionary())[key + "Custom"] = PMValue("False");
            values[key + "Custom"] = PMValue("False");
        }
    }
    (*product.dictionary())["QV_MR52"] = printer;
    values["QV-MR52"] = product;
    return values;
}

} // namespace

int main()
{
    char dir[] = "/tmp/bench_host.XXXXXX";
    if (!mkdtemp(dir))
        return 1;
    const std::string path = std::string(dir) + "/settings.plist";

    const PMDictionary settings = PanelSettings();
    const int rounds = 2000;
    auto start = Clock::now();
    for (int i = 0; i < rounds; i++) {
        PMDictionary back;
        if (!PMPrintSettingsWriteFile(path, settings, nullptr) ||
            !PMPrintSettingsReadFile(path, &back, nullptr))
            return 1;
    }
    std::printf("settings file write + read: %.3f ms per round (%d rounds)\n",
                MillisecondsSince(start) / rounds, rounds);

    const std::string base = std::string("QT_QPA_PLATFORM=offscreen DBUS_SESSION_BUS_ADDRESS=unix:path=") +
                             dir + "/no-bus '" + TINT_DIALOG + "' --plugin '" + TINT_PLUGIN_BUNDLE +
                             "' --settings '" + path + "' ";
    const std::string many = std::string(dir) + "/many-constraints.ppd";
    {
        std::ifstream in(TINT_BENCH_SAMPLE_PPD);
        std::ostringstream sample;
        sample << in.rdbuf();
        std::ofstream(many) << PPDWithManyConstraints(sample.str());
    }
    const std::string sample = std::string("--ppd '") + TINT_BENCH_SAMPLE_PPD + "' ";
    const std::pair<std::string, const char *> commands[] = {
        {sample + "show --json", "show --json"},
        {sample + "print", "print"},
        {"--ppd '" + many + "' show --json", "show --json, 80 000 constraints"},
    };
    for (const auto &[command, label] : commands) {
        const int runs = 10;
        start = Clock::now();
        for (int i = 0; i < runs; i++) {
            if (std::system((base + command + " >/dev/null 2>&1").c_str()) != 0)
                return 1;
        }
        std::printf("tintdialog %s: %.1f ms per run (%d runs)\n", label, MillisecondsSince(start) / runs,
                    runs);
    }
    std::remove(many.c_str());
    std::remove(path.c_str());
    rmdir(dir);
    return 0;
}
