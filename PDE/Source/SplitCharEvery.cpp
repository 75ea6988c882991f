#include "SplitCharEvery.h"

#include <cstdint>

std::vector<std::u16string> splitCharEvery(std::u16string_view text, unsigned n)
{
    std::vector<std::u16string> pieces;
    if (n == 0)
        return pieces;
    if (text.size() <= n) {
        pieces.emplace_back(text);
        return pieces;
    }
    pieces.reserve((text.size() + n - 1) / n);
    for (size_t at = 0; at < text.size(); at += n)
        pieces.emplace_back(text.substr(at, n));
    return pieces;
}

namespace
{

// One code point decoded from UTF-8 at s[*at]; false on malformed input
// (overlong forms, surrogates and values above U+10FFFF included).
bool DecodeUtf8(std::string_view s, size_t *at, char32_t *cp)
{
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
    uint8_t b0 = byte(*at);
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
    if (*at + len > s.size())
        return false;
    for (size_t i = 1; i < len; ++i) {
        uint8_t b = byte(*at + i);
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

} // namespace

bool splitUtf8CharEvery(std::string_view utf8, unsigned n, std::vector<std::string> *pieces)
{
    pieces->clear();
    if (n == 0)
        return false;
    std::string piece;
    unsigned units = 0;
    size_t at = 0;
    while (at < utf8.size()) {
        size_t start = at;
        char32_t cp;
        if (!DecodeUtf8(utf8, &at, &cp)) {
            pieces->clear();
            return false;
        }
        unsigned width = cp > 0xFFFF ? 2 : 1;
        if (width > n) {
            pieces->clear();
            return false;
        }
        if (units + width > n) {
            pieces->push_back(std::move(piece));
            piece.clear();
            units = 0;
        }
        piece.append(utf8.substr(start, at - start));
        units += width;
    }
    pieces->push_back(std::move(piece));
    return true;
}
