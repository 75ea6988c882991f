// tintdialog as the print dialog of a CUPS queue, against a private cupsd:
// queues, jobs with every option read back from the held job, a job
// followed to its end, the user's lpoptions defaults, the host's own page,
// and the bad input that must leave the server and the files alone.
#include "ChildProcess.h"
#include "CupsServer.h"
#include "TempRoot.h"

#include <cups/ppd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <thread>

namespace
{

const std::string kTintDialog = TINT_DIALOG;
const std::string kPlugin = TINT_PLUGIN_BUNDLE;
const std::string kSamplePPD = std::string(TINT_SOURCE_DIR) + "/Demo/QV-MR52.ppd";
const std::string kGenericPPD = std::string(TINT_TEST_DATA) + "/generic-laser.ppd";
const std::string kDocument = std::string(TINT_SOURCE_DIR) + "/Demo/sample.ps";

class TintDialogCups : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(cups.running()) << cups.log();
        ASSERT_TRUE(cups.addQueue("QV", "file:/dev/null", kSamplePPD, CupsServer::kHoldJobs));
    }

    // Runs tintdialog with the server of the fixture (inherited from this
    // process's environment) and this test's settings file.
    std::string run(const std::string &arguments, int *status)
    {
        return RunCommand(command(arguments) + " 2>'" + root.path() + "/stderr'", status);
    }
    std::string command(const std::string &arguments)
    {
        return "QT_QPA_PLATFORM=offscreen LC_ALL=C LANG=C LANGUAGE= DBUS_SESSION_BUS_ADDRESS=unix:path=" +
               root.path() + "/no-bus '" + kTintDialog + "' --plugin '" + kPlugin + "' --settings '" +
               settings + "' " + arguments;
    }
    std::string errors() { return ReadFile(root.path() + "/stderr"); }

    QJsonDocument json(const std::string &arguments)
    {
        int status = -1;
        std::string out = run(arguments, &status);
        EXPECT_EQ(0, status) << errors();
        return QJsonDocument::fromJson(QByteArray::fromStdString(out));
    }

    // The one job the server holds.
    std::map<std::string, std::string> onlyJob()
    {
        std::vector<int> ids = cups.jobIds();
        EXPECT_EQ(1u, ids.size());
        return ids.empty() ? std::map<std::string, std::string>{} : cups.jobAttributes(ids.back());
    }

    CupsServer cups;
    TempRoot root;
    std::string settings = root.path() + "/job-settings.plist";
};

TEST_F(TintDialogCups, QueuesListsEveryQueueAndWhichIsAQVMR52)
{
    ASSERT_TRUE(cups.addQueue("Generic", "file:/dev/null", kGenericPPD));
    ASSERT_TRUE(cups.addQueue("Driverless", "file:/dev/null", ""));
    ASSERT_TRUE(cups.lpadmin({"-d", "QV"}));
    QJsonArray queues = json("queues --json").array();
    ASSERT_EQ(3, queues.size());
    std::map<QString, QJsonObject> byName;
    for (const QJsonValue &q : queues)
        byName[q.toObject()["name"].toString()] = q.toObject();
    EXPECT_TRUE(byName["QV"]["isQVMR52"].toBool());
    EXPECT_TRUE(byName["QV"]["isDefault"].toBool());
    EXPECT_EQ("VARNO QV-MR52", byName["QV"]["makeAndModel"].toString());
    EXPECT_EQ("file:/dev/null", byName["QV"]["deviceURI"].toString());
    EXPECT_EQ("idle", byName["QV"]["state"].toString());
    EXPECT_FALSE(byName["Generic"]["isQVMR52"].toBool());
    EXPECT_TRUE(byName["Generic"]["hasPPD"].toBool());
    EXPECT_FALSE(byName["Driverless"]["hasPPD"].toBool());
    EXPECT_FALSE(byName["Driverless"]["isDefault"].toBool());

    // Without --queue the dialog opens the default queue: the panel walks
    // its device URI, and the printer ID is the queue's name.
    QJsonObject report = json("show --json").object();
    EXPECT_EQ("QV", report["queue"].toObject()["name"].toString());
    // The panel and the host page together show every option of the queue
    // (PageRegion follows PageSize).
    std::set<std::string> shown{"PageRegion"};
    for (const QJsonValue &key : report["supportedPPDOptionKeys"].toArray())
        shown.insert(key.toString().toStdString());
    QJsonObject page = report["hostPage"].toObject();
    EXPECT_EQ(1, page["copies"].toInt());
    for (const QJsonValue &control : page["controls"].toArray())
        EXPECT_TRUE(shown.insert(control.toObject()["ppdKey"].toString().toStdString()).second);
    std::unique_ptr<ppd_file_t, decltype(&ppdClose)> ppd(ppdOpenFile(kSamplePPD.c_str()), &ppdClose);
    std::set<std::string> options;
    for (ppd_option_t *option = ppdFirstOption(ppd.get()); option; option = ppdNextOption(ppd.get()))
        options.insert(option->keyword);
    EXPECT_EQ(options, shown);
    EXPECT_EQ("file:/dev/null", report["queue"].toObject()["deviceURI"].toString());
    EXPECT_TRUE(report["settings"].toObject()["QV-MR52"].toObject().contains("QV"));
}

