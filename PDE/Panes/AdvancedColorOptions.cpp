#include "AdvancedColorOptions.h"

#include "ControlReason.h"

#include "ProfileStore.h"
#include "TintPaths.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>

namespace
{

using enum tint::ControlAction;
using tint::popUp;
using tint::pushButton;
using tint::staticText;
using tint::tabView;

// Records 0 to 20 are the pop-ups in preset order (Image, Text, Graphics,
// each RGB Source, RGB Intent, RGB Gray Treatment, Destination Profile,
// Halftone, EdgeEnhance; then the three Simulation pop-ups). The Halftone
// pop-ups have no identifier, so no preset rule can name them.
const tint::ControlDescription kAdvancedControls[] = {
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_iRGBSource), "WQImageRGBSource",
          "RGB Source:", "Image RGB Source", "ImageRGBSourcePopup", kProfileListRGBSource, Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_iRGBIntent), "WQImageRenderIntent",
          "RGB Intent:", "Image RGB Intent", "ImageRenderIntentPopup", kProfileListNone, Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_iRGBGrayTreatment), "WQImageGrayTreatment",
          "RGB Gray Treatment:", "Image RGB Gray Treatment", "ImageGrayTreatmentPopup", kProfileListNone,
          Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_iDestinationProfile), "WQImageDestinationProfile",
          "Destination Profile:", "Image Destination Profile", "ImageDestinationProfilePopup",
          kProfileListDestination, Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_iHalftone), "WQImageHalftone", "Halftone:", "Image Halftone",
          "", kProfileListNone, Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_iEdgeEnhancement), "WQImageEdgeEnhance",
          "EdgeEnhance:", "Image EdgeEnhance", "ImageEdgeEnhancePopup", kProfileListNone, Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_tRGBSource), "WQTextRGBSource",
          "RGB Source:", "Text RGB Source", "TextRGBSourcePopup", kProfileListRGBSource, Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_tRGBIntent), "WQTextRenderIntent",
          "RGB Intent:", "Text RGB Intent", "TextRenderIntentPopup", kProfileListNone, Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_tRGBGrayTreatment), "WQTextGrayTreatment",
          "RGB Gray Treatment:", "Text RGB Gray Treatment", "TextGrayTreatmentPopup", kProfileListNone,
          Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_tDestinationProfile), "WQTextDestinationProfile",
          "Destination Profile:", "Text Destination Profile", "TextDestinationProfilePopup",
          kProfileListDestination, Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_tHalftone), "WQTextHalftone", "Halftone:", "Text Halftone",
          "", kProfileListNone, Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_tEdgeEnhancement), "WQTextEdgeEnhance",
          "EdgeEnhance:", "Text EdgeEnhance", "TextEdgeEnhancePopup", kProfileListNone, Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_gRGBSource), "WQGraphicsRGBSource",
          "RGB Source:", "Graphics RGB Source", "GraphicsRGBSourcePopup", kProfileListRGBSource, Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_gRGBIntent), "WQGraphicsRenderIntent",
          "RGB Intent:", "Graphics RGB Intent", "GraphicsRenderIntentPopup", kProfileListNone, Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_gRGBGrayTreatment), "WQGraphicsGrayTreatment",
          "RGB Gray Treatment:", "Graphics RGB Gray Treatment", "GraphicsGrayTreatmentPopup",
          kProfileListNone, Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_gDestinationProfile), "WQGraphicsDestinationProfile",
          "Destination Profile:", "Graphics Destination Profile", "GraphicsDestinationProfilePopup",
          kProfileListDestination, Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_gHalftone), "WQGraphicsHalftone",
          "Halftone:", "Graphics Halftone", "", kProfileListNone, Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_gEdgeEnhancement), "WQGraphicsEdgeEnhance",
          "EdgeEnhance:", "Graphics EdgeEnhance", "GraphicsEdgeEnhancePopup", kProfileListNone, Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_sSimulationProfile), "WQSimSource", "Simulation Profile:",
          "Simulation Profile", "SimulationSourcePopup", kProfileListSimulation, Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_sMatchPaperColor), "WQSimRenderIntent", "Match Paper Color:",
          "Match Paper Color", "SimulationRenderIntentPopup", kProfileListNone, Constraints),
    popUp(TINT_OUTLET(AdvancedColorOptions, menu_sCMYKGrayTreatment), "WQSimGrayTreatment",
          "CMYK Gray Treatment:", "CMYK Gray Treatment", "SimulationGrayTreatmentPopup", kProfileListNone,
          Constraints),
    tabView(TINT_OUTLET(AdvancedColorOptions, tab_SwitchVew), "Image"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_iRGBSource), "RGB Source:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_iRGBIntent), "RGB Intent:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_iRGBGrayTreatment), "RGB Gray Treatment:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_iDestinationProfile), "Destination Profile:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_iHalftone), "Halftone:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_iEdgeEnhancement), "EdgeEnhance:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_tRGBSource), "RGB Source:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_tRGBIntent), "RGB Intent:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_tRGBGrayTreatment), "RGB Gray Treatment:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_tDestinationProfile), "Destination Profile:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_tHalftone), "Halftone:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_tEdgeEnhancement), "EdgeEnhance:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_gRGBSource), "RGB Source:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_gRGBIntent), "RGB Intent:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_gRGBGrayTreatment), "RGB Gray Treatment:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_gDestinationProfile), "Destination Profile:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_gHalftone), "Halftone:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_gEdgeEnhancement), "EdgeEnhance:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_sSimulationProfile), "Simulation Profile:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_sMatchPaperColor), "Match Paper Color:"),
    staticText(TINT_OUTLET(AdvancedColorOptions, text_sCMYKGrayTreatment), "CMYK Gray Treatment:"),
    pushButton(TINT_OUTLET(AdvancedColorOptions, button_ManageProfile), "Management Profile", "",
               ManageProfile),
    pushButton(TINT_OUTLET(AdvancedColorOptions, button_Sendrix), "Sendrix", "", Sendrix),
    pushButton(TINT_OUTLET(AdvancedColorOptions, button_HideAdvancedOptions), "Hide Advanced Options", "",
               AdvancedToColor),
};

