#include "RelayProtocol.h"

#include <cstring>

using namespace std::chrono_literals;

// A walk to an unreachable printer takes its SNMP timeouts per request, so the
// walk gets a long limit; every file operation answers at once.
const tint::MethodInfo tint::kXPCMethods[] = {
    {kWqPListIsAdminProfile_XPC, tint::RequestForm::Path, 1, 25s},
    {kWqPListSwapProfile_XPC, tint::RequestForm::Swap, 3, 25s},
    {kWqPListExistProfile_XPC, tint::RequestForm::Path, 1, 25s},
    {kWqPListRemove_XPC, tint::RequestForm::Path, 1, 25s},
    {kWriteDictionaryToPlistFile_XPC, tint::RequestForm::UrlAndData, 2, 25s},
    {kWriteDataToPlistFile_XPC, tint::RequestForm::UrlAndData, 2, 25s},
    {kWriteDataToPlistFileRename_XPC, tint::RequestForm::Path, 1, 25s},
    {kMibwalk_XPC, tint::RequestForm::Walk, 2, 300s},
    {nullptr, tint::RequestForm::Path, 0, 0s},
};

const char *const tint::kRelayMatchOrder[] = {
    kMibwalk_XPC,
    kWqPListIsAdminProfile_XPC,
    kWqPListSwapProfile_XPC,
    kWqPListExistProfile_XPC,
    kWqPListRemove_XPC,
    kWriteDataToPlistFile_XPC,
    kWriteDataToPlistFileRename_XPC,
    kWriteDictionaryToPlistFile_XPC,
    nullptr,
};

const tint::MethodInfo *tint::findMethod(const char *name)
{
    if (name == nullptr)
        return nullptr;
    for (const char *const *candidate = tint::kRelayMatchOrder; *candidate != nullptr; ++candidate) {
        if (std::strcmp(*candidate, name) != 0)
            continue;
        for (const tint::MethodInfo *m = tint::kXPCMethods; m->name != nullptr; ++m) {
            if (std::strcmp(m->name, name) == 0)
                return m;
        }
    }
    return nullptr;
}
