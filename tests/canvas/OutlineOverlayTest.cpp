#include "canvas/OutlineOverlay.h"
#include "canvas/DashedLine.h"
#include "canvas/FrameComposer.h"

#include <gtest/gtest.h>

namespace kalvo {
namespace {

std::uint32_t At(const QImage& frame, int x, int y)
{
    return reinterpret_cast<const std::uint32_t*>(frame.constScanLine(y))[x];
}

constexpr std::uint32_t kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu, kGrey = 0xFF808080u;

QImage GreyFrame(int w, int h)
{
    QImage frame = CreateFrameBuffer(w, h);
    frame.fill(kGrey);
    return frame;
}

TEST(OutlineOverlay, ScaleTruncatesEachPointAndEdgeExactly)
{
    const TPoints outline = {QPoint(100, 3), QPoint(101, 3)};
    const TZoomedOutline z = ScaleOutline(outline, TRect{1, 3, 101, 7}, 115);
    EXPECT_EQ(z.Points, (TPoints{QPoint(115, 3), QPoint(116, 3)}));
    EXPECT_EQ(z.Box, (TRect{1, 3, 116, 8}));
    EXPECT_EQ(ScaleOutline({}, TRect{1, 3, 101, 7}, 200).Box, TRect{});
    // At 50 % an edge shrinking to a point and a repeat of the edge before are left out.
    const TPoints steps = {QPoint(0, 0), QPoint(1, 0), QPoint(1, 0), QPoint(2, 0),
                           QPoint(2, 0), QPoint(3, 0), QPoint(3, 0), QPoint(2, 0)};
    EXPECT_EQ(ScaleOutline(steps, TRect{0, 0, 3, 1}, 50).Points, (TPoints{QPoint(0, 0), QPoint(1, 0)}));
}

TEST(OutlineOverlay, SegmentIsDashedByPhaseWithTheEndExcluded)
{
    QImage frame = GreyFrame(20, 4);
    const TPoints seg = {QPoint(0, 1), QPoint(12, 1)};
    DrawOutlineSegments(frame, seg, {0, 0, 19, 3, 0});
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(At(frame, x, 1), (x + 1) % 8 <= 4 ? kBlack : kWhite) << x;
    EXPECT_EQ(At(frame, 12, 1), kGrey);
    EXPECT_EQ(At(frame, 0, 0), kGrey);
    // The next phase shifts the dash by one pixel.
    DrawOutlineSegments(frame, seg, {0, 0, 19, 3, 1});
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(At(frame, x, 1), (x + 2) % 8 <= 4 ? kBlack : kWhite) << x;
}

TEST(OutlineOverlay, SegmentsAreShiftedByTheScrollAndClippedToTheFrame)
{
    QImage frame = GreyFrame(10, 10);
    // Both ends left of the frame after the shift: skipped; one inside: drawn and clipped.
    const TPoints segs = {QPoint(0, 5), QPoint(3, 5), QPoint(2, 6), QPoint(8, 6)};
    DrawOutlineSegments(frame, segs, {4, 0, 9, 9, 0});
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(At(frame, x, 5), kGrey);
    EXPECT_NE(At(frame, 0, 6), kGrey); // point 4 of the second segment
    EXPECT_NE(At(frame, 3, 6), kGrey);
    EXPECT_EQ(At(frame, 4, 6), kGrey); // end excluded
}

TEST(OutlineOverlay, NegativeDashSumsAreBlack)
{
    EXPECT_TRUE(IsDashBlack(-3, 0, 0));
    EXPECT_TRUE(IsDashBlack(-7, 1, 0));
    EXPECT_FALSE(IsDashBlack(5, 0, 0));
    EXPECT_TRUE(IsDashBlack(4, 0, 0));
}

TEST(OutlineOverlay, CornerHandlesHaveABlackBorderAndAWhiteInside)
{
    QImage frame = GreyFrame(40, 40);
    DrawCornerHandles(frame, TRect{10, 10, 30, 30}, {0, 0, 39, 39, 0});
    EXPECT_EQ(At(frame, 7, 7), kBlack);
    EXPECT_EQ(At(frame, 14, 14), kBlack);
    EXPECT_EQ(At(frame, 8, 8), kWhite);
    EXPECT_EQ(At(frame, 13, 13), kWhite);
    EXPECT_EQ(At(frame, 6, 7), kGrey);
    EXPECT_EQ(At(frame, 15, 15), kGrey);
    EXPECT_EQ(At(frame, 34, 34), kBlack);
    EXPECT_EQ(At(frame, 30, 12), kWhite);
    // Clipped at the display edge: the clipped side shows white, not a moved border.
    QImage small = GreyFrame(12, 12);
    DrawCornerHandles(small, TRect{0, 0, 10, 10}, {0, 0, 11, 11, 0});
    EXPECT_EQ(At(small, 0, 0), kWhite);
    EXPECT_EQ(At(small, 4, 0), kBlack);
    EXPECT_EQ(At(small, 11, 11), kWhite);
}

TEST(OutlineOverlay, LineWalkCoversEveryStepOfTheLongerAxis)
{
    std::vector<QPoint> points;
    LineDDA(0, 0, 5, 2, [&](int x, int y) { points.emplace_back(x, y); });
    ASSERT_EQ(points.size(), 5u);
    EXPECT_EQ(points.front(), QPoint(0, 0));
    for (std::size_t i = 0; i < points.size(); ++i)
        EXPECT_EQ(points[i].x(), int(i));
    EXPECT_LE(points.back().y(), 2);
    points.clear();
    LineDDA(3, 3, 3, -1, [&](int x, int y) { points.emplace_back(x, y); });
    EXPECT_EQ(points, (std::vector<QPoint>{{3, 3}, {3, 2}, {3, 1}, {3, 0}}));
}

} // namespace
} // namespace kalvo
