// The pane switcher: hosts either the Color Options pane or the Advanced
// Color Options pane in the panel's container view and forwards each panel
// request to both panes.
#pragma once

#include "Pane.h"

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
    void creatPDEControlTableEachView() { eachView(kAdvancedFirst, &tint::Pane::createPDEControlTable); }
    void addPPDArrayEachView(std::vector<std::string> *array)
    {
        eachView(kAdvancedFirst, &tint::Pane::addPPDArray, array);
    }
    void deallocPDEControlTableEachView() { eachView(kAdvancedFirst, &tint::Pane::deallocPDEControlTable); }
    void setPPDFileEachView(ppd_file_t *ppdFile)
    {
        eachView(kAdvancedFirst, &tint::Pane::setPPDFile, ppdFile);
    }
    void setPMPrintEachView(PMPrintSettings printSettings, PMPrintSession printSession)
    {
        eachView(kAdvancedFirst, &tint::Pane::setPMPrint, printSettings, printSession);
    }
    void createPDEItemForPPDKeyEachView() { eachView(kAdvancedFirst, &tint::Pane::createPDEItemForPPDKey); }
    void getControlValueFromTickettEachView()
    {
        eachView(kAdvancedFirst, &tint::Pane::getControlValueFromTicket);
    }
    void setControlValueToTicketEachView() { eachView(kAdvancedFirst, &tint::Pane::setControlValueToTicket); }
    // Color Options pane first, then the Advanced pane.
    void defaultFromPPDInfoEachView() { eachView(kColorFirst, &tint::Pane::defaultFromPPDInfo); }

    // Clears count slots of tables, puts the Color Options table in slot 0
    // and the Advanced table in slot 1; returns 2.
    int getControlDataEachView(tint::ControlSpan *tables, int count);
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
    std::array<tint::Pane *, 2> panes(Order order) const;
    template <typename... Params, typename... Args>
    void eachView(Order order, void (tint::Pane::*method)(Params...), Args &&...args)
    {
        for (tint::Pane *pane : panes(order))
            if (pane)
                (pane->*method)(args...);
    }
    void showPane(tint::Pane *show, tint::Pane *leave);
};
