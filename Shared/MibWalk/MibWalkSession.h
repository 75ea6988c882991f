// The session of one walk (MibWalk.cpp, MibWalkTable.cpp): its requests,
// their time limit, and the table walk that runs over it. Internal to the
// walk's library.
#pragma once

#include "MibWalk.h"
#include "MibWalkRequest.h"
#include "ProfileStore.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// A session of the single-session API: it belongs to this walk alone, so
// walks on other threads neither share nor wait for it.
using MibWalkClock = std::chrono::steady_clock;

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
    // however long each attempt may take. For GETBULK, nonRepeaters and
    // repetitions say how the variables are repeated.
    int exchange(int type, const std::vector<std::pair<const oid *, size_t>> &names, long nonRepeaters,
                 long repetitions, PduHandle *response)
    {
        response->reset();
        const auto left =
            std::chrono::duration_cast<std::chrono::microseconds>(deadline_ - MibWalkClock::now());
        if (left.count() <= 0)
            return STAT_TIMEOUT;
        netsnmp_session *session = snmp_sess_session(handle_.get());
        const long attempts = request_.retries + 1;
        session->timeout = std::max<long>(
            1000, std::min<long>(request_.timeoutMicroseconds, static_cast<long>(left.count()) / attempts));
        netsnmp_pdu *pdu = snmp_pdu_create(type);
        if (pdu == nullptr)
            return STAT_ERROR;
        if (type == SNMP_MSG_GETBULK) {
            pdu->non_repeaters = nonRepeaters;
            pdu->max_repetitions = repetitions;
        }
        for (const auto &name : names)
            snmp_add_null_var(pdu, name.first, name.second);
        netsnmp_pdu *raw = nullptr;
        const int status = snmp_sess_synch_response(handle_.get(), pdu, &raw); // takes the request
        response->reset(raw);
        return status;
    }

    // One GET whose variables are only counted (and printed), never stored.
    int getAndPrint(const oid *name, size_t length)
    {
        PduHandle response;
        const int status = exchange(SNMP_MSG_GET, {{name, length}}, 0, 0, &response);
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
    MibWalkClock::time_point deadline_;
    SessionHandle handle_;
};

// Walks the table under root over session into outcome (variables, spool,
// diagnostic, requests). Returns the walk's result; *lastStatus is the
// status of the last request (STAT_SUCCESS when the walk ended normally).
int MibWalkTable(const MibWalkRequest &request, MibWalkSession *session, MibWalkOutcome *outcome,
                 const oid *root, size_t rootLength, int *lastStatus);
