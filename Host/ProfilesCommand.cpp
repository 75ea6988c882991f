// profiles list|tick|add|edit|delete: the profile management window, driven
// from a script as a user would drive it. Each command loads the panel as
// show does, shows the Advanced Color Options pane, presses "Management
// Profile", acts on the window's controls only, through their public face
// (a row chosen through the table's selection model, a check box ticked
// through its model, keys typed into the fields, buttons clicked), and
// closes the window: list with Cancel, every other command with OK. What the
// window refuses silently (a disabled button, a local OK that changes
// nothing) is reported here with exit status 2, and the window is then
// closed with Cancel so that nothing is written.
#include "ProfilesCommand.h"

#include "TintDialogCommand.h"
#include "TintDialogContext.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <optional>

namespace
{

// Item-data role of the table's rows that carries the entry's menu state
// code (the window's own reporting role).
constexpr int kInMenuRole = Qt::UserRole + 1;

constexpr const char *kGroups[] = {"RGB", "SIM", "DST"};

struct ProfileWindow {
    QDialog *window = nullptr;
    QTableView *table = nullptr;
    QComboBox *group = nullptr;
    QPushButton *add = nullptr, *edit = nullptr, *remove = nullptr;
    QLineEdit *fileName = nullptr, *profileName = nullptr;
    QPushButton *localOK = nullptr, *localCancel = nullptr;
    QPushButton *ok = nullptr, *cancel = nullptr;

    bool find(QDialog *dialog)
    {
        window = dialog;
        table = dialog->findChild<QTableView *>("_profileTableView");
        group = dialog->findChild<QComboBox *>("_profileMenu");
        add = dialog->findChild<QPushButton *>("_addButton");
        edit = dialog->findChild<QPushButton *>("_editButton");
        remove = dialog->findChild<QPushButton *>("_deleteButton");
        fileName = dialog->findChild<QLineEdit *>("_fileNameEdit");
        profileName = dialog->findChild<QLineEdit *>("_profileNameEdit");
        localOK = dialog->findChild<QPushButton *>("_localOK");
        localCancel = dialog->findChild<QPushButton *>("_localCancel");
        ok = dialog->findChild<QPushButton *>("_windowOK");
        cancel = dialog->findChild<QPushButton *>("_windowCancel");
        return table && table->model() && group && add && edit && remove && fileName && profileName &&
               localOK && localCancel && ok && cancel;
    }

    int column(const char *identifier) const
    {
        return static_cast<int>(table->property("columnIdentifiers").toStringList().indexOf(identifier));
    }
    int rows() const { return table->model()->rowCount(); }
    QModelIndex index(int row, const char *identifier) const
    {
        return table->model()->index(row, column(identifier));
    }
    QString text(int row, const char *identifier) const { return index(row, identifier).data().toString(); }

