#include "canvas/ViewGeometry.h"
#include "canvas/CoordinateMapping.h"

#include <gtest/gtest.h>

namespace kalvo {
namespace {

TViewGeometry Layout(int w, int h, int cw, int ch, int zoom, int scrollX = 0, int scrollY = 0)
{
    TViewGeometry g;
    g.ImageWidth = w;
    g.ImageHeight = h;
    g.ClientWidth = cw;
    g.ClientHeight = ch;
    g.Zoom = zoom;
    g.ScrollX = scrollX;
    g.ScrollY = scrollY;
    g.RecalcLayout();
    g.UpdateView();
    return g;
}

TEST(ViewGeometry, ScrollRangeAndEndOfALargeImage)
{
    TViewGeometry g = Layout(1000, 1000, 500, 500, 100);
    EXPECT_EQ(g.VisibleWidth, 501);
    EXPECT_EQ(g.DisplayWidth, 501);
    EXPECT_EQ(g.HorizontalBar(), (TScrollBarInfo{0, 1001, 501, 0}));
    EXPECT_EQ(g.VerticalBar().lastPosition(), 501);
    EXPECT_EQ(g.LineStepX(), 50);

    // End: the last column shows completely, 499 columns with one pixel of slack.
    g.ScrollX = g.ImageWidth - g.VisibleWidth + 2;
    g.ScrollY = g.ImageHeight - g.VisibleHeight + 2;
    g.UpdateView();
    EXPECT_EQ(g.ScrollX, 501);
    EXPECT_EQ(g.SourceWidth, 499);
    EXPECT_EQ(g.DrawWidth, 499);

    // Scrolling past the end snaps back to it; clamping limits at both ends.
    g.ScrollX = 900;
    g.UpdateView();
    EXPECT_EQ(g.ScrollX, 501);
    g.ScrollY = -30;
    g.ClampScroll();
    EXPECT_EQ(g.ScrollY, 0);
    g.ScrollY = 700;
    g.ClampScroll();
    EXPECT_EQ(g.ScrollY, 501);
}

TEST(ViewGeometry, SmallImageIsCentredAndNeverScrolled)
{
    TViewGeometry g = Layout(100, 40, 500, 300, 200, 7, 9);
    EXPECT_EQ(g.ScrollX, 0);
    EXPECT_EQ(g.ScrollY, 0);
    EXPECT_EQ(g.DisplayWidth, 200);
    EXPECT_EQ(g.ImageLeft, 150);
    EXPECT_EQ(g.ImageTop, 110);
    EXPECT_FALSE(g.HorizontalBar().visible());
    g.Center = false;
    g.UpdateView();
    EXPECT_EQ(g.ImageLeft, 0);
}

// An image whose zoomed size equals the client size exactly fits: its first rows and columns
// stay reachable (no scroll to the "end" by two pixels).
TEST(ViewGeometry, ExactFitIsNotScrolled)
{
    const TViewGeometry g = Layout(400, 200, 300, 300, 75, 5, 5);
    EXPECT_EQ(g.ZoomedWidth, 300);
    EXPECT_EQ(g.ScrollX, 0);
    EXPECT_EQ(g.SourceWidth, 400);
    EXPECT_EQ(g.DrawWidth, 300);
    EXPECT_FALSE(g.HorizontalBar().visible());
}

TEST(ViewGeometry, HiddenScrollBarsReportNoRange)
{
    TViewGeometry g;
    g.ShowScrollBars = false;
    g.ImageWidth = g.ImageHeight = 1000;
    g.ClientWidth = g.ClientHeight = 500;
    g.RecalcLayout();
    g.UpdateView();
    EXPECT_EQ(g.HorizontalBar(), TScrollBarInfo{});
    EXPECT_EQ(g.VerticalBar(), TScrollBarInfo{});
}

TEST(CoordinateMapping, Zoom150TruncatesAndCentresBlocks)
{
    TViewGeometry g = Layout(1000, 1000, 300, 300, 150, 10, 20);
    ASSERT_EQ(g.ImageLeft, 0);
    // Screen 4 lies in the middle of the third zoomed pixel: 4 * 100 / 150 = 2.67 -> 2.
    EXPECT_EQ(ScreenToImage(g, QPoint(4, 4)), QPoint(12, 22));
    EXPECT_EQ(ImageToScreen(g, QPoint(12, 22)), QPoint(3, 3));
    // 1.5 * 2 + 0.75 = 3.75 -> 3; 1.5 * 1 + 0.75 = 2.25 -> 2.
    EXPECT_EQ(ImageToScreenCentre(g, QPoint(12, 21)), QPoint(3, 2));
    // Exactly: 100 * 1.15 is 115, not 114.
    g.Zoom = 115;
    EXPECT_EQ(g.Zoomed(100), 115);
}

TEST(CoordinateMapping, Zoom400LeftOfACentredImageTruncatesTowardZero)
{
    const TViewGeometry g = Layout(10, 10, 100, 100, 400);
    ASSERT_EQ(g.ImageLeft, 30);
    // Up to three pixels left of the image still map to column 0 (Trunc(-0.75) = 0).
    EXPECT_EQ(ScreenToImage(g, QPoint(27, 30)).x(), 0);
    EXPECT_EQ(ScreenToImage(g, QPoint(26, 30)).x(), -1);
    EXPECT_EQ(ScreenToImage(g, QPoint(33, 34)), QPoint(0, 1));
    EXPECT_FALSE(IsInImage(g, QPoint(-1, 0)));
    EXPECT_TRUE(IsInImage(g, QPoint(9, 9)));
    EXPECT_FALSE(IsInImage(g, QPoint(10, 9)));
    EXPECT_EQ(ImageToScreen(g, QPoint(-1, 0)), QPoint(26, 30));
    EXPECT_EQ(ImageToScreenCentre(g, QPoint(0, 0)), QPoint(32, 32));
    EXPECT_EQ(ClampToImageEdge(g, QPoint(-5, 15)), QPoint(0, 10));
    EXPECT_EQ(ClampToImagePixel(g, QPoint(-5, 15)), QPoint(0, 9));
    EXPECT_TRUE(IsInDisplayedImage(g, QPoint(70, 70)));
    EXPECT_FALSE(IsInDisplayedImage(g, QPoint(71, 70)));
}

} // namespace
} // namespace kalvo
