// What tintdialog reports about a loaded panel: its name and kind, the PPD
// option keys it handles, the pane shown, every control of its compound
// table, the summary and the print settings.
#pragma once

#include "PrintDialog.h"

#include <QJsonObject>
#include <QJsonValue>

#include <string>

// The report as one JSON object: panelName, panelKind,
// supportedPPDOptionKeys, shownPane, controls (outlet, kind, ppdKey,
// identifier, enabled, value, title, items), summary (order, items) and
// settings.
QJsonObject PanelReportJSON(PrintDialog &dialog);
// The same for any loaded panel and the print settings it writes to.
QJsonObject PanelReportJSON(PDEPanelProtocol *panel, const PMDictionary &settingsValues);

// The same report as text for people.
std::string PanelReportText(PrintDialog &dialog);

// A field of a text report or listing as one line that cannot pass for
// another: a backslash is doubled, tab, line feed and carriage return read
// \t, \n, \r, every other control character \xNN.
std::string PanelReportEscape(const std::string &field);
std::string PanelReportEscape(const QString &field);
std::string PanelReportEscape(const char *field);

// A property-list value as JSON (dictionaries as objects, arrays as arrays).
QJsonValue PMValueToJSON(const PMValue &value);

// A control's value as show reports it: pop-up selected index (or -1),
// check box 0/1; false for controls without a value.
bool PanelControlValue(const QWidget *control, int *value);
