#include "imaging/geometry/OrientBitmap.h"
#include "image/ImageErrors.h"
#include "imaging/colour/PixelIndex.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QPoint>

#include <cstring>
#include <tuple>

using namespace kalvo;

namespace {

// The stored value of a pixel at any depth (index, 5-5-5 word, triple or quad as bytes).
std::uint32_t Stored(const TBitmap& b, int x, int y)
{
    const int bits = b.bitCount();
    if (bits <= 8)
        return IndexAt(b.scanLine(y), x, bits);
    std::uint32_t v = 0;
    std::memcpy(&v, b.scanLine(y) + std::size_t(x) * std::size_t(bits / 8), std::size_t(bits / 8));
    return v;
}

constexpr TOrientation kAll[] = {TOrientation::Normal,       TOrientation::FlipHorizontal, TOrientation::Rotate180,
                                 TOrientation::FlipVertical, TOrientation::Transpose,      TOrientation::Rotate90,
                                 TOrientation::Transverse,   TOrientation::Rotate270};

} // namespace

TEST(Orientation, PointsFollowTheTagsMeaning)
{
    // A 3 x 2 picture: where its top-right pixel (2, 0) goes.
    const std::pair<TOrientation, QPoint> cases[] = {
        {TOrientation::Normal, {2, 0}},       {TOrientation::FlipHorizontal, {0, 0}}, {TOrientation::Rotate180, {0, 1}},
        {TOrientation::FlipVertical, {2, 1}}, {TOrientation::Transpose, {0, 2}},      {TOrientation::Rotate90, {1, 2}},
        {TOrientation::Transverse, {1, 0}},   {TOrientation::Rotate270, {0, 0}}};
    for (const auto& [o, expected] : cases) {
        int x = 2, y = 0;
        OrientPoint(o, 3, 2, x, y);
        EXPECT_EQ(QPoint(x, y), expected) << int(o);
    }
    EXPECT_EQ(ComposeOrientations(TOrientation::Rotate90, TOrientation::Rotate90), TOrientation::Rotate180);
    EXPECT_EQ(ComposeOrientations(TOrientation::FlipHorizontal, TOrientation::Rotate90), TOrientation::Transverse);
    EXPECT_EQ(ComposeOrientations(TOrientation::FlipHorizontal, TOrientation::Rotate270), TOrientation::Transpose);
    EXPECT_EQ(ComposeOrientations(TOrientation::Rotate270, TOrientation::Rotate90), TOrientation::Normal);
    EXPECT_FALSE(OrientationFromExif(0));
    EXPECT_FALSE(OrientationFromExif(9));
}

TEST(OrientBitmap, EveryTransformIsAnExactPermutationAtEveryDepth)
{
    // Odd sizes so that packed rows end inside a byte; wider than a tile of the column walk. At
    // 24 bits, 44 x 36 has rows without padding: the last pixel ends the source's memory.
    for (const auto& [bits, w, h] :
         {std::tuple{1, 45, 37}, {4, 45, 37}, {8, 45, 37}, {16, 45, 37}, {24, 45, 37}, {24, 44, 36}, {32, 45, 37}}) {
        const TBitmap src = test::PatternBitmap(w, h, bits);
        for (TOrientation o : kAll) {
            const TBitmap out = OrientBitmap(src, o);
            ASSERT_EQ(out.bitCount(), bits);
            ASSERT_EQ(out.palette(), src.palette());
            ASSERT_EQ(out.width(), SwapsSides(o) ? h : w);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    int tx = x, ty = y;
                    OrientPoint(o, w, h, tx, ty);
                    ASSERT_EQ(Stored(out, tx, ty), Stored(src, x, y)) << bits << " bits, " << int(o);
                }
            // Undoing gives the very bytes back, padding included.
            ASSERT_EQ(OrientBitmap(out, InverseOrientation(o)), src) << bits << " bits, " << int(o);
        }
    }
    EXPECT_THROW(OrientBitmap(TBitmap(), TOrientation::Rotate90), EPxImageError);
}

TEST(OrientBitmap, LargePicturesOnTwoThreadsGiveTheSameResult)
{
    const TBitmap src = test::PatternBitmap(700, 301, 24);
    const TBitmap turned = OrientBitmap(src, TOrientation::Rotate90);
    for (int y : {0, 150, 300})
        for (int x : {0, 1, 350, 699})
            ASSERT_EQ(turned.pixelColor(300 - y, x), src.pixelColor(x, y));
    EXPECT_EQ(OrientBitmap(OrientBitmap(turned, TOrientation::Rotate180), TOrientation::Rotate90), src);
}
