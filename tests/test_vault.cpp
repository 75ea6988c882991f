// Tintvault's handlers in-process, the permission cases under an unprivileged
// user, and a walk through Tintrelay and Tintvault against a real snmpd.
#include "ChildProcess.h"
#include "FileUrl.h"
#include "Precondition.h"
#include "ProfileListFile.h"
#include "PropertyListShape.h"
#include "RelayCall.h"
#include "SessionBus.h"
#include "SnmpAgent.h"
#include "TempRoot.h"
#include "TintPaths.h"
#include "VaultWalk.h"
#include "WQmacServiceXPC.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace
{

// Calls a handler and checks that it replied exactly once.
std::string Call(void (WQmacServiceXPC::*handler)(const std::string &, const tint::ReplyBlock &) const,
                 const std::string &request)
{
    WQmacServiceXPC service;
    int replies = 0;
    std::string reply;
    (service.*handler)(request, [&](const std::string &r) {
        ++replies;
        reply = r;
    });
    EXPECT_EQ(replies, 1) << request;
    return reply;
}

// Lists every file under a folder (relative names), links included.
std::vector<std::string> Tree(const std::string &folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec); it != fs::recursive_directory_iterator();
         it.increment(ec))
        names.push_back(fs::relative(it->path(), folder).string());
    std::sort(names.begin(), names.end());
    return names;
}

const std::vector<std::string> kPluginWalkArgs(const std::string &host = "127.0.0.1")
{
    return {"snmpwalk", "-Os", "-c", "wemblo", "-v", "1", host, kSnmpProfileEntryOid};
}

} // namespace

TEST(VaultNames, ProfileListNames)
{
    struct Row {
        const char *name;
        bool ok;
    } rows[] = {
        {"alice-QV-MR52-profile.plist", true},
        {"alice-QV-MR52-profile.prev.plist", true},
        {"alice-QV-MR52-profile.plist.dummy", true},
        {"a-b-profile.plist", true},
        {"alice-profile.plist", false},
        {"-QV-MR52-profile.plist", false},
        {"alice--profile.plist", false},
        {"alice-QV-MR52-profile.plist.bak", false},
        {"alice-QV-MR52-profile.prev.plist.dummy", false},
        {"..", false},
        {"", false},
    };
    for (const Row &row : rows)
        EXPECT_EQ(ProfileListFile::IsProfileListName(row.name), row.ok) << row.name;
}

TEST(VaultTransferCheck, WholePropertyListsOnly)
{
    const std::string head =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE plist PUBLIC \"-//Apple//DTD "
        "PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n";
    const std::string list =
        head + "<plist version=\"1.0\">\n<dict>\n\t<key>RGB</key>\n\t<dict>\n\t\t<key>iNum</key>"
               "<integer>-1</integer>\n\t\t<key>FileName</key><dict><key>FileName0000</key>"
               "<string>a &amp; \xc3\xa9</string></dict>\n\t</dict>\n\t<key>L</key><array>"
               "<true/><false/><real>1.5</real><data>AA==</data><date>2020-01-01T00:00:00Z</date>"
               "<string/></array>\n</dict>\n</plist>\n";
    EXPECT_TRUE(TintIsPropertyListText(list));
    // Every cut of the text (a lost last piece) is refused.
    for (std::size_t n = 0; n < list.size() - 1; ++n)
        EXPECT_FALSE(TintIsPropertyListText(list.substr(0, n))) << n;

    struct Row {
        std::string text;
        bool ok;
    } rows[] = {
        {"<plist><string>x</string></plist>", true},
        {"<plist><dict/></plist>", true},
        {"", false},
        {"<plist/>", false},
        {"<plist><dict/><dict/></plist>", false},                        // two values
        {list + list, false},                                            // a repeated transfer
        {"<dict/>", false},                                              // not a plist
        {"<plist><dict><key>a</key></dict></plist>", false},             // key without value
        {"<plist><dict><string>a</string></dict></plist>", false},       // value without key
        {"<plist><dict><key>a</key><key>b</key></dict></plist>", false}, // two keys
        {"<plist><array><key>a</key></array></plist>", false},           // key outside a dict
        {"<plist><dict>junk<key>a</key><true/></dict></plist>", false},  // text in a container
        {"<plist><string><b>x</b></string></plist>", false},             // element in a leaf
        {"<plist><dict><key>a</key><table/></dict></plist>", false},     // unknown element
        {"<plist><string>\xff</string></plist>", false},                 // not UTF-8
        {"<plist><string>a</string></plist><plist/>", false},
        {head.substr(0, 40) + list.substr(90), false}, // interleaved pieces
    };
    for (const Row &row : rows)
        EXPECT_EQ(TintIsPropertyListText(row.text), row.ok) << row.text;
}

