// Ticket synchronisation both ways, added profiles against a real profile
// list in a temporary root, nibble text and the summary.
#include "test_pde_common_support.h"

#include "Localization.h"
#include "TempRoot.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace
{

constexpr char kQueue[] = "Queue_A";
constexpr char kDestKey[] = "WQImageDestinationProfile";

// One entry of a profile group as the list file stores it.
struct ListEntry {
    int inMenu;
    const char *fileName;
    const char *profileName;
    int location;
};

// The XML profile list with the given DST entries and empty RGB and SIM groups.
std::string ProfileListXML(const std::vector<ListEntry> &dst)
{
    auto group = [](const char *key, const std::vector<ListEntry> &entries) {
        std::string ints[4], strs[2];
        const char *intKeys[4] = {"IndexOnDevice", "InMenu", "ProfileClass", "Location"};
        const char *strKeys[2] = {"FileName", "ProfileName"};
        for (std::size_t i = 0; i < entries.size(); ++i) {
            char n[24];
            std::snprintf(n, sizeof n, "%04zu", i);
            const int values[4] = {static_cast<int>(i) + 1, entries[i].inMenu, 2, entries[i].location};
            for (int k = 0; k < 4; ++k)
                ints[k] += std::string("<key>") + intKeys[k] + n + "</key><integer>" +
                           std::to_string(values[k]) + "</integer>";
            strs[0] +=
                std::string("<key>FileName") + n + "</key><string>" + entries[i].fileName + "</string>";
            strs[1] +=
                std::string("<key>ProfileName") + n + "</key><string>" + entries[i].profileName + "</string>";
        }
        std::string xml = std::string("<key>") + key + "</key><dict><key>iNum</key><integer>" +
                          std::to_string(entries.size()) + "</integer>";
        for (int k = 0; k < 4; ++k)
            xml += std::string("<key>") + intKeys[k] + "</key><dict>" + ints[k] + "</dict>";
        for (int k = 0; k < 2; ++k)
            xml += std::string("<key>") + strKeys[k] + "</key><dict>" + strs[k] + "</dict>";
        return xml + "</dict>";
    };
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>" + group("RGB", {}) +
           group("SIM", {}) + group("DST", dst) +
           "<key>PlistVersion</key><integer>1</integer></dict></plist>\n";
}

class Ticket : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ppd = OpenTestPPD("QV-MR52.ppd");
        ASSERT_TRUE(ppd);
        pane = std::make_unique<TestPane>(ppd.get(), ColorOptionsRows());
        ASSERT_FALSE(pane->table().empty());
        PDECommon::commonBuildPDEItem(pane->table(), ppd.get());
        PDECommon::commonDefaultFromPPDInfo(pane->table());
        printer.identifier = kQueue;
        session.currentPrinter = &printer;
    }

    PMValue Top(const std::string &key)
    {
        auto found = settings.values.find(key);
        return found == settings.values.end() ? PMValue() : found->second;
    }
    PMDictionaryRef Product() { return Top(tint::kProductName).dictionary(); }
    PMDictionaryRef Model()
    {
        PMDictionaryRef product = Product();
        return product ? PDECommon::commonCFDictionaryGetValueWithType(product, kQueue) : nullptr;
    }
    std::string ModelString(const std::string &key)
    {
        PMDictionaryRef model = Model();
        if (!model || !model->count(key) || !model->at(key).string())
            return "<none>";
        return *model->at(key).string();
    }
    // Stores the model dictionary of this queue as a later dialog would find it.
    PMDictionaryRef StoreModel(PMDictionary values)
    {
        auto model = std::make_shared<PMDictionary>(std::move(values));
        auto product = std::make_shared<PMDictionary>();
        (*product)[kQueue] = PMValue(model);
        settings.values[tint::kProductName] = PMValue(product);
        return model;
    }
    int Value(int row) { return PDECommon::commonGetControlValueWithSInt32(&pane->item(row)); }
    void Set(int row, int value) { PDECommon::commonSetControlValueWithSInt32(&pane->item(row), value); }

    PPDFile ppd;
    std::unique_ptr<TestPane> pane;
    PMPrintSettingsRecord settings;
    PMPrinterRecord printer;
    PMPrintSessionRecord session;
};

