#include "PanelStatus.h"

namespace
{

// One dialog per process, on its main thread.
QString &StatusLine()
{
    static QString line;
    return line;
}

} // namespace

void tint::setPanelStatus(const QString &text)
{
    StatusLine() = text;
}

QString tint::panelStatus()
{
    return StatusLine();
}
