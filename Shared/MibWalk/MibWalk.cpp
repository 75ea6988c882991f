// The SNMP walk of the printer's profile table.
#include "MibWalk.h"

#include "MibWalkLibrary.h"
#include "MibWalkRequest.h"
#include "MibWalkSession.h"
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
#include <utility>
#include <vector>

static_assert(std::is_same_v<oid, MibOid>, "MibOid must be Net-SNMP's oid");

thread_local int numprinted = 0;
thread_local char sDEBUGmsg[128];

namespace
{

// Ends every walk: publishes what it saw for this thread's callers, merges
// what the spool holds and hands back the result.
int Finish(const MibWalkOutcome &outcome, ProfileStore &store)
{
    numprinted = outcome.numprinted;
    std::memcpy(sDEBUGmsg, outcome.diagnostic, sizeof sDEBUGmsg);
    std::memcpy(&PlistForSpool, &outcome.spool, sizeof PlistForSpool);
    MibWalkMergeIntoCurrentList(store, outcome.spool, outcome.result != kMibWalkSuccess ? 1 : 0);
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

    MibWalkSession walker(request, outcome);
    if (!walker.open()) {
        outcome->result = kMibWalkFailed;
        return outcome->result;
    }

    const oid *root = request.root;
    const size_t rootlen = std::min(request.rootLength, kMibWalkMaxOidLength);
    if (request.includeRequested)
        walker.getAndPrint(root, rootlen);

    int lastStatus = STAT_SUCCESS;
    const int result = MibWalkTable(request, &walker, outcome, root, rootlen, &lastStatus);

    // A lone instance at the root answers a GET but not a GETNEXT.
    if (outcome->numprinted == 0 && lastStatus == STAT_SUCCESS)
        walker.getAndPrint(root, rootlen);

    if (request.printStatistics)
        MyDebugMessage("[UTIL-MIB] Variables found: ", outcome->numprinted);

    outcome->result = result;
    return result;
}

int mib_walk(int argc, char *argv[], ProfileStore &store)
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
    return Finish(*outcome, store);
}
