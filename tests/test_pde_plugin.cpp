// Plug-in entry and panel lifecycle, as a print dialog drives them.
#include "test_pde_plugin_support.h"

#include "AdvancedColorOptions.h"
#include "ClassRegistry.h"
#include "ColorOptions.h"
#include "DebugLog.h"
#include "Localization.h"
#include "PainChangeController.h"
#include "Precondition.h"
#include "ProfileControl.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTranslator>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>

namespace
{

std::vector<std::string> Strings(const PMArrayRef &array)
{
    std::vector<std::string> out;
    if (array)
        for (const PMValue &value : *array)
            out.push_back(value.string() ? *value.string() : std::string("<not text>"));
    return out;
}

} // namespace

// The suite declares this program's tests with several environment entries
// (C locale, offscreen Qt) on top of the private home; every one must reach
// each discovered test, or the panel's texts follow the caller's locale and
// Qt writes to the caller's folders.
TEST(TestEnvironment, DiscoveredTestsGetTheirWholeEnvironment)
{
    const char *home = std::getenv("HOME");
    const char *config = std::getenv("XDG_CONFIG_HOME");
    const char *lcAll = std::getenv("LC_ALL");
    const char *language = std::getenv("LANGUAGE");
    if (config == nullptr && lcAll == nullptr)
        TINT_SKIP_OUTSIDE_CI("run through ctest, which gives the test its environment");
    ASSERT_TRUE(home && config && lcAll && language);
    EXPECT_EQ(std::string(config), std::string(home) + "/.config");
    EXPECT_STREQ(lcAll, "C");
    EXPECT_STREQ(language, "");
}

TEST(PlugInEntry, AnswersOnlyThePrinterModuleType)
{
    struct Case {
        const char *type;
        bool answered;
    } const cases[] = {
        {"BDB091F4-E57F-11D3-B5CC-0050E4603277", true},
        {"bdb091f4-e57f-11d3-b5cc-0050e4603277", false},
        {"BDB091F4-E57F-11D3-B5CC-0050E4603277 ", false},
        {"BDB091F4-E57F-11D3-B5CC-0050E460327", false},
        {"", false},
    };
    PDEPlugIn plugIn;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.type);
        auto panels = plugIn.PDEPanelsForType(c.type, nullptr);
        ASSERT_EQ(panels.has_value(), c.answered);
        if (c.answered) {
            EXPECT_EQ(panels->size(), 1u);
        }
    }
}

TEST(PlugInEntry, FirstBundleStays)
{
    PDEPlugIn first;
    EXPECT_TRUE(first.initWithBundle(kTestBundle));
    PDEPlugIn second;
    EXPECT_TRUE(second.initWithBundle("/nonexistent/Other.plugin"));
    EXPECT_EQ(PDEPlugIn::pluginBundle(), kTestBundle);
}

TEST(PlugInEntry, FactoryMakesOnlyThePrincipalClass)
{
    struct Case {
        std::string name;
        bool made;
    } const cases[] = {
        {"PDEPlugIn_6F1D0C3A_92E4_4B7A_8C15_D2A9E7F40B18", true},
        {"PDEPlugIn", false},
        {"PDEPlugIn_6f1d0c3a_92e4_4b7a_8c15_d2a9e7f40b18", false},
        // Registered, but a view: the host could not use it.
        {"ColorOptions_6F1D0C3A_92E4_4B7A_8C15_D2A9E7F40B18", false},
        {"PainChangeController_6F1D0C3A_92E4_4B7A_8C15_D2A9E7F40B18", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<PDEPlugInProtocol> object(
            static_cast<PDEPlugInProtocol *>(TintpaneCreateObject(c.name.c_str())));
        EXPECT_EQ(object != nullptr, c.made);
    }
    EXPECT_EQ(TintpaneCreateObject(nullptr), nullptr);
    // The bundle names the same class.
    const std::string info = ReadFile(kTestBundle + "/Contents/Info.plist");
    EXPECT_NE(info.find("<string>PDEPlugIn_6F1D0C3A_92E4_4B7A_8C15_D2A9E7F40B18</string>"),
              std::string::npos);
}

TEST(PlugInEntry, ModuleExportsOnlyTheFactoryAndLogging)
{
    int status = -1;
    const std::string out =
        RunCommand("nm -D --defined-only '" + std::string(TINT_PLUGIN_LIBRARY) + "'", &status);
    ASSERT_EQ(status, 0) << out;
    std::set<std::string> exported;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (!(fields >> address >> type >> name) || type.size() != 1)
            continue;
        // Lower-case types are local symbols a sanitizer build keeps in the
        // dynamic table; "A" marks the version definitions.
        const char t = type[0];
        const bool global = (std::isupper(static_cast<unsigned char>(t)) && t != 'A') || t == 'u';
        if (global)
            exported.insert(name.substr(0, name.find('@')));
    }
    const std::set<std::string> expected = {"TintpaneCreateObject", "MyLog",   "_PDEProlog",
                                            "_PDEEpilog",           "_PDELog", "_DEBUGControlTable"};
    EXPECT_EQ(exported, expected);
}

