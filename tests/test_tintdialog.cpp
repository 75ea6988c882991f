// tintdialog from its command line, as a user or a script runs it: show
// --json, set and print on the sample printer and the test PPDs, with the
// job's settings files prepared here and read back afterwards; and the
// profile refresh on a private session bus with a real snmpd.
#include "ManyConstraints.h"
#include "Precondition.h"
#include "PrintSettingsFile.h"
#include "ProfilePlist.h"
#include "SessionBus.h"
#include "SnmpAgent.h"
#include "TempRoot.h"
#include "TintPaths.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <sstream>
#include <string>

namespace
{

const std::string kTintDialog = TINT_DIALOG;
const std::string kPlugin = TINT_PLUGIN_BUNDLE;
const std::string kSamplePPD = std::string(TINT_SOURCE_DIR) + "/Demo/QV-MR52.ppd";

std::string TestPPD(const std::string &name)
{
    return std::string(TINT_TEST_DATA) + "/" + name;
}

class TintDialog : public ::testing::Test
{
  protected:
    // Runs tintdialog on this test's settings file; stderr is kept apart.
    // Without a bus of the test's own the relay finds no service.
    std::string run(const std::string &arguments, int *status, const std::string &ppd = kSamplePPD)
    {
        return RunCommand(command(arguments, ppd) + " 2>'" + root.path() + "/stderr'", status);
    }
    std::string command(const std::string &arguments, const std::string &ppd = kSamplePPD)
    {
        const std::string bus = busAddress.empty() ? "unix:path=" + root.path() + "/no-bus" : busAddress;
        return "QT_QPA_PLATFORM=offscreen LC_ALL=C LANG=C LANGUAGE= DBUS_SESSION_BUS_ADDRESS='" + bus + "' " +
               asUser + " '" + dialog + "' --plugin '" + plugin + "' --ppd '" + ppd + "' --settings '" +
               settings + "' " + arguments;
    }
    std::string errors() { return ReadFile(root.path() + "/stderr"); }

    QJsonObject show(int *status, const std::string &ppd = kSamplePPD, const std::string &options = "")
    {
        std::string out = run(options + " show --json", status, ppd);
        QJsonParseError error;
        QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(out), &error);
        EXPECT_EQ(QJsonParseError::NoError, error.error) << out;
        return doc.object();
    }

    // The control record of show --json with that outlet name.
    static QJsonObject control(const QJsonObject &report, const char *outlet)
    {
        for (const QJsonValue &c : report["controls"].toArray()) {
            if (c.toObject()["outlet"].toString() == outlet)
                return c.toObject();
        }
        ADD_FAILURE() << "no control " << outlet;
        return {};
    }

    PMDictionary readSettings()
    {
        PMDictionary values;
        std::string error;
        EXPECT_TRUE(PMPrintSettingsReadFile(settings, &values, &error)) << error;
        return values;
    }
    // The model dictionary of printer id in the saved settings.
    PMDictionaryRef model(const PMDictionary &values, const std::string &id = "QV_MR52")
    {
        auto product = values.find("QV-MR52");
        if (product == values.end() || !product->second.dictionary())
            return nullptr;
        auto printer = product->second.dictionary()->find(id);
        return printer == product->second.dictionary()->end() ? nullptr : printer->second.dictionary();
    }
    static std::string text(const PMDictionaryRef &dict, const std::string &key)
    {
        if (!dict || !dict->count(key) || !dict->at(key).string())
            return "<none>";
        return *dict->at(key).string();
    }
    static std::string text(const PMDictionary &dict, const std::string &key)
    {
        auto it = dict.find(key);
        return it == dict.end() || !it->second.string() ? "<none>" : *it->second.string();
    }

    void writeSettings(const PMDictionary &values)
    {
        std::string error;
        ASSERT_TRUE(PMPrintSettingsWriteFile(settings, values, &error)) << error;
    }
    // Settings whose model dictionary for printer id holds entries.
    static PMDictionary settingsWith(const std::string &id, const std::map<std::string, PMValue> &entries)
    {
        PMValue product = PMValue::newDictionary(), printer = PMValue::newDictionary();
        for (const auto &[k, v] : entries)
            (*printer.dictionary())[k] = v;
        (*product.dictionary())[id] = printer;
        return PMDictionary{{"QV-MR52", product}};
    }

    TempRoot root;
    std::string settings = root.path() + "/job-settings.plist";
    std::string busAddress;
    // A command that runs tintdialog as another user ("" : as the test runs).
    std::string asUser;
    // The programs run; tests of another user run the copies in their root.
    std::string dialog = kTintDialog;
    std::string plugin = kPlugin;
};

