#include "Outlet.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QtGlobal>

QObject *tint::findLayoutObject(QObject *root, const char *name)
{
    if (!root || !name)
        return nullptr;
    const QString objectName = QString::fromLatin1(name);
    if (root->objectName() == objectName)
        return root;
    return root->findChild<QObject *>(objectName);
}

QObject *tint::bindOutlet(QObject *owner, const OutletMember *member, QObject *root, const char *objectName)
{
    QObject *found = findLayoutObject(root, objectName);
    const char *ownerClass = owner ? owner->metaObject()->className() : "";
    if (!found)
        qWarning("Tintpane: the layout has no control %s in %s", objectName, ownerClass);
    if (!member || !owner)
        return found;
    member->set(owner, found);
    QObject *bound = member->get(owner);
    if (found && !bound)
        qWarning("Tintpane: the layout's %s is not of the class %s expects", objectName, ownerClass);
    return bound;
}

void tint::connectAction(QObject *control, QObject *receiver, ActionSender send)
{
    if (!control || !receiver || !send)
        return;
    if (auto *popup = qobject_cast<QComboBox *>(control)) {
        QObject::connect(popup, &QComboBox::activated, receiver,
                         [receiver, popup, send](int) { send(receiver, popup); });
    } else if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        QObject::connect(button, &QAbstractButton::clicked, receiver,
                         [receiver, button, send](bool) { send(receiver, button); });
    }
}
