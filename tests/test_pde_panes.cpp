// The Color Options pane and the pane switcher inside a loaded panel.
#include "test_pde_plugin_support.h"

#include "AdvancedColorOptions.h"
#include "ColorOptions.h"
#include "Localization.h"
#include "PainChangeController.h"
#include "PanelLayout.h"
#include "PanelReport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QJsonArray>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>

namespace
{

std::string SummaryValue(const PMDictionaryRef &summary, const std::string &name)
{
    auto it = summary->find(name);
    return it != summary->end() && it->second.string() ? *it->second.string() : std::string("<absent>");
}

size_t SummaryCount(const PMDictionaryRef &summary)
{
    PMArrayRef order = (*summary)[kPDESummaryDisplayOrderKey].array();
    return order ? order->size() : 0;
}

} // namespace

TEST_F(PanelTest, CheckBoxFollowsTheChoiceKeywordsNotTheirOrder)
{
    TestHost falseFirst(std::string(TINT_TEST_DATA) + "/QV-MR52-econo-false-first.ppd");
    ASSERT_TRUE(falseFirst.ppdFile());
    auto panel = makePanel(falseFirst);
    ASSERT_TRUE(panel && panel->panelView());
    panel->restoreValuesAndReturnError(nullptr);
    ColorOptions *pane = panel->onColorView;
    EXPECT_EQ(pane->getEconoModeValue(), 0);

    struct Case {
        bool on;
        const char *stored;
        const char *shown;
    } const cases[] = {{true, "True", "On"}, {false, "False", "Off"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored);
        pane->check_EconomyPrint->setChecked(c.on);
        EXPECT_EQ(pane->getEconoModeValue(), c.on ? 1 : 0);
        panel->saveValuesAndReturnError(nullptr);
        EXPECT_EQ(falseFirst.topLevel("WQEconoMode"), c.stored);
        EXPECT_EQ(SummaryValue(panel->summaryInfo(), "EconoMode"), c.shown);
    }
}

TEST_F(PanelTest, QuickColorWithoutSelectionIsNotWritten)
{
    auto panel = makePanel(host);
    ASSERT_TRUE(panel && panel->panelView());
    panel->restoreValuesAndReturnError(nullptr);
    ColorOptions *pane = panel->onColorView;
    pane->menu_QuickColor->setCurrentIndex(-1);
    EXPECT_EQ(pane->getQuickColorValue(), -1);
    panel->saveValuesAndReturnError(nullptr);
    EXPECT_EQ(host.topLevel("WQQuickColor"), "");
    EXPECT_NE(host.topLevel("WQBrightness"), "");
    // The item without a value is left out, and no preset applies, so no
    // advanced item is summarised either.
    PMDictionaryRef summary = panel->summaryInfo();
    EXPECT_EQ(SummaryCount(summary), 7u);
    EXPECT_EQ(SummaryValue(summary, "Quick Color"), "<absent>");
}

TEST_F(PanelTest, LabelsWithoutTheirOptions)
{
    TestHost noBrightness(std::string(TINT_TEST_DATA) + "/QV-MR52-no-brightness.ppd");
    ASSERT_TRUE(noBrightness.ppdFile());
    auto panel = makePanel(noBrightness);
    ASSERT_TRUE(panel && panel->panelView());
    panel->restoreValuesAndReturnError(nullptr);
    ColorOptions *pane = panel->onColorView;
    EXPECT_EQ(pane->text_QuickColor->text(), "Quick Color:");
    EXPECT_EQ(pane->text_Brightness->text(), "Brightness:");
    EXPECT_EQ(pane->text_Strength->text(), "EdgeType:");
    EXPECT_EQ(pane->text_BlackOverprint->text(), "BlackOverprint:");
    EXPECT_EQ(pane->check_ColorAsGrayscale->text(), "Color as Grayscale");
    EXPECT_EQ(pane->button_AdvanceColorOptions->text(), "Advanced Color Options");
    // The option's keyword is still reported; its pop-up keeps the layout's
    // (empty) menu and the rest of the pane works.
    const std::vector<std::string> keys = panel->supportedPPDOptionKeys();
    EXPECT_NE(std::find(keys.begin(), keys.end(), "WQBrightness"), keys.end());
    EXPECT_EQ(pane->menu_Brightness->count(), 0);
    EXPECT_EQ(pane->menu_QuickColor->count(), 4);
    panel->saveValuesAndReturnError(nullptr);
    EXPECT_EQ(noBrightness.topLevel("WQBrightness"), "");
    EXPECT_EQ(noBrightness.topLevel("WQQuickColor"), "Auto");
}

