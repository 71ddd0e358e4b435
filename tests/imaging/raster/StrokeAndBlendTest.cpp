#include "imaging/raster/StrokeAndBlend.h"
#include "imaging/raster/Coverage.h"

#include <gtest/gtest.h>

#include <random>

using namespace kalvo;

namespace {

TBitmap Grey8(int w, int h, int value)
{
    TBitmap m(w, h, 8);
    for (int y = 0; y < h; ++y)
        std::fill_n(m.scanLine(y), w, std::uint8_t(value));
    return m;
}

} // namespace

TEST(StrokeAndBlend, BlendsCoverageIntoAnImageWithTransparency)
{
    TpxPenBrush dot;
    BuildBrush(dot, 1, 0, TpxBrushStyle::pxsRound);
    TBitmap image(10, 3, 24);
    StrokeAndBlend(image, {{2, 1}, {7, 1}}, true, 0, clWhite, dot);
    EXPECT_EQ(image.pixelColor(2, 1), clWhite);
    EXPECT_EQ(image.pixelColor(7, 1), clWhite);
    EXPECT_EQ(image.pixelColor(8, 1), clBlack);
    EXPECT_EQ(image.pixelColor(4, 0), clBlack);

    TBitmap half(10, 3, 24);
    StrokeAndBlend(half, {{2, 1}, {7, 1}}, false, 50, RGB(255, 100, 0), dot);
    EXPECT_EQ(half.pixelColor(5, 1), RGB(127, 49, 0)); // e = 127: 127 * c div 255
}

TEST(StrokeAndBlend, PairsAreSeparateSegmentsAndAPolylineJoinsThem)
{
    TpxPenBrush dot;
    BuildBrush(dot, 1, 0, TpxBrushStyle::pxsRound);
    const TPoints points{{0, 0}, {0, 2}, {4, 2}, {4, 0}};
    TBitmap pairs(5, 3, 24), poly(5, 3, 24);
    StrokeAndBlend(pairs, points, true, 0, clWhite, dot);
    StrokeAndBlend(poly, points, false, 0, clWhite, dot);
    EXPECT_EQ(pairs.pixelColor(2, 2), clBlack); // p1-p2 is not a segment in pairs mode
    EXPECT_EQ(poly.pixelColor(2, 2), clWhite);
    EXPECT_EQ(pairs.pixelColor(4, 1), clWhite);
    TBitmap single(5, 3, 24);
    StrokeAndBlend(single, {{1, 1}}, false, 0, clWhite, dot);
    EXPECT_EQ(single, TBitmap(5, 3, 24));
}

TEST(StrokeAndBlend, SelectionMaskIsLoweredOrRaised)
{
    TpxPenBrush dot;
    BuildBrush(dot, 1, 0, TpxBrushStyle::pxsRound);
    TBitmap mask = Grey8(4, 1, 100);
    StrokeAndBlend(mask, {{0, 0}, {1, 0}}, true, 40, 255, dot); // e = 153: select more
    EXPECT_EQ(mask.scanLine(0)[0], 0);
    EXPECT_EQ(mask.scanLine(0)[2], 100);
    StrokeAndBlend(mask, {{1, 0}, {2, 0}}, true, 40, 0, dot); // add: select less
    EXPECT_EQ(mask.scanLine(0)[1], 153);
    EXPECT_EQ(mask.scanLine(0)[2], 253);
}

// Large enough to use both threads; the result must equal stamping every walked position in
// order, one segment after the other.
TEST(StrokeAndBlend, EqualsStampingEveryWalkedPosition)
{
    std::mt19937 random(7);
    TPoints points;
    for (int i = 0; i < 40; ++i)
        points.push_back(QPoint(int(random() % 340) - 20, int(random() % 560) - 20));
    TpxPenBrush tip;
    BuildBrush(tip, 23, 30, TpxBrushStyle::pxsRound);
    TBitmap image(300, 520, 24);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width() * 3; ++x)
            image.scanLine(y)[x] = std::uint8_t(random());
    TBitmap expected = image;
    StrokeAndBlend(image, points, false, 20, RGB(10, 200, 90), tip);

    TByteTable coverage(expected.width(), expected.height());
    for (std::size_t i = 1; i < points.size(); ++i)
        StrokeCoverageLine(coverage, points[i - 1].x(), points[i - 1].y(), points[i].x(), points[i].y(), tip);
    const int colour[3] = {90, 200, 10};
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x) {
            const int e = 80 * coverage[y][x] / 100;
            for (int c = 0; c < 3; ++c) {
                std::uint8_t& p = expected.scanLine(y)[3 * x + c];
                p = std::uint8_t(((255 - e) * p + e * colour[c]) / 255);
            }
        }
    EXPECT_EQ(image, expected);
}
