#include "SplitCharEvery.h"

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
