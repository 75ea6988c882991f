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
#include "TintDialogTranslation.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
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

constexpr const char *kGroups[] = {"RGB", "SIM", "DST"};

QString Tr(const char *text)
{
    return TintDialogTr(text);
}

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
        table = dialog->findChild<QTableView *>(tint::kProfileTable);
        group = dialog->findChild<QComboBox *>(tint::kProfileGroupMenu);
        add = dialog->findChild<QPushButton *>(tint::kProfileAddButton);
        edit = dialog->findChild<QPushButton *>(tint::kProfileEditButton);
        remove = dialog->findChild<QPushButton *>(tint::kProfileDeleteButton);
        fileName = dialog->findChild<QLineEdit *>(tint::kProfileFileNameField);
        profileName = dialog->findChild<QLineEdit *>(tint::kProfileNameField);
        localOK = dialog->findChild<QPushButton *>(tint::kProfileLocalOK);
        localCancel = dialog->findChild<QPushButton *>(tint::kProfileLocalCancel);
        ok = dialog->findChild<QPushButton *>(tint::kProfileWindowOK);
        cancel = dialog->findChild<QPushButton *>(tint::kProfileWindowCancel);
        return table && table->model() && group && add && edit && remove && fileName && profileName &&
               localOK && localCancel && ok && cancel;
    }

    int column(const char *identifier) const
    {
        return static_cast<int>(
            table->property(tint::kProfileColumnsProperty).toStringList().indexOf(identifier));
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
        const QModelIndex cell = index(row, tint::kProfileColumnFileName);
        table->scrollTo(cell);
        QItemSelectionModel *selection = table->selectionModel();
        selection->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
        selection->select(cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    // A click on a row's check box: what the view's delegate does with it.
    void clickCheckBox(int row)
    {
        const QModelIndex cell = index(row, tint::kProfileColumnInMenu);
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
            *error = Tr("%1 is disabled").arg(Tr(what)).toStdString();
            return false;
        }
        button->click();
        return true;
    }
    // Local OK accepted: the window is back to idle, where Add is on again.
    bool localOKAccepted(std::string *error, const char *refusal)
    {
        if (!press(localOK, QT_TRANSLATE_NOOP("tintdialog", "the edit area's OK"), error))
            return false;
        if (!add->isEnabled()) {
            *error = Tr(refusal).toStdString();
            return false;
        }
        return true;
    }
    // Types text into a field and checks that the field took it as it is.
    static bool enter(QLineEdit *field, const QString &text, const char *refusal, std::string *error)
    {
        type(field, text);
        if (field->text() == text)
            return true;
        *error = Tr(refusal).arg(text, field->text()).toStdString();
        return false;
    }
};

constexpr const char kFileNameRefused[] =
    QT_TRANSLATE_NOOP("tintdialog", "the file-name field does not take \"%1\" (it holds \"%2\")");
constexpr const char kProfileNameRefused[] =
    QT_TRANSLATE_NOOP("tintdialog", "the profile-name field does not take \"%1\" (it holds \"%2\")");

// A script acts on the open window; false with a one-line reason refuses.
using WindowScript = std::function<bool(ProfileWindow &, std::string *error)>;