TEST(VaultWalk, OnlyTheOptionsThePluginSendsAndTheirKin)
{
    struct Row {
        std::vector<std::string> args;
        bool ok;
    } rows[] = {
        {kPluginWalkArgs(), true},
        {{"snmpwalk", "-Os", "-cwemblo", "-v1", "-r", "0", "-t", "1", "-Cc", "h", "1.3"}, true},
        {{"snmpwalk", "-c", "-L", "host"}, true}, // "-L" is the community here
        {{}, true},
        {{"snmpwalk"}, true},
        {{"snmpwalk", "-Lf", "/tmp/x", "-c", "p", "h"}, false},
        {{"snmpwalk", "-c", "p", "h", "-L", "f", "/tmp/x"}, false},
        {{"snmpwalk", "-M", "/tmp", "h"}, false},
        {{"snmpwalk", "-m", "ALL", "h"}, false},
        {{"snmpwalk", "-D", "ALL", "h"}, false},
        {{"snmpwalk", "-d", "h"}, false},
        {{"snmpwalk", "--defaultPort=1", "h"}, false},
        {{"snmpwalk", "-I", "r", "h"}, false},
    };
    for (const Row &row : rows) {
        std::string joined;
        for (const std::string &a : row.args)
            joined += a + " ";
        EXPECT_EQ(VaultWalkOptionsAcceptable(row.args), row.ok) << joined;
    }
}

TEST(VaultHandlers, EveryHandlerRepliesOnceWhateverTheRequest)
{
    TempRoot root;
    ::umask(002);
    const std::string list = root.prefFile("alice-QV-MR52-profile.plist");
    const std::string url = TintFileUrlFromPath(list);
    const std::vector<std::string> requests = {
        "",
        list,
        url,
        url + ":AddURL:END<?xml version=\"1.0\"?><plist version=\"1.0\"><dict/></plist>",
        "2:ARG_iSwapType" + list + ":ARG_cFooCurrentStringNULL:ARG_cFooPrevString",
        "x:ARG_cFooPrevString",
        "QV-MR52:ModelName:END../x:USErName:END",
        std::string("a\0b", 3),
        "\xff\xfe",
    };
    for (const tint::ServiceHandler *h = tint::kServiceHandlers; h->name != nullptr; ++h) {
        for (const std::string &request : requests) {
            const std::string reply = Call(h->handler, request);
            EXPECT_FALSE(reply.empty()) << h->name;
        }
    }
}

TEST(VaultHandlers, WriteDictionaryReplacesTheWholeFile)
{
    TempRoot root;
    ::umask(002);
    const std::string list = root.prefFile("alice-QV-MR52-profile.plist");
    ASSERT_TRUE(WriteFile(list, std::string(5000, 'o')));
    EXPECT_TRUE(writeDictionaryToPlistFile_XPC(TintFileUrlFromPath(list), "short"));
    EXPECT_EQ(ReadFile(list), "short");
    EXPECT_FALSE(writeDictionaryToPlistFile_XPC(list, "no URL"));
    EXPECT_EQ(Call(&WQmacServiceXPC::writeDictionaryToPlistFile_XPC,
                   TintFileUrlFromPath(list) + ":AddURL:ENDa:AddURL:ENDb"),
              "TRUE");
    EXPECT_EQ(ReadFile(list), "a:AddURL:ENDb");
    // No leftover temporary files beside it.
    EXPECT_EQ(Tree(root.preferences()), std::vector<std::string>{"alice-QV-MR52-profile.plist"});
}

