// The walk against real agents on 127.0.0.1: snmpd serving generated
// profile tables, and a scripted responder for answers snmpd never gives.
// numprinted, sDEBUGmsg and PlistForSpool hold what the last walk of this
// thread saw.
#include "MibWalk.h"
#include "ProfileStore.h"
#include "ProfileStoreDirect.h"
#include "ProfileTables.h"
#include "SnmpAgent.h"
#include "TempRoot.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace
{

const std::string kEntry = kProfileEntryOidText;

// The eight arguments the plug-in sends, host 127.0.0.1.
std::vector<std::string> PluginArgs()
{
    return {"snmpwalk", "-Os", "-c", "wemblo", "-v", "1", "127.0.0.1", kEntry};
}

// Calls the walk with its own writable vector, checking that it leaves the
// strings alone.
int Walk(const std::vector<std::string> &args)
{
    std::vector<std::string> copies(args);
    std::vector<char *> argv;
    for (auto &a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const int result = mib_walk(static_cast<int>(args.size()), argv.data(), TestProfileStore());
    for (size_t i = 0; i < args.size(); ++i)
        EXPECT_EQ(std::string(argv[i]), args[i]) << "argument " << i << " was changed";
    return result;
}

// The six menu states, each once for a profile the agent lists ("F") and
// once for one it does not ("L"). Expected states after a walk: 0 = gone.
struct Transition {
    int32_t before, successFound, successLost, failureFound, failureLost;
};
const Transition kTransitions[] = {
    {InMenu::MissingHidden, InMenu::DeviceHidden, InMenu::MissingHidden, InMenu::DeviceHidden, 0},
    {InMenu::DeviceHidden, InMenu::DeviceHidden, InMenu::MissingHidden, InMenu::DeviceHidden, 0},
    {InMenu::MissingShown, InMenu::DeviceShown, InMenu::UserShown, InMenu::DeviceShown, InMenu::UserShown},
    {InMenu::DeviceShown, InMenu::DeviceShown, InMenu::UserShown, InMenu::DeviceShown, InMenu::UserShown},
    {InMenu::UserHidden, InMenu::DeviceHidden, InMenu::UserHidden, InMenu::DeviceHidden, InMenu::UserHidden},
    {InMenu::UserShown, InMenu::DeviceShown, InMenu::UserShown, InMenu::DeviceShown, InMenu::UserShown},
};
std::string Found(int32_t s)
{
    return "F" + std::to_string(s) + ".ICC";
}
std::string Lost(int32_t s)
{
    return "L" + std::to_string(s) + ".ICC";
}

// Writes the list before a walk: both profiles of every state in RGB.
void PrepareTransitionList()
{
    ProfileTables t;
    for (const auto &r : kTransitions) {
        t.add(0, MakeProfileEntry(r.before, Found(r.before), 10 + r.before));
        t.add(0, MakeProfileEntry(r.before, Lost(r.before), 20 + r.before));
    }
    ASSERT_EQ(t.write(), 0);
}

// Rows for the "F" profiles, as the agent serves them.
std::vector<SnmpProfileRow> TransitionRows()
{
    std::vector<SnmpProfileRow> rows;
    long r = 1;
    for (const auto &t : kTransitions) {
        SnmpProfileRow row;
        row.row = r;
        row.indexOnDevice = r;
        r++;
        row.fileName = Found(t.before);
        row.profileName = "Printer " + row.fileName;
        row.profileClass = 2;
        rows.push_back(row);
    }
    return rows;
}

// spooled: whether the walk spooled the "F" profiles before it ended.
void ExpectTransitions(bool failure, bool spooled = true)
{
    ProfileTables after;
    ASSERT_EQ(after.read(), 0);
    for (const auto &r : kTransitions) {
        SCOPED_TRACE("state " + std::to_string(r.before));
        if (spooled)
            EXPECT_EQ(after.state(0, Found(r.before)), failure ? r.failureFound : r.successFound);
        else
            EXPECT_EQ(after.state(0, Found(r.before)), failure ? r.failureLost : r.successLost);
        EXPECT_EQ(after.state(0, Lost(r.before)), failure ? r.failureLost : r.successLost);
    }
}

// A scripted answer carrying one variable.
std::string Answer(const std::string &oid, const std::string &type, const std::string &value)
{
    return "{\"vars\": [[\"" + oid + "\", " + type + ", " + value + "]]}";
}
std::string IntAnswer(const std::string &oid, long v)
{
    return Answer(oid, "\"int\"", std::to_string(v));
}
std::string StrAnswer(const std::string &oid, const std::string &v)
{
    return Answer(oid, "\"str\"", "\"" + v + "\"");
}
std::string Script(const std::vector<std::string> &answers, const char *then = "nosuchname")
{
    std::string s = "{\"answers\": [";
    for (size_t i = 0; i < answers.size(); ++i)
        s += (i ? ", " : "") + answers[i];
    return s + "], \"then\": \"" + then + "\"}";
}
// Instance OID of a column and row.
std::string Cell(int column, long row)
{
    return kEntry + "." + std::to_string(column) + ".1." + std::to_string(row);
}

// Every column of rows, in the order a table walk visits them.
std::vector<std::string> TableAnswers(const std::vector<SnmpProfileRow> &rows)
{
    std::vector<std::string> answers;
    for (int column = 1; column <= 7; ++column) {
        for (const auto &r : rows) {
            switch (column) {
            case 1:
                answers.push_back(IntAnswer(Cell(1, r.row), r.indexOnDevice));
                break;
            case 2:
                answers.push_back(IntAnswer(Cell(2, r.row), r.location));
                break;
            case 3:
                answers.push_back(StrAnswer(Cell(3, r.row), r.profileName));
                break;
            case 4:
                answers.push_back(StrAnswer(Cell(4, r.row), r.fileName));
                break;
            case 5:
                answers.push_back(IntAnswer(Cell(5, r.row), r.profileClass));
                break;
            case 6:
                answers.push_back(IntAnswer(Cell(6, r.row), r.column6));
                break;
            case 7:
                answers.push_back(IntAnswer(Cell(7, r.row), r.availability));
                break;
            }
        }
    }
    return answers;
}

class MibWalkTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        (void)SnmpClientPort(); // client configuration before the library reads it
        ASSERT_EQ(TintCopyPath(WQ_PLIST_PROFILE_PATH, root.prefFile("alice-QV-MR52-profile.plist").c_str()),
                  0);
        ASSERT_EQ(TintCopyPath(WQ_PLIST_PROFILE_PREV_PATH,
                               root.prefFile("alice-QV-MR52-profile.prev.plist").c_str()),
                  0);
    }
    TempRoot root;
};

} // namespace

