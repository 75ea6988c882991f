#include "ClassRegistry.h"

#include "PDEPanelProtocol.h"

#include <QObject>
#include <QWidget>

#include <map>
#include <new>

namespace
{

enum class ClassKind { Widget, Object, PlugIn };

struct ClassEntry {
    ClassKind kind;
    TintWidgetFactory widget = nullptr;
    TintObjectFactory object = nullptr;
    TintPlugInFactory plugIn = nullptr;
};

// Filled by static initialisers in each class's source file, so it must
// exist before the first of them runs.
std::map<std::string, ClassEntry> &classes()
{
    static std::map<std::string, ClassEntry> table;
    return table;
}

const ClassEntry *find(const std::string &runtimeName, ClassKind kind)
{
    auto it = classes().find(runtimeName);
    if (it == classes().end() || it->second.kind != kind)
        return nullptr;
    return &it->second;
}

bool add(const char *bareName, const ClassEntry &entry)
{
    if (!bareName || !*bareName)
        return false;
    return classes().emplace(ClassRegistry::runtimeName(bareName), entry).second;
}

} // namespace

std::string ClassRegistry::runtimeName(const char *bareName)
{
    return std::string(bareName ? bareName : "") + kTintpaneClassSuffix;
}

bool ClassRegistry::registerWidgetClass(const char *bareName, TintWidgetFactory factory)
{
    return factory && add(bareName, ClassEntry{ClassKind::Widget, factory, nullptr, nullptr});
}

bool ClassRegistry::registerObjectClass(const char *bareName, TintObjectFactory factory)
{
    return factory && add(bareName, ClassEntry{ClassKind::Object, nullptr, factory, nullptr});
}

bool ClassRegistry::registerPlugInClass(const char *bareName, TintPlugInFactory factory)
{
    return factory && add(bareName, ClassEntry{ClassKind::PlugIn, nullptr, nullptr, factory});
}

bool ClassRegistry::isRegistered(const std::string &runtimeName)
{
    return classes().count(runtimeName) != 0;
}

bool ClassRegistry::isWidgetClass(const std::string &runtimeName)
{
    return find(runtimeName, ClassKind::Widget) != nullptr;
}

QWidget *ClassRegistry::createWidget(const std::string &runtimeName, QWidget *parent)
{
    const ClassEntry *entry = find(runtimeName, ClassKind::Widget);
    if (!entry)
        return nullptr;
    try {
        return entry->widget(parent);
    } catch (...) {
        return nullptr;
    }
}

QObject *ClassRegistry::createObject(const std::string &runtimeName, QObject *parent)
{
    const ClassEntry *entry = find(runtimeName, ClassKind::Object);
    if (!entry)
        return nullptr;
    try {
        return entry->object(parent);
    } catch (...) {
        return nullptr;
    }
}

PDEPlugInProtocol *ClassRegistry::createPlugIn(const std::string &runtimeName)
{
    const ClassEntry *entry = find(runtimeName, ClassKind::PlugIn);
    if (!entry)
        return nullptr;
    try {
        return entry->plugIn();
    } catch (...) {
        return nullptr;
    }
}
