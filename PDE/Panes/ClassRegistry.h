// Classes of the plug-in by their run-time names.
//
// Every class the bundle offers to its host or to its layouts is known by
// its bare name with the bundle's suffix appended, so that two versions of
// the plug-in loaded into one dialog never share a name. The layout loader
// creates the view classes below by these names; the panel creates its two
// controller objects from its own table (PanelLayout.cpp); the host creates
// the principal class through the one exported factory TintpaneCreateObject
// (PDEPlugIn.h).
#pragma once

#include <string>

class QWidget;

// Suffix of every run-time class name of this bundle.
inline constexpr const char kTintpaneClassSuffix[] = "_6F1D0C3A_92E4_4B7A_8C15_D2A9E7F40B18";

class ClassRegistry
{
  public:
    // bareName + kTintpaneClassSuffix.
    static std::string runtimeName(const char *bareName);

    // True when runtimeName names one of the bundle's view classes (the two
    // panes, the main view, the filtered text field).
    static bool isWidgetClass(const std::string &runtimeName);
    // A new instance of that view class, belonging to parent; nullptr when no
    // view class has the name or the instance cannot be made.
    static QWidget *createWidget(const std::string &runtimeName, QWidget *parent);

    // The factory in a table of classes made by name: a new Class that
    // belongs to parent.
    template <typename Class, typename Parent> static Parent *make(Parent *parent)
    {
        return new Class(parent);
    }
};
