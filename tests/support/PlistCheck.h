// Runs Python scripts (for plistlib, the reference reader and writer of
// property lists) from tests.
#pragma once

#include "ChildProcess.h" // ShellQuote

#include <string>
#include <vector>

// Runs `python3 - ARGS` with script on its standard input; returns its
// standard output, status receives the exit status.
std::string RunPython(const std::string &script, const std::vector<std::string> &args, int *status = nullptr);
