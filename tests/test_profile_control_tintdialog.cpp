// Profile management end to end: tintdialog on a private session bus (the
// relay starts Tintvault on demand) against a real snmpd serving the
// printer's profile table, in a temporary root.
#include "Precondition.h"
#include "SessionBus.h"
#include "SnmpAgent.h"
#include "TempRoot.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cups/ppd.h>

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace
{

const std::string kTintDialog = TINT_DIALOG;
const char *const kDestinationPopups[] = {"menu_iDestinationProfile", "menu_tDestinationProfile",
                                          "menu_gDestinationProfile"};

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::map<std::string, std::string> Options(const std::string &text)
{
    std::map<std::string, std::string> options;
    for (const std::string &line : Lines(text)) {
        size_t eq = line.find('=');
        if (eq != std::string::npos)
            options[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return options;
}

std::string NibbleDecode(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i + 1 < text.size(); i += 2)
        out += static_cast<char>(((text[i] * 16) + text[i + 1] - 48) % 256);
    return out;
}

QJsonObject Control(const QJsonObject &report, const char *outlet)
{
    for (const QJsonValue &value : report["controls"].toArray()) {
        if (value.toObject()["outlet"].toString() == outlet)
            return value.toObject();
    }
    return {};
}

class ProfilesTintDialog : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        SnmpAgent::Options options;
        SnmpProfileRow proof;
        proof.row = 1;
        proof.indexOnDevice = 1;
        proof.fileName = "PROOF.ICC";
        proof.profileName = "Press Proof";
        proof.profileClass = 3; // simulation and destination
        SnmpProfileRow news = proof;
        news.row = 2;
        news.indexOnDevice = 2;
        news.fileName = "NEWS.ICC";
        news.profileName = "Newsprint";
        options.rows = {proof, news};
        options.viewSubtree = kSnmpProfileEntryOid;
        agent = std::make_unique<SnmpAgent>(options);
        bus = std::make_unique<SessionBus>(); // inherits TINT_ROOT and SNMPCONFPATH
    }

    std::string run(const std::string &uri, const std::string &arguments, int *status,
                    const std::string &environment = "")
    {
        const std::string command =
            environment + " QT_QPA_PLATFORM=offscreen LC_ALL=C LANG=C LANGUAGE= '" + kTintDialog +
            "' --ppd '" TINT_SOURCE_DIR "/Demo/QV-MR52.ppd' --device-uri '" + uri + "' --settings '" +
            settings + "' " + arguments + " 2>'" + root.path() + "/stderr'";
        return RunCommand(command, status);
    }
    std::string errors() { return ReadFile(root.path() + "/stderr"); }
    QJsonObject show(const std::string &uri)
    {
        int status = -1;
        std::string text = run(uri, "show --json", &status);
        EXPECT_EQ(status, 0) << errors();
        return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
    }

    TempRoot root;
    std::unique_ptr<SnmpAgent> agent;
    std::unique_ptr<SessionBus> bus;
    std::string settings = root.path() + "/job-settings.plist";
};

const std::string kLpd = "lpd://127.0.0.1/queue";

} // namespace

