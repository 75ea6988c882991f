#include "PlistCheck.h"

#include "TempRoot.h"

#include <unistd.h>

#include <cstdlib>

std::string RunPython(const std::string &script, const std::vector<std::string> &args, int *status)
{
    char name[] = "/tmp/tintpy.XXXXXX";
    int fd = ::mkstemp(name);
    if (fd < 0) {
        if (status)
            *status = -1;
        return std::string();
    }
    ::close(fd);
    WriteFile(name, script);
    std::string command = "python3 " + ShellQuote(name);
    for (const std::string &arg : args)
        command += " " + ShellQuote(arg);
    std::string output = RunCommand(command, status);
    ::unlink(name);
    return output;
}
