// Choice lists, encodings, conflict markers, titles and menus over the real
// PPD files of the sample printer.
#include "test_pde_common_support.h"

#include "Localization.h"
#include "TempRoot.h"

#include <QLocale>
#include <QTabWidget>

#include <cups/array.h>
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

namespace
{

// Every mark of a PPD, as the flags of its choices and as the PPD's list of
// marked choices, plus every option's conflict flag.
struct Marking {
    std::set<std::string> flags;
    std::set<std::string> list;
    std::map<std::string, int> conflicted;
    bool operator==(const Marking &) const = default;
};

Marking MarkingOf(ppd_file_t *ppd)
{
    Marking m;
    for (int g = 0; g < ppd->num_groups; ++g) {
        ppd_group_t &group = ppd->groups[g];
        for (int o = 0; o < group.num_options; ++o) {
            ppd_option_t &option = group.options[o];
            m.conflicted[option.keyword] = option.conflicted;
            for (int c = 0; c < option.num_choices; ++c)
                if (option.choices[c].marked)
                    m.flags.insert(std::string(option.keyword) + "=" + option.choices[c].choice);
        }
    }
    for (auto *c = static_cast<ppd_choice_t *>(cupsArrayFirst(ppd->marked)); c;
         c = static_cast<ppd_choice_t *>(cupsArrayNext(ppd->marked)))
        m.list.insert(std::string(c->option->keyword) + "=" + c->choice);
    return m;
}

std::vector<std::string> Column(const PPDChoiceList &list, std::size_t column)
{
    std::vector<std::string> out;
    for (const PPDChoiceEntry &e : list)
        out.push_back(e[column]);
    return out;
}

struct EncodingCase {
    const char *ppd;
    std::vector<std::string> quickColorTexts;
    std::string grayOnText;
    uint32_t encoding;
    uint32_t cfEncoding;
};

class PPDText : public ::testing::TestWithParam<EncodingCase>
{
};

// libcups reads every PPD into UTF-8 and reports "UTF-8" for any keyword,
// so only the file without the keyword keeps the Mac OS Roman codes.
INSTANTIATE_TEST_SUITE_P(
    EveryEncoding, PPDText,
    ::testing::Values(
        EncodingCase{"QV-MR52-ISOLatin1.ppd",
                     {"Automatique", "Couleurs éclatantes", "Bureautique", "Personnalisé"},
                     "Activé",
                     4,
                     0x08000100},
        EncodingCase{"QV-MR52-WindowsANSI.ppd",
                     {"Automatique", "Éclat – vif", "Documents…", "Personnalisé"},
                     "Activé",
                     4,
                     0x08000100},
        EncodingCase{"QV-MR52-JIS83-RKSJ.ppd", {"自動", "鮮やか", "文書", "カスタム"}, "オン", 4, 0x08000100},
        EncodingCase{
            "QV-MR52-UTF-8.ppd", {"Ünïcödé Auto", "Vivid ★", "文書", "Custom ✓"}, "Ön", 4, 0x08000100},
        EncodingCase{"QV-MR52-no-encoding.ppd",
                     {"Automatique", "Couleurs éclatantes", "Bureautique", "Personnalisé"},
                     "Activé",
                     30,
                     0}));

TEST_P(PPDText, ChoiceListsAndMenusCarryTheTextsUnchanged)
{
    const EncodingCase &c = GetParam();
    PPDFile ppd = OpenTestPPD(c.ppd);
    ASSERT_TRUE(ppd) << c.ppd;
    EXPECT_EQ(PDECommon::commonGetEncodingFromPPD(ppd.get()), c.encoding);
    EXPECT_EQ(PDECommon::commonGetCFStringEncodingFromPPD(ppd.get()), c.cfEncoding);

    TestPane pane(ppd.get(), ColorOptionsRows());
    PDECommon::commonBuildPDEItem(pane.table(), ppd.get());
    const PPDChoiceList *quick = pane.item(kQuickColor).choices.get();
    ASSERT_NE(quick, nullptr);
    EXPECT_EQ(Column(*quick, kPPDChoiceText), c.quickColorTexts);
    EXPECT_EQ(Column(*quick, kPPDChoiceOption), std::vector<std::string>(4, "WQQuickColor"));
    EXPECT_EQ(Column(*quick, kPPDChoiceDefault), std::vector<std::string>(4, "Auto"));

    QComboBox *menu = pane.popUp(kQuickColor);
    ASSERT_EQ(menu->count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(menu->itemText(i).toStdString(), c.quickColorTexts[i]);
        EXPECT_EQ(menu->itemData(i).toString().toStdString(), (*quick)[i][kPPDChoiceKeyword]);
    }
    PDECommon::commonSetControlValueWithSInt32(&pane.item(kColorAsGray), 1);
    EXPECT_EQ(PDECommon::commonGetControlValueFromPPDWithNSString(&pane.item(kColorAsGray)), c.grayOnText);
}

TEST(PPDEncoding, CodesFollowTheLanguageEncodingExactly)
{
    struct Case {
        const char *name;
        uint32_t encoding;
        uint32_t cfEncoding;
    };
    const Case cases[] = {
        {"ISOLatin1", 5, 513},   {"WindowsANSI", 12, 1280}, {"JIS83-RKSJ", 8, 2561},
        {"UTF-8", 4, 134217984}, {"UTF8", 4, 134217984},    {"utf-8", 30, 0},
        {"isolatin1", 30, 0},    {"MacStandard", 30, 0},    {"", 30, 0},
        {nullptr, 30, 0},
    };
    for (const Case &c : cases) {
        ppd_file_t fake{};
        fake.lang_encoding = const_cast<char *>(c.name);
        EXPECT_EQ(PDECommon::commonGetEncodingFromPPD(&fake), c.encoding) << (c.name ? c.name : "(none)");
        EXPECT_EQ(PDECommon::commonGetCFStringEncodingFromPPD(&fake), c.cfEncoding)
            << (c.name ? c.name : "(none)");
    }
    EXPECT_EQ(PDECommon::commonGetEncodingFromPPD(nullptr), 30u);
    EXPECT_EQ(PDECommon::commonGetCFStringEncodingFromPPD(nullptr), 0u);
}

TEST(PPDLists, MissingOptionLeavesTheReferenceAndAnOptionWithoutChoicesGivesAnEmptyList)
{
    PPDFile ppd = OpenTestPPD("QV-MR52-empty-option.ppd");
    ASSERT_TRUE(ppd);
    const PPDChoiceListRef untouched = std::make_shared<const PPDChoiceList>();
    PPDChoiceListRef list = untouched;
    EXPECT_EQ(PDECommon::commonGetPPDArrayForUIOption(ppd.get(), "WQNoSuchOption", &list),
              tint::kOptionNotFound);
    EXPECT_EQ(list, untouched);

    list = nullptr;
    ASSERT_EQ(PDECommon::commonGetPPDArrayForUIOption(ppd.get(), "WQBlackOverprint", &list), 0);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->empty());

