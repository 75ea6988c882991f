// The table walk: which columns a walk knows, the probe for the next one,
// what each answer adds to the spool and when the walk ends.
#include "MibWalkSession.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{

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

// One column of the table being walked: the OID its instances begin with
// (the root and the column number) and the last instance received. Walking
// one variable per request, the only "column" is the root's whole subtree.
struct Column {
    oid prefix[MAX_OID_LEN];
    size_t prefixLength = 0;
    oid name[MAX_OID_LEN];
    size_t nameLength = 0;
    bool active = true;
};

bool HasPrefix(const netsnmp_variable_list *vars, const oid *prefix, size_t length)
{
    return vars->name_length >= length && std::memcmp(prefix, vars->name, length * sizeof(oid)) == 0;
}

// The column's last instance becomes the variable's OID.
void MoveTo(Column *column, const netsnmp_variable_list *vars)
{
    column->nameLength = std::min<size_t>(vars->name_length, MAX_OID_LEN);
    std::memmove(column->name, vars->name, column->nameLength * sizeof(oid));
}

bool IsException(const netsnmp_variable_list *vars)
{
    return vars->type == SNMP_ENDOFMIBVIEW || vars->type == SNMP_NOSUCHOBJECT ||
           vars->type == SNMP_NOSUCHINSTANCE;
}

// The walk between its session and its result: which columns it knows, the
// probe that looks for the next column, how much one request may ask for.
//
// The table's columns are not known beforehand: the first request asks for
// what follows the root (the first cell of the first column); from then on
// every request asks for the next cell of each known column and, as long as
// there may be more columns, for what follows the last known column's number
// (the probe: the first cell of the next column, or the end of the table).
// Under SNMPv1 one GETNEXT carries one variable per column; under SNMPv2c a
// GETBULK carries the probe as its non-repeater and the columns as
// repeaters. Each column advances on its own, so holes and columns of
// different lengths cost nothing; a column ends when its next variable lies
// outside it. The cells visited are those a walk of one variable per
// request visits, each once.
class TableWalk
{
  public:
    TableWalk(const MibWalkRequest &request, MibWalkSession *walker, MibWalkOutcome *outcome, const oid *root,
              size_t rootLength)
        : request_(request), walker_(walker), outcome_(outcome), root_(root), rootLength_(rootLength),
          check_(!request.dontCheckOrdering)
    {
        columns_.reserve(kMibWalkMaxColumns + 1);
        if (request.oneVariablePerRequest) {
            walkOneByOne(root, rootLength);
        } else {
            probePending_ = true;
            std::memmove(probe_, root, rootLength * sizeof(oid));
            probeLength_ = rootLength;
        }
    }

    int run()
    {
        while (running_ && (probePending_ || activeColumns() > 0)) {
            // A table that never ends, or an agent that repeats itself with
            // the ordering check off, stops here.
            if (outcome_->requests >= kMibWalkMaxRequests) {
                std::snprintf(outcome_->diagnostic, sizeof outcome_->diagnostic,
                              "[SNMP] Error: no end after %d requests", outcome_->requests);
                result_ = kMibWalkFailed;
                break;
            }
            outcome_->requests++;
            exchangeOnce();
        }
        return result_;
    }

    int lastStatus() const { return status_; }

  private:
    // The variables of one request: the probe first or last, the columns
    // in their order.
    struct Asked {
        std::vector<size_t> columns; // indexes into columns_
        bool probe = false;
        bool bulk = false;
    };

    size_t activeColumns() const
    {
        size_t n = 0;
        for (const Column &c : columns_)
            n += c.active;
        return n;
    }

    // From here on one variable per request, from the OID from (which may
    // lie in one of the columns being dropped).
    void walkOneByOne(const oid *from, size_t length)
    {
        Column column;
        std::memmove(column.prefix, root_, rootLength_ * sizeof(oid));
        column.prefixLength = rootLength_;
        std::memmove(column.name, from, length * sizeof(oid));
        column.nameLength = length;
        oneByOne_ = true;
        probePending_ = false;
        columns_.assign(1, column);
    }

    Asked choose()
    {
        Asked asked;
        if (oneByOne_) {
            asked.columns.push_back(0);
            return asked;
        }
        asked.probe = probePending_;
        size_t room = static_cast<size_t>(perRequest_) - (asked.probe ? 1 : 0);
        const size_t n = columns_.size();
        for (size_t k = 0; k < n && asked.columns.size() < room; ++k) {
            const size_t i = (next_ + k) % n;
            if (columns_[i].active)
                asked.columns.push_back(i);
        }
        if (!asked.columns.empty())
            next_ = (asked.columns.back() + 1) % n;
        std::sort(asked.columns.begin(), asked.columns.end());
        asked.bulk = request_.version != kMibWalkVersion1 && !asked.columns.empty();
        return asked;
    }