constexpr int kPresetPopups = 21;
constexpr int16_t kPresetCount = 3; // Quick Color positions 0..2; 3 is "Custom"

// Item position of each pop-up (record 0..20 of the table) for Quick Color
// positions 0, 1 and 2. Selection is by position only: what a position means
// is decided by the PPD's choice order.
struct QuickColorPresetRow {
    int record;
    int position[kPresetCount];
};
constexpr QuickColorPresetRow kQuickColorPresets[kPresetPopups] = {
    {0, {1, 1, 1}},  // Image RGB Source
    {1, {0, 0, 1}},  // Image RGB Intent
    {2, {1, 0, 1}},  // Image RGB Gray Treatment
    {3, {0, 0, 0}},  // Image Destination Profile
    {4, {1, 1, 2}},  // Image Halftone
    {5, {0, 0, 1}},  // Image EdgeEnhance
    {6, {1, 1, 1}},  // Text RGB Source
    {7, {1, 0, 1}},  // Text RGB Intent
    {8, {1, 0, 1}},  // Text RGB Gray Treatment
    {9, {0, 0, 0}},  // Text Destination Profile
    {10, {2, 1, 2}}, // Text Halftone
    {11, {1, 0, 1}}, // Text EdgeEnhance
    {12, {1, 1, 1}}, // Graphics RGB Source
    {13, {1, 0, 1}}, // Graphics RGB Intent
    {14, {1, 0, 1}}, // Graphics RGB Gray Treatment
    {15, {0, 0, 0}}, // Graphics Destination Profile
    {16, {1, 1, 2}}, // Graphics Halftone
    {17, {1, 0, 1}}, // Graphics EdgeEnhance
    {18, {0, 0, 0}}, // Simulation Profile
    {19, {0, 0, 0}}, // Match Paper Color
    {20, {0, 0, 0}}, // CMYK Gray Treatment
};

// With Econo Mode on, these pop-ups are moved to their first item after the
// preset, in this order. Text EdgeEnhance is never overridden; preset 1 has
// its edge enhancement off already.
struct EconoOverride {
    int16_t preset;
    int record;
};
constexpr EconoOverride kEconoOverrides[] = {
    {0, 17}, // Graphics EdgeEnhance
    {2, 5},  // Image EdgeEnhance
    {2, 17}, // Graphics EdgeEnhance
};

} // namespace

std::span<const tint::ControlDescription> AdvancedColorOptions::controlTable = kAdvancedControls;

AdvancedColorOptions::AdvancedColorOptions(QWidget *parent) : tint::Pane(controlTable, parent) {}

