#include "ListLocks.h"

#include <map>

namespace
{

struct Entry {
    std::shared_ptr<std::mutex> mutex;
    int users = 0;
};

std::mutex gRegistryMutex;
std::map<std::string, Entry> gRegistry;

bool EndsWith(const std::string &text, const std::string &suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

std::string ListLock::ListOf(const std::string &fileName)
{
    static const std::string kPrev = "-profile.prev.plist";
    static const std::string kDummy = "-profile.plist.dummy";
    if (EndsWith(fileName, kPrev))
        return fileName.substr(0, fileName.size() - kPrev.size()) + "-profile.plist";
    if (EndsWith(fileName, kDummy))
        return fileName.substr(0, fileName.size() - std::string(".dummy").size());
    return fileName;
}

ListLock::ListLock(const std::string &fileName) : key_(ListOf(fileName))
{
    {
        std::lock_guard<std::mutex> registry(gRegistryMutex);
        Entry &entry = gRegistry[key_];
        if (!entry.mutex)
            entry.mutex = std::make_shared<std::mutex>();
        ++entry.users;
        mutex_ = entry.mutex;
    }
    mutex_->lock();
}

ListLock::~ListLock()
{
    mutex_->unlock();
    std::lock_guard<std::mutex> registry(gRegistryMutex);
    auto it = gRegistry.find(key_);
    if (it != gRegistry.end() && --it->second.users == 0)
        gRegistry.erase(it);
}
