// The region entry points of the negative, the clear and the pen.
#include "imaging/effects/ClearSelection.h"
#include "imaging/effects/NegativeImage.h"
#include "imaging/raster/PenStroke.h"

#include <gtest/gtest.h>

using namespace kalvo;

TEST(SelectionEntry, NegativeWithoutAMaskInvertsInsideTheRegionOnly)
{
    TBitmap image(6, 4, 24);
    const TRegionRef region = TRegion::rect({1, 1, 3, 3});
    ASSERT_TRUE(NegativeImage(image, region, nullptr));
    EXPECT_EQ(image.pixelColor(1, 1), clWhite);
    EXPECT_EQ(image.pixelColor(2, 2), clWhite);
    EXPECT_EQ(image.pixelColor(3, 2), clBlack);
    EXPECT_EQ(image.pixelColor(0, 0), clBlack);
    TBitmap whole(2, 2, 24);
    ASSERT_TRUE(NegativeImage(whole, TRegionRef{}, nullptr));
    EXPECT_EQ(whole.pixelColor(1, 1), clWhite);
}

TEST(SelectionEntry, ClearFillsTheRegionAtEveryDepth)
{
    const TRegionRef region = TRegion::rect({1, 0, 3, 1});
    TBitmap grey(4, 1, 8); // grey palette
    const auto cleared = ClearSelection(grey, region, nullptr, RGB(100, 101, 99));
    ASSERT_TRUE(cleared);
    EXPECT_EQ(cleared->scanLine(0)[0], 0);
    EXPECT_EQ(cleared->scanLine(0)[1], 100);
    EXPECT_EQ(cleared->scanLine(0)[2], 100);
    EXPECT_EQ(cleared->scanLine(0)[3], 0);

    TBitmap nibbles(4, 1, 4);
    EXPECT_EQ(ClearSelection(nibbles, region, nullptr, RGB(255, 0, 0))->scanLine(0)[0], 0x09);

    TBitmap rgb(4, 1, 24);
    EXPECT_EQ(ClearSelection(rgb, region, nullptr, RGB(1, 2, 3))->pixelColor(2, 0), RGB(1, 2, 3));
    TBitmap mask(4, 1, 8);
    mask.scanLine(0)[0] = 255;
    const auto blended = ClearSelection(rgb, region, &mask, clWhite); // the mask decides
    EXPECT_EQ(blended->pixelColor(0, 0), clBlack);
    EXPECT_EQ(blended->pixelColor(3, 0), clWhite);
    TBitmap quad(4, 1, 32);
    EXPECT_EQ(ClearSelection(quad, region, nullptr, RGB(1, 2, 3))->scanLine(0)[4], 3);

    EXPECT_FALSE(ClearSelection(rgb, TRegionRef{}, nullptr, clWhite));
    TBitmap noPalette(4, 1, 8);
    noPalette.setPalette({});
    EXPECT_FALSE(ClearSelection(noPalette, region, nullptr, clWhite));
}

TEST(SelectionEntry, PenWithoutAMaskDrawsInsideTheRegion)
{
    const TBitmap black(6, 1, 24);
    const auto result = DrawPenStroke(black, nullptr, {{0, 0}, {6, 0}}, 0, false, TRegion::rect({2, 0, 4, 1}), clWhite);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->pixelColor(1, 0), clBlack);
    EXPECT_EQ(result->pixelColor(2, 0), clWhite);
    EXPECT_EQ(result->pixelColor(3, 0), clWhite);
    EXPECT_EQ(result->pixelColor(4, 0), clBlack);
}