TEST(VaultHandlers, AFifoAtAListNameNeverHoldsAHandler)
{
    // Opening a FIFO for reading waits for a writer; no handler may wait.
    TempRoot root;
    ::umask(002);
    const std::string list = root.prefFile("alice-QV-MR52-profile.plist");
    const std::string prev = root.prefFile("alice-QV-MR52-profile.prev.plist");
    const std::string url = TintFileUrlFromPath(list);
    ASSERT_EQ(::mkfifo(list.c_str(), 0664), 0);
    ASSERT_EQ(::mkfifo((list + ".dummy").c_str(), 0664), 0);

    EXPECT_EQ(Call(&WQmacServiceXPC::wqPListExistProfile_XPC, list), "FALSE");
    EXPECT_EQ(Call(&WQmacServiceXPC::wqPListRemove_XPC, list), "FALSE");
    EXPECT_EQ(Call(&WQmacServiceXPC::wqPListSwapProfile_XPC,
                   "2:ARG_iSwapType" + list + ":ARG_cFooCurrentString" + prev + ":ARG_cFooPrevString"),
              "TRUE");
    EXPECT_EQ(Call(&WQmacServiceXPC::writeDataToPlistFile_XPC, url + ":AddURL:END<?xml"), "FALSE");
    EXPECT_EQ(Call(&WQmacServiceXPC::writeDataToPlistFileRename_XPC, url), "FALSE");
    EXPECT_TRUE(fs::is_fifo(list));
    EXPECT_TRUE(fs::is_fifo(list + ".dummy"));
    EXPECT_FALSE(FileExists(prev));
}

std::string SwapRequest(int type, const std::string &current, const std::string &previous)
{
    return std::to_string(type) + ":ARG_iSwapType" + current + ":ARG_cFooCurrentString" + previous +
           ":ARG_cFooPrevString";
}

TEST(VaultHandlers, TwoSpellingsOfOneListAreNeverSwappedWithEachOther)
{
    TempRoot root;
    ::umask(002);
    const std::string list = root.prefFile("alice-QV-MR52-profile.plist");
    const std::string folder = fs::path(root.preferences()).parent_path().filename();
    const std::string same = root.preferences() + "../" + folder + "/alice-QV-MR52-profile.plist";
    const std::string text = "<plist><string>alice</string></plist>";
    ASSERT_TRUE(WriteFile(list, text));
    for (int type : {2, 0}) {
        EXPECT_EQ(Call(&WQmacServiceXPC::wqPListSwapProfile_XPC, SwapRequest(type, list, same)), "FALSE");
        EXPECT_EQ(ReadFile(list), text) << type;
    }
}

TEST(VaultFullDisk, ABackupThatRunsOutOfSpaceThenARestoreLoseNoList)
{
    if (::getuid() != 0)
        TINT_SKIP_OUTSIDE_CI("needs root to mount a small tmpfs at the preferences folder");
    TempRoot root;
    const std::string folder = root.preferences();
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=512k,mode=0775") != 0)
        TINT_SKIP_OUTSIDE_CI(std::string("cannot mount a tmpfs: ") + std::strerror(errno));
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{folder};
    ::umask(002);
    const std::string list = root.prefFile("alice-QV-MR52-profile.plist");
    const std::string prev = root.prefFile("alice-QV-MR52-profile.prev.plist");
    std::string text = "<plist version=\"1.0\"><array>\n";
    for (int i = 0; text.size() < 200000; ++i)
        text += "<string>PRF" + std::to_string(i) + ".ICC</string>\n";
    text += "</array></plist>\n";
    ASSERT_TRUE(WriteFile(list, text));
    // Fill the disk, then free 64 KB: the copy starts and runs out part way.
    const std::string filler = folder + "filler";
    {
        std::FILE *f = std::fopen(filler.c_str(), "w");
        ASSERT_NE(f, nullptr);
        const std::string block(4096, 'f');
        while (std::fwrite(block.data(), 1, block.size(), f) == block.size() && std::fflush(f) == 0) {
        }
        std::fclose(f);
    }
    fs::resize_file(filler, fs::file_size(filler) - 64 * 1024);

    EXPECT_EQ(Call(&WQmacServiceXPC::wqPListSwapProfile_XPC, SwapRequest(2, list, prev)), "FALSE");
    EXPECT_FALSE(FileExists(prev));
    Call(&WQmacServiceXPC::wqPListSwapProfile_XPC, SwapRequest(0, list, prev));
    EXPECT_EQ(ReadFile(list), text);
    EXPECT_EQ(Tree(folder), (std::vector<std::string>{"alice-QV-MR52-profile.plist", "filler"}));
}

