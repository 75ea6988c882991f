// Cutting a whole profile list into the pieces of a chunked transfer.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Characters (UTF-16 units) per piece.
inline constexpr std::size_t kTintTransferPieceUnits = 90000;
// Linux refuses a single command-line argument of 128 KiB or more (the limit
// counts the terminating NUL), so a piece must stay below it in bytes.
inline constexpr std::size_t kTintMaxArgumentBytes = 128 * 1024 - 1;

// Splits UTF-8 text into consecutive pieces of maxUnits UTF-16 units, the
// last one shorter. A piece is cut shorter where it would otherwise end
// inside a surrogate pair or exceed maxBytes bytes, so every piece is valid
// UTF-8 on its own. Empty text gives one empty piece. Returns no piece at all
// when text is not valid UTF-8 or a limit is 0.
std::vector<std::string> TintSplitTransferPieces(std::string_view text,
                                                 std::size_t maxUnits = kTintTransferPieceUnits,
                                                 std::size_t maxBytes = kTintMaxArgumentBytes);
