// What both panes of the panel are: a view whose controls are described by a
// table of control descriptions and bound, through the control table built
// from it, to the PPD's options and to the ticket. Everything a pane does
// with its table lives here once; a pane adds its descriptions and what is
// its own.
#pragma once

#include "ControlDescription.h"
#include "Outlet.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tint
{

class Pane : public QWidget
{
    Q_OBJECT
  public:
    Pane(std::span<const ControlDescription> controls, QWidget *parent);
    ~Pane() override;

    void setPPDFile(ppd_file_t *ppdFile);
    void setPMPrint(PMPrintSettings printSettings, PMPrintSession printSession);
    void setViewBounds(const QRect &bounds);
    // Builds the pane's table from its descriptions and the bound controls
    // as they are now, then the choice lists from the pane's PPD.
    void createPDEControlTable();
    void deallocPDEControlTable();
    // The table, end record included; empty before it is built.
    ControlSpan getControlData();
    int16_t getControlCount();
    void addPPDArray(std::vector<std::string> *array);
    virtual void createPDEItemForPPDKey();
    void defaultFromPPDInfo();
    void setControlValueToTicket();
    void getControlValueFromTicket();
    void getSummaryText(const PMDictionaryRef &summaryDict, const PMArrayRef &addArray);

    // Finds each described control among the pane's children by its object
    // name and binds it; every one the layout lacks is logged by name.
    void bindControls();
    std::span<const ControlDescription> controlDescriptions() const { return controls_; }
    // The control bound for description index (null when missing).
    QWidget *boundControl(std::size_t index);

    // Pane state; the controls follow in each pane.
    ppd_file_t *ppd = nullptr;
    ControlTable ctrlTable;
    int16_t ctrlCount = 0;
    PMPrintSettings setting = nullptr;
    PMPrintSession session = nullptr;

  protected:
    // Runs after every build of the table.
    virtual void didCreateControlTable() {}

  private:
    std::span<const ControlDescription> controls_;
    // Controls of descriptions without a pane member.
    std::vector<QPointer<QWidget>> unnamed_;
};

} // namespace tint