// Opens the profile window, runs the script on it and closes it. command
// names the command in the error lines ("profiles tick").
int RunWindow(TintDialogContext &context, const char *command, const WindowScript &script, bool commit)
{
    PrintDialog *dialog = context.dialog();
    if (!dialog)
        return kTintDialogFailure;
    const QString name = QString::fromLatin1(command);
    auto fail = [&](const QString &message) {
        return context.fail(Tr("%1: %2").arg(name, message).toStdString());
    };
    QWidget *view = dialog->loadPanel();
    PDEPanelIntrospection *introspection = dialog->introspection();
    if (!view || !introspection || !introspection->showAdvancedPane())
        return fail(Tr("the Advanced Color Options pane cannot be shown"));
    auto *manage = view->findChild<QPushButton *>(tint::kManageProfileButton);
    if (!manage)
        return fail(Tr("the panel has no \"Management Profile\" button"));
    // Reading needs no write permission: a run that only reads (and always
    // ends with Cancel, so nothing is written) opens the window even where
    // the button is greyed because the list cannot be written.
    const bool greyed = !manage->isEnabled();
    if (greyed && commit)
        return fail(Tr("\"Management Profile\" is disabled (%1)")
                        .arg(manage->toolTip().isEmpty() ? Tr("the profile list cannot be written")
                                                         : manage->toolTip()));

    bool opened = false;
    bool accepted = false;
    std::string error;
    QTimer::singleShot(0, [&] {
        auto *window = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!window || window->objectName() != QLatin1String(tint::kProfileWindow))
            return;
        opened = true;
        ProfileWindow w;
        if (!w.find(window)) {
            error = Tr("the profile window lacks its controls").toStdString();
            window->reject();
            return;
        }
        accepted = script(w, &error);
        (accepted && commit ? w.ok : w.cancel)->click();
    });
    // A save that fails still closes the window; the panel's status line
    // then says why.
    const std::string statusBefore = introspection->statusMessage();
    if (greyed)
        manage->setEnabled(true);
    manage->click();
    if (greyed)
        manage->setEnabled(false);
    QApplication::processEvents();
    if (!opened)
        return fail(Tr("the profile window did not open"));
    if (!accepted)
        return fail(QString::fromStdString(error));
    const std::string statusAfter = introspection->statusMessage();
    if (commit && !statusAfter.empty() && statusAfter != statusBefore)
        return fail(QString::fromStdString(statusAfter));
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
    QString word() const { return number ? QString::number(*number) : fileName; }
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

bool ChooseRow(ProfileWindow &w, int group, const RowName &name, int *chosen, std::string *error)
{
    w.chooseGroup(group);
    const QString groupName = QString::fromLatin1(kGroups[group]);
    int row = -1;
    if (name.number) {
        row = *name.number;
    } else {
        for (int r = 0; r < w.rows() && row < 0; ++r) {
            if (w.text(r, tint::kProfileColumnFileName) == name.fileName)
                row = r;
        }
        if (row < 0) {
            *error = Tr("no row of %1 lists the file %2").arg(groupName, name.word()).toStdString();
            return false;
        }
    }
    if (row >= w.rows()) {
        *error = Tr("row %1 is not in %2 (%3 rows)")
                     .arg(QString::number(row), groupName, QString::number(w.rows()))
                     .toStdString();
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
        const QModelIndex inMenu = w.index(row, tint::kProfileColumnInMenu);
        const bool ticked = inMenu.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        std::string line = withGroup ? std::string(kGroups[group]) + "\t" : std::string();
        line += std::to_string(row) + "\t" + (ticked ? "1" : "0") + "\t" +
                std::to_string(inMenu.data(tint::kProfileInMenuRole).toInt()) + "\t" +
                w.text(row, tint::kProfileColumnFileName).toStdString() + "\t" +
                w.text(row, tint::kProfileColumnProfileName).toStdString() + "\t" +
                w.text(row, tint::kProfileColumnLocation).toStdString() + "\n";
        std::fputs(line.c_str(), stdout);
    }
}

int Usage(TintDialogContext &context, const QString &message)
{
    return context.fail(
        Tr("profiles: %1 (usage: profiles list [GROUP] | tick GROUP ROW [--on|--off] | add GROUP "
           "FILENAME DISPLAYNAME | edit GROUP ROW [--file NAME] --name DISPLAYNAME | delete GROUP "
           "ROW; GROUP is RGB, SIM or DST; ROW is a row number or --file FILENAME)")
            .arg(message)
            .toStdString());
}

const TintDialogOption kProfilesOptions[] = {
    {"file", nullptr, QT_TRANSLATE_NOOP("tintdialog", "FILENAME"),
     QT_TRANSLATE_NOOP("tintdialog", "in place of ROW: the row that lists this file; after ROW (edit): the "
                                     "new file name")},
    {"name", nullptr, QT_TRANSLATE_NOOP("tintdialog", "DISPLAYNAME"),
     QT_TRANSLATE_NOOP("tintdialog", "edit: the new display name")},
    {"on", nullptr, nullptr, QT_TRANSLATE_NOOP("tintdialog", "tick: tick the row's check box")},
    {"off", nullptr, nullptr, QT_TRANSLATE_NOOP("tintdialog", "tick: untick the row's check box")},
};

