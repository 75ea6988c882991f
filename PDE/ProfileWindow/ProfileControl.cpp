#include "ProfileControl.h"

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
#include "ProfileStore.h"
#include "TextInputFilter.h"
#include "TintPaths.h"
#include "WQTextField.h"

#include <QAbstractButton>
#include <QAbstractTableModel>
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
#include <QStringDecoder>
#include <QTableView>

#include <cstring>

struct ProfileControl::Tables {
    ProfileTable plistRGBDict, plistSIMDict, plistDSTDict;
    ProfileTable plistRGBDelete, plistSIMDDelete, plistDSTDelete;
};

TINT_REGISTER_OBJECT_CLASS(ProfileControl);

namespace
{

// Limits of the two text fields: file name 31 units with a three-character
// extension, file-name filter; display name 30 units of printable ASCII.
// Neither may exceed the 31 bytes a record field holds.
constexpr int32_t kFileNameMaxLength = 31;
constexpr int32_t kFileNameExtension = 3;
constexpr int32_t kProfileNameMaxLength = 30;
constexpr int32_t kRecordTextBytes = kProfileTextField - 1;
constexpr int32_t kLocationDisk = 4;

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
constexpr int32_t kUserIndexBase = 500;
constexpr int32_t kUserProfileClass = 2;
constexpr int32_t kUserAvailability = 3;
constexpr int kDeletedTableRoom = kProfileTableSlots - 1; // a copy is kept while iNum <= 499

constexpr const char kLayoutFileName[] = "ProfileControl.ui";

QString &layoutFileOverride()
{
    static QString path;
    return path;
}

bool isPrinterEntry(int32_t inMenu)
{
    return inMenu >= InMenu::MissingHidden && inMenu <= InMenu::DeviceShown;
}

bool isOnPrinterNow(int32_t inMenu)
{
    return inMenu == InMenu::DeviceHidden || inMenu == InMenu::DeviceShown;
}

bool usesDirectConnection(short protocol)
{
    return protocol == 2 || protocol == 3;
}

// The record text as UTF-8; empty when its bytes are not valid UTF-8.
QString recordText(const char field[kProfileTextField])
{
    QByteArrayView bytes(field, static_cast<qsizetype>(strnlen(field, kProfileTextField)));
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder(bytes);
    return decoder.hasError() ? QString() : text;
}

// Stores text into a record field (zero-filled, at most 31 bytes). Callers
// have checked the size, so nothing is cut.
void setRecordText(char field[kProfileTextField], const QByteArray &utf8)
{
    std::memset(field, 0, kProfileTextField);
    std::memcpy(field, utf8.constData(),
                static_cast<size_t>(std::min<qsizetype>(utf8.size(), kRecordTextBytes)));
}

QString diskText()
{
    return Localization::localizedString("Disk").value_or(QStringLiteral("Disk"));
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

// The table of the group the menu shows, of three by the menu's items
// (RGB, SIM, DST); nullptr without a menu or a group.
ProfileTable *ShownGroup(QComboBox *menu, ProfileTable &rgb, ProfileTable &sim, ProfileTable &dst)
{
    switch (menu ? menu->currentIndex() : -1) {
    case 0:
        return &rgb;
    case 1:
        return &sim;
    case 2:
        return &dst;
    default:
        return nullptr;
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

// The table view's data source: every question goes to the ProfileControl.
class ProfileTableModel : public QAbstractTableModel
{
  public:
    ProfileTableModel(ProfileControl *owner, QTableView *view, QStringList identifiers, QStringList titles)
        : QAbstractTableModel(owner), owner(owner), view(view), identifiers(std::move(identifiers)),
          titles(std::move(titles))
    {
    }

    int rowCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : owner->numberOfRowsInTableView(view);
    }
    int columnCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(identifiers.size());
    }
    QString identifier(int column) const { return identifiers.value(column); }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        const QString column = identifier(index.column());
        if (role == Qt::FontRole &&
            (column == "filename" || column == "profilename" || column == "location")) {
            QFont font = QGuiApplication::font();
            font.setPointSize(12);
            return font;
        }
        if (role == ProfileControl::kInMenuRole) {
            ProfileTable *table = owner->currentProfileDict();
            if (!table || index.row() >= std::min<int32_t>(table->iNum, kProfileTableSlots))
                return {};
            return table->entry[index.row()].inMenu;
        }
        QVariant value = owner->tableView(view, column, index.row());
        if (column == "icon")
            return role == Qt::DecorationRole ? value : QVariant();
        if (column == "inmenu")
            return role == Qt::CheckStateRole ? QVariant(value.toInt() ? Qt::Checked : Qt::Unchecked)
                                              : QVariant();
        return (role == Qt::DisplayRole || role == Qt::ToolTipRole) ? value : QVariant();
    }

    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        if (!index.isValid() || role != Qt::CheckStateRole || identifier(index.column()) != "inmenu")
            return false;
        int ticked = value.toInt() == Qt::Checked ? 1 : 0;
        owner->tableView(view, QVariant(ticked), identifier(index.column()), index.row());
        emit dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        if (!index.isValid())
            return Qt::NoItemFlags;
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (identifier(index.column()) == "inmenu")
            flags |= Qt::ItemIsUserCheckable;
        return flags;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return titles.value(section);
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    void reload()
    {
        beginResetModel();
        endResetModel();
    }

  private:
    ProfileControl *owner;
    QTableView *view;
    QStringList identifiers;
    QStringList titles;
};

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

ProfileControl::ProfileControl(QObject *parent) : QObject(parent), tables(new Tables()) {}

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

