// The walk's arguments, parsed once into a MibWalkRequest. The parser is
// our own rather than Net-SNMP's snmp_parse_args: that one scans with
// getopt (whose state is process-wide) and applies options such as -O, -d,
// -D, -m or -L to the whole library, so one walk's arguments would change
// every later walk of the process.
#include "MibWalkRequest.h"

#include "MibWalkLibrary.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

static_assert(kMibWalkMaxOidLength == MAX_OID_LEN, "the walk's OID buffers are Net-SNMP's");
static_assert(kMibWalkMaxKeyLength == USM_AUTH_KU_LEN, "the walk's keys are Net-SNMP's");

namespace
{

// mib-2: the root when the arguments name none.
constexpr oid kObjidMib[] = {1, 3, 6, 1, 2, 1};

// Letters of -O that Net-SNMP knows; they only change how variables are
// printed, so a walk accepts them and stores the same values either way.
constexpr char kOutputLetters[] = "0abeEfnqQsStTuUvxX";

// The request whose -C option optProc is handling on this thread.
struct OptionContext {
    MibWalkRequest *request = nullptr;
    const char *value = nullptr;
};
thread_local OptionContext tOption;

void ApplyCFlags(const char *letters, MibWalkRequest *request)
{
    for (const char *cp = letters; *cp != '\0'; ++cp) {
        switch (*cp) {
        case 'c':
            request->dontCheckOrdering = !request->dontCheckOrdering;
            break;
        case 'i':
            request->includeRequested = !request->includeRequested;
            break;
        case 'p':
            request->printStatistics = !request->printStatistics;
            break;
        case 's':
            request->oneVariablePerRequest = !request->oneVariablePerRequest;
            break;
        default:
            std::snprintf(request->diagnostic, sizeof request->diagnostic, "Unknown flag passed to -C: %c\n",
                          *cp);
            break;
        }
    }
}

bool ParseRetries(const char *text, int *retries)
{
    errno = 0;
    char *end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || value < 0)
        return false;
    *retries = static_cast<int>(std::min<long>(value, kMibWalkMaxRetries));
    return true;
}

bool ParseTimeout(const char *text, long *microseconds)
{
    char *end = nullptr;
    const double seconds = std::strtod(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(seconds) || seconds <= 0)
        return false;
    const double us = seconds * 1e6;
    *microseconds = us >= kMibWalkMaxTimeoutMicroseconds
                        ? kMibWalkMaxTimeoutMicroseconds
                        : std::max(kMibWalkMinTimeoutMicroseconds, static_cast<long>(us));
    return true;
}

bool ParseVersion(const char *text, long *version)
{
    if (std::strcmp(text, "1") == 0)
        *version = kMibWalkVersion1;
    else if (strcasecmp(text, "2c") == 0)
        *version = kMibWalkVersion2c;
    else if (std::strcmp(text, "3") == 0)
        *version = kMibWalkVersion3;
    else
        return false;
    return true;
}

bool ParseLevel(const char *text, int *level)
{
    struct Name {
        const char *text;
        int level;
    };
    static const Name kLevels[] = {
        {"noAuthNoPriv", SNMP_SEC_LEVEL_NOAUTH}, {"1", SNMP_SEC_LEVEL_NOAUTH},
        {"nanp", SNMP_SEC_LEVEL_NOAUTH},         {"authNoPriv", SNMP_SEC_LEVEL_AUTHNOPRIV},
        {"2", SNMP_SEC_LEVEL_AUTHNOPRIV},        {"anp", SNMP_SEC_LEVEL_AUTHNOPRIV},
        {"authPriv", SNMP_SEC_LEVEL_AUTHPRIV},   {"3", SNMP_SEC_LEVEL_AUTHPRIV},
        {"ap", SNMP_SEC_LEVEL_AUTHPRIV},         {nullptr, 0},
    };
    for (const Name *n = kLevels; n->text != nullptr; ++n) {
        if (std::strcmp(text, n->text) == 0) {
            *level = n->level;
            return true;
        }
    }
    return false;
}

bool ParseOutputLetters(const char *text)
{
    for (const char *cp = text; *cp != '\0'; ++cp)
        if (std::strchr(kOutputLetters, *cp) == nullptr)
            return false;
    return true;
}

