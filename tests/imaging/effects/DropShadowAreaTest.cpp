#include "imaging/effects/DropShadowArea.h"
#include "image/Outline.h"
#include "image/RegionConvert.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace kalvo;

namespace {

TBitmap Picture(int width, int height)
{
    TBitmap bmp(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = bmp.scanLine(y) + 3 * x;
            p[0] = std::uint8_t(x * 5);
            p[1] = std::uint8_t(y * 3);
            p[2] = std::uint8_t(200 - x);
        }
    return bmp;
}

// Two selected blobs, one with a soft edge, in a 120 x 90 mask.
TBitmap Mask()
{
    TBitmap mask(120, 90, 8);
    std::memset(mask.bits(), 255, mask.byteSize());
    for (int y = 10; y < 40; ++y)
        std::memset(mask.scanLine(y) + 15, 0, 40);
    for (int y = 50; y < 80; ++y)
        for (int x = 70; x < 110; ++x)
            mask.scanLine(y)[x] = std::uint8_t(std::min(255, std::abs(x - 90) * 12));
    return mask;
}

} // namespace

TEST(DropShadowArea, EqualsTheWholeImageShadowInsideTheArea)
{
    const TBitmap image = Picture(120, 90);
    const TBitmap mask = Mask();
    TPoints outline;
    Bitmap8ToPoints(&mask, outline);
    for (const TDropShadowParams params :
         {TDropShadowParams{5, 3, 4, 30, RGB(10, 20, 30)}, TDropShadowParams{-8, 6, 0, 0, clBlack},
          TDropShadowParams{2, -2, 12, 60, RGB(0, 0, 255)}}) {
        const auto whole = DropShadow(image, mask, outline, params);
        ASSERT_TRUE(whole);
        for (const QRect area :
             {QRect(30, 20, 40, 30), QRect(60, 45, 60, 45), QRect(0, 0, 120, 90), QRect(100, 70, 50, 50)}) {
            SCOPED_TRACE(testing::Message() << area.x() << "," << area.y() << " offset " << params.OffsetX);
            const auto part = DropShadowArea(image, mask, params, area);
            ASSERT_TRUE(part);
            const QRect clipped = area & QRect(0, 0, 120, 90);
            EXPECT_EQ(*part, CropBitmap(*whole, clipped));
        }
    }
}

TEST(DropShadowArea, RefusesUnsuitableInput)
{
    const TBitmap image = Picture(20, 20);
    const TBitmap mask = RegionToMask(TRegionRef(TRegion::rect({5, 5, 10, 10})), 20, 20);
    EXPECT_FALSE(DropShadowArea(image, mask, {}, QRect(30, 30, 5, 5)));                          // outside
    EXPECT_FALSE(DropShadowArea(image.toTrueColor(), TBitmap(), {}, QRect(0, 0, 5, 5)));         // no mask
    EXPECT_EQ(CropBitmap(image, QRect(15, 15, 10, 10)), CropBitmap(image, QRect(15, 15, 5, 5))); // cut to the image
    EXPECT_THROW(CropBitmap(image, QRect(20, 15, 10, 10)), std::exception);
}
