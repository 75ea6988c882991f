#include "TextInputFilter.h"

namespace
{

// The characters a file name on the printer must not hold besides those
// outside printable ASCII.
constexpr char kFileNameRefused[] = " \"*+,/:;<=>?@[\\]|";

bool isPrintableAscii(uint32_t c)
{
    return c >= 32 && c <= 126;
}

} // namespace

int AsciiKeyFilter(uint32_t codePoint)
{
    return isPrintableAscii(codePoint) ? 1 : 0;
}

int AsciiKeyFilterAppoint(uint32_t codePoint)
{
    if (!isPrintableAscii(codePoint))
        return 0;
    for (const char *p = kFileNameRefused; *p; ++p) {
        if (static_cast<uint32_t>(*p) == codePoint)
            return 0;
    }
    return 1;
}

int AlphaNumericKeyFilter(uint32_t codePoint)
{
    bool ok = (codePoint >= '0' && codePoint <= '9') || (codePoint >= 'A' && codePoint <= 'Z') ||
              (codePoint >= 'a' && codePoint <= 'z');
    return ok ? 1 : 0;
}

int NumericKeyFilter(uint32_t codePoint)
{
    return (codePoint >= '0' && codePoint <= '9') ? 1 : 0;
}

int WideCharKeyFilter(uint32_t codePoint)
{
    return (codePoint == '"' || codePoint == '+') ? 0 : 1;
}

int FilterEditTextInputKey(int32_t kind, uint32_t codePoint)
{
    switch (kind) {
    case kInputKeyAscii:
        return AsciiKeyFilter(codePoint);
    case kInputKeyAsciiAppoint:
        return AsciiKeyFilterAppoint(codePoint);
    case kInputKeyAlphaNumeric:
        return AlphaNumericKeyFilter(codePoint);
    case kInputKeyNumeric:
        return NumericKeyFilter(codePoint);
    default:
        return WideCharKeyFilter(codePoint);
    }
}

uint32_t UCFindComposedCharAtIndex(const char16_t *units, uint32_t count, uint32_t index, uint32_t *nextIndex)
{
    if (nextIndex)
        *nextIndex = index + 1;
    if (!units || index >= count)
        return 0;
    uint32_t u = units[index];
    if (u >= 0xD800 && u <= 0xDFFF && index + 1 < count) {
        uint32_t v = units[index + 1];
        return (((u & 0x3FF) << 10) | (v & 0x3FF)) + 0x10000;
    }
    return u;
}

void CheckUniCharString(const char16_t *units, uint32_t count, int32_t kind, std::u16string *string)
{
    if (!units || count == 0 || !string)
        return;
    // c follows the position in string of the unit that i reads in the copy;
    // it stays put when a unit is deleted.
    int64_t c = 0;
    uint32_t i = 0;
    while (i < count) {
        uint32_t next = i + 1;
        uint32_t codePoint = UCFindComposedCharAtIndex(units, count, i, &next);
        if (!FilterEditTextInputKey(kind, codePoint)) {
            if (c >= 0 && static_cast<uint64_t>(c) < string->size())
                string->erase(static_cast<size_t>(c), 1);
            --c;
        }
        i = next;
        ++c;
    }
}
