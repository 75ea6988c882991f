#include "PDEPlugInInterface.h"

#include "AdvancedColorOptions.h"
#include "ClassRegistry.h"
#include "ColorOptions.h"
#include "ColorPresetConstraints.h"
#include "Localization.h"
#include "PainChangeController.h"
#include "PanelLayout.h"
#include "PanelStatus.h"
#include "ProfileControl.h"

#include "ProfileProbeReuse.h"
#include "ProfileStore.h"

#include <QWidget>

namespace
{

constexpr char kPanelKind[] = "com.varno.QV-MR52.pde.ColorOptions";
constexpr char kPanelNameKey[] = "Color Options";
// Room for the pane tables handed to the compound table.
constexpr int kMaxPaneTables = 5;

// Whether the user may write the printer's profile list: only then is the
// list refreshed from the printer.
bool UserMayWriteProfileList()
{
    return tint::relayProfileStore().WQPListIsAdminProfile() != 0;
}

} // namespace

PDEPlugInInterface::PDEPlugInInterface(PDEHostCallback *callback) : pdePluginCallbackObject(callback)
{
    if (callback) {
        setting = callback->printSettings();
        session = callback->printSession();
    }
}

PDEPlugInInterface::~PDEPlugInInterface()
{
    // The controllers live in the loaded tree; a host that destroyed the tree
    // first has taken the panes and their tables with it.
    if (loadedRoot) {
        if (profileControl)
            profileControl->setConstTable({});
        if (painChange)
            painChange->deallocPDEControlTableEachView();
    }
    compTable.clear();
    // A tree the host took into its window is the host's; one it never took
    // (the panel was only asked for keys or a summary) goes with the panel.
    if (loadedRoot && !loadedRoot->parentWidget())
        delete loadedRoot.data();
}

void PDEPlugInInterface::myLoad()
{
    if (pdeMainView)
        return;
    ProfileProbeReuse probeOnce;
    const std::string bundle = Localization::bundlePath();
    if (bundle.empty())
        return;
    const QString layout = QString::fromStdString(bundle + "/Contents/Resources/PDEMain.ui");
    loadedRoot = tint::loadPanelLayout(layout, this);
    if (!pdeMainView) {
        // A layout without the panel's root view is no panel: drop it and
        // every outlet into it, so that a later request starts afresh.
        delete loadedRoot.data();
        onColorView = nullptr;
        onAdvancedView = nullptr;
        profileControl = nullptr;
        painChange = nullptr;
        return;
    }

    ppd = pdePluginCallbackObject ? pdePluginCallbackObject->ppdFile() : nullptr;
    if (!painChange)
        return;
    painChange->setPMPrintEachView(setting, session);
    painChange->setPPDFileEachView(ppd);
    painChange->creatPDEControlTableEachView();

    tint::ControlSpan tables[kMaxPaneTables];
    const int count = painChange->getControlDataEachView(tables, kMaxPaneTables);
    compTable = PDECommon::commonControlTableCompound(tables, count);

    if (profileControl) {
        profileControl->setPMPrint(setting, session);
        profileControl->setConstTable(compTable);
    }
    painChange->createPDEItemForPPDKeyEachView();
}

QWidget *PDEPlugInInterface::panelView()
{
    // One write probe per view request: the pane's "Management Profile"
    // button, the refresh below and the backup inside it all share it.
    ProfileProbeReuse probeOnce;
    myLoad();
    if (UserMayWriteProfileList())
        PDECommon::commonGetProfilesFromMIB(session);
    return pdeMainView;
}

std::string PDEPlugInInterface::panelName()
{
    const std::optional<QString> name = Localization::localizedString(kPanelNameKey);
    return name ? name->toStdString() : std::string(kPanelNameKey);
}

std::string PDEPlugInInterface::panelKind()
{
    return kPanelKind;
}

std::vector<std::string> PDEPlugInInterface::supportedPPDOptionKeys()
{
    if (!pdeMainView)
        myLoad();
    std::vector<std::string> keys;
    if (painChange)
        painChange->addPPDArrayEachView(&keys);
    return keys;
}

void PDEPlugInInterface::willShow()
{
    if (painChange)
        painChange->ShowAdvancedToColorView();
}

bool PDEPlugInInterface::shouldHide()
{
    return true;
}

void PDEPlugInInterface::PPDOptionKeyValueDidChange(const std::string &, const std::string &) {}

bool PDEPlugInInterface::restoreValuesAndReturnError(int *)
{
    if (!pdeMainView)
        myLoad();
    if (!painChange)
        return true;
    if (onColorView && onAdvancedView)
        painChange->defaultFromPPDInfoEachView();
    if (setting && session) {
        tint::ProfileListSnapshot listOnce;
        painChange->getControlValueFromTickettEachView();
    }
    if (pdeMainView && !compTable.empty())
        vColorPresetConstraints(compTable);
    return true;
}

bool PDEPlugInInterface::saveValuesAndReturnError(int *)
{
    tint::ProfileListSnapshot listOnce;
    if (painChange && onColorView && onAdvancedView && setting && session)
        painChange->setControlValueToTicketEachView();
    return true;
}

bool PDEPlugInInterface::shouldPrint()
{
    if (painChange)
        painChange->changeAdvancedItemAccodingQuickColor();
    if (onAdvancedView)
        onAdvancedView->setControlValueToTicket();
    return true;
}

PMDictionaryRef PDEPlugInInterface::summaryInfo()
{
    if (!pdeMainView)
        myLoad();
    auto order = std::make_shared<PMArray>();
    auto summary = std::make_shared<PMDictionary>();
    if (painChange && onColorView && onAdvancedView)
        painChange->getSummaryTextEachView(summary, order);
    (*summary)[kPDESummaryDisplayOrderKey] = PMValue(order);
    return summary;
}

void PDEPlugInInterface::terminate()
{
    pdePluginCallbackObject = nullptr;
}

void PDEPlugInInterface::selectItem(QObject *)
{
    if (onColorView)
        vColorPresetConstraints(onColorView->getControlData());
}

void PDEPlugInInterface::constraints(QObject *)
{
    vColorPresetConstraints(compTable);
}

std::vector<PDEControlInfo> PDEPlugInInterface::controlInfo()
{
    std::vector<PDEControlInfo> controls;
    for (const PDEControlItem &record : tint::tableRecords(compTable)) {
        const PDEControlItem *item = &record;
        PDEControlInfo info;
        info.control = item->control;
        info.kind = item->kind;
        info.ppdKey = item->ppdKey ? item->ppdKey : "";
        info.identifier = item->identifier ? item->identifier : "";
        info.profileListKind = item->profileListKind;
        controls.push_back(std::move(info));
    }
    return controls;
}

std::string PDEPlugInInterface::shownPane()
{
    QWidget *shown = painChange ? painChange->shownPane() : nullptr;
    if (!shown)
        return std::string();
    if (shown == static_cast<QWidget *>(onColorView))
        return "ColorOptions";
    if (shown == static_cast<QWidget *>(onAdvancedView))
        return "AdvancedColorOptions";
    return std::string();
}

bool PDEPlugInInterface::showAdvancedPane()
{
    if (!painChange)
        return false;
    painChange->ColorToAdvancedView(nullptr);
    return shownPane() == "AdvancedColorOptions";
}

PDEProfileEditing *PDEPlugInInterface::profileEditing()
{
    return profileControl ? profileControl->editing() : nullptr;
}

std::string PDEPlugInInterface::statusMessage()
{
    return tint::panelStatus().toStdString();
}
