// The Color Options pane: Quick Color, Brightness, grayscale, separation,
// EconoMode, edge and overprint settings, bound to their PPD options through
// the pane's control table. The pane keeps no values of its own; everything
// lives in its controls and goes through PDECommon.
#pragma once

#include "Pane.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class ColorOptions : public tint::Pane
{
    Q_OBJECT
  public:
    // initWithFrame: the base view only.
    explicit ColorOptions(QWidget *parent = nullptr);

    // Selected position of the Quick Color pop-up (-1: nothing selected).
    int16_t getQuickColorValue();
    // State of the EconoMode check box (0 off, 1 on).
    int16_t getEconoModeValue();

    // The descriptions every new pane binds.
    static std::span<const tint::ControlDescription> controlTable;

    QComboBox *menu_QuickColor = nullptr;
    QComboBox *menu_Brightness = nullptr;
    QCheckBox *check_ColorAsGrayscale = nullptr;
    QCheckBox *check_ColorSeparation = nullptr;
    QCheckBox *check_EconomyPrint = nullptr;
    QComboBox *menu_EdgeStrength = nullptr;
    QCheckBox *check_AutoTrapping = nullptr;
    QComboBox *menu_BlackOverprint = nullptr;
    QLabel *text_QuickColor = nullptr;
    QLabel *text_Brightness = nullptr;
    QLabel *text_Strength = nullptr;
    QLabel *text_BlackOverprint = nullptr;
    QPushButton *button_AdvanceColorOptions = nullptr;
};