// A tab and a line break in a queue's NickName, a tab in an option's title: the
// listing and the text report still have one line per queue and per option.
TEST_F(TintDialogCups, ControlCharactersCannotForgeQueuesOrOptions)
{
    std::string ppd = ReadFile(kSamplePPD);
    ppd.replace(ppd.find("*NickName: \"VARNO QV-MR52\""), 26,
                "*NickName: \"VARNO\tQV-MR52\nForged\tdefault\tidle\tQV-MR52\"");
    ppd.replace(ppd.find("PageSize/Media Size"), 19, "PageSize/Media\tSize");
    ASSERT_TRUE(WriteFile(root.path() + "/evil.ppd", ppd));
    ASSERT_TRUE(cups.addQueue("Evil", "file:/dev/null", root.path() + "/evil.ppd"));
    int status = -1;
    const std::string queues = run("queues", &status);
    EXPECT_EQ(std::string::npos, queues.find("\nForged")) << queues;
    EXPECT_NE(std::string::npos, queues.find("VARNO\\tQV-MR52\\nForged\\tdefault")) << queues;
    const std::string report = run("--queue Evil show", &status);
    EXPECT_NE(std::string::npos, report.find("\"Media\\tSize\"")) << report;
}

TEST_F(TintDialogCups, PrintSubmitsOneJobWithEveryOptionOfTheTicket)
{
    int status = -1;
    run("--queue QV set WQQuickColor=Custom WQSimSource=#2 WQEconoMode=True PageSize=Letter", &status);
    ASSERT_EQ(0, status) << errors();
    // Five pages, so that every page the ranges name is there.
    const std::string five = root.path() + "/five.ps";
    std::string pages;
    for (int i = 0; i < 5; ++i)
        pages += " '" + kDocument + "'";
    RunCommand("gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=ps2write -sOutputFile='" + five + "'" + pages,
               &status);
    ASSERT_EQ(0, status) << "ghostscript is needed to make the document";
    std::string out =
        run("-d QV print --copies 2 --pages 1-3,5 --title 'Quarterly report' '" + five + "'", &status);
    ASSERT_EQ(0, status) << errors();
    std::vector<int> ids = cups.jobIds();
    ASSERT_EQ(1u, ids.size());
    EXPECT_EQ("request id is QV-" + std::to_string(ids[0]) + " (1 file(s))\n", out);

    auto job = onlyJob();
    EXPECT_EQ("UserDefined", job["WQQuickColor"]);
    EXPECT_EQ("Euroscale", job["WQSimSource"]);
    EXPECT_EQ("true", job["WQEconoMode"]);
    EXPECT_EQ("Normal", job["WQBrightness"]);
    EXPECT_EQ("false", job["WQSimSourceCustom"]); // not a PPD option: a job attribute of its own
    EXPECT_EQ("Letter", job["PageSize"]);         // from the host's own page
    EXPECT_EQ("2", job["copies"]);
    EXPECT_EQ("1-3,5-5", job["page-ranges"]);
    EXPECT_EQ("Quarterly report", job["job-name"]);
    EXPECT_EQ(0u, job.count("QV-MR52"));
    // The job's choices are kept for the next time.
    EXPECT_TRUE(FileExists(settings));
}

