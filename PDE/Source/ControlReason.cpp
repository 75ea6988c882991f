#include "ControlReason.h"

#include "Localization.h"

#include <QWidget>

void PDEControlSetUnavailable(QWidget *control, const QString &reason)
{
    if (!control)
        return;
    control->setEnabled(false);
    control->setToolTip(reason);
    control->setAccessibleDescription(reason);
}

void PDEControlSetAvailable(QWidget *control)
{
    if (!control)
        return;
    control->setEnabled(true);
    control->setToolTip(QString());
    control->setAccessibleDescription(QString());
}

QString PDELocalized(const char *key)
{
    return Localization::localizedString(key).value_or(QString::fromUtf8(key));
}
