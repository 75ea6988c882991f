#include "PrintDialog.h"

#include "CupsQueue.h"
#include "PrintJobOptions.h"
#include "StandardJobOptions.h"
#include "TintDialogTranslation.h"

#include "PrintSettingsFile.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

PrintDialog::~PrintDialog()
{
    close();
}

bool PrintDialog::open(std::string *error)
{
    // Only the queue's own settings folder is made on demand: a folder named
    // on the command line that is not there is most likely mistyped.
    if (!options_.defaultSettings) {
        std::error_code ec;
        const fs::path folder = fs::path(options_.settings).parent_path();
        if (!folder.empty() && !fs::is_directory(folder, ec)) {
            *error =
                TintDialogTr("%1: the folder %2 does not exist")
                    .arg(QString::fromStdString(options_.settings), QString::fromStdString(folder.string()))
                    .toStdString();
            return false;
        }
    }
    // A command that writes the settings back holds their lock from here to
    // the write, so that another one at the same time changes what this one
    // wrote rather than what both read.
    if (options_.changesSettings) {
        if (options_.defaultSettings) {
            std::error_code ec;
            fs::create_directories(fs::path(options_.settings).parent_path(), ec);
        }
        if (!settingsLock_.lock(options_.settings, error))
            return false;
    }
    if (!PMPrintSettingsReadFile(options_.settings, &settings_.values, error))
        return false;

    // A queue without a PPD has only the host page, with what the queue
    // supports; everything else opens its PPD.
    if (!withoutPanel_ || !options_.ppd.empty()) {
        ppd_.reset(ppdOpenFile(options_.ppd.c_str()));
        if (!ppd_) {
            *error = options_.ppd + ": " + CupsPPDOpenError();
            return false;
        }
        // The PPD's own translations for the user's language, where it has
        // them (*cupsLanguages); other languages keep the PPD's texts.
        ppdLocalize(ppd_.get());
        ppdMarkDefaults(ppd_.get());
        applyUserDefaults();
    }

    printer_.identifier = options_.printerID;
    printer_.deviceURI = options_.deviceURI;
    session_.currentPrinter = &printer_;
    if (withoutPanel_)
        return true;

    if (!bundle_.load(options_.plugin, error))
        return false;
    plugin_ = bundle_.createPrincipal();
    if (!plugin_) {
        *error = TintDialogTr("the plug-in has no class %1")
                     .arg(QString::fromStdString(bundle_.principalClass()))
                     .toStdString();
        return false;
    }
    plugin_->initWithBundle(bundle_.path());
    auto panels = plugin_->PDEPanelsForType(kPDEPrinterModuleType, this);
    if (!panels || panels->empty() || !panels->front()) {
        *error = TintDialogTr("the plug-in offers no printer-module panel").toStdString();
        return false;
    }
    panel_ = std::move(panels->front());
    return true;
}

void PrintDialog::applyUserDefaults()
{
    ppd_file_t *ppd = ppd_.get();
    for (ppd_option_t *option = ppdFirstOption(ppd); option; option = ppdNextOption(ppd))
        ppdDefaults_[option->keyword] = option->defchoice;
    // The panel takes each control's default from the option's default
    // choice, so the user's choice becomes that.
    for (const auto &[key, value] : userDefaults_) {
        ppd_option_t *option = ppdFindOption(ppd, key.c_str());
        ppd_choice_t *choice = option ? ppdFindChoice(option, value.c_str()) : nullptr;
        if (!choice)
            continue;
        std::snprintf(option->defchoice, sizeof option->defchoice, "%s", choice->choice);
        ppdMarkOption(ppd, option->keyword, choice->choice);
    }
}