// The standard job options: set takes them (two-sided as the PPD's Duplex),
// show reports them, the job carries them as job attributes, and Save as
// Default keeps them in lpoptions, where a later dialog finds them.
TEST_F(TintDialogCups, StandardJobOptionsReachTheJobAndTheUsersDefaults)
{
    const std::string ppd = root.path() + "/duplex.ppd";
    ASSERT_TRUE(WriteFile(ppd, ReadFile(kSamplePPD) + R"(
*OpenUI *Duplex/2-Sided Printing: PickOne
*DefaultDuplex: None
*Duplex None/Off: ""
*Duplex DuplexNoTumble/Long-Edge: ""
*Duplex DuplexTumble/Short-Edge: ""
*CloseUI: *Duplex
)"));
    ASSERT_TRUE(cups.addQueue("Two", "file:/dev/null", ppd, CupsServer::kHoldJobs));
    const std::map<std::string, std::string> chosen = {
        {"orientation-requested", "4"},
        {"number-up", "4"},
        {"number-up-layout", "tblr"},
        {"print-scaling", "fit"},
        {"sides", "two-sided-short-edge"},
        {"page-set", "odd"},
        {"outputorder", "reverse"},
        {"multiple-document-handling", "separate-documents-uncollated-copies"},
    };
    std::string pairs;
    for (const auto &[key, value] : chosen)
        pairs += " " + key + "=" + value;
    int status = -1;
    run("--queue Two set" + pairs, &status);
    ASSERT_EQ(0, status) << errors();
    std::map<std::string, std::string> shown;
    for (const QJsonValue &v :
         json("--queue Two show --json").object()["hostPage"].toObject()["standardOptions"].toArray())
        shown[v.toObject()["name"].toString().toStdString()] =
            v.toObject()["choice"].toString().toStdString();
    EXPECT_EQ(chosen, shown);

    run("--queue Two print '" + kDocument + "'", &status);
    ASSERT_EQ(0, status) << errors();
    auto job = onlyJob();
    for (const auto &[key, value] : chosen) // the orientation travels as an IPP enum
        EXPECT_EQ(key == "orientation-requested" ? "landscape" : value, job[key]) << key;
    EXPECT_EQ("true", job["fit-to-page"]);
    EXPECT_EQ("DuplexTumble", job["Duplex"]);

    run("--queue Two defaults save", &status);
    ASSERT_EQ(0, status) << errors();
    const std::string saved = RunCommand("lpoptions -p Two");
    EXPECT_NE(std::string::npos, saved.find("number-up=4")) << saved;
    EXPECT_NE(std::string::npos, saved.find("outputorder=reverse")) << saved;
    std::remove(settings.c_str());
    for (const QJsonValue &v :
         json("--queue Two show --json").object()["hostPage"].toObject()["standardOptions"].toArray()) {
        const std::string name = v.toObject()["name"].toString().toStdString();
        EXPECT_EQ(chosen.at(name), v.toObject()["choice"].toString().toStdString()) << name;
    }
    // A value the option does not have is refused with its choices.
    run("--queue Two set number-up=3", &status);
    EXPECT_EQ(2, status);
    EXPECT_NE(std::string::npos, errors().find("16 (16)")) << errors();
}

// A queue without a PPD offers what it says it supports (never the sample
// printer's options): its paper with the queue's default, chosen with set,
// sent as a job attribute, and dropped from the user's defaults by clear.
TEST_F(TintDialogCups, AQueueWithoutAPPDOffersItsOwnOptions)
{
    ASSERT_TRUE(
        cups.addQueue("Driverless", "file:/dev/null", "",
                      {"-o", "job-hold-until-default=indefinite", "-o", "media-default=na_legal_8.5x14in"}));
    const QJsonObject report = json("--queue Driverless show --json").object();
    EXPECT_EQ("", report["panelName"].toString());
    EXPECT_TRUE(report["hostPage"].toObject()["controls"].toArray().isEmpty());
    QJsonObject media;
    for (const QJsonValue &v : report["hostPage"].toObject()["standardOptions"].toArray()) {
        if (v.toObject()["name"] == "media")
            media = v.toObject();
    }
    EXPECT_EQ("na_legal_8.5x14in", media["choice"].toString())
        << QJsonDocument(report).toJson().toStdString();
    int status = -1;
    EXPECT_NE(std::string::npos, run("--queue Driverless show", &status).find("media = na_legal_8.5x14in"));
    const std::string other = "iso_a5_148x210mm";
    EXPECT_TRUE(media["choices"].toArray().contains(QString::fromStdString(other)));
    run("--queue Driverless set media=" + other, &status);
    ASSERT_EQ(0, status) << errors();
    run("--queue Driverless print '" + kDocument + "'", &status);
    ASSERT_EQ(0, status) << errors();
    auto job = onlyJob();
    EXPECT_EQ(other, job["media"]);
    EXPECT_EQ(0u, job.count("PageSize"));
    // The window opens for it with the dialog's own pages.
    run("--queue Driverless gui --screenshot '" + root.path() + "/driverless.png'", &status);
    EXPECT_EQ(0, status) << errors();
    run("--queue Driverless defaults save", &status);
    ASSERT_EQ(0, status) << errors();
    EXPECT_NE(std::string::npos, RunCommand("lpoptions -p Driverless").find("media=" + other));
    run("--queue Driverless defaults clear", &status);
    EXPECT_EQ(std::string::npos, RunCommand("lpoptions -p Driverless").find("media=" + other));
}

// Page ranges beyond a document's pages are refused before anything is
// sent, with the page count, for PostScript and PDF alike.
TEST_F(TintDialogCups, PageRangesBeyondThePageCountAreRefused)
{
    const std::string pdf = root.path() + "/two-pages.pdf";
    int status = -1;
    RunCommand("gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=pdfwrite -sOutputFile='" + pdf + "' '" + kDocument +
                   "' '" + kDocument + "'",
               &status);
    ASSERT_EQ(0, status) << "ghostscript is needed to make the PDF";
    struct Case {
        std::string document, pages;
        const char *refusal; // nullptr: printed
    } const cases[] = {
        {kDocument, "2", "page range 2 goes beyond the 1 page(s) of sample.ps"},
        {kDocument, "1-", nullptr},
        {pdf, "2-5", "page range 2-5 goes beyond the 2 page(s) of two-pages.pdf"},
        {pdf, "3-", "page range 3- goes beyond the 2 page(s) of two-pages.pdf"},
        {pdf, "1,2", nullptr},
    };
    size_t jobs = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.document + " " + c.pages);
        run("--queue QV print --pages " + c.pages + " '" + c.document + "'", &status);
        EXPECT_EQ(c.refusal ? 2 : 0, status) << errors();
        if (c.refusal)
            EXPECT_EQ(std::string("tintdialog: print: ") + c.refusal + "\n", errors());
        else
            ++jobs;
        EXPECT_EQ(jobs, cups.jobIds().size());
    }
}

