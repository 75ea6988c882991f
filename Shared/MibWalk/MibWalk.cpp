// The SNMP walk of the printer's profile table.
#include "MibWalk.h"

#include "ProfileStore.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

static_assert(std::is_same_v<oid, MibOid>, "MibOid must be Net-SNMP's oid");

int numprinted = 0;
char sDEBUGmsg[128];

namespace
{

// Application flags of the walk (Net-SNMP application default store).
constexpr int kWalkIncludeRequested = 1;
constexpr int kWalkPrintStatistics = 2;
constexpr int kWalkDontCheckOrdering = 3;

constexpr int kRequestRetries = 3;
constexpr long kRequestTimeoutMicroseconds = 250000;

// mib-2: the root when the arguments name none.
constexpr oid kObjidMib[] = {1, 3, 6, 1, 2, 1};

struct SessionCloser {
    void operator()(netsnmp_session *ss) const { snmp_close(ss); }
};
using SessionHandle = std::unique_ptr<netsnmp_session, SessionCloser>;

struct PduFree {
    void operator()(netsnmp_pdu *pdu) const { snmp_free_pdu(pdu); }
};
using PduHandle = std::unique_ptr<netsnmp_pdu, PduFree>;

// The tokens are registered once per process; registering them again on
// every walk would only grow the library's handler lists.
void RegisterWalkTokens()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    netsnmp_ds_register_config(ASN_BOOLEAN, "snmpwalk", "includeRequested", NETSNMP_DS_APPLICATION_ID,
                               kWalkIncludeRequested);
    netsnmp_ds_register_config(ASN_BOOLEAN, "snmpwalk", "printStatistics", NETSNMP_DS_APPLICATION_ID,
                               kWalkPrintStatistics);
    netsnmp_ds_register_config(ASN_BOOLEAN, "snmpwalk", "dontCheckOrdering", NETSNMP_DS_APPLICATION_ID,
                               kWalkDontCheckOrdering);
}

// getopt keeps a pointer into the last argument vector it scanned. The
// library restarts it at index 1 without forgetting that pointer, which
// after a walk stopped in the middle of an option cluster points into the
// previous walk's (freed) copies. Scanning an empty vector from index 0
// makes getopt start afresh.
void ResetOptionScanner()
{
    char program[] = "snmpwalk";
    char *args[] = {program, nullptr};
    const int savedOpterr = opterr;
    opterr = 0;
    optind = 0;
    (void)getopt(1, args, "");
    optind = 1;
    opterr = savedOpterr;
}

// Writable copies of argv: the parser overwrites the community in place and
// the session keeps pointers into the vector until it is closed.
struct ArgumentCopies {
    std::vector<std::string> text;
    std::vector<char *> argv;

    ArgumentCopies(int argc, char *const source[])
    {
        text.reserve(argc);
        for (int i = 0; i < argc; ++i)
            text.emplace_back(source[i] != nullptr ? source[i] : "");
        for (auto &t : text)
            argv.push_back(t.data());
        argv.push_back(nullptr);
    }
};

void FormatObjid(char *out, size_t size, const oid *name, size_t length)
{
    size_t used = 0;
    out[0] = '\0';
    for (size_t i = 0; i < length && used + 1 < size; ++i) {
        int n = std::snprintf(out + used, size - used, "%s%lu", i ? "." : "", name[i]);
        if (n < 0)
            break;
        used += static_cast<size_t>(n);
    }
}

// Ends every walk: merges what the spool holds and hands back the result.
int Finish(int result)
{
    vRestructPlistSpool2Current(result != kMibWalkSuccess ? 1 : 0);
    return result;
}

} // namespace

void optProc(int /*argc*/, char *const * /*argv*/, int opt)
{
    if (opt != 'C' || optarg == nullptr)
        return;
    for (const char *cp = optarg; *cp != '\0'; ++cp) {
        switch (*cp) {
        case 'c':
            netsnmp_ds_toggle_boolean(NETSNMP_DS_APPLICATION_ID, kWalkDontCheckOrdering);
            break;
        case 'i':
            netsnmp_ds_toggle_boolean(NETSNMP_DS_APPLICATION_ID, kWalkIncludeRequested);
            break;
        case 'p':
            netsnmp_ds_toggle_boolean(NETSNMP_DS_APPLICATION_ID, kWalkPrintStatistics);
            break;
        default:
            std::snprintf(sDEBUGmsg, sizeof sDEBUGmsg, "Unknown flag passed to -C: %c\n", *cp);
            break;
        }
    }
}

void snmp_get_and_print(snmp_session *ss, const MibOid *theoid, std::size_t theoid_len)
{
    netsnmp_pdu *pdu = snmp_pdu_create(SNMP_MSG_GET);
    if (pdu == nullptr)
        return;
    snmp_add_null_var(pdu, theoid, theoid_len);

    netsnmp_pdu *raw = nullptr;
    const int status = snmp_synch_response(ss, pdu, &raw); // takes the request
    PduHandle response(raw);
    if (status == STAT_SUCCESS && response && response->errstat == SNMP_ERR_NOERROR) {
        for (netsnmp_variable_list *vars = response->variables; vars; vars = vars->next_variable) {
            numprinted++;
            print_variable(vars->name, vars->name_length, vars);
        }
    }
}

