// Control tables as whole records: building a pane's table from its filled
// records, joining pane tables into one compound table, and listing the PPD
// keywords a table binds.
#include "PDECommon.h"

#include <algorithm>
#include <new>

namespace
{

template <typename Item> std::span<Item> BeforeEnd(std::span<Item> table)
{
    auto end = std::find_if(table.begin(), table.end(),
                            [](const PDEControlItem &item) { return item.kind == kPDEControlEnd; });
    return table.first(static_cast<std::size_t>(end - table.begin()));
}

template <typename Item> std::span<Item> Bound(std::span<Item> table)
{
    std::span<Item> records = BeforeEnd(table);
    auto unbound = std::find_if(records.begin(), records.end(),
                                [](const PDEControlItem &item) { return !item.control; });
    return records.first(static_cast<std::size_t>(unbound - records.begin()));
}

} // namespace

tint::ControlSpan tint::boundRecords(tint::ControlSpan table)
{
    return Bound(table);
}

tint::ControlConstSpan tint::boundRecords(tint::ControlConstSpan table)
{
    return Bound(table);
}

tint::ControlSpan tint::tableRecords(tint::ControlSpan table)
{
    return BeforeEnd(table);
}

int16_t tint::countControlTable(tint::ControlConstSpan table)
{
    if (table.empty())
        return 0;
    return static_cast<int16_t>(Bound(table).size() + 1);
}

tint::ControlTable tint::createControlTable(tint::ControlConstSpan filledTemplate, ppd_file_t *ppd,
                                            int16_t *count)
{
    tint::ControlTable table;
    try {
        const tint::ControlConstSpan records = BeforeEnd(filledTemplate);
        table.reserve(records.size() + 1);
        table.assign(records.begin(), records.end());
        table.push_back(tint::kControlEndRecord);
    } catch (const std::bad_alloc &) {
        table.clear();
    }
    if (count)
        *count = static_cast<int16_t>(table.size());
    for (PDEControlItem &item : tint::boundRecords(tint::ControlSpan(table))) {
        item.choices = nullptr;
        if (item.ppdKey && item.ppdKey[0])
            PDECommon::commonGetPPDArrayForUIOption(ppd, item.ppdKey, &item.choices);
    }
    return table;
}

tint::ControlTable PDECommon::commonControlTableCompound(const tint::ControlSpan *tables, int count)
{
    // Each pane table is copied up to its end record, records without a
    // control included, so the compound table stays within every pane table.
    tint::ControlTable compound;
    try {
        for (int t = 0; t < count && tables; ++t) {
            const tint::ControlSpan records = tint::tableRecords(tables[t]);
            compound.insert(compound.end(), records.begin(), records.end());
        }
        compound.push_back(tint::kControlEndRecord);
    } catch (const std::bad_alloc &) {
        compound.clear();
    }
    return compound;
}

int32_t PDECommon::commonAddPPDArray(std::vector<std::string> *array, tint::ControlConstSpan table)
{
    if (!array || table.empty())
        return tint::kBadArgument;
    int32_t result = tint::kNoErr;
    for (const PDEControlItem &item : tint::boundRecords(table)) {
        if (!item.ppdKey || !item.ppdKey[0])
            continue;
        if (!tint::isASCII(item.ppdKey)) {
            result = tint::kBadArgument;
            continue;
        }
        array->emplace_back(item.ppdKey);
    }
    return result;
}

bool tint::isASCII(const char *text)
{
    for (; *text; ++text)
        if (static_cast<unsigned char>(*text) >= 0x80)
            return false;
    return true;
}