TEST_F(PanelTest, SummaryBeforeTheViewLoadsAFullSummary)
{
    auto panel = makePanel(host);
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->pdeMainView, nullptr);
    PMDictionaryRef summary = panel->summaryInfo();
    ASSERT_TRUE(summary);
    EXPECT_NE(panel->pdeMainView, nullptr);
    const std::vector<std::string> order = Strings((*summary)[kPDESummaryDisplayOrderKey].array());
    // Eight items of the Color Options pane, then the 21 advanced ones of the
    // default Quick Color preset.
    ASSERT_EQ(order.size(), 29u);
    const std::vector<std::string> colorItems = {"Quick Color",      "Brightness",    "Color as Grayscale",
                                                 "Color Separation", "EconoMode",     "EdgeType",
                                                 "AutoTrapping",     "BlackOverprint"};
    EXPECT_EQ(std::vector<std::string>(order.begin(), order.begin() + 8), colorItems);
    EXPECT_EQ(order[8], "Image RGB Source");
    EXPECT_EQ(order.back(), "CMYK Gray Treatment");
    for (const std::string &name : order) {
        auto it = summary->find(name);
        ASSERT_NE(it, summary->end()) << name;
        ASSERT_TRUE(it->second.string()) << name;
        EXPECT_FALSE(it->second.string()->empty()) << name;
    }
    EXPECT_EQ(*(*summary)["Quick Color"].string(), "Automatic");
}

TEST_F(PanelTest, ViewLoadsOnce)
{
    auto panel = makePanel(host);
    ASSERT_TRUE(panel);
    QWidget *view = panel->panelView();
    ASSERT_NE(view, nullptr);
    ColorOptions *pane = panel->onColorView;
    PDEControlItem *table = pane ? pane->getControlData().data() : nullptr;
    PDEControlItem *compound = panel->compTable.data();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(panel->panelView(), view);
    EXPECT_EQ(panel->onColorView, pane);
    EXPECT_EQ(pane->getControlData().data(), table);
    EXPECT_EQ(panel->compTable.data(), compound);
    EXPECT_EQ(view->findChildren<ColorOptions *>().size(), 1);
    panel->supportedPPDOptionKeys();
    panel->restoreValuesAndReturnError(nullptr);
    EXPECT_EQ(view->findChildren<ColorOptions *>().size(), 1);
    EXPECT_EQ(panel->compTable.data(), compound);
}

TEST_F(PanelTest, LayoutConnectsEveryOutlet)
{
    auto panel = makePanel(host);
    ASSERT_TRUE(panel && panel->panelView());
    ASSERT_TRUE(panel->onColorView && panel->onAdvancedView && panel->painChange && panel->profileControl);
    EXPECT_EQ(panel->painChange->onColorView, panel->onColorView);
    EXPECT_EQ(panel->painChange->onAdvancedView, panel->onAdvancedView);
    EXPECT_NE(panel->painChange->onMainCustomView, nullptr);
    EXPECT_EQ(panel->profileControl->onAdvancedView, panel->onAdvancedView);
    EXPECT_EQ(panel->onColorView->getControlCount(), 14);
    EXPECT_EQ(panel->onAdvancedView->getControlCount(), 47);

    // A control missing from the layout would end a table early.
    const std::vector<PDEControlInfo> controls = panel->controlInfo();
    ASSERT_EQ(controls.size(), 13u + 46u);
    for (const PDEControlInfo &info : controls) {
        ASSERT_NE(info.control, nullptr);
        const std::string name = info.control->objectName().toStdString();
        EXPECT_TRUE(name.rfind("menu_", 0) == 0 || name.rfind("check_", 0) == 0 ||
                    name.rfind("text_", 0) == 0 || name.rfind("button_", 0) == 0 || name == "tab_SwitchVew")
            << name;
    }
    EXPECT_EQ(_DEBUGControlTable(panel->compTable.data()), 60);
    EXPECT_EQ(_DEBUGControlTable(panel->onColorView->getControlData().data()), 14);
    EXPECT_EQ(_DEBUGControlTable(nullptr), 0);

    const std::vector<std::string> keys = panel->supportedPPDOptionKeys();
    ASSERT_EQ(keys.size(), 29u);
    EXPECT_EQ(keys.front(), "WQImageRGBSource");
    EXPECT_EQ(keys[20], "WQSimGrayTreatment");
    EXPECT_EQ(keys[21], "WQQuickColor");
    EXPECT_EQ(keys.back(), "WQBlackOverprint");
}

