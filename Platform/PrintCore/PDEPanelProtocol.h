// The print dialog's panel protocol between the host (tintdialog) and a
// plug-in bundle. The host dlopen()s the bundle's library, calls the one
// exported factory
//     extern "C" void *TintpaneCreateObject(const char *runtimeClassName);
// with the principal class named in the bundle's Info.plist, and talks to
// the returned PDEPlugInProtocol through these interfaces only.
#pragma once

#include "PrintCore.h"

#include <cups/ppd.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

// The printer-module panel type; the only one the colour plug-in answers.
inline constexpr const char kPDEPrinterModuleType[] = "BDB091F4-E57F-11D3-B5CC-0050E4603277";
// Key of the display order list inside summaryInfo().
inline constexpr const char kPDESummaryDisplayOrderKey[] = "Summary Display Order";

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
    int kind = 0;               // 1034 static text, 1035 pop-up, 1036 check box, 1039 button, 1040 tab view
    std::string ppdKey;         // "" when the control has no PPD option
    std::string identifier;     // "" when the preset rules do not refer to it
    int profileListKind = 0;
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
