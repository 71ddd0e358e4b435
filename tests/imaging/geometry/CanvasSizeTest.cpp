#include "imaging/geometry/CanvasSize.h"
#include "image/ImageErrors.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace kalvo;

TEST(CanvasSize, AnchorsPlaceAsImageMagicksGravity)
{
    EXPECT_EQ(AnchorOffset(5, 10, TAnchorPart::Start), 0);
    EXPECT_EQ(AnchorOffset(5, 10, TAnchorPart::Centre), 3); // 10 / 2 - 5 / 2
    EXPECT_EQ(AnchorOffset(10, 5, TAnchorPart::Centre), -3);
    EXPECT_EQ(AnchorOffset(5, 10, TAnchorPart::End), 5);
    EXPECT_EQ(AnchorOffset(10, 5, TAnchorPart::End), -5);
}

TEST(CanvasSize, EnlargingFillsAndShrinkingCutsAtEveryDepth)
{
    for (int bits : {1, 4, 8, 24}) {
        const TBitmap src = test::PatternBitmap(13, 9, bits);
        const TColor fill = bits == 24 ? RGB(1, 2, 3) : src.palette()[1];
        const TBitmap big = ResizeCanvas(src, 20, 12, {TAnchorPart::Centre, TAnchorPart::End}, fill);
        ASSERT_EQ(big.bitCount(), bits);
        ASSERT_EQ(big.palette(), src.palette());
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 20; ++x) {
                const bool inside = x >= 4 && x < 17 && y >= 3;
                ASSERT_EQ(big.pixelColor(x, y), inside ? src.pixelColor(x - 4, y - 3) : fill)
                    << bits << " bits " << x << "," << y;
            }
        const TBitmap small = ResizeCanvas(src, 6, 4, {TAnchorPart::End, TAnchorPart::Centre}, fill);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
                ASSERT_EQ(small.pixelColor(x, y), src.pixelColor(x + 7, y + 2)) << bits << " bits"; // 4 / 2 - 9 / 2
    }
    // A palette picture takes the nearest entry of the fill colour.
    const TBitmap mono = ResizeCanvas(test::PatternBitmap(3, 3, 1), 4, 3, {}, RGB(250, 250, 240));
    EXPECT_EQ(mono.pixelColor(3, 0), mono.palette()[1]);
    EXPECT_THROW(ResizeCanvas(mono, 0, 3, {}, clWhite), EPxImageError);
}

TEST(CanvasSize, CropKeepsTheRectangleCutToThePicture)
{
    for (int bits : {1, 4, 8, 24}) {
        const TBitmap src = test::PatternBitmap(17, 11, bits);
        const TBitmap out = CropBitmap(src, QRect(3, 2, 9, 5));
        ASSERT_EQ(out.width(), 9);
        ASSERT_EQ(out.height(), 5);
        ASSERT_EQ(out.palette(), src.palette());
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 9; ++x)
                ASSERT_EQ(out.pixelColor(x, y), src.pixelColor(x + 3, y + 2)) << bits << " bits";
        EXPECT_EQ(CropBitmap(src, QRect(0, 0, 17, 11)), src);
    }
    const TBitmap src = test::PatternBitmap(10, 10, 24);
    EXPECT_EQ(CropBitmap(src, QRect(-2, 7, 5, 9)), CropBitmap(src, QRect(0, 7, 3, 3)));
    EXPECT_THROW(CropBitmap(src, QRect(10, 0, 2, 2)), EPxImageError);
}
