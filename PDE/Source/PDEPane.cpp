#include "PDEPane.h"

#include <QtGlobal>

PDEPane::PDEPane(std::span<const PDEControlDescription> controls, QWidget *parent)
    : QWidget(parent), controls_(controls), unnamed_(controls.size())
{
}

PDEPane::~PDEPane() = default;

void PDEPane::setPPDFile(ppd_file_t *ppdFile)
{
    ppd = ppdFile;
}

void PDEPane::setPMPrint(PMPrintSettings printSettings, PMPrintSession printSession)
{
    setting = printSettings;
    session = printSession;
}

void PDEPane::setViewBounds(const QRect &bounds)
{
    resize(bounds.width(), bounds.height());
}

void PDEPane::bindControls()
{
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const PDEControlDescription &d = controls_[i];
        QWidget *found = findChild<QWidget *>(QString::fromLatin1(d.objectName));
        if (d.member) {
            d.member->set(this, found);
            found = d.member->get(this);
        } else {
            unnamed_[i] = found;
        }
        if (!found)
            qWarning("Tintpane: the layout has no control %s in %s", d.objectName, metaObject()->className());
    }
}

QWidget *PDEPane::boundControl(std::size_t index)
{
    if (index >= controls_.size())
        return nullptr;
    return controls_[index].member ? controls_[index].member->get(this) : unnamed_[index].data();
}

void PDEPane::createPDEControlTable()
{
    // Every record is there even when the layout lacks its control: the
    // record without one ends every walk, while the compound table and the
    // rules, which stop at the end record, stay within the table.
    std::vector<PDEControlItem> filled;
    filled.reserve(controls_.size());
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const PDEControlDescription &d = controls_[i];
        filled.push_back({boundControl(i), d.kind, d.ppdKey, d.titleKey, d.summaryKey, d.identifier,
                          d.profileListKind, nullptr});
    }
    ctrlTable = PDECommon::commonCreateControlTable(filled, ppd, &ctrlCount);
    didCreateControlTable();
}

void PDEPane::deallocPDEControlTable()
{
    ctrlTable.clear();
}

PDEControlSpan PDEPane::getControlData()
{
    return ctrlTable;
}

int16_t PDEPane::getControlCount()
{
    return ctrlCount;
}

void PDEPane::addPPDArray(std::vector<std::string> *array)
{
    if (!ctrlTable.empty())
        PDECommon::commonAddPPDArray(array, PDEControlConstSpan(ctrlTable));
}

void PDEPane::createPDEItemForPPDKey()
{
    PDECommon::commonBuildPDEItem(ctrlTable, ppd);
}

void PDEPane::defaultFromPPDInfo()
{
    PDECommon::commonDefaultFromPPDInfo(ctrlTable);
}

void PDEPane::setControlValueToTicket()
{
    if (!ctrlTable.empty())
        PDECommon::commonSyncTicketFromPane(setting, session, ctrlTable);
}

void PDEPane::getControlValueFromTicket()
{
    if (!ctrlTable.empty())
        PDECommon::commonSyncPaneFromTicket(setting, session, ctrlTable);
}

void PDEPane::getSummaryText(const PMDictionaryRef &summaryDict, const PMArrayRef &addArray)
{
    if (!ctrlTable.empty())
        PDECommon::commonGetSummaryText(PDEControlConstSpan(ctrlTable), summaryDict, addArray);
}