TEST_F(TintDialogCups, WaitFollowsTheJobUntilItCompletes)
{
    ASSERT_TRUE(cups.addQueue("Now", "file:/dev/null", kSamplePPD));
    int status = -1;
    std::string out = run("--queue Now print --wait < '" + kDocument + "'", &status);
    EXPECT_EQ(0, status) << out << errors();
    EXPECT_EQ(0u, out.find("request id is Now-")) << out;
    EXPECT_NE(std::string::npos, out.find(" (0 file(s))\nNow-")) << out;
    EXPECT_NE(std::string::npos, out.rfind(": completed")) << out;
}

// print --wait ends where the job no longer moves by itself: a job stopped
// on an error (its device cannot be written) ends it at once; a queue
// an administrator paused keeps it going, said once, until the job is
// cancelled.
TEST_F(TintDialogCups, WaitEndsWhereTheJobNoLongerMoves)
{
    ASSERT_TRUE(cups.addQueue("Failing", "file:/no/such/folder/out.ps", kSamplePPD));
    ASSERT_TRUE(cups.addQueue("Paused", "file:/dev/null", kSamplePPD));
    int status = -1;
    RunCommand("cupsdisable -r 'Out for lunch' Paused", &status);
    ASSERT_EQ(0, status);
    std::string out = run("--queue Failing print --wait '" + kDocument + "'", &status);
    EXPECT_EQ(1, status) << out << errors();
    EXPECT_NE(std::string::npos, out.find(": stopped")) << out;
    EXPECT_NE(std::string::npos, out.find("; printer Failing ")) << out;

    // Once the wait has said that the queue is paused, the job goes.
    std::thread canceller([&] {
        WaitUntil([&] { return ReadFile(root.path() + "/out").find("was paused") != std::string::npos; });
        RunCommand("cancel -a Paused");
    });
    RunCommand(command("--queue Paused print --wait '" + kDocument + "' >'" + root.path() + "/out'"),
               &status);
    canceller.join();
    out = ReadFile(root.path() + "/out");
    EXPECT_EQ(1, status) << out;
    EXPECT_NE(std::string::npos, out.find("Out for lunch")) << out;
    EXPECT_NE(std::string::npos, out.find(": canceled")) << out;
}