TEST_F(Ticket, FirstSynchronisationCreatesTheModelDictionaryAndTopLevelCopies)
{
    Set(kBrightness, 4);
    Set(kColorAsGray, 1);
    Set(kEdgeType, 3);
    ASSERT_EQ(PDECommon::commonSyncTicketFromPane(&settings, &session, pane->table()), 0);
    ASSERT_TRUE(Product());
    EXPECT_EQ(Product()->size(), 1u);
    ASSERT_TRUE(Model());
    const std::map<std::string, std::string> expected = {
        {"WQQuickColor", "Auto"},   {"WQBrightness", "Plus2"},
        {"WQColorAsGray", "True"},  {"WQColorSeparation", "False"},
        {"WQEconoMode", "False"},   {"WQEdgeType", "Strong"},
        {"WQAutoTrapping", "True"}, {"WQBlackOverprint", "Auto"},
        {kDestKey, "Auto"},         {"WQImageDestinationProfileCustom", "False"},
    };
    EXPECT_EQ(Model()->size(), expected.size());
    for (const auto &[key, value] : expected) {
        EXPECT_EQ(ModelString(key), value) << key;
        ASSERT_TRUE(Top(key).string()) << key;
        EXPECT_EQ(*Top(key).string(), value) << key;
    }
}

TEST_F(Ticket, NothingSelectedWritesNothingForThatOption)
{
    Set(kQuickColor, -1);
    ASSERT_EQ(PDECommon::commonSyncTicketFromPane(&settings, &session, pane->table()), 0);
    EXPECT_EQ(ModelString("WQQuickColor"), "<none>");
    EXPECT_TRUE(Top("WQQuickColor").isNull());
    EXPECT_EQ(ModelString("WQBrightness"), "Normal");
}

TEST_F(Ticket, EconoModeWithFalseFirstIsStoredByKeyword)
{
    PPDFile falseFirst = OpenTestPPD("QV-MR52-econo-false-first.ppd");
    ASSERT_TRUE(falseFirst);
    TestPane other(falseFirst.get(), ColorOptionsRows());
    for (int on : {1, 0}) {
        PDECommon::commonSetControlValueWithSInt32(&other.item(kEconoMode), on);
        ASSERT_EQ(PDECommon::commonSyncTicketFromPane(&settings, &session, other.table()), 0);
        EXPECT_EQ(ModelString("WQEconoMode"), on ? "True" : "False");
        EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithNSString(&other.item(kEconoMode)),
                  on ? "On" : "Off");
    }
}

TEST_F(Ticket, RestoringTakesStringsAndLeavesEverythingElseAsItIs)
{
    Set(kQuickColor, 2);
    Set(kBrightness, 0);
    Set(kColorSeparation, 1);
    Set(kEdgeType, 2);
    Set(kAutoTrapping, 1);
    StoreModel({
        {"WQQuickColor", PMValue("Vivid")},        // a choice: taken
        {"WQBrightness", PMValue(3)},              // not a string: unchanged
        {"WQColorAsGray", PMValue("TRUE")},        // on
        {"WQColorSeparation", PMValue(true)},      // not a string: unchanged
        {"WQEconoMode", PMValue("true")},          // on
        {"WQEdgeType", PMValue("Extreme")},        // no such choice: unchanged
        {"WQAutoTrapping", PMValue("yes")},        // another string: off
        {"WQBlackOverprint", PMValue::newArray()}, // not a string: unchanged
        // WQImageDestinationProfile absent: the PPD default
    });
    Set(kBlackOverprint, 2);
    Set(kImageDestination, 2);
    ASSERT_EQ(PDECommon::commonSyncPaneFromTicket(&settings, &session, pane->table()), 0);
    EXPECT_EQ(Value(kQuickColor), 1);
    EXPECT_EQ(Value(kBrightness), 0);
    EXPECT_EQ(Value(kColorAsGray), 1);
    EXPECT_EQ(Value(kColorSeparation), 1);
    EXPECT_EQ(Value(kEconoMode), 1);
    EXPECT_EQ(Value(kEdgeType), 2);
    EXPECT_EQ(Value(kAutoTrapping), 0);
    EXPECT_EQ(Value(kBlackOverprint), 2);
    EXPECT_EQ(Value(kImageDestination), 0);
    // Restoring re-publishes the stored values at the top level.
    ASSERT_TRUE(Top("WQQuickColor").string());
    EXPECT_EQ(*Top("WQQuickColor").string(), "Vivid");
    EXPECT_EQ(Top("WQBrightness").integer() ? *Top("WQBrightness").integer() : -1, 3);
}

