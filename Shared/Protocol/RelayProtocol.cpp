#include "RelayProtocol.h"

#include <cstring>

using namespace std::chrono_literals;

// A walk to an unreachable printer takes its SNMP timeouts per request, so the
// walk gets a long limit; every file operation answers at once.
const WQMethodInfo kWQXPCMethods[] = {
    {kWqPListIsAdminProfile_XPC, WQRequestForm::Path, 1, 25s},
    {kWqPListSwapProfile_XPC, WQRequestForm::Swap, 3, 25s},
    {kWqPListExistProfile_XPC, WQRequestForm::Path, 1, 25s},
    {kWqPListRemove_XPC, WQRequestForm::Path, 1, 25s},
    {kWriteDictionaryToPlistFile_XPC, WQRequestForm::UrlAndData, 2, 25s},
    {kWriteDataToPlistFile_XPC, WQRequestForm::UrlAndData, 2, 25s},
    {kWriteDataToPlistFileRename_XPC, WQRequestForm::Path, 1, 25s},
    {kMibwalk_XPC, WQRequestForm::Walk, 2, 300s},
    {nullptr, WQRequestForm::Path, 0, 0s},
};

const char *const kWQRelayMatchOrder[] = {
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

const WQMethodInfo *WQFindMethod(const char *name)
{
    if (name == nullptr)
        return nullptr;
    for (const char *const *candidate = kWQRelayMatchOrder; *candidate != nullptr; ++candidate) {
        if (std::strcmp(*candidate, name) != 0)
            continue;
        for (const WQMethodInfo *m = kWQXPCMethods; m->name != nullptr; ++m) {
            if (std::strcmp(m->name, name) == 0)
                return m;
        }
    }
    return nullptr;
}
