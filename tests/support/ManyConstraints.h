// A printer description with 80 000 *UIConstraints, made from another: two
// more options, Tray (200 choices T0..T199) and Finisher (400 choices
// F0..F399), and a rule for every pair of them but Finisher F(2i) with Tray
// Ti. With the defaults T0 and F0 nothing conflicts; every other item of
// each of the two does. Shared by the tests and the benchmarks.
#pragma once

#include <string>

inline std::string PPDWithManyConstraints(const std::string &base)
{
    std::string ppd = base + "\n*OpenUI *Tray/Tray: PickOne\n*DefaultTray: T0\n";
    for (int i = 0; i < 200; i++)
        ppd += "*Tray T" + std::to_string(i) + "/Tray " + std::to_string(i) + ": \"\"\n";
    ppd += "*CloseUI: *Tray\n*OpenUI *Finisher/Finisher: PickOne\n*DefaultFinisher: F0\n";
    for (int j = 0; j < 400; j++)
        ppd += "*Finisher F" + std::to_string(j) + "/Finisher " + std::to_string(j) + ": \"\"\n";
    ppd += "*CloseUI: *Finisher\n";
    for (int i = 0; i < 200; i++) {
        for (int j = 0; j < 400; j++) {
            if (j != 2 * i)
                ppd +=
                    "*UIConstraints: *Tray T" + std::to_string(i) + " *Finisher F" + std::to_string(j) + "\n";
        }
    }
    return ppd;
}