TEST_F(Ticket, SettingsOfAnotherPrinterAreNotTaken)
{
    auto otherModel = std::make_shared<PMDictionary>(PMDictionary{{"WQQuickColor", PMValue("Vivid")}});
    auto product = std::make_shared<PMDictionary>();
    (*product)["Queue_B"] = PMValue(otherModel);
    settings.values[tint::kProductName] = PMValue(product);
    Set(kQuickColor, 3);
    ASSERT_EQ(PDECommon::commonSyncPaneFromTicket(&settings, &session, pane->table()), 0);
    EXPECT_EQ(Value(kQuickColor), 0); // this queue has no values yet: the PPD default
    EXPECT_EQ(product->size(), 2u);
    EXPECT_EQ(*otherModel->at("WQQuickColor").string(), "Vivid");
    EXPECT_TRUE(Top("WQQuickColor").isNull());
}

TEST_F(Ticket, StoredEntriesOfTheWrongTypeNeverCrashAndAreKept)
{
    struct Case {
        const char *what;
        std::function<void()> store;
    };
    const Case cases[] = {
        {"product entry is a string", [&] { settings.values[tint::kProductName] = PMValue("garbage"); }},
        {"product entry is an integer", [&] { settings.values[tint::kProductName] = PMValue(42); }},
        {"model entry is a string",
         [&] {
             auto product = std::make_shared<PMDictionary>();
             (*product)[kQueue] = PMValue("garbage");
             settings.values[tint::kProductName] = PMValue(product);
         }},
    };
    for (const Case &c : cases) {
        settings.values.clear();
        c.store();
        const PMPrintSettingsRecord before = settings;
        Set(kQuickColor, 2);
        EXPECT_EQ(PDECommon::commonSyncPaneFromTicket(&settings, &session, pane->table()), 0) << c.what;
        EXPECT_EQ(Value(kQuickColor), 2) << c.what;
        EXPECT_EQ(PDECommon::commonSyncTicketFromPane(&settings, &session, pane->table()), 0) << c.what;
        EXPECT_EQ(settings.values.size(), before.values.size()) << c.what;
        EXPECT_EQ(settings.values.at(tint::kProductName).typeID(),
                  before.values.at(tint::kProductName).typeID())
            << c.what;
    }
}

TEST_F(Ticket, AModelDictionaryNeverReplacesTheProductEntry)
{
    StoreModel({{tint::kProductName, PMValue("x")}, {"WQQuickColor", PMValue("Document")}});
    const PMDictionaryRef product = Product();
    ASSERT_EQ(PDECommon::commonSyncPaneFromTicket(&settings, &session, pane->table()), 0);
    EXPECT_EQ(Value(kQuickColor), 2);
    EXPECT_EQ(Product(), product);
    ASSERT_EQ(PDECommon::commonSyncTicketFromPane(&settings, &session, pane->table()), 0);
    EXPECT_EQ(Product(), product);
}

TEST_F(Ticket, WithoutACurrentPrinterNothingIsSynchronised)
{
    session.currentPrinter = nullptr;
    Set(kQuickColor, 2);
    EXPECT_EQ(PDECommon::commonSyncTicketFromPane(&settings, &session, pane->table()), 0);
    EXPECT_EQ(PDECommon::commonSyncPaneFromTicket(&settings, &session, pane->table()), 0);
    EXPECT_EQ(Value(kQuickColor), 2);
    EXPECT_TRUE(Top("WQQuickColor").isNull());
    EXPECT_EQ(PDECommon::commonGetModelDictionary(&settings, nullptr), nullptr);
    EXPECT_EQ(PDECommon::commonGetModelDictionary(nullptr, &session), nullptr);
}

TEST(NibbleText, EncodesEveryByteAsTwoCharacters)
{
    EXPECT_EQ(tint::nibbleEncode("abc"), "616263");
    EXPECT_EQ(tint::nibbleEncode("/"), "2?");
    EXPECT_EQ(tint::nibbleDecode("616263"), "abc");
    EXPECT_EQ(tint::nibbleDecode("2?"), "/");
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::string encoded = tint::nibbleEncode(all);
    ASSERT_EQ(encoded.size(), 512u);
    for (char c : encoded)
        EXPECT_TRUE(c >= '0' && c <= '?');
    EXPECT_EQ(tint::nibbleDecode(encoded), all);
}

// A destination pop-up (3 PPD choices) followed by the shown profiles of a
// real profile list: "first.icc" and "second.icc" on the printer's disk,
// "user.icc" of location 5, with hidden entries in between.
class AddedProfiles : public Ticket
{
  protected:
    void SetUp() override
    {
        Ticket::SetUp();
        ASSERT_TRUE(WriteFile(root.currentList(), ProfileListXML({
                                                      {2, "hidden.icc", "Hidden", 4},
                                                      {4, "first.icc", "First", 4},
                                                      {5, "userhidden.icc", "User hidden", 5},
                                                      {4, "second.icc", "Second", 4},
                                                      {6, "user.icc", "User", 5},
                                                  })));
        QComboBox *menu = pane->popUp(kImageDestination);
        ASSERT_EQ(menu->count(), 3);
        menu->addItems({"first.icc(First)Disk", "second.icc(Second)Disk", "user.icc(User)"});
        dest = &pane->item(kImageDestination);
    }
    TempRoot root;
    PDEControlItem *dest = nullptr;
};