TEST_F(MibWalkTest, FullTableOf500RowsRunningIntoTheNextSubtree)
{
    SnmpAgent::Options options;
    options.rows = MakeProfileRows(500);
    SnmpAgent agent(options); // everything visible: after the table comes snmpd's own MIB
    ASSERT_TRUE(agent.running()) << agent.log();

    ASSERT_EQ(Walk(PluginArgs()), kMibWalkSuccess);
    EXPECT_EQ(numprinted, 500 * 7); // the variable past the table is not counted
    EXPECT_EQ(PlistForSpool.iNum, 500);
    for (const auto &r : options.rows) {
        const ProfileEntry &e = PlistForSpool.entry[r.row - 1];
        ASSERT_EQ(e.indexOnDevice, r.indexOnDevice);
        ASSERT_EQ(e.profileClass, r.profileClass);
        ASSERT_EQ(std::string(e.fileName), r.fileName);
        ASSERT_EQ(std::string(e.profileName), r.profileName);
    }

    ProfileTables t;
    ASSERT_EQ(t.read(), 0);
    int rgb = 0, simdst = 0;
    for (const auto &r : options.rows)
        (r.profileClass == 3 ? simdst : rgb)++;
    EXPECT_EQ(t[0].iNum, rgb);
    EXPECT_EQ(t[1].iNum, simdst);
    EXPECT_EQ(t[2].iNum, simdst);
    EXPECT_EQ(t.state(0, "PRF00001.ICC"), InMenu::DeviceHidden);
    EXPECT_EQ(t.state(1, "PRF00002.ICC"), InMenu::DeviceHidden);
    EXPECT_EQ(t.state(2, "PRF00500.ICC"), InMenu::DeviceHidden);

    // The agent does hold something after the table, so the walk ended by
    // leaving the subtree.
    int status = -1;
    const std::string next = RunCommand(
        SnmpClientEnvironment() + " snmpgetnext -v1 -c wemblo -On 127.0.0.1 " + Cell(7, 500), &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(next.rfind(".1.3.6.1.", 0), 0u) << next;
    EXPECT_EQ(next.find("." + kEntry), std::string::npos) << next;
}

TEST_F(MibWalkTest, SpoolEqualsWhatSnmpwalkPrints)
{
    // Varied values: signed numbers, locations 4 and 5, the same file name
    // twice, a name that breaks the file-name rule, a row without column 1.
    std::vector<SnmpProfileRow> rows = MakeProfileRows(12);
    rows[1].indexOnDevice = -3;
    rows[2].location = 5;
    rows[3].fileName = rows[2].fileName;
    rows[4].fileName = "WITH SPACE.ICC";
    rows[5].availability = 2147483647;
    rows[6].profileClass = 0;
    rows[7].hasIndex = false;
    SnmpAgent::Options options;
    options.rows = rows;
    options.viewSubtree = "1.3.6.1.4.1.64999";
    SnmpAgent agent(options);
    ASSERT_TRUE(agent.running()) << agent.log();

    ASSERT_EQ(Walk(PluginArgs()), kMibWalkSuccess);

    int status = -1;
    const std::string printed =
        RunCommand(SnmpClientEnvironment() + " snmpwalk -v1 -c wemblo -On 127.0.0.1 " + kEntry, &status);
    ASSERT_EQ(status, 0) << printed;

    // Rebuild the spool from snmpwalk's lines ".OID = TYPE: VALUE".
    std::map<long, ProfileEntry> expected;
    int counted = 0, lines = 0;
    std::istringstream in(printed);
    std::string line;
    while (std::getline(in, line)) {
        if (line == "End of MIB")
            continue;
        ++lines;
        const std::string prefix = "." + kEntry + ".";
        ASSERT_EQ(line.compare(0, prefix.size(), prefix), 0) << line;
        int column = 0;
        long row = 0;
        ASSERT_EQ(std::sscanf(line.c_str() + prefix.size(), "%d.1.%ld", &column, &row), 2) << line;
        const std::string value = line.substr(line.find(": ") + 2);
        ProfileEntry &e = expected[row];
        auto text = [&](char *field) {
            ASSERT_EQ(value.front(), '"');
            std::strncpy(field, value.substr(1, value.size() - 2).c_str(), 31);
        };
        switch (column) {
        case 1:
            e.indexOnDevice = std::stoi(value);
            ++counted;
            break;
        case 2:
            e.location = std::stoi(value);
            break;
        case 3:
            text(e.profileName);
            break;
        case 4:
            text(e.fileName);
            break;
        case 5:
            e.profileClass = std::stoi(value);
            break;
        case 7:
            e.availability = std::stoi(value);
            break;
        default:
            break;
        }
    }
    EXPECT_EQ(lines, 12 * 7 - 1);

    // Merged: the same file name at locations 4 and 5 is two profiles; a
    // name that breaks the file-name rule and class 0 are left out.
    ProfileTables t;
    ASSERT_EQ(t.read(), 0);
    int sameName = 0;
    for (int i = 0; i < t[0].iNum; ++i)
        sameName += rows[2].fileName == t[0].entry[i].fileName;
    EXPECT_EQ(sameName, 2);
    EXPECT_EQ(t.state(1, "WITH SPACE.ICC"), 0);
    EXPECT_EQ(t.state(0, rows[6].fileName), 0);
    // Less the bad name, class 0, row 8 (no printer index: the tidy step
    // drops it) and row 12 (only 11 rows have column 1, so the merge stops
    // after spool entry 11).
    EXPECT_EQ(t[0].iNum + t[1].iNum, 12 - 4);
    EXPECT_EQ(t.state(0, "PRF00012.ICC") + t.state(1, "PRF00012.ICC"), 0);
    EXPECT_EQ(PlistForSpool.iNum, counted);
    for (int i = 0; i < kProfileTableSlots; ++i) {
        ProfileEntry want{};
        if (expected.count(i + 1))
            want = expected[i + 1];
        EXPECT_EQ(std::memcmp(&PlistForSpool.entry[i], &want, sizeof want), 0) << "row " << i + 1;
    }
}

TEST_F(MibWalkTest, ViewEndingInNoSuchNameAndTransitionsAfterSuccess)
{
    PrepareTransitionList();
    SnmpAgent::Options options;
    options.rows = TransitionRows();
    options.viewSubtree = kEntry; // the next GETNEXT after the table is noSuchName
    SnmpAgent agent(options);
    ASSERT_TRUE(agent.running()) << agent.log();

    ASSERT_EQ(Walk(PluginArgs()), kMibWalkSuccess);
    EXPECT_EQ(numprinted, 6 * 7);
    ExpectTransitions(false);
}

TEST_F(MibWalkTest, UnreachablePrinterRewritesTheListInFailureForm)
{
    PrepareTransitionList(); // nothing listens on the agent port
    ASSERT_EQ(Walk(PluginArgs()), kMibWalkFailed);
    EXPECT_EQ(PlistForSpool.iNum, 0);
    ExpectTransitions(true, false);
}

TEST_F(MibWalkTest, WalkFailingAfterTheTableMergesWhatWasSpooled)
{
    PrepareTransitionList();
    // The agent serves the table, then stops answering: a timeout.
    ScriptedSnmpAgent agent(Script(TableAnswers(TransitionRows()), "silent"));
    ASSERT_TRUE(agent.running());
    ASSERT_EQ(Walk(PluginArgs()), kMibWalkFailed);
    EXPECT_EQ(PlistForSpool.iNum, 6);
    ExpectTransitions(true);
    EXPECT_STREQ(sDEBUGmsg, "[SNMP] Timeout: no answer from 127.0.0.1");
}

TEST_F(MibWalkTest, EachRequestIsTriedFourTimesUnlessRetriesAreGiven)
{
    const struct {
        std::vector<std::string> options;
        size_t requests;
    } cases[] = {
        {{}, 4},
        {{"-r", "1"}, 2},
        {{"-r", "0", "-t", "0.2"}, 1},
        {{"-r", "100", "-t", "0.01"}, 6}, // at most 5 retries
        {{"-r", "0", "-t", "100000"}, 1}, // one attempt of at most 5 s, not 100000 s
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.requests);
        ScriptedSnmpAgent agent(Script({}, "silent"));
        ASSERT_TRUE(agent.running());
        std::vector<std::string> args = PluginArgs();
        args.insert(args.begin() + 1, c.options.begin(), c.options.end());
        EXPECT_EQ(Walk(args), kMibWalkFailed);
        const std::vector<std::string> want(c.requests, "GETNEXT " + kEntry);
        EXPECT_EQ(agent.requests(), want);
    }
}

