// Control tables as whole records: building a pane's table from its filled
// template, freeing its choice lists, joining pane tables into one compound
// table, and listing the PPD keywords a table binds.
#include "PDECommon.h"

#include <new>

namespace
{

// Number of records before the first one without a control (the end record
// of a well-formed table).
int CountBeforeEnd(const PDEControlItem *table)
{
    int n = 0;
    if (table)
        while (table[n].control)
            ++n;
    return n;
}

} // namespace

int16_t PDECommon::commonCountControlTable(const PDEControlItem *table)
{
    if (!table)
        return 0;
    return static_cast<int16_t>(CountBeforeEnd(table) + 1);
}

std::unique_ptr<PDEControlItem[]> PDECommon::commonCreateControlTable(const PDEControlItem *filledTemplate,
                                                                      ppd_file_t *ppd, int16_t *count)
{
    const int16_t records = commonCountControlTable(filledTemplate);
    if (count)
        *count = records;
    if (records <= 0)
        return nullptr;
    std::unique_ptr<PDEControlItem[]> table(new (std::nothrow) PDEControlItem[records]());
    if (!table)
        return nullptr;
    for (int16_t i = 0; i < records; ++i)
        table[i] = filledTemplate[i];
    for (PDEControlItem *item = table.get(); item->control; ++item) {
        item->choices = nullptr;
        if (item->ppdKey && item->ppdKey[0])
            commonGetPPDArrayForUIOption(ppd, item->ppdKey, &item->choices);
    }
    return table;
}

void PDECommon::commonReleasePPDArrays(PDEControlItem *table)
{
    if (!table)
        return;
    for (PDEControlItem *item = table; item->control; ++item) {
        delete item->choices;
        item->choices = nullptr;
    }
}

std::unique_ptr<PDEControlItem[]> PDECommon::commonControlTableCompound(PDEControlItem *const *tables,
                                                                        int count)
{
    // The compound table stops each pane table at its first end-kind record,
    // so a pane may keep records after it that the panel never sees.
    int total = 0;
    for (int t = 0; t < count && tables; ++t) {
        if (!tables[t])
            continue;
        for (const PDEControlItem *item = tables[t]; item->kind != kPDEControlEnd; ++item)
            ++total;
    }
    std::unique_ptr<PDEControlItem[]> compound(new (std::nothrow) PDEControlItem[total + 1]());
    if (!compound)
        return nullptr;
    int out = 0;
    for (int t = 0; t < count && tables; ++t) {
        if (!tables[t])
            continue;
        for (const PDEControlItem *item = tables[t]; item->kind != kPDEControlEnd; ++item)
            compound[out++] = *item;
    }
    compound[out] = kPDEControlEndRecord;
    return compound;
}

int32_t PDECommon::commonAddPPDArray(std::vector<std::string> *array, const PDEControlItem *table)
{
    if (!array || !table)
        return kPDEBadArgument;
    int32_t result = kPDENoErr;
    for (const PDEControlItem *item = table; item->control; ++item) {
        if (!item->ppdKey || !item->ppdKey[0])
            continue;
        bool ascii = true;
        for (const char *p = item->ppdKey; *p; ++p)
            ascii = ascii && static_cast<unsigned char>(*p) < 0x80;
        if (!ascii) {
            result = kPDEBadArgument;
            continue;
        }
        array->emplace_back(item->ppdKey);
    }
    return result;
}
