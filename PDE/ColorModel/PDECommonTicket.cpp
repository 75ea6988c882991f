// Moving control values between a control table and the ticket.
//
// Values are kept twice in the ticket: in the plug-in's model dictionary
// (ticket["QV-MR52"][printer ID]), from which the panes are restored, and as
// top-level settings keyed by PPD option keyword, which is how the choices
// reach the job. Profile pop-ups may hold a profile of the user's profile
// list after the PPD's choices; it is stored as the option's first choice
// plus "<key>Custom" = "True" and "<key>CustomFilename" = the profile's path
// as nibble text, and found again by that path.
#include "PDECommon.h"
#include "TintText.h"

#include "ProfileStore.h"

#include <QString>

#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace
{

constexpr char kCustomSuffix[] = "Custom";
constexpr char kCustomFilenameSuffix[] = "CustomFilename";
constexpr char kFlagTrue[] = "True";
constexpr char kFlagFalse[] = "False";
// Longest nibble text read back from the ticket.
constexpr std::size_t kMaxNibbleText = 1023;
// Longest profile file name (a 32-byte field with its NUL).
constexpr std::size_t kProfileFileNameBytes = 32;

bool IsProfilePopUp(const PDEControlItem *item)
{
    return item && item->profileListKind >= kProfileListRGBSource &&
           item->profileListKind <= kProfileListSimulation;
}

bool IsValidUTF8(const std::string &text)
{
    return TintIsValidUtf8(text);
}

// One shown entry of a profile group: its file name and location.
struct ShownProfile {
    std::string fileName;
    int32_t location;
};

void AppendShown(const ProfileTable &table, std::vector<ShownProfile> *shown)
{
    const int32_t used =
        table.iNum < 0 ? 0 : (table.iNum > kProfileTableSlots ? kProfileTableSlots : table.iNum);
    for (int32_t i = 0; i < used; ++i) {
        const ProfileEntry &entry = table.entry[i];
        if (entry.inMenu == InMenu::MissingShown || entry.inMenu == InMenu::DeviceShown ||
            entry.inMenu == InMenu::UserShown)
            shown->push_back({std::string(entry.fileName, strnlen(entry.fileName, sizeof entry.fileName)),
                              entry.location});
    }
}

// The shown entries of every group, read once for as long as a snapshot of
// the list lives on this thread.
struct ListSnapshot {
    int depth = 0;
    bool read = false;
    bool whole = false; // the list was read as one
    bool groupRead[3] = {};
    std::vector<ShownProfile> groups[3];
};
thread_local ListSnapshot tSnapshot;

// One group (0 RGB, 1 SIM, 2 DST) of the user's profile list; a failed read
// gives none.
void ReadGroupShown(int32_t group, std::vector<ShownProfile> *shown)
{
    // The table is a 42 kB value; keep it off the dialog thread's stack.
    auto table = std::make_unique<ProfileTable>();
    tint::relayProfileStore().WQPListReadProfile_Dict(table.get(), group);
    AppendShown(*table, shown);
}

// Every group with one read of the list; false when the list cannot be read
// as a whole (a damaged group), and then each group is read on its own.
bool ReadAllShown(std::vector<ShownProfile> (&groups)[3])
{
    auto tables = std::make_unique<ProfileTable[]>(3);
    if (tint::relayProfileStore().WQPListReadProfile_All(&tables[0], &tables[1], &tables[2]) != 0)
        return false;
    for (int g = 0; g < 3; ++g)
        AppendShown(tables[g], &groups[g]);
    return true;
}

const std::vector<ShownProfile> &ShownProfilesOfGroup(int32_t group)
{
    static thread_local std::vector<ShownProfile> single;
    if (tSnapshot.depth == 0) {
        single.clear();
        ReadGroupShown(group, &single);
        return single;
    }
    if (!tSnapshot.read) {
        tSnapshot.read = true;
        tSnapshot.whole = ReadAllShown(tSnapshot.groups);
    }
    if (!tSnapshot.whole && !tSnapshot.groupRead[group]) {
        tSnapshot.groupRead[group] = true;
        ReadGroupShown(group, &tSnapshot.groups[group]);
    }
    return tSnapshot.groups[group];
}

// The shown entries (MissingShown, DeviceShown, UserShown) of the record's
// profile group, in the order of the user's profile list. An unreadable list
// has none.
bool ShownProfilesOf(const PDEControlItem *item, std::vector<ShownProfile> *shown)
{
    int32_t group;
    switch (item->profileListKind) {
    case kProfileListRGBSource:
        group = 0;
        break;
    case kProfileListSimulation:
        group = 1;
        break;
    case kProfileListDestination:
        group = 2;
        break;
    default:
        return false;
    }
    *shown = ShownProfilesOfGroup(group);
    return true;
}

// The records of table bound to a PPD option with choices: the ones the
// ticket and the pane are synced through.
std::vector<PDEControlItem *> PPDChoiceRecords(tint::ControlSpan table)
{
    std::vector<PDEControlItem *> records;
    for (PDEControlItem &item : tint::boundRecords(table)) {
        if (item.ppdKey && item.ppdKey[0] && item.choices)
            records.push_back(&item);
    }
    return records;
}

} // namespace

