// The pane switcher: hosts either the Color Options pane or the Advanced
// Color Options pane in the panel's container view and forwards each panel
// request to both panes.
#pragma once

#include "PrintCore.h"

#include <QObject>

#include <cstdint>
#include <string>
#include <vector>

#include <cups/ppd.h>

class AdvancedColorOptions;
class ColorOptions;
class QWidget;
struct PDEControlItem;

class PainChangeController : public QObject
{
    Q_OBJECT
  public:
    explicit PainChangeController(QObject *parent = nullptr);

    // Actions of the "Advanced Color Options" and "Hide Advanced Options"
    // buttons; each refuses silently while the pane to show has no table.
    void ColorToAdvancedView(QObject *sender = nullptr);
    void AdvancedToColorView(QObject *sender = nullptr);

    // The swap itself.
    void SHowColorToAdvancedView();
    void ShowAdvancedToColorView();

    // Advanced pane first, then the Color Options pane.
    void creatPDEControlTableEachView();
    void addPPDArrayEachView(std::vector<std::string> *array);
    void deallocPDEControlTableEachView();
    void setPPDFileEachView(ppd_file_t *ppdFile);
    void setPMPrintEachView(PMPrintSettings printSettings, PMPrintSession printSession);
    void createPDEItemForPPDKeyEachView();
    void getControlValueFromTickettEachView();
    void setControlValueToTicketEachView();
    // Color Options pane first, then the Advanced pane.
    void defaultFromPPDInfoEachView();

    // Clears count slots of tables, puts the Color Options table in slot 0
    // and the Advanced table in slot 1; returns 2.
    int getControlDataEachView(PDEControlItem **tables, int count);
    int getControlCountEachView();
    void getSummaryTextEachView(const PMDictionaryRef &summaryDict, const PMArrayRef &addArray);
    void changeAdvancedItemAccodingQuickColor();
    void getSummaryAdvancedItemAccodingQuickColor(const PMDictionaryRef &summaryDict,
                                                  const PMArrayRef &addArray);

    // The pane now shown in onMainCustomView, or nullptr.
    QWidget *shownPane() const;

    // Outlets.
    ColorOptions *onColorView = nullptr;
    AdvancedColorOptions *onAdvancedView = nullptr;
    QWidget *onMainCustomView = nullptr;

  private:
    void showPane(QWidget *show, QWidget *leave);
};
