#include "PDELayoutLoader.h"

#include "AdvancedColorOptions.h"
#include "ClassRegistry.h"
#include "ColorOptions.h"
#include "PDEPlugInInterface.h"
#include "PainChangeController.h"
#include "ProfileControl.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
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
#define TINT_PANE_OUTLET(receiver, Class, member) TINT_OUTLET(receiver, Class, member, #member)

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

    TINT_PANE_OUTLET("onColorView", ColorOptions, menu_QuickColor),
    TINT_PANE_OUTLET("onColorView", ColorOptions, menu_Brightness),
    TINT_PANE_OUTLET("onColorView", ColorOptions, check_ColorAsGrayscale),
    TINT_PANE_OUTLET("onColorView", ColorOptions, check_ColorSeparation),
    TINT_PANE_OUTLET("onColorView", ColorOptions, check_EconomyPrint),
    TINT_PANE_OUTLET("onColorView", ColorOptions, menu_EdgeStrength),
    TINT_PANE_OUTLET("onColorView", ColorOptions, check_AutoTrapping),
    TINT_PANE_OUTLET("onColorView", ColorOptions, menu_BlackOverprint),
    TINT_PANE_OUTLET("onColorView", ColorOptions, text_QuickColor),
    TINT_PANE_OUTLET("onColorView", ColorOptions, text_Brightness),
    TINT_PANE_OUTLET("onColorView", ColorOptions, text_Strength),
    TINT_PANE_OUTLET("onColorView", ColorOptions, text_BlackOverprint),
    TINT_PANE_OUTLET("onColorView", ColorOptions, button_AdvanceColorOptions),

    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_iRGBSource),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_iRGBIntent),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_iRGBGrayTreatment),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_iDestinationProfile),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_iHalftone),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_iEdgeEnhancement),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_tRGBSource),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_tRGBIntent),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_tRGBGrayTreatment),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_tDestinationProfile),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_tHalftone),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_tEdgeEnhancement),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_gRGBSource),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_gRGBIntent),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_gRGBGrayTreatment),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_gDestinationProfile),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_gHalftone),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_gEdgeEnhancement),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_sSimulationProfile),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_sMatchPaperColor),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, menu_sCMYKGrayTreatment),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, tab_SwitchVew),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_iRGBSource),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_iRGBIntent),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_iRGBGrayTreatment),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_iDestinationProfile),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_iHalftone),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_iEdgeEnhancement),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_tRGBSource),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_tRGBIntent),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_tRGBGrayTreatment),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_tDestinationProfile),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_tHalftone),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_tEdgeEnhancement),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_gRGBSource),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_gRGBIntent),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_gRGBGrayTreatment),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_gDestinationProfile),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_gHalftone),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_gEdgeEnhancement),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_sSimulationProfile),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_sMatchPaperColor),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, text_sCMYKGrayTreatment),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, button_ManageProfile),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, button_Sendrix),
    TINT_PANE_OUTLET("onAdvancedView", AdvancedColorOptions, button_HideAdvancedOptions),

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

struct Action {
    const char *sender;   // object name of the control
    const char *receiver; // kOwner or an object name
    void (*send)(QObject *receiver, QObject *sender);
};

#define TINT_ACTION(sender, receiver, Class, method)                                                         \
    {                                                                                                        \
        sender, receiver, &SendAction<&Class::method>                                                        \
    }

// Pop-ups send on activation, buttons and check boxes on a click: both come
// only from the user, so values set by code never re-enter the rules.
// Controls that rules of the Advanced pane depend on re-run the rules over
// both panes; the rest only over the Color Options pane.
constexpr Action kActions[] = {
    TINT_ACTION("menu_QuickColor", kOwner, PDEPlugInInterface, selectItem),
    TINT_ACTION("menu_Brightness", kOwner, PDEPlugInInterface, selectItem),
    TINT_ACTION("check_ColorAsGrayscale", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("check_ColorSeparation", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("check_EconomyPrint", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_EdgeStrength", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("check_AutoTrapping", kOwner, PDEPlugInInterface, selectItem),
    TINT_ACTION("menu_BlackOverprint", kOwner, PDEPlugInInterface, selectItem),
    TINT_ACTION("button_AdvanceColorOptions", "painChange", PainChangeController, ColorToAdvancedView),

    TINT_ACTION("menu_iRGBSource", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_iRGBIntent", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_iRGBGrayTreatment", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_iDestinationProfile", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_iHalftone", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_iEdgeEnhancement", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_tRGBSource", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_tRGBIntent", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_tRGBGrayTreatment", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_tDestinationProfile", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_tHalftone", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_tEdgeEnhancement", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_gRGBSource", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_gRGBIntent", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_gRGBGrayTreatment", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_gDestinationProfile", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_gHalftone", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_gEdgeEnhancement", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_sSimulationProfile", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_sMatchPaperColor", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("menu_sCMYKGrayTreatment", kOwner, PDEPlugInInterface, constraints),
    TINT_ACTION("button_ManageProfile", "profileControl", ProfileControl, showProfileManagementWindow),
    TINT_ACTION("button_Sendrix", "onAdvancedView", AdvancedColorOptions, sendrixButton),
    TINT_ACTION("button_HideAdvancedOptions", "painChange", PainChangeController, AdvancedToColorView),

    {nullptr, nullptr, nullptr},
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

PDELayoutLoader::PDELayoutLoader(QObject *parent) : QUiLoader(parent) {}

QWidget *PDELayoutLoader::createWidget(const QString &className, QWidget *parent, const QString &name)
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

QWidget *PDELayoutLoader::loadPanelLayout(const QString &layoutPath, PDEPlugInInterface *owner)
{
    QFile file(layoutPath);
    if (!owner || !file.open(QIODevice::ReadOnly))
        return nullptr;
    PDELayoutLoader loader;
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
    for (const Action *action = kActions; action->sender; ++action) {
        QObject *control = FindObject(root, action->sender);
        QObject *receiver = Resolve(root, owner, action->receiver);
        if (control && receiver)
            Connect(control, receiver, action->send);
    }
    return root;
}
