#include "LayoutLoader.h"

#include "AdvancedColorOptions.h"
#include "ClassRegistry.h"
#include "ColorOptions.h"
#include "PDEPlugInInterface.h"
#include "PainChangeController.h"
#include "ProfileControl.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QWidget>

#include <cstring>

namespace
{

// Receiver name of the file's owner in the tables below; every other receiver
// is an object of the layout, named by its object name.
constexpr char kOwner[] = "File's Owner";

// Objects of the layout that are not views, created by run-time name.
struct LayoutObject {
    const char *className; // bare class name
    const char *objectName;
};
constexpr LayoutObject kLayoutObjects[] = {
    {"PainChangeController", "painChange"},
    {"ProfileControl", "profileControl"},
    {nullptr, nullptr},
};

template <typename M> struct OutletMember;
template <typename C, typename T> struct OutletMember<T * C::*> {
    using Receiver = C;
    using Target = T;
};

// Sets receiver's outlet to target when both are of the classes the outlet
// is declared with.
template <auto Member> bool AssignOutlet(QObject *receiver, QObject *target)
{
    using Traits = OutletMember<decltype(Member)>;
    auto *r = dynamic_cast<typename Traits::Receiver *>(receiver);
    auto *t = dynamic_cast<typename Traits::Target *>(target);
    if (!r || !t)
        return false;
    r->*Member = t;
    return true;
}

struct Outlet {
    const char *receiver; // kOwner or an object name
    const char *target;   // object name of the outlet's object
    bool (*assign)(QObject *receiver, QObject *target);
};

#define TINT_OUTLET(receiver, Class, member, target)                                                         \
    {                                                                                                        \
        receiver, target, &AssignOutlet<&Class::member>                                                      \
    }

constexpr Outlet kOutlets[] = {
    TINT_OUTLET(kOwner, PDEPlugInInterface, pdeMainView, "pdeMainView"),
    TINT_OUTLET(kOwner, PDEPlugInInterface, onColorView, "onColorView"),
    TINT_OUTLET(kOwner, PDEPlugInInterface, onAdvancedView, "onAdvancedView"),
    TINT_OUTLET(kOwner, PDEPlugInInterface, painChange, "painChange"),
    TINT_OUTLET(kOwner, PDEPlugInInterface, profileControl, "profileControl"),

    TINT_OUTLET("painChange", PainChangeController, onColorView, "onColorView"),
    TINT_OUTLET("painChange", PainChangeController, onAdvancedView, "onAdvancedView"),
    TINT_OUTLET("painChange", PainChangeController, onMainCustomView, "onMainCustomView"),

    TINT_OUTLET("profileControl", ProfileControl, onAdvancedView, "onAdvancedView"),

    {nullptr, nullptr, nullptr},
};

template <typename M> struct ActionMember;
template <typename C> struct ActionMember<void (C::*)(QObject *)> {
    using Receiver = C;
};

template <auto Method> void SendAction(QObject *receiver, QObject *sender)
{
    if (auto *r = dynamic_cast<typename ActionMember<decltype(Method)>::Receiver *>(receiver))
        (r->*Method)(sender);
}

// Where each kind of control action goes: its receiver and the method.
struct ActionTarget {
    tint::ControlAction action;
    const char *receiver; // kOwner or an object name
    void (*send)(QObject *receiver, QObject *sender);
};

#define TINT_ACTION(action, receiver, Class, method)                                                         \
    {                                                                                                        \
        tint::ControlAction::action, receiver, &SendAction<&Class::method>                                   \
    }

constexpr ActionTarget kActionTargets[] = {
    TINT_ACTION(SelectItem, kOwner, PDEPlugInInterface, selectItem),
    TINT_ACTION(Constraints, kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION(ColorToAdvanced, "painChange", PainChangeController, ColorToAdvancedView),
    TINT_ACTION(AdvancedToColor, "painChange", PainChangeController, AdvancedToColorView),
    TINT_ACTION(ManageProfile, "profileControl", ProfileControl, showProfileManagementWindow),
    TINT_ACTION(Sendrix, "onAdvancedView", AdvancedColorOptions, sendrixButton),
};

// The object called name: the root itself, a descendant, or one of the
// created controller objects (children of the root as well).
QObject *FindObject(QWidget *root, const char *name)
{
    const QString objectName = QString::fromLatin1(name);
    if (root->objectName() == objectName)
        return root;
    return root->findChild<QObject *>(objectName);
}

QObject *Resolve(QWidget *root, QObject *owner, const char *name)
{
    return std::strcmp(name, kOwner) == 0 ? owner : FindObject(root, name);
}

// Pop-ups send on activation, buttons and check boxes on a click: both come
// only from the user, so values set by code never re-enter the rules.
void Connect(QObject *control, QObject *receiver, void (*send)(QObject *, QObject *))
{
    if (auto *popup = qobject_cast<QComboBox *>(control)) {
        QObject::connect(popup, &QComboBox::activated, receiver,
                         [receiver, popup, send](int) { send(receiver, popup); });
    } else if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        QObject::connect(button, &QAbstractButton::clicked, receiver,
                         [receiver, button, send](bool) { send(receiver, button); });
    }
}

} // namespace

tint::LayoutLoader::LayoutLoader(QObject *parent) : QUiLoader(parent) {}

QWidget *tint::LayoutLoader::createWidget(const QString &className, QWidget *parent, const QString &name)
{
    const std::string runtimeName = className.toStdString();
    if (ClassRegistry::isWidgetClass(runtimeName)) {
        QWidget *widget = ClassRegistry::createWidget(runtimeName, parent);
        if (widget)
            widget->setObjectName(name);
        return widget;
    }
    return QUiLoader::createWidget(className, parent, name);
}

QWidget *tint::LayoutLoader::loadPanelLayout(const QString &layoutPath, PDEPlugInInterface *owner)
{
    QFile file(layoutPath);
    if (!owner || !file.open(QIODevice::ReadOnly))
        return nullptr;
    tint::LayoutLoader loader;
    QWidget *root = loader.load(&file, nullptr);
    if (!root)
        return nullptr;

    for (const LayoutObject *object = kLayoutObjects; object->className; ++object) {
        QObject *created = ClassRegistry::createObject(ClassRegistry::runtimeName(object->className), root);
        if (created)
            created->setObjectName(QString::fromLatin1(object->objectName));
    }
    for (const Outlet *outlet = kOutlets; outlet->receiver; ++outlet) {
        QObject *receiver = Resolve(root, owner, outlet->receiver);
        QObject *target = FindObject(root, outlet->target);
        if (receiver && target)
            outlet->assign(receiver, target);
    }
    // Each pane binds its controls and their actions from its descriptions.
    for (tint::Pane *pane : root->findChildren<tint::Pane *>()) {
        pane->bindControls();
        const std::span<const tint::ControlDescription> controls = pane->controlDescriptions();
        for (std::size_t i = 0; i < controls.size(); ++i) {
            QWidget *control = pane->boundControl(i);
            for (const ActionTarget &target : kActionTargets) {
                QObject *receiver =
                    target.action == controls[i].action ? Resolve(root, owner, target.receiver) : nullptr;
                if (control && receiver)
                    Connect(control, receiver, target.send);
            }
        }
    }
    return root;
}
