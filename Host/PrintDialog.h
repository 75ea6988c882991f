// The print dialog of one queue: it owns the job's print settings, the
// print session with its current printer, the queue's PPD (opened with its
// defaults marked), the plug-in's principal object and the Color Options
// panel, and calls the panel protocol in the order a print dialog does.
#pragma once

#include "HostPage.h"
#include "PDEPanelProtocol.h"
#include "PluginBundle.h"
#include "PrintSettingsFile.h"
#include "QueueIPPOptions.h"
#include "TintDialogOptions.h"

#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class PrintDialog : public PDEHostCallback
{
  public:
    explicit PrintDialog(const TintDialogOptions &options) : options_(options) {}
    ~PrintDialog() override;
    PrintDialog(const PrintDialog &) = delete;
    PrintDialog &operator=(const PrintDialog &) = delete;

    // The user's defaults for the queue (lpoptions; other names are
    // ignored): open() makes them the PPD's defaults, as lp prints them.
    void setUserDefaults(const std::map<std::string, std::string> &options) { userDefaults_ = options; }

    // Reads the settings file, opens the PPD and marks its defaults, loads
    // the bundle and asks its principal object for the printer-module
    // panel. false with a one-line *error; nothing is written either way.
    bool open(std::string *error);
    // The dialog of a queue that is no QV-MR52: no plug-in and no panel,
    // only the host page (with every option of the PPD). Before open().
    void setWithoutPanel() { withoutPanel_ = true; }
    // A queue without a PPD (an empty --ppd; without a panel): the host page
    // offers what the queue supports instead. Before open().
    void setQueueOptions(const std::vector<QueueIPPOption> &options) { queueOptions_ = options; }
    // Every option of the print settings that goes to the job as a job
    // attribute: the PPD's, the standard job options, the queue's own.
    std::vector<std::pair<std::string, std::string>> jobAttributes() const;

    // The panel protocol steps of a dialog being shown: panelView, then
    // restoreValuesAndReturnError:; then the host's own page is built for
    // the options the panel does not claim and restored. Returns the
    // panel's view (or null).
    QWidget *loadPanel();
    // The host page and saveValuesAndReturnError: then writes the settings
    // file.
    bool save(std::string *error);
    // As a dialog's Print button: save, shouldPrint, write the settings.
    bool print(std::string *error);
    // save without writing the settings file.
    void saveInMemory();
    // The first half of print: save and shouldPrint, in memory only.
    bool prepareToPrint(std::string *error);
    // Writes the print settings to the settings file.
    bool writeSettings(std::string *error);
    // The dialog closes: terminate, then release the panel before any of
    // its widgets are destroyed. Safe to call twice.
    void close();

    PDEPanelProtocol *panel() const { return panel_.get(); }
    // The host's own page, once the panel has been loaded.
    HostPage *hostPage() const { return hostPage_.data(); }
    // Keyword to choice of every PPD option in the print settings (panel
    // and host page, as last saved).
    std::map<std::string, std::string> ppdChoices() const;
    // The choices to keep as the user's defaults: those of ppdChoices that
    // differ from the PPD's own defaults, so that a later change of the
    // queue's defaults still reaches the user.
    std::map<std::string, std::string> userDefaultChoices() const;
    PDEPanelIntrospection *introspection() const { return panel_ ? panel_->introspection() : nullptr; }
    const TintDialogOptions &options() const { return options_; }
    // What the panel had to tell about its loading (a failed walk), "" if nothing.
    const std::string &statusMessage() const { return statusMessage_; }
    const PMDictionary &settingsValues() const { return settings_.values; }
    // The names of the job options the host page keeps besides the PPD's
    // (the standard job options; a queue's IPP options where it has no
    // PPD): what the user's defaults may hold for them.
    std::vector<std::string> jobOptionNames() const;
    // The PPD's own default choice of each option, before the user's.
    const std::map<std::string, std::string> &ppdDefaults() const { return ppdDefaults_; }

    // PDEHostCallback
    PMPrintSettings printSettings() override { return &settings_; }
    PMPrintSession printSession() override { return &session_; }
    ppd_file_t *ppdFile() override { return ppd_.get(); }

  private:
    struct PPDClose {
        void operator()(ppd_file_t *ppd) const { ppdClose(ppd); }
    };

    void applyUserDefaults();

    TintDialogOptions options_;
    std::map<std::string, std::string> userDefaults_;
    std::map<std::string, std::string> ppdDefaults_;
    PMPrintSettingsRecord settings_;
    PMFileLock settingsLock_;
    PMPrinterRecord printer_;
    PMPrintSessionRecord session_;
    std::unique_ptr<ppd_file_t, PPDClose> ppd_;
    PluginBundle bundle_;
    std::unique_ptr<PDEPlugInProtocol> plugin_;
    std::unique_ptr<PDEPanelProtocol> panel_;
    QPointer<QWidget> view_;
    QPointer<HostPage> hostPage_;
    bool terminated_ = false;
    bool withoutPanel_ = false;
    std::vector<QueueIPPOption> queueOptions_;
    std::string statusMessage_;
};
