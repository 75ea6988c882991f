#include "PainChangeController.h"

#include "AdvancedColorOptions.h"
#include "ColorOptions.h"

#include <QStackedWidget>
#include <QWidget>

#include <algorithm>

namespace
{
// Quick Color position under which the Advanced pane's own values stand.
constexpr int16_t kQuickColorCustom = 3;
} // namespace

PainChangeController::PainChangeController(QObject *parent) : QObject(parent) {}

std::array<tint::Pane *, 2> PainChangeController::panes(Order order) const
{
    tint::Pane *color = onColorView;
    tint::Pane *advanced = onAdvancedView;
    return order == kColorFirst ? std::array{color, advanced} : std::array{advanced, color};
}

void PainChangeController::ColorToAdvancedView(QObject *)
{
    if (onAdvancedView && !onAdvancedView->getControlData().empty())
        SHowColorToAdvancedView();
}

void PainChangeController::AdvancedToColorView(QObject *)
{
    if (onColorView && !onColorView->getControlData().empty())
        ShowAdvancedToColorView();
}

void PainChangeController::SHowColorToAdvancedView()
{
    showPane(onAdvancedView, onColorView);
}

void PainChangeController::ShowAdvancedToColorView()
{
    showPane(onColorView, onAdvancedView);
}

// Puts show into the container in place of leave. A stacked container keeps
// both panes and switches between them; any other container gets show as a
// child over its whole area and leave hidden.
void PainChangeController::showPane(tint::Pane *show, tint::Pane *leave)
{
    if (!show)
        return;
    show->setViewBounds(onMainCustomView ? onMainCustomView->rect() : QRect());
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

int PainChangeController::getControlDataEachView(tint::ControlSpan *tables, int count)
{
    // A list with room for fewer than both tables gets what fits.
    if (!tables || count <= 0)
        return 0;
    std::fill(tables, tables + count, tint::ControlSpan());
    int filled = 0;
    for (tint::Pane *pane : panes(kColorFirst)) {
        if (filled == count)
            break;
        tables[filled++] = pane ? pane->getControlData() : tint::ControlSpan();
    }
    return filled;
}

int PainChangeController::getControlCountEachView()
{
    int count = 0;
    for (tint::Pane *pane : panes(kColorFirst))
        count += pane ? pane->getControlCount() : 0;
    return count;
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