TEST_F(ProfilesTintDialog, PrinterProfileTickedChosenPrintedAndRestored)
{
    ASSERT_TRUE(agent->running());
    ASSERT_TRUE(bus->running());
    int status = -1;

    // Showing the panel walks the agent; its profiles arrive hidden.
    show(kLpd);
    ASSERT_NE(ReadFile(root.currentList()).find("PROOF.ICC"), std::string::npos) << bus->serviceLog();
    std::vector<std::string> rows = Lines(run(kLpd, "profiles list DST", &status));
    ASSERT_EQ(status, 0) << errors();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], "0\t0\t2\tPROOF.ICC\tPress Proof\tDisk");
    EXPECT_EQ(rows[1], "1\t0\t2\tNEWS.ICC\tNewsprint\tDisk");
    for (const char *popup : kDestinationPopups) {
        for (const QJsonValue &item : Control(show(kLpd), popup)["items"].toArray())
            EXPECT_EQ(item.toString().indexOf("PROOF"), -1) << popup;
    }

    // Listing ends with Cancel: the file stays as it was.
    const std::string before = ReadFile(root.currentList());
    run(kLpd, "profiles list", &status);
    EXPECT_EQ(status, 0) << errors();
    EXPECT_EQ(ReadFile(root.currentList()), before);

    run(kLpd, "profiles tick DST 0", &status);
    ASSERT_EQ(status, 0) << errors();
    rows = Lines(run(kLpd, "profiles list DST", &status));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], "0\t1\t4\tPROOF.ICC\tPress Proof\tDisk");

    QJsonObject report = show(kLpd);
    int position = -1;
    for (const char *popup : kDestinationPopups) {
        QJsonArray items = Control(report, popup)["items"].toArray();
        ASSERT_FALSE(items.isEmpty()) << popup;
        EXPECT_EQ(items.last().toString(), "PROOF.ICC(Press Proof)Disk") << popup;
        position = items.size() - 1;
    }

    // Under "Custom" the chosen profile reaches the job.
    run(kLpd, "set WQQuickColor=UserDefined WQImageDestinationProfile=#" + std::to_string(position), &status);
    ASSERT_EQ(status, 0) << errors();
    std::map<std::string, std::string> job = Options(run(kLpd, "print", &status));
    ASSERT_EQ(status, 0) << errors();
    // The option itself carries its first choice; the profile rides beside it.
    std::unique_ptr<ppd_file_t, decltype(&ppdClose)> ppd(ppdOpenFile(TINT_SOURCE_DIR "/Demo/QV-MR52.ppd"),
                                                         &ppdClose);
    ppd_option_t *option = ppd ? ppdFindOption(ppd.get(), "WQImageDestinationProfile") : nullptr;
    ASSERT_TRUE(option && option->num_choices > 0);
    EXPECT_EQ(job["WQImageDestinationProfile"], option->choices[0].choice);
    EXPECT_EQ(job["WQImageDestinationProfileCustom"], "True");
    const std::string path = NibbleDecode(job["WQImageDestinationProfileCustomFilename"]);
    EXPECT_EQ(path.substr(path.size() - std::string("PROOF.ICC").size()), "PROOF.ICC") << path;
    EXPECT_EQ(Control(show(kLpd), "menu_iDestinationProfile")["value"].toInt(), position);
}

TEST_F(ProfilesTintDialog, RefusalsAreReportedAndWriteNothing)
{
    int status = -1;
    show(kLpd);
    const std::string before = ReadFile(root.currentList());
    ASSERT_FALSE(before.empty());
    struct Case {
        std::string arguments;
        std::string reason;
    } const cases[] = {
        {"profiles delete DST 0", "cannot be deleted"},
        {"profiles add DST PROOF.ICC Again", "refused"},
        {"profiles add DST 'my file.icc' Mine", "does not take"},
        // Characters no keyboard key gives are typed as an input method
        // commits them; the filters then delete them.
        {"profiles add DST MINE.ICC 'Caf\u00e9'", "does not take"},
        {"profiles add DST 'P\U0001F600.ICC' Mine", "does not take"},
        {"profiles add DST MINE.ICC \"$(printf 'two\\nlines')\"", "does not take"},
        {"profiles edit DST 1 --file OTHER.ICC --name X", "cannot be changed"},
        {"profiles tick DST 7", "not in DST"},
        {"profiles tick XYZ 0", "unknown group"},
    };
    for (const Case &c : cases) {
        std::string out = run(kLpd, c.arguments, &status);
        EXPECT_EQ(status, 2) << c.arguments;
        EXPECT_NE(errors().find(c.reason), std::string::npos) << c.arguments << ": " << errors();
        EXPECT_EQ(Lines(errors()).size(), 1u) << errors();
        EXPECT_EQ(ReadFile(root.currentList()), before) << c.arguments;
    }

    // Without the service the list cannot be written: the window's button is
    // greyed, and the command says so.
    run(kLpd, "profiles add DST MINE.ICC Mine", &status, "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent");
    EXPECT_EQ(status, 2);
    EXPECT_NE(errors().find("\"Management Profile\" is disabled"), std::string::npos) << errors();
    EXPECT_EQ(ReadFile(root.currentList()), before);

    run(kLpd, "profiles add DST MINE.ICC 'My Own'", &status);
    ASSERT_EQ(status, 0) << errors();
    run(kLpd, "profiles edit DST 2 --file MINE2.ICM --name Renamed", &status);
    ASSERT_EQ(status, 0) << errors();
    run(kLpd, "profiles edit DST 0 --name 'Proof Renamed'", &status);
    ASSERT_EQ(status, 0) << errors();
    std::vector<std::string> rows = Lines(run(kLpd, "profiles list DST", &status));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], "0\t0\t2\tPROOF.ICC\tProof Renamed\tDisk");
    EXPECT_EQ(rows[2], "2\t1\t6\tMINE2.ICM\tRenamed\tDisk");
    run(kLpd, "profiles delete DST 2", &status);
    ASSERT_EQ(status, 0) << errors();
    EXPECT_EQ(Lines(run(kLpd, "profiles list DST", &status)).size(), 2u);
}

