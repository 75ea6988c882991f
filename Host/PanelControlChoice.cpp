#include "PanelControlChoice.h"
#include "TintDialogTranslation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>

#include <cstdlib>
#include <cstring>

namespace
{

// "#N" as an index, or -1.
int MenuIndex(const std::string &choice, int count)
{
    if (choice.size() < 2 || choice[0] != '#')
        return -1;
    char *end = nullptr;
    long n = std::strtol(choice.c_str() + 1, &end, 10);
    if (*end != '\0' || n < 0 || n >= count)
        return -1;
    return static_cast<int>(n);
}

// A host text, translated, that becomes the command's error line.
struct HostText {
    QString text;
    HostText arg(const QString &a) const { return {text.arg(a)}; }
    HostText arg(const QString &a, const QString &b) const { return {text.arg(a, b)}; }
    HostText arg(const QString &a, const QString &b, const QString &c) const { return {text.arg(a, b, c)}; }
    operator std::string() const { return text.toStdString(); }
};

HostText Host(const char *text)
{
    return {TintDialogTr(text)};
}

// The greyed control's own reason (its tool tip) where it has one.
std::string GreyedMessage(const std::string &key, QWidget *greyedBy)
{
    const QString option = QString::fromStdString(key);
    if (greyedBy->toolTip().isEmpty())
        return TintDialogTr("%1 is greyed out and cannot be changed").arg(option).toStdString();
    return TintDialogTr("%1 cannot be changed: %2").arg(option, greyedBy->toolTip()).toStdString();
}

// Whether a and b lie in the same pane (the nearest ancestor that is one of
// the panel's pane views).
bool SharesPane(QWidget *a, QWidget *b)
{
    auto paneOf = [](QWidget *w) -> QWidget * {
        for (QWidget *p = w ? w->parentWidget() : nullptr; p; p = p->parentWidget()) {
            const char *name = p->metaObject()->className();
            if (std::strcmp(name, tint::kColorOptionsPane) == 0 ||
                std::strcmp(name, tint::kAdvancedColorOptionsPane) == 0)
                return p;
        }
        return nullptr;
    };
    return paneOf(a) == paneOf(b);
}

// "Title (KEYWORD), ..." of a pop-up's items, for a refusal.
QString ChoiceList(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) {
        const QString keyword = combo->itemData(i).toString();
        items << (keyword.isEmpty() || keyword == combo->itemText(i)
                      ? combo->itemText(i)
                      : QStringLiteral("%1 (%2)").arg(keyword, combo->itemText(i)));
    }
    return items.join(QStringLiteral(", "));
}

} // namespace

bool PanelChooseChoice(PrintDialog &dialog, const std::string &key, const std::string &choice,
                       std::string *error)
{
    PDEPanelIntrospection *introspection = dialog.introspection();
    if (!introspection) {
        *error = Host("the panel does not show its controls");
        return false;
    }
    const std::vector<PDEControlInfo> controls = introspection->controlInfo();
    // An option may be named by its keyword or by the title the PPD gives it.
    std::string option = key;
    if (ppd_file_t *ppd = dialog.ppdFile(); ppd && !ppdFindOption(ppd, key.c_str())) {
        const QString wanted = QString::fromStdString(key);
        for (const PDEControlInfo &info : controls) {
            const ppd_option_t *found =
                info.ppdKey.empty() ? nullptr : ppdFindOption(ppd, info.ppdKey.c_str());
            if (found && wanted.compare(QString::fromUtf8(found->text), Qt::CaseInsensitive) == 0) {
                option = info.ppdKey;
                break;
            }
        }
    }
    QWidget *control = nullptr;
    QWidget *advancedButton = nullptr;
    for (const PDEControlInfo &info : controls) {
        if (!control && info.control && info.ppdKey == option)
            control = info.control;
        if (info.identifier == tint::kAdvancedButtonIdentifier)
            advancedButton = info.control;
    }
    if (!control) {
        *error = Host("no control for option %1").arg(QString::fromStdString(key));
        return false;
    }
    if (!control->isEnabled()) {
        *error = GreyedMessage(key, control);
        return false;
    }
    // The Advanced pane is reached only through its button: while the
    // button is greyed, its options are out of reach for a script too.
    if (advancedButton && !advancedButton->isEnabled() && !SharesPane(control, advancedButton)) {
        *error = GreyedMessage(key, advancedButton);
        return false;
    }
    if (auto combo = qobject_cast<QComboBox *>(control)) {
        const QString wanted = QString::fromStdString(choice);
        int index = choice[0] == '#' ? MenuIndex(choice, combo->count())
                                     : combo->findData(wanted, Qt::UserRole, Qt::MatchExactly);
        // A choice may also be named by the title the menu shows ("custom").
        if (index < 0 && choice[0] != '#')
            index = combo->findText(wanted, Qt::MatchFixedString);
        if (index < 0) {
            *error = Host("no choice %1 for %2 (choices: %3)")
                         .arg(wanted, QString::fromStdString(key), ChoiceList(combo));
            return false;
        }
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return true;
    }
    if (auto check = qobject_cast<QCheckBox *>(control)) {
        if (choice != "True" && choice != "False") {
            *error = Host("%1 takes True or False, not %2")
                         .arg(QString::fromStdString(key), QString::fromStdString(choice));
            return false;
        }
        if (check->isChecked() != (choice == "True"))
            check->click();
        return true;
    }
    *error = Host("%1 is not a control with choices").arg(QString::fromStdString(key));
    return false;
}

bool PanelAdvancedPaneReachable(PrintDialog &dialog, std::string *reason)
{
    PDEPanelIntrospection *introspection = dialog.introspection();
    if (!introspection)
        return false;
    for (const PDEControlInfo &info : introspection->controlInfo()) {
        if (info.identifier != tint::kAdvancedButtonIdentifier || !info.control)
            continue;
        if (info.control->isEnabled())
            return true;
        *reason = info.control->toolTip().toStdString();
        return false;
    }
    return true;
}