TEST_F(PanelTest, RestoreTicketWinsOverTheDefault)
{
    {
        auto first = makePanel(host);
        ASSERT_TRUE(first && first->panelView());
        first->restoreValuesAndReturnError(nullptr);
        ColorOptions *pane = first->onColorView;
        ASSERT_GE(pane->menu_Brightness->count(), 2);
        EXPECT_EQ(pane->menu_Brightness->itemData(pane->menu_Brightness->currentIndex()).toString(),
                  "Normal");
        pane->menu_Brightness->setCurrentIndex(pane->menu_Brightness->currentIndex() == 0 ? 1 : 0);
        pane->check_EconomyPrint->setChecked(true);
        EXPECT_TRUE(first->saveValuesAndReturnError(nullptr));
    }
    PMDictionaryRef model = host.modelDictionary();
    ASSERT_TRUE(model);
    ASSERT_TRUE(model->count("WQBrightness"));
    const std::string brightness = *(*model)["WQBrightness"].string();
    EXPECT_NE(brightness, "Normal");
    // No value in the ticket for EconoMode: the PPD's default stands.
    model->erase("WQEconoMode");
    host.settings.values.erase("WQEconoMode");

    auto second = makePanel(host);
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->restoreValuesAndReturnError(nullptr));
    ColorOptions *pane = second->onColorView;
    ASSERT_TRUE(pane);
    EXPECT_EQ(pane->menu_Brightness->itemData(pane->menu_Brightness->currentIndex()).toString().toStdString(),
              brightness);
    EXPECT_FALSE(pane->check_EconomyPrint->isChecked());
}

TEST_F(PanelTest, ShouldPrintWritesOnlyTheAdvancedPane)
{
    auto panel = makePanel(host);
    ASSERT_TRUE(panel && panel->panelView());
    panel->restoreValuesAndReturnError(nullptr);
    ColorOptions *pane = panel->onColorView;
    ASSERT_TRUE(pane->check_AutoTrapping->isChecked());
    pane->check_AutoTrapping->setChecked(false);

    EXPECT_TRUE(panel->shouldPrint());
    EXPECT_EQ(host.topLevel("WQAutoTrapping"), "");
    EXPECT_EQ(host.topLevel("WQQuickColor"), "");
    EXPECT_NE(host.topLevel("WQImageHalftone"), "");
    if (PMDictionaryRef model = host.modelDictionary()) {
        EXPECT_EQ(model->count("WQAutoTrapping"), 0u);
    }

    EXPECT_TRUE(panel->saveValuesAndReturnError(nullptr));
    EXPECT_EQ(host.topLevel("WQAutoTrapping"), "False");
    EXPECT_EQ(host.topLevel("WQQuickColor"), "Auto");
}

TEST_F(PanelTest, WillShowReturnsToColorOptions)
{
    auto panel = makePanel(host);
    ASSERT_TRUE(panel && panel->panelView());
    panel->willShow();
    EXPECT_EQ(panel->shownPane(), "ColorOptions");
    ASSERT_TRUE(panel->showAdvancedPane());
    EXPECT_EQ(panel->shownPane(), "AdvancedColorOptions");
    panel->willShow();
    EXPECT_EQ(panel->shownPane(), "ColorOptions");
    panel->willShow();
    EXPECT_EQ(panel->shownPane(), "ColorOptions");

    // The panes' own buttons switch back and forth.
    panel->onColorView->button_AdvanceColorOptions->setEnabled(true);
    panel->onColorView->button_AdvanceColorOptions->click();
    EXPECT_EQ(panel->shownPane(), "AdvancedColorOptions");
    panel->onAdvancedView->button_HideAdvancedOptions->click();
    EXPECT_EQ(panel->shownPane(), "ColorOptions");
}

