// The profile window's widgets: loaded from the bundle's layout file,
// translated, bound to the ProfileControl's outlets and actions, with the
// table on a ProfileListModel and a selection that asks first.
#include "ProfileControl.h"

#include "AdvancedColorOptions.h"
#include "ControlReason.h"
#include "LayoutLoader.h"
#include "Localization.h"
#include "Outlet.h"
#include "ProfileListModel.h"
#include "TintPaths.h"
#include "WQTextField.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace
{

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
