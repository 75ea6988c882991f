// The Advanced Color Options pane over the real layout and the sample PPD:
// its table, the Quick Color presets at print time and in the summary, and
// the pane switch.
#include "AdvancedColorOptions.h"
#include "ColorOptions.h"
#include "ColorPresetConstraints.h"
#include "Localization.h"
#include "PDECommon.h"
#include "PainChangeController.h"
#include "Precondition.h"
#include "SessionBus.h"
#include "TintPaths.h"
#include "test_advanced_keys.h"
#include "test_pde_plugin_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

// The summary item names of the advanced options.
const char *const kSummaryNames[kAdvancedPopups] = {
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
};
constexpr int kImageEdge = 5;
constexpr int kTextEdge = 11;
constexpr int kGraphicsEdge = 17;

using Positions = std::array<int, kAdvancedPopups>;
// Positions of the three presets; Econo Mode moves some edge enhancements to 0.
const Positions kPreset[3] = {
    {1, 0, 1, 0, 1, 0, 1, 1, 1, 0, 2, 1, 1, 1, 1, 0, 1, 1, 0, 0, 0},
    {1, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0},
    {1, 1, 1, 0, 2, 1, 1, 1, 1, 0, 2, 1, 1, 1, 1, 0, 2, 1, 0, 0, 0},
};

std::string Localized(const char *key)
{
    return Localization::localizedString(key).value_or(QString::fromUtf8(key)).toStdString();
}

std::vector<std::string> Order(const PMDictionaryRef &summary)
{
    std::vector<std::string> names;
    auto it = summary->find(kPDESummaryDisplayOrderKey);
    if (it == summary->end() || !it->second.array())
        return names;
    for (const PMValue &v : *it->second.array())
        names.push_back(v.string() ? *v.string() : std::string("<not text>"));
    return names;
}

std::string Text(const PMDictionaryRef &summary, const std::string &name)
{
    auto it = summary->find(name);
    return it != summary->end() && it->second.string() ? *it->second.string() : std::string("<absent>");
}

class AdvancedPane : public PanelTest
{
  protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        panel = makePanel(host);
        ASSERT_TRUE(panel);
        int error = 0;
        ASSERT_TRUE(panel->restoreValuesAndReturnError(&error));
        advanced = panel->onAdvancedView;
        color = panel->onColorView;
        ASSERT_TRUE(advanced && color && !advanced->getControlData().empty());
        popups = {advanced->menu_iRGBSource,         advanced->menu_iRGBIntent,
                  advanced->menu_iRGBGrayTreatment,  advanced->menu_iDestinationProfile,
                  advanced->menu_iHalftone,          advanced->menu_iEdgeEnhancement,
                  advanced->menu_tRGBSource,         advanced->menu_tRGBIntent,
                  advanced->menu_tRGBGrayTreatment,  advanced->menu_tDestinationProfile,
                  advanced->menu_tHalftone,          advanced->menu_tEdgeEnhancement,
                  advanced->menu_gRGBSource,         advanced->menu_gRGBIntent,
                  advanced->menu_gRGBGrayTreatment,  advanced->menu_gDestinationProfile,
                  advanced->menu_gHalftone,          advanced->menu_gEdgeEnhancement,
                  advanced->menu_sSimulationProfile, advanced->menu_sMatchPaperColor,
                  advanced->menu_sCMYKGrayTreatment};
        for (QComboBox *popup : popups)
            ASSERT_TRUE(popup);
    }

    // Every pop-up on its last item, so that no preset position is already taken.
    void moveAllToLast()
    {
        for (QComboBox *popup : popups)
            popup->setCurrentIndex(popup->count() - 1);
    }
    Positions current() const
    {
        Positions p{};
        for (int i = 0; i < kAdvancedPopups; ++i)
            p[i] = popups[i]->currentIndex();
        return p;
    }
    // The PPD choice keyword at position of the option bound to pop-up i.
    std::string keyword(int i, int position)
    {
        return popups[i]->itemData(position).toString().toStdString();
    }
    void setQuickColor(int position, bool econo)
    {
        color->menu_QuickColor->setCurrentIndex(position);
        color->check_EconomyPrint->setChecked(econo);
    }

    std::unique_ptr<PDEPlugInInterface> panel;
    AdvancedColorOptions *advanced = nullptr;
    ColorOptions *color = nullptr;
    std::array<QComboBox *, kAdvancedPopups> popups{};
};

