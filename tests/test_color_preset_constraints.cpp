// The colour preset rules over the real panel: the sample PPD, the layout's
// widgets, both panes' tables and the combined table the panel builds.
#include "AdvancedColorOptions.h"
#include "ColorOptions.h"
#include "ColorPresetConstraints.h"
#include "PDECommon.h"
#include "test_pde_plugin_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include <cstring>
#include <utility>
#include <vector>

namespace
{

using Setting = std::pair<const char *, int>; // identifier, constraint value

PDEControlItem *Find(tint::ControlSpan table, const char *identifier)
{
    for (PDEControlItem &item : table)
        if (item.kind != kPDEControlEnd && std::strcmp(item.identifier, identifier) == 0)
            return &item;
    return nullptr;
}

// Every target of the rule table, in rule order.
const char *const kTargets[] = {
    "GoToAdvancedOptionsButton",    "ColorSeparationCheckBox",     "ColorAsGrayCheckBox",
    "ImageRGBSourcePopup",          "ImageRenderIntentPopup",      "ImageGrayTreatmentPopup",
    "ImageDestinationProfilePopup", "TextRGBSourcePopup",          "TextRenderIntentPopup",
    "TextGrayTreatmentPopup",       "TextDestinationProfilePopup", "GraphicsRGBSourcePopup",
    "GraphicsRenderIntentPopup",    "GraphicsGrayTreatmentPopup",  "GraphicsDestinationProfilePopup",
    "SimulationSourcePopup",        "SimulationRenderIntentPopup", "SimulationGrayTreatmentPopup",
    "ImageEdgeEnhancePopup",        "TextEdgeEnhancePopup",        "GraphicsEdgeEnhancePopup",
};
constexpr int kRuleCount = sizeof(kTargets) / sizeof(kTargets[0]);

// A state in which no rule holds: Quick Color "Custom", grayscale,
// separation and Econo Mode off, edge type "Light", every source on its
// second item, every destination profile "Auto".
const std::vector<Setting> kQuiet = {
    {"QuickColorPopup", 4},
    {"ColorAsGrayCheckBox", 0},
    {"ColorSeparationCheckBox", 0},
    {"EconoModeCheckBox", 0},
    {"EdgeTypePopup", 2},
    {"ImageRGBSourcePopup", 2},
    {"TextRGBSourcePopup", 2},
    {"GraphicsRGBSourcePopup", 2},
    {"SimulationSourcePopup", 2},
    {"ImageDestinationProfilePopup", 1},
    {"TextDestinationProfilePopup", 1},
    {"GraphicsDestinationProfilePopup", 1},
};

struct RuleCase {
    int rule;
    const char *why;
    std::vector<Setting> settings; // applied over kQuiet
    bool holds;
};

const RuleCase kRuleCases[] = {
    {0, "Quick Color on its first choice", {{"QuickColorPopup", 1}}, true},
    {0, "Quick Color on its third choice", {{"QuickColorPopup", 3}}, true},
    {0, "Quick Color with nothing selected", {{"QuickColorPopup", -1}}, true},
    {0, "Quick Color on Custom", {}, false},
    {1, "grayscale on", {{"ColorAsGrayCheckBox", 1}}, true},
    {2, "separation on", {{"ColorSeparationCheckBox", 1}}, true},
    {3, "grayscale on", {{"ColorAsGrayCheckBox", 1}}, true},
    {3, "image RGB source None alone", {{"ImageRGBSourcePopup", 1}}, false},
    {4, "grayscale on", {{"ColorAsGrayCheckBox", 1}}, true},
    {4, "image RGB source None", {{"ImageRGBSourcePopup", 1}}, true},
    {4, "image RGB source with nothing selected", {{"ImageRGBSourcePopup", -1}}, false},
    {5, "grayscale on", {{"ColorAsGrayCheckBox", 1}}, true},
    {5, "image destination not Auto", {{"ImageDestinationProfilePopup", 2}}, true},
    {6, "grayscale on", {{"ColorAsGrayCheckBox", 1}}, true},
    {6, "image destination not Auto alone", {{"ImageDestinationProfilePopup", 2}}, false},
    {7, "grayscale on", {{"ColorAsGrayCheckBox", 1}}, true},
    {8, "grayscale on", {{"ColorAsGrayCheckBox", 1}}, true},
    {8, "text RGB source None", {{"TextRGBSourcePopup", 1}}, true},
    {8, "image RGB source None is another group", {{"ImageRGBSourcePopup", 1}}, false},
    {9, "grayscale on", {{"ColorAsGrayCheckBox", 1}}, true},
    {9, "text destination not Auto", {{"TextDestinationProfilePopup", 3}}, true},
    {10, "grayscale on", {{"ColorAsGrayCheckBox", 1}}, true},
    {11, "grayscale on", {{"ColorAsGrayCheckBox", 1}}, true},
    {12, "grayscale on", {{"ColorAsGrayCheckBox", 1}}, true},
    {12, "graphics RGB source None", {{"GraphicsRGBSourcePopup", 1}}, true},
    {13, "grayscale on", {{"ColorAsGrayCheckBox", 1}}, true},
    {13, "graphics destination not Auto", {{"GraphicsDestinationProfilePopup", 2}}, true},
    {14, "grayscale on", {{"ColorAsGrayCheckBox", 1}}, true},
    {15, "grayscale on", {{"ColorAsGrayCheckBox", 1}}, true},
    {16, "grayscale on", {{"ColorAsGrayCheckBox", 1}}, true},
    {16, "simulation source None", {{"SimulationSourcePopup", 1}}, true},
    {17, "grayscale on", {{"ColorAsGrayCheckBox", 1}}, true},
    {17, "simulation source None", {{"SimulationSourcePopup", 1}}, true},
    {18, "Econo Mode on", {{"EconoModeCheckBox", 1}}, true},
    {18, "edge type Off", {{"EdgeTypePopup", 1}}, true},
    {18, "edge type Strong", {{"EdgeTypePopup", 4}}, false},
    {19, "edge type Off", {{"EdgeTypePopup", 1}}, true},
    {19, "Econo Mode on does not touch text", {{"EconoModeCheckBox", 1}}, false},
    {20, "Econo Mode on", {{"EconoModeCheckBox", 1}}, true},
    {20, "edge type Off", {{"EdgeTypePopup", 1}}, true},
    {20, "separation on", {{"ColorSeparationCheckBox", 1}}, false},
};

class ColorPresetRules : public PanelTest
{
  protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        panel = makePanel(host);
        ASSERT_TRUE(panel);
        int error = 0;
        ASSERT_TRUE(panel->restoreValuesAndReturnError(&error));
        comp = panel->compTable;
        color = panel->onColorView->getControlData();
        ASSERT_TRUE(!comp.empty() && !color.empty());
    }

