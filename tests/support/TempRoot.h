// A temporary root for one test: TINT_ROOT points at it while it lives, the
// printer preferences folder exists in it, and the built Tintrelay (and
// Tintvault beside it) are linked at their installed paths when they have
// been built. Everything is removed again at the end.
#pragma once

#include <functional>
#include <string>

class TempRoot
{
  public:
    TempRoot();
    ~TempRoot();
    TempRoot(const TempRoot &) = delete;
    TempRoot &operator=(const TempRoot &) = delete;

    const std::string &path() const { return root_; }
    // The printer preferences folder inside this root, ending with '/'.
    std::string preferences() const;
    // Full path of a file in the preferences folder.
    std::string prefFile(const std::string &name) const;
    // The profile list file of the current user ("<login>-QV-MR52-profile.plist").
    std::string currentList() const;
    std::string previousList() const;
    // Makes the tree writable by everybody and copies the staged programs,
    // bundle and data into it (for tests that drop privileges).
    void openToAll() const;

  private:
    std::string root_;
    std::string savedRoot_;
    bool hadRoot_ = false;
};

// Reads a whole file; "" when it cannot be read.
std::string ReadFile(const std::string &path);
// Writes a whole file; false on failure.
bool WriteFile(const std::string &path, const std::string &content);
bool FileExists(const std::string &path);
// Runs a shell command and returns its standard output; status receives the
// exit status.
std::string RunCommand(const std::string &command, int *status = nullptr);

// Polls condition every 10 ms until it holds (true) or seconds have passed
// (false): every wait of a test on another process has its own deadline, so
// a lost event fails with the caller's message instead of hanging.
bool WaitUntil(const std::function<bool()> &condition, double seconds = 30);

// A 64 KiB tmpfs on an existing folder (root only: else why() says why),
// unmounted with the object; fill() fills it to the last block.
class SmallDisk
{
  public:
    explicit SmallDisk(const std::string &folder);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool mounted() const { return why_.empty(); }
    const std::string &why() const { return why_; }
    void fill() const;

  private:
    std::string folder_;
    std::string why_;
};