TEST_F(AddedProfiles, SecondShownProfileOnDiskIsStoredByPathAndRestoredToItsPosition)
{
    Set(kImageDestination, 4);
    ASSERT_EQ(PDECommon::commonSyncTicketFromPane(&settings, &session, pane->table()), 0);
    EXPECT_EQ(ModelString(kDestKey), "Auto");
    EXPECT_EQ(ModelString("WQImageDestinationProfileCustom"), "True");
    EXPECT_EQ(ModelString("WQImageDestinationProfileCustomFilename"),
              tint::nibbleEncode("/ata1a/data/USfiles/Profiles/second.icc"));
    ASSERT_TRUE(Top("WQImageDestinationProfileCustomFilename").string());

    Set(kImageDestination, 1);
    ASSERT_EQ(PDECommon::commonSyncPaneFromTicket(&settings, &session, pane->table()), 0);
    EXPECT_EQ(Value(kImageDestination), 4);
    EXPECT_EQ(PDECommon::commonGetTicketAddedProfile(dest, Model()), 2);
}

TEST_F(AddedProfiles, AProfileOfAnotherLocationIsStoredByFileNameAndRestoresAsTheDefault)
{
    Set(kImageDestination, 5);
    ASSERT_EQ(PDECommon::commonSyncTicketFromPane(&settings, &session, pane->table()), 0);
    EXPECT_EQ(ModelString("WQImageDestinationProfileCustomFilename"), tint::nibbleEncode("user.icc"));
    EXPECT_EQ(ModelString("WQImageDestinationProfileCustom"), "True");
    Set(kImageDestination, 2);
    ASSERT_EQ(PDECommon::commonSyncPaneFromTicket(&settings, &session, pane->table()), 0);
    EXPECT_EQ(Value(kImageDestination), 0);
}

TEST_F(AddedProfiles, FlagOtherThanTrueRestoresFromTheOptionKeyword)
{
    const PMValue path = PMValue(tint::nibbleEncode("/ata1a/data/USfiles/Profiles/second.icc"));
    for (const PMValue &flag : {PMValue("False"), PMValue(), PMValue(true), PMValue("true")}) {
        PMDictionary values{{kDestKey, PMValue("Glossy")}, {"WQImageDestinationProfileCustomFilename", path}};
        if (!flag.isNull())
            values["WQImageDestinationProfileCustom"] = flag;
        StoreModel(values);
        Set(kImageDestination, 0);
        ASSERT_EQ(PDECommon::commonSyncPaneFromTicket(&settings, &session, pane->table()), 0);
        EXPECT_EQ(Value(kImageDestination), 2);
    }
}

TEST_F(AddedProfiles, UnusableStoredPathsRestoreAsTheDefault)
{
    const PMValue paths[] = {PMValue(17), PMValue("not nibbles \xc3\xa9"),
                             PMValue(tint::nibbleEncode("/ata1a/data/USfiles/Profiles/gone.icc")),
                             PMValue(std::string(2000, '6'))};
    for (const PMValue &path : paths) {
        StoreModel({{kDestKey, PMValue("Auto")},
                    {"WQImageDestinationProfileCustom", PMValue("True")},
                    {"WQImageDestinationProfileCustomFilename", path}});
        Set(kImageDestination, 1);
        ASSERT_EQ(PDECommon::commonSyncPaneFromTicket(&settings, &session, pane->table()), 0);
        EXPECT_EQ(Value(kImageDestination), 0);
    }
}

TEST_F(AddedProfiles, OnlyProfilePopUpsTakePart)
{
    const PMDictionaryRef model = std::make_shared<PMDictionary>();
    EXPECT_EQ(PDECommon::commonSetTicketAddedProfile(&pane->item(kBrightness), model, 1),
              tint::kNotApplicable);
    EXPECT_EQ(PDECommon::commonGetTicketAddedProfile(&pane->item(kBrightness), model), -1);
    EXPECT_EQ(PDECommon::commonSetTicketAddedProfile(dest, nullptr, 1), tint::kNotApplicable);
    EXPECT_EQ(PDECommon::commonGetTicketAddedProfile(dest, nullptr), -1);
    EXPECT_EQ(PDECommon::commonSetTicketAddedProfileFlag(&pane->item(kBrightness), model, "True"), 0);
    EXPECT_TRUE(model->empty());
    EXPECT_TRUE(PDECommon::commonGetTicketAddedProfileFlag(&pane->item(kBrightness), model).isNull());
    EXPECT_EQ(PDECommon::commonGetTicketAddedProfile(dest, model), 0);
}