TEST_F(TintDialogCups, LpoptionsAreTheDefaultsAndDefaultsSaveWritesThemForLp)
{
    int status = -1;
    RunCommand("lpoptions -p QV -o WQQuickColor=Vivid -o PageSize=Letter", &status);
    ASSERT_EQ(0, status);
    QJsonObject report = json("--queue QV show --json").object();
    for (const QJsonValue &c : report["controls"].toArray()) {
        if (c.toObject()["ppdKey"] == "WQQuickColor") {
            EXPECT_EQ(1, c.toObject()["value"].toInt()); // Vivid
        }
    }
    for (const QJsonValue &c : report["hostPage"].toObject()["controls"].toArray()) {
        if (c.toObject()["ppdKey"] == "PageSize") {
            EXPECT_EQ("Letter", c.toObject()["choice"].toString());
        }
    }
    // A ticket still overrides them.
    run("--queue QV set WQQuickColor=Document", &status);
    ASSERT_EQ(0, status) << errors();
    EXPECT_EQ("Document",
              json("--queue QV show --json").object()["settings"].toObject()["WQQuickColor"].toString());

    run("--queue QV defaults clear", &status);
    ASSERT_EQ(0, status) << errors();
    EXPECT_EQ(std::string::npos, RunCommand("lpoptions -p QV").find("WQQuickColor"));

    run("--queue QV set WQBrightness=Plus1 PageSize=Letter", &status);
    ASSERT_EQ(0, status) << errors();
    run("--queue QV defaults save", &status);
    ASSERT_EQ(0, status) << errors();
    const std::string saved = RunCommand("lpoptions -p QV");
    EXPECT_NE(std::string::npos, saved.find("WQBrightness=Plus1")) << saved;
    EXPECT_NE(std::string::npos, saved.find("WQQuickColor=Document")) << saved;
    EXPECT_EQ(std::string::npos, saved.find("WQEdgeType")) << saved; // the PPD's default stays unwritten
    RunCommand("lp -d QV '" + kDocument + "' >/dev/null", &status);
    ASSERT_EQ(0, status);
    auto job = onlyJob();
    EXPECT_EQ("Plus1", job["WQBrightness"]);
    EXPECT_EQ("Letter", job["PageSize"]);

    // An lpoptions file that cannot be written: refused, nothing changed.
    const std::string lpoptions = cups.home() + "/.cups/lpoptions";
    ASSERT_EQ(0, std::rename(lpoptions.c_str(), (lpoptions + ".kept").c_str()));
    ASSERT_EQ(0, mkdir(lpoptions.c_str(), 0755));
    run("--queue QV defaults clear", &status);
    EXPECT_EQ(2, status);
    const std::string message = errors();
    EXPECT_NE(std::string::npos, message.find("cannot write the user's lpoptions")) << message;
    EXPECT_EQ(1, std::count(message.begin(), message.end(), '\n')) << message;
}

