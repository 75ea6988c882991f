// SNMP peers for tests, all on 127.0.0.1.
//
// SnmpAgent runs a real snmpd in the foreground serving a generated profile
// table; ScriptedSnmpAgent runs tests/support/snmp_responder.py for answers
// that no real agent gives. Both listen on the port of SnmpClientPort(); an
// agent that finds that port taken by another process is started again on a
// new one, which the clients of this process follow.
//
// The walk always addresses the printer without a port, so clients find the
// agent through a generated snmp.conf ("defaultPort", "mibs :") in the folder
// that SNMPCONFPATH names. Net-SNMP reads that configuration once per
// process, so the port is chosen once per process and every agent of the
// process uses it: run one agent at a time in a process. The first use of
// any of these sets SNMPCONFPATH and SNMP_PERSISTENT_DIR in this process's
// environment; SnmpClientEnvironment() gives the same settings for child
// processes (snmpwalk, a bus daemon that starts Tintvault). A test that walks
// with no agent running calls SnmpClientPort() before its first walk.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// The profile table entry OID the agents serve (enterprise 64999).
inline constexpr char kSnmpProfileEntryOid[] = "1.3.6.1.4.1.64999.1.1.1.1.6.13.1.1";

// One row of the printer's profile table. Instance OIDs are
// ENTRY.COLUMN.1.ROW; a column whose text/number is marked absent is not served.
struct SnmpProfileRow {
    long row = 0;
    long indexOnDevice = 0;  // column 1
    long location = 4;       // column 2
    std::string profileName; // column 3
    std::string fileName;    // column 4
    long profileClass = 2;   // column 5
    long column6 = 9;        // column 6 (not stored by the walk)
    long availability = 1;   // column 7
    bool hasIndex = true;    // serve column 1
};

// Rows 1..n: indexOnDevice = row, location 4, fileName "PRF%05d.ICC",
// profileName "Profile %d", profileClass cycling 1, 2, 3 (row 1 has class 2).
std::vector<SnmpProfileRow> MakeProfileRows(int n);

// The snmpd.conf "override" lines that serve rows.
std::vector<std::string> ProfileRowOverrides(const std::vector<SnmpProfileRow> &rows);

// A script for ScriptedSnmpAgent that serves, as a table, the values of
// snmpd.conf "override OID integer N" / "override OID octet_str \"text\""
// lines (ProfileRowOverrides); moreKeys (e.g. "\"toobig\": 4") is added to
// the script's object as it stands.
std::string SnmpTableScript(const std::vector<std::string> &overrides, const std::string &moreKeys = "");

// Port of this process's agents on 127.0.0.1 (free when first chosen).
int SnmpClientPort();
// "SNMPCONFPATH=... SNMP_PERSISTENT_DIR=..." for a shell command line.
std::string SnmpClientEnvironment();

class SnmpAgent
{
  public:
    struct Options {
        std::vector<SnmpProfileRow> rows;
        // Empty: the community sees everything the agent has (a walk of the
        // table then runs into the next subtree). Otherwise the community's
        // view is this subtree only (the walk ends with noSuchName).
        std::string viewSubtree;
        // More snmpd.conf lines, e.g. "override OID integer 5".
        std::vector<std::string> extraLines;
    };

    explicit SnmpAgent(const Options &options); // starts it and waits until it answers
    ~SnmpAgent();                               // stops it
    SnmpAgent(const SnmpAgent &) = delete;
    SnmpAgent &operator=(const SnmpAgent &) = delete;

    bool running() const { return pid_ > 0; }
    int port() const { return SnmpClientPort(); }
    // The agent's log (standard output and error of snmpd).
    std::string log() const;
    void stop();

  private:
    pid_t spawn(const Options &options, int port);

    std::string dir_;
    pid_t pid_ = -1;
};

class ScriptedSnmpAgent
{
  public:
    // script: the JSON text described in snmp_responder.py. ownPort: listen
    // on a free port of its own rather than on SnmpClientPort(), so that it
    // can run beside another agent (clients then name the port: "HOST:PORT").
    explicit ScriptedSnmpAgent(const std::string &script, bool ownPort = false);
    ~ScriptedSnmpAgent();
    ScriptedSnmpAgent(const ScriptedSnmpAgent &) = delete;
    ScriptedSnmpAgent &operator=(const ScriptedSnmpAgent &) = delete;

    bool running() const { return pid_ > 0; }
    int port() const { return port_; }
    // Requests received so far, one "GET OID" / "GETNEXT OID" / "GETBULK OID"
    // each (the first variable asked for).
    std::vector<std::string> requests() const;
    void stop();

  private:
    std::string dir_;
    pid_t pid_ = -1;
    int port_ = -1;
};