TEST_F(PanelTest, SummaryFollowsQuickColor)
{
    auto panel = makePanel(host);
    ASSERT_TRUE(panel && panel->panelView());
    panel->restoreValuesAndReturnError(nullptr);
    ColorOptions *pane = panel->onColorView;
    QComboBox *halftone = panel->onAdvancedView->menu_iHalftone;
    ASSERT_GE(halftone->count(), 3);
    halftone->setCurrentIndex(2);

    // A preset: the preset's position (1 for Image Halftone), whatever the
    // pop-up shows.
    pane->menu_QuickColor->setCurrentIndex(0);
    PMDictionaryRef summary = panel->summaryInfo();
    EXPECT_EQ(SummaryCount(summary), 29u);
    EXPECT_EQ(SummaryValue(summary, "Image Halftone"), halftone->itemText(1).toStdString());

    // Custom: the pop-up's own value.
    pane->menu_QuickColor->setCurrentIndex(3);
    summary = panel->summaryInfo();
    EXPECT_EQ(SummaryCount(summary), 29u);
    EXPECT_EQ(SummaryValue(summary, "Image Halftone"), halftone->itemText(2).toStdString());
}

TEST_F(PanelTest, PrintingAppliesThePresetToTheTicket)
{
    auto panel = makePanel(host);
    ASSERT_TRUE(panel && panel->panelView());
    panel->restoreValuesAndReturnError(nullptr);
    QComboBox *halftone = panel->onAdvancedView->menu_iHalftone;
    halftone->setCurrentIndex(0);
    panel->onColorView->menu_QuickColor->setCurrentIndex(2);
    panel->shouldPrint();
    EXPECT_EQ(halftone->currentIndex(), 2);
    EXPECT_EQ(host.topLevel("WQImageHalftone"), halftone->itemData(2).toString().toStdString());

    // Custom leaves the user's choice.
    panel->onColorView->menu_QuickColor->setCurrentIndex(3);
    halftone->setCurrentIndex(0);
    panel->shouldPrint();
    EXPECT_EQ(halftone->currentIndex(), 0);
    EXPECT_EQ(host.topLevel("WQImageHalftone"), halftone->itemData(0).toString().toStdString());
}

TEST_F(PanelTest, SwitchRefusedWithoutATable)
{
    // The layout alone, before any table is built.
    auto owner = makePanel(host);
    ASSERT_TRUE(owner);
    std::unique_ptr<QWidget> root(tint::loadPanelLayout(
        QString::fromStdString(kTestBundle + "/Contents/Resources/PDEMain.ui"), owner.get()));
    ASSERT_TRUE(root && owner->painChange && owner->onColorView && owner->onAdvancedView);
    PainChangeController *switcher = owner->painChange;
    QWidget *shown = switcher->shownPane();
    ASSERT_EQ(shown, owner->onColorView);
    switcher->ColorToAdvancedView(nullptr);
    EXPECT_EQ(switcher->shownPane(), shown);
    switcher->SHowColorToAdvancedView();
    ASSERT_EQ(switcher->shownPane(), owner->onAdvancedView);
    switcher->AdvancedToColorView(nullptr);
    EXPECT_EQ(switcher->shownPane(), owner->onAdvancedView);
    EXPECT_EQ(switcher->getControlCountEachView(), 0);
    // The tree belongs to this test, not to the panel.
    owner->pdeMainView = nullptr;
    owner->painChange = nullptr;
}

