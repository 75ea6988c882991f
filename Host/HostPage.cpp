#include "HostPage.h"
#include "StandardJobOptions.h"
#include "TintDialogTranslation.h"

#include "PanelReport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStyle>

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace
{

constexpr int kMaxCopies = 9999;

QString Text(const char *s)
{
    return QString::fromUtf8(s ? s : "");
}

// The options that other options of the PPD decide, or that describe the
// printer rather than a job.
bool IsJobOption(const ppd_group_t *group, const ppd_option_t *option)
{
    return std::strcmp(option->keyword, "PageRegion") != 0 &&
           std::strcmp(group->name, "InstallableOptions") != 0;
}

// libcups' reading of a rule's empty choice: any choice but "off".
bool IsOffChoice(const char *choice)
{
    return !strcasecmp(choice, "None") || !strcasecmp(choice, "Off") || !strcasecmp(choice, "False");
}

// A rule's choice (empty: any but off) matches choice.
bool RuleChoiceMatches(const char *rule, const char *choice)
{
    return *rule ? !strcasecmp(rule, choice) : !IsOffChoice(choice);
}

std::string RuleOption(const char *keyword)
{
    return strcasecmp(keyword, "PageRegion") == 0 ? std::string("PageSize") : std::string(keyword);
}

} // namespace

HostPage::HostPage(ppd_file_t *ppd, const std::vector<std::string> &claimed,
                   const std::map<std::string, std::string> &userDefaults,
                   const std::vector<QueueIPPOption> &queueOptions, QWidget *parent)
    : QWidget(parent), ppd_(ppd)
{
    setObjectName("HostPage");
    auto *form = new QFormLayout(this);
    copies_ = new QSpinBox;
    copies_->setObjectName("copies");
    copies_->setRange(1, kMaxCopies);
    form->addRow(Tr("Copies:"), copies_);
    connect(copies_, &QSpinBox::valueChanged, this, &HostPage::changed);
    pages_ = new QLineEdit;
    pages_->setObjectName("pageRanges");
    pages_->setPlaceholderText(Tr("All pages (or e.g. 1-3,5)"));
    form->addRow(Tr("Pages:"), pages_);
    connect(pages_, &QLineEdit::textEdited, this, &HostPage::changed);
    standard_ = new StandardJobOptions(ppd, userDefaults, this, queueOptions);
    connect(standard_, &StandardJobOptions::changed, this, &HostPage::changed);

    auto addOption = [&](ppd_group_t *group, ppd_option_t *option) {
        if (!IsJobOption(group, option) ||
            std::find(claimed.begin(), claimed.end(), option->keyword) != claimed.end())
            return;
        Control control;
        control.option = option;
        if (option->ui == PPD_UI_BOOLEAN) {
            auto *check = new QCheckBox(Text(option->text));
            connect(check, &QCheckBox::clicked, this, &HostPage::updateConflicts);
            connect(check, &QCheckBox::clicked, this, &HostPage::changed);
            control.widget = check;
        } else {
            auto *combo = new QComboBox;
            for (int i = 0; i < option->num_choices; i++)
                combo->addItem(Text(option->choices[i].text), Text(option->choices[i].choice));
            connect(combo, &QComboBox::activated, this, &HostPage::updateConflicts);
            connect(combo, &QComboBox::activated, this, &HostPage::changed);
            control.widget = combo;
        }
        control.widget->setObjectName(Text(option->keyword));
        control.marker = new QLabel;
        control.marker->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(16, 16));
        control.marker->setVisible(false);
        auto *row = new QHBoxLayout;
        row->addWidget(control.widget, 1);
        row->addWidget(control.marker);
        if (option->ui == PPD_UI_BOOLEAN) {
            form->addRow(QString(), row);
        } else {
            // The label leads to its pop-up, so that it gets a mnemonic.
            auto *label = new QLabel(Text(option->text).replace('&', QLatin1String("&&")) + ":");
            label->setBuddy(control.widget);
            form->addRow(label, row);
        }
        controls_.push_back(control);
    };
    if (!ppd)
        return; // a queue without a PPD: its own options are among the standard ones
    askLibcups_ = ppdFindAttr(ppd, "cupsUIConstraints", nullptr) != nullptr;
    for (int i = 0; !askLibcups_ && i < ppd->num_consts; i++) {
        const ppd_const_t &rule = ppd->consts[i];
        rulesByOption_[RuleOption(rule.option1)].push_back(i);
        if (RuleOption(rule.option2) != RuleOption(rule.option1))
            rulesByOption_[RuleOption(rule.option2)].push_back(i);
    }
    for (int g = 0; g < ppd->num_groups; g++) {
        ppd_group_t *group = &ppd->groups[g];
        for (int o = 0; o < group->num_options; o++)
            addOption(group, &group->options[o]);
        for (int s = 0; s < group->num_subgroups; s++) {
            for (int o = 0; o < group->subgroups[s].num_options; o++)
                addOption(group, &group->subgroups[s].options[o]);
        }
    }
}