// defaults save and clear change the queue's own lines only (the file is
// written as the settings file is: whole or not at all).
TEST_F(TintDialogCups, DefaultsKeepEveryOtherLine)
{
    const std::string folder = cups.home() + "/.cups";
    const std::string lpoptions = folder + "/lpoptions";
    ASSERT_EQ(0, mkdir(folder.c_str(), 0700));
    const std::string others = "Dest Remote@print.example.com WQBrightness=Plus2\n"
                               "Default Zeta sides=two-sided-long-edge\n";
    ASSERT_TRUE(WriteFile(lpoptions, others + "Dest QV/proof WQBrightness=Minus1 media=A4 page-set=odd\n"
                                              "Dest QV media=A4 outputorder=reverse WQQuickColor=Vivid\n"));
    int status = -1;
    run("--queue QV set WQBrightness=Plus1 number-up=2", &status);
    ASSERT_EQ(0, status) << errors();
    run("--queue QV defaults save", &status);
    EXPECT_EQ(others +
                  "Dest QV/proof WQBrightness=Minus1 media=A4 page-set=odd\nDest QV media=A4 number-up=2 "
                  "outputorder=reverse WQBrightness=Plus1 WQQuickColor=Vivid\n",
              ReadFile(lpoptions));
    run("--queue QV defaults clear", &status);
    EXPECT_EQ(others + "Dest QV/proof media=A4\nDest QV media=A4\n", ReadFile(lpoptions));
}

TEST_F(TintDialogCups, WindowPrintSubmitsTheDocumentsAndShowsTheJob)
{
    int status = -1;
    const std::string png = root.path() + "/printing.png";
    std::string out = run(
        "--queue QV gui --screenshot '" + png + "' --print '" + kDocument + "' '" + kDocument + "'", &status);
    ASSERT_EQ(0, status) << errors();
    EXPECT_EQ(0u, out.find("request id is QV-")) << out;
    EXPECT_NE(std::string::npos, out.find("(2 file(s))")) << out;
    auto job = onlyJob();
    EXPECT_EQ("2", job["number-of-documents"]);
    EXPECT_EQ("Auto", job["WQQuickColor"]);
    EXPECT_TRUE(FileExists(png));
}

// A file whose name is not UTF-8 prints as lp prints it; standard input is
// streamed, so a document larger than the address space the dialog may
// use still prints.
TEST_F(TintDialogCups, DocumentsAsTheSystemNamesThemAndStreamsOfAnySize)
{
    const std::string latin1 = root.path() + "/Bericht-\xe4.ps";
    ASSERT_TRUE(WriteFile(latin1, ReadFile(kDocument)));
    const std::string stream =
        "(printf '%%!PS\\n'; yes '% a comment line that fills the stream' 2>/dev/null | "
        "head -c 400000000; printf 'showpage\\n') | ";
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer reserves terabytes of address space: no limit there.
    const std::string limit = "";
#else
    const std::string limit = "ulimit -v 307200; ";
#endif
    for (const std::string &line : {command("--queue QV print '" + latin1 + "'"),
                                    stream + "(" + limit + command("--queue QV print") + ")"}) {
        int status = -1;
        EXPECT_EQ(0u,
                  RunCommand(line + " 2>'" + root.path() + "/stderr'", &status).find("request id is QV-"));
        EXPECT_EQ(0, status) << line << errors();
    }
    for (int id : {1, 2})
        EXPECT_EQ("1", cups.jobAttributes(id)["number-of-documents"]) << id;
}

