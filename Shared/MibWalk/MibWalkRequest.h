// One walk as data: the request parsed once from its arguments, and what
// fetching it found. Nothing here lives beyond the walk that owns it, so
// walks on different threads never see each other's options or results.
#pragma once

#include "MibWalk.h"

#include <cstddef>
#include <string>
#include <vector>

// Longest OID the walk handles (Net-SNMP's MAX_OID_LEN).
constexpr std::size_t kMibWalkMaxOidLength = 128;
// Longest key the walk keeps for SNMPv3 (Net-SNMP's USM_AUTH_KU_LEN).
constexpr std::size_t kMibWalkMaxKeyLength = 64;

// SNMP versions as Net-SNMP numbers them.
constexpr long kMibWalkVersion1 = 0;
constexpr long kMibWalkVersion2c = 1;
constexpr long kMibWalkVersion3 = 3;

struct MibWalkRequest {
    std::string host; // as given: an address or name, optionally with transport and port
    long version = kMibWalkVersion1;
    std::string community;                  // SNMPv1 and v2c
    MibOid root[kMibWalkMaxOidLength] = {}; // default 1.3.6.1.2.1
    std::size_t rootLength = 0;
    int retries = 3;                    // already clamped
    long timeoutMicroseconds = 250000;  // per attempt, already clamped
    bool dontCheckOrdering = false;     // -C c
    bool includeRequested = false;      // -C i
    bool printStatistics = false;       // -C p
    bool oneVariablePerRequest = false; // -C s: a GETNEXT per cell rather than a row per request
    // SNMPv3: user, level (1 noAuthNoPriv, 2 authNoPriv, 3 authPriv) and the
    // localisable keys made from the pass phrases.
    std::string securityName;
    int securityLevel = 1;
    int authType = 0; // Net-SNMP's USM type numbers
    int privType = 0;
    unsigned char authKey[kMibWalkMaxKeyLength] = {};
    std::size_t authKeyLength = 0;
    unsigned char privKey[kMibWalkMaxKeyLength] = {};
    std::size_t privKeyLength = 0;
    // What parsing had to say (an unknown -C letter), carried into the walk's
    // diagnostic.
    char diagnostic[128] = {};
};

struct MibWalkOutcome {
    int result = kMibWalkSuccess;
    int numprinted = 0; // variables inside the root's subtree, and those of a successful GET
    int requests = 0;   // GETNEXT and GETBULK requests sent
    ProfileTable spool = {};
    char diagnostic[128] = {};
};

// Parses the command-line form of mib_walk (argv[0] the program label, then
// options, the host and optionally the root OID in numbers, e.g.
// 1.3.6.1.2.1 or .1.3.6.1.2.1; options may also follow the
// host, "--" ends them). Known options: -c COMMUNITY, -v 1|2c|3, -r N,
// -t SECONDS, -C LETTERS, -O LETTERS (output format, without effect on what
// is stored), -h, -H, -V, and for SNMPv3 -u NAME, -l LEVEL, -a MD5|SHA...,
// -A PASSPHRASE, -x DES|AES..., -X PASSPHRASE. -t and -r are clamped to the
// walk's bounds. Returns kMibWalkSuccess with *out filled, kMibWalkUsage for
// arguments the walk refuses, kMibWalkNoWalk for -H, -V or a pass phrase no
// key can be made from, and kMibWalkFailed for a root OID that does not
// parse (the arguments were otherwise fine). Reads, but never changes, the
// SNMP library's process-wide settings.
int MibWalkParseRequest(int argc, const char *const argv[], MibWalkRequest *out);

// True when every option among args (args[0] the program label) is one that
// a walk request from another process may carry: -c, -v, -r, -t, -C and -O,
// which reach only this walk. "--" and every other option are refused.
// Decided by the same table the parser applies.
bool MibWalkOptionsFromRequestAcceptable(const std::vector<std::string> &args);

// Walks the request's agent into *outcome (cleared first) and returns the
// walk result, also stored in outcome->result. Uses a session of its own and
// stops after kMibWalkMaxRequests requests or
// kMibWalkTimeLimitMilliseconds, whichever comes first (result
// kMibWalkFailed). Touches no list file.
int MibWalkFetch(const MibWalkRequest &request, MibWalkOutcome *outcome);