    void apply(const std::vector<Setting> &settings)
    {
        for (const auto &[identifier, value] : settings) {
            PDEControlItem *item = Find(comp, identifier);
            ASSERT_TRUE(item) << identifier;
            // -1 stands for a pop-up with nothing selected.
            const int control = value < 0 ? -1 : PDECommon::commonConvertFromCSTValue(item, value);
            PDECommon::commonSetControlValueWithSInt32(item, control);
        }
    }
    int value(const char *identifier)
    {
        PDEControlItem *item = Find(comp, identifier);
        return PDECommon::commonConvertToCSTValue(item, PDECommon::commonGetControlValueWithSInt32(item));
    }
    bool enabled(const char *identifier) { return Find(comp, identifier)->control->isEnabled(); }
    void setAllTargetsEnabled(bool on)
    {
        for (const char *target : kTargets)
            Find(comp, target)->control->setEnabled(on);
    }

    std::unique_ptr<PDEPlugInInterface> panel;
    tint::ControlSpan comp;
    tint::ControlSpan color;
};

TEST_F(ColorPresetRules, QuietStateHoldsNoRuleAndEnablesEveryTarget)
{
    apply(kQuiet);
    setAllTargetsEnabled(false);
    vColorPresetConstraints(comp);
    for (int i = 0; i < kRuleCount; ++i) {
        EXPECT_EQ(bMatchCondition(i, comp), 0) << i;
        EXPECT_TRUE(enabled(kTargets[i])) << kTargets[i];
    }
}

