// Text handling shared by every floor: UTF-8 checks and cutting, the
// characters XML may hold, percent escapes and conversion to a locale's
// character set. Nothing here allocates more than its result.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// True when text is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF). NUL bytes are allowed.
bool TintIsValidUtf8(std::string_view text);

// True when text is well-formed UTF-8 and every character is one XML 1.0
// allows (tab, line feed and carriage return the only controls; no U+FFFE,
// U+FFFF).
bool TintIsXmlSafeUtf8(std::string_view text);

// True when text holds no control character that XML 1.0 forbids (tab, line
// feed and carriage return are allowed); other bytes are not looked at, so
// text in any ASCII-compatible encoding passes.
bool TintHasNoXmlForbiddenControls(std::string_view text);

// Length in bytes of the UTF-8 sequence that starts with lead (1 to 4), or 0
// for a byte that cannot start one. Assumes well-formed text.
std::size_t TintUtf8SequenceLength(unsigned char lead);

// The longest length of at most limit bytes at which text can be cut without
// splitting a character (text itself when it is no longer than limit).
std::size_t TintUtf8CutLength(std::string_view text, std::size_t limit);

// The value of one hexadecimal digit, or -1.
int TintHexDigitValue(char c);

// What a '%' that is not followed by two hexadecimal digits does.
enum class TintBadEscape {
    Keep,   // it stays as it is, and so does an escaped NUL
    Refuse, // the decoding fails; an escaped NUL fails it as well
};

// Replaces every "%XY" escape of text. False (and *out empty) only under
// TintBadEscape::Refuse.
bool TintPercentDecode(std::string_view text, TintBadEscape bad, std::string *out);

// Escapes every byte as "%XY" (upper case) but ASCII letters, digits,
// "-._~" and the bytes of keep.
std::string TintPercentEncode(std::string_view text, std::string_view keep);

// UTF-8 text in the character set codeset (the text unchanged when the
// conversion is not available); a character the set cannot hold, or a
// broken sequence, becomes '?'.
std::string TintUtf8ToCharset(std::string_view text, const char *codeset);