// The first option of names that was given, as written ("--on"), or "".
QString GivenOption(const TintDialogArguments &args, std::initializer_list<const char *> names)
{
    for (const std::string &given : args.optionNames()) {
        for (const char *name : names) {
            if (given == name)
                return QString::fromStdString("--" + given);
        }
    }
    return {};
}

int RunProfiles(TintDialogContext &context, const TintDialogArguments &arguments)
{
    const std::vector<std::string> &args = arguments.positional();
    if (args.empty())
        return Usage(context, Tr("a subcommand is needed"));
    const std::string &sub = args[0];
    const QString subcommand = QString::fromStdString(sub);
    std::optional<int> group = args.size() > 1 ? ParseGroup(args[1]) : std::nullopt;
    if (args.size() > 1 && !group)
        return Usage(context, Tr("unknown group %1").arg(QString::fromStdString(args[1])));
    // ROW, or --file NAME in its place; a further --file is edit's new name.
    std::vector<std::string> files = arguments.values("file");
    std::optional<RowName> rowName;
    if (args.size() > 2) {
        rowName = ParseRowName(args[2]);
    } else if (!files.empty()) {
        rowName = RowName{std::nullopt, QString::fromStdString(files.front())};
        files.erase(files.begin());
    }
    // The first word or option of its own that a subcommand does not take.
    const auto unexpected = [&](size_t words, std::initializer_list<const char *> refused) -> QString {
        if (args.size() > words)
            return QString::fromStdString(args[words]);
        return GivenOption(arguments, refused);
    };

    if (sub == "list") {
        if (args.size() > 2)
            return Usage(context, Tr("list takes at most a group"));
        if (const QString word = GivenOption(arguments, {"file", "name", "on", "off"}); !word.isEmpty())
            return Usage(context, Tr("unexpected argument %1").arg(word));
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
        if (!group || !rowName)
            return Usage(context, Tr("%1 takes GROUP ROW (or GROUP --file NAME)").arg(subcommand));
        QString word = unexpected(3, tick ? std::initializer_list<const char *>{"name"}
                                          : std::initializer_list<const char *>{"name", "on", "off"});
        if (word.isEmpty() && !files.empty())
            word = QStringLiteral("--file");
        if (!word.isEmpty())
            return Usage(context, Tr("unexpected argument %1").arg(word));
        // tick toggles; --on and --off state the wanted end (the last given counts).
        std::optional<bool> wanted;
        for (const std::string &given : arguments.optionNames()) {
            if (given == "on" || given == "off")
                wanted = given == "on";
        }
        return RunWindow(
            context, tick ? "profiles tick" : "profiles delete",
            [&](ProfileWindow &w, std::string *error) {
                int row = -1;
                if (!ChooseRow(w, *group, *rowName, &row, error))
                    return false;
                if (tick) {
                    const QVariant before = w.index(row, tint::kProfileColumnInMenu).data(Qt::CheckStateRole);
                    if (wanted && (before.toInt() == Qt::Checked) == *wanted)
                        return true;
                    w.clickCheckBox(row);
                    if (w.index(row, tint::kProfileColumnInMenu).data(Qt::CheckStateRole) == before) {
                        *error = Tr("the check box of row %1 did not change").arg(row).toStdString();
                        return false;
                    }
                    return true;
                }
                if (!w.remove->isEnabled()) {
                    *error =
                        Tr("row %1 is a profile on the printer and cannot be deleted").arg(row).toStdString();
                    return false;
                }
                return ProfileWindow::press(w.remove, QT_TRANSLATE_NOOP("tintdialog", "Delete"), error);
            },
            true);
    }

    if (sub == "add") {
        if (args.size() != 4 || !group || !GivenOption(arguments, {"file", "name", "on", "off"}).isEmpty())
            return Usage(context, Tr("add takes GROUP FILENAME DISPLAYNAME"));
        const QString fileName = QString::fromStdString(args[2]);
        const QString profileName = QString::fromStdString(args[3]);
        return RunWindow(
            context, "profiles add",
            [&](ProfileWindow &w, std::string *error) {
                w.chooseGroup(*group);
                return ProfileWindow::press(w.add, QT_TRANSLATE_NOOP("tintdialog", "Add"), error) &&
                       ProfileWindow::enter(w.fileName, fileName, kFileNameRefused, error) &&
                       ProfileWindow::enter(w.profileName, profileName, kProfileNameRefused, error) &&
                       w.localOKAccepted(error,
                                         QT_TRANSLATE_NOOP("tintdialog",
                                                           "the window refused the entry (a profile on "
                                                           "the disk has that file name, or the group "
                                                           "is full)"));
            },
            true);
    }

    if (sub == "edit") {
        if (!group || !rowName)
            return Usage(
                context,
                Tr("edit takes GROUP ROW (or GROUP --file NAME) [--file NEWNAME] --name DISPLAYNAME"));
        QString word = unexpected(3, {"on", "off"});
        if (word.isEmpty() && files.size() > 1)
            word = QStringLiteral("--file");
        if (!word.isEmpty())
            return Usage(context, Tr("unexpected argument %1").arg(word));
        if (!arguments.isSet("name"))
            return Usage(context, Tr("edit needs --name DISPLAYNAME"));
        const std::optional<QString> fileName =
            files.empty() ? std::nullopt : std::optional<QString>(QString::fromStdString(files.front()));
        const QString profileName = QString::fromStdString(arguments.value("name"));
        return RunWindow(
            context, "profiles edit",
            [&](ProfileWindow &w, std::string *error) {
                int row = -1;
                if (!ChooseRow(w, *group, *rowName, &row, error) ||
                    !ProfileWindow::press(w.edit, QT_TRANSLATE_NOOP("tintdialog", "Edit"), error))
                    return false;
                if (fileName && *fileName != w.fileName->text()) {
                    if (!w.fileName->isEnabled()) {
                        *error =
                            Tr("the file name of a profile from the printer cannot be changed").toStdString();
                        return false;
                    }
                    if (!ProfileWindow::enter(w.fileName, *fileName, kFileNameRefused, error))
                        return false;
                }
                return ProfileWindow::enter(w.profileName, profileName, kProfileNameRefused, error) &&
                       w.localOKAccepted(error,
                                         QT_TRANSLATE_NOOP("tintdialog",
                                                           "the window refused the change (a profile on "
                                                           "the disk has that file name)"));
            },
            true);
    }

    return Usage(context, Tr("unknown subcommand %1").arg(subcommand));
}

