// The SNMP walk of the printer's profile table.
#include "MibWalk.h"

#include "MibWalkLibrary.h"
#include "MibWalkRequest.h"
#include "ProfileStore.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

static_assert(std::is_same_v<oid, MibOid>, "MibOid must be Net-SNMP's oid");

thread_local int numprinted = 0;
thread_local char sDEBUGmsg[128];

namespace
{

using Clock = std::chrono::steady_clock;

// A session of the single-session API: it belongs to this walk alone, so
// walks on other threads neither share nor wait for it.
struct SessionCloser {
    void operator()(void *handle) const { snmp_sess_close(handle); }
};
using SessionHandle = std::unique_ptr<void, SessionCloser>;

struct PduFree {
    void operator()(netsnmp_pdu *pdu) const { snmp_free_pdu(pdu); }
};
using PduHandle = std::unique_ptr<netsnmp_pdu, PduFree>;

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

// The walk's state between requests: its session and its time limit.
class Walker
{
  public:
    Walker(const MibWalkRequest &request, MibWalkOutcome *outcome)
        : request_(request), outcome_(outcome),
          deadline_(Clock::now() + std::chrono::milliseconds(kMibWalkTimeLimitMilliseconds))
    {
    }

    bool open()
    {
        netsnmp_session session;
        snmp_sess_init(&session);
        std::string peer = request_.host;
        std::string community = request_.community;
        std::string user = request_.securityName;
        session.peername = peer.data();
        session.version = request_.version;
        session.retries = request_.retries;
        session.timeout = request_.timeoutMicroseconds;
        if (request_.version == kMibWalkVersion3) {
            session.securityName = user.data();
            session.securityNameLen = user.size();
            session.securityLevel = request_.securityLevel;
            size_t length = 0;
            if (request_.authKeyLength > 0) {
                session.securityAuthProto = sc_get_auth_oid(request_.authType, &length);
                session.securityAuthProtoLen = length;
                std::memcpy(session.securityAuthKey, request_.authKey, request_.authKeyLength);
                session.securityAuthKeyLen = request_.authKeyLength;
            }
            if (request_.privKeyLength > 0) {
                session.securityPrivProto = sc_get_priv_oid(request_.privType, &length);
                session.securityPrivProtoLen = length;
                std::memcpy(session.securityPrivKey, request_.privKey, request_.privKeyLength);
                session.securityPrivKeyLen = request_.privKeyLength;
            }
        } else {
            session.community = reinterpret_cast<u_char *>(community.data());
            session.community_len = community.size();
        }
        // The library copies what it keeps of the session.
        handle_.reset(snmp_sess_open(&session));
        if (!handle_) {
            MyDebugMessage("[UTIL-MIB] SNMP Open Err\n", 0);
            snmp_sess_perror("snmpwalk", &session);
            return false;
        }
        return true;
    }

    // One request and its answer. STAT_TIMEOUT also when the walk's time is
    // up before the request could be sent: a walk never outlives its limit,
    // however long each attempt may take.
    int exchange(int type, const oid *name, size_t length, PduHandle *response)
    {
        response->reset();
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline_ - Clock::now());
        if (left.count() <= 0)
            return STAT_TIMEOUT;
        netsnmp_session *session = snmp_sess_session(handle_.get());
        const long attempts = request_.retries + 1;
        session->timeout = std::max<long>(
            1000, std::min<long>(request_.timeoutMicroseconds, static_cast<long>(left.count()) / attempts));
        netsnmp_pdu *pdu = snmp_pdu_create(type);
        if (pdu == nullptr)
            return STAT_ERROR;
        snmp_add_null_var(pdu, name, length);
        netsnmp_pdu *raw = nullptr;
        const int status = snmp_sess_synch_response(handle_.get(), pdu, &raw); // takes the request
        response->reset(raw);
        return status;
    }

    // One GET whose variables are only counted (and printed), never stored.
    int getAndPrint(const oid *name, size_t length)
    {
        PduHandle response;
        const int status = exchange(SNMP_MSG_GET, name, length, &response);
        if (status == STAT_SUCCESS && response && response->errstat == SNMP_ERR_NOERROR) {
            for (netsnmp_variable_list *vars = response->variables; vars; vars = vars->next_variable) {
                outcome_->numprinted++;
                print_variable(vars->name, vars->name_length, vars);
            }
        }
        return status;
    }

