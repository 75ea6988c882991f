#include "PanelControlChoice.h"

#include <QCheckBox>
#include <QComboBox>

#include <cstdlib>

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

} // namespace

bool PanelChooseChoice(PrintDialog &dialog, const std::string &key, const std::string &choice,
                       std::string *error)
{
    PDEPanelIntrospection *introspection = dialog.introspection();
    if (!introspection) {
        *error = "the panel does not show its controls";
        return false;
    }
    QWidget *control = nullptr;
    for (const PDEControlInfo &info : introspection->controlInfo()) {
        if (info.control && info.ppdKey == key) {
            control = info.control;
            break;
        }
    }
    if (!control) {
        *error = "no control for option " + key;
        return false;
    }
    if (!control->isEnabled()) {
        *error = key + " is greyed out and cannot be changed";
        return false;
    }
    if (auto combo = qobject_cast<QComboBox *>(control)) {
        const QString wanted = QString::fromStdString(choice);
        int index = choice[0] == '#' ? MenuIndex(choice, combo->count())
                                     : combo->findData(wanted, Qt::UserRole, Qt::MatchExactly);
        // A choice may also be named by the title the menu shows ("Custom").
        if (index < 0 && choice[0] != '#')
            index = combo->findText(wanted, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index < 0) {
            *error = "no choice " + choice + " for " + key;
            return false;
        }
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return true;
    }
    if (auto check = qobject_cast<QCheckBox *>(control)) {
        if (choice != "True" && choice != "False") {
            *error = key + " takes True or False, not " + choice;
            return false;
        }
        if (check->isChecked() != (choice == "True"))
            check->click();
        return true;
    }
    *error = key + " is not a control with choices";
    return false;
}
