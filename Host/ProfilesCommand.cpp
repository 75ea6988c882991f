// profiles list|tick|add|edit|delete: the profile management window's
// editor, driven from a script. Each command loads the panel as show does,
// shows the Advanced Color Options pane, opens the editor as the "Management
// Profile" button opens the window (refused while the button is greyed,
// except for list), acts on it as the window's controls would (the fields
// take what their filters take, the edit area's OK checks the entry) and
// saves as the window's OK does; list saves nothing. What the window would
// refuse silently (a greyed button, a local OK that changes nothing) is
// reported here with exit status 2, and then nothing is written.
#include "ProfilesCommand.h"

#include "TintDialogCommand.h"
#include "TintDialogContext.h"
#include "TintDialogTranslation.h"

#include <QApplication>
#include <QPushButton>

#include <cstdio>
#include <functional>
#include <optional>

namespace
{

constexpr const char *kGroups[] = {"RGB", "SIM", "DST"};

constexpr const char kFileNameRefused[] =
    QT_TRANSLATE_NOOP("tintdialog", "the file-name field does not take \"%1\" (it holds \"%2\")");
constexpr const char kProfileNameRefused[] =
    QT_TRANSLATE_NOOP("tintdialog", "the profile-name field does not take \"%1\" (it holds \"%2\")");

// Checks that a field takes text as it is; false with the reason otherwise.
bool Takes(const std::string &text, const std::string &held, const char *refusal, std::string *error)
{
    if (held == text)
        return true;
    *error = Tr(refusal).arg(QString::fromStdString(text), QString::fromStdString(held)).toStdString();
    return false;
}

// The edit area's OK: what the window says when it keeps the entry back.
bool Accepted(PDEProfileEditing::Result result, const char *refusal, std::string *error)
{
    if (result == PDEProfileEditing::Result::Done)
        return true;
    if (result == PDEProfileEditing::Result::OKDisabled)
        *error =
            Tr("%1 is disabled").arg(Tr(QT_TRANSLATE_NOOP("tintdialog", "the edit area's OK"))).toStdString();
    else
        *error = Tr(refusal).toStdString();
    return false;
}

// A script acts on the profile window's editor; false with a one-line
// reason refuses.
using EditorScript = std::function<bool(PDEProfileEditing &, std::string *error)>;

// The "Management Profile" button of the shown Advanced Color Options pane,
// or nullptr with the command's error reported.
QPushButton *ManageButton(PrintDialog &dialog, QWidget *view, std::string *error)
{
    PDEPanelIntrospection *introspection = dialog.introspection();
    if (!view || !introspection || !introspection->showAdvancedPane()) {
        *error = Tr("the Advanced Color Options pane cannot be shown").toStdString();
        return nullptr;
    }
    auto *manage = view->findChild<QPushButton *>(tint::kManageProfileButton);
    if (!manage)
        *error = Tr("the panel has no \"Management Profile\" button").toStdString();
    return manage;
}

// Opens the profile window's editor as the window opens, runs the script on
// it and, for commit, saves as the window's OK does; a refused script saves
// nothing. command names the command in the error lines ("profiles tick").
int RunEditor(TintDialogContext &context, const char *command, const EditorScript &script, bool commit)
{
    PrintDialog *dialog = context.dialog();
    if (!dialog)
        return kTintDialogFailure;
    const QString name = QString::fromLatin1(command);
    auto fail = [&](const QString &message) {
        return context.fail(Tr("%1: %2").arg(name, message).toStdString());
    };
    std::string error;
    QPushButton *manage = ManageButton(*dialog, dialog->loadPanel(), &error);
    if (!manage)
        return fail(QString::fromStdString(error));
    // Reading needs no write permission: a run that only reads opens the
    // editor even where the button is greyed because the list cannot be
    // written.
    if (!manage->isEnabled() && commit)
        return fail(Tr("\"Management Profile\" is disabled (%1)")
                        .arg(manage->toolTip().isEmpty() ? Tr("the profile list cannot be written")
                                                         : manage->toolTip()));
    PDEProfileEditing *editing = dialog->introspection()->profileEditing();
    if (!editing)
        return fail(Tr("the profile window did not open"));
    editing->open();
    if (!script(*editing, &error))
        return fail(QString::fromStdString(error));
    if (commit) {
        // A save that fails says why, as the panel's status line does.
        if (const std::string status = editing->save(); !status.empty())
            return fail(QString::fromStdString(status));
    }
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

bool ChooseRow(PDEProfileEditing &editing, int group, const RowName &name, int *chosen, std::string *error)
{
    const std::vector<PDEProfileEditing::Row> rows = editing.rows(group);
    const int count = static_cast<int>(rows.size());
    const QString groupName = QString::fromLatin1(kGroups[group]);
    int row = -1;
    if (name.number) {
        row = *name.number;
    } else {
        for (int r = 0; r < count && row < 0; ++r) {
            if (QString::fromStdString(rows[r].fileName) == name.fileName)
                row = r;
        }
        if (row < 0) {
            *error = Tr("no row of %1 lists the file %2").arg(groupName, name.word()).toStdString();
            return false;
        }
    }
    if (row >= count) {
        *error = Tr("row %1 is not in %2 (%3 rows)")
                     .arg(QString::number(row), groupName, QString::number(count))
                     .toStdString();
        return false;
    }
    *chosen = row;
    return true;
}

void PrintRows(PDEProfileEditing &editing, int group, bool withGroup)
{
    const std::vector<PDEProfileEditing::Row> rows = editing.rows(group);
    for (size_t row = 0; row < rows.size(); ++row) {
        const PDEProfileEditing::Row &r = rows[row];
        std::string line = withGroup ? std::string(kGroups[group]) + "\t" : std::string();
        line += std::to_string(row) + "\t" + (r.ticked ? "1" : "0") + "\t" + std::to_string(r.inMenu) + "\t" +
                r.fileName + "\t" + r.profileName + "\t" + r.location + "\n";
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
        return RunEditor(
            context, "profiles list",
            [&](PDEProfileEditing &editing, std::string *) {
                if (group) {
                    PrintRows(editing, *group, false);
                } else {
                    for (int g = 0; g < 3; ++g)
                        PrintRows(editing, g, true);
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
        return RunEditor(
            context, tick ? "profiles tick" : "profiles delete",
            [&](PDEProfileEditing &editing, std::string *error) {
                int row = -1;
                if (!ChooseRow(editing, *group, *rowName, &row, error))
                    return false;
                if (tick) {
                    const bool before = editing.rows(*group)[row].ticked;
                    if (wanted && before == *wanted)
                        return true;
                    editing.tick(*group, row);
                    if (editing.rows(*group)[row].ticked == before) {
                        *error = Tr("the check box of row %1 did not change").arg(row).toStdString();
                        return false;
                    }
                    return true;
                }
                if (editing.remove(*group, row) == PDEProfileEditing::Result::OnPrinter) {
                    *error =
                        Tr("row %1 is a profile on the printer and cannot be deleted").arg(row).toStdString();
                    return false;
                }
                return true;
            },
            true);
    }

    if (sub == "add") {
        if (args.size() != 4 || !group || !GivenOption(arguments, {"file", "name", "on", "off"}).isEmpty())
            return Usage(context, Tr("add takes GROUP FILENAME DISPLAYNAME"));
        const std::string &fileName = args[2];
        const std::string &profileName = args[3];
        return RunEditor(
            context, "profiles add",
            [&](PDEProfileEditing &editing, std::string *error) {
                return Takes(fileName, editing.typedFileName(fileName), kFileNameRefused, error) &&
                       Takes(profileName, editing.typedProfileName(profileName), kProfileNameRefused,
                             error) &&
                       Accepted(editing.add(*group, fileName, profileName),
                                QT_TRANSLATE_NOOP("tintdialog", "the window refused the entry (a profile on "
                                                                "the disk has that file name, or the group "
                                                                "is full)"),
                                error);
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
        const std::optional<std::string> fileName =
            files.empty() ? std::nullopt : std::optional<std::string>(files.front());
        const std::string profileName = arguments.value("name");
        return RunEditor(
            context, "profiles edit",
            [&](PDEProfileEditing &editing, std::string *error) {
                int row = -1;
                if (!ChooseRow(editing, *group, *rowName, &row, error))
                    return false;
                const PDEProfileEditing::Row current = editing.rows(*group)[row];
                if (fileName && *fileName != current.fileName) {
                    if (current.fromPrinter) {
                        *error =
                            Tr("the file name of a profile from the printer cannot be changed").toStdString();
                        return false;
                    }
                    if (!Takes(*fileName, editing.typedFileName(*fileName), kFileNameRefused, error))
                        return false;
                }
                return Takes(profileName, editing.typedProfileName(profileName), kProfileNameRefused,
                             error) &&
                       Accepted(editing.edit(*group, row, fileName ? &*fileName : nullptr, profileName),
                                QT_TRANSLATE_NOOP("tintdialog", "the window refused the change (a profile on "
                                                                "the disk has that file name)"),
                                error);
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
    QPushButton *manage = ManageButton(dialog, view, error);
    if (!manage)
        return kTintDialogFailure;
    if (!manage->isEnabled()) {
        *error = Tr("\"Management Profile\" is disabled (%1)")
                     .arg(Tr("the profile list cannot be written"))
                     .toStdString();
        return kTintDialogFailure;
    }
    PDEProfileEditing *editing = dialog.introspection()->profileEditing();
    // The destination profiles, where the printer's own are listed.
    QWidget *window = editing ? editing->window(2, 0) : nullptr;
    if (!window) {
        *error = Tr("the profile window did not open").toStdString();
        return kTintDialogFailure;
    }
    window->show();
    QApplication::processEvents();
    const bool saved = window->grab().save(QString::fromStdString(file), "PNG");
    window->hide();
    if (!saved) {
        *error = Tr("cannot write %1").arg(QString::fromStdString(file)).toStdString();
        return kTintDialogFailure;
    }
    return kTintDialogSuccess;
}

const TintDialogCommand &kTintDialogProfilesCommand = kProfilesCommand;
