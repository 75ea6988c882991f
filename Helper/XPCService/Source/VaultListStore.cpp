#include "VaultListStore.h"

#include "TintPaths.h"
#include "VaultFileOps.h"

namespace
{

bool NameAcceptable(const std::string &name)
{
    return !name.empty() && name.find('/') == std::string::npos && name.find('\0') == std::string::npos &&
           name.find("..") == std::string::npos;
}

bool FormatListPaths(const std::string &user, const std::string &model, char current[TINT_PATH_BUFFER],
                     char previous[TINT_PATH_BUFFER])
{
    return NameAcceptable(user) && NameAcceptable(model) &&
           TintFormatPreferencesPath(current, kProfileListUserModelFormat, user.c_str(), model.c_str()) ==
               0 &&
           TintFormatPreferencesPath(previous, kProfileListPrevUserModelFormat, user.c_str(),
                                     model.c_str()) == 0;
}

} // namespace

bool VaultListNamesAcceptable(const std::string &user, const std::string &model)
{
    char current[TINT_PATH_BUFFER];
    char previous[TINT_PATH_BUFFER];
    return FormatListPaths(user, model, current, previous);
}

std::unique_ptr<VaultListBackend> VaultListBackend::ForUser(const std::string &user, const std::string &model)
{
    char current[TINT_PATH_BUFFER];
    char previous[TINT_PATH_BUFFER];
    ProfileListFile currentFile, previousFile;
    if (!FormatListPaths(user, model, current, previous) ||
        !ProfileListFile::Resolve(current, &currentFile) ||
        !ProfileListFile::Resolve(previous, &previousFile))
        return nullptr;
    return std::make_unique<VaultListBackend>(std::move(currentFile), std::move(previousFile));
}

bool VaultListBackend::ReadCurrentList(std::string *content)
{
    return VaultReadList(current_, content);
}

int VaultListBackend::WriteWholeFile(const char *xml, size_t length)
{
    if (xml == nullptr)
        return -1;
    return VaultWriteWhole(current_, std::string_view(xml, length)) ? 0 : -1;
}

int VaultListBackend::IsAdminProfile()
{
    return VaultProbeWritable(current_) ? 1 : 0;
}

void VaultListBackend::SwapProfile(int32_t type)
{
    VaultSwap(type, &current_, &previous_);
}

int VaultListBackend::ExistProfile()
{
    return VaultExists(current_) ? 1 : 0;
}

int VaultListBackend::Remove(int32_t selector)
{
    return VaultRemove(selector == kProfileRemoveCurrent ? current_ : previous_) ? 1 : 0;
}
