#include "PainChangeController.h"

#include "AdvancedColorOptions.h"
#include "ClassRegistry.h"
#include "ColorOptions.h"
#include "PDECommon.h"

#include <QStackedWidget>
#include <QWidget>

#include <algorithm>

TINT_REGISTER_OBJECT_CLASS(PainChangeController);

namespace
{
// Quick Color position under which the Advanced pane's own values stand.
constexpr int16_t kQuickColorCustom = 3;
} // namespace

PainChangeController::PainChangeController(QObject *parent) : QObject(parent) {}

void PainChangeController::ColorToAdvancedView(QObject *)
{
    if (onAdvancedView && onAdvancedView->getControlData())
        SHowColorToAdvancedView();
}

void PainChangeController::AdvancedToColorView(QObject *)
{
    if (onColorView && onColorView->getControlData())
        ShowAdvancedToColorView();
}

void PainChangeController::SHowColorToAdvancedView()
{
    if (!onAdvancedView)
        return;
    onAdvancedView->setViewBounds(onMainCustomView ? onMainCustomView->rect() : QRect());
    showPane(onAdvancedView, onColorView);
}

void PainChangeController::ShowAdvancedToColorView()
{
    if (!onColorView)
        return;
    onColorView->setViewBounds(onMainCustomView ? onMainCustomView->rect() : QRect());
    showPane(onColorView, onAdvancedView);
}

// Puts show into the container in place of leave. A stacked container keeps
// both panes and switches between them; any other container gets show as a
// child over its whole area and leave hidden.
void PainChangeController::showPane(QWidget *show, QWidget *leave)
{
    if (!onMainCustomView)
        return;
    if (auto *stack = qobject_cast<QStackedWidget *>(onMainCustomView)) {
        if (stack->indexOf(show) < 0)
            stack->addWidget(show);
        stack->setCurrentWidget(show);
        return;
    }
    if (show->parentWidget() != onMainCustomView)
        show->setParent(onMainCustomView);
    show->setGeometry(onMainCustomView->rect());
    show->show();
    if (leave && leave != show && leave->parentWidget() == onMainCustomView)
        leave->hide();
}

QWidget *PainChangeController::shownPane() const
{
    if (!onMainCustomView)
        return nullptr;
    if (auto *stack = qobject_cast<QStackedWidget *>(onMainCustomView))
        return stack->currentWidget();
    for (QWidget *pane : {static_cast<QWidget *>(onColorView), static_cast<QWidget *>(onAdvancedView)})
        if (pane && pane->parentWidget() == onMainCustomView && !pane->isHidden())
            return pane;
    return nullptr;
}

void PainChangeController::creatPDEControlTableEachView()
{
    if (onAdvancedView)
        onAdvancedView->createPDEControlTable();
    if (onColorView)
        onColorView->createPDEControlTable();
}

void PainChangeController::addPPDArrayEachView(std::vector<std::string> *array)
{
    if (onAdvancedView)
        onAdvancedView->addPPDArray(array);
    if (onColorView)
        onColorView->addPPDArray(array);
}

void PainChangeController::deallocPDEControlTableEachView()
{
    if (onAdvancedView)
        onAdvancedView->deallocPDEControlTable();
    if (onColorView)
        onColorView->deallocPDEControlTable();
}

void PainChangeController::setPPDFileEachView(ppd_file_t *ppdFile)
{
    if (onAdvancedView)
        onAdvancedView->setPPDFile(ppdFile);
    if (onColorView)
        onColorView->setPPDFile(ppdFile);
}

void PainChangeController::setPMPrintEachView(PMPrintSettings printSettings, PMPrintSession printSession)
{
    if (onAdvancedView)
        onAdvancedView->setPMPrint(printSettings, printSession);
    if (onColorView)
        onColorView->setPMPrint(printSettings, printSession);
}

void PainChangeController::createPDEItemForPPDKeyEachView()
{
    if (onAdvancedView)
        onAdvancedView->createPDEItemForPPDKey();
    if (onColorView)
        onColorView->createPDEItemForPPDKey();
}

void PainChangeController::getControlValueFromTickettEachView()
{
    if (onAdvancedView)
        onAdvancedView->getControlValueFromTicket();
    if (onColorView)
        onColorView->getControlValueFromTicket();
}

void PainChangeController::setControlValueToTicketEachView()
{
    if (onAdvancedView)
        onAdvancedView->setControlValueToTicket();
    if (onColorView)
        onColorView->setControlValueToTicket();
}

void PainChangeController::defaultFromPPDInfoEachView()
{
    if (onColorView)
        onColorView->defaultFromPPDInfo();
    if (onAdvancedView)
        onAdvancedView->defaultFromPPDInfo();
}

int PainChangeController::getControlDataEachView(PDEControlItem **tables, int count)
{
    // A list with room for fewer than both tables gets what fits.
    if (!tables || count <= 0)
        return 0;
    std::fill(tables, tables + count, nullptr);
    tables[0] = onColorView ? onColorView->getControlData() : nullptr;
    if (count < 2)
        return 1;
    tables[1] = onAdvancedView ? onAdvancedView->getControlData() : nullptr;
    return 2;
}

int PainChangeController::getControlCountEachView()
{
    return (onColorView ? onColorView->getControlCount() : 0) +
           (onAdvancedView ? onAdvancedView->getControlCount() : 0);
}

void PainChangeController::getSummaryTextEachView(const PMDictionaryRef &summaryDict,
                                                  const PMArrayRef &addArray)
{
    if (!onColorView)
        return;
    onColorView->getSummaryText(summaryDict, addArray);
    if (!onAdvancedView)
        return;
    if (onColorView->getQuickColorValue() == kQuickColorCustom)
        onAdvancedView->getSummaryText(summaryDict, addArray);
    else
        getSummaryAdvancedItemAccodingQuickColor(summaryDict, addArray);
}

void PainChangeController::changeAdvancedItemAccodingQuickColor()
{
    if (!onColorView || !onAdvancedView)
        return;
    onAdvancedView->changeItemAccodingQuickColor(onColorView->getQuickColorValue(),
                                                 onColorView->getEconoModeValue());
}

void PainChangeController::getSummaryAdvancedItemAccodingQuickColor(const PMDictionaryRef &summaryDict,
                                                                    const PMArrayRef &addArray)
{
    if (!onColorView || !onAdvancedView)
        return;
    onAdvancedView->getSummaryItemAccodingQuickColor(onColorView->getQuickColorValue(),
                                                     onColorView->getEconoModeValue(), summaryDict, addArray);
}
