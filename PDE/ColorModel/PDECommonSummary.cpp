// The panel's summary: item name (the localized summary key) to the text the
// control shows, with the names also listed in display order.
#include "Localization.h"
#include "PDECommon.h"

namespace
{

void AddItem(const QString &name, const std::string &value, const PMDictionaryRef &adddict,
             const PMArrayRef &addArray)
{
    const std::string key = name.toStdString();
    (*adddict)[key] = PMValue(value);
    addArray->push_back(PMValue(key));
}

} // namespace

int32_t PDECommon::commonGetSummaryText(tint::ControlConstSpan table, const PMDictionaryRef &adddict,
                                        const PMArrayRef &addArray)
{
    if (!Localization::bundleAvailable())
        return tint::kNoErr;
    if (table.empty() || !adddict || !addArray)
        return tint::kBadArgument;
    int32_t result = tint::kNoErr;
    for (const PDEControlItem &record : tint::boundRecords(table)) {
        const PDEControlItem *item = &record;
        if (!item->summaryKey)
            continue;
        const std::optional<QString> name =
            tint::isASCII(item->summaryKey) ? Localization::localizedString(item->summaryKey) : std::nullopt;
        const std::optional<std::string> value = commonGetControlValueFromPPDWithNSString(item);
        if (name && value)
            AddItem(*name, *value, adddict, addArray);
        else
            result = tint::kBadArgument;
    }
    return result;
}

int32_t PDECommon::commonGetSummaryTextQuickColor(const char *itemName, const std::string &value,
                                                  const PMDictionaryRef &adddict, const PMArrayRef &addArray)
{
    if (!Localization::bundleAvailable())
        return tint::kNoErr;
    if (!itemName || !tint::isASCII(itemName) || !adddict || !addArray)
        return tint::kBadArgument;
    const std::optional<QString> name = Localization::localizedString(itemName);
    if (!name)
        return tint::kBadArgument;
    AddItem(*name, value, adddict, addArray);
    return tint::kNoErr;
}
