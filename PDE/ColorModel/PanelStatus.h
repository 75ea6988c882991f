// A line the panel has for the person using the dialog: what went wrong in
// the background while the panel was loaded (a walk of the printer's
// profile table that failed), so that the host can show it in its window
// or print it for a command, instead of the failure passing unseen.
#pragma once

#include <QString>

namespace tint
{

// Replaces the panel's status line ("" clears it).
void setPanelStatus(const QString &text);
// The current status line, "" when there is nothing to tell.
QString panelStatus();

} // namespace tint
