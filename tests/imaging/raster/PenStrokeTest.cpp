#include "imaging/raster/PenStroke.h"
#include "imaging/raster/AntiAliasedLine.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

using namespace kalvo;

namespace {

// The pixels of a greyscale mask that are not 255.
std::map<std::pair<int, int>, int> Marked(const TBitmap& mask)
{
    std::map<std::pair<int, int>, int> marked;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (mask.scanLine(y)[x] != 255)
                marked[{x, y}] = mask.scanLine(y)[x];
    return marked;
}

} // namespace

TEST(AntiAliasedLine, HorizontalLineHasACoreAndSoftSidesAndCaps)
{
    const TBitmap mask = PenStrokeMask(8, 5, {{2, 2}, {4, 2}}, true);
    const std::map<std::pair<int, int>, int> expected{{{1, 2}, 242}, {{5, 2}, 242}, {{2, 2}, 12},  {{3, 2}, 12},
                                                      {{4, 2}, 12},  {{2, 1}, 242}, {{3, 1}, 242}, {{4, 1}, 242},
                                                      {{2, 3}, 242}, {{3, 3}, 242}, {{4, 3}, 242}};
    EXPECT_EQ(Marked(mask), expected);
}

TEST(AntiAliasedLine, ShortDiagonalFollowsTheDistanceWalk)
{
    TBitmap mask = PenStrokeMask(8, 6, {}, true);
    DrawAntiAliasedLine(mask, 1, 1, 5, 3, QRect(0, 0, 8, 6));
    const std::map<std::pair<int, int>, int> expected{
        {{1, 0}, 228}, {{1, 1}, 0},   {{1, 2}, 228}, {{2, 1}, 114}, {{2, 2}, 0}, {{3, 1}, 228}, {{3, 2}, 0},
        {{3, 3}, 228}, {{4, 2}, 114}, {{4, 3}, 0},   {{5, 2}, 228}, {{5, 3}, 0}, {{5, 4}, 228}};
    EXPECT_EQ(Marked(mask), expected);

    TBitmap clipped = PenStrokeMask(8, 6, {}, true);
    DrawAntiAliasedLine(clipped, 1, 1, 5, 3, QRect(0, 0, 3, 2)); // right and bottom excluded
    EXPECT_EQ(Marked(clipped), (std::map<std::pair<int, int>, int>{{{1, 0}, 228}, {{1, 1}, 0}, {{2, 1}, 114}}));
}

TEST(PenStroke, AntiAliasedDiagonalBlendsByTheStrokeValue)
{
    const TBitmap black(8, 6, 24);
    const auto result = DrawPenStroke(black, nullptr, {{1, 1}, {5, 3}}, 0, true, clWhite);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->pixelColor(1, 1), clWhite);            // stroke 0: exactly the colour
    EXPECT_EQ(result->pixelColor(1, 0), RGB(27, 27, 27));    // stroke 228
    EXPECT_EQ(result->pixelColor(2, 1), RGB(141, 141, 141)); // stroke 114
    EXPECT_EQ(result->pixelColor(0, 0), clBlack);

    // Whole results stay whole: 255 * (1 - 141/255) is 114, not one less.
    TBitmap white(8, 6, 24);
    white.fill(clWhite);
    const auto dark = DrawPenStroke(white, nullptr, {{1, 1}, {5, 3}}, 0, true, clBlack);
    ASSERT_TRUE(dark);
    EXPECT_EQ(dark->pixelColor(2, 1), RGB(114, 114, 114));
    EXPECT_EQ(dark->pixelColor(1, 0), RGB(228, 228, 228));
}

TEST(PenStroke, PlainPenLeavesOutTheLastPixelOfEachSegment)
{
    const TBitmap mask = PenStrokeMask(6, 4, {{0, 0}, {3, 0}, {3, 3}}, false);
    const std::map<std::pair<int, int>, int> expected{{{0, 0}, 0}, {{1, 0}, 0}, {{2, 0}, 0},
                                                      {{3, 0}, 0}, {{3, 1}, 0}, {{3, 2}, 0}};
    EXPECT_EQ(Marked(mask), expected);
}

TEST(PenStroke, SelectionAndTransparencyWeightTheStroke)
{
    const TBitmap black(4, 1, 24);
    TBitmap selection(4, 1, 8);
    selection.scanLine(0)[1] = 255;
    selection.scanLine(0)[2] = 51; // 80 % selected
    const auto result = DrawPenStroke(black, &selection, {{0, 0}, {4, 0}}, 50, false, RGB(200, 0, 100));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->pixelColor(0, 0), RGB(100, 0, 50));
    EXPECT_EQ(result->pixelColor(1, 0), clBlack);
    EXPECT_EQ(result->pixelColor(2, 0), RGB(80, 0, 40));

    const auto invisible = DrawPenStroke(black, nullptr, {{0, 0}, {4, 0}}, 100, false, clWhite);
    ASSERT_TRUE(invisible);
    EXPECT_EQ(*invisible, black);
    EXPECT_FALSE(DrawPenStroke(black, nullptr, {{0, 0}}, 0, true, clWhite));
    EXPECT_FALSE(DrawPenStroke(TBitmap(4, 1, 8), nullptr, {{0, 0}, {3, 0}}, 0, true, clWhite));
}
