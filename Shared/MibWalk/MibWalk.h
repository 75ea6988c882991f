// Walk of the printer's SNMP profile table and the merge of what it found
// into the user's current profile list.
//
// mib_walk reads the table a row at a time (SNMPv1 GETNEXT requests with one
// variable per column, or GETBULK under SNMPv2c), spools every variable, and
// always ends by merging the spool into the current list. It spools what a
// walk of one variable per request spools (-C s still walks that way). A
// walk parses its arguments once into a MibWalkRequest (MibWalkRequest.h),
// fetches into a MibWalkOutcome of its own, then merges: nothing of one walk
// reaches another.
#pragma once

#include "ProfileTable.h"

#include <cstddef>

class ProfileStore;

// Net-SNMP's records, kept out of this header so that its macros do not
// reach every user of the walk.
struct snmp_session;
struct variable_list;

// Sub-identifier type. Net-SNMP's "oid" is unsigned long on this platform;
// the walk's sources check that they agree.
using MibOid = unsigned long;

// The maker's private-enterprise number: the one place it is defined.
#define TINT_ENTERPRISE_NUMBER 64999
#define TINT_STRINGIFY2(x) #x
#define TINT_STRINGIFY(x) TINT_STRINGIFY2(x)

constexpr MibOid kTintEnterpriseNumber = TINT_ENTERPRISE_NUMBER;

// The printer's profile table entry OID (15 sub-identifiers), as numbers and
// as the text the plug-in sends as the walk's last argument.
constexpr std::size_t kProfileEntryOidLength = 15;
inline constexpr MibOid kProfileEntryOid[kProfileEntryOidLength] = {
    1, 3, 6, 1, 4, 1, kTintEnterpriseNumber, 1, 1, 1, 1, 6, 13, 1, 1};
inline constexpr char kProfileEntryOidText[] =
    "1.3.6.1.4.1." TINT_STRINGIFY(TINT_ENTERPRISE_NUMBER) ".1.1.1.1.6.13.1.1";
#undef TINT_STRINGIFY
#undef TINT_STRINGIFY2

// The walk's fixed arguments: program label and SNMPv1 community.
inline constexpr char kMibWalkProgram[] = "snmpwalk";
inline constexpr char kMibWalkCommunity[] = "wemblo";

// Column OIDs of the table (entry OID + column number, 16 sub-identifiers).
// A variable instance adds two sub-identifiers; the last is the row number.
constexpr std::size_t kProfileColumnOidLength = 16;
constexpr std::size_t kProfileInstanceOidLength = 18;
#define TINT_PROFILE_COLUMN(n)                                                                               \
    {                                                                                                        \
        1, 3, 6, 1, 4, 1, kTintEnterpriseNumber, 1, 1, 1, 1, 6, 13, 1, 1, n                                  \
    }
inline constexpr MibOid iOidIndexOnDevice[kProfileColumnOidLength] = TINT_PROFILE_COLUMN(1);
inline constexpr MibOid iOidSourceType[kProfileColumnOidLength] = TINT_PROFILE_COLUMN(2);
inline constexpr MibOid iOidProfileName[kProfileColumnOidLength] = TINT_PROFILE_COLUMN(3);
inline constexpr MibOid iOidFileName[kProfileColumnOidLength] = TINT_PROFILE_COLUMN(4);
inline constexpr MibOid iOidProfileClass[kProfileColumnOidLength] = TINT_PROFILE_COLUMN(5);
inline constexpr MibOid iOidProfileAvailability[kProfileColumnOidLength] = TINT_PROFILE_COLUMN(7);
#undef TINT_PROFILE_COLUMN

// Walk results.
constexpr int kMibWalkSuccess = 0;
constexpr int kMibWalkFailed = 1;     // bad OID, no session, timeout, transport error, OID not increasing,
                                      // a walk that reached its bounds
constexpr int kMibWalkAgentError = 2; // the agent answered with an error status other than noSuchName
constexpr int kMibWalkUsage = -1;     // the argument parser refused the arguments
constexpr int kMibWalkNoWalk = -2;    // the parser finished without a walk (-H, -V, no SNMPv3 key)