    TestPane pane(ppd.get(), ColorOptionsRows());
    pane.popUp(kBlackOverprint)->addItems({"layout"});
    PDECommon::commonBuildPDEItem(pane.table(), ppd.get());
    EXPECT_EQ(pane.popUp(kBlackOverprint)->count(), 0);
    PDECommon::commonDefaultFromPPDInfo(pane.table());
    EXPECT_EQ(pane.popUp(kBlackOverprint)->currentIndex(), -1);

    int16_t count = 7;
    EXPECT_EQ(PDECommon::commonGetUIListFromPPD(ppd.get(), "WQEdgeType", nullptr, &count), 0);
    EXPECT_EQ(count, 7);
}

class ConflictMarkers : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ppd = OpenTestPPD("QV-MR52.ppd");
        ASSERT_TRUE(ppd);
    }
    const PPDChoiceEntry &Entry(const PPDChoiceList &list, const char *choice)
    {
        for (const PPDChoiceEntry &e : list)
            if (e[kPPDChoiceKeyword] == choice)
                return e;
        static const PPDChoiceEntry none{};
        return none;
    }
    PPDFile ppd;
};

TEST_F(ConflictMarkers, MarkTheChoicesThatConflictWithWhatIsMarkedAndLeaveTheMarkingAsItWas)
{
    PPDChoiceListRef list;
    Marking before = MarkingOf(ppd.get());
    ASSERT_EQ(PDECommon::commonGetPPDArrayForUIOption(ppd.get(), "WQColorSeparation", &list), 0);
    EXPECT_EQ(Entry(*list, "True")[kPPDChoiceConflict], kPPDChoiceConflictFalse);
    EXPECT_EQ(Entry(*list, "False")[kPPDChoiceConflict], kPPDChoiceConflictFalse);
    EXPECT_EQ(MarkingOf(ppd.get()), before);

    ppdMarkOption(ppd.get(), "WQColorAsGray", "True");
    before = MarkingOf(ppd.get());
    list = nullptr;
    ASSERT_EQ(PDECommon::commonGetPPDArrayForUIOption(ppd.get(), "WQColorSeparation", &list), 0);
    EXPECT_EQ(Entry(*list, "True")[kPPDChoiceConflict], kPPDChoiceConflictTrue);
    EXPECT_EQ(Entry(*list, "False")[kPPDChoiceConflict], kPPDChoiceConflictFalse);
    EXPECT_EQ(MarkingOf(ppd.get()), before);
    EXPECT_TRUE(ppdIsMarked(ppd.get(), "WQColorSeparation", "False"));
}