TEST_F(MibWalkTest, ScriptedAnswersEndTheWalkAsTheyShould)
{
    const struct {
        const char *what;
        std::vector<std::string> answers;
        int result;
        int spooledRows; // column-1 values in the spool
        int counted;     // numprinted increase
    } cases[] = {
        {"OID not increasing: stops, the repeated variable is already spooled",
         {StrAnswer(Cell(1, 1), "x"), IntAnswer(Cell(1, 2), 2), IntAnswer(Cell(1, 2), 2),
          IntAnswer(Cell(1, 3), 3)},
         kMibWalkFailed,
         2,
         3},
        {"OID going backwards",
         {IntAnswer(Cell(1, 5), 5), IntAnswer(Cell(1, 4), 4), IntAnswer(Cell(1, 6), 6)},
         kMibWalkFailed,
         2,
         2},
        {"error status other than noSuchName",
         {IntAnswer(Cell(1, 1), 1), "{\"error\": 5}"},
         kMibWalkAgentError,
         1,
         1},
        {"endOfMibView ends the walk",
         {IntAnswer(Cell(1, 1), 1), Answer(Cell(1, 2), "130", "null")},
         kMibWalkSuccess,
         1,
         2},
        {"noSuchObject ends the walk", {Answer(Cell(1, 1), "128", "null")}, kMibWalkSuccess, 0, 1},
        {"leaving the subtree",
         {IntAnswer(Cell(1, 1), 1), IntAnswer("1.3.6.1.4.1.64999.2.1", 7)},
         kMibWalkSuccess,
         1,
         1},
        {"an answer without variables", {IntAnswer(Cell(1, 1), 1), "{\"vars\": []}"}, kMibWalkFailed, 1, 1},
        {"instances that do not fit the spool",
         {IntAnswer(Cell(1, 0), 1), IntAnswer(Cell(1, 501), 1), IntAnswer(Cell(1, 4000000000L), 1),
          IntAnswer(kEntry + ".3.7", 1), StrAnswer(Cell(4, 1), std::string(40, 'A')),
          Answer(Cell(5, 1), "\"str\"", "\"3\"")},
         kMibWalkSuccess,
         0,
         6},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedSnmpAgent agent(Script(c.answers));
        ASSERT_TRUE(agent.running());
        EXPECT_EQ(Walk(PluginArgs()), c.result);
        EXPECT_EQ(PlistForSpool.iNum, c.spooledRows);
        EXPECT_EQ(numprinted, c.counted);
        for (const auto &e : PlistForSpool.entry)
            ASSERT_EQ(e.fileName[0], '\0'); // nothing was written outside a row's fields
    }
}