    void chooseGroup(int g)
    {
        group->setCurrentIndex(g);
        emit group->activated(g);
    }
    // A click on a row: the window's selection model asks the window first,
    // as it does for the mouse.
    void clickRow(int row)
    {
        const QModelIndex cell = index(row, "filename");
        table->scrollTo(cell);
        QItemSelectionModel *selection = table->selectionModel();
        selection->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
        selection->select(cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    // A click on a row's check box: what the view's delegate does with it.
    void clickCheckBox(int row)
    {
        const QModelIndex cell = index(row, "inmenu");
        const Qt::ItemFlags flags = cell.flags();
        if (!table->isEnabled() || !flags.testFlag(Qt::ItemIsEnabled) ||
            !flags.testFlag(Qt::ItemIsUserCheckable))
            return;
        const bool ticked = cell.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        table->model()->setData(cell, static_cast<int>(ticked ? Qt::Unchecked : Qt::Checked),
                                Qt::CheckStateRole);
    }
    // One key pressed and released on a field, through its own key handling
    // (and its edit filter, which runs on the user's edits only).
    static void pressKey(QWidget *field, int key, const QString &text = QString())
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(field, &release);
    }
    // Types text as a user would: printable ASCII from the keyboard, any
    // other character committed whole by an input method (as a compose key
    // or an IME delivers it, a surrogate pair included). Control characters
    // cannot be typed into a one-line field and are left out, so the field
    // then differs from what was asked and the command refuses.
    static void type(QLineEdit *field, const QString &text)
    {
        field->setFocus();
        field->selectAll();
        pressKey(field, Qt::Key_Delete);
        for (qsizetype i = 0; i < text.size();) {
            const char16_t unit = text.at(i).unicode();
            const qsizetype length =
                text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2
                                                                                                       : 1;
            if (unit >= 0x20 && unit < 0x7F) {
                // Qt's key codes of printable ASCII are the characters
                // themselves, letters in upper case.
                pressKey(field, QChar(unit).toUpper().unicode(), QString(QChar(unit)));
            } else if (unit >= 0xA0) {
                QInputMethodEvent commit;
                commit.setCommitString(text.mid(i, length));
                QCoreApplication::sendEvent(field, &commit);
            }
            i += length;
        }
    }
    // Clicks an enabled button; false (with the reason) for a disabled one.
    static bool press(QPushButton *button, const char *what, std::string *error)
    {
        if (!button->isEnabled()) {
            *error = std::string(what) + " is disabled";
            return false;
        }
        button->click();
        return true;
    }
    // Local OK accepted: the window is back to idle, where Add is on again.
    bool localOKAccepted(std::string *error, const char *refusal)
    {
        if (!press(localOK, "the edit area's OK", error))
            return false;
        if (!add->isEnabled()) {
            *error = refusal;
            return false;
        }
        return true;
    }
};

// A script acts on the open window; false with a one-line reason refuses.
using WindowScript = std::function<bool(ProfileWindow &, std::string *error)>;

int RunWindow(TintDialogContext &context, const char *command, const WindowScript &script, bool commit)
{
    PrintDialog *dialog = context.dialog();
    if (!dialog)
        return kTintDialogFailure;
    QWidget *view = dialog->loadPanel();
    PDEPanelIntrospection *introspection = dialog->introspection();
    if (!view || !introspection || !introspection->showAdvancedPane())
        return context.fail(std::string(command) + ": the Advanced Color Options pane cannot be shown");
    auto *manage = view->findChild<QPushButton *>("button_ManageProfile");
    if (!manage)
        return context.fail(std::string(command) + ": the panel has no \"Management Profile\" button");
    // Reading needs no write permission: a run that only reads (and always
    // ends with Cancel, so nothing is written) opens the window even where
    // the button is greyed because the list cannot be written.
    const bool greyed = !manage->isEnabled();
    if (greyed && commit)
        return context.fail(std::string(command) + ": \"Management Profile\" is disabled (" +
                            (manage->toolTip().isEmpty() ? std::string("the profile list cannot be written")
                                                         : manage->toolTip().toStdString()) +
                            ")");

    bool opened = false;
    bool accepted = false;
    std::string error;
    QTimer::singleShot(0, [&] {
        auto *window = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!window || window->objectName() != "_profileManagementWindow")
            return;
        opened = true;
        ProfileWindow w;
        if (!w.find(window)) {
            error = "the profile window lacks its controls";
            window->reject();
            return;
        }
        accepted = script(w, &error);
        (accepted && commit ? w.ok : w.cancel)->click();
    });
    if (greyed)
        manage->setEnabled(true);
    manage->click();
    if (greyed)
        manage->setEnabled(false);
    QApplication::processEvents();
    if (!opened)
        return context.fail(std::string(command) + ": the profile window did not open");
    if (!accepted)
        return context.fail(std::string(command) + ": " + error);
    return kTintDialogSuccess;
}

std::optional<int> ParseGroup(const std::string &word)
{
    for (int g = 0; g < 3; ++g) {
        if (word == kGroups[g])
            return g;
    }
    return std::nullopt;
}

std::optional<int> ParseRow(const std::string &word)
{
    if (word.empty() || word.size() > 6 || word.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(word);
}

// A row named on the command line: its number, or (since numbers change
// after a walk) the file name it lists.
struct RowName {
    std::optional<int> number;
    QString fileName;
    std::string word() const { return number ? std::to_string(*number) : fileName.toStdString(); }
};

std::optional<RowName> ParseRowName(const std::string &word)
{
    if (word.empty() || word.compare(0, 2, "--") == 0)
        return std::nullopt;
    if (std::optional<int> row = ParseRow(word))
        return RowName{row, {}};
    if (word.find_first_of("0123456789") == 0)
        return std::nullopt;
    return RowName{std::nullopt, QString::fromStdString(word)};
}

// ROW, or --file NAME in its place, at args[at]; advances at past it.
std::optional<RowName> TakeRowName(const std::vector<std::string> &args, size_t *at)
{
    if (*at < args.size() && args[*at] == "--file" && *at + 1 < args.size()) {
        *at += 2;
        return RowName{std::nullopt, QString::fromStdString(args[*at - 1])};
    }
    if (*at >= args.size())
        return std::nullopt;
    return ParseRowName(args[(*at)++]);
}

bool ChooseRow(ProfileWindow &w, int group, const RowName &name, int *chosen, std::string *error)
{
    w.chooseGroup(group);
    int row = -1;
    if (name.number) {
        row = *name.number;
    } else {
        for (int r = 0; r < w.rows() && row < 0; ++r) {
            if (w.text(r, "filename") == name.fileName)
                row = r;
        }
        if (row < 0) {
            *error = "no row of " + std::string(kGroups[group]) + " lists the file " + name.word();
            return false;
        }
    }
    if (row >= w.rows()) {
        *error = "row " + std::to_string(row) + " is not in " + kGroups[group] + " (" +
                 std::to_string(w.rows()) + " rows)";
        return false;
    }
    w.clickRow(row);
    *chosen = row;
    return true;
}

void PrintRows(ProfileWindow &w, int group, bool withGroup)
{
    w.chooseGroup(group);
    for (int row = 0; row < w.rows(); ++row) {
        bool ticked = w.index(row, "inmenu").data(Qt::CheckStateRole).toInt() == Qt::Checked;
        std::string line = withGroup ? std::string(kGroups[group]) + "\t" : std::string();
        line += std::to_string(row) + "\t" + (ticked ? "1" : "0") + "\t" +
                std::to_string(w.index(row, "inmenu").data(kInMenuRole).toInt()) + "\t" +
                w.text(row, "filename").toStdString() + "\t" + w.text(row, "profilename").toStdString() +
                "\t" + w.text(row, "location").toStdString() + "\n";
        std::fputs(line.c_str(), stdout);
    }
}

int Usage(TintDialogContext &context, const std::string &message)
{
    return context.fail(
        "profiles: " + message +
        " (usage: profiles list [GROUP] | tick GROUP ROW [--on|--off] | add GROUP FILENAME DISPLAYNAME | "
        "edit GROUP ROW [--file NAME] --name DISPLAYNAME | delete GROUP ROW; GROUP is RGB, SIM "
        "or DST; ROW is a row number or --file FILENAME)");
}

int RunProfiles(TintDialogContext &context, const std::vector<std::string> &args)
{
    if (args.empty())
        return Usage(context, "a subcommand is needed");
    const std::string &sub = args[0];
    std::optional<int> group = args.size() > 1 ? ParseGroup(args[1]) : std::nullopt;
    if (args.size() > 1 && !group)
        return Usage(context, "unknown group " + args[1]);

    if (sub == "list") {
        if (args.size() > 2)
            return Usage(context, "list takes at most a group");
        return RunWindow(
            context, "profiles list",
            [&](ProfileWindow &w, std::string *) {
                if (group) {
                    PrintRows(w, *group, false);
                } else {
                    for (int g = 0; g < 3; ++g)
                        PrintRows(w, g, true);
                }
                return true;
            },
            false);
    }

    if (sub == "tick" || sub == "delete") {
        const bool tick = sub == "tick";
        size_t at = 2;
        std::optional<RowName> rowName = group ? TakeRowName(args, &at) : std::nullopt;
        if (!group || !rowName)
            return Usage(context, sub + " takes GROUP ROW (or GROUP --file NAME)");
        // tick toggles; --on and --off state the wanted end.
        std::optional<bool> wanted;
        for (; at < args.size(); ++at) {
            if (tick && (args[at] == "--on" || args[at] == "--off"))
                wanted = args[at] == "--on";
            else
                return Usage(context, "unexpected argument " + args[at]);
        }
        return RunWindow(
            context, tick ? "profiles tick" : "profiles delete",
            [&](ProfileWindow &w, std::string *error) {
                int row = -1;
                if (!ChooseRow(w, *group, *rowName, &row, error))
                    return false;
                if (tick) {
                    const QVariant before = w.index(row, "inmenu").data(Qt::CheckStateRole);
                    if (wanted && (before.toInt() == Qt::Checked) == *wanted)
                        return true;
                    w.clickCheckBox(row);
                    if (w.index(row, "inmenu").data(Qt::CheckStateRole) == before) {
                        *error = "the check box of row " + std::to_string(row) + " did not change";
                        return false;
                    }
                    return true;
                }
                if (!w.remove->isEnabled()) {
                    *error =
                        "row " + std::to_string(row) + " is a profile on the printer and cannot be deleted";
                    return false;
                }
                return ProfileWindow::press(w.remove, "Delete", error);
            },
            true);
    }

    if (sub == "add") {
        if (args.size() != 4 || !group)
            return Usage(context, "add takes GROUP FILENAME DISPLAYNAME");
        const QString fileName = QString::fromStdString(args[2]);
        const QString profileName = QString::fromStdString(args[3]);
        return RunWindow(
            context, "profiles add",
            [&](ProfileWindow &w, std::string *error) {
                w.chooseGroup(*group);
                if (!ProfileWindow::press(w.add, "Add", error))
                    return false;
                ProfileWindow::type(w.fileName, fileName);
                ProfileWindow::type(w.profileName, profileName);
                if (w.fileName->text() != fileName) {
                    *error = "the file-name field does not take \"" + args[2] + "\" (it holds \"" +
                             w.fileName->text().toStdString() + "\")";
                    return false;
                }
                if (w.profileName->text() != profileName) {
                    *error = "the profile-name field does not take \"" + args[3] + "\" (it holds \"" +
                             w.profileName->text().toStdString() + "\")";
                    return false;
                }
                return w.localOKAccepted(error,
                                         "the window refused the entry (a profile on the disk has that "
                                         "file name, or the group is full)");
            },
            true);
    }

    if (sub == "edit") {
        size_t at = 2;
        std::optional<RowName> rowName = group ? TakeRowName(args, &at) : std::nullopt;
        if (!group || !rowName)
            return Usage(context,
                         "edit takes GROUP ROW (or GROUP --file NAME) [--file NEWNAME] --name DISPLAYNAME");
        std::optional<QString> fileName, profileName;
        for (size_t i = at; i < args.size(); ++i) {
            if (args[i] == "--file" && i + 1 < args.size())
                fileName = QString::fromStdString(args[++i]);
            else if (args[i] == "--name" && i + 1 < args.size())
                profileName = QString::fromStdString(args[++i]);
            else
                return Usage(context, "unexpected argument " + args[i]);
        }
        if (!profileName)
            return Usage(context, "edit needs --name DISPLAYNAME");
        return RunWindow(
            context, "profiles edit",
            [&](ProfileWindow &w, std::string *error) {
                int row = -1;
                if (!ChooseRow(w, *group, *rowName, &row, error))
                    return false;
                if (!ProfileWindow::press(w.edit, "Edit", error))
                    return false;
                if (fileName && *fileName != w.fileName->text()) {
                    if (!w.fileName->isEnabled()) {
                        *error = "the file name of a profile from the printer cannot be changed";
                        return false;
                    }
                    ProfileWindow::type(w.fileName, *fileName);
                    if (w.fileName->text() != *fileName) {
                        *error = "the file-name field does not take \"" + fileName->toStdString() +
                                 "\" (it holds \"" + w.fileName->text().toStdString() + "\")";
                        return false;
                    }
                }
                ProfileWindow::type(w.profileName, *profileName);
                if (w.profileName->text() != *profileName) {
                    *error = "the profile-name field does not take \"" + profileName->toStdString() +
                             "\" (it holds \"" + w.profileName->text().toStdString() + "\")";
                    return false;
                }
                return w.localOKAccepted(error,
                                         "the window refused the change (a profile on the disk has that "
                                         "file name)");
            },
            true);
    }

    return Usage(context, "unknown subcommand " + sub);
}

const TintDialogCommand kProfilesCommand = {
    "profiles",
    "list [GROUP] | tick GROUP ROW [--on|--off] | delete GROUP ROW | add GROUP FILE NAME | "
    "edit GROUP ROW [--file F] --name N   (ROW: a number, or --file FILENAME)",
    "the profile management window: list prints rows (row, ticked, inMenu, file, name, location; without "
    "GROUP "
    "each line starts with it) and ends with Cancel; tick toggles a row's check box (--on/--off: ticks or "
    "unticks it); tick, add, edit and "
    "delete "
    "end with OK",
    false, RunProfiles};
TINT_DIALOG_COMMAND(kProfilesCommand);

} // namespace

int ProfilesWindowScreenshot(PrintDialog &dialog, QWidget *view, const std::string &file, std::string *error)
{
    PDEPanelIntrospection *introspection = dialog.introspection();
    auto *manage = view ? view->findChild<QPushButton *>("button_ManageProfile") : nullptr;
    if (!introspection || !introspection->showAdvancedPane() || !manage) {
        *error = "the Advanced Color Options pane cannot be shown";
        return kTintDialogFailure;
    }
    if (!manage->isEnabled()) {
        *error = "\"Management Profile\" is disabled (the profile list cannot be written)";
        return kTintDialogFailure;
    }
    bool opened = false;
    bool saved = false;
    QTimer::singleShot(0, [&] {
        auto *window = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!window || window->objectName() != "_profileManagementWindow")
            return;
        opened = true;
        ProfileWindow w;
        if (w.find(window)) {
            // The destination profiles, where the printer's own are listed.
            w.chooseGroup(2);
            if (w.rows() > 0)
                w.clickRow(0);
        }
        QApplication::processEvents();
        saved = window->grab().save(QString::fromStdString(file), "PNG");
        window->reject();
    });
    manage->click();
    QApplication::processEvents();
    if (!opened) {
        *error = "the profile window did not open";
        return kTintDialogFailure;
    }
    if (!saved) {
        *error = "cannot write " + file;
        return kTintDialogFailure;
    }
    return kTintDialogSuccess;
}
