// The store's back end on two full paths, for tests, tools, benches and
// fuzz targets: reads, probes and writes the files there directly
// (ProfileFileOps.h).
#pragma once

#include "ProfileStoreBackend.h"

#include <string>

// A back end on two full paths: reads, probes and writes the files there
// directly. Paths longer than 254 bytes or empty are refused.
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
