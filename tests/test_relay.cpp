// Tintrelay and Tintvault together on a private session bus: the service is
// started by the bus on the first call, as on a desktop.
#include "ChildProcess.h"
#include "FileUrl.h"
#include "RelayCall.h"
#include "SessionBus.h"
#include "TempRoot.h"
#include "TintPaths.h"
#include "TransferUrl.h"

#include <gtest/gtest.h>
#include <sdbus-c++/sdbus-c++.h>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

constexpr char kInterface[] = "com.varno.QVMR52.WQ_XPC_Protocol3B7E2A90_C4D1_4F68_9E02_7A5C1B8D6E4F";

// Runs the relay as a command; returns its standard output.
std::string Relay(const std::vector<std::string> &args, int *status = nullptr, const std::string &prefix = "")
{
    std::string command = prefix + ShellQuote(TintRelayPath());
    for (const std::string &a : args)
        command += " " + ShellQuote(a);
    return RunCommand(command + " 2>&1", status);
}

mode_t ModeOf(const std::string &path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

std::string ListName(const std::string &user = "alice")
{
    return user + "-QV-MR52-profile.plist";
}

class RelayBus : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ::umask(002);
        ASSERT_TRUE(bus.running());
        current = root.prefFile(ListName());
        previous = root.prefFile("alice-QV-MR52-profile.prev.plist");
        url = TintFileUrlFromPath(current);
        // The plug-in probes before every change; the probe gives the service
        // its file-creation mask 002.
        ASSERT_TRUE(TintRelayCallBool("wqPListIsAdminProfile_XPC", {current}));
    }

    TempRoot root;
    SessionBus bus;
    std::string current, previous, url;
};

const char kListA[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>A</key>"
                      "<string>first</string></dict></plist>\n";

} // namespace

TEST_F(RelayBus, ReplyLineForEachFileMethod)
{
    int status = -1;
    EXPECT_EQ(Relay({"wqPListIsAdminProfile_XPC", current}, &status), "wqPListIsAdminProfile_XPC=TRUE\n");
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(FileExists(current)) << "the probe removes the file it created";

    EXPECT_EQ(Relay({"wqPListExistProfile_XPC", current}), "wqPListExistProfile_XPC=FALSE\n");
    EXPECT_EQ(Relay({"wqPListRemove_XPC", current}, &status), "wqPListRemove_XPC=FALSE\n");
    EXPECT_EQ(status, 0);
    ASSERT_TRUE(WriteFile(current, "x"));
    EXPECT_EQ(Relay({"wqPListIsAdminProfile_XPC", current}), "wqPListIsAdminProfile_XPC=TRUE\n");
    EXPECT_EQ(ReadFile(current), "x");
    EXPECT_EQ(Relay({"wqPListExistProfile_XPC", current}), "wqPListExistProfile_XPC=TRUE\n");
    EXPECT_EQ(Relay({"wqPListRemove_XPC", current}), "wqPListRemove_XPC=TRUE\n");
    EXPECT_FALSE(FileExists(current));

    EXPECT_EQ(Relay({"writeDictionaryToPlistFile_XPC", url, kListA}),
              "writeDictionaryToPlistFile_XPC=TRUE\n");
    EXPECT_EQ(ReadFile(current), kListA);
    EXPECT_EQ(ModeOf(current), 0664u);
}

TEST_F(RelayBus, NothingPrintedForUnknownMethodsAndMissingArguments)
{
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"nonsense", current},
        {"mibwalk"},
        {"wqPListRemove_XPC"},
        {"wqPListSwapProfile_XPC", "2", current},
        {"mibwalk_XPC", "QV-MR52"},
        {"writeDataToPlistFile_XPC", url},
    };
    for (const auto &args : cases) {
        int status = -1;
        EXPECT_EQ(Relay(args, &status), "") << (args.empty() ? "" : args[0]);
        EXPECT_EQ(status, 0);
    }
}