TEST_F(ColorPresetRules, EachRuleOverTheCombinedTable)
{
    for (const RuleCase &c : kRuleCases) {
        SCOPED_TRACE(std::string("rule ") + std::to_string(c.rule) + ": " + c.why);
        apply(kQuiet);
        vColorPresetConstraints(comp);
        apply(c.settings);
        EXPECT_EQ(bMatchCondition(c.rule, comp), c.holds ? 1 : 0);
        vColorPresetConstraints(comp);
        EXPECT_EQ(enabled(kTargets[c.rule]), !c.holds);
    }
}

// A greyed control's reason names only the conditions that hold: every
// rule with each of its conditions true alone, and with all of them true.
TEST_F(ColorPresetRules, ReasonNamesOnlyConditionsThatHold)
{
    const QString lead = "Unavailable while ";
    for (int i = 0; i < kRuleCount; ++i) {
        const CSTRule &rule = cstColorOption[i];
        const int count = rule.conditionCount;
        // The constraint value that makes condition j true or false.
        auto valueFor = [&](int j, bool truth) {
            const CSTCondition &c = rule.conditions[j];
            const bool check = Find(comp, c.name)->kind == kPDEControlCheckBox;
            const int other = check ? 1 - c.value : (c.value == 1 ? 2 : 1);
            return (c.op == kCSTEqual) == truth ? c.value : other;
        };
        auto reasonWith = [&](int only) { // -1: every condition true
            apply(kQuiet);
            for (int j = 0; j < count; ++j)
                apply({{rule.conditions[j].name, valueFor(j, only < 0 || j == only)}});
            for (int j = 0; j < count; ++j)
                EXPECT_EQ(only < 0 || j == only, CSTConditionHolds(i, j, comp))
                    << "rule " << i << " condition " << j;
            EXPECT_EQ(1, bMatchCondition(i, comp)) << "rule " << i;
            return CSTRuleReason(i, comp);
        };
        const QString all = reasonWith(-1);
        SCOPED_TRACE(QString("rule %1: %2").arg(i).arg(all).toStdString());
        if (count < 2) {
            EXPECT_FALSE(all.isEmpty());
            continue;
        }
        QStringList alone;
        for (int j = 0; j < count; ++j) {
            alone << reasonWith(j);
            ASSERT_TRUE(alone.back().startsWith(lead)) << alone.back().toStdString();
            alone.back().remove(0, lead.size());
        }
        EXPECT_EQ((lead + alone.join(" or ")).toStdString(), all.toStdString());
    }
}

TEST_F(ColorPresetRules, ColorOptionsTableAloneLeavesTheAdvancedPaneAlone)
{
    for (const RuleCase &c : kRuleCases) {
        SCOPED_TRACE(std::string("rule ") + std::to_string(c.rule) + ": " + c.why);
        apply(kQuiet);
        vColorPresetConstraints(comp);
        apply(c.settings);
        const bool onColorPane = Find(color, kTargets[c.rule]) != nullptr;
        // Conditions on the Advanced pane are not found, so count as false.
        const bool readsOnlyColorPane = c.settings.empty() || Find(color, c.settings[0].first) != nullptr;
        const bool holds = c.holds && (readsOnlyColorPane || c.settings.empty());
        EXPECT_EQ(bMatchCondition(c.rule, color), holds ? 1 : 0);

        // Whatever state an Advanced target is in, the engine does not touch it.
        setAllTargetsEnabled(false);
        const int before = value(kTargets[c.rule]);
        vColorPresetConstraints(color);
        if (onColorPane) {
            EXPECT_EQ(enabled(kTargets[c.rule]), !holds);
        } else {
            EXPECT_FALSE(enabled(kTargets[c.rule]));
            EXPECT_EQ(value(kTargets[c.rule]), before);
        }
    }
}

