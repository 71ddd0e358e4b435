#include "imaging/raster/BlendThroughMask.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace kalvo;

TEST(BlendThroughMask, MixesByTheMaskValueAndKeepsUnselectedAndOutOfMaskPixels)
{
    TBitmap target(5, 1, 24), source(5, 1, 24), mask(4, 1, 8);
    target.fill(RGB(100, 0, 255));
    source.fill(RGB(200, 255, 0));
    const std::uint8_t values[4] = {0, 255, 100, 254};
    std::memcpy(mask.scanLine(0), values, 4);
    ASSERT_TRUE(BlendThroughMask(target, mask, source));
    EXPECT_EQ(target.pixelColor(0, 0), RGB(200, 255, 0));
    EXPECT_EQ(target.pixelColor(1, 0), RGB(100, 0, 255));
    // ((255 - 100) * s + 100 * t) div 255 per channel.
    EXPECT_EQ(target.pixelColor(2, 0), RGB((155 * 200 + 100 * 100) / 255, 155 * 255 / 255, 100 * 255 / 255));
    EXPECT_EQ(target.pixelColor(3, 0), RGB((200 + 254 * 100) / 255, 1, 254));
    EXPECT_EQ(target.pixelColor(4, 0), RGB(100, 0, 255)); // beyond the mask
}

TEST(BlendThroughMask, WritesNothingForOtherDepths)
{
    TBitmap target(2, 1, 8), source(2, 1, 24), mask(2, 1, 8);
    const TBitmap before = target;
    EXPECT_FALSE(BlendThroughMask(target, mask, source));
    EXPECT_EQ(target, before);
    TBitmap t24(2, 1, 24), m24(2, 1, 24);
    EXPECT_FALSE(BlendThroughMask(t24, m24, source));
}