TEST_F(ProfilesTintDialog, UsbQueueReadsAndWritesThroughTheDirectConnectionForms)
{
    int status = -1;
    show(kLpd); // the walk fills the list: PROOF and NEWS hidden in SIM and DST
    run(kLpd, "profiles tick DST 0", &status);
    ASSERT_EQ(status, 0) << errors();

    const std::string usb = "usb://VARNO/QV-MR52?serial=42";
    // The direct-connection read drops hidden printer entries and lists shown
    // ones as the user's own.
    std::vector<std::string> rows = Lines(run(usb, "profiles list DST", &status));
    ASSERT_EQ(status, 0) << errors();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], "0\t1\t6\tPROOF.ICC\tPress Proof\tDisk");

    run(usb, "profiles add DST MINE.ICC Mine", &status);
    ASSERT_EQ(status, 0) << errors();
    // The hidden printer entry the window never showed survives the write.
    rows = Lines(run(kLpd, "profiles list DST", &status));
    ASSERT_EQ(status, 0) << errors();
    std::string all;
    for (const std::string &row : rows)
        all += row + "\n";
    EXPECT_NE(all.find("\tNEWS.ICC\tNewsprint\t"), std::string::npos) << all;
    EXPECT_NE(all.find("\tMINE.ICC\tMine\t"), std::string::npos) << all;

    // Deleting the printer's profile on a direct connection keeps it from
    // coming back from the file.
    run(usb, "profiles delete DST 0", &status);
    ASSERT_EQ(status, 0) << errors();
    rows = Lines(run(usb, "profiles list DST", &status));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], "0\t1\t6\tMINE.ICC\tMine\tDisk");
}

// A save that fails (here the preferences folder is full) closes the window
// as any OK does, but the command says why and the list stays as it was.
TEST_F(ProfilesTintDialog, AFailedSaveIsReportedWithItsReason)
{
    if (::getuid() != 0)
        TINT_SKIP_OUTSIDE_CI("needs root to mount a small tmpfs at the preferences folder");
    show(kLpd);
    const std::string list = ReadFile(root.currentList());
    ASSERT_FALSE(list.empty());
    const std::string folder = root.preferences();
    const std::string size = "size=" + std::to_string(list.size() / 1024 + 64) + "k,mode=0775";
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, size.c_str()) != 0)
        TINT_SKIP_OUTSIDE_CI(std::string("cannot mount a tmpfs: ") + std::strerror(errno));
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{folder};
    ASSERT_TRUE(WriteFile(root.currentList(), list));

    int status = -1;
    run("usb://VARNO/QV-MR52", "profiles add DST MINE.ICC Mine", &status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(errors().find("the profile lists were not saved: "), std::string::npos) << errors();
    EXPECT_TRUE(ReadFile(root.currentList()) == list);
}
