#include "StandardJobOptions.h"
#include "TintDialogTranslation.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QJsonObject>
#include <QWidget>

#include <algorithm>
#include <cstring>

namespace
{

struct Choice {
    const char *value;
    const char *title;
};

struct Definition {
    const char *name;
    const char *title;
    std::vector<Choice> choices; // the first is the built-in default
};

const std::vector<Definition> &Definitions()
{
    static const std::vector<Definition> definitions = {
        {"orientation-requested",
         QT_TRANSLATE_NOOP("tintdialog", "Orientation"),
         {{"3", QT_TRANSLATE_NOOP("tintdialog", "Portrait")},
          {"4", QT_TRANSLATE_NOOP("tintdialog", "Landscape")},
          {"5", QT_TRANSLATE_NOOP("tintdialog", "Reverse landscape")},
          {"6", QT_TRANSLATE_NOOP("tintdialog", "Reverse portrait")}}},
        {"number-up",
         QT_TRANSLATE_NOOP("tintdialog", "Pages per sheet"),
         {{"1", "1"}, {"2", "2"}, {"4", "4"}, {"6", "6"}, {"9", "9"}, {"16", "16"}}},
        {"number-up-layout",
         QT_TRANSLATE_NOOP("tintdialog", "Page order on the sheet"),
         {{"lrtb", QT_TRANSLATE_NOOP("tintdialog", "Left to right, top to bottom")},
          {"lrbt", QT_TRANSLATE_NOOP("tintdialog", "Left to right, bottom to top")},
          {"rltb", QT_TRANSLATE_NOOP("tintdialog", "Right to left, top to bottom")},
          {"rlbt", QT_TRANSLATE_NOOP("tintdialog", "Right to left, bottom to top")},
          {"tblr", QT_TRANSLATE_NOOP("tintdialog", "Top to bottom, left to right")},
          {"tbrl", QT_TRANSLATE_NOOP("tintdialog", "Top to bottom, right to left")},
          {"btlr", QT_TRANSLATE_NOOP("tintdialog", "Bottom to top, left to right")},
          {"btrl", QT_TRANSLATE_NOOP("tintdialog", "Bottom to top, right to left")}}},
        {"print-scaling",
         QT_TRANSLATE_NOOP("tintdialog", "Scaling"),
         {{"auto", QT_TRANSLATE_NOOP("tintdialog", "Automatic")},
          {"auto-fit", QT_TRANSLATE_NOOP("tintdialog", "Shrink to fit when too large")},
          {"fit", QT_TRANSLATE_NOOP("tintdialog", "Fit to page")},
          {"fill", QT_TRANSLATE_NOOP("tintdialog", "Fill the page")},
          {"none", QT_TRANSLATE_NOOP("tintdialog", "Actual size")}}},
        {"page-set",
         QT_TRANSLATE_NOOP("tintdialog", "Odd or even pages"),
         {{"all", QT_TRANSLATE_NOOP("tintdialog", "All pages")},
          {"odd", QT_TRANSLATE_NOOP("tintdialog", "Odd pages")},
          {"even", QT_TRANSLATE_NOOP("tintdialog", "Even pages")}}},
        {"outputorder",
         QT_TRANSLATE_NOOP("tintdialog", "Output order"),
         {{"normal", QT_TRANSLATE_NOOP("tintdialog", "First page first")},
          {"reverse", QT_TRANSLATE_NOOP("tintdialog", "Last page first")}}},
        {"multiple-document-handling",
         QT_TRANSLATE_NOOP("tintdialog", "Copies in order"),
         {{"separate-documents-collated-copies", QT_TRANSLATE_NOOP("tintdialog", "Collated (1 2 3, 1 2 3)")},
          {"separate-documents-uncollated-copies",
           QT_TRANSLATE_NOOP("tintdialog", "Uncollated (1 1, 2 2, 3 3)")}}},
    };
    return definitions;
}

// `sides` and the PPD's Duplex choices.
const Choice kSides[] = {{"one-sided", "None"},
                         {"two-sided-long-edge", "DuplexNoTumble"},
                         {"two-sided-short-edge", "DuplexTumble"}};

std::string SidesOfDuplex(const std::string &duplex)
{
    for (const Choice &c : kSides) {
        if (duplex == c.title)
            return c.value;
    }
    return {};
}

QString ChoiceList(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << QStringLiteral("%1 (%2)").arg(combo->itemData(i).toString(), combo->itemText(i));
    return items.join(QStringLiteral(", "));
}

} // namespace

