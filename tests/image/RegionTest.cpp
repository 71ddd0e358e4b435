#include "RegionTestSupport.h"

#include "image/Region.h"
#include "image/RegionConvert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace kalvo;
using namespace kalvo::test;

TEST(Region, SmallOperationsAndClasses)
{
    TRegionRef target;
    EXPECT_EQ(CopyRegion(target, std::nullopt), rcError);
    ASSERT_TRUE(target.has_value());
    EXPECT_TRUE(target->isEmpty());

    const TRegionRef square = TRegion::rect({0, 0, 4, 4});
    EXPECT_EQ(CopyRegion(target, square), rcSimple);
    EXPECT_EQ(*target, *square);
    EXPECT_EQ(IntersectRegionWithRect(target, square, {2, 2, 10, 10}), rcSimple);
    EXPECT_EQ(target->boundingRect(), (TRect{2, 2, 4, 4}));
    EXPECT_EQ(IntersectRegionWithRect(target, square, {5, 5, 10, 10}), rcEmpty);
    EXPECT_EQ(target->boundingRect(), TRect{});
    EXPECT_EQ(XorRegionWithRect(target, square, {2, 0, 6, 4}), rcComplex);
    EXPECT_EQ(target->rects(), (std::vector<TRect>{{0, 0, 2, 4}, {4, 0, 6, 4}}));
    TRegionRef untouched = TRegion::rect({1, 1, 2, 2});
    EXPECT_EQ(XorRegionWithRect(untouched, std::nullopt, {0, 0, 1, 1}), rcError);
    EXPECT_EQ(untouched->boundingRect(), (TRect{1, 1, 2, 2}));
    DeleteRegion(target);
    EXPECT_FALSE(target.has_value());
    DeleteRegion(target);
}

TEST(Region, EllipseIsSymmetricAtPixelCentres)
{
    const TRegion e = TRegion::ellipse({0, 0, 8, 6});
    // Row 0: centre y = 0.5, dy = -5/6: half width 4 * sqrt(11)/6 = 2.21 -> columns 2..5.
    EXPECT_EQ(e.rects().front(), (TRect{2, 0, 6, 1}));
    EXPECT_EQ(e.boundingRect(), (TRect{0, 0, 8, 6}));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(e.contains(x, y), e.contains(7 - x, 5 - y)) << x << "," << y;
    EXPECT_EQ(TRegion::ellipse({3, 3, 4, 4}).rects(), (std::vector<TRect>{{3, 3, 4, 4}}));
    EXPECT_TRUE(TRegion::ellipse({3, 3, 3, 9}).isEmpty());
    EXPECT_EQ(TRegion::ellipse({10, 10, 0, 0}), TRegion::ellipse({0, 0, 10, 10}));
}