TEST_F(TintDialog, ShowReportsThePanelOfTheSamplePrinter)
{
    int status = -1;
    QJsonObject report = show(&status);
    ASSERT_EQ(0, status) << errors();
    EXPECT_EQ("Color Options", report["panelName"].toString());
    EXPECT_EQ("com.varno.QV-MR52.pde.ColorOptions", report["panelKind"].toString());
    QJsonArray keys = report["supportedPPDOptionKeys"].toArray();
    ASSERT_EQ(29, keys.size());
    EXPECT_EQ("WQImageRGBSource", keys.first().toString());
    EXPECT_EQ("WQBlackOverprint", keys.last().toString());
    EXPECT_EQ("ColorOptions", report["shownPane"].toString());
    EXPECT_EQ(13 + 46, report["controls"].toArray().size());

    QJsonObject quick = control(report, "menu_QuickColor");
    EXPECT_EQ(1035, quick["kind"].toInt());
    EXPECT_EQ("WQQuickColor", quick["ppdKey"].toString());
    EXPECT_EQ("QuickColorPopup", quick["identifier"].toString());
    EXPECT_EQ(0, quick["value"].toInt());
    EXPECT_EQ((QStringList{"Automatic", "Vivid Photos", "Office Documents", "Custom"}),
              quick["items"].toVariant().toStringList());
    EXPECT_EQ(1, control(report, "check_AutoTrapping")["value"].toInt());
    EXPECT_TRUE(control(report, "text_QuickColor")["value"].isNull());
    EXPECT_EQ("Quick Color:", control(report, "text_QuickColor")["title"].toString());
    EXPECT_EQ((QStringList{"Image", "Text", "Graphics", "Simulation"}),
              control(report, "tab_SwitchVew")["items"].toVariant().toStringList());
    // Quick Color is not Custom: the way to the advanced pane is greyed.
    EXPECT_FALSE(control(report, "button_AdvanceColorOptions")["enabled"].toBool());

    QJsonArray order = report["summary"].toObject()["order"].toArray();
    ASSERT_GE(order.size(), 8);
    EXPECT_EQ("Quick Color", order.first().toString());
    EXPECT_EQ("Automatic", report["summary"].toObject()["items"].toObject()["Quick Color"].toString());
    EXPECT_TRUE(report["settings"].toObject()["QV-MR52"].toObject().contains("QV_MR52"));
    // show saves nothing.
    EXPECT_FALSE(FileExists(settings));
}

TEST_F(TintDialog, SetSavesTheChoicesAndShowRestoresThem)
{
    int status = -1;
    run("set WQQuickColor=Custom WQImageRGBSource=AdobeRGB WQEconoMode=True WQSimSource=#2", &status);
    ASSERT_EQ(0, status) << errors();
    PMDictionary saved = readSettings();
    PMDictionaryRef printer = model(saved);
    ASSERT_TRUE(printer);
    EXPECT_EQ("UserDefined", text(printer, "WQQuickColor"));
    EXPECT_EQ("AdobeRGB", text(printer, "WQImageRGBSource"));
    EXPECT_EQ("True", text(printer, "WQEconoMode"));
    EXPECT_EQ("Euroscale", text(printer, "WQSimSource"));
    EXPECT_EQ("False", text(printer, "WQSimSourceCustom"));
    // The top-level copies are what reaches the job.
    EXPECT_EQ("UserDefined", text(saved, "WQQuickColor"));
    EXPECT_EQ("AdobeRGB", text(saved, "WQImageRGBSource"));

    QJsonObject report = show(&status);
    ASSERT_EQ(0, status) << errors();
    EXPECT_EQ(3, control(report, "menu_QuickColor")["value"].toInt());
    EXPECT_EQ(2, control(report, "menu_iRGBSource")["value"].toInt());
    EXPECT_EQ(1, control(report, "check_EconomyPrint")["value"].toInt());
    EXPECT_TRUE(control(report, "button_AdvanceColorOptions")["enabled"].toBool());
    // Econo Mode greys the image edge enhancement.
    EXPECT_FALSE(control(report, "menu_iEdgeEnhancement")["enabled"].toBool());
}

// A dialog's settings file carries more than options (time stamps, data);
// set keeps them, and global options may follow the command.
TEST_F(TintDialog, SettingsWithDatesAndOptionsAfterTheCommand)
{
    int status = -1;
    RunCommand("python3 -c 'import plistlib,datetime; plistlib.dump({\"com.apple.print.ticket.modDate\": "
               "datetime.datetime(2020, 1, 2, 3, 4, 5), \"blob\": bytes([1, 2])}, open(\"" +
                   settings + "\", \"wb\"))'",
               &status);
    ASSERT_EQ(0, status);

    run("set WQQuickColor=Vivid --printer-id Office", &status);
    ASSERT_EQ(0, status) << errors();
    PMDictionary saved = readSettings();
    EXPECT_EQ("Vivid", text(model(saved, "Office"), "WQQuickColor"));
    EXPECT_FALSE(model(saved, "QV_MR52"));
    ASSERT_TRUE(saved.count("com.apple.print.ticket.modDate"));
    ASSERT_TRUE(saved.at("com.apple.print.ticket.modDate").date());
    ASSERT_TRUE(saved.count("blob"));
    ASSERT_TRUE(saved.at("blob").data());
    EXPECT_EQ((std::vector<uint8_t>{1, 2}), saved.at("blob").data()->bytes);

    QJsonObject report = show(&status, kSamplePPD, "--printer-id Office");
    ASSERT_EQ(0, status) << errors();
    EXPECT_EQ(1, control(report, "menu_QuickColor")["value"].toInt());
    EXPECT_EQ("2020-01-02T03:04:05Z",
              report["settings"].toObject()["com.apple.print.ticket.modDate"].toString().toStdString());
}

