// Classes of the plug-in, created by their run-time names.
//
// Every class the bundle offers to its host or to the layout is registered
// under its bare name with the bundle's suffix appended, so that two
// versions of the plug-in loaded into one dialog never share a name. The
// layout loader creates the view classes and the two controller objects by
// these names; the host creates the principal class through the one exported
// factory TintpaneCreateObject (PDEPlugIn.h).
//
// A class registers itself from its own source file:
//     TINT_REGISTER_WIDGET_CLASS(ColorOptions);        // QWidget *(QWidget *parent)
//     TINT_REGISTER_OBJECT_CLASS(PainChangeController); // QObject *(QObject *parent)
#pragma once

#include <string>

class QObject;
class QWidget;
class PDEPlugInProtocol;

// Suffix of every run-time class name of this bundle.
inline constexpr const char kTintpaneClassSuffix[] = "_6F1D0C3A_92E4_4B7A_8C15_D2A9E7F40B18";

using TintWidgetFactory = QWidget *(*)(QWidget *parent);
using TintObjectFactory = QObject *(*)(QObject *parent);
using TintPlugInFactory = PDEPlugInProtocol *(*)();

class ClassRegistry
{
  public:
    // bareName + kTintpaneClassSuffix.
    static std::string runtimeName(const char *bareName);

    // Register a factory under the run-time name of bareName. false when the
    // name is already taken (the first registration stays).
    static bool registerWidgetClass(const char *bareName, TintWidgetFactory factory);
    static bool registerObjectClass(const char *bareName, TintObjectFactory factory);
    static bool registerPlugInClass(const char *bareName, TintPlugInFactory factory);

    static bool isRegistered(const std::string &runtimeName);
    static bool isWidgetClass(const std::string &runtimeName);

    // A new instance, or nullptr when no class of that kind has the name or
    // the instance cannot be made. Widgets and objects belong to parent.
    static QWidget *createWidget(const std::string &runtimeName, QWidget *parent);
    static QObject *createObject(const std::string &runtimeName, QObject *parent);
    static PDEPlugInProtocol *createPlugIn(const std::string &runtimeName);
};

#define TINT_REGISTER_WIDGET_CLASS(Class)                                                                    \
    static const bool Class##_registered_ = ClassRegistry::registerWidgetClass(                              \
        #Class, [](QWidget *parent) -> QWidget * { return new Class(parent); })

#define TINT_REGISTER_OBJECT_CLASS(Class)                                                                    \
    static const bool Class##_registered_ = ClassRegistry::registerObjectClass(                              \
        #Class, [](QObject *parent) -> QObject * { return new Class(parent); })

#define TINT_REGISTER_PLUGIN_CLASS(Class)                                                                    \
    static const bool Class##_registered_ =                                                                  \
        ClassRegistry::registerPlugInClass(#Class, []() -> PDEPlugInProtocol * { return new Class(); })
