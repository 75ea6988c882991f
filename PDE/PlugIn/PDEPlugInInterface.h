// The "Color Options" panel: answers the print dialog's panel protocol for
// the printer's colour settings. It loads the layout on first need, forwards
// every request to the pane switcher, and keeps the compound control table
// of both panes for the colour preset rules and the profile window.
#pragma once

#include "PDECommon.h"
#include "PDEPanelProtocol.h"

#include <QObject>
#include <QPointer>

#include <memory>

class AdvancedColorOptions;
class ColorOptions;
class PainChangeController;
class ProfileControl;
class QWidget;

class PDEPlugInInterface : public QObject, public PDEPanelProtocol, public PDEPanelIntrospection
{
    Q_OBJECT
  public:
    // initWithCallback: keeps the host callback and takes the job's print
    // settings and session from it.
    explicit PDEPlugInInterface(PDEHostCallback *callback);
    // dealloc: both panes free their tables, then the compound table goes.
    ~PDEPlugInInterface() override;

    QWidget *panelView() override;
    std::string panelName() override;
    std::string panelKind() override;
    std::vector<std::string> supportedPPDOptionKeys() override;
    void willShow() override;
    bool shouldHide() override;
    void PPDOptionKeyValueDidChange(const std::string &option, const std::string &choice) override;
    bool restoreValuesAndReturnError(int *error) override;
    bool saveValuesAndReturnError(int *error) override;
    bool shouldPrint() override;
    PMDictionaryRef summaryInfo() override;
    void terminate() override;
    PDEPanelIntrospection *introspection() override { return this; }

    // PDEPanelIntrospection.
    std::vector<PDEControlInfo> controlInfo() override;
    std::string shownPane() override;
    bool showAdvancedPane() override;
    std::string statusMessage() override;
    PDEProfileEditing *profileEditing() override;

    // Actions of the layout's controls: the colour preset rules over the
    // Color Options table alone, or over both panes.
    void selectItem(QObject *sender);
    void constraints(QObject *sender);

    // Loads the layout and builds the tables, once.
    void myLoad();

    // Fields, in the order the panel keeps them; the five outlets are set by
    // the layout loader only.
    PDEHostCallback *pdePluginCallbackObject = nullptr;
    tint::ControlTable compTable;
    PMPrintSettings setting = nullptr;
    PMPrintSession session = nullptr;
    ColorOptions *onColorView = nullptr;
    AdvancedColorOptions *onAdvancedView = nullptr;
    ProfileControl *profileControl = nullptr;
    QWidget *pdeMainView = nullptr;
    PainChangeController *painChange = nullptr;
    ppd_file_t *ppd = nullptr;

  private:
    // The loaded tree, watched so that a tree the host never adopted is
    // destroyed with the panel.
    QPointer<QWidget> loadedRoot;
};
