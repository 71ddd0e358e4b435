#include "image/Outline.h"
#include "image/ImageErrors.h"
#include "image/PixelAccess.h"
#include "image/RegionConvert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>

using namespace kalvo;

namespace {

using Segment = std::pair<QPoint, QPoint>;

std::vector<Segment> segments(const TPoints& points)
{
    std::vector<Segment> out;
    for (std::size_t i = 0; i + 1 < points.size(); i += 2)
        out.emplace_back(points[i], points[i + 1]);
    return out;
}

TBitmap mask8(int w, int h, std::uint8_t fill)
{
    TBitmap m(w, h, 8);
    std::memset(m.bits(), fill, m.byteSize());
    return m;
}

} // namespace

TEST(Outline, OnePixelMaskGivesItsFourEdgesInWalkOrder)
{
    TPoints points{QPoint(9, 9)};
    for (int value : {0, 128, 254}) {
        const TBitmap m = mask8(1, 1, std::uint8_t(value));
        ASSERT_EQ(Bitmap8ToPoints(&m, points), 8u);
        // Row 0: left edge, top edge, right edge; row 1: bottom edge.
        EXPECT_EQ(segments(points),
                  (std::vector<Segment>{{{0, 0}, {0, 1}}, {{0, 0}, {1, 0}}, {{1, 0}, {1, 1}}, {{0, 1}, {1, 1}}}));
    }
    const TBitmap outside = mask8(1, 1, 255);
    EXPECT_EQ(Bitmap8ToPoints(&outside, points), 0u);
    EXPECT_TRUE(points.empty());
    points.emplace_back(1, 1);
    EXPECT_EQ(Bitmap8ToPoints(nullptr, points), 0u);
    EXPECT_TRUE(points.empty());
}

TEST(Outline, RegionToPointsTracesRectangleBorderAtItsPosition)
{
    TPoints points;
    ASSERT_EQ(RegionToPoints(TRegion::rect({2, 3, 5, 7}), points), 28u);
    const auto segs = segments(points);
    const auto horizontal = std::count_if(segs.begin(), segs.end(),
                                          [](const Segment& s) { return s.first.y() == s.second.y(); });
    EXPECT_EQ(horizontal, 6);
    // First row: the left edge at x = 2, the three top edges, the right edge at x = 5.
    EXPECT_EQ(std::vector<Segment>(segs.begin(), segs.begin() + 5),
              (std::vector<Segment>{
                  {{2, 3}, {2, 4}}, {{2, 3}, {3, 3}}, {{3, 3}, {4, 3}}, {{4, 3}, {5, 3}}, {{5, 3}, {5, 4}}}));
    EXPECT_EQ(segs.back(), (Segment{{4, 7}, {5, 7}}));
    for (const Segment& s : segs) {
        EXPECT_TRUE(s.first.x() == 2 || s.first.x() == 5 || s.first.y() == 3 || s.first.y() == 7);
        EXPECT_EQ(std::abs(s.second.x() - s.first.x()) + std::abs(s.second.y() - s.first.y()), 1);
    }
    EXPECT_EQ(RegionToPoints(std::nullopt, points), 0u);
    EXPECT_EQ(RegionToPoints(TRegion(), points), 0u);
}

TEST(Outline, TracersAgreeOnAMaskWithAHole)
{
    TBitmap m = mask8(4, 4, 0);
    m.scanLine(1)[1] = 255;
    m.scanLine(3)[3] = 255;
    TPoints fromMask, fromRegion;
    // 4 x 4 border (16 edges) less the notch corner (net 0) plus the hole's 4 edges.
    ASSERT_EQ(Bitmap8ToPoints(&m, fromMask), 40u);
    RegionToPoints(MaskToRegion(m), fromRegion);
    auto a = segments(fromMask), b = segments(fromRegion);
    auto less = [](const Segment& l, const Segment& r) {
        return std::make_tuple(l.first.y(), l.first.x(), l.second.y(), l.second.x())
            < std::make_tuple(r.first.y(), r.first.x(), r.second.y(), r.second.x());
    };
    std::sort(a.begin(), a.end(), less);
    std::sort(b.begin(), b.end(), less);
    EXPECT_EQ(a, b);
}

TEST(Outline, BwBitmapWalkStartsAtRectangleAndShifts)
{
    TBitmap bw(3, 2, 1);
    PutPixel(1, bw.scanLine(0), 1, 1);
    PutPixel(0, bw.scanLine(1), 1, 1);
    TPoints points;
    ASSERT_EQ(BwBitmapToPoints(bw, points, nullptr, 10, 20), 16u);
    EXPECT_EQ(points[0], QPoint(21, 10));
    EXPECT_EQ(points[1], QPoint(21, 11));
    const TRect from{1, 1, 0, 0};
    // Only the bottom edge of (1, 0) lies in the walk; pixel (0, 1) is left of it.
    ASSERT_EQ(BwBitmapToPoints(bw, points, &from, 0, 0), 2u);
    EXPECT_EQ(segments(points), (std::vector<Segment>{{{1, 1}, {2, 1}}}));
    EXPECT_THROW(BwBitmapToPoints(TBitmap(2, 2, 8), points, nullptr, 0, 0), EPxImageError);
}

TEST(RegionMask, MaskAndMonoBitmapConversions)
{
    TBitmap m = mask8(5, 3, 255);
    m.scanLine(0)[1] = 0;
    m.scanLine(0)[2] = 254;
    m.scanLine(2)[4] = 17;
    const TRegionRef r = MaskToRegion(m);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->rects(), (std::vector<TRect>{{1, 0, 3, 1}, {4, 2, 5, 3}}));
    EXPECT_FALSE(MaskToRegion(TBitmap(5, 3, 1)).has_value());

    const TBitmap back = RegionToMask(r, 5, 3);
    EXPECT_EQ(back.bitCount(), 8);
    EXPECT_EQ(back.palette()[200], RGB(200, 200, 200));
    EXPECT_EQ(back.scanLine(0)[0], 255);
    EXPECT_EQ(back.scanLine(0)[2], 0);
    EXPECT_EQ(back.scanLine(2)[4], 0);
    const TBitmap all = RegionToMask(std::nullopt, 4, 2);
    EXPECT_TRUE(std::all_of(all.bits(), all.bits() + all.byteSize(), [](std::uint8_t v) { return v == 0; }));
    // Region parts outside the mask are clipped.
    const TBitmap clipped = RegionToMask(TRegion::rect({-3, -3, 1, 1}), 2, 2);
    EXPECT_EQ(clipped.scanLine(0)[0], 0);
    EXPECT_EQ(clipped.scanLine(0)[1], 255);

    TBitmap bw(19, 2, 1);
    for (int x : {0, 1, 2, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18})
        PutPixel(x, bw.scanLine(1), 1, 1);
    bw.scanLine(0)[2] = 0xFF; // padding bits past column 18 must not count
    EXPECT_EQ(MonoBitmapToRegion(bw).rects(),
              (std::vector<TRect>{{16, 0, 19, 1}, {0, 1, 3, 2}, {8, 1, 17, 2}, {18, 1, 19, 2}}));
    EXPECT_THROW(MonoBitmapToRegion(TBitmap(2, 2, 4)), EPxImageError);
}
