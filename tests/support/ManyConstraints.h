// A printer description with 80 000 *UIConstraints: base with Tray (T0..T199)
// and Finisher (F0..F399), a rule for every pair but Tray Ti with Finisher
// F(2i). With the defaults T0 and F0 nothing conflicts, and every other item
// of both would.
#pragma once

#include <string>

inline std::string PPDWithManyConstraints(const std::string &base)
{
    std::string ppd = base + "\n*OpenUI *Tray/Tray: PickOne\n*DefaultTray: T0\n";
    for (int i = 0; i < 200; i++)
        ppd += "*Tray T" + std::to_string(i) + ": \"\"\n";
    ppd += "*CloseUI: *Tray\n*OpenUI *Finisher/Finisher: PickOne\n*DefaultFinisher: F0\n";
    for (int j = 0; j < 400; j++)
        ppd += "*Finisher F" + std::to_string(j) + ": \"\"\n";
    ppd += "*CloseUI: *Finisher\n";
    for (int k = 0; k < 200 * 400; k++) {
        if (k % 400 != 2 * (k / 400))
            ppd += "*UIConstraints: *Tray T" + std::to_string(k / 400) + " *Finisher F" +
                   std::to_string(k % 400) + "\n";
    }
    return ppd;
}