tint::ProfileListSnapshot::ProfileListSnapshot()
{
    ++tSnapshot.depth;
}

tint::ProfileListSnapshot::~ProfileListSnapshot()
{
    if (--tSnapshot.depth == 0)
        tSnapshot = ListSnapshot();
}

std::string tint::nibbleEncode(const std::string &bytes)
{
    std::string text;
    text.reserve(bytes.size() * 2);
    for (unsigned char byte : bytes) {
        text.push_back(static_cast<char>((byte >> 4) + 0x30));
        text.push_back(static_cast<char>((byte & 0x0F) + 0x30));
    }
    return text;
}

std::string tint::nibbleDecode(const std::string &nibbles)
{
    std::string bytes;
    bytes.reserve(nibbles.size() / 2);
    for (std::size_t i = 0; i + 1 < nibbles.size(); i += 2) {
        const unsigned first = static_cast<unsigned char>(nibbles[i]);
        const unsigned second = static_cast<unsigned char>(nibbles[i + 1]);
        bytes.push_back(static_cast<char>((first * 16 + second - 48) % 256));
    }
    return bytes;
}

std::string tint::profilePath(const char *fileName, int32_t location)
{
    const std::string name = fileName ? std::string(fileName, strnlen(fileName, kProfileFileNameBytes)) : "";
    return location == 4 ? std::string(tint::kPrinterProfileFolder) + name : name;
}

std::string PDECommon::commonGetPPDProductName(PMPrintSettings)
{
    return tint::kProductName;
}

std::optional<std::string> PDECommon::commonGetPrintQueueName(PMPrintSession session)
{
    PMPrinter printer = nullptr;
    if (!session || PMSessionGetCurrentPrinter(session, &printer) != noErr || !printer)
        return std::nullopt;
    std::string identifier = PMPrinterGetID(printer);
    if (identifier.empty())
        return std::nullopt;
    return identifier;
}

PMDictionaryRef PDECommon::commonCFDictionaryGetValueWithType(const PMDictionaryRef &dict,
                                                              const std::string &key)
{
    if (!dict || dict->empty())
        return nullptr;
    const auto found = dict->find(key);
    return found == dict->end() ? nullptr : found->second.dictionary();
}

PMDictionaryRef PDECommon::commonGetModelDictionary(PMPrintSettings settings, PMPrintSession session)
{
    if (!settings)
        return nullptr;
    const std::string product = commonGetPPDProductName(settings);
    const std::optional<std::string> printerID = commonGetPrintQueueName(session);

    PMValue productValue;
    if (PMPrintSettingsGetValue(settings, product, &productValue) != noErr || productValue.isNull()) {
        PMPrintSettingsSetValue(settings, product, PMValue::newDictionary(), false);
        PMPrintSettingsGetValue(settings, product, &productValue);
    }
    // Settings written by something else may hold another type here; they
    // are left as they are and nothing is synchronised.
    const PMDictionaryRef productDict = productValue.dictionary();
    if (!productDict || !printerID)
        return nullptr;
    if (productDict->find(*printerID) == productDict->end())
        (*productDict)[*printerID] = PMValue::newDictionary();
    return commonCFDictionaryGetValueWithType(productDict, *printerID);
}

int32_t PDECommon::commonCFDictionaryMapToTicket(PMPrintSettings settings, const PMDictionaryRef &copyDict)
{
    if (!settings || !copyDict)
        return tint::kBadArgument;
    std::vector<std::pair<std::string, PMValue>> entries;
    try {
        entries.assign(copyDict->begin(), copyDict->end());
    } catch (const std::bad_alloc &) {
        return tint::kOutOfMemory;
    }
    const std::string product = commonGetPPDProductName(settings);
    for (const auto &[key, value] : entries) {
        // A model dictionary never names the product entry itself; copying
        // such a key would replace every printer's stored values.
        if (key == product)
            continue;
        PMPrintSettingsSetValue(settings, key, value, false);
    }
    return tint::kNoErr;
}

int32_t PDECommon::commonSyncTicketFromPane(PMPrintSettings settings, PMPrintSession session,
                                            tint::ControlSpan table)
{
    const PMDictionaryRef model = commonGetModelDictionary(settings, session);
    if (!model)
        return tint::kNoErr;
    for (PDEControlItem *item : PPDChoiceRecords(table)) {
        const int32_t value = commonGetControlValueFromPPDWithSInt32(item);
        const int32_t count = static_cast<int32_t>(item->choices->size());
        if (value < 0)
            continue;
        if (value < count) {
            const PPDChoiceEntry &entry = (*item->choices)[value];
            (*model)[entry[kPPDChoiceOption]] = PMValue(entry[kPPDChoiceKeyword]);
            commonSetTicketAddedProfileFlag(item, model, kFlagFalse);
        } else {
            commonSetTicketAddedProfile(item, model, static_cast<int16_t>(value - count + 1));
            commonSetTicketAddedProfileFlag(item, model, kFlagTrue);
        }
    }
    return commonCFDictionaryMapToTicket(settings, model);
}