void HostPage::restore(const PMDictionary &settings)
{
    for (Control &control : controls_) {
        std::string choice = control.option->defchoice;
        auto it = settings.find(control.option->keyword);
        if (it != settings.end() && it->second.string() &&
            ppdFindChoice(control.option, it->second.string()->c_str()))
            choice = *it->second.string();
        select(control, choice);
    }
    standard_->restore(settings);
    updateConflicts();
}

void HostPage::save(PMDictionary *settings) const
{
    for (const auto &[key, choice] : choices())
        (*settings)[key] = PMValue(choice);
    standard_->save(settings);
}

bool HostPage::hasOption(const std::string &key) const
{
    return std::any_of(controls_.begin(), controls_.end(),
                       [&](const Control &c) { return key == c.option->keyword; }) ||
           standard_->hasOption(key);
}

bool HostPage::choose(const std::string &key, const std::string &choice, std::string *error)
{
    if (standard_->hasOption(key) && key != "Duplex")
        return standard_->choose(key, choice, error);
    for (Control &control : controls_) {
        if (key != control.option->keyword)
            continue;
        if (auto *check = qobject_cast<QCheckBox *>(control.widget)) {
            if (choice != "True" && choice != "False") {
                *error = key + " takes True or False, not " + choice;
                return false;
            }
            if (check->isChecked() != (choice == "True"))
                check->click();
            return true;
        }
        auto *combo = qobject_cast<QComboBox *>(control.widget);
        int index = combo->findData(QString::fromStdString(choice));
        if (index < 0)
            index =
                combo->findText(QString::fromStdString(choice), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index < 0) {
            *error = Tr("no choice %1 for %2")
                         .arg(QString::fromStdString(choice), QString::fromStdString(key))
                         .toStdString();
            return false;
        }
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        return true;
    }
    *error = Tr("no control for option %1").arg(QString::fromStdString(key)).toStdString();
    return false;
}

int HostPage::copies() const
{
    return copies_->value();
}

std::string HostPage::pageRanges() const
{
    return pages_->text().trimmed().toStdString();
}

std::map<std::string, std::string> HostPage::choices() const
{
    std::map<std::string, std::string> out;
    for (const Control &control : controls_)
        out[control.option->keyword] = choiceOf(control);
    return out;
}

std::string HostPage::choiceOf(const Control &control) const
{
    if (auto *check = qobject_cast<QCheckBox *>(control.widget))
        return check->isChecked() ? "True" : "False";
    auto *combo = qobject_cast<QComboBox *>(control.widget);
    return combo->currentData().toString().toStdString();
}

void HostPage::select(Control &control, const std::string &choice)
{
    if (auto *check = qobject_cast<QCheckBox *>(control.widget))
        check->setChecked(choice == "True");
    else if (auto *combo = qobject_cast<QComboBox *>(control.widget))
        combo->setCurrentIndex(combo->findData(QString::fromStdString(choice)));
}

std::vector<int> HostPage::conflictingItems(const Control &control) const
{
    auto it = conflicting_.find(control.option);
    return it == conflicting_.end() ? std::vector<int>{} : it->second;
}

const char *HostPage::markedChoice(const std::string &keyword) const
{
    auto it = marked_.find(keyword);
    return it == marked_.end() ? nullptr : it->second.c_str();
}