TEST_F(PanelTest, PaneTableKeepsAllRecordsWithAControlMissing)
{
    // A layout without the Brightness pop-up.
    auto owner = makePanel(host);
    ASSERT_TRUE(owner);
    std::unique_ptr<QWidget> root(tint::loadPanelLayout(
        QString::fromStdString(kTestBundle + "/Contents/Resources/PDEMain.ui"), owner.get()));
    ASSERT_TRUE(root && owner->onColorView);
    ColorOptions *pane = owner->onColorView;
    pane->menu_Brightness = nullptr;
    pane->setPPDFile(host.ppdFile());
    // Built twice: the second build replaces the first.
    pane->createPDEControlTable();
    pane->createPDEControlTable();

    EXPECT_EQ(pane->getControlCount(), 14);
    tint::ControlSpan table = pane->getControlData();
    ASSERT_FALSE(table.empty());
    EXPECT_EQ(table[0].control, pane->menu_QuickColor);
    EXPECT_EQ(table[1].control, nullptr);
    EXPECT_EQ(table[12].control, pane->button_AdvanceColorOptions);
    EXPECT_EQ(table[13].kind, kPDEControlEnd);
    // Every walk of the pane stops at the record without a control ...
    std::vector<std::string> keys;
    pane->addPPDArray(&keys);
    EXPECT_EQ(keys, std::vector<std::string>{"WQQuickColor"});
    EXPECT_NE(table[0].choices, nullptr);
    EXPECT_EQ(table[2].choices, nullptr);
    // ... and the compound table, which copies up to the end record, stays
    // within the pane's table.
    tint::ControlSpan tables[] = {table};
    tint::ControlTable compound = PDECommon::commonControlTableCompound(tables, 1);
    ASSERT_FALSE(compound.empty());
    EXPECT_EQ(compound[12].control, pane->button_AdvanceColorOptions);
    EXPECT_EQ(compound[13].kind, kPDEControlEnd);
    pane->deallocPDEControlTable();
    EXPECT_TRUE(pane->getControlData().empty());
}

TEST_F(PanelTest, NoLayoutNoFailure)
{
    // Without a bundle the layout cannot be found: every operation still
    // succeeds, the summary is only its (empty) display order.
    Localization::setBundlePath("/nonexistent/Tintpane.plugin");
    auto panel = makePanel(host);
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->panelView(), nullptr);
    EXPECT_TRUE(panel->restoreValuesAndReturnError(nullptr));
    EXPECT_TRUE(panel->saveValuesAndReturnError(nullptr));
    EXPECT_TRUE(panel->shouldPrint());
    panel->willShow();
    EXPECT_TRUE(panel->supportedPPDOptionKeys().empty());
    PMDictionaryRef summary = panel->summaryInfo();
    EXPECT_EQ(summary->size(), 1u);
    EXPECT_EQ(SummaryCount(summary), 0u);
    EXPECT_TRUE(host.settings.values.empty());
    Localization::setBundlePath(kTestBundle);
}

// Run with a German locale (see the fragment); skipped under any other.
TEST_F(PanelTest, GermanTexts)
{
    if (!QLocale::system().name().startsWith("de"))
        GTEST_SKIP() << "needs a German locale";
    auto panel = makePanel(host);
    ASSERT_TRUE(panel && panel->panelView());
    EXPECT_EQ(panel->panelName(), "Farboptionen");
    EXPECT_EQ(panel->onColorView->text_QuickColor->text(), "Schnellfarbe:");
    EXPECT_EQ(panel->onColorView->button_AdvanceColorOptions->text(), "Erweiterte Farboptionen");
    EXPECT_EQ(panel->onAdvancedView->tab_SwitchVew->tabText(3), "Simulation");
    EXPECT_EQ(panel->onAdvancedView->tab_SwitchVew->tabText(2), "Grafik");
    // A key the translations lack shows as itself.
    EXPECT_EQ(Localization::localizedString("No such key")->toStdString(), "No such key");
}