TEST(RelayNoService, NoBusOrAFailingServiceGivesNoOutputAndStatusZero)
{
    TempRoot root;
    const std::string path = root.currentList();
    int status = -1;
    {
        const std::string out = RunCommand("DBUS_SESSION_BUS_ADDRESS=unix:path=" + root.path() + "/nobus " +
                                               ShellQuote(TintRelayPath()) + " wqPListExistProfile_XPC " +
                                               ShellQuote(path) + " 2>&1",
                                           &status);
        EXPECT_EQ(out, "");
        EXPECT_EQ(status, 0);
    }
    {
        // The bus cannot start the service: its program fails at once.
        SessionBus::Options options;
        options.servicePath = "/bin/false";
        SessionBus bus(options);
        ASSERT_TRUE(bus.running());
        EXPECT_EQ(Relay({"wqPListExistProfile_XPC", path}, &status), "");
        EXPECT_EQ(status, 0);
        EXPECT_FALSE(TintRelayCallBool("wqPListExistProfile_XPC", {path}));
    }
}

TEST(RelayFailure, EveryFailedCallKeepsItsReason)
{
    TempRoot root;
    SessionBus bus;
    ASSERT_TRUE(bus.running());
    const std::string relay = TintRelayPath();
    const fs::path built = fs::read_symlink(relay);
    const std::string list = root.currentList();
    struct Row {
        const char *program; // at the relay's path: nullptr the built relay, "" nothing
        mode_t mode;
        bool noBus;
        bool walk; // the walk call instead of the existence probe
        TintRelayError error;
        std::string reason; // part of the reason's text
    } rows[] = {
        {"", 0, false, false, TintRelayError::NoRelay, "no relay at " + relay},
        {"#!/bin/sh\n", 0644, false, false, TintRelayError::NotStarted, "Permission denied"},
        {"#!/bin/sh\nprintf '\\377'\n", 0755, false, false, TintRelayError::NotUtf8, "not UTF-8"},
        {nullptr, 0, true, false, TintRelayError::NoReply, "no reply to wqPListExistProfile_XPC"},
        {nullptr, 0, false, false, TintRelayError::Refused, "answered FALSE to wqPListExistProfile_XPC"},
        {"#!/bin/sh\necho mibwalk_XPC=iRet=x\n", 0755, false, true, TintRelayError::NoReply,
         "holds no result"},
        {nullptr, 0, false, true, TintRelayError::None, ""},
    };
    for (const Row &row : rows) {
        fs::remove(relay);
        if (row.program == nullptr) {
            fs::create_symlink(built, relay);
        } else if (*row.program != '\0') {
            ASSERT_TRUE(WriteFile(relay, row.program));
            fs::permissions(relay, static_cast<fs::perms>(row.mode));
        }
        if (row.noBus)
            setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + root.path() + "/nobus").c_str(), 1);
        int result = 0;
        const bool ok = row.walk ? TintRelayCallWalk("QV-MR52", "", {}, &result)
                                 : TintRelayCallBool("wqPListExistProfile_XPC", {list});
        setenv("DBUS_SESSION_BUS_ADDRESS", bus.address().c_str(), 1);
        EXPECT_EQ(ok, row.error == TintRelayError::None) << row.reason;
        EXPECT_EQ(TintRelayLastError(), row.error) << row.reason;
        EXPECT_NE(std::string(TintRelayLastErrorString()).find(row.reason), std::string::npos)
            << TintRelayLastErrorString();
    }
}

