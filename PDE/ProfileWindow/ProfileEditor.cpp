#include "ProfileEditor.h"

#include "ProfileStore.h"
#include "TextInputFilter.h"

#include <QByteArray>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>

struct ProfileEditor::Tables {
    ProfileTable plistRGBDict, plistSIMDict, plistDSTDict;
    ProfileTable plistRGBDelete, plistSIMDDelete, plistDSTDelete;
};

namespace
{

constexpr int32_t kUserIndexBase = 500;
constexpr int32_t kUserProfileClass = 2;
constexpr int32_t kUserAvailability = 3;
constexpr int kDeletedTableRoom = kProfileTableSlots - 1; // a copy is kept while iNum <= 499

int32_t UsedRows(const ProfileTable &table)
{
    return std::clamp<int32_t>(table.iNum, 0, kProfileTableSlots);
}

// Stores text into a record field (zero-filled, at most 31 bytes). Callers
// have checked the size, so nothing is cut.
void SetRecordText(char field[kProfileTextField], const QByteArray &utf8)
{
    std::memset(field, 0, kProfileTextField);
    std::memcpy(field, utf8.constData(),
                static_cast<size_t>(std::min<qsizetype>(utf8.size(), ProfileEditor::kRecordTextBytes)));
}

// The table of group, of three (RGB, SIM, DST); nullptr for another value.
template <typename T> T *OfGroup(int group, T &rgb, T &sim, T &dst)
{
    switch (group) {
    case 0:
        return &rgb;
    case 1:
        return &sim;
    case 2:
        return &dst;
    default:
        return nullptr;
    }
}

} // namespace

ProfileEditor::ProfileEditor() : tables(new Tables()) {}

ProfileEditor::~ProfileEditor() = default;

void ProfileEditor::load(short protocol)
{
    endEdit();
    protocolType = protocol;
    *tables = Tables{};
    ProfileStore &store = tint::relayProfileStore();
    ProfileTable *working[kProfileGroupCount] = {&tables->plistRGBDict, &tables->plistSIMDict,
                                                 &tables->plistDSTDict};
    for (int32_t group = 0; group < kProfileGroupCount; ++group) {
        if (usesDirectConnection())
            store.WQPListReadProfile_Dict_Pap(working[group], group);
        else
            store.WQPListReadProfile_Dict(working[group], group);
    }
}

ProfileEditor::SaveResult ProfileEditor::save()
{
    SaveResult result;
    ProfileStore &store = tint::relayProfileStore();
    if (usesDirectConnection()) {
        result.code = store.WQPListWriteProfile_All_Pap(&tables->plistRGBDict, &tables->plistSIMDict,
                                                        &tables->plistDSTDict, &tables->plistRGBDelete,
                                                        &tables->plistSIMDDelete, &tables->plistDSTDelete);
    } else {
        result.code = store.WQPListWriteProfile_All(&tables->plistRGBDict, &tables->plistSIMDict,
                                                    &tables->plistDSTDict);
    }
    if (result.code != 0) {
        result.reason = store.LastError();
        if (result.reason.empty())
            result.reason = "the profile list cannot be written";
    }
    return result;
}

ProfileTable *ProfileEditor::currentProfileDict()
{
    return OfGroup(shown, tables->plistRGBDict, tables->plistSIMDict, tables->plistDSTDict);
}

const ProfileTable *ProfileEditor::currentProfileDict() const
{
    return const_cast<ProfileEditor *>(this)->currentProfileDict();
}

ProfileTable *ProfileEditor::deletedTableOfShownGroup()
{
    return OfGroup(shown, tables->plistRGBDelete, tables->plistSIMDDelete, tables->plistDSTDelete);
}

int ProfileEditor::rowCount() const
{
    const ProfileTable *table = currentProfileDict();
    return table ? UsedRows(*table) : 0;
}

const ProfileEntry *ProfileEditor::entryAt(int row) const
{
    const ProfileTable *table = currentProfileDict();
    if (!table || row < 0 || row >= std::min<int32_t>(table->iNum, kProfileTableSlots))
        return nullptr;
    return &table->entry[row];
}

bool ProfileEditor::isPrinterEntry(int32_t inMenu)
{
    return inMenu >= InMenu::MissingHidden && inMenu <= InMenu::DeviceShown;
}

bool ProfileEditor::isOnPrinterNow(int32_t inMenu)
{
    return inMenu == InMenu::DeviceHidden || inMenu == InMenu::DeviceShown;
}

bool ProfileEditor::isTicked(int32_t inMenu)
{
    return inMenu == InMenu::MissingShown || inMenu == InMenu::DeviceShown || inMenu == InMenu::UserShown;
}

QString ProfileEditor::recordText(const char field[kProfileTextField])
{
    QByteArrayView bytes(field, static_cast<qsizetype>(strnlen(field, kProfileTextField)));
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder(bytes);
    return decoder.hasError() ? QString() : text;
}

bool ProfileEditor::toggle(int row)
{
    if (!entryAt(row))
        return false;
    // Each state and the same state with its tick flipped.
    static const int32_t kTicked[][2] = {{InMenu::MissingHidden, InMenu::MissingShown},
                                         {InMenu::DeviceHidden, InMenu::DeviceShown},
                                         {InMenu::UserHidden, InMenu::UserShown}};
    int32_t &inMenu = currentProfileDict()->entry[row].inMenu;
    for (const auto &pair : kTicked) {
        if (inMenu == pair[0] || inMenu == pair[1]) {
            inMenu = inMenu == pair[0] ? pair[1] : pair[0];
            break;
        }
    }
    return true;
}

