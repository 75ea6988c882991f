#include "PanelReport.h"
#include "TintDialogTranslation.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QJsonArray>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimeZone>

namespace
{

struct KindName {
    int32_t kind; // 0 closes the table
    const char *name;
};

constexpr KindName kKindNames[] = {
    {kPDEControlStaticText, "static text"}, {kPDEControlPopUp, "pop-up"},
    {kPDEControlCheckBox, "check box"},     {kPDEControlPushButton, "button"},
    {kPDEControlTabView, "tab view"},       {0, "other"},
};

const char *NameOfKind(int32_t kind)
{
    const KindName *k = kKindNames;
    while (k->kind && k->kind != kind)
        k++;
    return k->name;
}

// "Queue: " and the like, translated, with the space after it.
std::string Heading(const char *text)
{
    return TintDialogTr(text).toStdString() + " ";
}

QString Text(const std::string &s)
{
    return QString::fromStdString(s);
}

// Property-list dates count seconds from 2001-01-01 00:00:00 UTC.
constexpr qint64 kPlistDateEpoch = 978307200;

// A date as ISO 8601 text in UTC, as property lists write it.
QString DateText(const PMDate &date)
{
    return QDateTime::fromSecsSinceEpoch(kPlistDateEpoch + date.seconds, QTimeZone::utc())
        .toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss'Z'"));
}

QString DataText(const PMData &data)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(data.bytes.data()),
                                          static_cast<qsizetype>(data.bytes.size()))
                                   .toBase64());
}

