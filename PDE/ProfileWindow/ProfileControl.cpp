#include "ProfileControl.h"

#include "ProfileListModel.h"

#include "AdvancedColorOptions.h"
#include "ClassRegistry.h"
#include "ColorPresetConstraints.h"
#include "ControlReason.h"
#include "DebugLog.h"
#include "IconedCell.h"
#include "LayoutLoader.h"
#include "Localization.h"
#include "Outlet.h"
#include "PDECommon.h"
#include "PanelStatus.h"
#include "TextInputFilter.h"
#include "TintPaths.h"
#include "WQTextField.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTableView>

#include <cstring>

TINT_REGISTER_OBJECT_CLASS(ProfileControl);

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
constexpr const char kLayoutFileName[] = "ProfileControl.ui";

QString &layoutFileOverride()
{
    static QString path;
    return path;
}

QString layoutFilePath()
{
    if (!layoutFileOverride().isEmpty())
        return layoutFileOverride();
    std::string bundle = Localization::bundlePath();
    if (bundle.empty())
        bundle = TintPluginBundlePath();
    return QString::fromStdString(bundle) + QStringLiteral("/Contents/Resources/") +
           QLatin1String(kLayoutFileName);
}

// The layout's texts are keys of the bundle's translations, as every other
// text of the plug-in; a key without a translation shows as itself.
QString localized(const QString &key)
{
    return key.isEmpty() ? key : tint::localized(key.toUtf8().constData());
}

void localizeWindow(QDialog *dialog)
{
    for (QLabel *label : dialog->findChildren<QLabel *>())
        label->setText(localized(label->text()));
    for (QAbstractButton *button : dialog->findChildren<QAbstractButton *>())
        button->setText(localized(button->text()));
    for (QGroupBox *box : dialog->findChildren<QGroupBox *>())
        box->setTitle(localized(box->title()));
    for (QComboBox *popup : dialog->findChildren<QComboBox *>()) {
        for (int i = 0; i < popup->count(); ++i)
            popup->setItemText(i, localized(popup->itemText(i)));
    }
    for (QWidget *widget : dialog->findChildren<QWidget *>()) {
        if (!widget->toolTip().isEmpty())
            widget->setToolTip(localized(widget->toolTip()));
    }
}

// The window's controls: each outlet is named after its object in the
// layout, with the action its user act sends (none for the table and the
// labels).
struct WindowControl {
    const char *objectName;
    const tint::OutletMember *member;
    tint::ActionSender action;
};

#define TINT_WINDOW_CONTROL(member, action)                                                                  \
    {                                                                                                        \
        TINT_OUTLET(ProfileControl, member), action                                                          \
    }

const WindowControl kWindowControls[] = {
    TINT_WINDOW_CONTROL(_profileTableView, nullptr),
    TINT_WINDOW_CONTROL(_profileMenu, &tint::sendAction<&ProfileControl::profileMenu>),
    TINT_WINDOW_CONTROL(_addButton, &tint::sendAction<&ProfileControl::addButton>),
    TINT_WINDOW_CONTROL(_editButton, &tint::sendAction<&ProfileControl::editButton>),
    TINT_WINDOW_CONTROL(_deleteButton, &tint::sendAction<&ProfileControl::deleteButton>),
    TINT_WINDOW_CONTROL(_editGroupBox, nullptr),
    TINT_WINDOW_CONTROL(_fileNameText, nullptr),
    TINT_WINDOW_CONTROL(_profileNameText, nullptr),
    TINT_WINDOW_CONTROL(_locationText, nullptr),
    TINT_WINDOW_CONTROL(_fileNameEdit, nullptr),
    TINT_WINDOW_CONTROL(_profileNameEdit, nullptr),
    TINT_WINDOW_CONTROL(_locationMenu, nullptr),
    TINT_WINDOW_CONTROL(_browse, &tint::sendAction<&ProfileControl::browseButton>),
    TINT_WINDOW_CONTROL(_localOK, &tint::sendAction<&ProfileControl::profileOK>),
    TINT_WINDOW_CONTROL(_localCancel, &tint::sendAction<&ProfileControl::profileCancel>),
    TINT_WINDOW_CONTROL(_windowOK, &tint::sendAction<&ProfileControl::profileWindowOK>),
    TINT_WINDOW_CONTROL(_windowCancel, &tint::sendAction<&ProfileControl::profileWindowCancel>),
};