TEST_F(TintDialog, FailingCommandsWriteNothing)
{
    struct Case {
        const char *arguments;
        const char *mentions;
    } cases[] = {
        {"set WQColorAsGray=True WQImageRGBSource=AdobeRGB", "WQImageRGBSource"}, // greyed by the first pair
        {"set WQQuickColor=Custom WQNoSuchOption=X", "WQNoSuchOption"},
        {"set WQQuickColor=NoSuchChoice", "NoSuchChoice"},
        {"set WQQuickColor=#4", "#4"},
        {"set WQEconoMode=On", "WQEconoMode"},
        {"set WQQuickColor", "KEY=CHOICE"},
        {"set", "KEY=CHOICE"},
        {"show --xml", "--xml"},
        {"frobnicate", "frobnicate"},
        {"--bogus show", "--bogus"},
    };
    writeSettings(settingsWith("QV_MR52", {{"WQBrightness", PMValue("Plus1")}}));
    const std::string original = ReadFile(settings);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments);
        int status = -1;
        run(c.arguments, &status);
        EXPECT_EQ(2, status);
        const std::string message = errors();
        EXPECT_NE(std::string::npos, message.find(c.mentions)) << message;
        EXPECT_EQ(1, std::count(message.begin(), message.end(), '\n')) << message;
        EXPECT_EQ(original, ReadFile(settings));
    }
}

// Two set commands at once on one settings file both land; on a full disk
// each command that writes fails with one line, the old file kept whole.
TEST_F(TintDialog, SettingsAreWrittenWholeAndConcurrentSetsBothLand)
{
    for (int round = 0; round < 4; ++round) {
        std::remove(settings.c_str());
        RunCommand("(" + command("set WQBrightness=Minus1") + ") & (" + command("set WQEconoMode=True") +
                   "); wait");
        PMDictionaryRef printer = model(readSettings());
        EXPECT_EQ("Minus1", text(printer, "WQBrightness")) << round;
        EXPECT_EQ("True", text(printer, "WQEconoMode")) << round;
    }
    const std::string folder = root.path() + "/full";
    ASSERT_EQ(0, mkdir(folder.c_str(), 0755));
    SmallDisk disk(folder);
    if (!disk.mounted())
        TINT_SKIP_OUTSIDE_CI(disk.why());
    settings = folder + "/job-settings.plist";
    writeSettings(settingsWith("QV_MR52", {{"WQBrightness", PMValue("Plus1")}}));
    const std::string original = ReadFile(settings);
    disk.fill();
    for (const char *arguments : {"set WQBrightness=Minus1", "print"}) {
        int status = -1;
        run(arguments, &status);
        EXPECT_EQ(2, status) << arguments;
        const std::string message = errors();
        EXPECT_NE(std::string::npos, message.find("No space left on device")) << message;
        EXPECT_EQ(1, std::count(message.begin(), message.end(), '\n')) << message;
        EXPECT_EQ(original, ReadFile(settings));
    }
}

TEST_F(TintDialog, UnreadableSettingsFileIsAnErrorAndLeftAlone)
{
    // 18 000 nested dictionaries: refused before the parser's recursion could
    // exhaust the stack.
    std::string nested = "<?xml version=\"1.0\"?><plist>";
    for (int i = 0; i < 18000; ++i)
        nested += "<dict><key>k</key>";
    nested += "<dict/>";
    for (int i = 0; i < 18000; ++i)
        nested += "</dict>";
    nested += "</plist>";
    for (const std::string &content : std::vector<std::string>{
             "garbage, not a property list", "<?xml version=\"1.0\"?><plist><array/></plist>", nested}) {
        SCOPED_TRACE(content.substr(0, 60));
        ASSERT_TRUE(WriteFile(settings, content));
        for (const char *command : {"show --json", "set WQQuickColor=Vivid", "print"}) {
            int status = -1;
            std::string out = run(command, &status);
            EXPECT_EQ(2, status);
            EXPECT_EQ("", out);
            EXPECT_NE(std::string::npos, errors().find(settings)) << errors();
            EXPECT_EQ(content, ReadFile(settings));
        }
    }
}

TEST_F(TintDialog, PrintListsTheJobOptionsWithThePresetApplied)
{
    // Prepared as another program would write it.
    int status = -1;
    RunCommand("python3 -c 'import plistlib; plistlib.dump({\"QV-MR52\": {\"QV_MR52\": {\"WQQuickColor\": "
               "\"Vivid\", \"WQImageRGBSource\": \"AdobeRGB\", \"WQBrightness\": \"Plus2\"}}}, open(\"" +
                   settings + "\", \"wb\"))'",
               &status);
    ASSERT_EQ(0, status);
    std::string out = run("print", &status);
    ASSERT_EQ(0, status) << errors();
    std::map<std::string, std::string> options;
    for (size_t start = 0; start < out.size();) {
        size_t end = out.find('\n', start);
        std::string line = out.substr(start, end - start);
        size_t eq = line.find('=');
        ASSERT_NE(std::string::npos, eq) << line;
        options[line.substr(0, eq)] = line.substr(eq + 1);
        start = end == std::string::npos ? out.size() : end + 1;
    }
    EXPECT_EQ("Vivid", options["WQQuickColor"]);
    EXPECT_EQ("Plus2", options["WQBrightness"]);
    // Vivid is preset 1: its positions replace the user's advanced choices.
    EXPECT_EQ("sRGB", options["WQImageRGBSource"]);
    EXPECT_EQ("Smooth", options["WQImageHalftone"]);
    EXPECT_EQ("Off", options["WQImageEdgeEnhance"]);
    EXPECT_EQ(0u, options.count("QV-MR52")); // the plug-in's own dictionary stays in the dialog
    PMDictionaryRef printer = model(readSettings());
    EXPECT_EQ("sRGB", text(printer, "WQImageRGBSource"));
}

