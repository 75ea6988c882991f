// The pane switcher: hosts either the Color Options pane or the Advanced
// Color Options pane in the panel's container view and forwards each panel
// request to both panes.
#pragma once

#include "PDEPane.h"

#include <QObject>

#include <array>

class AdvancedColorOptions;
class ColorOptions;

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
    void creatPDEControlTableEachView() { eachView(kAdvancedFirst, &PDEPane::createPDEControlTable); }
    void addPPDArrayEachView(std::vector<std::string> *array)
    {
        eachView(kAdvancedFirst, &PDEPane::addPPDArray, array);
    }
    void deallocPDEControlTableEachView() { eachView(kAdvancedFirst, &PDEPane::deallocPDEControlTable); }
    void setPPDFileEachView(ppd_file_t *ppdFile) { eachView(kAdvancedFirst, &PDEPane::setPPDFile, ppdFile); }
    void setPMPrintEachView(PMPrintSettings printSettings, PMPrintSession printSession)
    {
        eachView(kAdvancedFirst, &PDEPane::setPMPrint, printSettings, printSession);
    }
    void createPDEItemForPPDKeyEachView() { eachView(kAdvancedFirst, &PDEPane::createPDEItemForPPDKey); }
    void getControlValueFromTickettEachView()
    {
        eachView(kAdvancedFirst, &PDEPane::getControlValueFromTicket);
    }
    void setControlValueToTicketEachView() { eachView(kAdvancedFirst, &PDEPane::setControlValueToTicket); }
    // Color Options pane first, then the Advanced pane.
    void defaultFromPPDInfoEachView() { eachView(kColorFirst, &PDEPane::defaultFromPPDInfo); }

    // Clears count slots of tables, puts the Color Options table in slot 0
    // and the Advanced table in slot 1; returns 2.
    int getControlDataEachView(PDEControlSpan *tables, int count);
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
    enum Order { kAdvancedFirst, kColorFirst };
    std::array<PDEPane *, 2> panes(Order order) const;
    template <typename... Params, typename... Args>
    void eachView(Order order, void (PDEPane::*method)(Params...), Args &&...args)
    {
        for (PDEPane *pane : panes(order))
            if (pane)
                (pane->*method)(args...);
    }
    void showPane(PDEPane *show, PDEPane *leave);
};
