// The print dialog's panel protocol between the host (tintdialog) and a
// plug-in bundle. The host dlopen()s the bundle's library, calls the one
// exported factory
//     extern "C" void *TintpaneCreateObject(const char *runtimeClassName);
// with the principal class named in the bundle's Info.plist, and talks to
// the returned PDEPlugInProtocol through these interfaces only.
#pragma once

#include "PrintCore.h"

#include <cups/ppd.h>
#include <qnamespace.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

// The printer-module panel type; the only one the colour plug-in answers.
inline constexpr const char kPDEPrinterModuleType[] = "BDB091F4-E57F-11D3-B5CC-0050E4603277";
// Key of the display order list inside summaryInfo().
inline constexpr const char kPDESummaryDisplayOrderKey[] = "Summary Display Order";

// The kinds of the panel's controls: the kind of every record of the
// plug-in's control tables, as PDEControlInfo reports it to the host.
enum PDEControlKind : int32_t {
    kPDEControlEnd = 1032,        // marks the end of a table; no control
    kPDEControlStaticText = 1034, // QLabel: title set as its text; no value
    kPDEControlPopUp = 1035,      // QComboBox: value is the current index
    kPDEControlCheckBox = 1036,   // QCheckBox: value 0 or 1
    kPDEControlPushButton = 1039, // QPushButton: title set; no value
    kPDEControlTabView = 1040,    // QTabWidget: tab labels set; no value
};

namespace tint
{

// What the host finds the panel's parts by: the object names its layouts
// give the controls a host drives, the identifier of the button that leads
// to the Advanced Color Options pane, and the class names of the two panes
// (also what PDEPanelIntrospection::shownPane() answers).
inline constexpr const char kColorOptionsPane[] = "ColorOptions";
inline constexpr const char kAdvancedColorOptionsPane[] = "AdvancedColorOptions";
inline constexpr const char kAdvancedButtonIdentifier[] = "GoToAdvancedOptionsButton";
inline constexpr const char kManageProfileButton[] = "button_ManageProfile";

// The profile management window that "Management Profile" opens (modal),
// its controls and the column identifiers of its table (the table view's
// "columnIdentifiers" property lists them in column order).
inline constexpr const char kProfileWindow[] = "_profileManagementWindow";
inline constexpr const char kProfileTable[] = "_profileTableView";
inline constexpr const char kProfileGroupMenu[] = "_profileMenu";
inline constexpr const char kProfileAddButton[] = "_addButton";
inline constexpr const char kProfileEditButton[] = "_editButton";
inline constexpr const char kProfileDeleteButton[] = "_deleteButton";
inline constexpr const char kProfileFileNameField[] = "_fileNameEdit";
inline constexpr const char kProfileNameField[] = "_profileNameEdit";
inline constexpr const char kProfileLocalOK[] = "_localOK";
inline constexpr const char kProfileLocalCancel[] = "_localCancel";
inline constexpr const char kProfileWindowOK[] = "_windowOK";
inline constexpr const char kProfileWindowCancel[] = "_windowCancel";
inline constexpr const char kProfileColumnsProperty[] = "columnIdentifiers";
inline constexpr const char kProfileColumnInMenu[] = "inmenu";
inline constexpr const char kProfileColumnFileName[] = "filename";
inline constexpr const char kProfileColumnProfileName[] = "profilename";
inline constexpr const char kProfileColumnLocation[] = "location";
// Item-data role under which every cell of the table also carries its
// entry's menu state code (the check box shows only whether it is listed).
inline constexpr int kProfileInMenuRole = Qt::UserRole + 1;

} // namespace tint

// What the plug-in may ask of the print dialog.
class PDEHostCallback
{
  public:
    virtual ~PDEHostCallback() = default;
    virtual PMPrintSettings printSettings() = 0;
    virtual PMPrintSession printSession() = 0;
    virtual ppd_file_t *ppdFile() = 0; // opened, owned and closed by the host
};

// What the host may ask a panel beyond the print dialog's protocol, so that
// it can report and drive the controls as a user would (tintdialog's show,
// set and print). The controls themselves are the panel's Qt widgets: the
// host reads their state and acts on them through Qt (clicking a check box,
// choosing a pop-up item and emitting activated()).
struct PDEControlInfo {
    QWidget *control = nullptr; // its objectName() is the outlet name
    int32_t kind = 0;           // a PDEControlKind
    std::string ppdKey;         // "" when the control has no PPD option
    std::string identifier;     // "" when the preset rules do not refer to it
    int profileListKind = 0;
};

