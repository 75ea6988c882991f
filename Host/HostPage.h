// The dialog's own page, as every print dialog has one: copies, page
// ranges, and every PPD option that the panel does not claim, rendered from
// the PPD (a pop-up per PickOne or PickMany option, a check box per Boolean
// one) with libcups' conflict markers. Its choices are marked in the PPD
// and kept in the print settings as top-level option keywords, as the
// panel keeps its own.
#pragma once

#include "PrintCore.h"
#include "QueueIPPOptions.h"

#include <QJsonObject>
#include <QWidget>

#include <cups/ppd.h>

#include <map>
#include <string>
#include <vector>

class QLabel;
class StandardJobOptions;
class QLineEdit;
class QSpinBox;

class HostPage : public QWidget
{
    Q_OBJECT
  public:
    // claimed: the panel's supportedPPDOptionKeys. PageRegion (libcups marks
    // it with PageSize) and the printer's installable options are not
    // job options and get no control.
    // userDefaults: the user's lpoptions for the queue (the standard job
    // options take their defaults from it).
    // queueOptions: what a queue without a PPD (ppd null) supports instead.
    HostPage(ppd_file_t *ppd, const std::vector<std::string> &claimed,
             const std::map<std::string, std::string> &userDefaults = {},
             const std::vector<QueueIPPOption> &queueOptions = {}, QWidget *parent = nullptr);

    // Each option takes the settings' choice when it names one, else the
    // PPD's default; the choices are marked in the PPD.
    void restore(const PMDictionary &settings);
    // Writes each option's choice to the settings under its keyword.
    void save(PMDictionary *settings) const;

    bool hasOption(const std::string &key) const;
    // As a user would: a pop-up item by choice keyword or title, a check box
    // by True/False. false with *error when the choice names nothing.
    bool choose(const std::string &key, const std::string &choice, std::string *error);

    StandardJobOptions *standardOptions() const { return standard_; }
    int copies() const;
    std::string pageRanges() const;
    // Keyword to choice of every control.
    std::map<std::string, std::string> choices() const;

    // What show reports: copies, pageRanges and one record per control
    // (ppdKey, kind, title, value, choice, items, choices, enabled,
    // conflicted, conflictingItems).
    QJsonObject report() const;
    std::string reportText() const;

  signals:
    // The person changed a choice, the copies or the page ranges.
    void changed();

  private:
    struct Control {
        ppd_option_t *option = nullptr;
        QWidget *widget = nullptr;
        QLabel *marker = nullptr;
    };

    std::string choiceOf(const Control &control) const;
    void select(Control &control, const std::string &choice);
    // Marks the choices in the PPD and shows which options conflict and
    // which items would.
    void updateConflicts();
    // The items of each control that would conflict with the choices now
    // marked, as updateConflicts last found them.
    std::vector<int> conflictingItems(const Control &control) const;
    void findConflictingItems();
    // The choice now marked for keyword (PageRegion reads as PageSize).
    const char *markedChoice(const std::string &keyword) const;

    ppd_file_t *ppd_;
    // The PPD's UIConstraints by the option they name (either side; a
    // PageRegion side counts as PageSize), so that a pass over the controls
    // looks at each rule once or twice rather than once per item. A PPD
    // with cupsUIConstraints (several options per rule) is asked through
    // libcups, item by item.
    std::map<std::string, std::vector<int>> rulesByOption_;
    bool askLibcups_ = false;
    std::map<std::string, std::string> marked_;
    std::map<const ppd_option_t *, std::vector<int>> conflicting_;
    QSpinBox *copies_ = nullptr;
    QLineEdit *pages_ = nullptr;
    std::vector<Control> controls_;
    StandardJobOptions *standard_ = nullptr;
};
