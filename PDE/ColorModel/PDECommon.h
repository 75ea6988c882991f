// The table-driven core of the panel: control tables, their binding to the
// PPD's options, the value model, and the synchronisation between controls
// and the job's print settings (the ticket).
//
// Every pane describes its controls in a control table: one PDEControlItem
// per control, closed by an end record. The class methods of PDECommon walk
// a table and act on each record by its kind; the panes keep no copies of
// values (a control's state is its value).
//
// Tables are plain records: they are zero-filled before use and copied
// whole. A pane owns its table and the choice lists in it; a compound table
// shares the choice lists of the pane tables it was built from and must not
// outlive them. Nothing here throws; failures are the result codes below.
#pragma once

#include "PDEPanelProtocol.h"
#include "PrintCore.h"

#include <cups/ppd.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QWidget;

// Control kinds: PDEControlKind, shared with the host in PDEPanelProtocol.h.

// Profile-list kinds: a pop-up that offers, after the PPD's choices, the
// shown profiles of one group of the user's profile list.
enum : int16_t {
    kProfileListNone = 0,
    kProfileListRGBSource = 1,   // RGB group (index 0)
    kProfileListDestination = 2, // DST group (index 2)
    kProfileListSimulation = 3,  // SIM group (index 1)
};

namespace tint
{

// Result codes of the class methods.
enum : int32_t {
    kNoErr = 0,
    kNotApplicable = -1,      // no model dictionary, or not a profile pop-up
    kBadArgument = -50,       // missing argument, or a text that cannot be made
    kOutOfMemory = -108,      // working lists could not be allocated
    kOptionNotFound = -30888, // the PPD has no such option
    kListNotCreated = -30870, // a choice list could not be created
};

} // namespace tint

// One choice of a PPD option, as five strings (UTF-8).
using PPDChoiceEntry = std::array<std::string, 5>;
enum : std::size_t {
    kPPDChoiceOption = 0,   // the option's keyword (the record's ppdKey)
    kPPDChoiceDefault = 1,  // the option's default choice keyword
    kPPDChoiceKeyword = 2,  // this choice's keyword
    kPPDChoiceText = 3,     // this choice's translation text
    kPPDChoiceConflict = 4, // kPPDChoiceConflictTrue or kPPDChoiceConflictFalse
};
inline constexpr const char kPPDChoiceConflictTrue[] = "ConflictTrue";
inline constexpr const char kPPDChoiceConflictFalse[] = "ConflictFalse";

// The choice list of one option, in PPD order. Built once with its table and
// never changed afterwards, so a compound table shares its panes' lists.
using PPDChoiceList = std::vector<PPDChoiceEntry>;
using PPDChoiceListRef = std::shared_ptr<const PPDChoiceList>;

// One record of a control table.
struct PDEControlItem {
    QWidget *control;         // the pane's outlet; null only in the end record
    int32_t kind;             // kPDEControl*
    const char *ppdKey;       // PPD main keyword, "" for a control without an option
    const char *titleKey;     // localization key of the title; null keeps the layout's title
    const char *summaryKey;   // localization key of the summary item; null: not summarised
    const char *identifier;   // name used by the colour preset rules, "" when none
    int16_t profileListKind;  // kProfileList*
    PPDChoiceListRef choices; // null when the PPD lacks the option or the record has no key
};