TEST_F(MibWalkTest, EmptyTableEndsAtOnceAndEveryWalkAsksForTheRoot)
{
    {
        ScriptedSnmpAgent found(Script({IntAnswer(Cell(1, 1), 1)}));
        ASSERT_TRUE(found.running());
        ASSERT_EQ(Walk(PluginArgs()), kMibWalkSuccess);
        ASSERT_EQ(numprinted, 1);
    }
    // A walk that found something before does not keep this one from asking.
    ScriptedSnmpAgent agent(Script({}));
    ASSERT_TRUE(agent.running());
    ASSERT_EQ(Walk(PluginArgs()), kMibWalkSuccess);
    EXPECT_EQ(PlistForSpool.iNum, 0);
    const std::vector<std::string> want = {"GETNEXT " + kEntry, "GET " + kEntry}; // the GET is only printed
    EXPECT_EQ(agent.requests(), want);
}

TEST_F(MibWalkTest, UnknownLetterOfOptionCIsNotedAndTheRestStillApplies)
{
    // "x" is unknown; the "c" after it turns the ordering check off, so a
    // repeated OID no longer ends the walk.
    ScriptedSnmpAgent agent(
        Script({IntAnswer(Cell(1, 1), 1), IntAnswer(Cell(1, 1), 1), IntAnswer(Cell(1, 2), 2)}));
    ASSERT_TRUE(agent.running());
    std::vector<std::string> args = PluginArgs();
    args.insert(args.begin() + 1, "-Cxc");
    sDEBUGmsg[0] = '\0';
    EXPECT_EQ(Walk(args), kMibWalkSuccess);
    EXPECT_STREQ(sDEBUGmsg, "Unknown flag passed to -C: x\n");
    EXPECT_EQ(PlistForSpool.iNum, 3);

    // The flag belongs to the walk that named it: the next one checks again.
    agent.stop();
    ScriptedSnmpAgent checked(Script({IntAnswer(Cell(1, 1), 1), IntAnswer(Cell(1, 1), 1)}));
    EXPECT_EQ(Walk(PluginArgs()), kMibWalkFailed);
    EXPECT_STREQ(sDEBUGmsg,
                 ("[SNMP] Error: OID not increasing: " + Cell(1, 1) + " >= " + Cell(1, 1)).c_str());
}

