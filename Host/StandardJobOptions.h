// The job options every CUPS print dialog offers beside the printer's own:
// orientation, pages per sheet and their order, scaling, odd or even pages,
// reverse order, collated copies, and two-sided printing where the printer
// has it. They carry the names and values `lp -o` takes, are kept in the
// print settings under those names, and reach the job as job attributes.
#pragma once

#include "PrintCore.h"
#include "QueueIPPOptions.h"

#include <QJsonArray>
#include <QObject>

#include <cups/ppd.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QFormLayout;

class StandardJobOptions : public QObject
{
    Q_OBJECT
  public:
    // Lays out a pop-up per option on widget(). userDefaults: the user's lpoptions
    // (an option's default where it names one of its choices). Two-sided
    // printing is offered where the PPD has a Duplex option: `sides`
    // chooses its choice, so the printer's constraints still apply to it.
    // parent: the host page, where the PPD's Duplex pop-up lies.
    // queueOptions: a queue without a PPD offers these besides (its paper,
    // two-sided printing and so on), with the queue's defaults.
    StandardJobOptions(ppd_file_t *ppd, const std::map<std::string, std::string> &userDefaults,
                       QWidget *parent, const std::vector<QueueIPPOption> &queueOptions = {});

    // The options' own page (a child of the host page until a window puts
    // it where it wants it).
    QWidget *widget() const { return widget_; }

    // Each option takes the settings' value when it is one of its choices,
    // else its default.
    void restore(const PMDictionary &settings);
    void save(PMDictionary *settings) const;

    bool hasOption(const std::string &key) const;
    // A choice by its value or its title (any case). false with *error.
    bool choose(const std::string &key, const std::string &choice, std::string *error);

    // Option name to value, every option.
    std::map<std::string, std::string> choices() const;
    // The options whose value differs from the built-in default: what the
    // user's defaults need to hold.
    std::map<std::string, std::string> nonDefaultChoices() const;
    // One record per option: name, title, value, choice, items, choices, enabled.
    QJsonArray report() const;
    std::string reportText() const;

    // The number of pages per sheet and whether the sheet is landscape, for
    // the preview.
    int numberUp() const;
    bool landscape() const;

  signals:
    void changed();

  private:
    struct Option {
        std::string name;
        QString title;
        QComboBox *combo = nullptr;
        std::string builtin;  // the built-in default (a queue option's: the queue's)
        std::string fallback; // the default: the user's, else the built-in one
    };
    Option *find(const std::string &key);
    const Option *find(const std::string &key) const;
    // The PPD's Duplex pop-up on the same page, which `sides` names.
    QComboBox *Duplex() const;

    ppd_file_t *ppd_;
    QWidget *widget_ = nullptr;
    std::vector<Option> options_;
};

// The options of a queue without a PPD among settings, as job attributes:
// each one the queue supports with the value chosen.
std::vector<std::pair<std::string, std::string>>
QueueJobAttributes(const std::vector<QueueIPPOption> &options, const PMDictionary &settings);

// The standard options among settings as job attributes (every one whose
// value differs from the built-in default; `sides` travels as the PPD's
// Duplex choice), plus fit-to-page for print-scaling=fit (older filters
// read that).
std::vector<std::pair<std::string, std::string>> StandardJobAttributes(const PMDictionary &settings);

// The names the standard options go by in lpoptions and as job attributes:
// every option's, fit-to-page and sides.
std::vector<std::string> StandardJobOptionNames();