    void exchangeOnce()
    {
        const Asked asked = choose();
        std::vector<std::pair<const oid *, size_t>> names;
        if (asked.probe && asked.bulk)
            names.emplace_back(probe_, probeLength_);
        for (size_t i : asked.columns)
            names.emplace_back(columns_[i].name, columns_[i].nameLength);
        if (asked.probe && !asked.bulk)
            names.emplace_back(probe_, probeLength_);

        // At most about kMibWalkBulkVariables variables in a GETBULK answer,
        // as agents themselves limit it, so the answer stays a few kilobytes.
        const long repetitions =
            std::min<long>(repetitions_, std::max<long>(1, kMibWalkBulkVariables /
                                                               static_cast<long>(asked.columns.size() + 1)));
        PduHandle response;
        status_ = walker_->exchange(asked.bulk ? SNMP_MSG_GETBULK : SNMP_MSG_GETNEXT, names,
                                    asked.probe && asked.bulk ? 1 : 0, repetitions, &response);
        if (status_ != STAT_SUCCESS || !response) {
            walker_->recordFailure(status_);
            fail(kMibWalkFailed);
            return;
        }
        if (response->errstat == SNMP_ERR_NOSUCHNAME) {
            endAt(asked, names, response->errindex);
            return;
        }
        if (response->errstat == SNMP_ERR_TOOBIG) {
            // Ask for less and try again; one variable that is too big
            // is an agent error like any other.
            if (asked.bulk && repetitions > 1) {
                repetitions_ = repetitions / 2;
                return;
            }
            if (names.size() > 1) {
                perRequest_ = std::max<int>(1, static_cast<int>(names.size()) / 2);
                return;
            }
        }
        if (response->errstat != SNMP_ERR_NOERROR) {
            std::snprintf(outcome_->diagnostic, sizeof outcome_->diagnostic,
                          "[SNMP] Error: the agent answered %s",
                          snmp_errstring(static_cast<int>(response->errstat)));
            fail(kMibWalkAgentError);
            return;
        }
        // An answer without variables makes no progress; asking again would
        // repeat it for ever.
        if (response->variables == nullptr) {
            std::snprintf(outcome_->diagnostic, sizeof outcome_->diagnostic, "[SNMP] Error: empty answer");
            fail(kMibWalkFailed);
            return;
        }
        std::vector<netsnmp_variable_list *> vars;
        for (netsnmp_variable_list *v = response->variables; v; v = v->next_variable)
            vars.push_back(v);

        if (oneByOne_) {
            takeOneByOne(vars);
            return;
        }
        const size_t probes = asked.probe && asked.bulk ? 1 : 0;
        if (!asked.bulk && vars.size() != names.size()) {
            // An agent that does not answer each variable asked for (only
            // the first, say): the rest of the walk asks for one variable at
            // a time, from where the first one stood.
            walkOneByOne(names[0].first, names[0].second);
            takeOneByOne(vars);
            return;
        }
        if (asked.bulk && vars.size() <= probes) {
            // No repetition came back: go on without GETBULK, from the
            // first column asked for.
            const Column &first = columns_[asked.columns.front()];
            walkOneByOne(first.name, first.nameLength);
            return;
        }

        std::vector<bool> ended(asked.columns.size(), false);
        for (size_t k = 0; k < vars.size() && running_; ++k) {
            if (k < probes || (!asked.bulk && asked.probe && k == vars.size() - 1)) {
                takeProbe(vars[k]);
                continue;
            }
            const size_t j = (k - probes) % asked.columns.size();
            if (ended[j])
                continue;
            ended[j] = !takeCell(&columns_[asked.columns[j]], vars[k]);
        }
    }

    // noSuchName: under SNMPv1 the variable named by the error index has
    // nothing after it in the agent's view. That column ends; the others go
    // on. The search for more columns ends too when the probe lies at or
    // after that variable. An index that names no variable: ask for one
    // variable per request from now on, which tells which one it was.
    void endAt(const Asked &asked, const std::vector<std::pair<const oid *, size_t>> &names, long index)
    {
        if (index < 1 || static_cast<size_t>(index) > names.size()) {
            if (names.size() > 1) {
                perRequest_ = 1;
                return;
            }
            index = 1;
        }
        const size_t k = static_cast<size_t>(index - 1);
        const bool probeFirst = asked.probe && asked.bulk;
        const bool isProbe = asked.probe && (probeFirst ? k == 0 : k == names.size() - 1);
        if (!isProbe) {
            Column &column = columns_[asked.columns[k - (probeFirst ? 1 : 0)]];
            column.active = false;
            if (probePending_ && snmp_oid_compare(probe_, probeLength_, column.name, column.nameLength) >= 0)
                probePending_ = false;
        } else {
            probePending_ = false;
        }
    }

    void fail(int result)
    {
        result_ = result;
        running_ = false;
    }

    void notIncreasing(const oid *previous, size_t previousLength, const netsnmp_variable_list *vars)
    {
        // Long OIDs are cut so that both fit in the diagnostic buffer.
        char before[44], after[44];
        FormatObjid(before, sizeof before, previous, previousLength);
        FormatObjid(after, sizeof after, vars->name, vars->name_length);
        std::snprintf(outcome_->diagnostic, sizeof outcome_->diagnostic,
                      "[SNMP] Error: OID not increasing: %s >= %s", before, after);
        fail(kMibWalkFailed);
    }