// The profile management window's working state without the window: the
// same groups, checks and save, for a host that manages the list from a
// script. Groups: 0 RGB, 1 SIM, 2 DST; rows as the window's table lists them.
class PDEProfileEditing
{
  public:
    struct Row {
        bool ticked = false;
        int32_t inMenu = 0;
        bool fromPrinter = false; // its file name cannot be changed
        std::string fileName, profileName, location;
    };
    // What the window makes of a change.
    enum class Result {
        Done,
        NoRow,      // no such row in the group
        OnPrinter,  // the row is on the printer now and cannot be deleted
        OKDisabled, // the edit area's OK is greyed: no base name in the file name
        Refused,    // the edit area's OK keeps the entry back (name taken, group full, no display name)
    };

    virtual ~PDEProfileEditing() = default;
    // Reads the three groups afresh, as every opening of the window does.
    virtual void open() = 0;
    virtual std::vector<Row> rows(int group) = 0;
    // Toggles a row's check box.
    virtual Result tick(int group, int row) = 0;
    virtual Result remove(int group, int row) = 0;
    virtual Result add(int group, const std::string &fileName, const std::string &profileName) = 0;
    // fileName null: the row keeps its file name.
    virtual Result edit(int group, int row, const std::string *fileName, const std::string &profileName) = 0;
    // What the window's file-name or display-name field holds once text has
    // been typed into it, emptied first: characters its filter refuses and
    // edits that break its length rules are left out.
    virtual std::string typedFileName(const std::string &text) = 0;
    virtual std::string typedProfileName(const std::string &text) = 0;
    // The window's OK: writes the groups, rebuilds the pane's menus and runs
    // the preset rules again. "" when saved, else the panel's status line.
    virtual std::string save() = 0;
    // The window as its opening prepares it, showing group with row
    // selected, not shown; nullptr when its layout cannot be loaded.
    virtual QWidget *window(int group, int row) = 0;
};

class PDEPanelIntrospection
{
  public:
    virtual ~PDEPanelIntrospection() = default;
    // The compound control table in order, end record excluded (empty before the panel is loaded).
    virtual std::vector<PDEControlInfo> controlInfo() = 0;
    // "ColorOptions" or "AdvancedColorOptions": the pane now shown in the panel's area.
    virtual std::string shownPane() = 0;
    // Shows the Advanced Color Options pane (as its button does); false when it cannot.
    virtual bool showAdvancedPane() = 0;
    // What the panel has to tell the person about its loading (a failed
    // walk of the printer's profiles), localized; "" when nothing.
    virtual std::string statusMessage() { return std::string(); }
    // The profile window's editor; nullptr before the panel is loaded.
    virtual PDEProfileEditing *profileEditing() { return nullptr; }
};

// One panel. Destroying it is the protocol's dealloc; the host does that
// before it destroys the widget tree the panel's view lives in.
class PDEPanelProtocol
{
  public:
    virtual ~PDEPanelProtocol() = default;
    virtual QWidget *panelView() = 0;
    virtual std::string panelName() = 0;
    virtual std::string panelKind() = 0;
    virtual std::vector<std::string> supportedPPDOptionKeys() = 0;
    virtual void willShow() = 0;
    virtual bool shouldHide() = 0;
    virtual void PPDOptionKeyValueDidChange(const std::string &option, const std::string &choice) = 0;
    virtual bool restoreValuesAndReturnError(int *error) = 0;
    virtual bool saveValuesAndReturnError(int *error) = 0;
    virtual bool shouldPrint() = 0;
    // Item name -> item value (strings), plus kPDESummaryDisplayOrderKey -> array of names.
    virtual PMDictionaryRef summaryInfo() = 0;
    virtual void terminate() = 0;

    // Host-side extension (not part of the print dialog's protocol).
    virtual PDEPanelIntrospection *introspection() { return nullptr; }
};

// The principal class of a plug-in bundle.
class PDEPlugInProtocol
{
  public:
    virtual ~PDEPlugInProtocol() = default;
    virtual bool initWithBundle(const std::string &bundlePath) = 0;
    // std::nullopt stands for "no panels of this type" (nil); the panels
    // returned are owned by the caller.
    virtual std::optional<std::vector<std::unique_ptr<PDEPanelProtocol>>>
    PDEPanelsForType(const std::string &type, PDEHostCallback *hostInfo) = 0;
};

extern "C" typedef void *(*TintpaneCreateObjectFn)(const char *runtimeClassName);