TEST_F(ColorPresetRules, GrayscaleResetsAndGreysSeparation)
{
    apply(kQuiet);
    apply({{"ColorAsGrayCheckBox", 1}});
    vColorPresetConstraints(comp);
    EXPECT_EQ(value("ColorSeparationCheckBox"), 0);
    EXPECT_FALSE(enabled("ColorSeparationCheckBox"));
    EXPECT_TRUE(enabled("ColorAsGrayCheckBox"));
    for (const char *target : {"ImageRGBSourcePopup", "TextDestinationProfilePopup", "SimulationSourcePopup",
                               "GraphicsRenderIntentPopup", "SimulationGrayTreatmentPopup"})
        EXPECT_FALSE(enabled(target)) << target;
    for (const char *target : {"ImageEdgeEnhancePopup", "TextEdgeEnhancePopup", "GraphicsEdgeEnhancePopup"})
        EXPECT_TRUE(enabled(target)) << target;
}

TEST_F(ColorPresetRules, GrayscaleAndSeparationBothOnKeepGrayscale)
{
    apply(kQuiet);
    apply({{"ColorAsGrayCheckBox", 1}, {"ColorSeparationCheckBox", 1}});
    vColorPresetConstraints(comp);
    // Rule 1 turns separation off; rule 2 then sees it off and enables grayscale.
    EXPECT_EQ(value("ColorSeparationCheckBox"), 0);
    EXPECT_FALSE(enabled("ColorSeparationCheckBox"));
    EXPECT_EQ(value("ColorAsGrayCheckBox"), 1);
    EXPECT_TRUE(enabled("ColorAsGrayCheckBox"));
}

TEST_F(ColorPresetRules, ImageRGBSourceNoneGreysOnlyTheIntent)
{
    apply(kQuiet);
    apply({{"ImageRGBSourcePopup", 1}});
    vColorPresetConstraints(comp);
    EXPECT_FALSE(enabled("ImageRenderIntentPopup"));
    EXPECT_TRUE(enabled("ImageRGBSourcePopup"));
    EXPECT_TRUE(enabled("TextRenderIntentPopup"));
}

TEST_F(ColorPresetRules, TableStartingWithTheEndRecordMatchesNothing)
{
    apply(kQuiet);
    apply({{"ColorAsGrayCheckBox", 1}, {"QuickColorPopup", 1}});
    setAllTargetsEnabled(false);
    PDEControlItem empty[] = {tint::kControlEndRecord};
    vColorPresetConstraints(empty);
    for (int i = 0; i < kRuleCount; ++i) {
        EXPECT_EQ(bMatchCondition(i, empty), 0) << i;
        EXPECT_FALSE(enabled(kTargets[i])) << kTargets[i];
    }
    vColorPresetConstraints({});
    EXPECT_EQ(bMatchCondition(0, {}), 0);
    EXPECT_EQ(bMatchCondition(-1, comp), 0);
    EXPECT_EQ(bMatchCondition(kRuleCount, comp), 0);
}

TEST_F(ColorPresetRules, TickingGrayscaleGreysTheAdvancedPaneAtOnce)
{
    apply(kQuiet);
    vColorPresetConstraints(comp);
    panel->onColorView->check_ColorAsGrayscale->click();
    EXPECT_TRUE(panel->onColorView->check_ColorAsGrayscale->isChecked());
    AdvancedColorOptions *advanced = panel->onAdvancedView;
    for (QComboBox *popup : {advanced->menu_iRGBSource, advanced->menu_tRGBSource, advanced->menu_gRGBSource,
                             advanced->menu_iDestinationProfile, advanced->menu_sSimulationProfile})
        EXPECT_FALSE(popup->isEnabled()) << popup->objectName().toStdString();
    EXPECT_FALSE(panel->onColorView->check_ColorSeparation->isEnabled());

    panel->onColorView->check_ColorAsGrayscale->click();
    EXPECT_TRUE(advanced->menu_iRGBSource->isEnabled());
    EXPECT_TRUE(panel->onColorView->check_ColorSeparation->isEnabled());
}

TEST_F(ColorPresetRules, ChoosingAnAdvancedPopupReRunsTheRules)
{
    apply(kQuiet);
    vColorPresetConstraints(comp);
    QComboBox *source = panel->onAdvancedView->menu_iRGBSource;
    source->setCurrentIndex(0);
    emit source->activated(0); // as a user's choice arrives
    EXPECT_FALSE(panel->onAdvancedView->menu_iRGBIntent->isEnabled());
}

} // namespace