TEST_F(TintDialog, SettingsOfAnotherPrinterOrOfWrongTypesAreIgnored)
{
    struct Case {
        const char *name;
        PMDictionary values;
    } cases[] = {
        {"another printer", settingsWith("OTHER_QUEUE", {{"WQQuickColor", PMValue("Vivid")}})},
        {"wrong types", settingsWith("QV_MR52", {{"WQQuickColor", PMValue(3)},
                                                 {"WQBrightness", PMValue("Plus2")},
                                                 {"WQColorAsGray", PMValue(true)},
                                                 {"WQEdgeType", PMValue::newDictionary()}})},
        {"product entry not a dictionary", PMDictionary{{"QV-MR52", PMValue("QV_MR52")}}},
        {"printer entry not a dictionary", PMDictionary{{"QV-MR52", PMValue::newDictionary()}}},
    };
    (*cases[3].values.at("QV-MR52").dictionary())["QV_MR52"] = PMValue(7);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeSettings(c.values);
        int status = -1;
        QJsonObject report = show(&status);
        ASSERT_EQ(0, status) << errors();
        EXPECT_EQ(0, control(report, "menu_QuickColor")["value"].toInt()); // the PPD default
        EXPECT_EQ(0, control(report, "check_ColorAsGrayscale")["value"].toInt());
        EXPECT_EQ(1, control(report, "menu_EdgeStrength")["value"].toInt());
        if (std::string(c.name) == "wrong types") {
            EXPECT_EQ(4, control(report, "menu_Brightness")["value"].toInt());
        }
    }
}

// Every test PPD loads; the texts of each LanguageEncoding arrive intact.
TEST_F(TintDialog, TestPrinterDescriptions)
{
    struct Case {
        const char *ppd;
        const char *vivid;   // title of Quick Color's second item
        const char *grayOff; // summary of "Color as Grayscale" when off
    } cases[] = {
        {"QV-MR52-ISOLatin1.ppd", "Couleurs éclatantes", "Désactivé"},
        {"QV-MR52-WindowsANSI.ppd", "Éclat – vif", "Désactivé"},
        {"QV-MR52-JIS83-RKSJ.ppd", "鮮やか", "オフ"},
        {"QV-MR52-UTF-8.ppd", "Vivid ★", "Öff"},
        {"QV-MR52-no-encoding.ppd", "Couleurs éclatantes", "Désactivé"},
        {"QV-MR52-no-brightness.ppd", "Vivid Photos", "Off"},
        {"QV-MR52-empty-option.ppd", "Vivid Photos", "Off"},
        {"QV-MR52-unmarked-default.ppd", "Vivid Photos", "Off"},
        {"QV-MR52-econo-false-first.ppd", "Vivid Photos", "Off"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.ppd);
        int status = -1;
        QJsonObject report = show(&status, TestPPD(c.ppd));
        ASSERT_EQ(0, status) << errors();
        QStringList items = control(report, "menu_QuickColor")["items"].toVariant().toStringList();
        ASSERT_EQ(4, items.size());
        EXPECT_EQ(QString::fromUtf8(c.vivid), items[1]);
        EXPECT_EQ(QString::fromUtf8(c.grayOff),
                  report["summary"].toObject()["items"].toObject()["Color as Grayscale"].toString());
        EXPECT_EQ(29, report["supportedPPDOptionKeys"].toArray().size());
    }
}

TEST_F(TintDialog, EconoModeWithFalseFirst)
{
    const std::string ppd = TestPPD("QV-MR52-econo-false-first.ppd");
    int status = -1;
    run("set WQEconoMode=True", &status, ppd);
    ASSERT_EQ(0, status) << errors();
    EXPECT_EQ("True", text(model(readSettings()), "WQEconoMode"));
    QJsonObject report = show(&status, ppd);
    EXPECT_EQ(1, control(report, "check_EconomyPrint")["value"].toInt());
    EXPECT_EQ("On", report["summary"].toObject()["items"].toObject()["EconoMode"].toString());
    run("set WQEconoMode=False", &status, ppd);
    ASSERT_EQ(0, status) << errors();
    EXPECT_EQ("False", text(model(readSettings()), "WQEconoMode"));
}

TEST_F(TintDialog, OptionsMissingFromThePPDReachNoTicket)
{
    int status = -1;
    std::string out = run("print", &status, TestPPD("QV-MR52-no-brightness.ppd"));
    ASSERT_EQ(0, status) << errors();
    EXPECT_EQ(std::string::npos, out.find("WQBrightness=")) << out;
    EXPECT_NE(std::string::npos, out.find("WQQuickColor=Auto")) << out;

    // Settings saved with another PPD keep their entries (they are never
    // removed), so each description starts from empty settings here.
    std::remove(settings.c_str());
    out = run("print", &status, TestPPD("QV-MR52-empty-option.ppd"));
    ASSERT_EQ(0, status) << errors();
    EXPECT_EQ(std::string::npos, out.find("WQBlackOverprint=")) << out;

    // A default that names none of the choices: the edge type stays unset
    // until chosen, and then it is saved.
    std::remove(settings.c_str());
    run("set WQEdgeType=Strong", &status, TestPPD("QV-MR52-unmarked-default.ppd"));
    ASSERT_EQ(0, status) << errors();
    EXPECT_EQ("Strong", text(model(readSettings()), "WQEdgeType"));
}