TEST_F(Ticket, AddedProfileWithoutAProfileListStoresAnEmptyPath)
{
    TempRoot emptyRoot;
    pane->popUp(kImageDestination)->addItems({"stale entry"});
    Set(kImageDestination, 3);
    ASSERT_EQ(PDECommon::commonSyncTicketFromPane(&settings, &session, pane->table()), 0);
    EXPECT_EQ(ModelString("WQImageDestinationProfileCustomFilename"), "");
    EXPECT_EQ(ModelString("WQImageDestinationProfileCustom"), "True");
    ASSERT_EQ(PDECommon::commonSyncPaneFromTicket(&settings, &session, pane->table()), 0);
    EXPECT_EQ(Value(kImageDestination), 0);
}

class Summary : public Ticket
{
  protected:
    void SetUp() override
    {
        Ticket::SetUp();
        bundle = root.path() + "/Tintpane.plugin";
        RunCommand("mkdir -p '" + bundle + "/Contents/Resources'");
        ASSERT_TRUE(WriteFile(bundle + "/Contents/Info.plist", "<plist version=\"1.0\"><dict/></plist>\n"));
        Localization::setBundlePath(bundle);
        dict = std::make_shared<PMDictionary>();
        order = std::make_shared<PMArray>();
    }
    void TearDown() override { Localization::setBundlePath(""); }
    std::vector<std::string> Order()
    {
        std::vector<std::string> names;
        for (const PMValue &v : *order)
            names.push_back(v.string() ? *v.string() : "<not a string>");
        return names;
    }
    TempRoot root;
    std::string bundle;
    PMDictionaryRef dict;
    PMArrayRef order;
};

TEST_F(Summary, ListsEveryRecordWithASummaryKeyInTableOrder)
{
    Set(kColorAsGray, 1);
    ASSERT_EQ(PDECommon::commonGetSummaryText(pane->table(), dict, order), 0);
    const std::vector<std::string> names = {
        "Quick Color", "Brightness",   "Color as Grayscale", "Color Separation",         "EconoMode",
        "EdgeType",    "AutoTrapping", "BlackOverprint",     "Image Destination Profile"};
    EXPECT_EQ(Order(), names);
    const std::map<std::string, std::string> values = {
        {"Quick Color", "Automatic"}, {"Brightness", "Normal"}, {"Color as Grayscale", "On"},
        {"Color Separation", "Off"},  {"EdgeType", "Light"},    {"Image Destination Profile", "Automatic"}};
    for (const auto &[name, value] : values) {
        ASSERT_TRUE(dict->count(name)) << name;
        EXPECT_EQ(*dict->at(name).string(), value) << name;
    }
}

TEST_F(Summary, AnItemWithoutValueIsLeftOutAndReported)
{
    Set(kBrightness, -1);
    EXPECT_EQ(PDECommon::commonGetSummaryText(pane->table(), dict, order), tint::kBadArgument);
    EXPECT_EQ(Order().size(), 8u);
    EXPECT_FALSE(dict->count("Brightness"));
    EXPECT_TRUE(dict->count("BlackOverprint"));
}

TEST_F(Summary, SingleItemsAndNoBundle)
{
    EXPECT_EQ(PDECommon::commonGetSummaryTextQuickColor("Image RGB Source", "sRGB", dict, order), 0);
    EXPECT_EQ(Order(), std::vector<std::string>{"Image RGB Source"});
    EXPECT_EQ(*dict->at("Image RGB Source").string(), "sRGB");
    EXPECT_EQ(PDECommon::commonGetSummaryTextQuickColor(nullptr, "x", dict, order), tint::kBadArgument);

    Localization::setBundlePath("/nonexistent/Tintpane.plugin");
    PMDictionaryRef other = std::make_shared<PMDictionary>();
    PMArrayRef otherOrder = std::make_shared<PMArray>();
    EXPECT_EQ(PDECommon::commonGetSummaryText(pane->table(), other, otherOrder), 0);
    EXPECT_EQ(PDECommon::commonGetSummaryTextQuickColor("Quick Color", "x", other, otherOrder), 0);
    EXPECT_TRUE(other->empty());
    EXPECT_TRUE(otherOrder->empty());
}

} // namespace
