// The 27.3 rule for file names of profiles stored on the printer.
#include "MibWalk.h"

#include <cstring>

namespace
{

constexpr size_t kMaxBase = 27;
constexpr size_t kMaxExtension = 3;

} // namespace

bool FileNameFilter(char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return true;
    // Bytes of 0x80 and above are negative here and never listed.
    return c > 0 && std::strchr("!#$%&'()-.^_`{}~", c) != nullptr;
}

bool bJudgement8point3Format(const char *name)
{
    if (name == nullptr)
        return false;
    // No acceptable name is longer than 27 + 1 + 3 bytes, so the scan never
    // needs to look further than one byte past that.
    const size_t length = strnlen(name, kMaxBase + 1 + kMaxExtension + 1);
    if (length == 0)
        return false;
    const char *dot = static_cast<const char *>(std::memchr(name, '.', length));
    if (dot == nullptr) {
        if (length > kMaxBase)
            return false;
    } else {
        const size_t base = dot - name;
        const size_t extension = length - base - 1;
        if (base < 1 || base > kMaxBase || extension > kMaxExtension)
            return false;
    }
    for (size_t i = 0; i < length; ++i)
        if (!FileNameFilter(name[i]))
            return false;
    return true;
}
