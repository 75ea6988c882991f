#include "ProfileControl.h"

#include "ClassRegistry.h"
#if __has_include("ProfileTable.h")
#include "ProfileTable.h"
#else
#include "../../Shared/ProfileStore/ProfileTable.h"
#endif

#include <QString>

struct ProfileControl::Tables {
    ProfileTable plistRGBDict, plistSIMDict, plistDSTDict;
    ProfileTable plistRGBDelete, plistSIMDDelete, plistDSTDelete;
};

TINT_REGISTER_OBJECT_CLASS(ProfileControl);

namespace
{
QString &layoutFileOverride()
{
    static QString path;
    return path;
}
} // namespace

ProfileControl::ProfileControl(QObject *parent) : QObject(parent), tables(new Tables()) {}

ProfileControl::~ProfileControl() = default;

void ProfileControl::setPMPrint(PMPrintSettings printSettings, PMPrintSession printSession)
{
    setting = printSettings;
    session = printSession;
}

void ProfileControl::setConstTable(PDEControlItem *table)
{
    constTable = table;
}

void ProfileControl::setLayoutFile(const QString &path)
{
    layoutFileOverride() = path;
}

const ProfileTable &ProfileControl::workingTable(int group) const
{
    switch (group) {
    case 1:
        return tables->plistSIMDict;
    case 2:
        return tables->plistDSTDict;
    default:
        return tables->plistRGBDict;
    }
}

const ProfileTable &ProfileControl::deletedTable(int group) const
{
    switch (group) {
    case 1:
        return tables->plistSIMDDelete;
    case 2:
        return tables->plistDSTDelete;
    default:
        return tables->plistRGBDelete;
    }
}

// The window itself lands with its layout; until then it cannot be opened.
void ProfileControl::initWithProfileControl() {}
int ProfileControl::numberOfRowsInTableView(QTableView *)
{
    return 0;
}
QVariant ProfileControl::tableView(QTableView *, const QString &, int)
{
    return {};
}
void ProfileControl::tableView(QTableView *, const QVariant &, const QString &, int) {}
void ProfileControl::tableViewSelectionDidChange() {}
bool ProfileControl::selectionShouldChangeInTableView(QTableView *)
{
    return buttonIdentify == kModeIdle;
}
bool ProfileControl::tableView(QTableView *, int)
{
    return true;
}
void ProfileControl::vHandlingButtonSetDisable(bool, bool, bool) {}
void ProfileControl::vProfileSettingsClearEditText() {}
void ProfileControl::vProfileSettingsAllDisablePart() {}
void ProfileControl::vProfileSettingsAllEnablePart() {}
ProfileTable *ProfileControl::currentProfileDict()
{
    return nullptr;
}
bool ProfileControl::isCustomProfile()
{
    return false;
}
QDialog *ProfileControl::profileManagementWindow()
{
    return nullptr;
}
void ProfileControl::showProfileManagementWindow(QObject *) {}
void ProfileControl::profileWindowOK(QObject *) {}
void ProfileControl::profileWindowCancel(QObject *) {}
void ProfileControl::profileMenu(QObject *) {}
void ProfileControl::addButton(QObject *) {}
void ProfileControl::deleteButton(QObject *) {}
void ProfileControl::editButton(QObject *) {}
void ProfileControl::browseButton(QObject *) {}
void ProfileControl::profileOK(QObject *) {}
void ProfileControl::profileCancel(QObject *) {}
bool ProfileControl::loadWindow()
{
    return false;
}
void ProfileControl::reloadTable() {}
void ProfileControl::deselectAll() {}
int ProfileControl::selectedRow() const
{
    return -1;
}
ProfileTable *ProfileControl::deletedTableOfShownGroup()
{
    return nullptr;
}
void ProfileControl::appendToDeleted(const ProfileEntry &) {}
void ProfileControl::endModal(bool) {}
