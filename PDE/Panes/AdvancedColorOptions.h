// The Advanced Color Options pane: RGB source, intent, gray treatment,
// destination profile, halftone and edge enhancement for images, text and
// graphics, plus CMYK simulation, on a tab view; each pop-up bound to its PPD
// option through the pane's control table. The pane also knows the Quick
// Color presets: the fixed positions its pop-ups take when Quick Color
// stands on one of its first three choices.
#pragma once

#include "Pane.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

class AdvancedColorOptions : public tint::Pane
{
    Q_OBJECT
  public:
    // initWithFrame: the base view only.
    explicit AdvancedColorOptions(QWidget *parent = nullptr);

    // Titles and PPD menus, then the ticked profiles of the profile list.
    void createPDEItemForPPDKey() override;

    // Selects the preset positions of Quick Color position quickColor (0, 1
    // or 2; anything else changes nothing) in the 21 pop-ups, with the
    // Econo Mode overrides when econoMode is non-zero. Selection only.
    void changeItemAccodingQuickColor(int16_t quickColor, int16_t econoMode);
    // The summary the same preset gives: for each pop-up the title of its
    // item at the preset position, whatever the pop-up shows now.
    void getSummaryItemAccodingQuickColor(int16_t quickColor, int16_t econoMode, PMDictionaryRef summaryDict,
                                          PMArrayRef addArray);

    // Action of the "Sendrix" button: opens the maker's tool when it is
    // installed, silently nothing otherwise.
    void sendrixButton(QObject *sender);

    // The descriptions every new pane binds.
    static std::span<const tint::ControlDescription> controlTable;

    QComboBox *menu_iRGBSource = nullptr;
    QComboBox *menu_iRGBIntent = nullptr;
    QComboBox *menu_iRGBGrayTreatment = nullptr;
    QComboBox *menu_iDestinationProfile = nullptr;
    QComboBox *menu_iHalftone = nullptr;
    QComboBox *menu_iEdgeEnhancement = nullptr;
    QComboBox *menu_tRGBSource = nullptr;
    QComboBox *menu_tRGBIntent = nullptr;
    QComboBox *menu_tRGBGrayTreatment = nullptr;
    QComboBox *menu_tDestinationProfile = nullptr;
    QComboBox *menu_tHalftone = nullptr;
    QComboBox *menu_tEdgeEnhancement = nullptr;
    QComboBox *menu_gRGBSource = nullptr;
    QComboBox *menu_gRGBIntent = nullptr;
    QComboBox *menu_gRGBGrayTreatment = nullptr;
    QComboBox *menu_gDestinationProfile = nullptr;
    QComboBox *menu_gHalftone = nullptr;
    QComboBox *menu_gEdgeEnhancement = nullptr;
    QComboBox *menu_sSimulationProfile = nullptr;
    QComboBox *menu_sMatchPaperColor = nullptr;
    QComboBox *menu_sCMYKGrayTreatment = nullptr;
    QTabWidget *tab_SwitchVew = nullptr;
    QLabel *text_iRGBSource = nullptr;
    QLabel *text_iRGBIntent = nullptr;
    QLabel *text_iRGBGrayTreatment = nullptr;
    QLabel *text_iDestinationProfile = nullptr;
    QLabel *text_iHalftone = nullptr;
    QLabel *text_iEdgeEnhancement = nullptr;
    QLabel *text_tRGBSource = nullptr;
    QLabel *text_tRGBIntent = nullptr;
    QLabel *text_tRGBGrayTreatment = nullptr;
    QLabel *text_tDestinationProfile = nullptr;
    QLabel *text_tHalftone = nullptr;
    QLabel *text_tEdgeEnhancement = nullptr;
    QLabel *text_gRGBSource = nullptr;
    QLabel *text_gRGBIntent = nullptr;
    QLabel *text_gRGBGrayTreatment = nullptr;
    QLabel *text_gDestinationProfile = nullptr;
    QLabel *text_gHalftone = nullptr;
    QLabel *text_gEdgeEnhancement = nullptr;
    QLabel *text_sSimulationProfile = nullptr;
    QLabel *text_sMatchPaperColor = nullptr;
    QLabel *text_sCMYKGrayTreatment = nullptr;
    QPushButton *button_ManageProfile = nullptr;
    QPushButton *button_Sendrix = nullptr;
    QPushButton *button_HideAdvancedOptions = nullptr;

  protected:
    // Shows the first tab and enables "Management Profile" only for users
    // who may write the profile list.
    void didCreateControlTable() override;
};