QWidget *PrintDialog::loadPanel()
{
    if (!panel_ && !withoutPanel_)
        return nullptr;
    int status = 0;
    if (panel_) {
        view_ = panel_->panelView();
        panel_->restoreValuesAndReturnError(&status);
    }
    if (!hostPage_) {
        hostPage_ =
            new HostPage(ppd_.get(), panel_ ? panel_->supportedPPDOptionKeys() : std::vector<std::string>{},
                         userDefaults_, queueOptions_);
        hostPage_->restore(settings_.values);
    }
    // A failed walk leaves the profiles as last read: say so, on standard
    // error for the commands (the window shows it in its status line).
    if (PDEPanelIntrospection *panelState = introspection())
        statusMessage_ = panelState->statusMessage();
    if (!statusMessage_.empty())
        std::fprintf(stderr, "tintdialog: %s\n", statusMessage_.c_str());
    return view_;
}

bool PrintDialog::writeSettings(std::string *error)
{
    std::error_code ec;
    fs::path folder = fs::path(options_.settings).parent_path();
    if (!folder.empty() && options_.defaultSettings)
        fs::create_directories(folder, ec);
    const bool written = PMPrintSettingsWriteFile(options_.settings, settings_.values, error);
    // What was read has been written back: another command may go on (a
    // followed job may take long).
    settingsLock_.unlock();
    return written;
}

void PrintDialog::saveInMemory()
{
    if (hostPage_)
        hostPage_->save(&settings_.values);
    int status = 0;
    if (panel_)
        panel_->saveValuesAndReturnError(&status);
}

bool PrintDialog::save(std::string *error)
{
    if (!panel_ && !withoutPanel_) {
        *error = TintDialogTr("no panel").toStdString();
        return false;
    }
    saveInMemory();
    return writeSettings(error);
}

bool PrintDialog::prepareToPrint(std::string *error)
{
    if (!panel_ && !withoutPanel_) {
        *error = TintDialogTr("no panel").toStdString();
        return false;
    }
    saveInMemory();
    if (panel_)
        panel_->shouldPrint();
    return true;
}

bool PrintDialog::print(std::string *error)
{
    return prepareToPrint(error) && writeSettings(error);
}

std::map<std::string, std::string> PrintDialog::ppdChoices() const
{
    std::map<std::string, std::string> choices;
    ppd_file_t *ppd = ppd_.get();
    for (ppd_option_t *option = ppdFirstOption(ppd); option; option = ppdNextOption(ppd)) {
        auto it = settings_.values.find(option->keyword);
        if (it != settings_.values.end() && it->second.string() &&
            ppdFindChoice(option, it->second.string()->c_str()))
            choices[option->keyword] = *it->second.string();
    }
    return choices;
}

std::map<std::string, std::string> PrintDialog::userDefaultChoices() const
{
    std::map<std::string, std::string> choices;
    for (const auto &[key, choice] : ppdChoices()) {
        auto it = ppdDefaults_.find(key);
        if (it == ppdDefaults_.end() || it->second != choice)
            choices[key] = choice;
    }
    if (hostPage_)
        choices.merge(hostPage_->standardOptions()->nonDefaultChoices());
    return choices;
}

std::vector<std::string> PrintDialog::jobOptionNames() const
{
    std::vector<std::string> names = StandardJobOptionNames();
    if (!queueOptions_.empty()) {
        for (std::string &name : QueueIPPOptionNames())
            names.push_back(std::move(name));
    }
    return names;
}

std::vector<std::pair<std::string, std::string>> PrintDialog::jobAttributes() const
{
    std::vector<std::pair<std::string, std::string>> attributes =
        PrintJobAttributes(settings_.values, ppd_.get());
    for (auto &attribute : QueueJobAttributes(queueOptions_, settings_.values))
        attributes.push_back(std::move(attribute));
    for (auto &attribute : StandardJobAttributes(settings_.values))
        attributes.push_back(std::move(attribute));
    return attributes;
}

void PrintDialog::close()
{
    if (panel_ && !terminated_) {
        panel_->terminate();
        terminated_ = true;
    }
    // The panel goes first: it still refers to its controls while it is
    // released. Then its view, unless the panel or a window took it along.
    panel_.reset();
    delete view_.data();
    delete hostPage_.data();
    plugin_.reset();
    ppd_.reset();
}