void AdvancedColorOptions::didCreateControlTable()
{
    if (tab_SwitchVew)
        tab_SwitchVew->setCurrentIndex(0);
    if (button_ManageProfile) {
        std::string group;
        switch (tint::relayProfileStore().probeWritePermission(&group)) {
        case ProfileListWriteProbe::MayWrite:
            tint::setControlAvailable(button_ManageProfile);
            break;
        case ProfileListWriteProbe::NotPermitted:
            tint::setControlUnavailable(
                button_ManageProfile,
                group.empty() ? tint::localized("Unavailable: you may not change the printer's profile lists")
                              : tint::localized(
                                    "Unavailable: only members of the group \"%1\" may change the printer's "
                                    "profile lists")
                                    .arg(QString::fromStdString(group)));
            break;
        case ProfileListWriteProbe::NoService:
            tint::setControlUnavailable(
                button_ManageProfile,
                tint::localized("Unavailable: the profile service cannot be reached on the session bus"));
            break;
        }
    }
    // The button of a tool that is not installed would do nothing at all.
    if (button_Sendrix) {
        if (QFileInfo::exists(QString::fromStdString(TintSendrixPath())))
            tint::setControlAvailable(button_Sendrix);
        else
            tint::setControlUnavailable(button_Sendrix,
                                        tint::localized("Unavailable: Sendrix is not installed"));
    }
}

void AdvancedColorOptions::createPDEItemForPPDKey()
{
    if (ctrlTable.empty())
        return;
    tint::Pane::createPDEItemForPPDKey();
    PDECommon::commonAddMenuFromProfilePlist(ctrlTable);
}

namespace
{

// The pop-up of a preset record (records 0 to 20 of the pane's table).
QComboBox *PopUpOf(const PDEControlItem &item)
{
    return qobject_cast<QComboBox *>(item.control);
}

// Selects position in popup when the pop-up has such an item; a pop-up with
// fewer items (a PPD with fewer choices) is left as it is.
void SelectPresetPosition(QComboBox *popup, int position)
{
    if (popup && position >= 0 && position < popup->count())
        popup->setCurrentIndex(position);
}

// Title of the item at position, or of the current item when the pop-up has
// no such item (it was left as it is).
std::string PresetTitle(QComboBox *popup, int position)
{
    if (!popup)
        return std::string();
    if (position >= 0 && position < popup->count())
        return popup->itemText(position).toStdString();
    return popup->currentText().toStdString();
}

} // namespace

void AdvancedColorOptions::changeItemAccodingQuickColor(int16_t quickColor, int16_t econoMode)
{
    // Without a table the pane was never bound to its controls.
    if (ctrlTable.empty() || quickColor < 0 || quickColor >= kPresetCount)
        return;
    for (const QuickColorPresetRow &row : kQuickColorPresets)
        SelectPresetPosition(PopUpOf(ctrlTable[row.record]), row.position[quickColor]);
    if (econoMode == 0)
        return;
    for (const EconoOverride &override : kEconoOverrides) {
        if (override.preset == quickColor)
            SelectPresetPosition(PopUpOf(ctrlTable[override.record]), 0);
    }
}

void AdvancedColorOptions::getSummaryItemAccodingQuickColor(int16_t quickColor, int16_t econoMode,
                                                            PMDictionaryRef summaryDict, PMArrayRef addArray)
{
    if (ctrlTable.empty() || quickColor < 0 || quickColor >= kPresetCount)
        return;
    for (const QuickColorPresetRow &row : kQuickColorPresets) {
        const PDEControlItem &item = ctrlTable[row.record];
        PDECommon::commonGetSummaryTextQuickColor(
            item.summaryKey, PresetTitle(PopUpOf(item), row.position[quickColor]), summaryDict, addArray);
    }
    if (econoMode == 0)
        return;
    for (const EconoOverride &override : kEconoOverrides) {
        if (override.preset != quickColor)
            continue;
        const PDEControlItem &item = ctrlTable[override.record];
        PDECommon::commonGetSummaryTextQuickColor(item.summaryKey, PresetTitle(PopUpOf(item), 0), summaryDict,
                                                  addArray);
    }
}

void AdvancedColorOptions::sendrixButton(QObject *)
{
    // Refused rather than cut when the root makes the path too long: a cut
    // path would name another file.
    char path[TINT_PATH_BUFFER];
    if (TintCopyPath(path, TintSendrixPath().c_str()) != 0)
        return;
    const QString tool = QString::fromUtf8(path);
    if (!QFileInfo::exists(tool))
        return;
    // A platform without desktop services (offscreen, a bare X server)
    // refuses the URL; the desktop's opener still knows the tool there.
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(tool)))
        QProcess::startDetached(QStringLiteral("xdg-open"), {tool});
}