TEST_F(ConflictMarkers, AnAlreadyMarkedChoiceReportsTheOptionsFlag)
{
    ppdMarkOption(ppd.get(), "WQColorAsGray", "True");
    ppdMarkOption(ppd.get(), "WQColorSeparation", "True");
    const Marking before = MarkingOf(ppd.get());
    EXPECT_TRUE(PDECommon::commonIsPPDChoiceConflicted(ppd.get(), "WQColorSeparation", "True"));
    EXPECT_FALSE(PDECommon::commonIsPPDChoiceConflicted(ppd.get(), "WQEdgeType", "Light"));
    EXPECT_EQ(MarkingOf(ppd.get()), before);
}

TEST(ConflictMarkersUnmarked, AnOptionWithoutMarkedChoiceKeepsNone)
{
    PPDFile ppd = OpenTestPPD("QV-MR52-unmarked-default.ppd");
    ASSERT_TRUE(ppd);
    ASSERT_EQ(ppdFindMarkedChoice(ppd.get(), "WQEdgeType"), nullptr);
    const Marking before = MarkingOf(ppd.get());
    for (const char *choice : {"Off", "Light", "Medium", "Strong", "Extreme"})
        EXPECT_FALSE(PDECommon::commonIsPPDChoiceConflicted(ppd.get(), "WQEdgeType", choice)) << choice;
    EXPECT_EQ(ppdFindMarkedChoice(ppd.get(), "WQEdgeType"), nullptr);
    EXPECT_EQ(MarkingOf(ppd.get()), before);

    PPDChoiceListRef list;
    ASSERT_EQ(PDECommon::commonGetPPDArrayForUIOption(ppd.get(), "WQEdgeType", &list), 0);
    EXPECT_EQ(list->size(), 4u);
    EXPECT_EQ(MarkingOf(ppd.get()), before);
    EXPECT_FALSE(PDECommon::commonIsPPDChoiceConflicted(ppd.get(), "WQNoSuchOption", "Off"));
}

// A bundle folder in a temporary root, named as the texts' source for the
// length of a test.
class Titles : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EnsureQtApplication();
        bundle = root.path() + "/Tintpane.plugin";
        ASSERT_EQ(RunCommand("mkdir -p '" + bundle + "/Contents/Resources'"), "");
        ASSERT_TRUE(WriteFile(bundle + "/Contents/Info.plist", "<plist version=\"1.0\"><dict/></plist>\n"));
        Localization::setBundlePath(bundle);
        ppd = OpenTestPPD("QV-MR52-no-brightness.ppd");
        ASSERT_TRUE(ppd);
    }
    void TearDown() override { Localization::setBundlePath(""); }
    TempRoot root;
    std::string bundle;
    PPDFile ppd;
};

