// UTF-8 checks shared by the relay call, the relay and the service.
#pragma once

#include <cstddef>
#include <string_view>

// True when text is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF). NUL bytes are allowed.
bool TintIsValidUtf8(std::string_view text);

// Length in bytes of the UTF-8 sequence that starts with lead (1 to 4), or 0
// for a byte that cannot start one. Assumes well-formed text.
std::size_t TintUtf8SequenceLength(unsigned char lead);
