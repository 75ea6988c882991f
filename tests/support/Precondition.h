// A test whose precondition (root, a mount, a built program) does not hold on
// this machine is skipped there. CI (CI=true) is set up so that every one
// holds: a missing one there is a fault of the machine that would otherwise
// pass unnoticed as a skipped test, so the test fails and says what is missing.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

inline bool RunningInCi()
{
    const char *ci = std::getenv("CI");
    return ci != nullptr && *ci != '\0' && std::string(ci) != "false" && std::string(ci) != "0";
}

#define TINT_SKIP_OUTSIDE_CI(message)                                                                        \
    do {                                                                                                     \
        if (RunningInCi()) {                                                                                 \
            GTEST_FAIL() << "cannot run in CI: " << (message);                                               \
        } else {                                                                                             \
            GTEST_SKIP() << (message);                                                                       \
        }                                                                                                    \
    } while (0)
