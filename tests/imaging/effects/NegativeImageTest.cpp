#include "imaging/effects/NegativeImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace kalvo;

TEST(NegativeImage, FeatheredMaskWeightsTheInversion)
{
    TBitmap image(4, 1, 24);
    image.fill(RGB(100, 0, 200));
    TBitmap mask(4, 1, 8);
    const std::uint8_t values[4] = {0, 255, 128, 64};
    std::copy(values, values + 4, mask.scanLine(0));
    ASSERT_TRUE(NegativeImageArea(image, std::nullopt, &mask));
    EXPECT_EQ(image.pixelColor(0, 0), RGB(155, 255, 55));
    EXPECT_EQ(image.pixelColor(1, 0), RGB(100, 0, 200));   // not selected
    EXPECT_EQ(image.pixelColor(2, 0), RGB(127, 127, 128)); // pulled toward the middle
    EXPECT_EQ(image.pixelColor(3, 0), RGB(141, 191, 91));
}

TEST(NegativeImage, WorksInsideTheAreaAndReportsRows)
{
    TBitmap image(5, 4, 24);
    std::vector<int> progress;
    ASSERT_TRUE(NegativeImageArea(image, QRect(1, 1, 3, 2), nullptr, [&](int p) { progress.push_back(p); }));
    EXPECT_EQ(progress, (std::vector<int>{0, 100}));
    EXPECT_EQ(image.pixelColor(1, 1), clWhite);
    EXPECT_EQ(image.pixelColor(3, 2), clWhite);
    EXPECT_EQ(image.pixelColor(0, 1), clBlack);
    EXPECT_EQ(image.pixelColor(4, 2), clBlack);
    EXPECT_EQ(image.pixelColor(1, 3), clBlack);

    TBitmap whole(2, 2, 24);
    ASSERT_TRUE(NegativeImageArea(whole, QRect(-5, -5, 100, 100), nullptr));
    EXPECT_EQ(whole.pixelColor(1, 1), clWhite);

    TBitmap indexed(2, 2, 8);
    const TBitmap before = indexed;
    EXPECT_FALSE(NegativeImageArea(indexed, std::nullopt, nullptr));
    EXPECT_EQ(indexed, before);
}

TEST(NegativeImage, IntoADestinationWritesEveryPixelAsInPlace)
{
    // A destination full of other bytes, as a reused buffer is: every pixel must be written.
    TBitmap source(37, 23, 24);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37 * 3; ++x)
            source.scanLine(y)[x] = std::uint8_t(x * 7 + y * 13);
    TBitmap mask(37, 23, 8);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x)
            mask.scanLine(y)[x] = std::uint8_t(x * 11 + y);
    const TRegionRef region = TRegion::rect({3, 2, 30, 20});
    const TBitmap* masks[] = {nullptr, &mask};
    for (const TBitmap* m : masks) {
        for (const TRegionRef& r : {TRegionRef{}, region}) {
            TBitmap expected = source;
            ASSERT_TRUE(NegativeImage(expected, r, m));
            TBitmap dest = TBitmap::sameLayout(source);
            std::fill(dest.bits(), dest.bits() + dest.byteSize(), std::uint8_t(0xA5));
            ASSERT_TRUE(NegativeImageInto(source, dest, r, m));
            EXPECT_EQ(dest, expected) << (m ? "mask " : "") << (r ? "region" : "");
        }
    }
    TBitmap small(2, 2, 24);
    EXPECT_FALSE(NegativeImageInto(source, small, region, nullptr));
}