#undef TINT_WINDOW_CONTROL

} // namespace

// Asks the ProfileControl before the user changes the selection: no change
// while an entry is being added or edited, and the chosen row is shown in the
// edit area. Selections made by the window's own code pass unasked.
class ProfileSelectionModel : public QItemSelectionModel
{
  public:
    ProfileSelectionModel(QAbstractItemModel *model, ProfileControl *owner, QTableView *view)
        : QItemSelectionModel(model, owner), owner(owner), view(view)
    {
    }

    using QItemSelectionModel::select;
    void select(const QItemSelection &selection, QItemSelectionModel::SelectionFlags command) override
    {
        if (!owner->programmaticSelection && command != QItemSelectionModel::NoUpdate) {
            if (!owner->selectionShouldChangeInTableView(view))
                return;
            if (!selection.isEmpty() && !selection.first().indexes().isEmpty()) {
                int row = selection.first().top();
                if (!isRowSelected(row, QModelIndex()) && !owner->tableView(view, row))
                    return;
            }
        }
        QItemSelectionModel::select(selection, command);
    }

  private:
    ProfileControl *owner;
    QTableView *view;
};

ProfileControl::ProfileControl(QObject *parent) : QObject(parent), profileEditor(new ProfileEditor()) {}

ProfileControl::~ProfileControl()
{
    // The window lives no longer than the object that answers its table and
    // buttons, whichever widget it is parented to.
    delete window.data();
}

void ProfileControl::setLayoutFile(const QString &path)
{
    layoutFileOverride() = path;
}

bool ProfileControl::loadWindow()
{
    if (window)
        return true;
    QWidget *parentWidget = onAdvancedView ? onAdvancedView->window() : nullptr;
    QWidget *root = tint::LayoutLoader::loadLayout(layoutFilePath(), parentWidget);
    auto *dialog = qobject_cast<QDialog *>(root);
    if (!dialog) {
        delete root;
        return false;
    }
    if (parentWidget)
        dialog->setWindowFlags(dialog->windowFlags() | Qt::Dialog);
    window = dialog;
    _profileManagementWindow = dialog;
    localizeWindow(dialog);
    // Its parent widget may take the window down first: forget its controls
    // then, so that the next opening loads it afresh.
    connect(dialog, &QObject::destroyed, this, [this] { forgetWindow(); });

    // Actions hang on the signals only the user's own acts emit.
    for (const WindowControl &control : kWindowControls)
        tint::connectAction(tint::bindOutlet(this, control.member, dialog, control.objectName), this,
                            control.action);
    // The editor shows the group the popup shows, however it was chosen.
    profileEditor->showGroup(_profileMenu ? _profileMenu->currentIndex() : -1);
    if (_profileMenu)
        connect(_profileMenu, &QComboBox::currentIndexChanged, this,
                [this](int group) { profileEditor->showGroup(group); });

    if (_profileTableView) {
        QStringList identifiers = _profileTableView->property("columnIdentifiers").toStringList();
        QStringList titles;
        for (const QString &title : _profileTableView->property("columnTitles").toStringList())
            titles << localized(title);
        model = new ProfileListModel(*profileEditor, identifiers, titles, this);
        _profileTableView->setModel(model);
        auto *selection = new ProfileSelectionModel(model, this, _profileTableView);
        _profileTableView->setSelectionModel(selection);
        connect(selection, &QItemSelectionModel::selectionChanged, this,
                [this](const QItemSelection &, const QItemSelection &) { tableViewSelectionDidChange(); });
        _profileTableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
        _profileTableView->verticalHeader()->hide();
        // Names take the room they need; the location text takes the rest.
        QHeaderView *header = _profileTableView->horizontalHeader();
        for (int column = 0; column < model->columnCount(QModelIndex()); ++column) {
            const QString id = model->identifier(column);
            // The check-box column fits its title too, which is longer than
            // the box in some languages ("Anzeigen").
            if (id == "filename" || id == "profilename" || id == "inmenu")
                header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
            else if (id == "icon")
                header->setSectionResizeMode(column, QHeaderView::Fixed);
        }
        header->setStretchLastSection(true);
    }

    return true;
}

