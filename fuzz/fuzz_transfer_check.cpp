// The check a transfer file passes before it may replace a profile list.
#include "PropertyListShape.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TintIsPropertyListText(std::string_view(reinterpret_cast<const char *>(data), size));
    return 0;
}
