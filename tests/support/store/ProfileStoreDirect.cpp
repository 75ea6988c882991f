// The direct back end: the current and previous list are the paths held in
// the two globals (tools and tests set them), written directly.
#include "ProfileStoreDirect.h"

#include "ProfileStore.h"
#include "ProfileStorePathBackend.h"

#include <cstring>

char WQ_PLIST_PROFILE_PATH[TINT_PATH_BUFFER];
char WQ_PLIST_PROFILE_PREV_PATH[TINT_PATH_BUFFER];

namespace
{

// A global that is not a terminated path of at most 254 bytes is refused
// rather than read past its end.
std::string FromGlobal(const char *global)
{
    const size_t length = strnlen(global, TINT_PATH_BUFFER);
    if (length == 0 || length >= TINT_PATH_BUFFER)
        return std::string();
    return std::string(global, length);
}

class GlobalPathBackend : public ProfileStorePathBackend
{
  public:
    GlobalPathBackend() : ProfileStorePathBackend(std::string(), std::string()) {}

  protected:
    std::string CurrentPath() const override { return FromGlobal(WQ_PLIST_PROFILE_PATH); }
    std::string PreviousPath() const override { return FromGlobal(WQ_PLIST_PROFILE_PREV_PATH); }
};

} // namespace

ProfileStore &TintDefaultProfileStore()
{
    static GlobalPathBackend backend;
    static ProfileStore store(backend);
    return store;
}