TEST(Region, PolygonEvenOddAtPixelCentres)
{
    const std::vector<QPoint> square{{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    EXPECT_EQ(CreateRegionFromPoints(square)->rects(), (std::vector<TRect>{{0, 0, 4, 4}}));
    // A triangle: row y holds the centres x + 0.5 < y + 0.5 (a centre on the right edge is out).
    const std::vector<QPoint> tri{{0, 0}, {4, 4}, {0, 4}};
    EXPECT_EQ(CreateRegionFromPoints(tri)->rects(), (std::vector<TRect>{{0, 1, 1, 2}, {0, 2, 2, 3}, {0, 3, 3, 4}}));
    // A pentagram's centre is crossed twice: even-odd leaves it out.
    const std::vector<QPoint> star{{10, 0}, {16, 20}, {0, 7}, {20, 7}, {4, 20}};
    const TRegionRef s = CreateRegionFromPoints(star);
    EXPECT_FALSE(s->contains(10, 10));
    EXPECT_TRUE(s->contains(10, 3));
    EXPECT_FALSE(CreateRegionFromPoints(std::vector<QPoint>{{1, 1}}).has_value());
    EXPECT_TRUE(CreateRegionFromPoints(std::vector<QPoint>{{1, 1}, {5, 1}})->isEmpty());
}

TEST(Region, ScaleRegionByFactor)
{
    EXPECT_FALSE(ScaleRegion(std::nullopt, 2).has_value());
    TRegion two;
    TRegion::combine(two, TRegion::rect({1, 1, 3, 2}), TRegion::rect({4, 3, 5, 4}), RGN_OR);
    EXPECT_EQ(ScaleRegion(two, 2)->rects(), (std::vector<TRect>{{2, 2, 6, 4}, {8, 6, 10, 8}}));
    EXPECT_EQ(ScaleRegion(two, -1)->rects(), (std::vector<TRect>{{-5, -4, -4, -3}, {-3, -2, -1, -1}}));
    EXPECT_TRUE(ScaleRegion(two, 0)->isEmpty());
    EXPECT_FALSE(ScaleRegion(two, 1e9).has_value());
    EXPECT_FALSE(ScaleRegion(two, std::nan("")).has_value());

    // Over 4000 rectangles; at half size every other row and column collapse onto its neighbour.
    const TRegion checker = UnionOf(CheckerRects(100, 100));
    const TRegionRef doubled = ScaleRegion(checker, 2);
    ASSERT_EQ(doubled->rectCount(), 5000u);
    for (int y = 0; y < 200; y += 7)
        for (int x = 0; x < 200; x += 3)
            EXPECT_EQ(doubled->contains(x, y), checker.contains(x / 2, y / 2));
    const TRegionRef half = ScaleRegion(checker, 0.5);
    QRegion expected;
    for (const TRect& r : checker.rects()) {
        const int l = int(std::nearbyint(r.left * 0.5)), rr = int(std::nearbyint(r.right * 0.5));
        const int t = int(std::nearbyint(r.top * 0.5)), b = int(std::nearbyint(r.bottom * 0.5));
        if (l < rr && t < b)
            expected = expected.united(QRect(l, t, rr - l, b - t));
    }
    EXPECT_EQ(half->rects(), test::RectsOf(expected));
}

namespace {

// Even-odd test of one pixel centre: the crossings of the centre line at or left of the centre.
bool centreInside(const std::vector<QPoint>& poly, int x, int y)
{
    int crossings = 0;
    for (std::size_t i = 0; i < poly.size(); ++i) {
        QPoint a = poly[i], b = poly[(i + 1) % poly.size()];
        if (a.y() == b.y())
            continue;
        if (a.y() > b.y())
            std::swap(a, b);
        if (y < a.y() || y >= b.y())
            continue;
        const long long q = b.y() - a.y();
        const long long p = 2LL * a.x() * q + (long long)(b.x() - a.x()) * (2 * y + 1 - 2 * a.y());
        if (p <= (2LL * x + 1) * q)
            ++crossings;
    }
    return crossings % 2 == 1;
}

} // namespace

TEST(Region, RandomPolygonsMatchPointwiseEvenOdd)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 40; ++round) {
        std::vector<QPoint> poly;
        const int n = 3 + int(rng() % 8);
        for (int i = 0; i < n; ++i)
            poly.emplace_back(int(rng() % 24) - 2, int(rng() % 24) - 2);
        const TRegionRef r = CreateRegionFromPoints(poly);
        ASSERT_TRUE(r.has_value());
        for (int y = -3; y < 23; ++y)
            for (int x = -3; x < 23; ++x)
                ASSERT_EQ(r->contains(x, y), centreInside(poly, x, y)) << round << ": " << x << "," << y;
    }
}

TEST(Region, EllipsesMatchTheEquationAtPixelCentres)
{
    for (int w = 1; w <= 13; w += 3) {
        for (int h = 1; h <= 11; h += 2) {
            const TRegion e = TRegion::ellipse({5, 7, 5 + w, 7 + h});
            for (int y = 7; y < 7 + h; ++y) {
                for (int x = 5; x < 5 + w; ++x) {
                    const double u = (x + 0.5 - (5 + w / 2.0)) / (w / 2.0);
                    const double v = (y + 0.5 - (7 + h / 2.0)) / (h / 2.0);
                    EXPECT_EQ(e.contains(x, y), u * u + v * v <= 1 + 1e-9) << w << "x" << h << " " << x << "," << y;
                }
            }
        }
    }
}
