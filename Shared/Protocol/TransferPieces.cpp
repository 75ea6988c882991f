#include "TransferPieces.h"

#include "TintText.h"

std::vector<std::string> TintSplitTransferPieces(std::string_view text, std::size_t maxUnits,
                                                 std::size_t maxBytes)
{
    std::vector<std::string> pieces;
    if (maxUnits == 0 || maxBytes < 4 || !TintIsValidUtf8(text))
        return pieces;
    if (text.empty()) {
        pieces.emplace_back();
        return pieces;
    }

    std::size_t start = 0;
    std::size_t pos = 0;
    std::size_t units = 0;
    while (pos < text.size()) {
        const std::size_t len = TintUtf8SequenceLength(static_cast<unsigned char>(text[pos]));
        // Four-byte sequences are the characters outside the BMP: one
        // surrogate pair, kept whole.
        const std::size_t charUnits = len == 4 ? 2 : 1;
        if (units + charUnits > maxUnits || pos + len - start > maxBytes) {
            pieces.emplace_back(text.substr(start, pos - start));
            start = pos;
            units = 0;
        }
        units += charUnits;
        pos += len;
    }
    pieces.emplace_back(text.substr(start));
    return pieces;
}