TEST(RelayRequest, TheRequestStringReachesTheServiceExactly)
{
    // A service that answers every method with the request it received, so
    // the reply line shows what the relay sent.
    TempRoot root;
    SessionBus bus;
    ASSERT_TRUE(bus.running());
    auto connection = sdbus::createSessionBusConnection("com.varno.QVMR52.Tintvault");
    auto object = sdbus::createObject(*connection, "/com/varno/QVMR52/Tintvault");
    for (const char *m : {"wqPListSwapProfile_XPC", "mibwalk_XPC", "writeDataToPlistFile_XPC"})
        object->registerMethod(m).onInterface(kInterface).implementedAs([](const std::string &r) {
            return r;
        });
    object->finishRegistration();
    connection->enterEventLoopAsync();

    EXPECT_EQ(Relay({"wqPListSwapProfile_XPC", "2", "/a/cur.plist", "/a/prev.plist"}),
              "wqPListSwapProfile_XPC=2:ARG_iSwapType/a/cur.plist:ARG_cFooCurrentString/a/prev.plist:ARG_"
              "cFooPrevString\n");
    EXPECT_EQ(Relay({"mibwalk_XPC", "QV-MR52", "alice", "x", "y"}),
              "mibwalk_XPC=QV-MR52:ModelName:ENDalice:USErName:ENDx:arg:y:arg:\n");
    EXPECT_EQ(Relay({"mibwalk_XPC", "QV-MR52", "alice"}),
              "mibwalk_XPC=QV-MR52:ModelName:ENDalice:USErName:END\n");
    const std::string piece = "<a>é ö:AddURL:END\xf0\x9f\x98\x80</a>";
    EXPECT_EQ(Relay({"writeDataToPlistFile_XPC", "file:///x", piece}),
              "writeDataToPlistFile_XPC=file:///x:AddURL:END" + piece + "\n");

    // The plug-in reads the walk's result as the leading integer after
    // "mibwalk_XPC=iRet=", whatever follows it on the line.
    int result = 0;
    ASSERT_TRUE(TintRelayCallWalk("iRet=-7x", "alice", {"snmpwalk"}, &result));
    EXPECT_EQ(result, -7);

    // A long reply line arrives whole through the relay call's pipe.
    std::string output;
    const std::string big(120000, 'z');
    ASSERT_TRUE(TintRelayRun("writeDataToPlistFile_XPC", {"u", big}, &output));
    EXPECT_EQ(output, "writeDataToPlistFile_XPC=u:AddURL:END" + big + "\n");
    connection->leaveEventLoop();
}

TEST_F(RelayBus, SwapBackupDiscardRestore)
{
    // A whole property list of 200000 bytes: only a whole list is restored.
    const std::string tail = "</array></plist>\n";
    std::string content = "<plist version=\"1.0\"><array>\n";
    for (int i = 0; content.size() + 40 + tail.size() < 200000; ++i)
        content += "<string>line " + std::to_string(i) + "</string>\n";
    content.resize(200000 - tail.size(), '\n');
    content += tail;
    ASSERT_TRUE(WriteFile(current, content));
    ASSERT_TRUE(WriteFile(previous, "old backup"));

    EXPECT_EQ(Relay({"wqPListSwapProfile_XPC", "2", current, previous}), "wqPListSwapProfile_XPC=TRUE\n");
    EXPECT_EQ(ReadFile(previous), content);
    EXPECT_EQ(ModeOf(previous), 0664u);

    ASSERT_TRUE(WriteFile(current, "edited"));
    EXPECT_EQ(Relay({"wqPListSwapProfile_XPC", "0", current, previous}), "wqPListSwapProfile_XPC=TRUE\n");
    EXPECT_EQ(ReadFile(current), content);
    EXPECT_FALSE(FileExists(previous));

    // Restore with no previous file: the current file stays.
    EXPECT_EQ(Relay({"wqPListSwapProfile_XPC", "0", current, previous}), "wqPListSwapProfile_XPC=TRUE\n");
    EXPECT_EQ(ReadFile(current), content);

    ASSERT_TRUE(WriteFile(previous, "p"));
    EXPECT_EQ(Relay({"wqPListSwapProfile_XPC", "1", "NULL", previous}), "wqPListSwapProfile_XPC=TRUE\n");
    EXPECT_FALSE(FileExists(previous));
    EXPECT_EQ(ReadFile(current), content);

    // Backup of a missing current file leaves an empty previous file.
    ASSERT_TRUE(fs::remove(current));
    ASSERT_TRUE(WriteFile(previous, "p"));
    EXPECT_EQ(Relay({"wqPListSwapProfile_XPC", "2", current, previous}), "wqPListSwapProfile_XPC=TRUE\n");
    EXPECT_TRUE(FileExists(previous));
    EXPECT_EQ(ReadFile(previous), "");
}

