// The value model: a control's value (pop-up: current index, check box: 0
// or 1), its position in the record's choice list, and the choice keywords
// the PPD and the ticket speak in.
#include "PDECommon.h"

#include <QCheckBox>
#include <QComboBox>

namespace
{

QCheckBox *CheckBoxOf(const PDEControlItem *item)
{
    return item && item->kind == kPDEControlCheckBox ? qobject_cast<QCheckBox *>(item->control) : nullptr;
}

QComboBox *PopUpOf(const PDEControlItem *item)
{
    return item && item->kind == kPDEControlPopUp ? qobject_cast<QComboBox *>(item->control) : nullptr;
}

// Position of the check box's "True" or "False" entry, -1 when its list has none.
int32_t CheckBoxPosition(const PDEControlItem *item, const QCheckBox *box)
{
    if (!item->ppdKey)
        return -1;
    return PDECommon::commonFindPPDKeyPairsMatch(item->choices.get(), item->ppdKey,
                                                 box->checkState() == Qt::Checked ? "True" : "False");
}

} // namespace

int32_t PDECommon::commonGetControlValueWithSInt32(const PDEControlItem *item)
{
    if (QCheckBox *box = CheckBoxOf(item))
        return box->checkState() == Qt::Checked ? 1 : 0;
    if (QComboBox *popUp = PopUpOf(item))
        return popUp->currentIndex();
    return 0;
}

void PDECommon::commonSetControlValueWithSInt32(PDEControlItem *item, int32_t value)
{
    if (QCheckBox *box = CheckBoxOf(item)) {
        box->setCheckState(value ? Qt::Checked : Qt::Unchecked);
    } else if (QComboBox *popUp = PopUpOf(item)) {
        // An index past the menu is ignored; a negative one clears the selection.
        if (value < popUp->count())
            popUp->setCurrentIndex(value < 0 ? -1 : value);
    }
}

int32_t PDECommon::commonFindPPDKeyPairsMatch(const PPDChoiceList *list, const std::string &option,
                                              const std::string &choice)
{
    if (!list)
        return -1;
    for (std::size_t i = 0; i < list->size(); ++i) {
        const PPDChoiceEntry &entry = (*list)[i];
        if (entry[kPPDChoiceOption] == option && entry[kPPDChoiceKeyword] == choice)
            return static_cast<int32_t>(i);
    }
    // libcups reads a choice written "Custom" as "_Custom", so a ticket that
    // stored the keyword as the PPD spells it still names that choice.
    const std::string renamed = "_" + choice;
    for (std::size_t i = 0; i < list->size(); ++i) {
        const PPDChoiceEntry &entry = (*list)[i];
        if (entry[kPPDChoiceOption] == option && entry[kPPDChoiceKeyword] == renamed)
            return static_cast<int32_t>(i);
    }
    return -1;
}

int32_t PDECommon::commonGetControlValueFromPPDWithSInt32(const PDEControlItem *item)
{
    if (QCheckBox *box = CheckBoxOf(item))
        return CheckBoxPosition(item, box);
    if (QComboBox *popUp = PopUpOf(item))
        return popUp->currentIndex();
    return 0;
}

std::optional<std::string> PDECommon::commonGetControlValueFromPPDWithNSString(const PDEControlItem *item)
{
    if (QCheckBox *box = CheckBoxOf(item)) {
        const int32_t position = CheckBoxPosition(item, box);
        if (position < 0)
            return std::nullopt;
        return (*item->choices)[position][kPPDChoiceText];
    }
    if (QComboBox *popUp = PopUpOf(item)) {
        if (popUp->currentIndex() < 0)
            return std::nullopt;
        return popUp->currentText().toStdString();
    }
    return std::nullopt;
}

int32_t PDECommon::commonGetTicketValueWithSInt32(const PDEControlItem *item, const std::string &option,
                                                  const PMValue &choice)
{
    if (!item)
        return 0;
    const std::string *keyword = choice.string();
    switch (item->kind) {
    case kPDEControlPopUp:
        // A value of another type names no choice.
        return keyword ? commonFindPPDKeyPairsMatch(item->choices.get(), option, *keyword) : -1;
    case kPDEControlCheckBox:
        return keyword && (*keyword == "True" || *keyword == "TRUE" || *keyword == "true") ? 1 : 0;
    default:
        return 0;
    }
}

int32_t PDECommon::commonGetDefualtValueFromPPDWithSInt32(const PDEControlItem *item)
{
    if (!item || !item->choices || item->choices->empty() || !item->ppdKey)
        return 0;
    return commonGetTicketValueWithSInt32(item, item->ppdKey,
                                          PMValue(item->choices->front()[kPPDChoiceDefault]));
}

void PDECommon::commonDefaultFromPPDInfo(tint::ControlSpan table)
{
    for (PDEControlItem &item : tint::boundRecords(table))
        if (item.ppdKey && item.ppdKey[0])
            commonSetControlValueWithSInt32(&item, commonGetDefualtValueFromPPDWithSInt32(&item));
}

bool PDECommon::commonCFTypeIsValid(const PMValue &object, PMTypeID type)
{
    return !object.isNull() && object.typeID() == type;
}

int32_t PDECommon::commonConvertToCSTValue(const PDEControlItem *item, int32_t convalue)
{
    if (item && item->kind == kPDEControlPopUp)
        return convalue < 0 ? 0 : convalue + 1;
    return convalue;
}

int32_t PDECommon::commonConvertFromCSTValue(const PDEControlItem *item, int32_t convalue)
{
    if (item && item->kind == kPDEControlPopUp)
        return convalue < 1 ? 0 : convalue - 1;
    return convalue;
}
