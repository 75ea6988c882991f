#include "ColorOptions.h"

#include "ClassRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

TINT_REGISTER_WIDGET_CLASS(ColorOptions);

namespace
{

using enum tint::ControlAction;

// Controls whose rules reach into the Advanced pane re-run the rules over
// both panes; the rest over this pane alone.
const tint::ControlDescription kColorOptionsControls[] = {
    {TINT_PANE_CONTROL(ColorOptions, menu_QuickColor), kPDEControlPopUp, "WQQuickColor", nullptr,
     "Quick Color", "QuickColorPopup", kProfileListNone, SelectItem},
    {TINT_PANE_CONTROL(ColorOptions, menu_Brightness), kPDEControlPopUp, "WQBrightness", nullptr,
     "Brightness", "", kProfileListNone, SelectItem},
    {TINT_PANE_CONTROL(ColorOptions, check_ColorAsGrayscale), kPDEControlCheckBox, "WQColorAsGray",
     "Color as Grayscale", "Color as Grayscale", "ColorAsGrayCheckBox", kProfileListNone, Constraints},
    {TINT_PANE_CONTROL(ColorOptions, check_ColorSeparation), kPDEControlCheckBox, "WQColorSeparation",
     "Color Separation", "Color Separation", "ColorSeparationCheckBox", kProfileListNone, Constraints},
    {TINT_PANE_CONTROL(ColorOptions, check_EconomyPrint), kPDEControlCheckBox, "WQEconoMode", "EconoMode",
     "EconoMode", "EconoModeCheckBox", kProfileListNone, Constraints},
    {TINT_PANE_CONTROL(ColorOptions, menu_EdgeStrength), kPDEControlPopUp, "WQEdgeType", nullptr, "EdgeType",
     "EdgeTypePopup", kProfileListNone, Constraints},
    {TINT_PANE_CONTROL(ColorOptions, check_AutoTrapping), kPDEControlCheckBox, "WQAutoTrapping",
     "AutoTrapping", "AutoTrapping", "AutoTrappingCheckBox", kProfileListNone, SelectItem},
    {TINT_PANE_CONTROL(ColorOptions, menu_BlackOverprint), kPDEControlPopUp, "WQBlackOverprint", nullptr,
     "BlackOverprint", "BlackOverprintPopup", kProfileListNone, SelectItem},
    {TINT_PANE_CONTROL(ColorOptions, text_QuickColor), kPDEControlStaticText, "", "Quick Color:", nullptr, "",
     kProfileListNone, None},
    {TINT_PANE_CONTROL(ColorOptions, text_Brightness), kPDEControlStaticText, "", "Brightness:", nullptr, "",
     kProfileListNone, None},
    {TINT_PANE_CONTROL(ColorOptions, text_Strength), kPDEControlStaticText, "", "EdgeType:", nullptr, "",
     kProfileListNone, None},
    {TINT_PANE_CONTROL(ColorOptions, text_BlackOverprint), kPDEControlStaticText, "",
     "BlackOverprint:", nullptr, "", kProfileListNone, None},
    {TINT_PANE_CONTROL(ColorOptions, button_AdvanceColorOptions), kPDEControlPushButton, "",
     "Advanced Color Options", nullptr, "GoToAdvancedOptionsButton", kProfileListNone, ColorToAdvanced},
};

} // namespace

std::span<const tint::ControlDescription> ColorOptions::controlTable = kColorOptionsControls;

ColorOptions::ColorOptions(QWidget *parent) : tint::Pane(controlTable, parent) {}

int16_t ColorOptions::getQuickColorValue()
{
    return menu_QuickColor ? static_cast<int16_t>(menu_QuickColor->currentIndex()) : -1;
}

int16_t ColorOptions::getEconoModeValue()
{
    return check_EconomyPrint && check_EconomyPrint->isChecked() ? 1 : 0;
}