TEST_F(RelayBus, ChunkedTransferAppendsInOrderAndRenamesAtTheEnd)
{
    ASSERT_TRUE(WriteFile(current, kListA));
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>B</key>"
        "<string>é second :AddURL:END</string></dict></plist>\n";
    const std::string pieces[] = {xml.substr(0, 30), xml.substr(30, 40), xml.substr(70)};
    for (const std::string &p : pieces)
        ASSERT_TRUE(TintRelayCallBool("writeDataToPlistFile_XPC", {url, p}));
    EXPECT_EQ(ReadFile(current), kListA) << "the list changes only with the rename";
    EXPECT_EQ(ReadFile(current + ".dummy"), xml);
    EXPECT_EQ(ModeOf(current + ".dummy"), 0664u);

    EXPECT_TRUE(TintRelayCallBool("writeDataToPlistFileRename_XPC", {url}));
    EXPECT_EQ(ReadFile(current), xml);
    EXPECT_EQ(ModeOf(current), 0664u);
    EXPECT_FALSE(FileExists(current + ".dummy"));

    // A rename with no transfer file installed nothing: "FALSE", nothing
    // changes.
    EXPECT_EQ(Relay({"writeDataToPlistFileRename_XPC", url}), "writeDataToPlistFileRename_XPC=FALSE\n");
    EXPECT_EQ(ReadFile(current), xml);
}

TEST_F(RelayBus, TwoWritersPiecesNeverJoinAndEachRenameInstallsItsOwnList)
{
    // Two plug-ins saving one list at once: each names its transfer, and
    // their pieces reach the service interleaved.
    ASSERT_TRUE(WriteFile(current, kListA));
    const std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>";
    const std::string a = head + "A</key><string>" + std::string(2500, 'a') + "</string></dict></plist>\n";
    const std::string b = head + "B</key><string>" + std::string(2500, 'b') + "</string></dict></plist>\n";
    const std::string urlA = TintTransferUrl(url, "0123456789abcdef");
    const std::string urlB = TintTransferUrl(url, "fedcba9876543210");
    for (std::size_t at = 0; at < a.size(); at += 1000) {
        ASSERT_TRUE(TintRelayCallBool("writeDataToPlistFile_XPC", {urlA, a.substr(at, 1000)}));
        ASSERT_TRUE(TintRelayCallBool("writeDataToPlistFile_XPC", {urlB, b.substr(at, 1000)}));
    }
    EXPECT_EQ(ReadFile(current), kListA);
    EXPECT_TRUE(TintRelayCallBool("writeDataToPlistFileRename_XPC", {urlB}));
    EXPECT_EQ(ReadFile(current), b);
    EXPECT_TRUE(TintRelayCallBool("writeDataToPlistFileRename_XPC", {urlA}));
    EXPECT_EQ(ReadFile(current), a);
    // Each transfer was taken by its own rename; another installs nothing.
    EXPECT_EQ(Relay({"writeDataToPlistFileRename_XPC", urlB}), "writeDataToPlistFileRename_XPC=FALSE\n");
    EXPECT_EQ(ReadFile(current), a);
    EXPECT_EQ(std::distance(fs::directory_iterator(root.preferences()), fs::directory_iterator()), 1);
}

TEST_F(RelayBus, AStaleOrBrokenTransferNeverReplacesTheList)
{
    ASSERT_TRUE(WriteFile(current, kListA));
    // Pieces of an earlier transfer that never finished.
    ASSERT_TRUE(WriteFile(current + ".dummy", "<?xml version=\"1.0\"?><plist><dict><key>stale"));
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict/></plist>\n";
    ASSERT_TRUE(TintRelayCallBool("writeDataToPlistFile_XPC", {url, xml.substr(0, 50)}));
    ASSERT_TRUE(TintRelayCallBool("writeDataToPlistFile_XPC", {url, xml.substr(50)}));
    ASSERT_TRUE(TintRelayCallBool("writeDataToPlistFileRename_XPC", {url}));
    EXPECT_EQ(ReadFile(current), xml);

    // A transfer missing its last piece is dropped at the rename.
    ASSERT_TRUE(TintRelayCallBool("writeDataToPlistFile_XPC", {url, xml.substr(0, 50)}));
    EXPECT_EQ(Relay({"writeDataToPlistFileRename_XPC", url}), "writeDataToPlistFileRename_XPC=FALSE\n");
    EXPECT_EQ(ReadFile(current), xml);
    EXPECT_FALSE(FileExists(current + ".dummy"));
}