// tests/support/ipp_fault_server.py with its arguments, stopped with the
// object; port() is 0 when it did not start.
class FaultServer
{
  public:
    FaultServer(const std::vector<std::string> &args, const std::string &dir)
    {
        const std::string log = dir + "/fault-server-" + args[0] + ".log";
        std::vector<std::string> command = {"python3", TINT_SOURCE_DIR "/tests/support/ipp_fault_server.py"};
        command.insert(command.end(), args.begin(), args.end());
        pid_ = SpawnLogged(command, log, {});
        WaitUntil([&] { return pid_ > 0 && std::sscanf(ReadFile(log).c_str(), "ready %d", &port_) == 1; }, 5);
    }
    ~FaultServer() { StopChild(pid_); }
    std::string server() const { return "127.0.0.1:" + std::to_string(port_); }
    int port() const { return port_; }

  private:
    pid_t pid_ = -1;
    int port_ = 0;
};

// A TCP listener on 127.0.0.1 that closes every connection at once: a
// server that turns the dialog away.
class RefusingServer
{
  public:
    RefusingServer()
    {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof addr;
        if (bind(fd_, reinterpret_cast<sockaddr *>(&addr), size) != 0 || listen(fd_, 8) != 0 ||
            getsockname(fd_, reinterpret_cast<sockaddr *>(&addr), &size) != 0)
            return;
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] {
            for (;;) {
                int client = accept(fd_, nullptr, nullptr);
                if (client < 0)
                    return;
                close(client);
            }
        });
    }
    ~RefusingServer()
    {
        shutdown(fd_, SHUT_RDWR);
        close(fd_);
        if (thread_.joinable())
            thread_.join();
    }
    int port() const { return port_; }

  private:
    int fd_ = -1;
    int port_ = 0;
    std::thread thread_;
};

TEST_F(TintDialogCups, BadInputIsRefusedWithOneLineAndNothingSubmittedOrWritten)
{
    ASSERT_TRUE(cups.addQueue("Generic", "file:/dev/null", kGenericPPD));
    // A PPD that libcups cannot read (its first option keyword holds a
    // control character), put in place behind lpadmin's back.
    ASSERT_TRUE(cups.addQueue("Broken", "file:/dev/null", kSamplePPD));
    std::string broken = ReadFile(kSamplePPD);
    broken.replace(broken.find("*OpenUI *PageSize"), 17, "*OpenUI *Page\x01Size");
    ASSERT_TRUE(WriteFile(cups.dir() + "/ppd/Broken.ppd", broken));
    RefusingServer refusing;
    ASSERT_GT(refusing.port(), 0);
    const std::string folder = root.path() + "/a-folder";
    ASSERT_EQ(0, mkdir(folder.c_str(), 0755));
    const std::string doc = " '" + kDocument + "'";
    struct Case {
        std::string arguments;
        std::string mentions;
    } cases[] = {
        {"--server 127.0.0.1:1 --queue QV print" + doc, "cannot reach the CUPS server 127.0.0.1:1"},
        {"--server 127.0.0.1:" + std::to_string(refusing.port()) + " queues", "does not answer"},
        {"--queue Missing print" + doc, "has no queue Missing"},
        {"--queue Generic print" + doc, "Generic is not a QV-MR52"},
        {"--queue Broken print" + doc, "Illegal option keyword string on line 31"},
        {"--queue QV print '" + root.path() + "/no-such.ps'", "no-such.ps: No such file"},
        {"--queue QV print '" + folder + "'", "a-folder: Is a directory"},
        {"--queue 'Two words' print" + doc, "\"Two words\" is not a queue name"},
        {"--queue 'Drucker-Büro' print" + doc, "is not a queue name"},
        {"--queue QV print --copies 0" + doc, "--copies takes a number from 1"},
        {"--queue QV print --pages 5-2" + doc, "not 5-2"},
        {"--queue QV gui --screenshot '" + root.path() + "/x.png' --print '" + folder + "'",
         "Is a directory"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments);
        int status = -1;
        std::string out = run(c.arguments, &status);
        EXPECT_EQ(2, status);
        EXPECT_EQ("", out);
        const std::string message = errors();
        EXPECT_NE(std::string::npos, message.find(c.mentions)) << message;
        EXPECT_EQ(1, std::count(message.begin(), message.end(), '\n')) << message;
        EXPECT_EQ(std::string::npos, message.find("Success")) << message;
        EXPECT_TRUE(cups.jobIds().empty());
        EXPECT_FALSE(FileExists(settings));
    }
}

