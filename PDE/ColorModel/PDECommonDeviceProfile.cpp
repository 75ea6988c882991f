// The device profile menus and the printer's own profile table: the queue's
// connection, the walk request through the relay, and the profiles of the
// user's profile list appended to the profile pop-ups.
#include "PDECommon.h"
#include "PrinterAddress.h"

#include "ControlReason.h"
#include "Localization.h"
#include "PanelStatus.h"
#include "ProfileStore.h"
#include "RelayCall.h"
#include "TintPaths.h"
#include "TintText.h"

#include <QComboBox>

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace
{

struct ProtocolPrefix {
    const char *prefix; // nullptr closes the table
    int16_t code;
};

// Checked in this order, case-sensitively, at the very start of the URI.
constexpr ProtocolPrefix kProtocolPrefixes[] = {
    {"mdns://", 1}, {"dnssd://", 1}, {"lpd://", 0}, {"pap://", 2}, {"usb://", 3}, {nullptr, -1},
};

// Bonjour resolution limit in seconds.
constexpr double kResolveTimeout = 1.0;

// The SNMP walk of the printer's profile table entry: community, version
// and the entry OID (enterprise 64999); the address goes between.
constexpr const char *kWalkArgsBeforeAddress[] = {"snmpwalk", "-Os", "-c", "wemblo", "-v", "1"};
constexpr const char kProfileTableEntryOID[] = "1.3.6.1.4.1.64999.1.1.1.1.6.13.1.1";

// Menu titles are built in a buffer of this size.
constexpr std::size_t kProfileTitleBuffer = 256;

// The group of a profile pop-up, or -1 for any other record.
int32_t GroupOfListKind(int16_t kind)
{
    switch (kind) {
    case kProfileListRGBSource:
        return kProfileGroupRGB;
    case kProfileListSimulation:
        return kProfileGroupSIM;
    case kProfileListDestination:
        return kProfileGroupDST;
    default:
        return -1;
    }
}

// The entries the menus list: exactly those the ticket's added-profile
// positions count (MissingShown, DeviceShown, UserShown). A free slot or an
// unknown code inside iNum must not shift the positions that follow.
bool IsShownEntry(const ProfileEntry &entry)
{
    return entry.inMenu == InMenu::MissingShown || entry.inMenu == InMenu::DeviceShown ||
           entry.inMenu == InMenu::UserShown;
}

// A fixed text field as a string, never reading past its end.
std::string FieldText(const char (&field)[kProfileTextField])
{
    return std::string(field, strnlen(field, kProfileTextField));
}

// Cuts UTF-8 text to at most limit bytes without splitting a character.
void CutUtf8(std::string *text, std::size_t limit)
{
    text->resize(TintUtf8CutLength(*text, limit));
}

} // namespace

int16_t PDECommon::commoniGetProtocolByUrl(const char *url)
{
    if (!url)
        return -1;
    for (const ProtocolPrefix *p = kProtocolPrefixes; p->prefix; p++) {
        if (std::strncmp(url, p->prefix, std::strlen(p->prefix)) == 0)
            return p->code;
    }
    return -1;
}

int16_t PDECommon::commoniGetProtocol(PMPrintSession session)
{
    if (!session)
        return -1;
    PMPrinter printer = nullptr;
    if (PMSessionGetCurrentPrinter(session, &printer) != noErr || !printer)
        return -1;
    std::string uri;
    if (PMPrinterCopyDeviceURI(printer, &uri) != noErr)
        return -1;
    return commoniGetProtocolByUrl(uri.c_str());
}

int PDECommon::commonGetProfilesFromMIB(PMPrintSession session)
{
    // The backup is made whether or not a walk follows.
    tint::relayProfileStore().WQPListSwapProfile(kProfileSwapBackup);

    if (!session)
        return 0;
    PMPrinter printer = nullptr;
    if (PMSessionGetCurrentPrinter(session, &printer) != noErr || !printer)
        return 0;
    std::string uri;
    if (PMPrinterCopyDeviceURI(printer, &uri) != noErr)
        return 0;

    std::string address;
    if (!tint::printerAddressForURI(uri, commoniGetProtocolByUrl(uri.c_str()), kResolveTimeout, &address))
        return 0;

    struct stat st;
    if (::stat(TintRelayPath().c_str(), &st) != 0)
        return 0;
    // Without a login name the service would name the list files of nobody.
    const std::string user = TintLoginName();
    if (user.empty())
        return 0;

    std::vector<std::string> walkArgs(std::begin(kWalkArgsBeforeAddress), std::end(kWalkArgsBeforeAddress));
    walkArgs.push_back(address);
    walkArgs.push_back(kProfileTableEntryOID);
    int walkResult = 0;
    // The walk's outcome is the rewritten profile list file; a failed walk
    // is only told to the person, who would otherwise take the menus for
    // the printer's present state.
    const QString printerAddress = QString::fromStdString(address);
    if (!TintRelayCallWalk(kTintModelName, user, walkArgs, &walkResult))
        tint::setPanelStatus(
            tint::localized("the profile service did not answer; the printer's profiles are shown as "
                            "last read"));
    else if (walkResult == 1)
        tint::setPanelStatus(
            tint::localized("the printer at %1 did not answer; its profiles are shown as last read")
                .arg(printerAddress));
    else if (walkResult != 0)
        tint::setPanelStatus(
            tint::localized("the profile list of the printer at %1 could not be read (result %2); "
                            "its profiles are shown as last read")
                .arg(printerAddress)
                .arg(walkResult));
    else
        tint::setPanelStatus(QString());
    return 0;
}

int PDECommon::commonAddMenuFromProfilePlist(tint::ControlSpan table)
{
    if (table.empty())
        return tint::kBadArgument;
    // Three full tables are too large for the dialog thread's stack.
    auto groups = std::make_unique<ProfileTable[]>(kProfileGroupCount);
    int32_t read = tint::relayProfileStore().WQPListReadProfile_All(
        &groups[kProfileGroupRGB], &groups[kProfileGroupSIM], &groups[kProfileGroupDST]);
    if (read != 0)
        return read;

    int result = tint::kNoErr;
    for (PDEControlItem &record : tint::boundRecords(table)) {
        PDEControlItem *item = &record;
        int32_t group = GroupOfListKind(item->profileListKind);
        if (group < 0) {
            result = tint::kBadArgument;
            continue;
        }
        auto *menu = qobject_cast<QComboBox *>(item->control);
        const ProfileTable &profiles = groups[group];
        const int32_t count = profiles.iNum < 0                    ? 0
                              : profiles.iNum > kProfileTableSlots ? kProfileTableSlots
                                                                   : profiles.iNum;
        for (int32_t i = 0; i < count; i++) {
            const ProfileEntry &entry = profiles.entry[i];
            if (!IsShownEntry(entry))
                continue;
            std::string suffix;
            if (entry.location == 4) {
                std::optional<QString> disk = Localization::localizedString("Disk");
                if (!disk) {
                    result = tint::kBadArgument;
                    continue;
                }
                suffix = disk->toStdString();
            }
            std::string title = FieldText(entry.fileName) + "(" + FieldText(entry.profileName) + ")" + suffix;
            CutUtf8(&title, kProfileTitleBuffer - 1);
            if (menu)
                menu->addItem(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
        }
    }
    return result;
}
