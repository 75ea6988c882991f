// The service's back end of the profile store: one user's current and
// previous list, named per request ("<user>-<model>-profile.plist" and its
// ".prev.plist"), reached only through the preferences folder's descriptor
// with the service's file steps (VaultFileOps.h). No path is kept anywhere
// but in the object, so requests for different users never share one.
//
// Usage (a walk's merge):
//     auto backend = VaultListBackend::ForUser(user, model);
//     if (!backend) refuse;
//     ListLock lock(backend->current().name());   // one writer per list
//     ProfileStore store(*backend);
//     store.WQPListReadProfile_All(...); ... store.WQPListWriteProfile_All(...);
#pragma once

#include "ProfileListFile.h"
#include "ProfileStore.h"
#include "ProfileStoreBackend.h"

#include <memory>
#include <string>

// True when user and model can name list files in the preferences folder:
// neither is empty or holds a "/", NUL or "..", and both list paths fit in
// 254 bytes. The one name check of every request that names a user's lists.
bool VaultListNamesAcceptable(const std::string &user, const std::string &model);

class VaultListBackend : public ProfileStoreBackend
{
  public:
    // The list files of user and model; null when VaultListNamesAcceptable
    // refuses the names or the folder cannot be reached.
    static std::unique_ptr<VaultListBackend> ForUser(const std::string &user, const std::string &model);

    VaultListBackend(ProfileListFile current, ProfileListFile previous)
        : current_(std::move(current)), previous_(std::move(previous))
    {
    }

    const ProfileListFile &current() const { return current_; }
    const ProfileListFile &previous() const { return previous_; }

    bool ReadCurrentList(std::string *content) override;
    int WriteWholeFile(const char *xml, size_t length) override;
    int IsAdminProfile() override;
    void SwapProfile(int32_t type) override;
    int ExistProfile() override;
    int Remove(int32_t selector) override;

  private:
    ProfileListFile current_;
    ProfileListFile previous_;
};
