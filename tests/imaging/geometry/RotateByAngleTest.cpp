#include "imaging/geometry/RotateByAngle.h"
#include "image/ImageErrors.h"
#include "imaging/geometry/OrientBitmap.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace kalvo;

TEST(RotateByAngle, QuarterTurnsAreExactAtTheSourceDepth)
{
    const TBitmap src = test::PatternBitmap(7, 5, 4);
    EXPECT_EQ(RotateByAngle(src, 900, clWhite), OrientBitmap(src, TOrientation::Rotate90));
    EXPECT_EQ(RotateByAngle(src, -900, clWhite), OrientBitmap(src, TOrientation::Rotate270));
    EXPECT_EQ(RotateByAngle(src, 2700, clWhite), OrientBitmap(src, TOrientation::Rotate270));
    EXPECT_EQ(RotateByAngle(src, -1800, clWhite), OrientBitmap(src, TOrientation::Rotate180));
    EXPECT_EQ(RotateByAngle(src, 3600, clWhite), src);
    EXPECT_THROW(RotateByAngle(src, 3601, clWhite), EPxImageError);
    EXPECT_THROW(RotateByAngle(TBitmap(), 450, clWhite), EPxImageError);
}

TEST(RotateByAngle, FreeAnglesEnlargeFillTheCornersAndSampleSmoothly)
{
    int w = 0, h = 0;
    RotatedSize(100, 50, 300, w, h); // 100 cos 30 + 50 sin 30 = 111.6, 100 sin 30 + 50 cos 30 = 93.3
    EXPECT_EQ(w, 112);
    EXPECT_EQ(h, 94);

    const TColor red = RGB(200, 10, 20), back = RGB(0, 0, 255);
    const TBitmap out = RotateByAngle(test::SolidBitmap(100, 50, red), 300, back);
    ASSERT_EQ(out.bitCount(), 24);
    ASSERT_EQ(out.width(), 112);
    EXPECT_EQ(out.pixelColor(0, 0), back);
    EXPECT_EQ(out.pixelColor(111, 93), back);
    EXPECT_EQ(out.pixelColor(56, 47), red);
    // Along a row towards the middle the colour goes from background to red through blends.
    bool blended = false;
    for (int x = 1; x < 56; ++x) {
        const TColor c = out.pixelColor(x, 47), before = out.pixelColor(x - 1, 47);
        blended |= c != back && c != red;
        ASSERT_GE(GetRValue(c), GetRValue(before)) << x;
        ASSERT_LE(GetBValue(c), GetBValue(before)) << x;
    }
    EXPECT_TRUE(blended);

    // A palette picture comes out in full colour; a turn by 45 degrees of a symmetric picture
    // is symmetric.
    const TBitmap mono = RotateByAngle(test::PatternBitmap(9, 9, 1), -450, clWhite);
    EXPECT_EQ(mono.bitCount(), 24);
    const TBitmap dot = [] {
        TBitmap b = test::SolidBitmap(9, 9, clBlack);
        b.scanLine(4)[12] = 255;
        return b;
    }();
    const TBitmap turned = RotateByAngle(dot, 450, clBlack);
    ASSERT_EQ(turned.width() % 2, 1);
    const int mid = turned.width() / 2;
    EXPECT_GT(GetBValue(turned.pixelColor(mid, mid)), 200);
    // Fixed-point weights may round one step apart on the two sides.
    EXPECT_NEAR(GetBValue(turned.pixelColor(mid - 1, mid)), GetBValue(turned.pixelColor(mid + 1, mid)), 1);
    EXPECT_NEAR(GetBValue(turned.pixelColor(mid, mid - 1)), GetBValue(turned.pixelColor(mid, mid + 1)), 1);
    EXPECT_GT(GetBValue(turned.pixelColor(mid, mid - 1)), 10);
}
