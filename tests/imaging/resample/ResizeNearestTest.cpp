#include "imaging/resample/ResizeNearest.h"
#include "image/ImageErrors.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace kalvo;

TEST(ResizeNearest, KeepsDepthAndPaletteAndSamplesByIntegerDivision)
{
    for (int bits : {1, 4, 8, 24}) {
        const TBitmap src = test::PatternBitmap(13, 7, bits);
        for (auto [nw, nh] : {std::pair{29, 16}, std::pair{5, 3}, std::pair{13, 7}}) {
            const TBitmap out = ResizeNearest(src, nw, nh);
            ASSERT_EQ(out.bitCount(), bits);
            ASSERT_EQ(out.palette(), src.palette());
            ASSERT_EQ(out.width(), nw);
            for (int y = 0; y < nh; ++y)
                for (int x = 0; x < nw; ++x)
                    ASSERT_EQ(out.pixelColor(x, y), src.pixelColor(x * 13 / nw, y * 7 / nh))
                        << bits << " bits, " << x << "," << y;
        }
        EXPECT_EQ(ResizeNearest(src, 13, 7), src) << bits << " bits";
    }
}

TEST(ResizeNearest, EnlargingReplicatesPackedPixels)
{
    TBitmap mono(4, 1, 1);
    mono.scanLine(0)[0] = 0xA0; // 1 0 1 0
    EXPECT_EQ(ResizeNearest(mono, 8, 1).scanLine(0)[0], 0xCC);
    TBitmap nibbles(2, 1, 4);
    nibbles.scanLine(0)[0] = 0x3C;
    const TBitmap wide = ResizeNearest(nibbles, 5, 1);
    EXPECT_EQ(wide.scanLine(0)[0], 0x33);
    EXPECT_EQ(wide.scanLine(0)[1], 0x3C);
    EXPECT_EQ(wide.scanLine(0)[2], 0xC0);
    EXPECT_THROW(ResizeNearest(mono, 0, 3), EPxImageError);
    EXPECT_THROW(ResizeNearest(TBitmap(), 3, 3), EPxImageError);
}
