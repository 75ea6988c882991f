#include "ColorOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace
{

using enum tint::ControlAction;
using tint::checkBox;
using tint::popUp;
using tint::pushButton;
using tint::staticText;

// Controls whose rules reach into the Advanced pane re-run the rules over
// both panes; the rest over this pane alone.
const tint::ControlDescription kColorOptionsControls[] = {
    popUp(TINT_OUTLET(ColorOptions, menu_QuickColor), "WQQuickColor", nullptr, "Quick Color",
          "QuickColorPopup", kProfileListNone, SelectItem),
    popUp(TINT_OUTLET(ColorOptions, menu_Brightness), "WQBrightness", nullptr, "Brightness", "",
          kProfileListNone, SelectItem),
    checkBox(TINT_OUTLET(ColorOptions, check_ColorAsGrayscale), "WQColorAsGray", "Color as Grayscale",
             "Color as Grayscale", "ColorAsGrayCheckBox", Constraints),
    checkBox(TINT_OUTLET(ColorOptions, check_ColorSeparation), "WQColorSeparation", "Color Separation",
             "Color Separation", "ColorSeparationCheckBox", Constraints),
    checkBox(TINT_OUTLET(ColorOptions, check_EconomyPrint), "WQEconoMode", "EconoMode", "EconoMode",
             "EconoModeCheckBox", Constraints),
    popUp(TINT_OUTLET(ColorOptions, menu_EdgeStrength), "WQEdgeType", nullptr, "EdgeType", "EdgeTypePopup",
          kProfileListNone, Constraints),
    checkBox(TINT_OUTLET(ColorOptions, check_AutoTrapping), "WQAutoTrapping", "AutoTrapping", "AutoTrapping",
             "AutoTrappingCheckBox", SelectItem),
    popUp(TINT_OUTLET(ColorOptions, menu_BlackOverprint), "WQBlackOverprint", nullptr, "BlackOverprint",
          "BlackOverprintPopup", kProfileListNone, SelectItem),
    staticText(TINT_OUTLET(ColorOptions, text_QuickColor), "Quick Color:"),
    staticText(TINT_OUTLET(ColorOptions, text_Brightness), "Brightness:"),
    staticText(TINT_OUTLET(ColorOptions, text_Strength), "EdgeType:"),
    staticText(TINT_OUTLET(ColorOptions, text_BlackOverprint), "BlackOverprint:"),
    pushButton(TINT_OUTLET(ColorOptions, button_AdvanceColorOptions), "Advanced Color Options",
               "GoToAdvancedOptionsButton", ColorToAdvanced),
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