const TintDialogCommand kProfilesCommand = {
    "profiles",
    QT_TRANSLATE_NOOP("tintdialog",
                      "list [GROUP] | tick GROUP ROW [--on|--off] | delete GROUP ROW | add GROUP "
                      "FILE NAME | edit GROUP ROW [--file F] --name N   (ROW: a number, or --file "
                      "FILENAME)"),
    QT_TRANSLATE_NOOP("tintdialog",
                      "the profile management window: list prints rows (row, ticked, inMenu, file, "
                      "name, location; without GROUP each line starts with it) and ends with "
                      "Cancel; tick toggles a row's check box (--on/--off: ticks or unticks it); "
                      "tick, add, edit and delete end with OK"),
    false,
    RunProfiles,
    kProfilesOptions};

} // namespace

int ProfilesWindowScreenshot(PrintDialog &dialog, QWidget *view, const std::string &file, std::string *error)
{
    PDEPanelIntrospection *introspection = dialog.introspection();
    auto *manage = view ? view->findChild<QPushButton *>(tint::kManageProfileButton) : nullptr;
    if (!introspection || !introspection->showAdvancedPane() || !manage) {
        *error = Tr("the Advanced Color Options pane cannot be shown").toStdString();
        return kTintDialogFailure;
    }
    if (!manage->isEnabled()) {
        *error = Tr("\"Management Profile\" is disabled (%1)")
                     .arg(Tr("the profile list cannot be written"))
                     .toStdString();
        return kTintDialogFailure;
    }
    bool opened = false;
    bool saved = false;
    QTimer::singleShot(0, [&] {
        auto *window = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!window || window->objectName() != QLatin1String(tint::kProfileWindow))
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
        *error = Tr("the profile window did not open").toStdString();
        return kTintDialogFailure;
    }
    if (!saved) {
        *error = Tr("cannot write %1").arg(QString::fromStdString(file)).toStdString();
        return kTintDialogFailure;
    }
    return kTintDialogSuccess;
}

const TintDialogCommand &kTintDialogProfilesCommand = kProfilesCommand;