bool ProfileEditor::remove(int row)
{
    if (!entryAt(row))
        return false;
    ProfileTable *table = currentProfileDict();
    if (usesDirectConnection())
        appendToDeleted(table->entry[row]);
    const int32_t used = UsedRows(*table);
    for (int32_t i = row; i + 1 < used; ++i)
        table->entry[i] = table->entry[i + 1];
    table->entry[used - 1] = ProfileEntry{};
    table->iNum = used - 1;
    return true;
}

bool ProfileEditor::isPinned(int row) const
{
    const ProfileEntry *entry = entryAt(row);
    return entry && isOnPrinterNow(entry->inMenu);
}

bool ProfileEditor::fileNameMayChange() const
{
    const ProfileEntry *entry = buttonIdentify == kModeEditing ? entryAt(editedRow) : nullptr;
    return !entry || !isPrinterEntry(entry->inMenu);
}

ProfileEditor::EntryResult ProfileEditor::commit(const QString &fileName, const QString &profileName,
                                                 bool onDisk)
{
    ProfileTable *table = currentProfileDict();
    if (!table)
        return EntryResult::NotEditing;
    if (fileName.isEmpty() || fileName.startsWith(QLatin1Char('.')))
        return EntryResult::NoFileName;
    // A nameless entry would show as "FILE()" in the menus.
    if (profileName.isEmpty())
        return EntryResult::NoProfileName;
    const QByteArray fileUtf8 = fileName.toUtf8();
    const QByteArray nameUtf8 = profileName.toUtf8();
    // The record holds 31 bytes of each: a longer text is refused, never cut.
    if (fileUtf8.size() > kRecordTextBytes || nameUtf8.size() > kRecordTextBytes)
        return EntryResult::TooLong;

    const int32_t used = UsedRows(*table);
    const int edited = buttonIdentify == kModeEditing ? editedRow : -1;
    for (int32_t row = 0; row < used; ++row) {
        const ProfileEntry &entry = table->entry[row];
        if (row != edited && entry.location == kLocationDisk &&
            strncmp(entry.fileName, fileUtf8.constData(), kProfileTextField) == 0)
            return EntryResult::FileNameTaken;
    }

    int target = -1;
    bool nameMayChange = true;
    if (buttonIdentify == kModeEditing) {
        if (edited < 0 || edited >= used)
            return EntryResult::NotEditing;
        target = edited;
        if (usesDirectConnection())
            appendToDeleted(table->entry[target]);
        nameMayChange = !isPrinterEntry(table->entry[target].inMenu);
    } else if (buttonIdentify == kModeAdding) {
        for (int slot = 0; slot < kProfileTableSlots && target < 0; ++slot) {
            if (table->entry[slot].inMenu == InMenu::Empty)
                target = slot;
        }
        if (target < 0)
            return EntryResult::GroupFull;
    } else {
        return EntryResult::NotEditing;
    }

    ProfileEntry &entry = table->entry[target];
    if (nameMayChange)
        SetRecordText(entry.fileName, fileUtf8);
    SetRecordText(entry.profileName, nameUtf8);
    if (nameMayChange && onDisk)
        entry.location = kLocationDisk;
    if (buttonIdentify == kModeAdding) {
        entry.indexOnDevice = target + kUserIndexBase;
        entry.inMenu = InMenu::UserShown;
        entry.profileClass = kUserProfileClass;
        entry.availability = kUserAvailability;
        table->iNum += 1;
    }
    endEdit();
    return EntryResult::Applied;
}

bool ProfileEditor::fileNameAcceptable(const QString &name)
{
    if (name.isEmpty() || name.size() > kFileNameMaxLength || name.toUtf8().size() > kRecordTextBytes)
        return false;
    std::u16string units = name.toStdU16String();
    uint32_t count = static_cast<uint32_t>(units.size());
    for (uint32_t i = 0; i < count;) {
        uint32_t next = i + 1;
        uint32_t codePoint = UCFindComposedCharAtIndex(units.data(), count, i, &next);
        if (!FilterEditTextInputKey(kInputKeyAsciiAppoint, codePoint))
            return false;
        i = next;
    }
    return name.count(QLatin1Char('.')) <= 1;
}

const ProfileTable &ProfileEditor::workingTable(int group) const
{
    const ProfileTable *table =
        OfGroup(group, tables->plistRGBDict, tables->plistSIMDict, tables->plistDSTDict);
    return table ? *table : tables->plistRGBDict;
}

const ProfileTable &ProfileEditor::deletedTable(int group) const
{
    const ProfileTable *table =
        OfGroup(group, tables->plistRGBDelete, tables->plistSIMDDelete, tables->plistDSTDelete);
    return table ? *table : tables->plistRGBDelete;
}

void ProfileEditor::appendToDeleted(const ProfileEntry &entry)
{
    ProfileTable *deleted = deletedTableOfShownGroup();
    if (!deleted || deleted->iNum < 0 || deleted->iNum > kDeletedTableRoom)
        return;
    deleted->entry[deleted->iNum] = entry;
    deleted->iNum += 1;
}