namespace tint
{

// A control table: its records, the end record last. Panes own theirs as a
// ControlTable; the class methods take a view of one.
using ControlTable = std::vector<PDEControlItem>;
using ControlSpan = std::span<PDEControlItem>;
using ControlConstSpan = std::span<const PDEControlItem>;

// The record that closes every table.
inline const PDEControlItem kControlEndRecord = {nullptr, kPDEControlEnd,   "",     nullptr, nullptr,
                                                 "",      kProfileListNone, nullptr};

// The records a table binds: those before its end record, up to the first
// record without a control (a control missing from the layout reads as the
// end of the table). Every walk of a table goes through this.
ControlSpan boundRecords(ControlSpan table);
ControlConstSpan boundRecords(ControlConstSpan table);
// Every record before the end record, with or without a control: what the
// compound table and the preset rules see.
ControlSpan tableRecords(ControlSpan table);

// Text encodings of a PPD by its LanguageEncoding, in two numberings
// (commonGetEncodingFromPPD and commonGetCFStringEncodingFromPPD). The texts
// themselves are always UTF-8: libcups converts them while parsing.
enum : uint32_t {
    kEncodingISOLatin1 = 5,
    kEncodingWindowsCP1252 = 12,
    kEncodingShiftJIS = 8,
    kEncodingUTF8 = 4,
    kEncodingMacRoman = 30,
};
enum : uint32_t {
    kCFEncodingISOLatin1 = 0x0201,
    kCFEncodingWindowsLatin1 = 0x0500,
    kCFEncodingShiftJIS = 0x0A01,
    kCFEncodingUTF8 = 0x08000100,
    kCFEncodingMacRoman = 0,
};

// Ticket entry under which the per-printer model dictionaries are kept.
inline constexpr const char kProductName[] = "QV-MR52";
// Folder of a profile stored on the printer's disk (location 4).
inline constexpr const char kPrinterProfileFolder[] = "/ata1a/data/USfiles/Profiles/";

// While one lives on this thread, the ticket operations read the user's
// profile list once and reuse it, so that restoring or saving both panes
// reads the file once instead of once per profile pop-up.
class ProfileListSnapshot
{
  public:
    ProfileListSnapshot();
    ~ProfileListSnapshot();
    ProfileListSnapshot(const ProfileListSnapshot &) = delete;
    ProfileListSnapshot &operator=(const ProfileListSnapshot &) = delete;
};

} // namespace tint

class PDECommon
{
  public:
    PDECommon() = delete;

    // ---- Control table and PPD binding --------------------------------

    // Appends the ppdKey of every record that has one to array.
    // 0, or tint::kBadArgument (null array or table).
    static int32_t commonAddPPDArray(std::vector<std::string> *array, tint::ControlConstSpan table);

    // Creates the choice list of option key into *array. tint::kOptionNotFound
    // leaves *array untouched; tint::kListNotCreated when the list cannot be
    // allocated.
    static int32_t commonGetPPDArrayForUIOption(ppd_file_t *ppd, const char *key, PPDChoiceListRef *array);

    // Appends one entry per choice of option key to *array, adding 1 to
    // *count for each (count may be null). Always 0.
    static int32_t commonGetUIListFromPPD(ppd_file_t *ppd, const char *key, PPDChoiceList *array,
                                          int16_t *count);

    // Whether marking choice would put option in conflict with the PPD's
    // other marked choices. The PPD's marking is the same afterwards.
    static bool commonIsPPDChoiceConflicted(ppd_file_t *ppd, const char *option, const char *choice);

    // Titles of every record, then the menus of its pop-ups from ppdfile.
    static void commonBuildPDEItem(tint::ControlSpan table, ppd_file_t *ppdfile);
    static void commonSetControlTitleFromLocalizeString(PDEControlItem *item);
    // Empties the pop-up and adds one item per PPD choice (title: the
    // choice's text; item data: its keyword). A missing option leaves it.
    static void commonReBuildMenuFromPPD(ppd_file_t *ppd, PDEControlItem *item);

    static uint32_t commonGetEncodingFromPPD(ppd_file_t *ppd);
    static uint32_t commonGetCFStringEncodingFromPPD(ppd_file_t *ppd);

    // A new table holding the records of count tables, each up to its end
    // record, then one end record. Empty when it cannot be allocated. The
    // result shares the tables' choice lists.
    static tint::ControlTable commonControlTableCompound(const tint::ControlSpan *tables, int count);

    // ---- Value model ---------------------------------------------------
    // A control value is what the control shows (pop-up: its current index,
    // check box: 0 or 1); a choice list position is an index into choices.

    static void commonDefaultFromPPDInfo(tint::ControlSpan table);
    static int32_t commonGetDefualtValueFromPPDWithSInt32(const PDEControlItem *item);
    static int32_t commonGetControlValueWithSInt32(const PDEControlItem *item);
    static void commonSetControlValueWithSInt32(PDEControlItem *item, int32_t value);
    static int32_t commonGetControlValueFromPPDWithSInt32(const PDEControlItem *item);
    static std::optional<std::string> commonGetControlValueFromPPDWithNSString(const PDEControlItem *item);
    // choice: the value found in the ticket (any type).
    static int32_t commonGetTicketValueWithSInt32(const PDEControlItem *item, const std::string &option,
                                                  const PMValue &choice);
    static int32_t commonFindPPDKeyPairsMatch(const PPDChoiceList *list, const std::string &option,
                                              const std::string &choice);
    static bool commonCFTypeIsValid(const PMValue &object, PMTypeID type);

