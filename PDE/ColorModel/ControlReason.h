// Why a control is greyed out. A greyed control that does not say why is a
// dead end for the person in front of it, so every place that greys one
// gives the reason: it becomes the control's tool tip and, for screen
// readers, its accessible description. Enabling the control again drops it.
#pragma once

#include <QString>

class QWidget;

namespace tint
{

// Greys control out with reason (localized, one sentence).
void setControlUnavailable(QWidget *control, const QString &reason);
// Enables control and forgets the reason it was greyed for.
void setControlAvailable(QWidget *control);
// The plug-in's localized text of key (English key when it has none).
QString localized(const char *key);

} // namespace tint