TEST_F(PanelTest, OnlyUserActionsRunTheRules)
{
    auto panel = makePanel(host);
    ASSERT_TRUE(panel && panel->panelView());
    panel->restoreValuesAndReturnError(nullptr);
    ColorOptions *pane = panel->onColorView;
    AdvancedColorOptions *advanced = panel->onAdvancedView;
    ASSERT_TRUE(advanced->menu_iRGBSource->isEnabled());

    // Set by code: no rule runs.
    pane->check_ColorSeparation->setChecked(true);
    pane->check_ColorAsGrayscale->setChecked(true);
    EXPECT_TRUE(pane->check_ColorSeparation->isChecked());
    EXPECT_TRUE(pane->check_ColorSeparation->isEnabled());
    pane->check_ColorAsGrayscale->setChecked(false);

    // A click re-runs the rules over both panes: grayscale excludes
    // separation and greys out the advanced RGB pop-ups.
    pane->check_ColorAsGrayscale->click();
    ASSERT_TRUE(pane->check_ColorAsGrayscale->isChecked());
    EXPECT_FALSE(pane->check_ColorSeparation->isChecked());
    EXPECT_FALSE(pane->check_ColorSeparation->isEnabled());
    EXPECT_FALSE(advanced->menu_iRGBSource->isEnabled());

    pane->check_ColorAsGrayscale->click();
    EXPECT_TRUE(pane->check_ColorSeparation->isEnabled());
    EXPECT_TRUE(advanced->menu_iRGBSource->isEnabled());
}

TEST_F(PanelTest, TranslationsInTheBundle)
{
    auto panel = makePanel(host);
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->panelName(), "Color Options");
    EXPECT_EQ(panel->panelKind(), "com.varno.QV-MR52.pde.ColorOptions");

    QTranslator german;
    ASSERT_TRUE(german.load(QString::fromStdString(kTestBundle + "/Contents/Resources/Localizable_de.qm")));
    EXPECT_EQ(german.translate("Tintpane", "Color Options"), "Farboptionen");
    EXPECT_EQ(german.translate("Tintpane", "Advanced Color Options"), "Erweiterte Farboptionen");
}

TEST(Translations, EveryKeyTheCodeLooksUpInEnglishAndGerman)
{
    // Panel name, the Color Options pane's titles, labels and summary names,
    // the Advanced pane's, tabs, buttons, the location word, the window title.
    const char *const keys[] = {"Color Options",
                                "Quick Color",
                                "Brightness",
                                "Color as Grayscale",
                                "Color Separation",
                                "EconoMode",
                                "EdgeType",
                                "AutoTrapping",
                                "BlackOverprint",
                                "Quick Color:",
                                "Brightness:",
                                "EdgeType:",
                                "BlackOverprint:",
                                "Advanced Color Options",
                                "RGB Source:",
                                "RGB Intent:",
                                "RGB Gray Treatment:",
                                "Destination Profile:",
                                "Halftone:",
                                "EdgeEnhance:",
                                "Simulation Profile:",
                                "Match Paper Color:",
                                "CMYK Gray Treatment:",
                                "Image RGB Source",
                                "Image RGB Intent",
                                "Image RGB Gray Treatment",
                                "Image Destination Profile",
                                "Image Halftone",
                                "Image EdgeEnhance",
                                "Text RGB Source",
                                "Text RGB Intent",
                                "Text RGB Gray Treatment",
                                "Text Destination Profile",
                                "Text Halftone",
                                "Text EdgeEnhance",
                                "Graphics RGB Source",
                                "Graphics RGB Intent",
                                "Graphics RGB Gray Treatment",
                                "Graphics Destination Profile",
                                "Graphics Halftone",
                                "Graphics EdgeEnhance",
                                "Simulation Profile",
                                "Match Paper Color",
                                "CMYK Gray Treatment",
                                "Image",
                                "Text",
                                "Graphics",
                                "Simulation",
                                "Management Profile",
                                "Sendrix",
                                "Hide Advanced Options",
                                "Disk",
                                "ProfileTitle"};
    for (const char *language : {"en", "de"}) {
        SCOPED_TRACE(language);
        QTranslator translator;
        ASSERT_TRUE(translator.load(
            QString::fromStdString(kTestBundle + "/Contents/Resources/Localizable_" + language + ".qm")));
        for (const char *key : keys)
            EXPECT_FALSE(translator.translate("Tintpane", key).isEmpty()) << key;
        // The profile window's title is a title, not its key.
        const QString title = translator.translate("Tintpane", "ProfileTitle");
        EXPECT_NE(title, "ProfileTitle");
    }
}