TEST_F(PanelTest, WithoutAPPD)
{
    // A queue whose PPD the dialog could not open: the panel still loads,
    // keeps the layout's menus and writes nothing it does not know.
    TestHost noPPD("/nonexistent.ppd");
    ASSERT_FALSE(noPPD.ppdFile());
    auto panel = makePanel(noPPD);
    ASSERT_TRUE(panel && panel->panelView());
    EXPECT_TRUE(panel->restoreValuesAndReturnError(nullptr));
    EXPECT_TRUE(panel->saveValuesAndReturnError(nullptr));
    EXPECT_TRUE(panel->shouldPrint());
    EXPECT_EQ(panel->supportedPPDOptionKeys().size(), 29u);
    EXPECT_EQ(panel->onColorView->menu_QuickColor->count(), 0);
    EXPECT_EQ(noPPD.topLevel("WQQuickColor"), "");
    panel->summaryInfo();
}

// A control added to a pane is one more description (with its widget in the
// layout and its option in the PPD): bound, reported by show --json and
// written to the ticket, with no other change anywhere.
TEST_F(PanelTest, OneMoreDescriptionIsOneMoreBoundControl)
{
    TempRoot root;
    const std::string bundle = root.path() + "/Tintpane.plugin";
    ASSERT_EQ(RunCommand("cp -R '" + kTestBundle + "' '" + bundle + "'"), "");
    const std::string layoutPath = bundle + "/Contents/Resources/PDEMain.ui";
    std::string layout = ReadFile(layoutPath);
    const std::string grid = "<layout class=\"QGridLayout\" name=\"colorOptionsLayout\">";
    ASSERT_NE(layout.find(grid), std::string::npos);
    layout.insert(layout.find(grid) + grid.size(),
                  "<item row=\"99\" column=\"0\"><widget class=\"QCheckBox\" name=\"check_Extra\"/></item>");
    ASSERT_TRUE(WriteFile(layoutPath, layout));
    const std::string ppdPath = root.path() + "/extra.ppd";
    ASSERT_TRUE(
        WriteFile(ppdPath, ReadFile(kSamplePPD) +
                               "*OpenUI *WQExtra/Extra: Boolean\n*DefaultWQExtra: True\n"
                               "*WQExtra True/On: \"\"\n*WQExtra False/Off: \"\"\n*CloseUI: *WQExtra\n"));

    std::vector<tint::ControlDescription> controls(ColorOptions::controlTable.begin(),
                                                   ColorOptions::controlTable.end());
    controls.push_back({"check_Extra", nullptr, kPDEControlCheckBox, "WQExtra", "Extra", "Extra",
                        "ExtraCheckBox", kProfileListNone, tint::ControlAction::Constraints});
    const std::span<const tint::ControlDescription> shipped = ColorOptions::controlTable;
    ColorOptions::controlTable = controls;
    Localization::setBundlePath(bundle);
    TestHost extra(ppdPath);
    ASSERT_TRUE(extra.ppdFile());
    auto panel = makePanel(extra);
    ASSERT_TRUE(panel && panel->panelView());
    panel->restoreValuesAndReturnError(nullptr);
    ColorOptions::controlTable = shipped;
    Localization::setBundlePath(kTestBundle);

    auto *box = panel->pdeMainView->findChild<QCheckBox *>("check_Extra");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(panel->onColorView->getControlCount(), 15);
    EXPECT_EQ(panel->onColorView->getControlData()[13].control, box);

    const QJsonObject report = PanelReportJSON(panel.get(), extra.settings.values);
    QJsonObject reported;
    for (const QJsonValue &control : report["controls"].toArray())
        if (control["outlet"] == "check_Extra")
            reported = control.toObject();
    EXPECT_EQ(reported["ppdKey"], "WQExtra");
    EXPECT_EQ(reported["identifier"], "ExtraCheckBox");
    EXPECT_EQ(reported["title"], "Extra");
    EXPECT_EQ(reported["value"], 1);
    EXPECT_TRUE(report["supportedPPDOptionKeys"].toArray().contains("WQExtra"));
    EXPECT_TRUE(report["summary"]["order"].toArray().contains("Extra"));

    box->click();
    panel->saveValuesAndReturnError(nullptr);
    EXPECT_EQ(extra.topLevel("WQExtra"), "False");
}
