#include "imaging/effects/ClearSelection.h"
#include "image/PaintBitmap.h"
#include "image/PixelBox.h"
#include "image/RegionConvert.h"
#include "support/TestSupport.h"

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

TEST(ClearSelection, RegionOfSeveralRectanglesEqualsAFilledCopyAtEveryByteDepth)
{
    // Bands of one and of two rectangles, one reaching beyond the picture; rows above, between
    // and below them stay.
    TRegion region = TRegion::rect({2, 1, 9, 4});
    TRegion::combine(region, region, TRegion::rect({12, 2, 60, 6}), RGN_OR);
    TRegion::combine(region, region, TRegion::rect({0, 9, 5, 11}), RGN_OR);
    ASSERT_GT(region.rectCount(), 3u);
    for (int bits : {8, 16, 24, 32}) {
        const TBitmap image = test::PatternBitmap(45, 13, bits);
        TBitmap expected = image;
        ASSERT_TRUE(FillRegion(expected, TRegionRef(region), RGB(200, 30, 90)));
        const std::optional<TBitmap> cleared = ClearSelection(image, TRegionRef(region), nullptr, RGB(200, 30, 90));
        ASSERT_TRUE(cleared);
        EXPECT_EQ(*cleared, expected) << bits << " bits"; // padding bytes included
    }
    TBitmap empty(3, 1, 8);
    empty.setPalette({});
    EXPECT_FALSE(ClearSelection(empty, TRegionRef(region), nullptr, clWhite));
}

TEST(ClearSelection, InPlaceEqualsTheCopyInsideTheClearedArea)
{
    const TBitmap picture = test::PatternBitmap(30, 20, 24);
    const TRegionRef region = TRegion::rect({5, 4, 12, 10});
    TBitmap mask = RegionToMask(region, 30, 20);
    mask.scanLine(15)[25] = 100; // the mask decides, also beyond the region's box
    EXPECT_EQ(ClearedArea(picture, region, &mask), QRect(5, 4, 21, 12));
    EXPECT_EQ(ClearedArea(picture, TRegion::rect({20, -3, 40, 6}), nullptr), QRect(20, 0, 10, 6));
    for (const TBitmap* m : {static_cast<const TBitmap*>(&mask), static_cast<const TBitmap*>(nullptr)}) {
        const auto copy = ClearSelection(picture, region, m, RGB(10, 200, 30));
        ASSERT_TRUE(copy);
        TBitmap inPlace = picture;
        ASSERT_TRUE(ClearSelectionInPlace(inPlace, region, m, RGB(10, 200, 30)));
        EXPECT_EQ(inPlace, *copy);
        EXPECT_TRUE(ClearedArea(picture, region, m).contains(*ChangedArea(picture, *copy)));
    }
}
