#include "PropertyListLimits.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace
{

bool TagNameIs(const char *at, const char *end, const char *name)
{
    const size_t length = std::strlen(name);
    if (static_cast<size_t>(end - at) < length || std::memcmp(at, name, length) != 0)
        return false;
    return at + length == end || at[length] == '>' || at[length] == '/' || at[length] == ' ' ||
           at[length] == '\t' || at[length] == '\n' || at[length] == '\r';
}

// XML text: the depth of <dict> and <array> elements stays within the limit.
// Text that merely looks like such a tag (in a comment) is counted as well,
// which only ever refuses more.
bool XmlNestingWithin(std::string_view text, int maxDepth)
{
    int depth = 0;
    const char *end = text.data() + text.size();
    for (const char *at = text.data(); at < end; ++at) {
        if (*at != '<')
            continue;
        const char *name = at + 1;
        const bool closing = name < end && *name == '/';
        if (closing)
            ++name;
        if (!TagNameIs(name, end, "dict") && !TagNameIs(name, end, "array"))
            continue;
        const char *close = static_cast<const char *>(std::memchr(name, '>', end - name));
        if (close == nullptr)
            return false;
        if (closing)
            --depth;
        else if (close[-1] != '/' && ++depth > maxDepth)
            return false;
        at = close;
    }
    return true;
}

uint64_t BigEndian(const unsigned char *at, size_t size)
{
    uint64_t value = 0;
    for (size_t i = 0; i < size; ++i)
        value = (value << 8) | at[i];
    return value;
}

// Binary property list: the containers reachable from the top object nest
// within the limit. Walked with an explicit stack; a structure this walk
// cannot follow is refused as well.
bool BinaryNestingWithin(std::string_view text, int maxDepth)
{
    const auto *data = reinterpret_cast<const unsigned char *>(text.data());
    const size_t size = text.size();
    if (size < 8 + 32)
        return false;
    const unsigned char *trailer = data + size - 32;
    const size_t offsetSize = trailer[6];
    const size_t refSize = trailer[7];
    const uint64_t objects = BigEndian(trailer + 8, 8);
    const uint64_t top = BigEndian(trailer + 16, 8);
    const uint64_t table = BigEndian(trailer + 24, 8);
    if (offsetSize < 1 || offsetSize > 8 || refSize < 1 || refSize > 8 || objects == 0 || top >= objects ||
        table >= size || objects > (size - table) / offsetSize)
        return false;
    const auto offsetOf = [&](uint64_t object, uint64_t *offset) {
        *offset = BigEndian(data + table + object * offsetSize, offsetSize);
        return *offset < size;
    };
    struct Pending {
        uint64_t object;
        int depth;
    };
    std::vector<Pending> stack{{top, 0}};
    // Shared sub-objects are visited once per reference; bound the work.
    uint64_t budget = 4u * 1024u * 1024u;
    while (!stack.empty()) {
        const Pending item = stack.back();
        stack.pop_back();
        if (budget-- == 0)
            return false;
        uint64_t offset = 0;
        if (!offsetOf(item.object, &offset))
            return false;
        const unsigned type = data[offset] >> 4;
        if (type != 0xA && type != 0xC && type != 0xD)
            continue;
        if (item.depth + 1 > maxDepth)
            return false;
        uint64_t count = data[offset] & 0x0F;
        size_t at = offset + 1;
        if (count == 0x0F) {
            if (at >= size || (data[at] >> 4) != 0x1)
                return false;
            const size_t intSize = size_t{1} << (data[at] & 0x0F);
            if (intSize > 8 || at + 1 + intSize > size)
                return false;
            count = BigEndian(data + at + 1, intSize);
            at += 1 + intSize;
        }
        const uint64_t refs = type == 0xD ? count * 2 : count;
        if (count > size || refs > (size - at) / refSize)
            return false;
        for (uint64_t r = 0; r < refs; ++r) {
            const uint64_t child = BigEndian(data + at + r * refSize, refSize);
            if (child >= objects)
                return false;
            stack.push_back({child, item.depth + 1});
        }
    }
    return true;
}

} // namespace

bool TintPropertyListNestingWithin(std::string_view text, int maxDepth)
{
    if (text.compare(0, 6, "bplist") == 0)
        return BinaryNestingWithin(text, maxDepth);
    return XmlNestingWithin(text, maxDepth);
}

bool TintPropertyListHoldsNul(std::string_view text)
{
    if (text.substr(0, 6) != "bplist")
        return text.find('\0') != std::string_view::npos;
    const auto *data = reinterpret_cast<const unsigned char *>(text.data());
    const size_t size = text.size();
    if (size < 8 + 32)
        return false; // not a list libplist reads
    const unsigned char *trailer = data + size - 32;
    const size_t offsetSize = trailer[6];
    const uint64_t objects = BigEndian(trailer + 8, 8);
    const uint64_t table = BigEndian(trailer + 24, 8);
    if (offsetSize < 1 || offsetSize > 8 || table >= size - 32)
        return false;
    const uint64_t listed = std::min<uint64_t>(objects, (size - 32 - table) / offsetSize);
    for (uint64_t i = 0; i < listed; ++i) {
        const uint64_t at = BigEndian(data + table + i * offsetSize, offsetSize);
        if (at >= size)
            continue;
        const unsigned kind = data[at] >> 4;
        if (kind != 0x5 && kind != 0x6) // ASCII and UTF-16 texts
            continue;
        uint64_t length = data[at] & 0x0F;
        uint64_t start = at + 1;
        if (length == 0x0F) {
            if (start >= size || (data[start] >> 4) != 0x1)
                continue;
            const size_t bytes = size_t{1} << (data[start] & 0x0F);
            if (bytes > 8 || start + 1 + bytes > size)
                continue;
            length = BigEndian(data + start + 1, bytes);
            start += 1 + bytes;
        }
        // A text running past the end is left to the parser to refuse.
        const uint64_t unit = kind == 0x5 ? 1 : 2;
        if (start > size || length > (size - start) / unit)
            continue;
        for (uint64_t c = 0; c < length; ++c) {
            const unsigned char *u = data + start + c * unit;
            if (u[0] == 0 && (unit == 1 || u[1] == 0))
                return true;
        }
    }
    return false;
}