void HostPage::findConflictingItems()
{
    conflicting_.clear();
    if (askLibcups_) {
        for (const Control &control : controls_) {
            std::vector<int> &items = conflicting_[control.option];
            for (int i = 0; i < control.option->num_choices; i++) {
                cups_option_t *options = nullptr;
                int count = cupsGetConflicts(ppd_, control.option->keyword, control.option->choices[i].choice,
                                             &options);
                cupsFreeOptions(count, options);
                if (count > 0)
                    items.push_back(i);
            }
        }
        return;
    }
    marked_.clear();
    for (ppd_option_t *option = ppdFirstOption(ppd_); option; option = ppdNextOption(ppd_)) {
        if (ppd_choice_t *choice = ppdFindMarkedChoice(ppd_, option->keyword))
            marked_[RuleOption(option->keyword)] = choice->choice;
    }
    // An item conflicts when a rule names its option with that choice (or
    // any choice but off) and the rule's other option has its choice
    // marked: what cupsGetConflicts finds for the item, one rule at a time.
    for (const Control &control : controls_) {
        const ppd_option_t *option = control.option;
        std::vector<bool> conflicts(static_cast<size_t>(option->num_choices), false);
        auto rules = rulesByOption_.find(RuleOption(option->keyword));
        if (rules != rulesByOption_.end()) {
            const std::string self = RuleOption(option->keyword);
            std::map<QString, int> indexOf; // a rule names a choice in any case
            for (int i = 0; i < option->num_choices; i++)
                indexOf.emplace(Text(option->choices[i].choice).toLower(), i);
            for (int index : rules->second) {
                const ppd_const_t &rule = ppd_->consts[index];
                const bool first = RuleOption(rule.option1) == self;
                const char *ownChoice = first ? rule.choice1 : rule.choice2;
                const char *otherOption = first ? rule.option2 : rule.option1;
                const char *otherChoice = first ? rule.choice2 : rule.choice1;
                const char *marked = markedChoice(RuleOption(otherOption));
                if (RuleOption(otherOption) == self || !marked || !RuleChoiceMatches(otherChoice, marked))
                    continue;
                if (*ownChoice) {
                    auto item = indexOf.find(Text(ownChoice).toLower());
                    if (item != indexOf.end())
                        conflicts[static_cast<size_t>(item->second)] = true;
                    continue;
                }
                for (int i = 0; i < option->num_choices; i++) {
                    if (!IsOffChoice(option->choices[i].choice))
                        conflicts[static_cast<size_t>(i)] = true;
                }
            }
        }
        std::vector<int> &items = conflicting_[option];
        for (int i = 0; i < option->num_choices; i++) {
            if (conflicts[static_cast<size_t>(i)])
                items.push_back(i);
        }
    }
}

void HostPage::updateConflicts()
{
    for (const Control &control : controls_) {
        const std::string choice = choiceOf(control);
        if (!choice.empty())
            ppdMarkOption(ppd_, control.option->keyword, choice.c_str());
    }
    ppdConflicts(ppd_);
    findConflictingItems();
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (Control &control : controls_) {
        control.marker->setVisible(control.option->conflicted != 0);
        control.marker->setToolTip(control.option->conflicted
                                       ? Tr("This choice conflicts with another option of the printer")
                                       : QString());
        auto *combo = qobject_cast<QComboBox *>(control.widget);
        if (!combo)
            continue;
        std::vector<int> conflicting = conflictingItems(control);
        for (int i = 0; i < combo->count(); i++) {
            const bool marked = std::find(conflicting.begin(), conflicting.end(), i) != conflicting.end();
            combo->setItemIcon(i, marked ? warning : QIcon());
            combo->setItemData(i, marked ? Tr("Conflicts with other choices") : QVariant(), Qt::ToolTipRole);
        }
    }
}

QJsonObject HostPage::report() const
{
    QJsonObject page;
    page.insert("copies", copies());
    page.insert("pageRanges", QString::fromStdString(pageRanges()));
    QJsonArray controls;
    for (const Control &control : controls_) {
        QJsonObject record;
        record.insert("ppdKey", Text(control.option->keyword));
        record.insert("title", Text(control.option->text));
        record.insert("enabled", control.widget->isEnabled());
        record.insert("conflicted", control.option->conflicted != 0);
        record.insert("choice", QString::fromStdString(choiceOf(control)));
        QJsonArray items, choices, conflicting;
        for (int i = 0; i < control.option->num_choices; i++) {
            items.append(Text(control.option->choices[i].text));
            choices.append(Text(control.option->choices[i].choice));
        }
        for (int i : conflictingItems(control))
            conflicting.append(i);
        if (auto *check = qobject_cast<QCheckBox *>(control.widget)) {
            record.insert("kind", "check box");
            record.insert("value", check->isChecked() ? 1 : 0);
        } else {
            record.insert("kind", "pop-up");
            record.insert("value", qobject_cast<QComboBox *>(control.widget)->currentIndex());
        }
        record.insert("items", items);
        record.insert("choices", choices);
        record.insert("conflictingItems", conflicting);
        controls.append(record);
    }
    page.insert("controls", controls);
    page.insert("standardOptions", standard_->report());
    return page;
}

std::string HostPage::reportText() const
{
    std::string out =
        Tr("Host page:").toStdString() + "\n  copies = " + std::to_string(copies()) +
        "\n  pages = " + (pageRanges().empty() ? std::string("all") : PanelReportEscape(pageRanges())) + "\n";
    for (const Control &control : controls_) {
        out += "  " + PanelReportEscape(control.option->keyword) + " = " +
               PanelReportEscape(choiceOf(control)) + " \"" + PanelReportEscape(control.option->text) + "\"";
        if (control.option->conflicted)
            out += " " + Tr("(conflict)").toStdString();
        out += "\n      ";
        for (int i = 0; i < control.option->num_choices; i++)
            out += (i ? " | " : "") + PanelReportEscape(control.option->choices[i].choice);
        out += "\n";
    }
    return out + standard_->reportText();
}
