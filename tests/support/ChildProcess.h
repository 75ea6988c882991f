// Starting, running and stopping the programs that fixtures use.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// Text in single quotes for a POSIX shell, embedded quotes escaped.
std::string ShellQuote(const std::string &text);

// A new folder /tmp/PREFIX.XXXXXX; "" on failure.
std::string MakeTempDir(const char *prefix);

// Starts args (args[0] looked up in PATH) with standard input from /dev/null,
// standard output and error appended to logPath, and this process's
// environment with the NAME=VALUE entries of extraEnv put in; -1 on failure.
pid_t SpawnLogged(const std::vector<std::string> &args, const std::string &logPath,
                  const std::vector<std::string> &extraEnv);

// Runs args to its end; output receives its standard output and error.
// Returns the exit status, or -1 when it could not run or was killed.
int RunProgram(const std::vector<std::string> &args, std::string *output);

// Stops a child by its PID: SIGTERM, then SIGKILL after 5 s. Sets pid to -1.
void StopChild(pid_t &pid);