// What a screen reader meets, walked through Qt's accessibility interface:
// every control has a name (a pop-up its label's text), can take keyboard
// focus, and a greyed one has the reason as its description.
TEST_F(PanelTest, EveryControlIsNamedAndAGreyedOneSaysWhy)
{
    auto panel = makePanel(host);
    ASSERT_TRUE(panel && panel->panelView());
    int error = 0;
    ASSERT_TRUE(panel->restoreValuesAndReturnError(&error));
    int greyed = 0;
    for (const PDEControlInfo &info : panel->controlInfo()) {
        if (info.kind != 1035 && info.kind != 1036 && info.kind != 1039)
            continue;
        const std::string outlet = info.control->objectName().toStdString();
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(info.control);
        ASSERT_TRUE(accessible) << outlet;
        const QString name =
            info.kind == 1035 ? info.control->accessibleName() : accessible->text(QAccessible::Name);
        EXPECT_FALSE(name.isEmpty()) << outlet;
        EXPECT_TRUE(accessible->state().focusable) << outlet;
        const QString description = accessible->text(QAccessible::Description);
        if (info.control->isEnabled()) {
            EXPECT_TRUE(description.isEmpty()) << outlet;
        } else {
            ++greyed;
            EXPECT_FALSE(description.isEmpty()) << outlet;
            EXPECT_EQ(description, info.control->toolTip()) << outlet;
        }
    }
    // Quick Color is not Custom: at least the way to the advanced options.
    EXPECT_GE(greyed, 1);
    // A pop-up is named after its label.
    EXPECT_EQ(panel->onColorView->menu_QuickColor->accessibleName(), "Quick Color");
}

// Under C (or any language without translations) the texts are English,
// never the keys: the profile window's title among them.
TEST(Translations, CLocaleReadsEnglishNotKeys)
{
    Localization::setBundlePath(kTestBundle);
    EXPECT_EQ(Localization::localizedString("ProfileTitle").value_or(""), "Profile Management");
    EXPECT_EQ(Localization::localizedString("Choose %1 \"%2\" to change the advanced options").value_or(""),
              "Choose %1 \"%2\" to change the advanced options");
    Localization::setBundlePath("");
}

TEST(DebugLog, MyLogFormatsLikePrintfAndObjects)
{
    std::FILE *file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    QObject probe;
    probe.setObjectName("probe");
    EXPECT_EQ(MyLog(file, "%d|%5.2f|%-4s|%*d|%lld|%%|%c|%@|%s", -7, 3.14159, "ab", 3, 9, 1234567890123LL, 'x',
                    &probe, "end"),
              0);
    EXPECT_EQ(MyLog(file, "%@", static_cast<QObject *>(nullptr)), 0);
    // Wide directives in their old spellings take their argument too.
    EXPECT_EQ(MyLog(file, "<%S|%C|%s>", L"wide", static_cast<wint_t>(L'w'), "next"), 0);
    EXPECT_EQ(MyLog(nullptr, "ignored %d", 1), 0);
    std::rewind(file);
    char buffer[256] = {};
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, file);
    std::fclose(file);
    const std::string text(buffer, n);
    EXPECT_EQ(text.substr(0, 37), "-7| 3.14|ab  |  9|1234567890123|%|x|Q");
    EXPECT_NE(text.find("\"probe\")|end"), std::string::npos) << text;
    EXPECT_NE(text.find("(null)"), std::string::npos) << text;
    EXPECT_NE(text.find("<wide|w|next>"), std::string::npos) << text;
}
