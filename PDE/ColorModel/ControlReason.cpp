#include "ControlReason.h"

#include "Localization.h"

#include <QWidget>

void tint::setControlUnavailable(QWidget *control, const QString &reason)
{
    if (!control)
        return;
    control->setEnabled(false);
    control->setToolTip(reason);
    control->setAccessibleDescription(reason);
}

void tint::setControlAvailable(QWidget *control)
{
    if (!control)
        return;
    control->setEnabled(true);
    control->setToolTip(QString());
    control->setAccessibleDescription(QString());
}

QString tint::localized(const char *key)
{
    return Localization::localizedString(key).value_or(QString::fromUtf8(key));
}