// The root OID, in numbers only ("1.3.6.1.2.1" or ".1.3.6.1.2.1"). Names
// would go to the SNMP library's MIB parser, which matches some texts as
// patterns and can take gigabytes for a short crafted one: a request must
// never cost that.
bool ParseRoot(const char *text, MibWalkRequest *out)
{
    const char *cp = text;
    if (*cp == '.')
        ++cp;
    size_t length = 0;
    while (*cp != '\0') {
        if (length == kMibWalkMaxOidLength || *cp < '0' || *cp > '9')
            break;
        uint64_t value = 0;
        while (*cp >= '0' && *cp <= '9' && value <= 0xFFFFFFFFu)
            value = value * 10 + static_cast<uint64_t>(*cp++ - '0');
        if (value > 0xFFFFFFFFu) // a sub-identifier has 32 bits
            break;
        out->root[length++] = static_cast<oid>(value);
        if (*cp == '.' && cp[1] != '\0')
            ++cp;
        else if (*cp != '\0')
            break;
    }
    if (*cp != '\0' || length == 0) {
        std::fprintf(stderr, "%s: not an OID in numbers\n", text);
        return false;
    }
    out->rootLength = length;
    return true;
}

// Ku keys from the pass phrases, as Net-SNMP's own tools make them (the
// privacy key is hashed with the authentication protocol too).
bool MakeKeys(const std::string &authPass, const std::string &privPass, MibWalkRequest *out)
{
    size_t hashLength = 0;
    const oid *hash = sc_get_auth_oid(out->authType, &hashLength);
    if (!authPass.empty()) {
        size_t length = sizeof out->authKey;
        if (hash == nullptr || generate_Ku(hash, static_cast<u_int>(hashLength),
                                           reinterpret_cast<const u_char *>(authPass.data()), authPass.size(),
                                           out->authKey, &length) != SNMPERR_SUCCESS)
            return false;
        out->authKeyLength = length;
    }
    if (!privPass.empty()) {
        size_t length = sizeof out->privKey;
        if (hash == nullptr || generate_Ku(hash, static_cast<u_int>(hashLength),
                                           reinterpret_cast<const u_char *>(privPass.data()), privPass.size(),
                                           out->privKey, &length) != SNMPERR_SUCCESS)
            return false;
        out->privKeyLength = length;
    }
    return true;
}

int DefaultPrivType()
{
    const int des = usm_lookup_priv_type("DES");
    return des >= 0 ? des : usm_lookup_priv_type("AES");
}

// What parsing one request gathers besides the request itself.
struct ParseState {
    MibWalkRequest *out;
    int argc;
    const char *const *argv;
    bool haveCommunity = false;
    std::string authPass, privPass;
};

// The walk's options, described once: the parser applies them from here, and
// the service accepts from a request only those marked for it (they reach
// this walk alone; SNMPv3 credentials and the informational options do not
// come from other processes). An option without apply ends the parsing with
// its result.
struct Option {
    char letter;
    bool fromRequest;
    bool (*apply)(const char *value, ParseState *state);
    int result;
};

const Option kOptions[] = {
    {'h', false, nullptr, kMibWalkUsage},
    {'H', false, nullptr, kMibWalkNoWalk},
    {'V', false, nullptr, kMibWalkNoWalk},
    {'c', true,
     [](const char *value, ParseState *s) {
         s->out->community = value;
         s->haveCommunity = true;
         return true;
     },
     0},
    {'v', true, [](const char *value, ParseState *s) { return ParseVersion(value, &s->out->version); }, 0},
    {'r', true, [](const char *value, ParseState *s) { return ParseRetries(value, &s->out->retries); }, 0},
    {'t', true,
     [](const char *value, ParseState *s) { return ParseTimeout(value, &s->out->timeoutMicroseconds); }, 0},
    {'C', true,
     [](const char *value, ParseState *s) {
         tOption = {s->out, value};
         optProc(s->argc, const_cast<char *const *>(s->argv), 'C');
         tOption = {};
         return true;
     },
     0},
    {'O', true, [](const char *value, ParseState *) { return ParseOutputLetters(value); }, 0},
    {'u', false,
     [](const char *value, ParseState *s) {
         s->out->securityName = value;
         return true;
     },
     0},
    {'l', false, [](const char *value, ParseState *s) { return ParseLevel(value, &s->out->securityLevel); },
     0},
    {'a', false,
     [](const char *value, ParseState *s) {
         s->out->authType = usm_lookup_auth_type(value);
         return s->out->authType >= 0;
     },
     0},
    {'A', false,
     [](const char *value, ParseState *s) {
         s->authPass = value;
         return true;
     },
     0},
    {'x', false,
     [](const char *value, ParseState *s) {
         s->out->privType = usm_lookup_priv_type(value);
         return s->out->privType >= 0;
     },
     0},
    {'X', false,
     [](const char *value, ParseState *s) {
         s->privPass = value;
         return true;
     },
     0},
};

