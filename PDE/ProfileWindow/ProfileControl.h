// The profile management window, the view over a ProfileEditor (the working
// tables, the edit mode, the checks and the save) and a ProfileListModel (the
// table's rows). It lists the profiles of one profile group
// (RGB, SIM or DST) of the user's current profile list, lets the user tick
// which of them the profile pop-ups offer, add a profile by file name and
// display name, edit and delete one. Everything acts on working copies of
// the three groups; only the window's OK writes them to the list file, then
// the Advanced Color Options pane rebuilds its menus from that file and the
// colour preset rules run again. Cancel discards the working copies.
//
// The object is created by run-time name by the panel's layout loader, which
// fills onAdvancedView; the panel hands over the print settings, the session
// and the compound control table (setPMPrint, setConstTable). The window
// itself comes from the bundle's layout file ProfileControl.ui, loaded the
// first time it is needed.
#pragma once

#include "PDECommon.h"
#include "PrintCore.h"
#include "ProfileEditor.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <memory>

class AdvancedColorOptions;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableView;
class WQTextField;

class ProfileListModel;

class ProfileControl : public QObject
{
    Q_OBJECT
  public:
    // Item-data role under which the table's rows also carry their entry's
    // menu state code, for tools that report the window's contents.
    static constexpr int kInMenuRole = tint::kProfileInMenuRole;

    // Local edit modes (the editor's buttonIdentify).
    enum {
        kModeIdle = ProfileEditor::kModeIdle,
        kModeAdding = ProfileEditor::kModeAdding,
        kModeEditing = ProfileEditor::kModeEditing
    };

    explicit ProfileControl(QObject *parent = nullptr);
    ~ProfileControl() override;

    // Prepares the window on every opening: saves the pane to the ticket,
    // takes the queue's protocol code, resets the controls and reads the
    // three groups afresh.
    void initWithProfileControl();

    // Table data source and delegate. Column identifiers are "icon",
    // "inmenu", "filename", "profilename" and "location".
    int numberOfRowsInTableView(QTableView *tableView);
    QVariant tableView(QTableView *tableView, const QString &tableColumn, int row);
    void tableView(QTableView *tableView, const QVariant &object, const QString &tableColumn, int row);
    void tableViewSelectionDidChange();
    bool selectionShouldChangeInTableView(QTableView *tableView);
    bool tableView(QTableView *tableView, int row);

    void vHandlingButtonSetDisable(bool add, bool edit, bool del);
    void vProfileSettingsClearEditText();
    void vProfileSettingsAllDisablePart();
    void vProfileSettingsAllEnablePart();
    // Keyboard focus to the first field of the edit area a person may type
    // in (after Add and Edit), or back to the table once the entry is done.
    void focusFirstEditField();
    void focusTable();
    // The working table of the group shown in _profileMenu, or nullptr.
    ProfileTable *currentProfileDict();
    // True when the selected entry came from the printer (inMenu 1 to 4).
    bool isCustomProfile();

    void setPMPrint(PMPrintSettings setting, PMPrintSession session);
    void setConstTable(tint::ControlSpan table);

    // The window, loaded on first use (nullptr when its layout cannot be
    // loaded). A host that drives the window from a script acts on its
    // controls while showProfileManagementWindow() runs it.
    QDialog *profileManagementWindow();
    // Layout file used instead of the bundle's (tests and tools).
    static void setLayoutFile(const QString &path);

    // Working and deleted tables, for whoever inspects the window's state.
    const ProfileTable &workingTable(int group) const;
    const ProfileTable &deletedTable(int group) const;
    int mode() const { return profileEditor->mode(); }
    short protocol() const { return profileEditor->protocol(); }
    // The window's state without its widgets, for hosts that drive it from
    // a script.
    ProfileEditor &editor() { return *profileEditor; }
    PDEProfileEditing *editing();
    // The window's OK without closing the window: writes the three groups,
    // rebuilds the pane's menus and runs the preset rules again. "" when the
    // list was saved, else the text the panel's status line now shows.
    QString saveLists();
    // The window prepared as its opening does, showing group (if not
    // negative) with row (if there) selected as a click selects it; nullptr
    // without its layout.
    QDialog *preparedWindow(int group, int row);

  public slots:
    // Actions.
    void showProfileManagementWindow(QObject *sender = nullptr);
    void profileWindowOK(QObject *sender = nullptr);
    void profileWindowCancel(QObject *sender = nullptr);
    void profileMenu(QObject *sender = nullptr);
    void addButton(QObject *sender = nullptr);
    void deleteButton(QObject *sender = nullptr);
    void editButton(QObject *sender = nullptr);
    void browseButton(QObject *sender = nullptr);
    void profileOK(QObject *sender = nullptr);
    void profileCancel(QObject *sender = nullptr);

  public:
    // Outlet filled by the panel's layout loader.
    AdvancedColorOptions *onAdvancedView = nullptr;

    // Outlets of the window, filled from its layout by object name.
    QDialog *_profileManagementWindow = nullptr;
    QTableView *_profileTableView = nullptr;
    QComboBox *_profileMenu = nullptr;
    QPushButton *_addButton = nullptr;
    QPushButton *_editButton = nullptr;
    QPushButton *_deleteButton = nullptr;
    QGroupBox *_editGroupBox = nullptr;
    QLabel *_fileNameText = nullptr;
    QLabel *_profileNameText = nullptr;
    QLabel *_locationText = nullptr;
    WQTextField *_fileNameEdit = nullptr;
    WQTextField *_profileNameEdit = nullptr;
    QComboBox *_locationMenu = nullptr;
    QPushButton *_browse = nullptr;
    QPushButton *_localOK = nullptr;
    QPushButton *_localCancel = nullptr;
    QPushButton *_windowOK = nullptr;
    QPushButton *_windowCancel = nullptr;

  private:
    bool loadWindow();
    // The edit area's three labels, two fields, location pop-up and buttons.
    void setEditAreaEnabled(bool enabled);
    // After the edit area's OK or Cancel: its fields emptied and greyed, the
    // group pop-up and Add available again.
    void closeEditArea();
    void forgetWindow();
    void reloadTable();
    void deselectAll();
    int selectedRow() const;
    void endModal(bool accepted);

    std::unique_ptr<ProfileEditor> profileEditor;
    std::unique_ptr<PDEProfileEditing> scripting;
    PMPrintSession session = nullptr;
    PMPrintSettings setting = nullptr;
    tint::ControlSpan constTable;

    // The window outlives neither this object nor the panel it is parented to.
    QPointer<QDialog> window;
    ProfileListModel *model = nullptr;
    bool programmaticSelection = false;

    friend class ProfileSelectionModel;
};