    // ---- Ticket synchronisation and summary ----------------------------

    static std::string commonGetPPDProductName(PMPrintSettings settings);
    static std::optional<std::string> commonGetPrintQueueName(PMPrintSession session);
    // The model dictionary: ticket["QV-MR52"][printer ID], created when
    // missing. Null without a current printer or when the stored entries are
    // not dictionaries.
    static PMDictionaryRef commonGetModelDictionary(PMPrintSettings settings, PMPrintSession session);
    static PMDictionaryRef commonCFDictionaryGetValueWithType(const PMDictionaryRef &dict,
                                                              const std::string &key);
    // Copies every entry of copyDict to the top level of the ticket.
    static int32_t commonCFDictionaryMapToTicket(PMPrintSettings settings, const PMDictionaryRef &copyDict);
    static int32_t commonSyncTicketFromPane(PMPrintSettings settings, PMPrintSession session,
                                            tint::ControlSpan table);
    static int32_t commonSyncPaneFromTicket(PMPrintSettings settings, PMPrintSession session,
                                            tint::ControlSpan table);
    // select counts the shown entries of the record's profile group from 1.
    static int32_t commonSetTicketAddedProfile(const PDEControlItem *item, const PMDictionaryRef &dict,
                                               int16_t select);
    static int16_t commonGetTicketAddedProfile(const PDEControlItem *item, const PMDictionaryRef &dict);
    static int32_t commonSetTicketAddedProfileFlag(const PDEControlItem *item, const PMDictionaryRef &dict,
                                                   const std::string &flag);
    // The value under ppdKey + "Custom" (any type), null when absent or not
    // a profile pop-up.
    static PMValue commonGetTicketAddedProfileFlag(const PDEControlItem *item, const PMDictionaryRef &dict);

    // Adds item name -> value text for every record with a summaryKey.
    static int32_t commonGetSummaryText(tint::ControlConstSpan table, const PMDictionaryRef &adddict,
                                        const PMArrayRef &addArray);
    static int32_t commonGetSummaryTextQuickColor(const char *itemName, const std::string &value,
                                                  const PMDictionaryRef &adddict, const PMArrayRef &addArray);

    // Control value <-> the value the colour preset rules compare and set.
    static int32_t commonConvertToCSTValue(const PDEControlItem *item, int32_t convalue);
    static int32_t commonConvertFromCSTValue(const PDEControlItem *item, int32_t convalue);

    // ---- Device profile menus and printer address -----------------------

    // Protocol code of a device URI: 1 mdns/dnssd, 0 lpd, 2 pap, 3 usb, -1
    // anything else or a null url.
    static int16_t commoniGetProtocolByUrl(const char *url);
    static int16_t commoniGetProtocol(PMPrintSession session);
    // Backs up the profile list and has the service walk the printer's
    // profile table. Always 0.
    static int commonGetProfilesFromMIB(PMPrintSession session);
    // Appends the shown profiles of the user's profile list to the profile
    // pop-ups of table. 0, the read's result, or tint::kBadArgument.
    static int commonAddMenuFromProfilePlist(tint::ControlSpan table);
};

// Helpers of this port.
namespace tint
{

// Nibble text: every byte becomes two characters '0'..'?' (high four
// bits + 0x30, then low four bits + 0x30).
std::string nibbleEncode(const std::string &bytes);
std::string nibbleDecode(const std::string &nibbles);
// The path naming a profile on the printer: the printer's profile folder
// + fileName for location 4, else fileName alone.
std::string profilePath(const char *fileName, int32_t location);
// A pane's table from its filled records (controls taken from the
// pane's outlets; an end record is added when the records lack one):
// the records, the end record, and each bound record's choice list built
// from ppd. *count (may be null) receives the number of records
// including the end record.
ControlTable createControlTable(ControlConstSpan filledTemplate, ppd_file_t *ppd, int16_t *count);
// Number of bound records plus the end record (0 for no table).
int16_t countControlTable(ControlConstSpan table);
// Whether text is plain ASCII: the localization keys and option keywords a
// table may hold.
bool isASCII(const char *text);

} // namespace tint