    void perror() { snmp_sess_perror("snmpwalk", snmp_sess_session(handle_.get())); }

  private:
    const MibWalkRequest &request_;
    MibWalkOutcome *outcome_;
    Clock::time_point deadline_;
    SessionHandle handle_;
};

// Ends every walk: publishes what it saw for this thread's callers, merges
// what the spool holds and hands back the result.
int Finish(const MibWalkOutcome &outcome)
{
    numprinted = outcome.numprinted;
    std::memcpy(sDEBUGmsg, outcome.diagnostic, sizeof sDEBUGmsg);
    std::memcpy(&PlistForSpool, &outcome.spool, sizeof PlistForSpool);
    MibWalkMergeIntoCurrentList(outcome.spool, outcome.result != kMibWalkSuccess ? 1 : 0);
    return outcome.result;
}

} // namespace

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

int MibWalkFetch(const MibWalkRequest &request, MibWalkOutcome *outcome)
{
    *outcome = MibWalkOutcome();
    std::memcpy(outcome->diagnostic, request.diagnostic, sizeof outcome->diagnostic);
    MibWalkInitLibrary();

    Walker walker(request, outcome);
    if (!walker.open()) {
        outcome->result = kMibWalkFailed;
        return outcome->result;
    }

    const oid *root = request.root;
    const size_t rootlen = std::min(request.rootLength, kMibWalkMaxOidLength);
    oid name[MAX_OID_LEN];
    std::memmove(name, root, rootlen * sizeof(oid));
    size_t name_length = rootlen;

    const bool check = !request.dontCheckOrdering;
    if (request.includeRequested)
        walker.getAndPrint(root, rootlen);

    int result = kMibWalkSuccess;
    int status = STAT_SUCCESS;
    bool running = true;
    while (running) {
        // A table that never ends, or an agent that repeats itself with the
        // ordering check off, stops here.
        if (outcome->requests >= kMibWalkMaxRequests) {
            std::snprintf(outcome->diagnostic, sizeof outcome->diagnostic,
                          "[SNMP] Error: no end after %d requests", outcome->requests);
            result = kMibWalkFailed;
            break;
        }
        outcome->requests++;
        PduHandle response;
        status = walker.exchange(SNMP_MSG_GETNEXT, name, name_length, &response);

        if (status == STAT_TIMEOUT) {
            result = kMibWalkFailed;
            break;
        }
        if (status != STAT_SUCCESS || !response) {
            walker.perror();
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
            std::snprintf(outcome->diagnostic, sizeof outcome->diagnostic, "[SNMP] Error: empty answer");
            result = kMibWalkFailed;
            break;
        }

        for (netsnmp_variable_list *vars = response->variables; vars; vars = vars->next_variable) {
            if (vars->name_length < rootlen || std::memcmp(root, vars->name, rootlen * sizeof(oid)) != 0) {
                running = false; // left the subtree
                continue;
            }
            outcome->numprinted++;
            MibWalkSpoolVariable(&outcome->spool, vars->name, vars->name_length, vars);
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
                std::snprintf(outcome->diagnostic, sizeof outcome->diagnostic,
                              "[SNMP] Error: OID not increasing: %s >= %s", previous, next);
                running = false;
                result = kMibWalkFailed;
            }
            const size_t length = std::min<size_t>(vars->name_length, MAX_OID_LEN);
            std::memmove(name, vars->name, length * sizeof(oid));
            name_length = length;
        }
    }

    // A lone instance at the root answers a GET but not a GETNEXT.
    if (outcome->numprinted == 0 && status == STAT_SUCCESS)
        walker.getAndPrint(root, rootlen);

    if (request.printStatistics)
        MyDebugMessage("[UTIL-MIB] Variables found: ", outcome->numprinted);

    outcome->result = result;
    return result;
}

int mib_walk(int argc, char *argv[])
{
    // The outcome holds a whole spool table: kept off the thread's stack.
    auto outcome = std::make_unique<MibWalkOutcome>();
    MibWalkRequest request;
    const int parsed = MibWalkParseRequest(argc, argv, &request);
    if (parsed != kMibWalkSuccess) {
        outcome->result = parsed;
        std::memcpy(outcome->diagnostic, request.diagnostic, sizeof outcome->diagnostic);
    } else {
        MibWalkFetch(request, outcome.get());
    }
    return Finish(*outcome);
}