// The name assistive tools read for a control: the one the panel gave it
// (a pop-up is named after its label), else what Qt's accessibility layer
// derives (a button's or check box's text).
QString AccessibleNameOf(QWidget *control)
{
    if (!control)
        return QString();
    if (!control->accessibleName().isEmpty())
        return control->accessibleName();
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

// The title a control shows: a label's text, a button's caption, a pop-up's
// selected item, a tab view's current tab.
QString TitleOf(const QWidget *control)
{
    if (auto label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (auto button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    if (auto combo = qobject_cast<const QComboBox *>(control))
        return combo->currentText();
    if (auto tabs = qobject_cast<const QTabWidget *>(control))
        return tabs->currentIndex() >= 0 ? tabs->tabText(tabs->currentIndex()) : QString();
    return {};
}

QStringList ItemsOf(const QWidget *control)
{
    QStringList items;
    if (auto combo = qobject_cast<const QComboBox *>(control)) {
        for (int i = 0; i < combo->count(); i++)
            items << combo->itemText(i);
    } else if (auto tabs = qobject_cast<const QTabWidget *>(control)) {
        for (int i = 0; i < tabs->count(); i++)
            items << tabs->tabText(i);
    }
    return items;
}

struct Summary {
    QStringList order;
    QJsonObject items;
};

Summary SummaryOf(PDEPanelProtocol *panel)
{
    Summary summary;
    PMDictionaryRef info = panel ? panel->summaryInfo() : nullptr;
    if (!info)
        return summary;
    for (const auto &[key, value] : *info) {
        if (key == kPDESummaryDisplayOrderKey) {
            if (PMArrayRef order = value.array()) {
                for (const PMValue &name : *order) {
                    if (const std::string *s = name.string())
                        summary.order << Text(*s);
                }
            }
        } else {
            summary.items.insert(Text(key), PMValueToJSON(value));
        }
    }
    return summary;
}

std::string ScalarText(const PMValue &value)
{
    switch (value.typeID()) {
    case kPMTypeString:
        return *value.string();
    case kPMTypeInteger:
        return std::to_string(*value.integer());
    case kPMTypeBoolean:
        return *value.boolean() ? "true" : "false";
    case kPMTypeReal:
        return std::to_string(*value.real());
    case kPMTypeDate:
        return DateText(*value.date()).toStdString();
    case kPMTypeData:
        return DataText(*value.data()).toStdString();
    default:
        return {};
    }
}

void SettingsText(const PMDictionary &dict, const std::string &indent, std::string *out)
{
    for (const auto &[key, value] : dict) {
        if (PMDictionaryRef child = value.dictionary()) {
            *out += indent + PanelReportEscape(key) + ":\n";
            SettingsText(*child, indent + "  ", out);
        } else if (PMArrayRef array = value.array()) {
            *out += indent + PanelReportEscape(key) + ": (" + std::to_string(array->size()) + " values)\n";
        } else {
            *out += indent + PanelReportEscape(key) + " = " + PanelReportEscape(ScalarText(value)) + "\n";
        }
    }
}

} // namespace

std::string PanelReportEscape(const std::string &field)
{
    std::string out;
    out.reserve(field.size());
    for (unsigned char c : field) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20 || c == 0x7f) {
            static const char kHex[] = "0123456789abcdef";
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string PanelReportEscape(const QString &field)
{
    return PanelReportEscape(field.toStdString());
}

std::string PanelReportEscape(const char *field)
{
    return PanelReportEscape(std::string(field ? field : ""));
}

QJsonValue PMValueToJSON(const PMValue &value)
{
    switch (value.typeID()) {
    case kPMTypeString:
        return Text(*value.string());
    case kPMTypeInteger:
        return static_cast<qint64>(*value.integer());
    case kPMTypeBoolean:
        return *value.boolean();
    case kPMTypeReal:
        return *value.real();
    case kPMTypeDate:
        return DateText(*value.date());
    case kPMTypeData:
        return DataText(*value.data());
    case kPMTypeDictionary: {
        QJsonObject object;
        for (const auto &[key, child] : *value.dictionary())
            object.insert(Text(key), PMValueToJSON(child));
        return object;
    }
    case kPMTypeArray: {
        QJsonArray array;
        for (const PMValue &child : *value.array())
            array.append(PMValueToJSON(child));
        return array;
    }
    default:
        return QJsonValue::Null;
    }
}

bool PanelControlValue(const QWidget *control, int *value)
{
    if (auto combo = qobject_cast<const QComboBox *>(control)) {
        *value = combo->currentIndex();
        return true;
    }
    if (auto check = qobject_cast<const QCheckBox *>(control)) {
        *value = check->isChecked() ? 1 : 0;
        return true;
    }
    return false;
}

QJsonObject PanelReportJSON(PrintDialog &dialog)
{
    QJsonObject report = PanelReportJSON(dialog.panel(), dialog.settingsValues());
    const TintDialogOptions &options = dialog.options();
    QJsonObject queue;
    queue.insert("name", Text(options.queue));
    queue.insert("printerID", Text(options.printerID));
    queue.insert("deviceURI", Text(options.deviceURI));
    queue.insert("ppd", options.queue.empty() ? Text(options.ppd) : QString());
    report.insert("queue", queue);
    report.insert("hostPage", dialog.hostPage() ? dialog.hostPage()->report() : QJsonObject());
    return report;
}

QJsonObject PanelReportJSON(PDEPanelProtocol *panel, const PMDictionary &settingsValues)
{
    QJsonObject report;
    // A queue without Color Options has no panel: its report has none.
    report.insert("panelName", panel ? Text(panel->panelName()) : QString());
    report.insert("panelKind", panel ? Text(panel->panelKind()) : QString());
    QJsonArray keys;
    for (const std::string &key : panel ? panel->supportedPPDOptionKeys() : std::vector<std::string>{})
        keys.append(Text(key));
    report.insert("supportedPPDOptionKeys", keys);

    PDEPanelIntrospection *introspection = panel ? panel->introspection() : nullptr;
    report.insert("shownPane", introspection ? Text(introspection->shownPane()) : QString());
    QJsonArray controls;
    if (introspection) {
        for (const PDEControlInfo &info : introspection->controlInfo()) {
            QJsonObject control;
            control.insert("outlet", info.control ? info.control->objectName() : QString());
            control.insert("kind", info.kind);
            control.insert("ppdKey", Text(info.ppdKey));
            control.insert("identifier", Text(info.identifier));
            control.insert("enabled", info.control ? info.control->isEnabled() : false);
            int value = 0;
            control.insert("value",
                           PanelControlValue(info.control, &value) ? QJsonValue(value) : QJsonValue());
            control.insert("title", TitleOf(info.control));
            control.insert("items", QJsonArray::fromStringList(ItemsOf(info.control)));
            // Why it is greyed (empty while enabled), and what a screen
            // reader calls it.
            control.insert("toolTip", info.control ? info.control->toolTip() : QString());
            control.insert("accessibleName", AccessibleNameOf(info.control));
            controls.append(control);
        }
    }
    report.insert("controls", controls);

    Summary summary = SummaryOf(panel);
    QJsonObject summaryObject;
    summaryObject.insert("order", QJsonArray::fromStringList(summary.order));
    summaryObject.insert("items", summary.items);
    report.insert("summary", summaryObject);

    PMValue settings = PMValue::newDictionary();
    *settings.dictionary() = settingsValues;
    report.insert("settings", PMValueToJSON(settings));
    return report;
}

std::string PanelReportText(PrintDialog &dialog)
{
    PDEPanelProtocol *panel = dialog.panel();
    const TintDialogOptions &options = dialog.options();
    // Headings in the person's language; keys, kinds and values stay as the
    // panel and the PPD name them.
    std::string out = Heading("Queue:") +
                      PanelReportEscape(options.queue.empty() ? "(" + Heading("none;") + options.ppd + ")"
                                                              : options.queue) +
                      "\n";
    out += Heading("Printer ID:") + PanelReportEscape(options.printerID) + "\n";
    out += Heading("Device URI:") +
           (options.deviceURI.empty() ? TintDialogTr("(none)").toStdString()
                                      : PanelReportEscape(options.deviceURI)) +
           "\n";
    out += Heading("Panel:") +
           (panel ? PanelReportEscape(panel->panelName()) + " (" + PanelReportEscape(panel->panelKind()) + ")"
                  : TintDialogTr("(none)").toStdString()) +
           "\n";
    PDEPanelIntrospection *introspection = dialog.introspection();
    out += Heading("Shown pane:") +
           PanelReportEscape(introspection ? introspection->shownPane() : std::string("-")) + "\n";
    out += TintDialogTr("PPD options:").toStdString();
    for (const std::string &key : panel ? panel->supportedPPDOptionKeys() : std::vector<std::string>{})
        out += " " + PanelReportEscape(key);
    out += "\n" + TintDialogTr("Controls:").toStdString() + "\n";
    if (introspection) {
        for (const PDEControlInfo &info : introspection->controlInfo()) {
            QString name = info.control ? info.control->objectName() : QString("-");
            out += "  " + PanelReportEscape(name) + " [" + NameOfKind(info.kind) + "]";
            if (!info.ppdKey.empty())
                out += " " + PanelReportEscape(info.ppdKey);
            int value = 0;
            if (PanelControlValue(info.control, &value))
                out += " = " + std::to_string(value);
            QString title = TitleOf(info.control);
            if (!title.isEmpty())
                out += " \"" + PanelReportEscape(title) + "\"";
            if (info.control && !info.control->isEnabled())
                out += " " + TintDialogTr("(greyed)").toStdString();
            QStringList items = ItemsOf(info.control);
            if (!items.isEmpty())
                out += "\n      " + PanelReportEscape(items.join(" | "));
            out += "\n";
        }
    }
    if (dialog.hostPage())
        out += dialog.hostPage()->reportText();
    out += TintDialogTr("Summary:").toStdString() + "\n";
    Summary summary = SummaryOf(panel);
    for (const QString &name : summary.order)
        out += "  " + PanelReportEscape(name) + ": " +
               PanelReportEscape(summary.items.value(name).toString()) + "\n";
    out += TintDialogTr("Print settings:").toStdString() + "\n";
    SettingsText(dialog.settingsValues(), "  ", &out);
    return out;
}
