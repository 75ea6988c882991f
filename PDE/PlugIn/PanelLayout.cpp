#include "PanelLayout.h"

#include "AdvancedColorOptions.h"
#include "ClassRegistry.h"
#include "ColorOptions.h"
#include "LayoutLoader.h"
#include "Outlet.h"
#include "PDEPlugInInterface.h"
#include "PainChangeController.h"
#include "ProfileControl.h"

#include <QWidget>

#include <cstring>

namespace
{

// Receiver name of the file's owner in the tables below; every other receiver
// is an object of the layout, named by its object name.
constexpr char kOwner[] = "File's Owner";

// Objects of the layout that are not views: the two controllers.
struct LayoutObject {
    const char *objectName;
    QObject *(*make)(QObject *parent);
};
constexpr LayoutObject kLayoutObjects[] = {
    {"painChange", ClassRegistry::make<PainChangeController, QObject>},
    {"profileControl", ClassRegistry::make<ProfileControl, QObject>},
    {nullptr, nullptr},
};

// An outlet of the file's owner or of a controller object, named after its
// object in the layout.
struct Outlet {
    const char *receiver;   // kOwner or an object name
    const char *objectName; // object name of the outlet's object
    const tint::OutletMember *member;
};

#define TINT_PANEL_OUTLET(receiver, Class, member)                                                           \
    {                                                                                                        \
        receiver, TINT_OUTLET(Class, member)                                                                 \
    }

constexpr Outlet kOutlets[] = {
    TINT_PANEL_OUTLET(kOwner, PDEPlugInInterface, pdeMainView),
    TINT_PANEL_OUTLET(kOwner, PDEPlugInInterface, onColorView),
    TINT_PANEL_OUTLET(kOwner, PDEPlugInInterface, onAdvancedView),
    TINT_PANEL_OUTLET(kOwner, PDEPlugInInterface, painChange),
    TINT_PANEL_OUTLET(kOwner, PDEPlugInInterface, profileControl),

    TINT_PANEL_OUTLET("painChange", PainChangeController, onColorView),
    TINT_PANEL_OUTLET("painChange", PainChangeController, onAdvancedView),
    TINT_PANEL_OUTLET("painChange", PainChangeController, onMainCustomView),

    TINT_PANEL_OUTLET("profileControl", ProfileControl, onAdvancedView),
};

// Where each kind of control action goes: its receiver and the method.
struct ActionTarget {
    tint::ControlAction action;
    const char *receiver; // kOwner or an object name
    tint::ActionSender send;
};

#define TINT_ACTION(action, receiver, Class, method)                                                         \
    {                                                                                                        \
        tint::ControlAction::action, receiver, &tint::sendAction<&Class::method>                             \
    }

constexpr ActionTarget kActionTargets[] = {
    TINT_ACTION(SelectItem, kOwner, PDEPlugInInterface, selectItem),
    TINT_ACTION(Constraints, kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION(ColorToAdvanced, "painChange", PainChangeController, ColorToAdvancedView),
    TINT_ACTION(AdvancedToColor, "painChange", PainChangeController, AdvancedToColorView),
    TINT_ACTION(ManageProfile, "profileControl", ProfileControl, showProfileManagementWindow),
    TINT_ACTION(Sendrix, "onAdvancedView", AdvancedColorOptions, sendrixButton),
};

QObject *Resolve(QWidget *root, QObject *owner, const char *name)
{
    return std::strcmp(name, kOwner) == 0 ? owner : tint::findLayoutObject(root, name);
}

} // namespace

QWidget *tint::loadPanelLayout(const QString &layoutPath, PDEPlugInInterface *owner)
{
    if (!owner)
        return nullptr;
    QWidget *root = LayoutLoader::loadLayout(layoutPath, nullptr);
    if (!root)
        return nullptr;

    for (const LayoutObject *object = kLayoutObjects; object->objectName; ++object) {
        QObject *created = nullptr;
        try {
            created = object->make(root);
        } catch (...) {
        }
        if (created)
            created->setObjectName(QString::fromLatin1(object->objectName));
    }
    for (const Outlet &outlet : kOutlets) {
        if (QObject *receiver = Resolve(root, owner, outlet.receiver))
            bindOutlet(receiver, outlet.member, root, outlet.objectName);
    }
    // Each pane binds its controls and their actions from its descriptions.
    for (Pane *pane : root->findChildren<Pane *>()) {
        pane->bindControls();
        const std::span<const ControlDescription> controls = pane->controlDescriptions();
        for (std::size_t i = 0; i < controls.size(); ++i) {
            for (const ActionTarget &target : kActionTargets) {
                if (target.action == controls[i].action)
                    connectAction(pane->boundControl(i), Resolve(root, owner, target.receiver), target.send);
            }
        }
    }
    return root;
}
