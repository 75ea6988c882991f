// The profile window's working state without a widget: the three profile
// groups as the list file holds them, what was deleted or replaced in them
// (for the direct connections, whose printer is told), the local edit mode,
// the checks an added or edited entry must pass, and the save with its
// result. The window (ProfileControl) shows it; tintdialog profiles drives
// it through the panel's introspection.
#pragma once

#include "ProfileTable.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <string>

class ProfileEditor
{
  public:
    // Local edit modes (buttonIdentify).
    enum { kModeIdle = 0, kModeAdding = 1, kModeEditing = 2 };

    // What the edit area's OK made of an entry.
    enum class EntryResult {
        Applied,
        NotEditing,    // no add or edit under way, or no group shown
        NoFileName,    // empty, or starting with '.'
        NoProfileName, // the display name is empty
        TooLong,       // a text over the record's 31 bytes
        FileNameTaken, // another entry on the disk has that file name
        GroupFull,     // no free slot for an added entry
    };

    // The save of the window's OK: 0 when the list file took the three
    // groups, else the store's result and its reason.
    struct SaveResult {
        int32_t code = 0;
        std::string reason;
    };

    // Limits of the two text fields: file name 31 units with a
    // three-character extension, file-name filter; display name 30 units of
    // printable ASCII. Neither may exceed the 31 bytes a record field holds.
    static constexpr int32_t kFileNameMaxLength = 31;
    static constexpr int32_t kFileNameExtension = 3;
    static constexpr int32_t kProfileNameMaxLength = 30;
    static constexpr int32_t kRecordTextBytes = kProfileTextField - 1;
    static constexpr int32_t kLocationDisk = 4;

    ProfileEditor();
    ~ProfileEditor();

    // Mode idle, the protocol code taken, the six tables cleared and the
    // three groups read afresh.
    void load(short protocol);
    // Writes the three groups (and, for the direct connections, what was
    // deleted from them) to the user's current profile list.
    SaveResult save();

    // The group shown (0 RGB, 1 SIM, 2 DST; any other value shows none).
    void showGroup(int group) { shown = group; }
    int shownGroup() const { return shown; }
    // The working table of the group shown, or nullptr.
    ProfileTable *currentProfileDict();
    const ProfileTable *currentProfileDict() const;
    int rowCount() const;
    // The entry of a row of the shown group, or nullptr.
    const ProfileEntry *entryAt(int row) const;
    // Entries from the printer (inMenu 1 to 4), and those on it now.
    static bool isPrinterEntry(int32_t inMenu);
    static bool isOnPrinterNow(int32_t inMenu);
    static bool isTicked(int32_t inMenu);
    // The record text as UTF-8; empty when its bytes are not valid UTF-8.
    static QString recordText(const char field[kProfileTextField]);

    // Swaps a row between shown and hidden in the menus; false for a row
    // that is not there.
    bool toggle(int row);
    // Removes a row; false for a row that is not there.
    bool remove(int row);
    // True when a row is on the printer now and so cannot be deleted.
    bool isPinned(int row) const;

    // The edit-state machine: begin adding, begin editing row, leave.
    void beginAdd()
    {
        buttonIdentify = kModeAdding;
        editedRow = -1;
    }
    void beginEdit(int row)
    {
        buttonIdentify = kModeEditing;
        editedRow = row;
    }
    void endEdit()
    {
        buttonIdentify = kModeIdle;
        editedRow = -1;
    }
    int mode() const { return buttonIdentify; }
    short protocol() const { return protocolType; }
    // Whether an edited row's file name and location may change (entries
    // from the printer keep theirs).
    bool fileNameMayChange() const;
    // Checks and applies the edit area's texts to the entry being added or
    // edited; back to idle when Applied.
    EntryResult commit(const QString &fileName, const QString &profileName, bool onDisk);
    // A file name chosen with Browse...: passes the file-name field's filter
    // and the record's size.
    static bool fileNameAcceptable(const QString &name);

    const ProfileTable &workingTable(int group) const;
    const ProfileTable &deletedTable(int group) const;

  private:
    ProfileTable *deletedTableOfShownGroup();
    void appendToDeleted(const ProfileEntry &entry);
    bool usesDirectConnection() const { return protocolType == 2 || protocolType == 3; }

    int buttonIdentify = kModeIdle;
    int editedRow = -1;
    short protocolType = -1;
    int shown = -1;
    // plistRGBDict, plistSIMDict, plistDSTDict and plistRGBDelete,
    // plistSIMDDelete, plistDSTDelete: together a quarter of a megabyte, so
    // they live on the heap.
    struct Tables;
    std::unique_ptr<Tables> tables;
};