TEST_F(RelayBus, ServiceKilledMidTransferLeavesTheListAndTheNextTransferWorks)
{
    ASSERT_TRUE(WriteFile(current, kListA));
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict><key>C</key>"
        "<integer>3</integer></dict></plist>\n";
    ASSERT_TRUE(TintRelayCallBool("writeDataToPlistFile_XPC", {url, xml.substr(0, 60)}));
    const pid_t service = bus.servicePid();
    ASSERT_GT(service, 0);
    ASSERT_EQ(ReadFile("/proc/" + std::to_string(service) + "/comm"), "Tintvault\n");
    ASSERT_EQ(::kill(service, SIGKILL), 0);
    EXPECT_EQ(ReadFile(current), kListA);
    // Let the bus notice before the next call, which must start a new service.
    ASSERT_TRUE(WaitUntil([&] { return bus.servicePid() != service; }))
        << "the bus still names the killed service";

    // The next call starts a new service; the new transfer starts afresh.
    for (const std::string &p : {xml.substr(0, 60), xml.substr(60)})
        ASSERT_TRUE(TintRelayCallBool("writeDataToPlistFile_XPC", {url, p}));
    ASSERT_TRUE(TintRelayCallBool("writeDataToPlistFileRename_XPC", {url}));
    EXPECT_EQ(ReadFile(current), xml);
    EXPECT_NE(bus.servicePid(), service);
}

TEST_F(RelayBus, PathsOutsideTheListFilesAreRefusedAndTouchNothing)
{
    const std::string outside = root.path() + "/outside";
    fs::create_directories(outside);
    const std::string victim = outside + "/" + ListName();
    ASSERT_TRUE(WriteFile(victim, "victim"));
    // A folder link out of the preferences folder, and a file link.
    fs::create_directory_symlink(outside, root.prefFile("out"));
    fs::create_symlink(victim, root.prefFile(ListName("bob")));
    const std::string longUser(260, 'u');

    const std::vector<std::string> refused = {
        victim,
        root.prefFile("../" + ListName()),
        root.prefFile("out/" + ListName()),
        root.prefFile(ListName("bob")),
        root.prefFile("notes.txt"),
        root.prefFile(".plist"),
        root.prefFile("-profile.plist"),
        root.prefFile(longUser + "-QV-MR52-profile.plist"),
        "relative-QV-MR52-profile.plist",
        "",
    };
    for (const std::string &path : refused) {
        const std::string u = TintFileUrlFromPath(path);
        EXPECT_EQ(Relay({"wqPListIsAdminProfile_XPC", path}), "wqPListIsAdminProfile_XPC=FALSE\n") << path;
        EXPECT_EQ(Relay({"wqPListExistProfile_XPC", path}), "wqPListExistProfile_XPC=FALSE\n") << path;
        EXPECT_EQ(Relay({"wqPListRemove_XPC", path}), "wqPListRemove_XPC=FALSE\n") << path;
        EXPECT_EQ(Relay({"writeDictionaryToPlistFile_XPC", u, "x"}), "writeDictionaryToPlistFile_XPC=FALSE\n")
            << path;
        EXPECT_EQ(Relay({"writeDataToPlistFile_XPC", u, "x"}), "writeDataToPlistFile_XPC=FALSE\n") << path;
        EXPECT_EQ(Relay({"wqPListSwapProfile_XPC", "2", path, victim}), "wqPListSwapProfile_XPC=TRUE\n")
            << path;
        EXPECT_EQ(Relay({"wqPListSwapProfile_XPC", "0", current, path}), "wqPListSwapProfile_XPC=TRUE\n")
            << path;
    }
    // The rename of a good list with a transfer file that is a link out.
    fs::create_symlink(victim, current + ".dummy");
    EXPECT_EQ(Relay({"writeDataToPlistFileRename_XPC", url}), "writeDataToPlistFileRename_XPC=FALSE\n");
    EXPECT_EQ(Relay({"writeDataToPlistFile_XPC", url, "<x/>"}), "writeDataToPlistFile_XPC=FALSE\n");

    EXPECT_EQ(ReadFile(victim), "victim");
    EXPECT_TRUE(fs::is_symlink(root.prefFile(ListName("bob"))));
    EXPECT_TRUE(fs::is_symlink(current + ".dummy"));
    EXPECT_FALSE(FileExists(current));
    EXPECT_EQ(std::distance(fs::directory_iterator(outside), fs::directory_iterator()), 1);
}

