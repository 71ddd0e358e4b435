#include "imaging/effects/NegativeImage.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(image.pixelColor(1, 0), RGB(100, 0, 200)); // not selected
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
