#include "imaging/raster/ShapeMask.h"
#include "imaging/raster/ApplyCoverage.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using namespace kalvo;

namespace {

using TPixels = std::set<std::pair<int, int>>;

TPixels covered(const TCoverage& c)
{
    TPixels out;
    for (int y = 0; y < c.Table.height(); ++y)
        for (int x = 0; x < c.Table.width(); ++x)
            if (c.Table[y][x] != 0)
                out.insert({c.Origin.x() + x, c.Origin.y() + y});
    return out;
}

TShapeSpec spec(TShapeKind kind, QPoint from, QPoint to, int width = 1, TShapeFill fill = TShapeFill::Outline)
{
    return {kind, fill, from, to, width, 3};
}

} // namespace

TEST(ShapeMask, WidthOneBoxesRunThroughTheCornerPixels)
{
    // The rectangle outline is exactly its border, whichever corner the drag starts at.
    TPixels border;
    for (int x = 2; x <= 6; ++x) {
        border.insert({x, 1});
        border.insert({x, 4});
    }
    for (int y = 2; y <= 3; ++y) {
        border.insert({2, y});
        border.insert({6, y});
    }
    EXPECT_EQ(covered(AliasedShapeCoverage(spec(TShapeKind::Rect, {6, 4}, {2, 1})).Stroke), border);
    const TShapeCoverage both = AliasedShapeCoverage(spec(TShapeKind::Rect, {2, 1}, {6, 4}, 1, TShapeFill::Both));
    EXPECT_EQ(covered(both.Fill), (TPixels{{3, 2}, {4, 2}, {5, 2}, {3, 3}, {4, 3}, {5, 3}}));
    EXPECT_EQ(covered(AliasedShapeCoverage(spec(TShapeKind::Rect, {2, 1}, {6, 4}, 2)).Stroke).size(), 20u);
    EXPECT_TRUE(
        AliasedShapeCoverage(spec(TShapeKind::Rect, {2, 1}, {6, 4}, 1, TShapeFill::FillOnly)).Stroke.Table.empty());

    // The ellipse touches the middle of each side of its box and stays inside it, symmetric.
    const TPixels ellipse = covered(AliasedShapeCoverage(spec(TShapeKind::Ellipse, {0, 0}, {20, 10})).Stroke);
    for (const std::pair<int, int>& p : std::initializer_list<std::pair<int, int>>{{10, 0}, {10, 10}, {0, 5}, {20, 5}})
        EXPECT_TRUE(ellipse.count(p));
    for (const auto& [x, y] : ellipse) {
        EXPECT_TRUE(ellipse.count({20 - x, y}) && ellipse.count({x, 10 - y}));
        EXPECT_TRUE(x >= 0 && x <= 20 && y >= 0 && y <= 10);
    }
    EXPECT_FALSE(ellipse.count({0, 0}));
    EXPECT_FALSE(covered(AliasedShapeCoverage(spec(TShapeKind::RoundRect, {0, 0}, {20, 10})).Stroke).count({0, 0}));
}

TEST(ShapeMask, LinesAndArrowsEndOnTheReleasePixel)
{
    EXPECT_EQ(covered(AliasedShapeCoverage(spec(TShapeKind::Line, {1, 1}, {4, 2})).Stroke),
              (TPixels{{1, 1}, {2, 1}, {3, 2}, {4, 2}}));
    EXPECT_EQ(covered(AliasedShapeCoverage(spec(TShapeKind::Line, {3, 3}, {3, 3})).Stroke), (TPixels{{3, 3}}));
    // Head: 3 x 1 + 6 = 9 pixels long, as wide as long, its tip on the release pixel.
    const TPixels arrow = covered(AliasedShapeCoverage(spec(TShapeKind::Arrow, {0, 20}, {30, 20})).Stroke);
    EXPECT_TRUE(arrow.count({0, 20}) && arrow.count({30, 20}) && arrow.count({21, 24}) && arrow.count({21, 16}));
    EXPECT_FALSE(arrow.count({31, 20}) || arrow.count({20, 24}) || arrow.count({10, 21}));
}

TEST(ApplyCoverage, WeightsBySelectionAndTransparencyAndPicksThePaletteEntry)
{
    TCoverage c;
    c.Origin = {1, 0};
    c.Table = TByteTable(3, 1);
    c.Table[0][0] = c.Table[0][1] = c.Table[0][2] = 255;
    TBitmap image(4, 1, 24);
    image.fill(clBlack);
    TBitmap mask(4, 1, 8);
    const std::uint8_t weights[4] = {0, 0, 255, 128};
    std::copy(weights, weights + 4, mask.scanLine(0));
    EXPECT_EQ(ApplyCoverage(image, c, clWhite, 50, &mask, std::nullopt), QRect(1, 0, 3, 1));
    EXPECT_EQ(image.pixelColor(0, 0), clBlack);            // no coverage
    EXPECT_EQ(image.pixelColor(1, 0), RGB(127, 127, 127)); // 255 x 50 % truncated
    EXPECT_EQ(image.pixelColor(2, 0), clBlack);            // not selected
    EXPECT_EQ(image.pixelColor(3, 0), RGB(63, 63, 63));

    TBitmap indexed(4, 1, 8);
    indexed.setPalette({clBlack, RGB(250, 0, 0), clWhite});
    EXPECT_EQ(ApplyCoverage(indexed, c, RGB(255, 10, 10), 0, nullptr, TRegion::rect({0, 0, 3, 1})), QRect(1, 0, 2, 1));
    EXPECT_EQ(indexed.scanLine(0)[1], 1);
    EXPECT_EQ(indexed.scanLine(0)[3], 0); // outside the region
}