    void take(const netsnmp_variable_list *vars)
    {
        outcome_->numprinted++;
        MibWalkSpoolVariable(&outcome_->spool, vars->name, vars->name_length, vars);
    }

    // The answer to the probe: the first cell of a column not seen yet, or
    // the end of the table.
    void takeProbe(const netsnmp_variable_list *vars)
    {
        if (!HasPrefix(vars, root_, rootLength_)) {
            probePending_ = false; // left the subtree: no more columns
            return;
        }
        if (IsException(vars)) {
            if (columns_.empty())
                outcome_->numprinted++; // the end at the very start, counted as a walk counts it
            probePending_ = false;
            return;
        }
        take(vars);
        if (check_ && snmp_oid_compare(probe_, probeLength_, vars->name, vars->name_length) >= 0) {
            notIncreasing(probe_, probeLength_, vars);
            return;
        }
        const size_t length = std::min<size_t>(vars->name_length, MAX_OID_LEN);
        if (length <= rootLength_ || (columns_.empty() && length == rootLength_ + 1)) {
            // An instance right below the root: the root is a column or an
            // object, not a table entry. Walk it one variable at a time (so
            // too the root itself, which only an unchecked walk takes).
            walkOneByOne(vars->name, length);
            return;
        }
        Column column;
        column.prefixLength = columns_.size() < kMibWalkMaxColumns ? rootLength_ + 1 : rootLength_;
        std::memmove(column.prefix, vars->name, column.prefixLength * sizeof(oid));
        std::memmove(column.name, vars->name, length * sizeof(oid));
        column.nameLength = length;
        columns_.push_back(column);
        const oid number = vars->name[rootLength_];
        // Past the last column that fits, the rest of the subtree is walked
        // as one column.
        if (column.prefixLength == rootLength_ || number == 0xFFFFFFFFu || rootLength_ + 1 > MAX_OID_LEN) {
            probePending_ = false;
            return;
        }
        std::memmove(probe_, root_, rootLength_ * sizeof(oid));
        probe_[rootLength_] = number + 1;
        probeLength_ = rootLength_ + 1;
    }

    // The next cell of a column. False when the column has ended.
    bool takeCell(Column *column, const netsnmp_variable_list *vars)
    {
        if (!HasPrefix(vars, column->prefix, column->prefixLength)) {
            // Past the column's last cell. Into the next column or beyond the
            // table, that variable is another column's; backwards it is an
            // agent that does not move on.
            if (check_ && HasPrefix(vars, root_, rootLength_) &&
                snmp_oid_compare(column->name, column->nameLength, vars->name, vars->name_length) >= 0) {
                take(vars);
                notIncreasing(column->name, column->nameLength, vars);
            }
            column->active = false;
            return false;
        }
        take(vars);
        if (IsException(vars)) {
            column->active = false;
            return false;
        }
        if (check_ && snmp_oid_compare(column->name, column->nameLength, vars->name, vars->name_length) >= 0)
            notIncreasing(column->name, column->nameLength, vars);
        MoveTo(column, vars);
        return true;
    }

    // One variable per request: every variable of the answer in turn, the
    // walk ending when one leaves the subtree, is an exception or does not
    // increase.
    void takeOneByOne(const std::vector<netsnmp_variable_list *> &vars)
    {
        Column &column = columns_[0];
        for (const netsnmp_variable_list *v : vars) {
            if (!HasPrefix(v, root_, rootLength_)) {
                running_ = false; // left the subtree
                continue;
            }
            take(v);
            if (IsException(v)) {
                running_ = false;
                continue;
            }
            if (check_ && snmp_oid_compare(column.name, column.nameLength, v->name, v->name_length) >= 0)
                notIncreasing(column.name, column.nameLength, v);
            MoveTo(&column, v);
        }
    }

    const MibWalkRequest &request_;
    MibWalkSession *walker_;
    MibWalkOutcome *outcome_;
    const oid *root_;
    const size_t rootLength_;
    const bool check_;
    std::vector<Column> columns_;
    bool oneByOne_ = false;
    bool probePending_ = false;
    oid probe_[MAX_OID_LEN];
    size_t probeLength_ = 0;
    size_t next_ = 0; // where the next request starts among the columns
    int perRequest_ = kMibWalkMaxVariablesPerRequest;
    long repetitions_ = kMibWalkBulkRepetitions;
    bool running_ = true;
    int result_ = kMibWalkSuccess;
    int status_ = STAT_SUCCESS;
};

} // namespace

int MibWalkTable(const MibWalkRequest &request, MibWalkSession *session, MibWalkOutcome *outcome,
                 const oid *root, size_t rootLength, int *lastStatus)
{
    TableWalk walk(request, session, outcome, root, rootLength);
    const int result = walk.run();
    *lastStatus = walk.lastStatus();
    return result;
}
