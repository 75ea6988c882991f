// PrintCore's settings store and the settings file: reference semantics of
// stored dictionaries, and the XML property list read back by libplist and
// by an independent reader (Python's plistlib).
#include "PrintCore.h"
#include "PrintSettingsFile.h"
#include "TempRoot.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace
{

TEST(PrintCore, StoredDictionaryComesBackAsTheSameMutableDictionary)
{
    PMPrintSettingsRecord settings;
    PMValue dict = PMValue::newDictionary();
    ASSERT_EQ(noErr, PMPrintSettingsSetValue(&settings, "QV-MR52", dict, false));

    PMValue got;
    ASSERT_EQ(noErr, PMPrintSettingsGetValue(&settings, "QV-MR52", &got));
    ASSERT_EQ(kPMTypeDictionary, got.typeID());
    (*got.dictionary())["WQQuickColor"] = PMValue("Vivid");

    PMValue again;
    PMPrintSettingsGetValue(&settings, "QV-MR52", &again);
    ASSERT_EQ(1u, again.dictionary()->size());
    EXPECT_EQ("Vivid", *again.dictionary()->at("WQQuickColor").string());
}

TEST(PrintCore, MissingKeyNullValueAndBadArguments)
{
    PMPrintSettingsRecord settings;
    PMValue got("left over");
    EXPECT_EQ(kPMKeyNotFound, PMPrintSettingsGetValue(&settings, "nothing", &got));
    EXPECT_TRUE(got.isNull());

    PMPrintSettingsSetValue(&settings, "k", PMValue("v"), false);
    PMPrintSettingsSetValue(&settings, "k", PMValue(), false); // removes
    EXPECT_EQ(kPMKeyNotFound, PMPrintSettingsGetValue(&settings, "k", &got));

    EXPECT_EQ(kPMInvalidParameter, PMPrintSettingsGetValue(nullptr, "k", &got));
    EXPECT_EQ(kPMInvalidParameter, PMPrintSettingsSetValue(nullptr, "k", PMValue("v"), false));
}

TEST(PrintCore, SessionPrinterAndDeviceURI)
{
    PMPrinterRecord printer{"QV_MR52", "lpd://10.0.0.5/queue"};
    PMPrintSessionRecord session{&printer};
    PMPrinter current = nullptr;
    ASSERT_EQ(noErr, PMSessionGetCurrentPrinter(&session, &current));
    EXPECT_EQ("QV_MR52", PMPrinterGetID(current));
    std::string uri;
    ASSERT_EQ(noErr, PMPrinterCopyDeviceURI(current, &uri));
    EXPECT_EQ("lpd://10.0.0.5/queue", uri);

    PMPrinterRecord noURI{"Q", ""};
    EXPECT_EQ(kPMInvalidPrinter, PMPrinterCopyDeviceURI(&noURI, &uri));
    EXPECT_EQ("", PMPrinterGetID(nullptr));

    PMPrintSessionRecord empty;
    EXPECT_NE(noErr, PMSessionGetCurrentPrinter(&empty, &current));
    EXPECT_NE(noErr, PMSessionGetCurrentPrinter(nullptr, &current));
}

// Settings as the plug-in leaves them: a model dictionary per printer plus
// top-level copies, and values of every kind the store holds.
PMDictionary SampleSettings()
{
    PMDictionary values;
    PMValue model = PMValue::newDictionary();
    PMValue printer = PMValue::newDictionary();
    (*printer.dictionary())["WQQuickColor"] = PMValue("Custom");
    (*printer.dictionary())["WQImageDestinationProfileCustom"] = PMValue("True");
    (*model.dictionary())["QV_MR52"] = printer;
    values["QV-MR52"] = model;
    values["WQQuickColor"] = PMValue("Custom");
    values["Copies"] = PMValue(3);
    values["Offset"] = PMValue(-1);
    values["Collate"] = PMValue(true);
    values["Scale"] = PMValue(0.5);
    values["Text"] = PMValue("Ünïcödé & <tags> 自動");
    PMValue list = PMValue::newArray();
    // Copies of named values (GCC 12 warns falsely on moved temporaries here).
    const PMValue a("a"), seven(7);
    list.array()->push_back(a);
    list.array()->push_back(seven);
    values["List"] = list;
    return values;
}

TEST(SettingsFile, RoundTripKeepsEveryValueAndType)
{
    TempRoot root;
    const std::string path = root.path() + "/job.plist";
    std::string error;
    ASSERT_TRUE(PMPrintSettingsWriteFile(path, SampleSettings(), &error)) << error;

    PMDictionary back;
    ASSERT_TRUE(PMPrintSettingsReadFile(path, &back, &error)) << error;
    EXPECT_EQ("Custom",
              *back.at("QV-MR52").dictionary()->at("QV_MR52").dictionary()->at("WQQuickColor").string());
    EXPECT_EQ(3, *back.at("Copies").integer());
    EXPECT_EQ(-1, *back.at("Offset").integer());
    EXPECT_TRUE(*back.at("Collate").boolean());
    EXPECT_DOUBLE_EQ(0.5, *back.at("Scale").real());
    EXPECT_EQ("Ünïcödé & <tags> 自動", *back.at("Text").string());
    ASSERT_EQ(2u, back.at("List").array()->size());
    EXPECT_EQ(7, *back.at("List").array()->at(1).integer());
}

TEST(SettingsFile, ReadableByAnIndependentReader)
{
    TempRoot root;
    const std::string path = root.path() + "/job.plist";
    ASSERT_TRUE(PMPrintSettingsWriteFile(path, SampleSettings(), nullptr));
    int status = -1;
    std::string out =
        RunCommand("python3 -c 'import plistlib,sys; d=plistlib.load(open(sys.argv[1],\"rb\")); "
                   "print(d[\"QV-MR52\"][\"QV_MR52\"][\"WQQuickColor\"], d[\"Offset\"], "
                   "d[\"Collate\"])' " +
                       path,
                   &status);
    EXPECT_EQ(0, status);
    EXPECT_EQ("Custom -1 True\n", out);
}

TEST(SettingsFile, ReadsWhatAnotherWriterWrote)
{
    TempRoot root;
    const std::string path = root.path() + "/job.plist";
    int status = -1;
    RunCommand(
        "python3 -c 'import plistlib; plistlib.dump({\"QV-MR52\": {\"Q\": {\"WQEconoMode\": \"True\"}}, "
        "\"n\": -5}, open(\"" +
            path + "\", \"wb\"))'",
        &status);
    ASSERT_EQ(0, status);
    PMDictionary back;
    std::string error;
    ASSERT_TRUE(PMPrintSettingsReadFile(path, &back, &error)) << error;
    EXPECT_EQ("True", *back.at("QV-MR52").dictionary()->at("Q").dictionary()->at("WQEconoMode").string());
    EXPECT_EQ(-5, *back.at("n").integer());
}

// Print settings written by a print dialog carry dates and data beside the
// options; they must survive a read and a write unchanged.
TEST(SettingsFile, DatesAndDataSurviveAWriteBack)
{
    TempRoot root;
    const std::string path = root.path() + "/job.plist";
    int status = -1;
    RunCommand("python3 -c 'import plistlib,datetime; plistlib.dump({\"com.apple.print.ticket\": "
               "{\"modDate\": datetime.datetime(2020, 1, 2, 3, 4, 5)}, \"blob\": bytes([0, 255, 10]), "
               "\"WQEconoMode\": \"True\"}, open(\"" +
                   path + "\", \"wb\"))'",
               &status);
    ASSERT_EQ(0, status);
    PMDictionary back;
    std::string error;
    ASSERT_TRUE(PMPrintSettingsReadFile(path, &back, &error)) << error;
    ASSERT_TRUE(back.at("blob").data());
    EXPECT_EQ((std::vector<uint8_t>{0, 255, 10}), back.at("blob").data()->bytes);
    ASSERT_TRUE(PMPrintSettingsWriteFile(path, back, &error)) << error;

    const std::string out =
        RunCommand("python3 -c 'import plistlib,sys; d=plistlib.load(open(sys.argv[1],\"rb\")); "
                   "print(d[\"com.apple.print.ticket\"][\"modDate\"].isoformat(), "
                   "list(d[\"blob\"]), d[\"WQEconoMode\"])' " +
                       path,
                   &status);
    EXPECT_EQ(0, status);
    EXPECT_EQ("2020-01-02T03:04:05 [0, 255, 10] True\n", out);
}

TEST(SettingsFile, MissingFileIsEmptySettings)
{
    TempRoot root;
    PMDictionary back{{"stale", PMValue("x")}};
    std::string error;
    EXPECT_TRUE(PMPrintSettingsReadFile(root.path() + "/none.plist", &back, &error));
    EXPECT_TRUE(back.empty());
}

TEST(SettingsFile, UnusableFilesAreErrors)
{
    struct Case {
        const char *name;
        std::string content;
    } cases[] = {
        {"not XML", "this is not a property list\n"},
        {"cut XML", "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a</key>"},
        {"top-level array",
         "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>a</string></array></plist>"},
        {"empty file", ""},
        // libplist aborts when asked for a text holding a NUL character.
        {"binary with a NUL inside a text", ReadFile(TINT_TEST_DATA "/settings_nul_text.plist")},
        {"XML with a NUL inside a text",
         std::string("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a</key><string>x\0y</string>"
                     "</dict></plist>",
                     95)},
    };
    TempRoot root;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = root.path() + "/bad.plist";
        ASSERT_TRUE(WriteFile(path, c.content));
        PMDictionary back;
        std::string error;
        EXPECT_FALSE(PMPrintSettingsReadFile(path, &back, &error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(std::string::npos, error.find('\n'));
        EXPECT_TRUE(back.empty());
        EXPECT_EQ(c.content, ReadFile(path));
    }
}

TEST(SettingsFile, ControlCharactersAreRefusedAndTheFileKept)
{
    TempRoot root;
    const std::string path = root.path() + "/job.plist";
    ASSERT_TRUE(WriteFile(path, "keep me"));
    PMDictionary values{{"bad", PMValue(std::string("a\x01z"))}};
    std::string error;
    EXPECT_FALSE(PMPrintSettingsWriteFile(path, values, &error));
    EXPECT_EQ("keep me", ReadFile(path));

    PMValue nested = PMValue::newDictionary();
    (*nested.dictionary())[std::string("k\x02")] = PMValue("v");
    PMDictionary values2{{"n", nested}};
    EXPECT_FALSE(PMPrintSettingsWriteFile(path, values2, &error));
    EXPECT_EQ("keep me", ReadFile(path));
}

TEST(SettingsFile, WriteIntoMissingFolderFailsCleanly)
{
    TempRoot root;
    std::string error;
    EXPECT_FALSE(PMPrintSettingsWriteFile(root.path() + "/no/such/dir/job.plist", SampleSettings(), &error));
    EXPECT_FALSE(error.empty());
}

} // namespace
