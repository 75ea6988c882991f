// Choice lists built from the PPD's options, their conflict markers, and the
// PPD's text encoding.
//
// libcups converts every text of a PPD to UTF-8 while it parses the file,
// whatever its LanguageEncoding says (and one without the keyword is read as
// ISO 8859-1). The encoding codes below name the PPD's lang_encoding as the
// panel's callers know them, but every text is taken as the UTF-8 libcups
// made of it: decoding it as anything else would garble non-ASCII texts.
#include "PDECommon.h"

#include <cstring>
#include <new>

namespace
{

struct PPDEncodingRow {
    const char *languageEncoding; // null closes the table
    uint32_t encoding;
    uint32_t cfEncoding;
};

// Compared exactly, case-sensitively; anything else is Mac OS Roman.
const PPDEncodingRow kPPDEncodings[] = {
    {"ISOLatin1", tint::kEncodingISOLatin1, tint::kCFEncodingISOLatin1},
    {"WindowsANSI", tint::kEncodingWindowsCP1252, tint::kCFEncodingWindowsLatin1},
    {"JIS83-RKSJ", tint::kEncodingShiftJIS, tint::kCFEncodingShiftJIS},
    {"UTF-8", tint::kEncodingUTF8, tint::kCFEncodingUTF8},
    {"UTF8", tint::kEncodingUTF8, tint::kCFEncodingUTF8},
    {nullptr, tint::kEncodingMacRoman, tint::kCFEncodingMacRoman},
};

const PPDEncodingRow &EncodingRowOf(ppd_file_t *ppd)
{
    const PPDEncodingRow *row = kPPDEncodings;
    if (ppd && ppd->lang_encoding)
        while (row->languageEncoding && std::strcmp(row->languageEncoding, ppd->lang_encoding) != 0)
            ++row;
    else
        while (row->languageEncoding)
            ++row;
    return *row;
}

std::string Text(const char *s)
{
    return s ? std::string(s) : std::string();
}

} // namespace

uint32_t PDECommon::commonGetEncodingFromPPD(ppd_file_t *ppd)
{
    return EncodingRowOf(ppd).encoding;
}

uint32_t PDECommon::commonGetCFStringEncodingFromPPD(ppd_file_t *ppd)
{
    return EncodingRowOf(ppd).cfEncoding;
}

int32_t PDECommon::commonGetPPDArrayForUIOption(ppd_file_t *ppd, const char *key, PPDChoiceListRef *array)
{
    if (!ppd || !key || !array || !ppdFindOption(ppd, key))
        return tint::kOptionNotFound;
    std::shared_ptr<PPDChoiceList> list;
    try {
        list = std::make_shared<PPDChoiceList>();
    } catch (const std::bad_alloc &) {
        *array = nullptr;
        return tint::kListNotCreated;
    }
    int16_t count = 0;
    commonGetUIListFromPPD(ppd, key, list.get(), &count);
    *array = std::move(list);
    return tint::kNoErr;
}

int32_t PDECommon::commonGetUIListFromPPD(ppd_file_t *ppd, const char *key, PPDChoiceList *array,
                                          int16_t *count)
{
    if (!ppd || !key || !array)
        return tint::kNoErr;
    ppd_option_t *option = ppdFindOption(ppd, key);
    if (!option || option->num_choices <= 0 || !option->choices)
        return tint::kNoErr;
    for (int i = 0; i < option->num_choices; ++i) {
        const ppd_choice_t &choice = option->choices[i];
        const bool conflicted = commonIsPPDChoiceConflicted(ppd, option->keyword, choice.choice);
        array->push_back(PPDChoiceEntry{Text(option->keyword), Text(option->defchoice), Text(choice.choice),
                                        Text(choice.text),
                                        conflicted ? kPPDChoiceConflictTrue : kPPDChoiceConflictFalse});
        if (count)
            ++*count;
    }
    return tint::kNoErr;
}

bool PDECommon::commonIsPPDChoiceConflicted(ppd_file_t *ppd, const char *option, const char *choice)
{
    if (!ppd || !option || !choice)
        return false;
    ppd_option_t *opt = ppdFindOption(ppd, option);
    if (!opt)
        return false;
    if (ppdIsMarked(ppd, option, choice))
        return opt->conflicted != 0;
    if (!ppdFindChoice(opt, choice))
        return false;
    // libcups answers "what would conflict if this were chosen" without
    // touching the PPD's marking.
    cups_option_t *conflicts = nullptr;
    const int count = cupsGetConflicts(ppd, option, choice, &conflicts);
    cupsFreeOptions(count, conflicts);
    return count > 0;
}