    if (_profileTableView) {
        QStringList identifiers = _profileTableView->property("columnIdentifiers").toStringList();
        QStringList titles;
        for (const QString &title : _profileTableView->property("columnTitles").toStringList())
            titles << localized(title);
        model = new ProfileTableModel(this, _profileTableView, identifiers, titles);
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
    buttonIdentify = kModeIdle;
    if (onAdvancedView)
        onAdvancedView->setControlValueToTicket();

    protocolType = PDECommon::commoniGetProtocol(session);

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
    printerIcon = QIcon(QString::fromStdString(TintPrinterIconPath()));

    if (_profileMenu) {
        _profileMenu->setEnabled(true);
        _profileMenu->setCurrentIndex(0);
    }
    vProfileSettingsClearEditText();

    if (_fileNameEdit) {
        _fileNameEdit->setMaxLength(kFileNameMaxLength, kFileNameExtension);
        _fileNameEdit->setInputKey(kInputKeyAsciiAppoint);
        _fileNameEdit->setOperateControl(_localOK);
        _fileNameEdit->setMaxUtf8Bytes(kRecordTextBytes);
    }
    if (_profileNameEdit) {
        _profileNameEdit->setMaxLength(kProfileNameMaxLength, 0);
        _profileNameEdit->setInputKey(kInputKeyAscii);
        _profileNameEdit->setMaxUtf8Bytes(kRecordTextBytes);
    }

    vHandlingButtonSetDisable(true, false, false);
    vProfileSettingsAllDisablePart();

    *tables = Tables{};
    ProfileTable *working[kProfileGroupCount] = {&tables->plistRGBDict, &tables->plistSIMDict,
                                                 &tables->plistDSTDict};
    for (int32_t group = 0; group < kProfileGroupCount; ++group) {
        if (usesDirectConnection(protocolType))
            WQPListReadProfile_Dict_Pap(working[group], group);
        else
            WQPListReadProfile_Dict(working[group], group);
    }

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
    ProfileTable *table = currentProfileDict();
    if (!table)
        return 0;
    return std::clamp<int32_t>(table->iNum, 0, kProfileTableSlots);
}

QVariant ProfileControl::tableView(QTableView *, const QString &tableColumn, int row)
{
    ProfileTable *table = currentProfileDict();
    if (!table || row < 0 || row >= std::min<int32_t>(table->iNum, kProfileTableSlots))
        return {};
    const ProfileEntry &entry = table->entry[row];
    if (tableColumn == "icon") {
        if (isOnPrinterNow(entry.inMenu) && (protocolType == 0 || protocolType == 1) && !printerIcon.isNull())
            return printerIcon;
        return {};
    }
    if (tableColumn == "inmenu") {
        bool ticked = entry.inMenu == InMenu::MissingShown || entry.inMenu == InMenu::DeviceShown ||
                      entry.inMenu == InMenu::UserShown;
        return ticked ? 1 : 0;
    }
    if (tableColumn == "filename")
        return recordText(entry.fileName);
    if (tableColumn == "profilename")
        return recordText(entry.profileName);
    // A location without a word of its own is shown as its code, never as
    // a blank that reads like a missing value.
    if (tableColumn == "location")
        return entry.location == kLocationDisk ? diskText() : QString::number(entry.location);
    return QString();
}

void ProfileControl::tableView(QTableView *, const QVariant &, const QString &tableColumn, int row)
{
    if (tableColumn != "inmenu")
        return;
    ProfileTable *table = currentProfileDict();
    if (!table || row < 0 || row >= std::min<int32_t>(table->iNum, kProfileTableSlots))
        return;
    int32_t &inMenu = table->entry[row].inMenu;
    switch (inMenu) {
    case InMenu::MissingHidden:
        inMenu = InMenu::MissingShown;
        break;
    case InMenu::MissingShown:
        inMenu = InMenu::MissingHidden;
        break;
    case InMenu::DeviceHidden:
        inMenu = InMenu::DeviceShown;
        break;
    case InMenu::DeviceShown:
        inMenu = InMenu::DeviceHidden;
        break;
    case InMenu::UserHidden:
        inMenu = InMenu::UserShown;
        break;
    case InMenu::UserShown:
        inMenu = InMenu::UserHidden;
        break;
    default:
        break;
    }
}

void ProfileControl::tableViewSelectionDidChange()
{
    if (selectedRow() >= 0)
        return;
    if (buttonIdentify == kModeIdle)
        vHandlingButtonSetDisable(true, false, false);
    vProfileSettingsClearEditText();
}

bool ProfileControl::selectionShouldChangeInTableView(QTableView *)
{
    return buttonIdentify != kModeAdding && buttonIdentify != kModeEditing;
}

bool ProfileControl::tableView(QTableView *, int row)
{
    if (buttonIdentify == kModeIdle)
        vHandlingButtonSetDisable(true, true, true);
    ProfileTable *table = currentProfileDict();
    if (!table || row < 0 || row >= std::min<int32_t>(table->iNum, kProfileTableSlots))
        return true;
    const ProfileEntry &entry = table->entry[row];
    if (isOnPrinterNow(entry.inMenu) && _deleteButton)
        _deleteButton->setEnabled(false);
    if (_fileNameEdit)
        _fileNameEdit->setText(recordText(entry.fileName));
    if (_profileNameEdit)
        _profileNameEdit->setText(recordText(entry.profileName));
    if (entry.location == kLocationDisk && _locationMenu)
        _locationMenu->setCurrentIndex(0);
    return true;
}

void ProfileControl::profileWindowOK(QObject *)
{
    int32_t written;
    if (usesDirectConnection(protocolType)) {
        written = WQPListWriteProfile_All_Pap(&tables->plistRGBDict, &tables->plistSIMDict,
                                              &tables->plistDSTDict, &tables->plistRGBDelete,
                                              &tables->plistSIMDDelete, &tables->plistDSTDelete);
    } else {
        written =
            WQPListWriteProfile_All(&tables->plistRGBDict, &tables->plistSIMDict, &tables->plistDSTDict);
    }
    // Refused or failed writes close the window all the same; the menus then
    // show what the file holds, and the panel's status line says why the
    // changes were not kept.
    if (written != 0) {
        std::string reason = ProfileStoreLastError();
        if (reason.empty())
            reason = "the profile list cannot be written";
        _PDELog(this, "profile lists not saved: %s", reason.c_str());
        tint::setPanelStatus(
            tint::localized("the profile lists were not saved: %1").arg(QString::fromStdString(reason)));
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
    buttonIdentify = kModeIdle;
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
    buttonIdentify = kModeAdding;
    focusFirstEditField();
}

void ProfileControl::deleteButton(QObject *)
{
    vHandlingButtonSetDisable(true, false, false);
    vProfileSettingsAllDisablePart();
    ProfileTable *table = currentProfileDict();
    int row = selectedRow();
    if (table && row >= 0 && row < std::min<int32_t>(table->iNum, kProfileTableSlots)) {
        if (usesDirectConnection(protocolType))
            appendToDeleted(table->entry[row]);
        int32_t used = std::min<int32_t>(table->iNum, kProfileTableSlots);
        for (int32_t i = row; i + 1 < used; ++i)
            table->entry[i] = table->entry[i + 1];
        table->entry[used - 1] = ProfileEntry{};
        table->iNum = used - 1;
        reloadTable();
    }
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
    buttonIdentify = kModeEditing;
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
    if (name.isEmpty() || name.size() > kFileNameMaxLength || name.toUtf8().size() > kRecordTextBytes)
        return;
    std::u16string units = name.toStdU16String();
    uint32_t count = static_cast<uint32_t>(units.size());
    for (uint32_t i = 0; i < count;) {
        uint32_t next = i + 1;
        uint32_t codePoint = UCFindComposedCharAtIndex(units.data(), count, i, &next);
        if (!FilterEditTextInputKey(kInputKeyAsciiAppoint, codePoint))
            return;
        i = next;
    }
    if (name.count(QLatin1Char('.')) > 1)
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
    ProfileTable *table = currentProfileDict();
    if (!table || !_fileNameEdit || !_profileNameEdit)
        return;
    const QString fileText = _fileNameEdit->text();
    if (fileText.isEmpty() || fileText.startsWith(QLatin1Char('.')))
        return;
    // A nameless entry would show as "FILE()" in the menus: ask for a name
    // where it is typed instead of refusing without a word.
    if (_profileNameEdit->text().isEmpty()) {
        _profileNameEdit->setPlaceholderText(tint::localized("Enter a profile name"));
        _profileNameEdit->setFocus();
        return;
    }
    const QByteArray fileUtf8 = fileText.toUtf8();
    const QByteArray nameUtf8 = _profileNameEdit->text().toUtf8();
    // The record holds 31 bytes of each: a longer text is refused, never cut.
    if (fileUtf8.size() > kRecordTextBytes || nameUtf8.size() > kRecordTextBytes)
        return;

    const int32_t used = std::clamp<int32_t>(table->iNum, 0, kProfileTableSlots);
    const int editedRow = buttonIdentify == kModeEditing ? selectedRow() : -1;
    for (int32_t row = 0; row < used; ++row) {
        if (row == editedRow)
            continue;
        const ProfileEntry &entry = table->entry[row];
        if (entry.location == kLocationDisk &&
            strncmp(entry.fileName, fileUtf8.constData(), kProfileTextField) == 0)
            return;
    }

    int target = -1;
    bool nameMayChange = true;
    if (buttonIdentify == kModeEditing) {
        if (editedRow < 0 || editedRow >= used)
            return;
        target = editedRow;
        if (usesDirectConnection(protocolType))
            appendToDeleted(table->entry[target]);
        nameMayChange = !isPrinterEntry(table->entry[target].inMenu);
    } else if (buttonIdentify == kModeAdding) {
        for (int slot = 0; slot < kProfileTableSlots; ++slot) {
            if (table->entry[slot].inMenu == InMenu::Empty) {
                target = slot;
                break;
            }
        }
        if (target < 0)
            return;
    } else {
        return;
    }

    ProfileEntry &entry = table->entry[target];
    if (nameMayChange)
        setRecordText(entry.fileName, fileUtf8);
    setRecordText(entry.profileName, nameUtf8);
    if (nameMayChange && _locationMenu && _locationMenu->currentIndex() == 0)
        entry.location = kLocationDisk;
    if (buttonIdentify == kModeAdding) {
        entry.indexOnDevice = target + kUserIndexBase;
        entry.inMenu = InMenu::UserShown;
        entry.profileClass = kUserProfileClass;
        entry.availability = kUserAvailability;
        table->iNum += 1;
    }

    vProfileSettingsClearEditText();
    if (_profileMenu)
        _profileMenu->setEnabled(true);
    vHandlingButtonSetDisable(true, false, false);
    vProfileSettingsAllDisablePart();
    buttonIdentify = kModeIdle;
    reloadTable();
    deselectAll();
    focusTable();
}

void ProfileControl::profileCancel(QObject *)
{
    vProfileSettingsClearEditText();
    buttonIdentify = kModeIdle;
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
    return ShownGroup(_profileMenu, tables->plistRGBDict, tables->plistSIMDict, tables->plistDSTDict);
}

ProfileTable *ProfileControl::deletedTableOfShownGroup()
{
    return ShownGroup(_profileMenu, tables->plistRGBDelete, tables->plistSIMDDelete, tables->plistDSTDelete);
}

void ProfileControl::appendToDeleted(const ProfileEntry &entry)
{
    ProfileTable *deleted = deletedTableOfShownGroup();
    if (!deleted || deleted->iNum < 0 || deleted->iNum > kDeletedTableRoom)
        return;
    deleted->entry[deleted->iNum] = entry;
    deleted->iNum += 1;
}

bool ProfileControl::isCustomProfile()
{
    ProfileTable *table = currentProfileDict();
    int row = selectedRow();
    if (!table || row < 0 || row >= std::min<int32_t>(table->iNum, kProfileTableSlots))
        return false;
    return isPrinterEntry(table->entry[row].inMenu);
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
    switch (group) {
    case 1:
        return tables->plistSIMDict;
    case 2:
        return tables->plistDSTDict;
    default:
        return tables->plistRGBDict;
    }
}

const ProfileTable &ProfileControl::deletedTable(int group) const
{
    switch (group) {
    case 1:
        return tables->plistSIMDDelete;
    case 2:
        return tables->plistDSTDelete;
    default:
        return tables->plistRGBDelete;
    }
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