// A server that never answers, one that answers a byte every half second
// (every request, or a PPD), a connection dropped while a document is on its way: each command ends
// (at its deadline) with one line naming the server or the job, and a job
// whose document did not arrive is cancelled.
TEST_F(TintDialogCups, AServerThatFailsEndsTheCommandInTime)
{
    FaultServer silent({"silent"}, root.path()), trickle({"trickle"}, root.path()),
        drop({"drop", cups.server(), "DROP-THE-CONNECTION"}, root.path()),
        slowPPD({"trickle-ppd", cups.server()}, root.path());
    ASSERT_TRUE(silent.port() > 0 && trickle.port() > 0 && drop.port() > 0 && slowPPD.port() > 0);
    const std::string dropped = root.path() + "/dropped.ps";
    ASSERT_TRUE(WriteFile(dropped, "%!PS\n% DROP-THE-CONNECTION\nshowpage\n"));
    const std::string late = " did not answer a request within 2 s";
    struct Case {
        std::string arguments;
        std::string mentions;
    } cases[] = {
        {"--server " + silent.server() + " queues", silent.server() + late},
        {"--server " + trickle.server() + " queues", trickle.server() + late},
        {"--server " + trickle.server() + " --queue QV show", trickle.server() + late},
        {"--server " + silent.server() + " --queue QV print '" + kDocument + "'", silent.server() + late},
        {"--server " + slowPPD.server() + " --queue QV show", " did not send the PPD of QV within 4 s"},
        {"--server " + slowPPD.server() + " queues", " did not send the PPD of QV within 4 s"},
        {"--server " + drop.server() + " --queue QV print '" + dropped + "'", "job QV-1: document 1 ("},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments);
        int status = -1;
        EXPECT_EQ("", run("--timeout 2 " + c.arguments, &status));
        EXPECT_EQ(2, status);
        const std::string message = errors();
        EXPECT_NE(std::string::npos, message.find(c.mentions)) << message;
        EXPECT_EQ(1, std::count(message.begin(), message.end(), '\n')) << message;
    }
    EXPECT_EQ(std::vector<int>{1}, cups.jobIds());
    EXPECT_EQ(CupsServer::kJobCanceled, cups.jobState(1));
}

// The server stops after the dialog has opened the queue and before the
// document is complete: the document is a FIFO that the dialog opens only
// after opening the queue, and the server is stopped before it ends.
TEST_F(TintDialogCups, ServerGoneBeforePrintingIsRefused)
{
    const std::string fifo = root.path() + "/document";
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    int status = -1;
    std::atomic<bool> ended{false};
    std::thread dialog([&] {
        run("--queue QV print '" + fifo + "'", &status);
        ended = true;
    });
    // Opens once the dialog reads the FIFO (or gives up if it ended first).
    int writer = -1;
    while (writer < 0 && !ended) {
        writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer < 0)
            usleep(10000);
    }
    ASSERT_GE(writer, 0) << errors();
    fcntl(writer, F_SETFL, 0);
    // The document is written while the dialog still holds the FIFO open (it
    // lets go once the server is found gone); it ends only after the server
    // has gone, so the dialog cannot finish the job first.
    const char ps[] = "%!PS\nshowpage\n";
    EXPECT_EQ(static_cast<ssize_t>(sizeof ps - 1), write(writer, ps, sizeof ps - 1));
    cups.stop();
    close(writer);
    dialog.join();
    EXPECT_EQ(2, status);
    // The document is streamed: the job may have been created before the
    // server went, and is then named with the document that did not arrive.
    EXPECT_TRUE(errors().find("cannot submit the job to QV") != std::string::npos ||
                errors().find("did not reach the server") != std::string::npos)
        << errors();
    EXPECT_EQ(std::string::npos, errors().find("Success")) << errors();
    EXPECT_FALSE(FileExists(settings));
}

} // namespace