TEST_F(TintDialog, ScreenshotOfTheWindow)
{
    int status = -1;
    const std::string png = root.path() + "/dialog.png";
    run("gui --screenshot '" + png + "'", &status);
    ASSERT_EQ(0, status) << errors();
    std::string data = ReadFile(png);
    ASSERT_GT(data.size(), 1000u);
    EXPECT_EQ(0, data.compare(0, 8, "\x89PNG\r\n\x1a\n"));
    // The Advanced pane opens only where its button would open it.
    run("gui --pane advanced --screenshot '" + png + "'", &status);
    EXPECT_EQ(2, status);
    EXPECT_NE(std::string::npos, errors().find("Choose Quick Color \"Custom\"")) << errors();
    run("set WQQuickColor=Custom", &status);
    ASSERT_EQ(0, status) << errors();
    run("gui --pane advanced --screenshot '" + png + "'", &status);
    EXPECT_EQ(0, status) << errors();
}

// The host's own page marks what would conflict, as libcups' constraints
// of the PPD say: a printer that cannot print transparencies on both sides.
TEST_F(TintDialog, HostPageMarksConflictingChoices)
{
    const std::string ppd = root.path() + "/duplex.ppd";
    ASSERT_TRUE(WriteFile(ppd, ReadFile(kSamplePPD) + R"(
*OpenUI *Duplex/2-Sided Printing: PickOne
*DefaultDuplex: None
*Duplex None/Off: ""
*Duplex DuplexNoTumble/Long-Edge: ""
*CloseUI: *Duplex
*OpenUI *MediaType/Media Type: PickOne
*DefaultMediaType: Plain
*MediaType Plain/Plain Paper: ""
*MediaType Transparency/Transparency: ""
*CloseUI: *MediaType
*UIConstraints: *Duplex DuplexNoTumble *MediaType Transparency
*UIConstraints: *MediaType Transparency *Duplex DuplexNoTumble
)"));
    auto hostControl = [](const QJsonObject &report, const char *key) {
        for (const QJsonValue &c : report["hostPage"].toObject()["controls"].toArray()) {
            if (c.toObject()["ppdKey"].toString() == key)
                return c.toObject();
        }
        ADD_FAILURE() << "no host page control " << key;
        return QJsonObject();
    };
    int status = -1;
    run("set MediaType=Transparency", &status, ppd);
    ASSERT_EQ(0, status) << errors();
    QJsonObject duplex = hostControl(show(&status, ppd), "Duplex");
    EXPECT_EQ(QJsonArray{1}, duplex["conflictingItems"].toArray());
    EXPECT_FALSE(duplex["conflicted"].toBool());

    run("set Duplex=DuplexNoTumble", &status, ppd);
    ASSERT_EQ(0, status) << errors();
    QJsonObject report = show(&status, ppd);
    EXPECT_TRUE(hostControl(report, "Duplex")["conflicted"].toBool());
    EXPECT_TRUE(hostControl(report, "MediaType")["conflicted"].toBool());
    EXPECT_EQ("DuplexNoTumble", text(readSettings(), "Duplex"));
}

// 80 000 constraints: the host page finds the conflicting items by the
// options the rules name, not by asking libcups once per item.
TEST_F(TintDialog, HostPageWithManyConstraints)
{
#if defined(__SANITIZE_ADDRESS__)
    // libcups grows its constraint array one realloc at a time, which under
    // AddressSanitizer's allocator takes minutes; the normal build runs it.
    GTEST_SKIP() << "80 000 constraints are read too slowly under AddressSanitizer";
#endif
    const std::string ppd = root.path() + "/many-constraints.ppd";
    ASSERT_TRUE(WriteFile(ppd, PPDWithManyConstraints(ReadFile(kSamplePPD))));
    int status = -1;
    std::map<QString, QJsonArray> conflicting;
    for (const QJsonValue &c : show(&status, ppd)["hostPage"].toObject()["controls"].toArray())
        conflicting[c.toObject()["ppdKey"].toString()] = c.toObject()["conflictingItems"].toArray();
    QJsonArray trays, finishers;
    for (int i = 1; i < 400; i++) {
        if (i < 200)
            trays.append(i);
        finishers.append(i);
    }
    EXPECT_EQ(trays, conflicting["Tray"]);
    EXPECT_EQ(finishers, conflicting["Finisher"]);
}

// Writes a profile list holding one user profile as the current list.
void WriteUserProfileList(const TempRoot &root)
{
    auto rgb = std::make_unique<ProfileTable>(), sim = std::make_unique<ProfileTable>(),
         dst = std::make_unique<ProfileTable>();
    std::memset(rgb.get(), 0, sizeof *rgb);
    std::memset(sim.get(), 0, sizeof *sim);
    std::memset(dst.get(), 0, sizeof *dst);
    ProfileEntry &entry = rgb->entry[rgb->iNum++];
    entry.indexOnDevice = 500;
    entry.inMenu = InMenu::UserShown;
    entry.profileClass = 2;
    entry.location = 5;
    std::strcpy(entry.fileName, "mine.icc");
    std::strcpy(entry.profileName, "Mine");
    PlistPtr list = BuildProfileListRoot(rgb.get(), sim.get(), dst.get());
    char *xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(list.get(), &xml, &length);
    ASSERT_NE(nullptr, xml);
    ASSERT_TRUE(WriteFile(root.currentList(), std::string(xml, length)));
    std::free(xml);
}

TEST_F(TintDialog, ShowRefreshesTheProfileListFromThePrinter)
{
    if (!FileExists(root.path() + kTintRelayPath) || !FileExists(root.path() + kTintVaultPath))
        TINT_SKIP_OUTSIDE_CI("Tintrelay and Tintvault are not built");
    SnmpAgent agent(SnmpAgent::Options{MakeProfileRows(3), "", {}}); // sets the client's port for the bus
    ASSERT_TRUE(agent.running()) << agent.log();
    SessionBus bus;
    ASSERT_TRUE(bus.running());
    busAddress = bus.address();

    struct Case {
        const char *uri;
        bool walked;
        const char *told = ""; // on standard error
    } cases[] = {
        {"lpd://127.0.0.2/queue", false,
         "the printer at 127.0.0.2 did not answer; its profiles are shown as last read"},
        {"lpd://127.0.0.1/queue", true},
        {"lpd://127.0.0.1:515/queue", true},
        {"dnssd://QV-MR52%20Printer._pdl-datastream._tcp.local./", false}, // no Avahi daemon: no walk
        {"ipp://127.0.0.1/ipp/print", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.uri);
        std::remove(root.previousList().c_str());
        WriteUserProfileList(root);
        const std::string before = ReadFile(root.currentList());

        int status = -1;
        show(&status, kSamplePPD, std::string("--device-uri '") + c.uri + "'");
        ASSERT_EQ(0, status) << errors() << bus.serviceLog();
        // A walk that fails is told; one that works or never starts is not.
        if (*c.told)
            EXPECT_NE(std::string::npos, errors().find(c.told)) << errors();
        else
            EXPECT_EQ("", errors());
        // The list is backed up whether or not a walk follows.
        EXPECT_EQ(before, ReadFile(root.previousList()));
        const std::string after = ReadFile(root.currentList());
        EXPECT_NE(std::string::npos, after.find("mine.icc"));
        EXPECT_EQ(c.walked, after.find("PRF00001.ICC") != std::string::npos) << after;
        EXPECT_EQ(c.walked, after.find("Profile 3") != std::string::npos);

        if (c.walked) {
            // The printer's new profiles are listed unticked; the next load
            // of the panel offers the ticked ones of the refreshed list.
            QJsonObject report = show(&status, kSamplePPD, std::string("--device-uri '") + c.uri + "'");
            QString all;
            for (const QJsonValue &v : report["controls"].toArray())
                all += v.toObject()["items"].toVariant().toStringList().join("|") + "|";
            EXPECT_TRUE(all.contains("mine.icc(Mine)")) << all.toStdString();
            EXPECT_FALSE(all.contains("PRF00001.ICC")) << all.toStdString();
        }
    }
}

// A control greyed by a colour preset rule carries the sentence the rule
// makes of its own conditions; set refuses it with the same words, and an
// enabled control carries none. Every control has an accessible name.
TEST_F(TintDialog, GreyedControlsSayWhyAndSetRefusesWithTheSameWords)
{
    const std::string custom = "Choose Quick Color \"Custom\" to change the advanced options";
    struct Case {
        const char *set;
        const char *outlet;
        const char *key;
        std::string why;
    } const cases[] = {
        {"", "button_AdvanceColorOptions", nullptr, custom},
        {"WQQuickColor=Custom WQColorAsGray=True", "check_ColorSeparation", "WQColorSeparation",
         "Unavailable while Color as Grayscale is on"},
        {"WQQuickColor=Custom WQColorAsGray=True", "menu_iRGBSource", "WQImageRGBSource",
         "Unavailable while Color as Grayscale is on"},
        {"WQQuickColor=Custom WQEconoMode=True", "menu_gEdgeEnhancement", "WQGraphicsEdgeEnhance",
         "Unavailable while EconoMode is on"},
        {"WQQuickColor=Custom WQImageDestinationProfile=Glossy", "menu_iRGBGrayTreatment",
         "WQImageGrayTreatment", "Unavailable while Image Destination Profile is not Automatic"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.outlet);
        std::remove(settings.c_str());
        int status = -1;
        if (*c.set) {
            run(std::string("set ") + c.set, &status);
            ASSERT_EQ(0, status) << errors();
        }
        QJsonObject report = show(&status);
        ASSERT_EQ(0, status) << errors();
        QJsonObject greyed = control(report, c.outlet);
        EXPECT_FALSE(greyed["enabled"].toBool());
        EXPECT_EQ(c.why, greyed["toolTip"].toString().toStdString());
        for (const QJsonValue &v : report["controls"].toArray()) {
            const QJsonObject other = v.toObject();
            const int kind = other["kind"].toInt();
            if (kind == 1035 || kind == 1036 || kind == 1039) {
                EXPECT_EQ(other["enabled"].toBool(), other["toolTip"].toString().isEmpty())
                    << other["outlet"].toString().toStdString();
            }
            if (kind != 1040) {
                EXPECT_FALSE(other["accessibleName"].toString().isEmpty())
                    << other["outlet"].toString().toStdString();
            }
        }
        if (c.key) {
            const std::string before = ReadFile(settings);
            run(std::string("set ") + c.key + "=#0", &status);
            EXPECT_EQ(2, status);
            EXPECT_NE(std::string::npos, errors().find(c.why)) << errors();
            EXPECT_EQ(before, ReadFile(settings));
        }
    }
    int last = -1;
    EXPECT_EQ("Quick Color", control(show(&last), "menu_QuickColor")["accessibleName"].toString());
}

// The advanced options are out of reach while Quick Color is not Custom,
// within one set as in the window; options and choices are also named by
// their titles, in any case; a refusal lists the choices.
TEST_F(TintDialog, SetFollowsQuickColorAndTakesTitles)
{
    int status = -1;
    run("set WQImageHalftone=Detail", &status);
    EXPECT_EQ(2, status);
    EXPECT_NE(std::string::npos, errors().find("Choose Quick Color \"Custom\"")) << errors();
    EXPECT_FALSE(FileExists(settings));

    run("set 'quick color=custom' 'Image Halftone=DETAIL'", &status);
    ASSERT_EQ(0, status) << errors();
    PMDictionaryRef printer = model(readSettings());
    EXPECT_EQ("UserDefined", text(printer, "WQQuickColor"));
    EXPECT_EQ("Detail", text(printer, "WQImageHalftone"));

    run("set WQQuickColor=Bogus", &status);
    EXPECT_EQ(2, status);
    EXPECT_NE(std::string::npos, errors().find("Vivid (Vivid Photos)")) << errors();
    EXPECT_NE(std::string::npos, errors().find("UserDefined (Custom)")) << errors();
}

// libcups reads a choice written "Custom" as "_Custom": a ticket that holds
// the keyword as the PPD writes it still restores that choice.
TEST_F(TintDialog, TicketNamingARenamedChoiceRestoresIt)
{
    std::string ppd = ReadFile(kSamplePPD);
    const std::string from = "*WQQuickColor UserDefined/";
    ASSERT_NE(std::string::npos, ppd.find(from));
    ppd.replace(ppd.find(from), from.size(), "*WQQuickColor Custom/");
    const std::string custom = root.path() + "/custom.ppd";
    ASSERT_TRUE(WriteFile(custom, ppd));
    writeSettings(settingsWith("QV_MR52", {{"WQQuickColor", PMValue("Custom")}}));
    int status = -1;
    QJsonObject report = show(&status, custom);
    ASSERT_EQ(0, status) << errors();
    EXPECT_EQ(3, control(report, "menu_QuickColor")["value"].toInt());
}

// -h, --help and --version answer on standard output; gui --screenshot
// without a file and a settings file in a folder that is not there are
// errors; only the queue's own default folder is made on demand.
TEST_F(TintDialog, CommandLineManners)
{
    struct Case {
        const char *arguments;
        int status;
        const char *out;
        const char *error;
    } const cases[] = {
        {"-h", 0, "usage: tintdialog", ""},
        {"--help", 0, "usage: tintdialog", ""},
        {"--version", 0, "tintdialog 1.0", ""},
        {"gui --screenshot", 2, "", "--screenshot needs FILE.png"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments);
        int status = -1;
        const std::string out = run(c.arguments, &status);
        EXPECT_EQ(c.status, status);
        EXPECT_NE(std::string::npos, out.find(c.out)) << out;
        EXPECT_NE(std::string::npos, errors().find(c.error)) << errors();
    }

    settings = root.path() + "/no/such/folder/job.plist";
    int status = -1;
    run("set WQQuickColor=Vivid", &status);
    EXPECT_EQ(2, status);
    EXPECT_NE(std::string::npos, errors().find("does not exist")) << errors();
    EXPECT_FALSE(FileExists(root.path() + "/no"));

    const std::string home = root.path() + "/home";
    RunCommand("HOME='" + home + "' XDG_CONFIG_HOME= QT_QPA_PLATFORM=offscreen '" + kTintDialog +
                   "' --plugin '" + kPlugin + "' --ppd '" + kSamplePPD +
                   "' set WQQuickColor=Vivid 2>/dev/null",
               &status);
    EXPECT_EQ(0, status);
    EXPECT_TRUE(FileExists(home + "/.config/tintdialog/QV_MR52.plist"));
}

// Without --ppd and without a server there is nothing to open: one line.
TEST_F(TintDialog, NoServerAndNoPPDIsAnError)
{
    for (const std::string &server : {std::string("127.0.0.1:1"), root.path() + "/no-cupsd.sock"}) {
        int status = -1;
        EXPECT_EQ("", RunCommand("CUPS_SERVER='" + server + "' QT_QPA_PLATFORM=offscreen LC_ALL=C '" +
                                     kTintDialog + "' --settings '" + settings +
                                     "' set WQQuickColor=Vivid 2>'" + root.path() + "/stderr'",
                                 &status));
        EXPECT_EQ(2, status);
        EXPECT_EQ("tintdialog: cannot reach the CUPS server " + server + ": Scheduler is not running\n",
                  errors());
        EXPECT_FALSE(FileExists(settings));
    }
}

// Help and the refusals of the command line come in the user's language;
// the option names stay as they are typed.
TEST_F(TintDialog, HelpAndRefusalsInGerman)
{
    const std::string german = "QT_QPA_PLATFORM=offscreen LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 LANGUAGE=de '" +
                               kTintDialog + "' --plugin '" + kPlugin + "' --settings '" + settings + "' ";
    int status = -1;
    const std::string help = RunCommand(german + "--help", &status);
    EXPECT_EQ(0, status);
    EXPECT_NE(std::string::npos, help.find("Aufruf: tintdialog")) << help;
    EXPECT_NE(std::string::npos, help.find("--queue, -d NAME")) << help;
    EXPECT_NE(std::string::npos, help.find("--screenshot DATEI.png")) << help;
    struct Case {
        const char *arguments;
        const char *error;
    } const cases[] = {
        {"--bogus show", "unbekannte Option --bogus (siehe tintdialog --help)"},
        {"show --ppd", "--ppd braucht DATEI"},
        {"profiles tick XYZ 0", "unbekannte Gruppe XYZ"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments);
        const std::string out = RunCommand(german + c.arguments + " 2>&1 >/dev/null", &status);
        EXPECT_EQ(2, status);
        EXPECT_NE(std::string::npos, out.find(c.error)) << out;
        EXPECT_EQ(1, std::count(out.begin(), out.end(), '\n')) << out;
    }
    EXPECT_FALSE(FileExists(settings));
}

// paths lists every fixed path under the current root, and the build stages
// the driver at the very places it lists (those the packages install).
TEST_F(TintDialog, PathsListsTheLayoutUnderTheRoot)
{
    int status = -1;
    const std::string out =
        RunCommand("TINT_ROOT='" + std::string(TINT_STAGE_ROOT) + "' '" + kTintDialog + "' paths", &status);
    ASSERT_EQ(0, status);
    std::map<std::string, std::string> paths;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        const size_t tab = line.find('\t');
        ASSERT_NE(std::string::npos, tab) << line;
        paths[line.substr(0, tab)] = line.substr(tab + 1);
    }
    for (const char *name : {"preferences", "relay", "service", "plugin", "profiles", "icon", "ppd"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(1u, paths.count(name)) << out;
        EXPECT_EQ(0u, paths[name].rfind(TINT_STAGE_ROOT "/", 0)) << paths[name];
        if (std::string(name) != "preferences") {
            EXPECT_TRUE(FileExists(paths[name])) << paths[name];
        }
    }
    EXPECT_EQ(7u, paths.size()) << out;
    EXPECT_TRUE(FileExists(paths["plugin"] + "/Contents/Linux/libTintpane.so"));
}

// Listing only reads: it works where the list cannot be written (here no
// profile service answers), while a change is refused with the reason.
TEST_F(TintDialog, ProfilesListNeedsNoWritePermission)
{
    WriteUserProfileList(root);
    int status = -1;
    const std::string out = run("profiles list", &status);
    ASSERT_EQ(0, status) << errors();
    EXPECT_NE(std::string::npos, out.find("mine.icc")) << out;
    run("profiles tick RGB --file mine.icc --on", &status);
    EXPECT_EQ(2, status);
    EXPECT_NE(std::string::npos, errors().find("session bus")) << errors();
}

// A user outside the group of the printer's preferences folder reads the
// profile lists but may not change them: "Management Profile" names the
// group that may, and a change is refused with the same words. CI runs as
// root, for whom every folder is writable, so the bus, the service and the
// dialog run as "nobody".
TEST_F(TintDialog, ManagementProfileNamesTheGroupThatMayChangeTheLists)
{
    if (::getuid() != 0)
        TINT_SKIP_OUTSIDE_CI("needs root to switch to an unprivileged user");
    if (!FileExists(root.path() + kTintRelayPath) || !FileExists(root.path() + kTintVaultPath))
        TINT_SKIP_OUTSIDE_CI("Tintrelay and Tintvault are not built");
    const struct group *lp = ::getgrnam("lp");
    ASSERT_NE(nullptr, lp);
    WriteUserProfileList(root);
    const std::string list = root.prefFile("nobody-QV-MR52-profile.plist");
    ASSERT_TRUE(WriteFile(list, ReadFile(root.currentList())));
    root.openToAll();
    dialog = root.path() + "/usr/bin/tintdialog";
    plugin = root.path() + kTintPluginBundle;
    const std::string ppd = root.path() + kTintSamplePPD;
    ASSERT_TRUE(FileExists(dialog) && FileExists(ppd));
    ASSERT_EQ(0, ::chown(root.preferences().c_str(), 0, lp->gr_gid));
    ASSERT_EQ(0, ::chmod(root.preferences().c_str(), 0775));
    ASSERT_EQ(0, ::chmod(list.c_str(), 0644));
    SessionBus::Options options;
    options.user = "nobody";
    options.group = "nogroup";
    SessionBus bus(options);
    ASSERT_TRUE(bus.running());
    busAddress = bus.address();
    asUser = "setpriv --reuid=nobody --regid=nogroup --clear-groups";

    const std::string why =
        "Unavailable: only members of the group \"lp\" may change the printer's profile lists";
    int status = -1;
    const QJsonObject manage = control(show(&status, ppd), "button_ManageProfile");
    ASSERT_EQ(0, status) << errors();
    EXPECT_FALSE(manage["enabled"].toBool());
    EXPECT_EQ(why, manage["toolTip"].toString().toStdString()) << bus.serviceLog();

    const std::string out = run("profiles list RGB", &status, ppd);
    EXPECT_EQ(0, status) << errors();
    EXPECT_NE(std::string::npos, out.find("mine.icc")) << out;
    const std::string before = ReadFile(list);
    run("profiles tick RGB --file mine.icc --on", &status, ppd);
    EXPECT_EQ(2, status);
    EXPECT_NE(std::string::npos, errors().find(why)) << errors();
    EXPECT_EQ(before, ReadFile(list));
}

} // namespace