StandardJobOptions::StandardJobOptions(ppd_file_t *ppd,
                                       const std::map<std::string, std::string> &userDefaults,
                                       QWidget *parent, const std::vector<QueueIPPOption> &queueOptions)
    : QObject(parent), ppd_(ppd)
{
    widget_ = new QWidget(parent);
    widget_->setObjectName("standardJobOptions");
    widget_->hide();
    auto *form = new QFormLayout(widget_);
    auto add = [&](Option option) {
        option.combo->setObjectName(QString::fromStdString(option.name));
        option.fallback = option.builtin;
        auto user = userDefaults.find(option.name);
        if (user != userDefaults.end() && option.combo->findData(QString::fromStdString(user->second)) >= 0)
            option.fallback = user->second;
        connect(option.combo, &QComboBox::activated, this, &StandardJobOptions::changed);
        form->addRow(option.title + ":", option.combo);
        options_.push_back(option);
    };
    for (const QueueIPPOption &q : queueOptions) {
        Option option{q.name, Tr(QueueIPPOptionTitle(q.name)), new QComboBox, q.defaultValue, {}};
        for (const std::string &value : q.values)
            option.combo->addItem(QString::fromStdString(QueueIPPValueTitle(q.name, value)),
                                  QString::fromStdString(value));
        add(option);
    }
    for (const Definition &d : Definitions()) {
        Option option{d.name, Tr(d.title), new QComboBox, d.choices.front().value, {}};
        for (const Choice &c : d.choices)
            option.combo->addItem(Tr(c.title), QString::fromLatin1(c.value));
        add(option);
    }
}

StandardJobOptions::Option *StandardJobOptions::find(const std::string &key)
{
    for (Option &o : options_) {
        if (key == o.name)
            return &o;
    }
    return nullptr;
}

const StandardJobOptions::Option *StandardJobOptions::find(const std::string &key) const
{
    return const_cast<StandardJobOptions *>(this)->find(key);
}

void StandardJobOptions::restore(const PMDictionary &settings)
{
    for (Option &o : options_) {
        std::string value = o.fallback;
        auto it = settings.find(o.name);
        if (it != settings.end() && it->second.string() &&
            o.combo->findData(QString::fromStdString(*it->second.string())) >= 0)
            value = *it->second.string();
        o.combo->setCurrentIndex(o.combo->findData(QString::fromStdString(value)));
    }
}

void StandardJobOptions::save(PMDictionary *settings) const
{
    for (const auto &[key, value] : choices())
        (*settings)[key] = PMValue(value);
}

bool StandardJobOptions::hasOption(const std::string &key) const
{
    return find(key) || key == "fit-to-page" || (key == "sides" && Duplex());
}

bool StandardJobOptions::choose(const std::string &key, const std::string &choice, std::string *error)
{
    const QString wanted = QString::fromStdString(choice);
    if (key == "fit-to-page") {
        const bool on = wanted.compare("true", Qt::CaseInsensitive) == 0;
        if (!on && wanted.compare("false", Qt::CaseInsensitive) != 0) {
            *error =
                Tr("%1 takes true or false, not %2").arg(QString::fromStdString(key), wanted).toStdString();
            return false;
        }
        return choose("print-scaling", on ? "fit" : "auto", error);
    }
    if (key == "sides" && !find(key)) {
        QComboBox *duplex = Duplex();
        for (const Choice &c : kSides) {
            if (duplex && choice == c.value && duplex->findData(QString::fromLatin1(c.title)) >= 0) {
                duplex->setCurrentIndex(duplex->findData(QString::fromLatin1(c.title)));
                emit duplex->activated(duplex->currentIndex());
                return true;
            }
        }
        *error = Tr("no choice %1 for %2 (choices: one-sided, two-sided-long-edge, two-sided-short-edge)")
                     .arg(wanted, QString::fromStdString(key))
                     .toStdString();
        return false;
    }
    Option *o = find(key);
    if (!o) {
        *error = Tr("no control for option %1").arg(QString::fromStdString(key)).toStdString();
        return false;
    }
    int index = o->combo->findData(wanted);
    if (index < 0)
        index = o->combo->findText(wanted, Qt::MatchFixedString);
    if (index < 0) {
        *error = Tr("no choice %1 for %2 (choices: %3)")
                     .arg(wanted, QString::fromStdString(key), ChoiceList(o->combo))
                     .toStdString();
        return false;
    }
    o->combo->setCurrentIndex(index);
    emit o->combo->activated(index);
    return true;
}

