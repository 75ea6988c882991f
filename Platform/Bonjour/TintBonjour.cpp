#include "TintBonjour.h"

#include "TintText.h"

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/error.h>
#include <avahi-common/simple-watch.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace
{

struct PollFree {
    void operator()(AvahiSimplePoll *p) const { avahi_simple_poll_free(p); }
};
struct ClientFree {
    void operator()(AvahiClient *c) const { avahi_client_free(c); }
};
struct ResolverFree {
    void operator()(AvahiServiceResolver *r) const { avahi_service_resolver_free(r); }
};

// Replaces every "%XY" escape; a "%" not followed by two hex digits stays.
std::string ReplacePercentEscapes(const std::string &text)
{
    std::string out;
    TintPercentDecode(text, TintBadEscape::Keep, &out);
    return out;
}

struct ResolveState {
    AvahiSimplePoll *poll = nullptr;
    bool done = false;
    bool found = false;
    int error = 0;
    std::string address;
};

void OnResolved(AvahiServiceResolver *resolver, AvahiIfIndex, AvahiProtocol, AvahiResolverEvent event,
                const char *, const char *, const char *, const char *, const AvahiAddress *address, uint16_t,
                AvahiStringList *, AvahiLookupResultFlags, void *userdata)
{
    auto *state = static_cast<ResolveState *>(userdata);
    if (state->done)
        return;
    if (event == AVAHI_RESOLVER_FOUND && address && address->proto == AVAHI_PROTO_INET) {
        // address.ipv4.address is in network byte order
        const auto *b = reinterpret_cast<const unsigned char *>(&address->data.ipv4.address);
        char text[16];
        std::snprintf(text, sizeof text, "%d.%d.%d.%d", b[0], b[1], b[2], b[3]);
        state->address = text;
        state->found = true;
    } else {
        state->error = avahi_client_errno(avahi_service_resolver_get_client(resolver));
    }
    state->done = true;
    avahi_simple_poll_quit(state->poll);
}

void OnClientState(AvahiClient *, AvahiClientState, void *) {}

} // namespace

bool TintBonjourSplitHostPart(const std::string &hostPart, TintBonjourService *service)
{
    std::vector<std::string> labels;
    size_t start = 0;
    for (;;) {
        size_t dot = hostPart.find('.', start);
        labels.push_back(hostPart.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    if (labels.size() >= 5 && labels.back().empty())
        labels.pop_back(); // the root's trailing dot
    if (labels.size() < 4)
        return false;
    if (labels[0].empty() || labels[1].size() < 2 || labels[1][0] != '_' || labels[2].size() < 2 ||
        labels[2][0] != '_')
        return false;
    std::string domain;
    for (size_t i = 3; i < labels.size(); i++) {
        if (labels[i].empty())
            return false;
        domain += (i > 3 ? "." : "") + labels[i];
    }
    service->name = ReplacePercentEscapes(labels[0]);
    service->type = labels[1] + "." + labels[2];
    service->domain = domain;
    return true;
}

bool TintBonjourResolveIPv4(const TintBonjourService &service, double timeoutSeconds, std::string *address,
                            int *avahiError)
{
    int scratch = 0;
    if (!avahiError)
        avahiError = &scratch;
    *avahiError = 0;
    std::unique_ptr<AvahiSimplePoll, PollFree> poll(avahi_simple_poll_new());
    if (!poll) {
        *avahiError = AVAHI_ERR_NO_MEMORY;
        return false;
    }
    int error = 0;
    // Without a daemon this fails at once (AVAHI_ERR_NO_DAEMON).
    std::unique_ptr<AvahiClient, ClientFree> client(avahi_client_new(
        avahi_simple_poll_get(poll.get()), AvahiClientFlags(0), OnClientState, nullptr, &error));
    if (!client) {
        *avahiError = error;
        return false;
    }
    ResolveState state;
    state.poll = poll.get();
    std::unique_ptr<AvahiServiceResolver, ResolverFree> resolver(avahi_service_resolver_new(
        client.get(), AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, service.name.c_str(), service.type.c_str(),
        service.domain.c_str(), AVAHI_PROTO_INET, AvahiLookupFlags(0), OnResolved, &state));
    if (!resolver) {
        *avahiError = avahi_client_errno(client.get());
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(static_cast<long>(timeoutSeconds * 1000));
    while (!state.done) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                          std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        if (avahi_simple_poll_iterate(poll.get(), static_cast<int>(left.count())) != 0)
            break; // quit requested or poll failure
    }
    resolver.reset(); // before the client it belongs to
    if (!state.found) {
        *avahiError = state.error;
        return false;
    }
    *address = state.address;
    return true;
}
