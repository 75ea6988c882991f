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

// The same over UTF-8 text, counting UTF-16 units, but a cut never falls
// between the two halves of a surrogate pair (that piece gets n - 1 units), so
// every piece is valid UTF-8 on its own. Returns false (pieces emptied) for
// n = 0, or n = 1 when the text holds a character outside the BMP, or text
// that is not valid UTF-8.
bool splitUtf8CharEvery(std::string_view utf8, unsigned n, std::vector<std::string> *pieces);
