// The print dialog host's own costs: the job's settings file written and
// read back (as set and print do once per run), and whole tintdialog runs
// of show --json and print, start-up and plug-in load included.
#include "PrintSettingsFile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

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
    for (const char *command : {"show --json", "print"}) {
        const int runs = 10;
        start = Clock::now();
        for (int i = 0; i < runs; i++) {
            if (std::system((base + command + " >/dev/null 2>&1").c_str()) != 0)
                return 1;
        }
        std::printf("tintdialog %s: %.1f ms per run (%d runs)\n", command, MillisecondsSince(start) / runs,
                    runs);
    }
    std::remove(path.c_str());
    rmdir(dir);
    return 0;
}
