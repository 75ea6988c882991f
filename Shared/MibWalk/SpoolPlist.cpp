// The spool: values of the printer's profile table collected during a walk.
#include "MibWalk.h"
#include "TintText.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <cstring>

thread_local ProfileTable PlistForSpool;

namespace
{

enum class SpoolField { IndexOnDevice, Location, ProfileName, FileName, ProfileClass, Availability };

struct SpoolColumn {
    const MibOid *column; // nullptr closes the table
    u_char type;
    SpoolField field;
};

// Checked in this order; the first matching column decides.
const SpoolColumn kSpoolColumns[] = {
    {iOidIndexOnDevice, ASN_INTEGER, SpoolField::IndexOnDevice},
    {iOidSourceType, ASN_INTEGER, SpoolField::Location},
    {iOidProfileName, ASN_OCTET_STR, SpoolField::ProfileName},
    {iOidFileName, ASN_OCTET_STR, SpoolField::FileName},
    {iOidProfileClass, ASN_INTEGER, SpoolField::ProfileClass},
    {iOidProfileAvailability, ASN_INTEGER, SpoolField::Availability},
    {nullptr, 0, SpoolField::IndexOnDevice},
};

// Length of the text before the first NUL of an octet string value.
size_t TextLength(const netsnmp_variable_list *vars)
{
    if (vars->val.string == nullptr)
        return 0;
    const void *nul = std::memchr(vars->val.string, '\0', vars->val_len);
    return nul ? static_cast<const u_char *>(nul) - vars->val.string : vars->val_len;
}

// Stores a text value into a 32-byte field so that it stays NUL-terminated.
// cut: a longer text keeps its first 31 bytes, ending on a whole UTF-8
// character; otherwise a longer text is not stored at all (a cut file name
// could name another file).
void StoreText(char field[kProfileTextField], const netsnmp_variable_list *vars, bool cut)
{
    size_t length = TextLength(vars);
    if (length >= kProfileTextField) {
        if (!cut)
            return;
        length = TintUtf8CutLength(std::string_view(reinterpret_cast<const char *>(vars->val.string), length),
                                   kProfileTextField - 1);
    }
    std::memset(field, 0, kProfileTextField);
    std::memcpy(field, vars->val.string, length);
}

} // namespace

void vSpoolPlist(const MibOid *name, std::size_t nameLength, const variable_list *vars, int clear)
{
    if (clear != 0) {
        std::memset(&PlistForSpool, 0, sizeof PlistForSpool);
        return;
    }
    MibWalkSpoolVariable(&PlistForSpool, name, nameLength, vars);
}

void MibWalkSpoolVariable(ProfileTable *spool, const MibOid *name, std::size_t nameLength,
                          const variable_list *vars)
{
    if (spool == nullptr || name == nullptr || vars == nullptr || nameLength < kProfileInstanceOidLength)
        return;

    const SpoolColumn *column = kSpoolColumns;
    for (; column->column != nullptr; ++column)
        if (std::memcmp(name, column->column, kProfileColumnOidLength * sizeof(MibOid)) == 0)
            break;
    if (column->column == nullptr || vars->type != column->type)
        return;

    const MibOid row = name[kProfileInstanceOidLength - 1];
    if (row < 1 || row > static_cast<MibOid>(kProfileTableSlots))
        return;
    ProfileEntry &entry = spool->entry[row - 1];

    if (column->type == ASN_INTEGER) {
        if (vars->val.integer == nullptr)
            return;
        const auto value = static_cast<int32_t>(*vars->val.integer);
        switch (column->field) {
        case SpoolField::IndexOnDevice:
            entry.indexOnDevice = value;
            if (spool->iNum < kProfileTableSlots)
                spool->iNum++;
            break;
        case SpoolField::Location:
            entry.location = value;
            break;
        case SpoolField::ProfileClass:
            entry.profileClass = value;
            break;
        case SpoolField::Availability:
            entry.availability = value;
            break;
        default:
            break;
        }
        return;
    }
    if (column->field == SpoolField::FileName)
        StoreText(entry.fileName, vars, false);
    else
        StoreText(entry.profileName, vars, true);
}
