// Which texts the store may put into a list file.
#include "ProfilePlist.h"

namespace
{

// Decodes one code point at text[*at]; false on malformed UTF-8 (overlong
// forms, surrogates and values above U+10FFFF included).
bool NextCodePoint(const unsigned char *text, size_t length, size_t *at, char32_t *cp)
{
    unsigned char b0 = text[*at];
    size_t len;
    char32_t value;
    if (b0 < 0x80) {
        *cp = b0;
        *at += 1;
        return true;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        value = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        value = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        value = b0 & 0x07;
    } else {
        return false;
    }
    if (*at + len > length)
        return false;
    for (size_t i = 1; i < len; ++i) {
        unsigned char b = text[*at + i];
        if ((b & 0xC0) != 0x80)
            return false;
        value = (value << 6) | (b & 0x3F);
    }
    static const char32_t kMinimum[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kMinimum[len] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return false;
    *cp = value;
    *at += len;
    return true;
}

bool IsXmlChar(char32_t cp)
{
    if (cp < 0x20)
        return cp == 0x9 || cp == 0xA || cp == 0xD;
    return cp != 0xFFFE && cp != 0xFFFF;
}

} // namespace

bool IsValidUtf8(const char *text, size_t length)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(text);
    char32_t cp;
    for (size_t at = 0; at < length;) {
        if (!NextCodePoint(bytes, length, &at, &cp))
            return false;
    }
    return true;
}

bool IsXmlSafeUtf8(const char *text, size_t length)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(text);
    char32_t cp;
    for (size_t at = 0; at < length;) {
        if (!NextCodePoint(bytes, length, &at, &cp) || !IsXmlChar(cp))
            return false;
    }
    return true;
}
