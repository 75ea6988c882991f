// The store's back end on two full paths, for tests, tools, benches and
// fuzz targets, on the service's own file steps (VaultFileOps.h) with each
// path opened as its folder's descriptor and the base name.
#pragma once

#include "ProfileStoreBackend.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The file steps on one or two paths. All return 1 or 0; a null or empty
// path stands for an absent one and makes the step do nothing.
//
// Write-permission probe: sets the file-creation mask to 002 (for good),
// opens path for appending (creating it) and deletes it again when it did
// not exist before. 1 when it could be opened.
int ProfileFileProbe(const char *path);
// Swap steps without a probe: 2 backup, 1 discard, as the service does them;
// 0 restore renames previous over current whatever it holds. No result.
void ProfileFileSwap(int32_t type, const char *current, const char *previous);
// 1 when path opens for reading (a file or a folder).
int ProfileFileExist(const char *path);
// Removes a file or an empty folder; 1 when removed.
int ProfileFileRemove(const char *path);
// Replaces path with data (length bytes) whole, as the service does; a
// replaced file then gets its mode back. 1 when written.
int ProfileFileWriteWhole(const char *path, const void *data, size_t length);

// A back end on two full paths. Paths longer than 254 bytes or empty are
// refused.
class ProfileStorePathBackend : public ProfileStoreBackend
{
  public:
    ProfileStorePathBackend(std::string current, std::string previous)
        : current_(std::move(current)), previous_(std::move(previous))
    {
    }

    bool ReadCurrentList(std::string *content) override;
    int WriteWholeFile(const char *xml, size_t length) override;
    int IsAdminProfile() override;
    void SwapProfile(int32_t type) override;
    int ExistProfile() override;
    int Remove(int32_t selector) override;

  protected:
    // The paths in use now (a subclass may take them from elsewhere on
    // each call); "" when there is none.
    virtual std::string CurrentPath() const { return current_; }
    virtual std::string PreviousPath() const { return previous_; }

  private:
    std::string current_;
    std::string previous_;
};