int mib_walk(int argc, char *argv[])
{
    RegisterWalkTokens();
    vSpoolPlist(nullptr, 0, nullptr, 1);

    // Without even a program name the parser would read past the vector.
    if (argc < 1 || argv == nullptr)
        return Finish(kMibWalkUsage);

    ArgumentCopies args(argc, argv);
    netsnmp_session session;
    ResetOptionScanner();
    int arg = snmp_parse_args(argc, args.argv.data(), &session, "C:", optProc);
    if (arg < 0)
        return Finish(arg == NETSNMP_PARSE_ARGS_ERROR_USAGE ? kMibWalkUsage : kMibWalkNoWalk);

    oid root[MAX_OID_LEN];
    size_t rootlen = 0;
    if (arg < argc) {
        rootlen = MAX_OID_LEN;
        if (snmp_parse_oid(args.argv[arg], root, &rootlen) == nullptr) {
            snmp_perror(args.argv[arg]);
            return Finish(kMibWalkFailed);
        }
    } else {
        std::memcpy(root, kObjidMib, sizeof kObjidMib);
        rootlen = sizeof kObjidMib / sizeof kObjidMib[0];
    }

    // Net-SNMP's defaults (5 retries of 1 s) would keep the print dialog
    // waiting far too long for a printer that is off.
    if (session.retries == SNMP_DEFAULT_RETRIES)
        session.retries = kRequestRetries;
    if (session.timeout == SNMP_DEFAULT_TIMEOUT)
        session.timeout = kRequestTimeoutMicroseconds;

    SessionHandle ss(snmp_open(&session));
    if (!ss) {
        MyDebugMessage("[UTIL-MIB] SNMP Open Err\n", 0);
        snmp_sess_perror("snmpwalk", &session);
        return Finish(kMibWalkFailed);
    }

    oid name[MAX_OID_LEN];
    std::memmove(name, root, rootlen * sizeof(oid));
    size_t name_length = rootlen;

    const bool check = !netsnmp_ds_get_boolean(NETSNMP_DS_APPLICATION_ID, kWalkDontCheckOrdering);
    if (netsnmp_ds_get_boolean(NETSNMP_DS_APPLICATION_ID, kWalkIncludeRequested))
        snmp_get_and_print(ss.get(), root, rootlen);

    int result = kMibWalkSuccess;
    int status = STAT_SUCCESS;
    bool running = true;
    while (running) {
        netsnmp_pdu *pdu = snmp_pdu_create(SNMP_MSG_GETNEXT);
        if (pdu == nullptr) {
            result = kMibWalkFailed;
            break;
        }
        snmp_add_null_var(pdu, name, name_length);

        netsnmp_pdu *raw = nullptr;
        status = snmp_synch_response(ss.get(), pdu, &raw); // takes the request
        PduHandle response(raw);

        if (status == STAT_TIMEOUT) {
            result = kMibWalkFailed;
            break;
        }
        if (status != STAT_SUCCESS || !response) {
            snmp_sess_perror("snmpwalk", ss.get());
            result = kMibWalkFailed;
            break;
        }
        if (response->errstat == SNMP_ERR_NOSUCHNAME)
            break; // the SNMPv1 end of the agent's view
        if (response->errstat != SNMP_ERR_NOERROR) {
            result = kMibWalkAgentError;
            break;
        }
        // An answer without variables makes no progress; asking again would
        // repeat it for ever.
        if (response->variables == nullptr) {
            std::snprintf(sDEBUGmsg, sizeof sDEBUGmsg, "[SNMP] Error: empty answer");
            result = kMibWalkFailed;
            break;
        }

        for (netsnmp_variable_list *vars = response->variables; vars; vars = vars->next_variable) {
            if (vars->name_length < rootlen || std::memcmp(root, vars->name, rootlen * sizeof(oid)) != 0) {
                running = false; // left the subtree
                continue;
            }
            numprinted++;
            vSpoolPlist(vars->name, vars->name_length, vars, 0);
            if (vars->type == SNMP_ENDOFMIBVIEW || vars->type == SNMP_NOSUCHOBJECT ||
                vars->type == SNMP_NOSUCHINSTANCE) {
                running = false;
                continue;
            }
            if (check && snmp_oid_compare(name, name_length, vars->name, vars->name_length) >= 0) {
                // Long OIDs are cut so that both fit in the diagnostic buffer.
                char previous[44], next[44];
                FormatObjid(previous, sizeof previous, name, name_length);
                FormatObjid(next, sizeof next, vars->name, vars->name_length);
                std::snprintf(sDEBUGmsg, sizeof sDEBUGmsg, "[SNMP] Error: OID not increasing: %s >= %s",
                              previous, next);
                running = false;
                result = kMibWalkFailed;
            }
            const size_t length = std::min<size_t>(vars->name_length, MAX_OID_LEN);
            std::memmove(name, vars->name, length * sizeof(oid));
            name_length = length;
        }
    }

    if (numprinted == 0 && status == STAT_SUCCESS)
        snmp_get_and_print(ss.get(), root, rootlen);

    ss.reset();

    if (netsnmp_ds_get_boolean(NETSNMP_DS_APPLICATION_ID, kWalkPrintStatistics))
        MyDebugMessage("[UTIL-MIB] Variables found: ", numprinted);

    return Finish(result);
}