TEST_F(AdvancedPane, TableBindsTheLayoutToTheAdvancedOptions)
{
    EXPECT_EQ(advanced->getControlCount(), 47);
    tint::ControlSpan table = advanced->getControlData();
    for (int i = 0; i < kAdvancedPopups; ++i) {
        EXPECT_EQ(table[i].control, popups[i]) << i;
        EXPECT_EQ(table[i].kind, kPDEControlPopUp) << i;
        EXPECT_STREQ(table[i].ppdKey, kAdvancedKeys[i]) << i;
        EXPECT_STREQ(table[i].summaryKey, kSummaryNames[i]) << i;
        ASSERT_TRUE(table[i].choices) << i;
        EXPECT_EQ(static_cast<int>(table[i].choices->size()), popups[i]->count()) << i;
    }
    EXPECT_EQ(table[21].control, advanced->tab_SwitchVew);
    EXPECT_EQ(table[22].control, advanced->text_iRGBSource);
    EXPECT_EQ(table[42].control, advanced->text_sCMYKGrayTreatment);
    EXPECT_EQ(table[43].control, advanced->button_ManageProfile);
    EXPECT_EQ(table[45].control, advanced->button_HideAdvancedOptions);
    EXPECT_EQ(table[46].kind, kPDEControlEnd);
    EXPECT_EQ(table[46].control, nullptr);
    // Halftone pop-ups cannot be named by a rule; profile pop-ups offer profiles.
    EXPECT_STREQ(table[4].identifier, "");
    EXPECT_STREQ(table[16].identifier, "");
    EXPECT_EQ(table[0].profileListKind, kProfileListRGBSource);
    EXPECT_EQ(table[15].profileListKind, kProfileListDestination);
    EXPECT_EQ(table[18].profileListKind, kProfileListSimulation);

    // The panel reports the advanced keywords first, in table order.
    const std::vector<std::string> keys = panel->supportedPPDOptionKeys();
    ASSERT_EQ(keys.size(), 29u);
    for (int i = 0; i < kAdvancedPopups; ++i)
        EXPECT_EQ(keys[i], kAdvancedKeys[i]);

    QTabWidget *tabs = advanced->tab_SwitchVew;
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0).toStdString(), Localized("Image"));
    EXPECT_EQ(tabs->tabText(3).toStdString(), Localized("Simulation"));
    EXPECT_EQ(advanced->text_gHalftone->text().toStdString(), Localized("Halftone:"));
    EXPECT_EQ(advanced->button_Sendrix->text().toStdString(), Localized("Sendrix"));
}

TEST_F(AdvancedPane, RebuildingTheTableReturnsToTheImageTab)
{
    advanced->tab_SwitchVew->setCurrentIndex(3);
    advanced->createPDEControlTable();
    EXPECT_EQ(advanced->tab_SwitchVew->currentIndex(), 0);
    EXPECT_EQ(advanced->getControlCount(), 47);
}

TEST_F(AdvancedPane, ManagementProfileStaysDisabledWhenTheProbeFails)
{
    // No bus, so no service answers the write-permission probe.
    const char *saved = getenv("DBUS_SESSION_BUS_ADDRESS");
    const std::string savedAddress = saved ? saved : "";
    setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + root.path() + "/no-bus").c_str(), 1);
    TestHost second;
    auto unprivileged = makePanel(second);
    ASSERT_TRUE(unprivileged);
    int error = 0;
    ASSERT_TRUE(unprivileged->restoreValuesAndReturnError(&error));
    if (saved)
        setenv("DBUS_SESSION_BUS_ADDRESS", savedAddress.c_str(), 1);
    else
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
    EXPECT_FALSE(unprivileged->onAdvancedView->button_ManageProfile->isEnabled());
    // It says which cause holds, to the eye and to a screen reader.
    const QPushButton *button = unprivileged->onAdvancedView->button_ManageProfile;
    EXPECT_TRUE(button->toolTip().contains("profile service cannot be reached on the session bus"))
        << button->toolTip().toStdString();
    EXPECT_EQ(button->accessibleDescription(), button->toolTip());
}

TEST_F(AdvancedPane, ManagementProfileIsEnabledForUsersWhoMayWriteTheList)
{
    if (!FileExists(TintRelayPath()) || !FileExists(TintVaultPath()))
        TINT_SKIP_OUTSIDE_CI("Tintrelay and Tintvault are not built");
    SessionBus bus;
    ASSERT_TRUE(bus.running());
    TestHost second;
    auto writerPanel = makePanel(second);
    ASSERT_TRUE(writerPanel);
    int error = 0;
    ASSERT_TRUE(writerPanel->restoreValuesAndReturnError(&error));
    EXPECT_TRUE(writerPanel->onAdvancedView->button_ManageProfile->isEnabled()) << bus.serviceLog();
    EXPECT_TRUE(writerPanel->onAdvancedView->button_ManageProfile->toolTip().isEmpty());
}

