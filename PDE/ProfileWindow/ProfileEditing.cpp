#include "ProfileEditing.h"

#include "ProfileControl.h"
#include "ProfileListModel.h"
#include "TextInputFilter.h"
#include "WQTextField.h"

#include <QDialog>

namespace
{

QString Text(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

void ProfileEditing::open()
{
    control.initWithProfileControl();
}

std::vector<PDEProfileEditing::Row> ProfileEditing::rows(int group)
{
    ProfileEditor &editor = control.editor();
    editor.showGroup(group);
    std::vector<Row> rows;
    for (int row = 0; row < editor.rowCount(); ++row) {
        const ProfileEntry &entry = *editor.entryAt(row);
        rows.push_back({ProfileEditor::isTicked(entry.inMenu), entry.inMenu,
                        ProfileEditor::isPrinterEntry(entry.inMenu),
                        ProfileEditor::recordText(entry.fileName).toStdString(),
                        ProfileEditor::recordText(entry.profileName).toStdString(),
                        ProfileListModel::locationText(entry.location).toStdString()});
    }
    return rows;
}

PDEProfileEditing::Result ProfileEditing::tick(int group, int row)
{
    control.editor().showGroup(group);
    return control.editor().toggle(row) ? Result::Done : Result::NoRow;
}

PDEProfileEditing::Result ProfileEditing::remove(int group, int row)
{
    ProfileEditor &editor = control.editor();
    editor.showGroup(group);
    if (!editor.entryAt(row))
        return Result::NoRow;
    if (editor.isPinned(row))
        return Result::OnPrinter;
    editor.remove(row);
    return Result::Done;
}

PDEProfileEditing::Result ProfileEditing::add(int group, const std::string &fileName,
                                              const std::string &profileName)
{
    control.editor().showGroup(group);
    control.editor().beginAdd();
    return commit(fileName, profileName);
}

PDEProfileEditing::Result ProfileEditing::edit(int group, int row, const std::string *fileName,
                                               const std::string &profileName)
{
    ProfileEditor &editor = control.editor();
    editor.showGroup(group);
    const ProfileEntry *entry = editor.entryAt(row);
    if (!entry)
        return Result::NoRow;
    editor.beginEdit(row);
    return commit(fileName ? *fileName : ProfileEditor::recordText(entry->fileName).toStdString(),
                  profileName);
}

PDEProfileEditing::Result ProfileEditing::commit(const std::string &fileName, const std::string &profileName)
{
    // The location pop-up offers the disk alone.
    const ProfileEditor::EntryResult result =
        control.editor().commit(Text(fileName), Text(profileName), true);
    if (result == ProfileEditor::EntryResult::Applied)
        return Result::Done;
    control.editor().endEdit();
    return result == ProfileEditor::EntryResult::NoFileName ? Result::OKDisabled : Result::Refused;
}

std::string ProfileEditing::typedFileName(const std::string &text)
{
    return WQTextField::typedText(Text(text), ProfileEditor::kFileNameMaxLength,
                                  ProfileEditor::kFileNameExtension, kInputKeyAsciiAppoint,
                                  ProfileEditor::kRecordTextBytes)
        .toStdString();
}

std::string ProfileEditing::typedProfileName(const std::string &text)
{
    return WQTextField::typedText(Text(text), ProfileEditor::kProfileNameMaxLength, 0, kInputKeyAscii,
                                  ProfileEditor::kRecordTextBytes)
        .toStdString();
}

std::string ProfileEditing::save()
{
    return control.saveLists().toStdString();
}

QWidget *ProfileEditing::window(int group, int row)
{
    return control.preparedWindow(group, row);
}
