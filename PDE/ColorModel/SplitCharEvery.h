// Cutting text into pieces of a fixed number of UTF-16 units (the chunked
// transfer of a profile list sends the XML text in such pieces).
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Pieces of n units in order, the last one 1 to n units; text of at most n
// units (the empty text included) is one piece. n = 0 is refused: the result
// is empty (a valid result always holds at least one piece).
std::vector<std::u16string> splitCharEvery(std::u16string_view text, unsigned n);