TEST_F(RelayBus, MalformedRequestsTouchNoFile)
{
    ASSERT_TRUE(WriteFile(current, kListA));
    ASSERT_TRUE(WriteFile(previous, "prev"));
    // Sent straight to the service: the relay never builds these.
    const std::string dest = "--dest=com.varno.QVMR52.Tintvault /com/varno/QVMR52/Tintvault ";
    struct Row {
        const char *method;
        std::string request;
        const char *reply;
    } rows[] = {
        {"wqPListSwapProfile_XPC",
         "0" + previous + ":ARG_cFooCurrentString" + current + ":ARG_cFooPrevString", "FALSE"},
        {"wqPListSwapProfile_XPC", "1:ARG_iSwapType" + previous + ":ARG_cFooPrevString", "FALSE"},
        {"writeDictionaryToPlistFile_XPC", url + "x", "FALSE"},
        {"writeDataToPlistFile_XPC", url, "FALSE"},
        {"mibwalk_XPC", "QV-MR52alice:USErName:END", "iRet=-1"},
    };
    for (const Row &row : rows) {
        const std::string out = RunCommand("dbus-send --session --print-reply=literal " + dest + kInterface +
                                           "." + row.method + " string:" + ShellQuote(row.request) + " 2>&1");
        EXPECT_NE(out.find(row.reply), std::string::npos) << row.method << ": " << out;
    }
    EXPECT_EQ(ReadFile(current), kListA);
    EXPECT_EQ(ReadFile(previous), "prev");
    EXPECT_FALSE(FileExists(current + ".dummy"));
}

TEST_F(RelayBus, IndependentClientsGetTheSameReplies)
{
    ASSERT_TRUE(WriteFile(current, kListA));
    const std::string path = "/com/varno/QVMR52/Tintvault";
    const std::string gdbus = "gdbus call --session --dest com.varno.QVMR52.Tintvault --object-path " + path +
                              " --method " + kInterface + ".";
    EXPECT_EQ(RunCommand(gdbus + "wqPListExistProfile_XPC " + ShellQuote(current) + " 2>&1"), "('TRUE',)\n");
    EXPECT_EQ(RunCommand(gdbus + "wqPListExistProfile_XPC " + ShellQuote(previous) + " 2>&1"),
              "('FALSE',)\n");
    const std::string send = "dbus-send --session --print-reply=literal --dest=com.varno.QVMR52.Tintvault " +
                             path + " " + kInterface + ".";
    EXPECT_EQ(RunCommand(send + "wqPListRemove_XPC string:" + ShellQuote(current) + " 2>&1"), "   TRUE");
    EXPECT_FALSE(FileExists(current));
    EXPECT_EQ(Relay({"wqPListRemove_XPC", current}), "wqPListRemove_XPC=FALSE\n");
}

TEST(RelayService, ServiceExitsWhenItLosesTheBus)
{
    TempRoot root;
    auto bus = std::make_unique<SessionBus>();
    ASSERT_TRUE(bus->running());
    ASSERT_TRUE(TintRelayCallBool("wqPListIsAdminProfile_XPC", {root.currentList()}));
    const pid_t service = bus->servicePid();
    ASSERT_GT(service, 0);
    ASSERT_EQ(ReadFile("/proc/" + std::to_string(service) + "/comm"), "Tintvault\n");
    bus->stop();
    // The service is not our child: poll until it is gone or a zombie.
    EXPECT_TRUE(WaitUntil([&] {
        const std::string stat = ReadFile("/proc/" + std::to_string(service) + "/stat");
        const std::size_t paren = stat.rfind(')');
        return stat.empty() || paren == std::string::npos || stat.compare(paren + 2, 1, "Z") == 0;
    })) << "Tintvault "
        << service << " still runs after its bus went away";
}
