#include "imaging/effects/FloatingPixels.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kalvo {
namespace {

using test::PatternBitmap;

TEST(FloatingPixels, MergeClampsTransparencyAndConvertsBothToTrueColour)
{
    TBitmap target = PatternBitmap(6, 5, 8);
    const TBitmap original = target.toTrueColor();
    TBitmap picture(3, 3, 24);
    picture.fill(RGB(100, 50, 25));
    // Above 100 counts as 100: nothing changes, still full colour.
    ASSERT_TRUE(MergeFloating(target, std::nullopt, picture, 250, 1, 2, std::nullopt));
    EXPECT_EQ(target.bitCount(), 24);
    EXPECT_EQ(target, original);
    // Below 0 counts as 0: the picture's pixels.
    ASSERT_TRUE(MergeFloating(target, std::nullopt, picture, -5, -1, 4, TRegion::rect({0, 0, 3, 3})));
    EXPECT_EQ(target.pixelColor(4, 0), RGB(100, 50, 25));
    EXPECT_EQ(target.pixelColor(5, 1), RGB(100, 50, 25));
    EXPECT_EQ(target.pixelColor(3, 0), original.pixelColor(3, 0));
    EXPECT_EQ(target.pixelColor(4, 2), original.pixelColor(4, 2));
}

TEST(FloatingPixels, MoveFillsTheHoleWithTheNearestEntryAndCopyKeepsTheSource)
{
    const TBitmap image = PatternBitmap(8, 4, 24);
    const TRegion region = TRegion::rect({0, 0, 2, 2});
    const TBitmap moved = MoveSelectedPixels(image, region, 6, 2, false, RGB(4, 5, 6));
    EXPECT_EQ(moved.pixelColor(0, 0), RGB(4, 5, 6));
    EXPECT_EQ(moved.pixelColor(7, 3), image.pixelColor(1, 1));
    const TBitmap copied = MoveSelectedPixels(image, region, 6, 2, true, RGB(4, 5, 6));
    EXPECT_EQ(copied.pixelColor(0, 0), image.pixelColor(0, 0));
    EXPECT_EQ(copied.pixelColor(6, 2), image.pixelColor(0, 0));
}

} // namespace
} // namespace kalvo