QDialog *ProfileControl::profileManagementWindow()
{
    return loadWindow() ? window.data() : nullptr;
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
    if (!loadWindow())
        return;
    initWithProfileControl();
    window->setWindowTitle(
        Localization::localizedString("ProfileTitle").value_or(QStringLiteral("ProfileTitle")));
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
    const ProfileEditor::SaveResult saved = profileEditor->save();
    if (saved.code != 0) {
        _PDELog(this, "profile lists not saved: %s", saved.reason.c_str());
        tint::setPanelStatus(tint::localized("the profile lists were not saved: %1")
                                 .arg(QString::fromStdString(saved.reason)));
    }
    if (onAdvancedView) {
        onAdvancedView->createPDEItemForPPDKey();
        onAdvancedView->getControlValueFromTicket();
    }
    vColorPresetConstraints(constTable);
    endModal(true);
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

    vProfileSettingsClearEditText();
    if (_profileMenu)
        _profileMenu->setEnabled(true);
    vHandlingButtonSetDisable(true, false, false);
    vProfileSettingsAllDisablePart();
    reloadTable();
    deselectAll();
    focusTable();
}

void ProfileControl::profileCancel(QObject *)
{
    vProfileSettingsClearEditText();
    profileEditor->endEdit();
    deselectAll();
    if (_profileMenu)
        _profileMenu->setEnabled(true);
    vHandlingButtonSetDisable(true, false, false);
    vProfileSettingsAllDisablePart();
    focusTable();
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

void ProfileControl::vProfileSettingsAllDisablePart()
{
    for (QWidget *w : {static_cast<QWidget *>(_fileNameText), static_cast<QWidget *>(_profileNameText),
                       static_cast<QWidget *>(_locationText), static_cast<QWidget *>(_fileNameEdit),
                       static_cast<QWidget *>(_profileNameEdit), static_cast<QWidget *>(_locationMenu),
                       static_cast<QWidget *>(_browse), static_cast<QWidget *>(_localCancel),
                       static_cast<QWidget *>(_localOK)}) {
        if (w)
            w->setEnabled(false);
    }
}

void ProfileControl::vProfileSettingsAllEnablePart()
{
    for (QWidget *w : {static_cast<QWidget *>(_fileNameText), static_cast<QWidget *>(_profileNameText),
                       static_cast<QWidget *>(_locationText), static_cast<QWidget *>(_fileNameEdit),
                       static_cast<QWidget *>(_profileNameEdit), static_cast<QWidget *>(_locationMenu),
                       static_cast<QWidget *>(_browse), static_cast<QWidget *>(_localCancel),
                       static_cast<QWidget *>(_localOK)}) {
        if (w)
            w->setEnabled(true);
    }
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

void ProfileControl::forgetWindow()
{
    _profileManagementWindow = nullptr;
    _profileTableView = nullptr;
    _profileMenu = nullptr;
    _addButton = _editButton = _deleteButton = nullptr;
    _editGroupBox = nullptr;
    _fileNameText = _profileNameText = _locationText = nullptr;
    _fileNameEdit = _profileNameEdit = nullptr;
    _locationMenu = nullptr;
    _browse = _localOK = _localCancel = _windowOK = _windowCancel = nullptr;
    profileEditor->showGroup(-1);
    if (model)
        model->deleteLater();
    model = nullptr;
}

void ProfileControl::reloadTable()
{
    if (!model)
        return;
    // Reloading keeps the selected row while it still exists, so that the
    // callers' explicit deselection is what notifies the window.
    int row = selectedRow();
    programmaticSelection = true;
    model->reload();
    if (row >= 0 && row < model->rowCount(QModelIndex()) && _profileTableView->selectionModel())
        _profileTableView->selectionModel()->select(
            model->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    programmaticSelection = false;
    if (row >= 0 && selectedRow() < 0)
        tableViewSelectionDidChange();
}

void ProfileControl::deselectAll()
{
    if (_profileTableView && _profileTableView->selectionModel()) {
        programmaticSelection = true;
        _profileTableView->selectionModel()->clearSelection();
        programmaticSelection = false;
    }
}

int ProfileControl::selectedRow() const
{
    if (!_profileTableView || !_profileTableView->selectionModel())
        return -1;
    QModelIndexList rows = _profileTableView->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}
