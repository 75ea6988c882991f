#include "TintText.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace
{

// Decodes the character at text[*at]; false on malformed UTF-8 (overlong
// forms, surrogates and values above U+10FFFF included).
bool NextCodePoint(std::string_view text, std::size_t *at, char32_t *cp)
{
    const auto *p = reinterpret_cast<const unsigned char *>(text.data());
    const std::size_t i = *at;
    const unsigned char c = p[i];
    if (c < 0x80) {
        *cp = c;
        *at += 1;
        return true;
    }
    const std::size_t len = TintUtf8SequenceLength(c);
    if (len == 0 || i + len > text.size())
        return false;
    // Second byte ranges exclude overlong forms, surrogates and > U+10FFFF.
    unsigned char lo = 0x80, hi = 0xBF;
    if (c == 0xE0)
        lo = 0xA0;
    else if (c == 0xED)
        hi = 0x9F;
    else if (c == 0xF0)
        lo = 0x90;
    else if (c == 0xF4)
        hi = 0x8F;
    if (p[i + 1] < lo || p[i + 1] > hi)
        return false;
    char32_t value = c & (0x7F >> len);
    for (std::size_t k = 1; k < len; ++k) {
        if ((p[i + k] & 0xC0) != 0x80)
            return false;
        value = (value << 6) | (p[i + k] & 0x3F);
    }
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

struct IconvCloser {
    void operator()(void *cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};

} // namespace

std::size_t TintUtf8SequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

bool TintIsValidUtf8(std::string_view text)
{
    char32_t cp;
    for (std::size_t at = 0; at < text.size();) {
        if (!NextCodePoint(text, &at, &cp))
            return false;
    }
    return true;
}

bool TintIsXmlSafeUtf8(std::string_view text)
{
    char32_t cp;
    for (std::size_t at = 0; at < text.size();) {
        if (!NextCodePoint(text, &at, &cp) || !IsXmlChar(cp))
            return false;
    }
    return true;
}

bool TintHasNoXmlForbiddenControls(std::string_view text)
{
    for (unsigned char c : text) {
        if (!IsXmlChar(c))
            return false;
    }
    return true;
}

std::size_t TintUtf8CutLength(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit)
        return text.size();
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return end;
}

int TintHexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool TintPercentDecode(std::string_view text, TintBadEscape bad, std::string *out)
{
    out->clear();
    out->reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            *out += text[i];
            continue;
        }
        const int hi = i + 2 < text.size() ? TintHexDigitValue(text[i + 1]) : -1;
        const int lo = i + 2 < text.size() ? TintHexDigitValue(text[i + 2]) : -1;
        const bool escape = hi >= 0 && lo >= 0;
        if (bad == TintBadEscape::Refuse && (!escape || (hi == 0 && lo == 0))) {
            out->clear();
            return false;
        }
        if (!escape) {
            *out += '%';
            continue;
        }
        *out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return true;
}

std::string TintPercentEncode(std::string_view text, std::string_view keep)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '.' || c == '_' || c == '~';
        if (unreserved || keep.find(static_cast<char>(c)) != std::string_view::npos) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0xF];
        }
    }
    return out;
}

std::string TintUtf8ToCharset(std::string_view text, const char *codeset)
{
    iconv_t raw = iconv_open(codeset && *codeset ? codeset : "UTF-8", "UTF-8");
    if (raw == reinterpret_cast<iconv_t>(-1))
        return std::string(text);
    std::unique_ptr<void, IconvCloser> cd(raw);
    std::string out;
    char buffer[512];
    char *in = const_cast<char *>(text.data());
    size_t inLeft = text.size();
    while (inLeft > 0) {
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t r = iconv(raw, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, sizeof buffer - outLeft);
        if (r != static_cast<size_t>(-1) || errno == E2BIG)
            continue;
        // One character that does not convert (or a broken sequence): '?'
        // in its place, then go on after its UTF-8 bytes.
        out += '?';
        size_t skip = 1;
        while (skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80)
            ++skip;
        in += skip;
        inLeft -= skip;
        iconv(raw, nullptr, nullptr, nullptr, nullptr);
    }
    char *outPtr = buffer;
    size_t outLeft = sizeof buffer;
    iconv(raw, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, sizeof buffer - outLeft);
    return out;
}