const Option *FindOption(char letter)
{
    for (const Option &option : kOptions) {
        if (option.letter == letter)
            return &option;
    }
    return nullptr;
}

} // namespace

void optProc(int /*argc*/, char *const * /*argv*/, int opt)
{
    if (opt != 'C' || tOption.request == nullptr)
        return;
    const char *value = tOption.value != nullptr ? tOption.value : optarg;
    if (value != nullptr)
        ApplyCFlags(value, tOption.request);
}

int MibWalkParseRequest(int argc, const char *const argv[], MibWalkRequest *out)
{
    if (out == nullptr)
        return kMibWalkUsage;
    *out = MibWalkRequest();
    // Without even a program name there is nothing to parse.
    if (argc < 1 || argv == nullptr)
        return kMibWalkUsage;
    MibWalkInitLibrary();

    out->version = netsnmp_ds_get_int(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_SNMPVERSION);
    out->dontCheckOrdering = netsnmp_ds_get_boolean(NETSNMP_DS_APPLICATION_ID, kMibWalkDontCheckOrderingFlag);
    out->includeRequested = netsnmp_ds_get_boolean(NETSNMP_DS_APPLICATION_ID, kMibWalkIncludeRequestedFlag);
    out->printStatistics = netsnmp_ds_get_boolean(NETSNMP_DS_APPLICATION_ID, kMibWalkPrintStatisticsFlag);
    out->oneVariablePerRequest =
        netsnmp_ds_get_boolean(NETSNMP_DS_APPLICATION_ID, kMibWalkOneVariablePerRequestFlag);
    out->authType = usm_lookup_auth_type("MD5");
    out->privType = DefaultPrivType();

    ParseState state{out, argc, argv, false, {}, {}};
    const char *positional[2] = {nullptr, nullptr};
    int positionals = 0;
    bool optionsEnded = false;

    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i] != nullptr ? argv[i] : "";
        if (optionsEnded || arg[0] != '-' || arg[1] == '\0') {
            if (positionals < 2)
                positional[positionals] = arg;
            ++positionals;
            continue;
        }
        if (std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
            continue;
        }
        // Only the first letter of a word counts: an option's value is the
        // rest of the word, or else the next argument.
        const Option *option = FindOption(arg[1]);
        if (option == nullptr)
            return kMibWalkUsage;
        if (option->apply == nullptr)
            return option->result;
        const char *value = arg + 2;
        if (*value == '\0') {
            if (i + 1 >= argc || argv[i + 1] == nullptr)
                return kMibWalkUsage;
            value = argv[++i];
        }
        if (!option->apply(value, &state))
            return kMibWalkUsage;
    }

    if (positional[0] == nullptr)
        return kMibWalkUsage; // no host
    out->host = positional[0];

    if (out->version == kMibWalkVersion1 || out->version == kMibWalkVersion2c) {
        if (!state.haveCommunity) {
            const char *configured = netsnmp_ds_get_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_COMMUNITY);
            if (configured == nullptr)
                return kMibWalkUsage;
            out->community = configured;
        }
    } else if (out->version == kMibWalkVersion3) {
        if (out->securityLevel >= SNMP_SEC_LEVEL_AUTHNOPRIV && !MakeKeys(state.authPass, state.privPass, out))
            return kMibWalkNoWalk;
    } else {
        return kMibWalkUsage;
    }

    if (positional[1] != nullptr) {
        if (!ParseRoot(positional[1], out))
            return kMibWalkFailed;
    } else {
        std::memcpy(out->root, kObjidMib, sizeof kObjidMib);
        out->rootLength = sizeof kObjidMib / sizeof kObjidMib[0];
    }
    return kMibWalkSuccess;
}

bool MibWalkOptionsFromRequestAcceptable(const std::vector<std::string> &args)
{
    // args[0] is the program label. Options may follow the host too, so
    // every argument is looked at.
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a.size() < 2 || a[0] != '-')
            continue;
        const Option *option = a[1] == '-' ? nullptr : FindOption(a[1]);
        if (option == nullptr || !option->fromRequest)
            return false;
        if (a.size() == 2 && option->apply != nullptr)
            ++i; // the value is the next argument
    }
    return true;
}