TEST_F(AdvancedPane, ProfilePopupsOfferTheShownProfilesAfterThePPDChoices)
{
    ASSERT_TRUE(
        WriteFile(root.currentList(), ReadFile(std::string(TINT_TEST_DATA) + "/profile_sample.plist")));
    TestHost second;
    auto listed = makePanel(second);
    ASSERT_TRUE(listed);
    int error = 0;
    ASSERT_TRUE(listed->restoreValuesAndReturnError(&error));
    AdvancedColorOptions *pane = listed->onAdvancedView;

    const std::string disk = Localized("Disk");
    struct Expect {
        QComboBox *popup;
        std::vector<std::string> added;
    };
    const std::vector<std::string> rgb = {"sRGB.icc(sRGB Display)" + disk, "mine.icc(My RGB)" + disk};
    const std::vector<std::string> dst = {"paper.icc(Paper)" + disk};
    const Expect expects[] = {
        {pane->menu_iRGBSource, rgb},
        {pane->menu_tRGBSource, rgb},
        {pane->menu_gRGBSource, rgb},
        {pane->menu_iDestinationProfile, dst},
        {pane->menu_tDestinationProfile, dst},
        {pane->menu_gDestinationProfile, dst},
        {pane->menu_sSimulationProfile, {}},
        {pane->menu_iRGBIntent, {}},
        {pane->menu_gHalftone, {}},
    };
    for (const Expect &e : expects) {
        const PDEControlItem *item = pane->getControlData().data();
        while (item->control != e.popup)
            ++item;
        const int ppdItems = static_cast<int>(item->choices->size());
        ASSERT_EQ(e.popup->count(), ppdItems + static_cast<int>(e.added.size()))
            << e.popup->objectName().toStdString();
        for (size_t k = 0; k < e.added.size(); ++k)
            EXPECT_EQ(e.popup->itemText(ppdItems + static_cast<int>(k)).toStdString(), e.added[k]);
    }
}

TEST_F(AdvancedPane, EveryPresetWithAndWithoutEconoMode)
{
    for (int preset = 0; preset < 3; ++preset) {
        for (bool econo : {false, true}) {
            SCOPED_TRACE("preset " + std::to_string(preset) + (econo ? " with" : " without") + " Econo Mode");
            Positions expected = kPreset[preset];
            if (econo && preset == 0)
                expected[kGraphicsEdge] = 0;
            if (econo && preset == 2)
                expected[kImageEdge] = expected[kGraphicsEdge] = 0;

            moveAllToLast();
            advanced->changeItemAccodingQuickColor(preset, econo ? 1 : 0);
            EXPECT_EQ(current(), expected);

            // Printing forces the same positions through the panel and
            // writes them to the job's options.
            moveAllToLast();
            setQuickColor(preset, econo);
            ASSERT_TRUE(panel->shouldPrint());
            EXPECT_EQ(current(), expected);
            for (int i = 0; i < kAdvancedPopups; ++i)
                EXPECT_EQ(host.topLevel(kAdvancedKeys[i]), keyword(i, expected[i])) << kAdvancedKeys[i];
        }
    }
    // Text EdgeEnhance is never overridden.
    EXPECT_EQ(popups[kTextEdge]->currentIndex(), 1);
}

TEST_F(AdvancedPane, PresetSummaryShowsPresetTitlesWhateverThePopupsShow)
{
    for (int preset = 0; preset < 3; ++preset) {
        for (bool econo : {false, true}) {
            SCOPED_TRACE("preset " + std::to_string(preset) + (econo ? " with" : " without") + " Econo Mode");
            moveAllToLast();
            setQuickColor(preset, econo);
            const PMDictionaryRef summary = panel->summaryInfo();
            const std::vector<std::string> order = Order(summary);

            std::vector<std::string> expected(order.begin(),
                                              order.begin() + std::min<size_t>(8, order.size()));
            for (const char *name : kSummaryNames)
                expected.push_back(Localized(name));
            if (econo && preset == 0)
                expected.push_back(Localized("Graphics EdgeEnhance"));
            if (econo && preset == 2) {
                expected.push_back(Localized("Image EdgeEnhance"));
                expected.push_back(Localized("Graphics EdgeEnhance"));
            }
            EXPECT_EQ(order, expected);
            EXPECT_EQ(order.front(), Localized("Quick Color"));

            for (int i = 0; i < kAdvancedPopups; ++i) {
                int position = kPreset[preset][i];
                if (econo && ((preset == 0 && i == kGraphicsEdge) ||
                              (preset == 2 && (i == kImageEdge || i == kGraphicsEdge))))
                    position = 0;
                EXPECT_EQ(Text(summary, Localized(kSummaryNames[i])),
                          popups[i]->itemText(position).toStdString())
                    << kSummaryNames[i];
            }
            // The pop-ups themselves were not moved.
            EXPECT_EQ(popups[0]->currentIndex(), popups[0]->count() - 1);
        }
    }
}

