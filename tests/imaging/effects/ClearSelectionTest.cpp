#include "imaging/effects/ClearSelection.h"

#include <gtest/gtest.h>

using namespace kalvo;

TEST(ClearSelection, FeatheredMaskBlendsTowardTheBackground)
{
    TBitmap image(3, 1, 24);
    image.fill(RGB(0, 100, 255));
    TBitmap mask(3, 1, 8);
    mask.scanLine(0)[1] = 255;
    mask.scanLine(0)[2] = 102; // 60 % selected
    ASSERT_TRUE(ClearThroughMask(image, mask, RGB(255, 255, 0)));
    EXPECT_EQ(image.pixelColor(0, 0), RGB(255, 255, 0));
    EXPECT_EQ(image.pixelColor(1, 0), RGB(0, 100, 255));
    EXPECT_EQ(image.pixelColor(2, 0), RGB(153, 193, 102));
    TBitmap indexed(3, 1, 8);
    EXPECT_FALSE(ClearThroughMask(indexed, mask, clWhite));
}
