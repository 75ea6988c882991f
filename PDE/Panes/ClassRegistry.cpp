#include "ClassRegistry.h"

#include "AdvancedColorOptions.h"
#include "ColorOptions.h"
#include "MainView.h"
#include "WQTextField.h"

#include <new>

namespace
{

struct WidgetClass {
    const char *bareName;
    QWidget *(*make)(QWidget *parent);
};

// The view classes a layout may name, closed by a null name.
const WidgetClass kWidgetClasses[] = {
    {"MainView", ClassRegistry::make<MainView, QWidget>},
    {"ColorOptions", ClassRegistry::make<ColorOptions, QWidget>},
    {"AdvancedColorOptions", ClassRegistry::make<AdvancedColorOptions, QWidget>},
    {"WQTextField", ClassRegistry::make<WQTextField, QWidget>},
    {nullptr, nullptr},
};

const WidgetClass *Find(const std::string &runtimeName)
{
    for (const WidgetClass *entry = kWidgetClasses; entry->bareName; ++entry) {
        if (ClassRegistry::runtimeName(entry->bareName) == runtimeName)
            return entry;
    }
    return nullptr;
}

} // namespace

std::string ClassRegistry::runtimeName(const char *bareName)
{
    return std::string(bareName ? bareName : "") + kTintpaneClassSuffix;
}

bool ClassRegistry::isWidgetClass(const std::string &runtimeName)
{
    return Find(runtimeName) != nullptr;
}

QWidget *ClassRegistry::createWidget(const std::string &runtimeName, QWidget *parent)
{
    const WidgetClass *entry = Find(runtimeName);
    if (!entry)
        return nullptr;
    try {
        return entry->make(parent);
    } catch (...) {
        return nullptr;
    }
}
