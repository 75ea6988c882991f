#include "ProfileControl.h"

#include "ProfileEditing.h"
#include "ProfileListModel.h"

#include "AdvancedColorOptions.h"
#include "ColorPresetConstraints.h"
#include "ControlReason.h"
#include "DebugLog.h"
#include "IconedCell.h"
#include "Localization.h"
#include "PDECommon.h"
#include "PanelStatus.h"
#include "TextInputFilter.h"
#include "TintPaths.h"
#include "WQTextField.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTableView>

namespace
{

// Where Browse... opens: the printer's profile folder where the driver has
// one, else the user's colour-profile folder, else the home folder.
QString BrowseStartFolder()
{
    for (const QString &folder :
         {QString::fromStdString(TintProfileFolder()),
          QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/icc")}) {
        if (QFileInfo(folder).isDir())
            return folder;
    }
    return QDir::homePath();
}
} // namespace

ProfileControl::ProfileControl(QObject *parent) : QObject(parent), profileEditor(new ProfileEditor()) {}

ProfileControl::~ProfileControl()
{
    // The window lives no longer than the object that answers its table and
    // buttons, whichever widget it is parented to.
    delete window.data();
}

void ProfileControl::initWithProfileControl()
{
    profileEditor->endEdit();
    if (onAdvancedView)
        onAdvancedView->setControlValueToTicket();

    const short protocolType = PDECommon::commoniGetProtocol(session);

    if (_locationMenu) {
        if (std::optional<QString> disk = Localization::localizedString("Disk")) {
            _locationMenu->clear();
            _locationMenu->addItem(*disk);
        }
    }

    if (_profileTableView && model) {
        for (int column = 0; column < model->columnCount(QModelIndex()); ++column) {
            if (model->identifier(column) == "icon") {
                if (!qobject_cast<IconedCell *>(_profileTableView->itemDelegateForColumn(column)))
                    _profileTableView->setItemDelegateForColumn(column, new IconedCell(_profileTableView));
                _profileTableView->setColumnWidth(column, 24);
            } else if (model->identifier(column) == "inmenu") {
                _profileTableView->setColumnWidth(column, 48);
            }
        }
        QFont font = _profileTableView->font();
        font.setPointSize(9);
        _profileTableView->setFont(font);
    }
    if (model)
        model->setPrinterIcon(QIcon(QString::fromStdString(TintPrinterIconPath())));

    if (_profileMenu) {
        _profileMenu->setEnabled(true);
        _profileMenu->setCurrentIndex(0);
    }
    vProfileSettingsClearEditText();

    if (_fileNameEdit) {
        _fileNameEdit->setMaxLength(ProfileEditor::kFileNameMaxLength, ProfileEditor::kFileNameExtension);
        _fileNameEdit->setInputKey(kInputKeyAsciiAppoint);
        _fileNameEdit->setOperateControl(_localOK);
        _fileNameEdit->setMaxUtf8Bytes(ProfileEditor::kRecordTextBytes);
    }
    if (_profileNameEdit) {
        _profileNameEdit->setMaxLength(ProfileEditor::kProfileNameMaxLength, 0);
        _profileNameEdit->setInputKey(kInputKeyAscii);
        _profileNameEdit->setMaxUtf8Bytes(ProfileEditor::kRecordTextBytes);
    }

    vHandlingButtonSetDisable(true, false, false);
    vProfileSettingsAllDisablePart();

    profileEditor->load(protocolType);

    reloadTable();
    deselectAll();
}

void ProfileControl::showProfileManagementWindow(QObject *)
{
    if (!preparedWindow(-1, -1))
        return;
    window->exec();
    // Centred for the next opening.
    if (window) {
        QWidget *over = window->parentWidget();
        QRect area = over ? over->window()->geometry()
                          : (window->screen() ? window->screen()->availableGeometry() : QRect());
        if (area.isValid())
            window->move(area.center() - window->rect().center());
    }
}

int ProfileControl::numberOfRowsInTableView(QTableView *)
{
    return profileEditor->rowCount();
}

QVariant ProfileControl::tableView(QTableView *, const QString &tableColumn, int row)
{
    return model ? model->value(tableColumn, row) : QVariant();
}

void ProfileControl::tableView(QTableView *, const QVariant &, const QString &tableColumn, int row)
{
    if (tableColumn == "inmenu")
        profileEditor->toggle(row);
}

void ProfileControl::tableViewSelectionDidChange()
{
    if (selectedRow() >= 0)
        return;
    if (mode() == kModeIdle)
        vHandlingButtonSetDisable(true, false, false);
    vProfileSettingsClearEditText();
}

bool ProfileControl::selectionShouldChangeInTableView(QTableView *)
{
    return mode() != kModeAdding && mode() != kModeEditing;
}

bool ProfileControl::tableView(QTableView *, int row)
{
    if (mode() == kModeIdle)
        vHandlingButtonSetDisable(true, true, true);
    const ProfileEntry *entry = profileEditor->entryAt(row);
    if (!entry)
        return true;
    if (ProfileEditor::isOnPrinterNow(entry->inMenu) && _deleteButton)
        _deleteButton->setEnabled(false);
    if (_fileNameEdit)
        _fileNameEdit->setText(ProfileEditor::recordText(entry->fileName));
    if (_profileNameEdit)
        _profileNameEdit->setText(ProfileEditor::recordText(entry->profileName));
    if (entry->location == ProfileEditor::kLocationDisk && _locationMenu)
        _locationMenu->setCurrentIndex(0);
    return true;
}

void ProfileControl::profileWindowOK(QObject *)
{
    // Refused or failed writes close the window all the same; the menus then
    // show what the file holds, and the panel's status line says why the
    // changes were not kept.
    saveLists();
    endModal(true);
}

QString ProfileControl::saveLists()
{
    QString status;
    const ProfileEditor::SaveResult saved = profileEditor->save();
    if (saved.code != 0) {
        _PDELog(this, "profile lists not saved: %s", saved.reason.c_str());
        status =
            tint::localized("the profile lists were not saved: %1").arg(QString::fromStdString(saved.reason));
        tint::setPanelStatus(status);
    }
    if (onAdvancedView) {
        onAdvancedView->createPDEItemForPPDKey();
        onAdvancedView->getControlValueFromTicket();
    }
    vColorPresetConstraints(constTable);
    return status;
}

PDEProfileEditing *ProfileControl::editing()
{
    if (!scripting)
        scripting = std::make_unique<ProfileEditing>(*this);
    return scripting.get();
}

QDialog *ProfileControl::preparedWindow(int group, int row)
{
    if (!loadWindow())
        return nullptr;
    initWithProfileControl();
    window->setWindowTitle(
        Localization::localizedString("ProfileTitle").value_or(QStringLiteral("ProfileTitle")));
    if (_profileMenu && group >= 0) {
        _profileMenu->setCurrentIndex(group);
        profileMenu();
    }
    if (model && _profileTableView && row >= 0 && row < model->rowCount())
        _profileTableView->selectionModel()->select(
            model->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    return window;
}

void ProfileControl::profileWindowCancel(QObject *)
{
    endModal(false);
}

void ProfileControl::endModal(bool accepted)
{
    profileEditor->endEdit();
    if (window)
        window->done(accepted ? QDialog::Accepted : QDialog::Rejected);
}

void ProfileControl::profileMenu(QObject *)
{
    deselectAll();
    vProfileSettingsClearEditText();
    vHandlingButtonSetDisable(true, false, false);
    reloadTable();
}

void ProfileControl::addButton(QObject *)
{
    vProfileSettingsClearEditText();
    if (_profileMenu)
        _profileMenu->setEnabled(false);
    vHandlingButtonSetDisable(false, false, false);
    vProfileSettingsAllEnablePart();
    if (_localOK)
        _localOK->setEnabled(false); // the file-name field turns it on
    profileEditor->beginAdd();
    focusFirstEditField();
}

void ProfileControl::deleteButton(QObject *)
{
    vHandlingButtonSetDisable(true, false, false);
    vProfileSettingsAllDisablePart();
    if (profileEditor->remove(selectedRow()))
        reloadTable();
    if (selectedRow() >= 0)
        deselectAll();
}

void ProfileControl::editButton(QObject *)
{
    vHandlingButtonSetDisable(false, false, false);
    if (isCustomProfile()) {
        vProfileSettingsAllDisablePart();
        for (QWidget *w : {static_cast<QWidget *>(_profileNameText), static_cast<QWidget *>(_profileNameEdit),
                           static_cast<QWidget *>(_localCancel), static_cast<QWidget *>(_localOK)}) {
            if (w)
                w->setEnabled(true);
        }
    } else {
        vProfileSettingsAllEnablePart();
    }
    if (_profileMenu)
        _profileMenu->setEnabled(false);
    profileEditor->beginEdit(selectedRow());
    focusFirstEditField();
}

void ProfileControl::browseButton(QObject *)
{
    QFileDialog dialog(window, QString(), BrowseStartFolder());
    dialog.setObjectName("profileBrowsePanel");
    dialog.setNameFilter(tint::localized("ICC profiles (*.icc *.icm)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QStringList chosen = dialog.selectedFiles();

    if (_fileNameEdit)
        _fileNameEdit->setText(QString());
    if (_localOK)
        _localOK->setEnabled(false);

    QString name = chosen.isEmpty() ? QString() : QFileInfo(chosen.first()).fileName();
    if (!ProfileEditor::fileNameAcceptable(name))
        return;

    if (_fileNameEdit) {
        _fileNameEdit->setText(name);
        _fileNameEdit->setOldString(name);
    }
    if (_localOK)
        _localOK->setEnabled(true);
}

void ProfileControl::profileOK(QObject *)
{
    if (!profileEditor->currentProfileDict() || !_fileNameEdit || !_profileNameEdit)
        return;
    const ProfileEditor::EntryResult result = profileEditor->commit(
        _fileNameEdit->text(), _profileNameEdit->text(), _locationMenu && _locationMenu->currentIndex() == 0);
    // A nameless entry is asked for its name where it is typed instead of
    // being refused without a word.
    if (result == ProfileEditor::EntryResult::NoProfileName) {
        _profileNameEdit->setPlaceholderText(tint::localized("Enter a profile name"));
        _profileNameEdit->setFocus();
        return;
    }
    if (result != ProfileEditor::EntryResult::Applied)
        return;

    closeEditArea();
    reloadTable();
    deselectAll();
    focusTable();
}

void ProfileControl::profileCancel(QObject *)
{
    profileEditor->endEdit();
    deselectAll();
    closeEditArea();
    focusTable();
}

void ProfileControl::closeEditArea()
{
    vProfileSettingsClearEditText();
    if (_profileMenu)
        _profileMenu->setEnabled(true);
    vHandlingButtonSetDisable(true, false, false);
    vProfileSettingsAllDisablePart();
}

void ProfileControl::focusFirstEditField()
{
    for (QWidget *w : {static_cast<QWidget *>(_fileNameEdit), static_cast<QWidget *>(_profileNameEdit),
                       static_cast<QWidget *>(_locationMenu)}) {
        if (w && w->isEnabled()) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void ProfileControl::focusTable()
{
    if (_profileTableView)
        _profileTableView->setFocus(Qt::OtherFocusReason);
}

void ProfileControl::vHandlingButtonSetDisable(bool add, bool edit, bool del)
{
    if (_addButton)
        _addButton->setEnabled(add);
    if (_editButton)
        _editButton->setEnabled(edit);
    if (_deleteButton)
        _deleteButton->setEnabled(del);
}

void ProfileControl::vProfileSettingsClearEditText()
{
    if (_fileNameEdit)
        _fileNameEdit->setText(QString());
    if (_profileNameEdit)
        _profileNameEdit->setText(QString());
    if (_locationMenu)
        _locationMenu->setCurrentIndex(0);
}

void ProfileControl::setEditAreaEnabled(bool enabled)
{
    for (QWidget *w : {static_cast<QWidget *>(_fileNameText), static_cast<QWidget *>(_profileNameText),
                       static_cast<QWidget *>(_locationText), static_cast<QWidget *>(_fileNameEdit),
                       static_cast<QWidget *>(_profileNameEdit), static_cast<QWidget *>(_locationMenu),
                       static_cast<QWidget *>(_browse), static_cast<QWidget *>(_localCancel),
                       static_cast<QWidget *>(_localOK)}) {
        if (w)
            w->setEnabled(enabled);
    }
}

void ProfileControl::vProfileSettingsAllDisablePart()
{
    setEditAreaEnabled(false);
}

void ProfileControl::vProfileSettingsAllEnablePart()
{
    setEditAreaEnabled(true);
}

ProfileTable *ProfileControl::currentProfileDict()
{
    return profileEditor->currentProfileDict();
}

bool ProfileControl::isCustomProfile()
{
    const ProfileEntry *entry = profileEditor->entryAt(selectedRow());
    return entry && ProfileEditor::isPrinterEntry(entry->inMenu);
}

void ProfileControl::setPMPrint(PMPrintSettings printSettings, PMPrintSession printSession)
{
    setting = printSettings;
    session = printSession;
}

void ProfileControl::setConstTable(tint::ControlSpan table)
{
    constTable = table;
}

const ProfileTable &ProfileControl::workingTable(int group) const
{
    return profileEditor->workingTable(group);
}

const ProfileTable &ProfileControl::deletedTable(int group) const
{
    return profileEditor->deletedTable(group);
}
