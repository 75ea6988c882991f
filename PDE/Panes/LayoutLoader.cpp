#include "LayoutLoader.h"

#include "ClassRegistry.h"

#include <QFile>
#include <QWidget>

tint::LayoutLoader::LayoutLoader(QObject *parent) : QUiLoader(parent) {}

QWidget *tint::LayoutLoader::createWidget(const QString &className, QWidget *parent, const QString &name)
{
    // A layout names the bundle's own view classes by run-time name or by
    // bare name; both are looked up in the class registry.
    std::string runtimeName = className.toStdString();
    if (!ClassRegistry::isWidgetClass(runtimeName))
        runtimeName = ClassRegistry::runtimeName(runtimeName.c_str());
    if (ClassRegistry::isWidgetClass(runtimeName)) {
        QWidget *widget = ClassRegistry::createWidget(runtimeName, parent);
        if (widget)
            widget->setObjectName(name);
        return widget;
    }
    return QUiLoader::createWidget(className, parent, name);
}

QWidget *tint::LayoutLoader::loadLayout(const QString &layoutPath, QWidget *parent)
{
    QFile file(layoutPath);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    LayoutLoader loader;
    return loader.load(&file, parent);
}
