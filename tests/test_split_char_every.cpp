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
}
