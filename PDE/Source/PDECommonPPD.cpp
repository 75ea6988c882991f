// Choice lists built from the PPD's options, their conflict markers, and the
// PPD's text encoding.
//
// libcups converts every text of a PPD to UTF-8 while it parses the file,
// whatever its LanguageEncoding says (and one without the keyword is read as
// ISO 8859-1). The encoding codes below name the PPD's lang_encoding as the
// panel's callers know them, but every text is taken as the UTF-8 libcups
// made of it: decoding it as anything else would garble non-ASCII texts.
#include "PDECommon.h"

#include <cups/array.h>

#include <cstring>
#include <new>
#include <vector>

namespace
{

struct PPDEncodingRow {
    const char *languageEncoding; // null closes the table
    uint32_t encoding;
    uint32_t cfEncoding;
};

// Compared exactly, case-sensitively; anything else is Mac OS Roman.
const PPDEncodingRow kPPDEncodings[] = {
    {"ISOLatin1", kPDEEncodingISOLatin1, kPDECFEncodingISOLatin1},
    {"WindowsANSI", kPDEEncodingWindowsCP1252, kPDECFEncodingWindowsLatin1},
    {"JIS83-RKSJ", kPDEEncodingShiftJIS, kPDECFEncodingShiftJIS},
    {"UTF-8", kPDEEncodingUTF8, kPDECFEncodingUTF8},
    {"UTF8", kPDEEncodingUTF8, kPDECFEncodingUTF8},
    {nullptr, kPDEEncodingMacRoman, kPDECFEncodingMacRoman},
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

// Removes the mark of one choice from the choice and from the PPD's list of
// marked choices (the list is keyed by option, so only remove it when the
// entry found is this very choice).
void UnmarkChoice(ppd_file_t *ppd, ppd_choice_t *choice)
{
    if (!choice)
        return;
    if (ppd->marked && cupsArrayFind(ppd->marked, choice) == choice)
        cupsArrayRemove(ppd->marked, choice);
    choice->marked = 0;
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

int32_t PDECommon::commonGetPPDArrayForUIOption(ppd_file_t *ppd, const char *key, PPDChoiceList **array)
{
    if (!ppd || !key || !array || !ppdFindOption(ppd, key))
        return kPDEOptionNotFound;
    *array = new (std::nothrow) PPDChoiceList();
    if (!*array)
        return kPDEListNotCreated;
    int16_t count = 0;
    commonGetUIListFromPPD(ppd, key, array, &count);
    return kPDENoErr;
}

int32_t PDECommon::commonGetUIListFromPPD(ppd_file_t *ppd, const char *key, PPDChoiceList **array,
                                          int16_t *count)
{
    if (!ppd || !key || !array || !*array)
        return kPDENoErr;
    ppd_option_t *option = ppdFindOption(ppd, key);
    if (!option || option->num_choices <= 0 || !option->choices)
        return kPDENoErr;
    for (int i = 0; i < option->num_choices; ++i) {
        const ppd_choice_t &choice = option->choices[i];
        const bool conflicted = commonIsPPDChoiceConflicted(ppd, option->keyword, choice.choice);
        (*array)->push_back(PPDChoiceEntry{Text(option->keyword), Text(option->defchoice),
                                           Text(choice.choice), Text(choice.text),
                                           conflicted ? kPPDChoiceConflictTrue : kPPDChoiceConflictFalse});
        if (count)
            ++*count;
    }
    return kPDENoErr;
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
    ppd_choice_t *asked = ppdFindChoice(opt, choice);
    if (!asked)
        return false; // ppdMarkOption would mark nothing and report stale flags

    // Remember every marked choice of the option (more than one for a
    // PickMany option), try the asked one, then put the marking back exactly.
    std::vector<ppd_choice_t *> before;
    for (int i = 0; i < opt->num_choices; ++i)
        if (opt->choices[i].marked)
            before.push_back(&opt->choices[i]);

    ppdMarkOption(ppd, option, choice); // recomputes every option's conflicted flag
    const bool conflicted = opt->conflicted != 0;

    for (int i = 0; i < opt->num_choices; ++i) {
        ppd_choice_t *c = &opt->choices[i];
        bool wasMarked = false;
        for (ppd_choice_t *b : before)
            wasMarked = wasMarked || b == c;
        if (c->marked && !wasMarked)
            UnmarkChoice(ppd, c);
    }
    for (ppd_choice_t *b : before)
        if (!b->marked)
            ppdMarkOption(ppd, option, b->choice);
    ppdConflicts(ppd);
    return conflicted;
}
