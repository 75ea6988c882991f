// Tintrelay: forwards one request to Tintvault and prints the reply line.
// Exit status 0 always; no output at all when there is nothing to print.

#include "RelayClient.h"
#include "RelayProtocol.h"
#include "RequestBuilder.h"
#include "UniqueFd.h"

#include <unistd.h>

#include <csignal>
#include <string>
#include <vector>

int main(int argc, char *argv[])
{
    // A reader that went away must not turn into a non-zero exit.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        if (argc < 2)
            return 0;
        const tint::MethodInfo *method = tint::findMethod(argv[1]);
        if (method == nullptr)
            return 0;
        const std::vector<std::string> args(argv + 2, argv + argc);
        std::string request;
        if (!tint::buildRequest(*method, args, &request))
            return 0;
        std::string reply;
        if (!tint::relaySend(*method, request, &reply))
            return 0;
        // The whole line before the process may end: a short write would
        // leave the plug-in with half a reply.
        WriteAll(STDOUT_FILENO, std::string(method->name) + "=" + reply + "\n");
    } catch (...) {
    }
    return 0;
}
