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
class PDEHostCallback {
public:
    virtual ~PDEHostCallback() = default;
    virtual PMPrintSettings printSettings() = 0;
    virtual PMPrintSession printSession() = 0;
    virtual ppd_file_t *ppdFile() = 0; // opened, owned and closed by the host
};

// One panel. Destroying it is the protocol's dealloc; the host does that
// before it destroys the widget tree the panel's view lives in.
class PDEPanelProtocol {
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
};

// The principal class of a plug-in bundle.
class PDEPlugInProtocol {
public:
    virtual ~PDEPlugInProtocol() = default;
    virtual bool initWithBundle(const std::string &bundlePath) = 0;
    // std::nullopt stands for "no panels of this type" (nil); the panels
    // returned are owned by the caller.
    virtual std::optional<std::vector<std::unique_ptr<PDEPanelProtocol>>>
    PDEPanelsForType(const std::string &type, PDEHostCallback *hostInfo) = 0;
};

extern "C" typedef void *(*TintpaneCreateObjectFn)(const char *runtimeClassName);