TEST_F(MibWalkTest, AnAgentThatNeverEndsIsWalkedUpToAFullTable)
{
    const struct {
        const char *what;
        std::string script;
        std::vector<std::string> options;
    } cases[] = {
        {"rows for ever", "{\"answers\": [], \"then\": \"increasing\"}", {}},
        {"one OID for ever, ordering not checked", Script({IntAnswer(Cell(1, 1), 1)}, "repeat"), {"-Cc"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedSnmpAgent agent(c.script);
        ASSERT_TRUE(agent.running());
        std::vector<std::string> args = PluginArgs();
        args.insert(args.begin() + 1, c.options.begin(), c.options.end());
        EXPECT_EQ(Walk(args), kMibWalkFailed);
        EXPECT_EQ(PlistForSpool.iNum, kProfileTableSlots); // every column-1 value counts, up to 500
        EXPECT_EQ(agent.requests().size(), static_cast<size_t>(kProfileTableSlots * 7 + 1));
    }
}

TEST_F(MibWalkTest, IncludeRequestedAsksForTheRootFirst)
{
    ScriptedSnmpAgent agent(Script({"{\"error\": 2}", IntAnswer(Cell(1, 1), 1)}));
    std::vector<std::string> args = PluginArgs();
    args.insert(args.begin() + 1, "-Ci");
    EXPECT_EQ(Walk(args), kMibWalkSuccess);
    agent.stop();
    ScriptedSnmpAgent quiet(Script({}));
    EXPECT_EQ(Walk(args), kMibWalkSuccess);

    const std::vector<std::string> want = {"GET " + kEntry, "GETNEXT " + kEntry, "GETNEXT " + Cell(1, 1)};
    EXPECT_EQ(agent.requests(), want);
    EXPECT_EQ(PlistForSpool.iNum, 0); // the second walk found nothing
}

TEST_F(MibWalkTest, NoOidArgumentWalksMib2AndSpoolsNothing)
{
    SnmpAgent::Options options;
    options.rows = MakeProfileRows(3);
    options.viewSubtree = "1.3.6.1.2.1.1"; // the system group only
    SnmpAgent agent(options);
    ASSERT_TRUE(agent.running()) << agent.log();

    std::vector<std::string> args = PluginArgs();
    args.pop_back();
    EXPECT_EQ(Walk(args), kMibWalkSuccess);
    EXPECT_GT(numprinted, 3);
    EXPECT_EQ(PlistForSpool.iNum, 0);
    for (const auto &e : PlistForSpool.entry)
        ASSERT_EQ(std::memcmp(&e, &PlistForSpool.entry[499], sizeof e), 0);
}

TEST_F(MibWalkTest, ArgumentsTheWalkRefusesStillRewriteTheList)
{
    const struct {
        std::vector<std::string> args;
        int result;
    } cases[] = {
        {{}, kMibWalkUsage},
        {{"snmpwalk"}, kMibWalkUsage},
        {{"snmpwalk", "-c", "wemblo", "-v", "1"}, kMibWalkUsage},                     // no host
        {{"snmpwalk", "-Zq", "-c", "wemblo", "-v", "1", "127.0.0.1"}, kMibWalkUsage}, // unknown option
        {{"snmpwalk", "-h"}, kMibWalkUsage},
        {{"snmpwalk", "-v", "9", "-c", "wemblo", "127.0.0.1"}, kMibWalkUsage},
        {{"snmpwalk", "-H"}, kMibWalkNoWalk},
        {{"snmpwalk", "-V"}, kMibWalkNoWalk},
        {{"snmpwalk", "-v", "3", "-l", "authNoPriv", "-u", "u", "-a", "MD5", "-A", "short", "127.0.0.1"},
         kMibWalkNoWalk}, // no key from a pass phrase this short
        {{"snmpwalk", "-Os", "-c", "wemblo", "-v", "1", "127.0.0.1", "1.3.six"}, kMibWalkFailed},
        // A name the SNMP library's MIB parser would match as a pattern,
        // taking gigabytes: roots are taken in numbers only.
        {{"snmpwalk", "-c", "wemblo", "-v", "1", "127.0.0.1",
          "QV-26" + std::string(43, '+') + std::string(59, '\\') + "-Os"},
         kMibWalkFailed},
        {{"snmpwalk", "-c", "wemblo", "-v", "1", "unix:/nonexistent/tint-agent.sock", kEntry},
         kMibWalkFailed},
    };
    for (const auto &c : cases) {
        std::string joined;
        for (const auto &a : c.args)
            joined += a + " ";
        SCOPED_TRACE(joined);
        ProfileTables before;
        before.add(0, MakeProfileEntry(InMenu::DeviceHidden, "HIDDEN.ICC", 3));
        before.add(0, MakeProfileEntry(InMenu::DeviceShown, "SHOWN.ICC", 4));
        ASSERT_EQ(before.write(), 0);
        EXPECT_EQ(Walk(c.args), c.result);
        ProfileTables after;
        ASSERT_EQ(after.read(), 0);
        EXPECT_EQ(after.state(0, "HIDDEN.ICC"), 0);
        EXPECT_EQ(after.state(0, "SHOWN.ICC"), InMenu::UserShown);
    }
}

TEST_F(MibWalkTest, SecondWalkInTheSameProcessIsRight)
{
    {
        SnmpAgent::Options options;
        options.rows = MakeProfileRows(5);
        options.viewSubtree = kEntry;
        SnmpAgent agent(options);
        ASSERT_TRUE(agent.running()) << agent.log();
        ASSERT_EQ(Walk(PluginArgs()), kMibWalkSuccess);
        ASSERT_EQ(PlistForSpool.iNum, 5);
    }
    // A refused walk that stops the option scanner inside an option cluster.
    EXPECT_EQ(Walk({"snmpwalk", "-qdd", "-c", "wemblo", "127.0.0.1"}), kMibWalkUsage);

    std::vector<SnmpProfileRow> rows = MakeProfileRows(2);
    rows[0].fileName = "OTHER.ICC";
    SnmpAgent::Options options;
    options.rows = rows;
    options.viewSubtree = kEntry;
    SnmpAgent agent(options);
    ASSERT_TRUE(agent.running()) << agent.log();
    ASSERT_EQ(Walk(PluginArgs()), kMibWalkSuccess);
    EXPECT_EQ(PlistForSpool.iNum, 2);
    EXPECT_STREQ(PlistForSpool.entry[0].fileName, "OTHER.ICC");
    EXPECT_EQ(PlistForSpool.entry[2].indexOnDevice, 0);

    ProfileTables t;
    ASSERT_EQ(t.read(), 0);
    EXPECT_EQ(t.state(0, "OTHER.ICC"), InMenu::DeviceHidden);
    EXPECT_EQ(t.state(0, "PRF00001.ICC"), 0); // refused walk: hidden entries left the list
    EXPECT_EQ(t.state(1, "PRF00002.ICC"), InMenu::DeviceHidden);
    EXPECT_EQ(t.state(0, "PRF00003.ICC"), 0);
}

TEST_F(MibWalkTest, RowWideWalkOfWhatRealAgentsDoSpoolsWhatACellWalkSpools)
{
    // 40 rows; the agent serves the cells `served` lets through, then
    // `after`. `reached`: the cells the walk still gets (all served ones
    // unless said), which a walk of one variable per request (-C s) on a
    // plain agent serving just those spools and merges in the same bytes.
    using Cells = std::function<bool(int column, long row)>;
    const Cells all = [](int, long) { return true; };
    const Cells holes = [](int c, long r) {
        return !(c == 1 && r == 5) && !(c == 4 && r == 9) && !(c == 2 && r == 12) &&
               !(c == 7 && r >= 20 && r <= 22) && !(c == 5 && r == 7) && !(c == 3 && r == 8);
    };
    const std::vector<std::string> oddTypes = {"override " + Cell(5, 7) + " octet_str \"3\"",
                                               "override " + Cell(3, 8) + " integer 8"};
    const std::vector<std::string> nextSubtree = {"override 1.3.6.1.4.1.64999.2.1 integer 7"};
    const struct {
        const char *what;
        std::vector<const char *> versions;
        Cells served;
        std::vector<std::string> after;
        std::string keys;
        int result;
        size_t maxRequests; // for 40 rows of 7 columns, 281 one by one
        Cells reached;
    } cases[] = {
        {"whole table, then the next subtree", {"1", "2c"}, all, nextSubtree, "", kMibWalkSuccess, 48, {}},
        {"holes and odd types", {"1", "2c"}, holes, oddTypes, "", kMibWalkSuccess, 48, {}},
        {"columns ending before the others",
         {"1", "2c"},
         [](int c, long r) { return !(c == 7 && r > 10) && !(c == 3 && r > 30); },
         nextSubtree,
         "",
         kMibWalkSuccess,
         48,
         {}},
        {"the table ends the agent's MIB mid-request", {"1", "2c"}, all, {}, "", kMibWalkSuccess, 52, {}},
        {"tooBig past 3 variables", {"1", "2c"}, all, nextSubtree, "\"toobig\": 3", kMibWalkSuccess, 160, {}},
        {"noSuchName for one column's variable",
         {"1"},
         all,
         nextSubtree,
         "\"refuse\": [\"" + Cell(4, 10) + "\"]",
         kMibWalkSuccess,
         52,
         [](int c, long r) { return c != 4 || r <= 10; }},
        {"a row index that does not increase",
         {"1", "2c"},
         all,
         nextSubtree,
         "\"back\": [\"" + Cell(2, 5) + "\", \"" + Cell(2, 3) + "\"]",
         kMibWalkFailed,
         8,
         {}},
        {"SNMPv2c asked of an agent that answers SNMPv1 only",
         {"2c"},
         all,
         nextSubtree,
         "\"v1only\": true",
         kMibWalkFailed,
         1,
         {}},
    };
    const std::vector<SnmpProfileRow> rows = MakeProfileRows(40);
    auto lines = [&](const Cells &keep, const std::vector<std::string> &after) {
        std::vector<std::string> kept;
        for (const std::string &line : ProfileRowOverrides(rows)) {
            int column = 0;
            long row = 0;
            std::sscanf(line.c_str() + std::strlen("override ") + kEntry.size(), ".%d.1.%ld", &column, &row);
            if (keep(column, row))
                kept.push_back(line);
        }
        kept.insert(kept.end(), after.begin(), after.end());
        return kept;
    };
    // A list with a profile of the printer's the user ticked: one walk, its
    // spool and the list it leaves.
    const std::string list = root.prefFile("alice-QV-MR52-profile.plist");
    auto walk = [&](const std::string &script, std::vector<std::string> args, ProfileTable *spool,
                    std::string *written, size_t *requests) {
        ProfileTables before;
        before.add(0, MakeProfileEntry(InMenu::UserShown, "PRF00004.ICC", 3));
        before.add(1, MakeProfileEntry(InMenu::DeviceHidden, "GONE.ICC", 4));
        EXPECT_EQ(before.write(), 0);
        ScriptedSnmpAgent agent(script);
        EXPECT_TRUE(agent.running());
        const int result = Walk(args);
        *spool = PlistForSpool;
        *written = ReadFile(list);
        *requests = agent.requests().size();
        return result;
    };
    for (const auto &c : cases) {
        for (const char *version : c.versions) {
            SCOPED_TRACE(std::string(c.what) + ", SNMP " + version);
            std::vector<std::string> args = PluginArgs();
            args[5] = version;
            args.insert(args.begin() + 1, {"-t", "0.1", "-r", "0"});
            ProfileTable spool{}, reference{};
            std::string written, referenceWritten;
            size_t requests = 0, referenceRequests = 0;
            EXPECT_EQ(
                walk(SnmpTableScript(lines(c.served, c.after), c.keys), args, &spool, &written, &requests),
                c.result);
            EXPECT_LE(requests, c.maxRequests);
            if (c.result != kMibWalkSuccess)
                continue;
            args.insert(args.begin() + 1, "-Cs");
            args[args.size() - 3] = "1";
            ASSERT_EQ(walk(SnmpTableScript(lines(c.reached ? c.reached : c.served, c.after)), args,
                           &reference, &referenceWritten, &referenceRequests),
                      kMibWalkSuccess);
            EXPECT_GT(referenceRequests, 200u); // one by one: a request per cell
            EXPECT_GE(reference.iNum, 39);
            EXPECT_EQ(std::memcmp(&spool, &reference, sizeof spool), 0);
            EXPECT_EQ(written, referenceWritten);
        }
    }
}