std::map<std::string, std::string> StandardJobOptions::choices() const
{
    std::map<std::string, std::string> out;
    for (const Option &o : options_)
        out[o.name] = o.combo->currentData().toString().toStdString();
    return out;
}

std::map<std::string, std::string> StandardJobOptions::nonDefaultChoices() const
{
    std::map<std::string, std::string> out;
    for (const Option &o : options_) {
        // An option the user's defaults held is written back even at the
        // built-in default, so that it replaces the older one.
        const std::string value = o.combo->currentData().toString().toStdString();
        if (value != o.builtin || o.fallback != o.builtin)
            out[o.name] = value;
    }
    return out;
}

QJsonArray StandardJobOptions::report() const
{
    QJsonArray out;
    auto record = [&](const QString &name, const QString &title, const QComboBox *combo,
                      const QString &value) {
        QJsonObject r;
        r.insert("name", name);
        r.insert("title", title);
        r.insert("choice", value);
        r.insert("value", combo->currentIndex());
        r.insert("enabled", combo->isEnabled());
        QJsonArray items, choices;
        for (int i = 0; i < combo->count(); ++i) {
            items.append(combo->itemText(i));
            choices.append(combo->itemData(i).toString());
        }
        r.insert("items", items);
        r.insert("choices", choices);
        out.append(r);
    };
    for (const Option &o : options_)
        record(QString::fromStdString(o.name), o.title, o.combo, o.combo->currentData().toString());
    if (QComboBox *duplex = Duplex())
        record("sides", Tr("Two-sided"), duplex,
               QString::fromStdString(SidesOfDuplex(duplex->currentData().toString().toStdString())));
    return out;
}

std::string StandardJobOptions::reportText() const
{
    std::string out;
    for (const Option &o : options_) {
        out += "  " + o.name + " = " + o.combo->currentData().toString().toStdString() + " \"" +
               o.title.toStdString() + "\"\n      ";
        for (int i = 0; i < o.combo->count(); ++i)
            out += (i ? " | " : "") + o.combo->itemData(i).toString().toStdString();
        out += "\n";
    }
    if (QComboBox *duplex = Duplex())
        out += "  sides = " + SidesOfDuplex(duplex->currentData().toString().toStdString()) + "\n";
    return out;
}

int StandardJobOptions::numberUp() const
{
    return find("number-up")->combo->currentData().toInt();
}

bool StandardJobOptions::landscape() const
{
    const int orientation = find("orientation-requested")->combo->currentData().toInt();
    return orientation == 4 || orientation == 5;
}

QComboBox *StandardJobOptions::Duplex() const
{
    auto *page = qobject_cast<QWidget *>(parent());
    return page ? page->findChild<QComboBox *>("Duplex") : nullptr;
}

std::vector<std::pair<std::string, std::string>> StandardJobAttributes(const PMDictionary &settings)
{
    std::vector<std::pair<std::string, std::string>> out;
    for (const Definition &d : Definitions()) {
        auto it = settings.find(d.name);
        if (it == settings.end() || !it->second.string() || *it->second.string() == d.choices.front().value)
            continue;
        const std::string &value = *it->second.string();
        bool known = false;
        for (const Choice &c : d.choices)
            known = known || value == c.value;
        if (!known)
            continue;
        out.emplace_back(d.name, value);
        if (std::strcmp(d.name, "print-scaling") == 0 && value == "fit")
            out.emplace_back("fit-to-page", "true");
    }
    if (auto it = settings.find("Duplex"); it != settings.end() && it->second.string()) {
        const std::string sides = SidesOfDuplex(*it->second.string());
        if (!sides.empty())
            out.emplace_back("sides", sides);
    }
    return out;
}

std::vector<std::pair<std::string, std::string>>
QueueJobAttributes(const std::vector<QueueIPPOption> &options, const PMDictionary &settings)
{
    std::vector<std::pair<std::string, std::string>> out;
    for (const QueueIPPOption &option : options) {
        auto it = settings.find(option.name);
        if (it != settings.end() && it->second.string() &&
            std::find(option.values.begin(), option.values.end(), *it->second.string()) !=
                option.values.end())
            out.emplace_back(option.name, *it->second.string());
    }
    return out;
}

std::vector<std::string> StandardJobOptionNames()
{
    std::vector<std::string> names = {"fit-to-page", "sides"};
    for (const Definition &d : Definitions())
        names.emplace_back(d.name);
    return names;
}
