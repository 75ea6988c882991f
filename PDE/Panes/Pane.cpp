#include "Pane.h"

#include <QtGlobal>

tint::Pane::Pane(std::span<const tint::ControlDescription> controls, QWidget *parent)
    : QWidget(parent), controls_(controls), unnamed_(controls.size())
{
}

tint::Pane::~Pane() = default;

void tint::Pane::setPPDFile(ppd_file_t *ppdFile)
{
    ppd = ppdFile;
}

void tint::Pane::setPMPrint(PMPrintSettings printSettings, PMPrintSession printSession)
{
    setting = printSettings;
    session = printSession;
}

void tint::Pane::setViewBounds(const QRect &bounds)
{
    resize(bounds.width(), bounds.height());
}

void tint::Pane::bindControls()
{
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const ControlDescription &d = controls_[i];
        QObject *found = bindOutlet(this, d.member, this, d.objectName);
        if (!d.member)
            unnamed_[i] = qobject_cast<QWidget *>(found);
    }
}

QWidget *tint::Pane::boundControl(std::size_t index)
{
    if (index >= controls_.size())
        return nullptr;
    const OutletMember *member = controls_[index].member;
    return member ? qobject_cast<QWidget *>(member->get(this)) : unnamed_[index].data();
}

void tint::Pane::createPDEControlTable()
{
    // Every record is there even when the layout lacks its control: the
    // record without one ends every walk, while the compound table and the
    // rules, which stop at the end record, stay within the table.
    std::vector<PDEControlItem> filled;
    filled.reserve(controls_.size());
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const tint::ControlDescription &d = controls_[i];
        filled.push_back({boundControl(i), d.kind, d.ppdKey, d.titleKey, d.summaryKey, d.identifier,
                          d.profileListKind, nullptr});
    }
    ctrlTable = tint::createControlTable(filled, ppd, &ctrlCount);
    didCreateControlTable();
}

void tint::Pane::deallocPDEControlTable()
{
    ctrlTable.clear();
}

tint::ControlSpan tint::Pane::getControlData()
{
    return ctrlTable;
}

int16_t tint::Pane::getControlCount()
{
    return ctrlCount;
}

void tint::Pane::addPPDArray(std::vector<std::string> *array)
{
    if (!ctrlTable.empty())
        PDECommon::commonAddPPDArray(array, tint::ControlConstSpan(ctrlTable));
}

void tint::Pane::createPDEItemForPPDKey()
{
    PDECommon::commonBuildPDEItem(ctrlTable, ppd);
}

void tint::Pane::defaultFromPPDInfo()
{
    PDECommon::commonDefaultFromPPDInfo(ctrlTable);
}

void tint::Pane::setControlValueToTicket()
{
    if (!ctrlTable.empty())
        PDECommon::commonSyncTicketFromPane(setting, session, ctrlTable);
}

void tint::Pane::getControlValueFromTicket()
{
    if (!ctrlTable.empty())
        PDECommon::commonSyncPaneFromTicket(setting, session, ctrlTable);
}

void tint::Pane::getSummaryText(const PMDictionaryRef &summaryDict, const PMArrayRef &addArray)
{
    if (!ctrlTable.empty())
        PDECommon::commonGetSummaryText(tint::ControlConstSpan(ctrlTable), summaryDict, addArray);
}