TEST(VaultHandlers, WalkRequestsRefusedWithoutAWalk)
{
    TempRoot root;
    const std::vector<std::string> requests = {
        "QV-MR52:ModelName:END../alice:USErName:ENDsnmpwalk:arg:",
        "..:ModelName:ENDalice:USErName:ENDsnmpwalk:arg:",
        "QV-MR52:ModelName:END" + std::string(240, 'u') + ":USErName:END",
        "QV-MR52:ModelName:ENDalice:USErName:ENDsnmpwalk:arg:-Lf:arg:" + root.path() + "/log:arg:h:arg:",
        "QV-MR52:ModelName:ENDalice:USErName:ENDsnmpwalk:arg:-M:arg:" + root.path() + ":arg:h:arg:",
        "QV-MR52alice:USErName:END",
    };
    for (const std::string &request : requests)
        EXPECT_EQ(Call(&WQmacServiceXPC::mibwalk_XPC, request), "iRet=-1") << request;
    std::string many = "QV-MR52:ModelName:ENDalice:USErName:END";
    for (int i = 0; i < 512; ++i)
        many += "a:arg:";
    EXPECT_EQ(Call(&WQmacServiceXPC::mibwalk_XPC, many), "iRet=-1");
    EXPECT_TRUE(Tree(root.preferences()).empty());
    EXPECT_FALSE(FileExists(root.path() + "/log"));
}

// The permission cases: CI runs as root, for whom every file is writable, so
// the bus, the service and the relay run as "nobody".
class VaultUnprivileged : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (::getuid() != 0)
            TINT_SKIP_OUTSIDE_CI("needs root to switch to an unprivileged user");
        root.openToAll();
        SessionBus::Options options;
        options.user = "nobody";
        options.group = "nogroup";
        bus = std::make_unique<SessionBus>(options);
        ASSERT_TRUE(bus->running());
    }

    std::string Relay(const std::vector<std::string> &args)
    {
        std::string command =
            "setpriv --reuid=nobody --regid=nogroup --clear-groups " + ShellQuote(TintRelayPath());
        for (const std::string &a : args)
            command += " " + ShellQuote(a);
        return RunCommand(command + " 2>&1");
    }

    TempRoot root;
    std::unique_ptr<SessionBus> bus;
};

TEST_F(VaultUnprivileged, ProbeExistRemoveFollowTheUsersRights)
{
    const std::string absent = root.prefFile("nobody-QV-MR52-profile.plist");
    const std::string readOnly = root.prefFile("root-QV-MR52-profile.plist");
    const std::string secret = root.prefFile("root-QV-MR52-profile.prev.plist");
    ASSERT_TRUE(WriteFile(readOnly, "ro"));
    ASSERT_TRUE(WriteFile(secret, "secret"));
    fs::permissions(readOnly, fs::perms(0644));
    fs::permissions(secret, fs::perms(0600));

    EXPECT_EQ(Relay({"wqPListIsAdminProfile_XPC", absent}), "wqPListIsAdminProfile_XPC=TRUE\n");
    EXPECT_FALSE(FileExists(absent));
    EXPECT_EQ(Relay({"wqPListIsAdminProfile_XPC", readOnly}), "wqPListIsAdminProfile_XPC=FALSE\n");
    EXPECT_EQ(ReadFile(readOnly), "ro");
    EXPECT_EQ(Relay({"wqPListExistProfile_XPC", readOnly}), "wqPListExistProfile_XPC=TRUE\n");
    EXPECT_EQ(Relay({"wqPListExistProfile_XPC", secret}), "wqPListExistProfile_XPC=FALSE\n");

    // A folder the user may not write: nothing can be created or removed.
    fs::permissions(root.preferences(), fs::perms(0755));
    EXPECT_EQ(Relay({"wqPListIsAdminProfile_XPC", absent}), "wqPListIsAdminProfile_XPC=FALSE\n");
    EXPECT_EQ(Relay({"wqPListRemove_XPC", readOnly}), "wqPListRemove_XPC=FALSE\n");
    EXPECT_EQ(Relay({"writeDataToPlistFile_XPC", TintFileUrlFromPath(absent), "<?xml"}),
              "writeDataToPlistFile_XPC=FALSE\n");
    EXPECT_FALSE(FileExists(absent));
    EXPECT_FALSE(FileExists(absent + ".dummy"));
    EXPECT_EQ(ReadFile(readOnly), "ro");
}