TEST_F(Titles, KeysWithoutTranslationShowAsThemselves)
{
    TestPane pane(ppd.get(), ColorOptionsRows());
    pane.popUp(kBrightness)->addItem("layout");
    PDECommon::commonBuildPDEItem(pane.table(), ppd.get());
    EXPECT_EQ(qobject_cast<QLabel *>(pane.item(kQuickColorLabel).control)->text(), "Quick Color:");
    EXPECT_EQ(pane.checkBox(kEconoMode)->text(), "EconoMode");
    EXPECT_EQ(qobject_cast<QAbstractButton *>(pane.item(kAdvancedButton).control)->text(),
              "Advanced Color Options");
    EXPECT_EQ(pane.popUp(kBrightness)->itemText(0), "layout"); // no such option in this PPD
}

TEST_F(Titles, TabsAreLabelledByPositionAndLaterTabsTakeTheLastLabel)
{
    TestPane pane(ppd.get(), {{kPDEControlTabView, "", "Image", nullptr, "", kProfileListNone},
                              {kPDEControlTabView, "", nullptr, nullptr, "", kProfileListNone}});
    for (int row = 0; row < 2; ++row) {
        auto *tabs = qobject_cast<QTabWidget *>(pane.item(row).control);
        for (int i = 0; i < 5; ++i)
            tabs->addTab(new QWidget, QStringLiteral("layout"));
    }
    PDECommon::commonBuildPDEItem(pane.table(), ppd.get());
    auto *tabs = qobject_cast<QTabWidget *>(pane.item(0).control);
    const QStringList expected = {"Image", "Text", "Graphics", "Simulation", "Simulation"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(tabs->tabText(i), expected[i]);
    // Without a title key the layout's labels stay.
    EXPECT_EQ(qobject_cast<QTabWidget *>(pane.item(1).control)->tabText(0), "layout");
}

TEST_F(Titles, TranslationsOfTheBundleAreUsed)
{
    // A translation for the locale the process runs in.
    QString locale = QLocale::system().uiLanguages().value(0, QStringLiteral("C"));
    locale.replace('-', '_');
    const std::string ts = root.path() + "/t.ts";
    ASSERT_TRUE(WriteFile(ts, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                              "<TS version=\"2.1\"><context><name>Tintpane</name>\n"
                              "<message><source>Quick Color:</source><translation>Schnellfarbe:</translation>"
                              "</message>\n<message><source>Image</source><translation>Bild</translation>"
                              "</message>\n</context></TS>\n"));
    const std::string qm = bundle + "/Contents/Resources/Localizable_" + locale.toStdString() + ".qm";
    int status = -1;
    RunCommand(std::string("'") + TINT_LRELEASE + "' -silent '" + ts + "' -qm '" + qm + "'", &status);
    ASSERT_EQ(status, 0);

    TestPane pane(ppd.get(), ColorOptionsRows());
    PDECommon::commonBuildPDEItem(pane.table(), ppd.get());
    EXPECT_EQ(qobject_cast<QLabel *>(pane.item(kQuickColorLabel).control)->text(), "Schnellfarbe:");
    EXPECT_EQ(pane.checkBox(kEconoMode)->text(), "EconoMode");
    EXPECT_EQ(Localization::localizedString("Image"), QString("Bild"));
}

TEST(TitlesWithoutBundle, LeaveTheLayoutsTitles)
{
    EnsureQtApplication();
    Localization::setBundlePath("/nonexistent/Tintpane.plugin");
    PPDFile ppd = OpenTestPPD("QV-MR52.ppd");
    TestPane pane(ppd.get(), ColorOptionsRows());
    PDECommon::commonBuildPDEItem(pane.table(), ppd.get());
    EXPECT_EQ(pane.checkBox(kEconoMode)->text(), "layout");
    EXPECT_EQ(pane.popUp(kQuickColor)->count(), 4); // menus do not need the bundle
    Localization::setBundlePath("");
}

} // namespace