TEST_F(AdvancedPane, CustomLeavesThePopupsAsTheUserSetThem)
{
    Positions chosen{};
    for (int i = 0; i < kAdvancedPopups; ++i) {
        chosen[i] = (i * 7 + 1) % popups[i]->count();
        popups[i]->setCurrentIndex(chosen[i]);
    }
    setQuickColor(3, true);
    ASSERT_TRUE(panel->shouldPrint());
    EXPECT_EQ(current(), chosen);
    for (int i = 0; i < kAdvancedPopups; ++i)
        EXPECT_EQ(host.topLevel(kAdvancedKeys[i]), keyword(i, chosen[i])) << kAdvancedKeys[i];

    const PMDictionaryRef summary = panel->summaryInfo();
    const std::vector<std::string> order = Order(summary);
    ASSERT_EQ(order.size(), 8u + kAdvancedPopups);
    for (int i = 0; i < kAdvancedPopups; ++i) {
        EXPECT_EQ(order[8 + i], Localized(kSummaryNames[i]));
        EXPECT_EQ(Text(summary, order[8 + i]), popups[i]->currentText().toStdString());
    }
}

TEST_F(AdvancedPane, PresetPositionBeyondAShortPopupLeavesItAsItIs)
{
    QComboBox *halftone = popups[4];
    halftone->clear();
    halftone->addItem(QStringLiteral("Coarse"), QStringLiteral("Coarse"));
    halftone->addItem(QStringLiteral("Fine"), QStringLiteral("Fine"));
    halftone->setCurrentIndex(0);
    advanced->changeItemAccodingQuickColor(2, 0); // Image Halftone wants position 2
    EXPECT_EQ(halftone->currentIndex(), 0);
    EXPECT_EQ(popups[0]->currentIndex(), 1);

    auto summary = std::make_shared<PMDictionary>();
    auto order = std::make_shared<PMArray>();
    advanced->getSummaryItemAccodingQuickColor(2, 0, summary, order);
    EXPECT_EQ(order->size(), static_cast<size_t>(kAdvancedPopups));
    EXPECT_EQ(Text(summary, Localized("Image Halftone")), "Coarse");

    halftone->setCurrentIndex(-1);
    advanced->getSummaryItemAccodingQuickColor(2, 0, summary, order);
    EXPECT_EQ(Text(summary, Localized("Image Halftone")), "");
}

TEST_F(AdvancedPane, PositionsOutsideThePresetsChangeNothing)
{
    moveAllToLast();
    const Positions before = current();
    for (int16_t position : {int16_t(-1), int16_t(3), int16_t(4), int16_t(100)}) {
        advanced->changeItemAccodingQuickColor(position, 1);
        EXPECT_EQ(current(), before) << position;
        auto summary = std::make_shared<PMDictionary>();
        auto order = std::make_shared<PMArray>();
        advanced->getSummaryItemAccodingQuickColor(position, 1, summary, order);
        EXPECT_TRUE(summary->empty() && order->empty()) << position;
    }
}

TEST_F(AdvancedPane, WillShowAlwaysReturnsToTheColorOptionsPane)
{
    EXPECT_EQ(panel->shownPane(), "ColorOptions");
    ASSERT_TRUE(panel->showAdvancedPane());
    EXPECT_EQ(panel->shownPane(), "AdvancedColorOptions");
    panel->willShow();
    EXPECT_EQ(panel->shownPane(), "ColorOptions");
    panel->willShow();
    EXPECT_EQ(panel->shownPane(), "ColorOptions");

    // The buttons swap both ways.
    color->menu_QuickColor->setCurrentIndex(3);
    panel->constraints(nullptr);
    color->button_AdvanceColorOptions->click();
    EXPECT_EQ(panel->shownPane(), "AdvancedColorOptions");
    advanced->button_HideAdvancedOptions->click();
    EXPECT_EQ(panel->shownPane(), "ColorOptions");
}