TEST(VaultWalkThroughRelay, WalkOfARealAgentWritesTheListAndLogs)
{
    TempRoot root;
    SnmpAgent::Options agentOptions;
    agentOptions.rows = MakeProfileRows(3);
    agentOptions.viewSubtree = kSnmpProfileEntryOid;
    SnmpAgent agent(agentOptions);
    ASSERT_TRUE(agent.running());
    SessionBus bus; // inherits SNMPCONFPATH: the walk finds the agent's port
    ASSERT_TRUE(bus.running());

    std::vector<std::string> args = {"mibwalk_XPC", "QV-MR52", "alice"};
    const auto walkArgs = kPluginWalkArgs();
    args.insert(args.end(), walkArgs.begin(), walkArgs.end());
    std::string command = ShellQuote(TintRelayPath());
    for (const std::string &a : args)
        command += " " + ShellQuote(a);
    int status = -1;
    EXPECT_EQ(RunCommand(command, &status), "mibwalk_XPC=iRet=0\n");
    EXPECT_EQ(status, 0);

    const std::string list = ReadFile(root.prefFile("alice-QV-MR52-profile.plist"));
    EXPECT_NE(list.find("PRF00001.ICC"), std::string::npos);
    EXPECT_NE(list.find("PRF00003.ICC"), std::string::npos);
    EXPECT_NE(bus.serviceLog().find("xpc - mibwalk_XPC - iRet=0"), std::string::npos) << bus.serviceLog();

    // The relay call of the plug-in reads the same result.
    int result = -5;
    ASSERT_TRUE(TintRelayCallWalk("QV-MR52", "alice", walkArgs, &result));
    EXPECT_EQ(result, 0);

    // No walk arguments: the walk is called with none and still names the
    // user's list.
    fs::remove(root.prefFile("bob-QV-MR52-profile.plist"));
    ASSERT_TRUE(TintRelayCallWalk("QV-MR52", "bob", {}, &result));
    EXPECT_TRUE(FileExists(root.prefFile("bob-QV-MR52-profile.plist")));
}

TEST(VaultWalkThroughRelay, ALinkAtTheListNameIsNeitherReadNorWrittenThrough)
{
    TempRoot root;
    SnmpAgent::Options agentOptions;
    agentOptions.rows = MakeProfileRows(2);
    agentOptions.viewSubtree = kSnmpProfileEntryOid;
    SnmpAgent agent(agentOptions);
    ASSERT_TRUE(agent.running());
    SessionBus bus;
    ASSERT_TRUE(bus.running());
    const std::string outside = root.path() + "/outside";
    fs::create_directories(outside);
    ASSERT_TRUE(WriteFile(outside + "/victim", "victim"));
    fs::create_symlink(outside + "/victim", root.prefFile("alice-QV-MR52-profile.plist"));
    fs::create_symlink(outside + "/missing", root.prefFile("bob-QV-MR52-profile.plist"));

    for (const char *user : {"alice", "bob"}) {
        int result = 0;
        EXPECT_TRUE(TintRelayCallWalk("QV-MR52", user, kPluginWalkArgs(), &result)) << user;
    }
    EXPECT_EQ(ReadFile(outside + "/victim"), "victim");
    EXPECT_EQ(Tree(outside), std::vector<std::string>{"victim"});
    EXPECT_TRUE(fs::is_symlink(root.prefFile("alice-QV-MR52-profile.plist")));
    EXPECT_TRUE(fs::is_symlink(root.prefFile("bob-QV-MR52-profile.plist")));
}