int32_t PDECommon::commonSyncPaneFromTicket(PMPrintSettings settings, PMPrintSession session,
                                            tint::ControlSpan table)
{
    const std::vector<PDEControlItem *> records = PPDChoiceRecords(table);
    const PMDictionaryRef model = commonGetModelDictionary(settings, session);
    if (!model)
        return tint::kNoErr;
    for (PDEControlItem *item : records) {
        // Every record starts without a value of its own, so that a record
        // the ticket says nothing usable about never takes the one before's.
        std::optional<int32_t> value;
        const int32_t count = static_cast<int32_t>(item->choices->size());
        const PMValue flag = commonGetTicketAddedProfileFlag(item, model);
        if (IsProfilePopUp(item) && flag.string() && *flag.string() == kFlagTrue) {
            const int16_t shown = commonGetTicketAddedProfile(item, model);
            value = shown >= 1 ? count + shown - 1 : commonGetDefualtValueFromPPDWithSInt32(item);
        } else {
            const auto found = model->find(item->ppdKey);
            if (found == model->end())
                value = commonGetDefualtValueFromPPDWithSInt32(item);
            else if (found->second.string())
                value = commonGetTicketValueWithSInt32(item, item->ppdKey, found->second);
        }
        if (value && *value != -1)
            commonSetControlValueWithSInt32(item, *value);
    }
    return commonCFDictionaryMapToTicket(settings, model);
}

int32_t PDECommon::commonSetTicketAddedProfile(const PDEControlItem *item, const PMDictionaryRef &dict,
                                               int16_t select)
{
    if (!dict || !IsProfilePopUp(item) || !item->ppdKey)
        return tint::kNotApplicable;
    std::vector<ShownProfile> shown;
    ShownProfilesOf(item, &shown);
    std::string path;
    if (select >= 1 && static_cast<std::size_t>(select) <= shown.size()) {
        const ShownProfile &profile = shown[select - 1];
        path = tint::profilePath(profile.fileName.c_str(), profile.location);
    }
    if (!IsValidUTF8(path))
        return tint::kNoErr;
    // The option itself carries its first choice; the profile rides beside it.
    if (item->choices && !item->choices->empty())
        (*dict)[item->ppdKey] = PMValue(item->choices->front()[kPPDChoiceKeyword]);
    (*dict)[std::string(item->ppdKey) + kCustomFilenameSuffix] = PMValue(tint::nibbleEncode(path));
    commonSetTicketAddedProfileFlag(item, dict, kFlagTrue);
    return tint::kNoErr;
}

int16_t PDECommon::commonGetTicketAddedProfile(const PDEControlItem *item, const PMDictionaryRef &dict)
{
    if (!dict || !IsProfilePopUp(item) || !item->ppdKey)
        return -1;
    std::vector<ShownProfile> shown;
    ShownProfilesOf(item, &shown);
    const auto found = dict->find(std::string(item->ppdKey) + kCustomFilenameSuffix);
    if (found == dict->end() || !found->second.string())
        return 0;
    const std::string &nibbles = *found->second.string();
    if (nibbles.size() > kMaxNibbleText)
        return 0;
    for (unsigned char c : nibbles)
        if (c >= 0x80 || c == 0)
            return 0;
    std::string path = tint::nibbleDecode(nibbles);
    path.resize(strnlen(path.c_str(), path.size())); // the path ends at its first NUL
    if (!IsValidUTF8(path))
        return 0;
    // Only profiles on the printer's disk are named by a full path that can
    // be told apart from a bare file name.
    int16_t count = 0;
    for (const ShownProfile &profile : shown) {
        ++count;
        if (profile.location == 4 && tint::profilePath(profile.fileName.c_str(), 4) == path)
            return count;
    }
    return 0;
}

int32_t PDECommon::commonSetTicketAddedProfileFlag(const PDEControlItem *item, const PMDictionaryRef &dict,
                                                   const std::string &flag)
{
    if (IsProfilePopUp(item) && dict && item->ppdKey)
        (*dict)[std::string(item->ppdKey) + kCustomSuffix] = PMValue(flag);
    return tint::kNoErr;
}

PMValue PDECommon::commonGetTicketAddedProfileFlag(const PDEControlItem *item, const PMDictionaryRef &dict)
{
    if (!IsProfilePopUp(item) || !dict || !item->ppdKey)
        return PMValue();
    const auto found = dict->find(std::string(item->ppdKey) + kCustomSuffix);
    return found == dict->end() ? PMValue() : found->second;
}
