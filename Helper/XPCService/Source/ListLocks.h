// A lock per profile list: every request that changes one user's list files
// (a walk's read and write, a transfer's rename, a swap, a whole write) holds
// the lock of that list, so they follow one another while requests for other
// lists run beside them.
#pragma once

#include <memory>
#include <mutex>
#include <string>

class ListLock
{
  public:
    // Blocks until the list that fileName belongs to (the list itself, its
    // previous list or a transfer file of it) is free, then holds it.
    explicit ListLock(const std::string &fileName);
    ~ListLock();
    ListLock(const ListLock &) = delete;
    ListLock &operator=(const ListLock &) = delete;

    // The name of the list a file of the preferences folder belongs to.
    static std::string ListOf(const std::string &fileName);

  private:
    std::string key_;
    std::shared_ptr<std::mutex> mutex_;
};