TEST(VaultWalkThroughRelay, WalksAtTheSameTimeEachWriteTheirOwnList)
{
    // Walks share process-wide paths in the service; two at once must still
    // each end in their own user's list.
    TempRoot root;
    SnmpAgent::Options agentOptions;
    agentOptions.rows = MakeProfileRows(4);
    agentOptions.viewSubtree = kSnmpProfileEntryOid;
    SnmpAgent agent(agentOptions);
    ASSERT_TRUE(agent.running());
    SessionBus bus;
    ASSERT_TRUE(bus.running());

    const std::vector<std::string> users = {"alice", "bob", "carol"};
    std::string command;
    for (const std::string &user : users) {
        command += ShellQuote(TintRelayPath()) + " mibwalk_XPC QV-MR52 " + user;
        for (const std::string &a : kPluginWalkArgs())
            command += " " + ShellQuote(a);
        command += " > " + ShellQuote(root.path() + "/" + user + ".out") + " & ";
    }
    RunCommand(command + "wait");
    for (const std::string &user : users) {
        EXPECT_EQ(ReadFile(root.path() + "/" + user + ".out"), "mibwalk_XPC=iRet=0\n") << user;
        const std::string list = ReadFile(root.prefFile(user + "-QV-MR52-profile.plist"));
        EXPECT_NE(list.find("PRF00004.ICC"), std::string::npos) << user;
    }
    EXPECT_FALSE(FileExists(root.prefFile("-QV-MR52-profile.plist")));
}

TEST(VaultWalkThroughRelay, AWalkWaitingForItsPrinterDoesNotHoldAnotherUsersWalk)
{
    TempRoot root;
    SnmpClientPort();
    // Alice's printer takes every request but answers only once the gate
    // exists; bob's answers at once. Alice's walk may wait 6 x 3 s.
    const std::string gate = root.path() + "/gate";
    ScriptedSnmpAgent slow("{\"answers\": [], \"gate\": \"" + gate + "\"}", true);
    ScriptedSnmpAgent quick("{\"answers\": [{\"vars\": [[\"" + std::string(kSnmpProfileEntryOid) +
                                ".1.1.1\", \"int\", 1]]}]}",
                            true);
    ASSERT_TRUE(slow.running());
    ASSERT_TRUE(quick.running());
    SessionBus bus;
    ASSERT_TRUE(bus.running());

    auto command = [&](const std::string &user, int port) {
        std::string c = ShellQuote(TintRelayPath()) + " mibwalk_XPC QV-MR52 " + user;
        std::vector<std::string> args = kPluginWalkArgs("127.0.0.1:" + std::to_string(port));
        args.insert(args.begin() + 1, {"-t", "3", "-r", "5"});
        for (const std::string &a : args)
            c += " " + ShellQuote(a);
        return c;
    };
    std::string alice = "not run";
    std::thread waiting([&] { alice = RunCommand(command("alice", slow.port())); });
    for (int i = 0; i < 1000 && slow.requests().empty(); ++i)
        ::usleep(10000);
    ASSERT_FALSE(slow.requests().empty()) << "alice's walk never reached her printer";

    EXPECT_EQ(RunCommand(command("bob", quick.port())), "mibwalk_XPC=iRet=0\n");
    WriteFile(gate, "");
    waiting.join();
    EXPECT_EQ(alice, "mibwalk_XPC=iRet=0\n"); // her printer answered before her walk gave up
    EXPECT_TRUE(FileExists(root.prefFile("alice-QV-MR52-profile.plist")));
}

TEST(VaultWalkThroughRelay, AServiceThatDiesDuringTheCallLeavesTheRelaySilent)
{
    // No agent answers on the walk's port, so the walk waits for its SNMP
    // timeouts while the service is killed under it.
    TempRoot root;
    SnmpClientPort();
    SessionBus bus;
    ASSERT_TRUE(bus.running());

    std::string command = ShellQuote(TintRelayPath()) + " mibwalk_XPC QV-MR52 alice";
    for (const std::string &a : kPluginWalkArgs())
        command += " " + ShellQuote(a);
    std::string output = "not run";
    int status = -1;
    std::thread relay([&] { output = RunCommand(command + " 2>&1", &status); });

    pid_t service = -1;
    const bool started = WaitUntil([&] { return (service = bus.servicePid()) > 0; });
    if (!started) {
        relay.join();
        FAIL() << "the walk request never started Tintvault";
    }
    const bool isService = ReadFile("/proc/" + std::to_string(service) + "/comm") == "Tintvault\n";
    if (isService)
        ::kill(service, SIGKILL);
    relay.join();
    ASSERT_TRUE(isService);
    EXPECT_EQ(output, "");
    EXPECT_EQ(status, 0);
}
