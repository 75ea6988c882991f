// Key filters of the text fields: which characters a field of a given
// filter kind accepts, over UTF-16 text.
//
// Kinds: 0 printable ASCII; 1 printable ASCII that may stand in a file name
// on the printer; 2 letters and digits; 3 digits; any other value every
// character but the double quote and "+".
#pragma once

#include <cstdint>
#include <string>

enum : int32_t {
    kInputKeyAscii = 0,
    kInputKeyAsciiAppoint = 1, // file names
    kInputKeyAlphaNumeric = 2,
    kInputKeyNumeric = 3,
    kInputKeyWideChar = 4, // and every other value
};

// Each predicate: 1 when the code point is accepted, else 0.
int AsciiKeyFilter(uint32_t codePoint);
int AsciiKeyFilterAppoint(uint32_t codePoint);
int AlphaNumericKeyFilter(uint32_t codePoint);
int NumericKeyFilter(uint32_t codePoint);
int WideCharKeyFilter(uint32_t codePoint);

// Dispatches to the predicate of kind.
int FilterEditTextInputKey(int32_t kind, uint32_t codePoint);

// The code point at index of units (count UTF-16 units); *nextIndex receives
// index + 1. A unit in the surrogate range followed by another unit is
// combined with it, so both halves of a pair yield a value of at least
// 0x10000 and every filter treats the pair as a whole. An index outside the
// units yields 0.
uint32_t UCFindComposedCharAtIndex(const char16_t *units, uint32_t count, uint32_t index,
                                   uint32_t *nextIndex);

// Deletes from string every character that kind refuses. units is a copy of
// the string's count UTF-16 units; nothing is done without units or with a
// count of 0.
void CheckUniCharString(const char16_t *units, uint32_t count, int32_t kind, std::u16string *string);