TEST_F(AdvancedPane, SwapIsRefusedWithoutATable)
{
    QStackedWidget container;
    ColorOptions colorPane;
    AdvancedColorOptions advancedPane;
    container.addWidget(&colorPane);
    container.addWidget(&advancedPane);
    container.setCurrentWidget(&colorPane);
    PainChangeController controller;
    controller.onColorView = &colorPane;
    controller.onAdvancedView = &advancedPane;
    controller.onMainCustomView = &container;

    controller.ColorToAdvancedView(nullptr);
    EXPECT_EQ(container.currentWidget(), &colorPane);
    container.setCurrentWidget(&advancedPane);
    controller.AdvancedToColorView(nullptr);
    EXPECT_EQ(container.currentWidget(), &advancedPane);
    container.removeWidget(&colorPane);
    container.removeWidget(&advancedPane);
}

TEST_F(AdvancedPane, PaneWithoutATableDoesNothing)
{
    AdvancedColorOptions pane; // no outlets, never built
    std::vector<std::string> keys;
    pane.addPPDArray(&keys);
    pane.createPDEItemForPPDKey();
    pane.defaultFromPPDInfo();
    pane.setControlValueToTicket();
    pane.getControlValueFromTicket();
    auto summary = std::make_shared<PMDictionary>();
    auto order = std::make_shared<PMArray>();
    pane.getSummaryText(summary, order);
    pane.changeItemAccodingQuickColor(0, 1);
    pane.getSummaryItemAccodingQuickColor(0, 1, summary, order);
    pane.deallocPDEControlTable();
    EXPECT_TRUE(keys.empty());
    EXPECT_TRUE(pane.getControlData().empty());
    EXPECT_EQ(pane.getControlCount(), 0);
    EXPECT_TRUE(summary->empty() && order->empty());
}

TEST_F(AdvancedPane, LayoutWithoutTheControlsStillGivesAClosedTable)
{
    AdvancedColorOptions pane; // no outlet connected
    pane.setPPDFile(host.ppdFile());
    pane.createPDEControlTable();
    tint::ControlSpan table = pane.getControlData();
    ASSERT_FALSE(table.empty());
    EXPECT_EQ(pane.getControlCount(), 47);
    EXPECT_EQ(table[46].kind, kPDEControlEnd);
    EXPECT_EQ(table[0].choices, nullptr);
    // The rules stop at the end record, not past the table.
    vColorPresetConstraints(table);
    tint::ControlSpan tables[2] = {color->getControlData(), table};
    tint::ControlTable compound = PDECommon::commonControlTableCompound(tables, 2);
    ASSERT_FALSE(compound.empty());
    EXPECT_EQ(tint::countControlTable(compound), 14);
    vColorPresetConstraints(compound);
}

TEST_F(AdvancedPane, SendrixOpensTheInstalledToolThroughTheDesktopOpener)
{
    // The tool as installed, and an opener on PATH that records what it was given.
    const std::string tool = TintSendrixPath();
    ASSERT_EQ(RunCommand("mkdir -p '" + tool + "/Contents' '" + root.path() + "/bin'"), "");
    const std::string opened = root.path() + "/opened";
    ASSERT_TRUE(WriteFile(root.path() + "/bin/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > '" + opened +
                                                             ".part' && mv '" + opened + ".part' '" + opened +
                                                             "'\n"));
    ASSERT_EQ(chmod((root.path() + "/bin/xdg-open").c_str(), 0755), 0);
    const std::string savedPath = getenv("PATH") ? getenv("PATH") : "";
    setenv("PATH", (root.path() + "/bin:" + savedPath).c_str(), 1);

    // The pane looks for the tool when it builds its table: without it the
    // button is greyed and says why.
    EXPECT_FALSE(advanced->button_Sendrix->isEnabled());
    EXPECT_FALSE(advanced->button_Sendrix->toolTip().isEmpty());
    advanced->createPDEControlTable();
    ASSERT_TRUE(advanced->button_Sendrix->isEnabled());
    EXPECT_TRUE(advanced->button_Sendrix->toolTip().isEmpty());
    advanced->button_Sendrix->click();
    setenv("PATH", savedPath.c_str(), 1);

    // The opener runs detached; wait (generously) for it to have run.
    for (int i = 0; i < 400 && !FileExists(opened); ++i)
        usleep(25000);
    EXPECT_EQ(ReadFile(opened), tool);
}

} // namespace
