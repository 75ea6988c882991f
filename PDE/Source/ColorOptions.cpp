#include "ColorOptions.h"

#include "ClassRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <new>

TINT_REGISTER_WIDGET_CLASS(ColorOptions);

namespace
{

// The pane's table template. Controls are filled in from the outlets when the
// table is built, in the order of kColorOptionsOutlets below.
constexpr PDEControlItem kColorOptionsTemplate[] = {
    {nullptr, kPDEControlPopUp, "WQQuickColor", nullptr, "Quick Color", "QuickColorPopup", kProfileListNone,
     nullptr},
    {nullptr, kPDEControlPopUp, "WQBrightness", nullptr, "Brightness", "", kProfileListNone, nullptr},
    {nullptr, kPDEControlCheckBox, "WQColorAsGray", "Color as Grayscale", "Color as Grayscale",
     "ColorAsGrayCheckBox", kProfileListNone, nullptr},
    {nullptr, kPDEControlCheckBox, "WQColorSeparation", "Color Separation", "Color Separation",
     "ColorSeparationCheckBox", kProfileListNone, nullptr},
    {nullptr, kPDEControlCheckBox, "WQEconoMode", "EconoMode", "EconoMode", "EconoModeCheckBox",
     kProfileListNone, nullptr},
    {nullptr, kPDEControlPopUp, "WQEdgeType", nullptr, "EdgeType", "EdgeTypePopup", kProfileListNone,
     nullptr},
    {nullptr, kPDEControlCheckBox, "WQAutoTrapping", "AutoTrapping", "AutoTrapping", "AutoTrappingCheckBox",
     kProfileListNone, nullptr},
    {nullptr, kPDEControlPopUp, "WQBlackOverprint", nullptr, "BlackOverprint", "BlackOverprintPopup",
     kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "Quick Color:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "Brightness:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "EdgeType:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlStaticText, "", "BlackOverprint:", nullptr, "", kProfileListNone, nullptr},
    {nullptr, kPDEControlPushButton, "", "Advanced Color Options", nullptr, "GoToAdvancedOptionsButton",
     kProfileListNone, nullptr},
    kPDEControlEndRecord,
};
constexpr int kColorOptionsRecords = sizeof(kColorOptionsTemplate) / sizeof(kColorOptionsTemplate[0]);
static_assert(kColorOptionsRecords == 14);

} // namespace

ColorOptions::ColorOptions(QWidget *parent) : QWidget(parent) {}

ColorOptions::~ColorOptions()
{
    // The panel frees the table on release; a pane destroyed without that
    // must not leak its choice lists.
    deallocPDEControlTable();
}

void ColorOptions::setViewBounds(const QRect &bounds)
{
    resize(bounds.width(), bounds.height());
}

void ColorOptions::createPDEControlTable()
{
    QWidget *const outlets[kColorOptionsRecords - 1] = {
        menu_QuickColor,
        menu_Brightness,
        check_ColorAsGrayscale,
        check_ColorSeparation,
        check_EconomyPrint,
        menu_EdgeStrength,
        check_AutoTrapping,
        menu_BlackOverprint,
        text_QuickColor,
        text_Brightness,
        text_Strength,
        text_BlackOverprint,
        button_AdvanceColorOptions,
    };
    // A table built earlier is released first, never leaked.
    deallocPDEControlTable();
    // Always all 14 records, even when the layout lacks a control: the
    // record without one then ends every walk, while the compound table,
    // which stops at the end record, still finds that record in the table.
    ctrlCount = kColorOptionsRecords;
    ctrlTable.reset(new (std::nothrow) PDEControlItem[kColorOptionsRecords]());
    if (!ctrlTable)
        return;
    for (int i = 0; i < kColorOptionsRecords; ++i) {
        ctrlTable[i] = kColorOptionsTemplate[i];
        if (i < kColorOptionsRecords - 1)
            ctrlTable[i].control = outlets[i];
    }
    for (PDEControlItem *item = ctrlTable.get(); item->control; ++item) {
        item->choices = nullptr;
        if (item->ppdKey && item->ppdKey[0])
            PDECommon::commonGetPPDArrayForUIOption(ppd, item->ppdKey, &item->choices);
    }
}

void ColorOptions::deallocPDEControlTable()
{
    if (!ctrlTable)
        return;
    PDECommon::commonReleasePPDArrays(ctrlTable.get());
    ctrlTable.reset();
}

void ColorOptions::setPPDFile(ppd_file_t *ppdFile)
{
    ppd = ppdFile;
}

void ColorOptions::setPMPrint(PMPrintSettings printSettings, PMPrintSession printSession)
{
    setting = printSettings;
    session = printSession;
}

PDEControlItem *ColorOptions::getControlData()
{
    return ctrlTable.get();
}

int16_t ColorOptions::getControlCount()
{
    return ctrlCount;
}

void ColorOptions::addPPDArray(std::vector<std::string> *array)
{
    if (ctrlTable)
        PDECommon::commonAddPPDArray(array, ctrlTable.get());
}

void ColorOptions::createPDEItemForPPDKey()
{
    if (ctrlTable)
        PDECommon::commonBuildPDEItem(ctrlTable.get(), ppd);
}

void ColorOptions::defaultFromPPDInfo()
{
    if (ctrlTable)
        PDECommon::commonDefaultFromPPDInfo(ctrlTable.get());
}

void ColorOptions::setControlValueToTicket()
{
    if (ctrlTable)
        PDECommon::commonSyncTicketFromPane(setting, session, ctrlTable.get());
}

void ColorOptions::getControlValueFromTicket()
{
    if (ctrlTable)
        PDECommon::commonSyncPaneFromTicket(setting, session, ctrlTable.get());
}

void ColorOptions::getSummaryText(const PMDictionaryRef &summaryDict, const PMArrayRef &addArray)
{
    if (ctrlTable)
        PDECommon::commonGetSummaryText(ctrlTable.get(), summaryDict, addArray);
}

int16_t ColorOptions::getQuickColorValue()
{
    return menu_QuickColor ? static_cast<int16_t>(menu_QuickColor->currentIndex()) : -1;
}

int16_t ColorOptions::getEconoModeValue()
{
    return check_EconomyPrint && check_EconomyPrint->isChecked() ? 1 : 0;
}
