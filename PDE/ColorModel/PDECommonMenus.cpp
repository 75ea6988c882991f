// Titles of controls from the bundle's translations and pop-up menus from
// the PPD's choices.
#include "Localization.h"
#include "PDECommon.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>

namespace
{

// Tabs take their labels by position; tabs after the last key reuse it.
const char *const kTabLabelKeys[] = {"Image", "Text", "Graphics", "Simulation"};
constexpr int kTabLabelKeyCount = sizeof(kTabLabelKeys) / sizeof(kTabLabelKeys[0]);

} // namespace

void PDECommon::commonBuildPDEItem(tint::ControlSpan table, ppd_file_t *ppdfile)
{
    for (PDEControlItem &item : tint::boundRecords(table)) {
        commonSetControlTitleFromLocalizeString(&item);
        if (item.kind == kPDEControlPopUp)
            commonReBuildMenuFromPPD(ppdfile, &item);
    }
}

void PDECommon::commonSetControlTitleFromLocalizeString(PDEControlItem *item)
{
    if (!item || !item->control || !item->titleKey || !tint::isASCII(item->titleKey))
        return;
    const std::optional<QString> title = Localization::localizedString(item->titleKey);
    if (!title)
        return;
    switch (item->kind) {
    case kPDEControlStaticText:
        if (auto *label = qobject_cast<QLabel *>(item->control)) {
            label->setText(*title);
            // A pop-up reads out its current item; its label says what it is.
            if (QWidget *buddy = label->buddy()) {
                QString name = *title;
                name.remove(QLatin1Char('&'));
                while (name.endsWith(QLatin1Char(':')) || name.endsWith(QLatin1Char(' ')))
                    name.chop(1);
                buddy->setAccessibleName(name);
            }
        }
        break;
    case kPDEControlCheckBox:
    case kPDEControlPushButton:
        if (auto *button = qobject_cast<QAbstractButton *>(item->control))
            button->setText(*title);
        break;
    case kPDEControlTabView:
        // The title key only says whether the tabs are labelled at all.
        if (auto *tabs = qobject_cast<QTabWidget *>(item->control)) {
            for (int i = 0; i < tabs->count(); ++i) {
                const char *key = kTabLabelKeys[i < kTabLabelKeyCount ? i : kTabLabelKeyCount - 1];
                if (const std::optional<QString> label = Localization::localizedString(key))
                    tabs->setTabText(i, *label);
            }
        }
        break;
    default: // pop-ups are captioned by their own static text
        break;
    }
}

void PDECommon::commonReBuildMenuFromPPD(ppd_file_t *ppd, PDEControlItem *item)
{
    if (!ppd || !item || !item->ppdKey)
        return;
    ppd_option_t *option = ppdFindOption(ppd, item->ppdKey);
    if (!option)
        return;
    auto *popUp = qobject_cast<QComboBox *>(item->control);
    if (!popUp)
        return;
    // Titles are UTF-8 whatever the PPD's LanguageEncoding: libcups has
    // converted them already.
    popUp->clear();
    for (int i = 0; i < option->num_choices; ++i) {
        const ppd_choice_t &choice = option->choices[i];
        popUp->addItem(QString::fromUtf8(choice.text));
        popUp->setItemData(i, QString::fromLatin1(choice.choice));
    }
}
