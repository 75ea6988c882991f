#include "SplitCharEvery.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::vector<size_t> Sizes(const std::vector<std::u16string> &pieces)
{
    std::vector<size_t> sizes;
    for (const auto &piece : pieces)
        sizes.push_back(piece.size());
    return sizes;
}

} // namespace

TEST(SplitCharEvery, PieceSizes)
{
    struct Case {
        size_t length;
        unsigned n;
        std::vector<size_t> sizes;
    };
    const Case cases[] = {
        {0, 90000, {0}},
        {1, 1, {1}},
        {5, 5, {5}},
        {5, 2, {2, 2, 1}},
        {180000, 90000, {90000, 90000}},
        {180001, 90000, {90000, 90000, 1}},
        {3, 7, {3}},
    };
    for (const Case &c : cases) {
        std::u16string text;
        for (size_t i = 0; i < c.length; ++i)
            text += static_cast<char16_t>(u'a' + i % 26);
        auto pieces = splitCharEvery(text, c.n);
        EXPECT_EQ(Sizes(pieces), c.sizes) << "length " << c.length << " n " << c.n;
        std::u16string joined;
        for (const auto &piece : pieces)
            joined += piece;
        EXPECT_EQ(joined, text);
    }
}

TEST(SplitCharEvery, ZeroIsRefused)
{
    EXPECT_TRUE(splitCharEvery(u"abc", 0).empty());
    EXPECT_TRUE(splitCharEvery(u"", 0).empty());
    std::vector<std::string> pieces{"stale"};
    EXPECT_FALSE(splitUtf8CharEvery("abc", 0, &pieces));
    EXPECT_TRUE(pieces.empty());
}

TEST(SplitCharEvery, Utf8PiecesCountUtf16Units)
{
    // "é" is one unit (two bytes), "𝄞" two units (four bytes).
    struct Case {
        std::string text;
        unsigned n;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {"", 3, {""}},
        {"abcdefg", 3, {"abc", "def", "g"}},
        {"\xC3\xA9\xC3\xA9\xC3\xA9x", 2, {"\xC3\xA9\xC3\xA9", "\xC3\xA9x"}},
        // A cut between the halves of a surrogate pair moves before the pair.
        {"ab\xF0\x9D\x84\x9E"
         "c",
         3,
         {"ab", "\xF0\x9D\x84\x9E"
                "c"}},
        {"a\xF0\x9D\x84\x9E"
         "c",
         3,
         {"a\xF0\x9D\x84\x9E", "c"}},
    };
    for (const Case &c : cases) {
        std::vector<std::string> pieces;
        ASSERT_TRUE(splitUtf8CharEvery(c.text, c.n, &pieces)) << c.text;
        EXPECT_EQ(pieces, c.pieces) << c.text;
    }
}

TEST(SplitCharEvery, Utf8Refusals)
{
    std::vector<std::string> pieces;
    EXPECT_FALSE(splitUtf8CharEvery("ab\xFF", 2, &pieces)) << "invalid byte";
    EXPECT_FALSE(splitUtf8CharEvery("\xC0\xAF", 2, &pieces)) << "overlong form";
    EXPECT_FALSE(splitUtf8CharEvery("\xED\xA0\x80", 2, &pieces)) << "encoded surrogate";
    EXPECT_FALSE(splitUtf8CharEvery("ab\xE2\x82", 2, &pieces)) << "truncated sequence";
    EXPECT_FALSE(splitUtf8CharEvery("\xF0\x9D\x84\x9E", 1, &pieces)) << "pair cannot fit in one unit";
    EXPECT_TRUE(pieces.empty());
}