// Bounds of one walk. The table has 500 rows of 7 columns: a walk that has
// sent one GETNEXT per variable of a full table plus the one that leaves it
// and still has not left the table is walking an agent that never ends.
constexpr int kProfileTableColumns = 7;
constexpr int kMibWalkMaxRequests = kProfileTableSlots * kProfileTableColumns + 1;
// What one request asks for: at most this many variables (the columns of a
// row and the search for the next column), and under SNMPv2c this many
// repetitions of each column, at most about kMibWalkBulkVariables variables
// in all (Net-SNMP's agent answers no more by default); an agent that finds
// the answer too big gets half as much until it fits. Columns found past
// kMibWalkMaxColumns are walked together, one variable per request.
constexpr int kMibWalkMaxVariablesPerRequest = 32;
constexpr long kMibWalkBulkRepetitions = 50;
constexpr long kMibWalkBulkVariables = 100;
constexpr std::size_t kMibWalkMaxColumns = 64;
// Far below the relay's 300 s, so that the caller always gets an answer.
constexpr long kMibWalkTimeLimitMilliseconds = 60000;
// -t and -r are clamped to these.
constexpr long kMibWalkMinTimeoutMicroseconds = 10000;
constexpr long kMibWalkMaxTimeoutMicroseconds = 5000000;
constexpr int kMibWalkMaxRetries = 5;

// --- The walk ---------------------------------------------------------------

// Walks the agent named in argv (command-line form: program name, options,
// host, optional root OID; default root 1.3.6.1.2.1) and merges the result
// into the current profile list of store. argv is not modified. Returns one
// of the walk results above. Never exits. Everything a walk sets, -C flags
// included, applies to that walk only; several walks may run at once on
// different threads (their merges into one store share its current list).
int mib_walk(int argc, char *argv[], ProfileStore &store);

// The walk's own option -C, for the arguments being parsed on the calling
// thread: each letter of the option's value (optarg) toggles a flag of that
// walk (c dontCheckOrdering, i includeRequested, p printStatistics,
// s oneVariablePerRequest: one GETNEXT per cell, as snmpwalk does); other
// letters are noted in the walk's diagnostic and skipped.
void optProc(int argc, char *const *argv, int opt);

// One GET for theoid on a session opened with snmp_open; the variables of an
// error-free answer are counted in numprinted and printed, nothing is stored.
void snmp_get_and_print(snmp_session *ss, const MibOid *theoid, std::size_t theoid_len);

// What the last walk on the calling thread saw: variables counted, its last
// diagnostic (never shown) and its spool. Each walk starts them afresh.
extern thread_local int numprinted;
extern thread_local char sDEBUGmsg[128];

// --- Spool and merge ----------------------------------------------------------

// Row r of the printer's table is entry r-1; iNum counts column-1 values.
extern thread_local ProfileTable PlistForSpool;

// clear != 0: empties PlistForSpool. Otherwise stores the variable into it
// (see MibWalkSpoolVariable).
void vSpoolPlist(const MibOid *name, std::size_t nameLength, const variable_list *vars, int clear);

// Stores the variable (name of nameLength sub-identifiers, value in vars)
// into spool when it is an instance of a stored column with the column's
// type. Instances that do not fit the spool are skipped: fewer than 18
// sub-identifiers, a row of 0 or above 500, a file name longer than 31
// bytes. A longer profile name is cut to its first 31 bytes (at a character
// boundary).
void MibWalkSpoolVariable(ProfileTable *spool, const MibOid *name, std::size_t nameLength,
                          const variable_list *vars);

// Merges the spool into the current profile list of store and writes it
// back. failure: 0 after a successful walk, otherwise non-zero. Returns the
// write's result: 0 written, -1 not written.
int vRestructPlistSpool2Current(int failure, ProfileStore &store);
// The same for any spool: one read of the current list, the merge, one write.
int MibWalkMergeIntoCurrentList(ProfileStore &store, const ProfileTable &spool, int failure);
// The merge alone: the three groups of a list, as read, become the list to
// write. Touches nothing but its arguments.
void MibWalkMergeSpool(const ProfileTable &spool, int failure, ProfileTable *rgb, ProfileTable *sim,
                       ProfileTable *dst);

// Moves every slot's inMenu to its state before the merge (after a failed or
// a successful walk); iNum is left alone.
void vDeleteMIBprofilesTemporary(int failure, ProfileTable *table);

// Merges spool entry spoolIndex of PlistForSpool into table: a matching entry
// (same file name and location) is marked as on the printer; otherwise the
// spool entry is added as DeviceHidden in the first free slot (dropped when
// there is none).
void vRestructDetail(int spoolIndex, ProfileTable *table);

// The 27.3 file-name rule: a non-empty name of acceptable characters whose
// part before the first "." has 1..27 bytes and part after it 0..3 bytes (a
// name without "." at most 27 bytes). Null is refused.
bool bJudgement8point3Format(const char *name);
// Characters allowed in a printer file name.
bool FileNameFilter(char c);
