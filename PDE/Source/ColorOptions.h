// The Color Options pane: Quick Color, Brightness, grayscale, separation,
// EconoMode, edge and overprint settings, bound to their PPD options through
// the pane's control table. The pane keeps no values of its own; everything
// lives in its controls and goes through PDECommon.
#pragma once

#include "PDECommon.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class ColorOptions : public QWidget
{
    Q_OBJECT
  public:
    // initWithFrame: the base view only.
    explicit ColorOptions(QWidget *parent = nullptr);
    ~ColorOptions() override;

    void setPPDFile(ppd_file_t *ppdFile);
    void setPMPrint(PMPrintSettings printSettings, PMPrintSession printSession);
    void setViewBounds(const QRect &bounds);
    // Fills the pane's table from its template and the outlets as they are
    // now, then builds the choice lists from the pane's PPD.
    void createPDEControlTable();
    void deallocPDEControlTable();
    PDEControlItem *getControlData();
    int16_t getControlCount();
    void addPPDArray(std::vector<std::string> *array);
    void createPDEItemForPPDKey();
    void defaultFromPPDInfo();
    void setControlValueToTicket();
    void getControlValueFromTicket();
    void getSummaryText(const PMDictionaryRef &summaryDict, const PMArrayRef &addArray);

    // Selected position of the Quick Color pop-up (-1: nothing selected).
    int16_t getQuickColorValue();
    // State of the EconoMode check box (0 off, 1 on).
    int16_t getEconoModeValue();

    // Pane state, then the outlets the layout connects.
    ppd_file_t *ppd = nullptr;
    std::unique_ptr<PDEControlItem[]> ctrlTable;
    int16_t ctrlCount = 0;
    PMPrintSettings setting = nullptr;
    PMPrintSession session = nullptr;

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
