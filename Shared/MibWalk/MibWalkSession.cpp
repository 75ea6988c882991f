// One walk's session: opening it, and its requests under the walk's time
// limit.
#include "MibWalkSession.h"

#include "ProfileStore.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

bool MibWalkSession::open()
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
        int libraryErrno = 0, snmpErrno = 0;
        char *text = nullptr;
        snmp_error(&session, &libraryErrno, &snmpErrno, &text);
        std::snprintf(outcome_->diagnostic, sizeof outcome_->diagnostic, "[SNMP] Error: no session to %s: %s",
                      request_.host.c_str(), text ? text : "unknown error");
        std::free(text);
        return false;
    }
    return true;
}

void MibWalkSession::recordFailure(int status)
{
    if (status == STAT_TIMEOUT) {
        std::snprintf(outcome_->diagnostic, sizeof outcome_->diagnostic, "[SNMP] Timeout: no answer from %s",
                      request_.host.c_str());
        return;
    }
    snmp_sess_perror("snmpwalk", snmp_sess_session(handle_.get()));
    int libraryErrno = 0, snmpErrno = 0;
    char *text = nullptr;
    snmp_sess_error(handle_.get(), &libraryErrno, &snmpErrno, &text);
    std::snprintf(outcome_->diagnostic, sizeof outcome_->diagnostic, "[SNMP] Error: %s",
                  text ? text : "no answer");
    std::free(text);
}

int MibWalkSession::exchange(int type, const std::vector<std::pair<const oid *, size_t>> &names,
                             long nonRepeaters, long repetitions, PduHandle *response)
{
    response->reset();
    const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline_ - MibWalkClock::now());
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

int MibWalkSession::getAndPrint(const oid *name, size_t length)
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
