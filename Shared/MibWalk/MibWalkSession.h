// The session of one walk (MibWalk.cpp, MibWalkTable.cpp): its requests,
// their time limit, and the table walk that runs over it. Internal to the
// walk's library.
#pragma once

#include "MibWalk.h"
#include "MibWalkRequest.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <chrono>
#include <memory>
#include <utility>
#include <vector>

using MibWalkClock = std::chrono::steady_clock;

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

// One walk's session and its time limit: the requests of the walk go
// through here, each given what is left of the limit.
class MibWalkSession
{
  public:
    MibWalkSession(const MibWalkRequest &request, MibWalkOutcome *outcome)
        : request_(request), outcome_(outcome),
          deadline_(MibWalkClock::now() + std::chrono::milliseconds(kMibWalkTimeLimitMilliseconds))
    {
    }

    // Opens the session; false (logged) when the library cannot.
    bool open();

    // One request and its answer. STAT_TIMEOUT also when the walk's time is
    // up before the request could be sent: a walk never outlives its limit,
    // however long each attempt may take. For GETBULK, nonRepeaters and
    // repetitions say how the variables are repeated.
    int exchange(int type, const std::vector<std::pair<const oid *, size_t>> &names, long nonRepeaters,
                 long repetitions, PduHandle *response);

    // One GET whose variables are only counted (and printed), never stored.
    int getAndPrint(const oid *name, size_t length);

    // Notes in the walk's diagnostic why a request got no usable answer
    // (status as exchange() returned it); the library's error also goes to
    // standard error, as snmpwalk says it.
    void recordFailure(int status);

  private:
    const MibWalkRequest &request_;
    MibWalkOutcome *outcome_;
    MibWalkClock::time_point deadline_;
    SessionHandle handle_;
};

// Walks the table under root over session into outcome (variables, spool,
// diagnostic, requests). Returns the walk's result; *lastStatus is the
// status of the last request (STAT_SUCCESS when the walk ended normally).
int MibWalkTable(const MibWalkRequest &request, MibWalkSession *session, MibWalkOutcome *outcome,
                 const oid *root, size_t rootLength, int *lastStatus);
