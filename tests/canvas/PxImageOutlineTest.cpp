#include "CanvasTestSupport.h"
#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace kalvo {
namespace {

using test::FrameAt;
using test::SetClientSize;

constexpr std::uint32_t kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu;

// A 60 x 40 grey image at zoom 200 with the rectangle (5, 4)-(15, 10) selected.
struct SelectedCanvas {
    TpxImage canvas;
    SelectedCanvas()
    {
        TBitmap image(60, 40, 24);
        image.fill(RGB(128, 128, 128));
        canvas.SetBitmap(image);
        SetClientSize(canvas, 200, 150);
        canvas.SetZoom(200);
        canvas.SetRegion(TRegion::rect({5, 4, 15, 10}));
        canvas.viewport()->grab();
    }
    std::uint32_t At(int x, int y) { return FrameAt(canvas.ComposedFrame(), x, y); }
};

TEST(PxImageOutline, RegionOutlineIsDrawnZoomedAsAnts)
{
    SelectedCanvas s;
    ASSERT_TRUE(s.canvas.Region().has_value());
    EXPECT_EQ(s.canvas.RegionComplexity(), rcSimple);
    EXPECT_EQ(s.canvas.ZoomedOutline().Box, (TRect{10, 8, 30, 20}));
    EXPECT_TRUE(s.canvas.AntsRunning());
    // The top edge runs along frame row 8 from x 10 to 29 with the dash at phase 0.
    for (int x = 12; x < 28; ++x)
        EXPECT_EQ(s.At(x, 8), (x + 8) % 8 <= 4 ? kBlack : kWhite) << x;
    EXPECT_EQ(s.At(12, 9), 0xFF808080u);
    // No corner handles in the hand mode.
    EXPECT_EQ(s.At(7, 5), 0xFF808080u);
}

TEST(PxImageOutline, AntsAnimateWithoutRecomposingTheFrame)
{
    SelectedCanvas s;
    QCoreApplication::processEvents();
    const int composed = s.canvas.ComposeCount();
    s.canvas.AntsTimerTimer();
    EXPECT_EQ(s.canvas.AntsPhase(), 1);
    EXPECT_TRUE(s.canvas.AntsRunning());
    for (int x = 12; x < 28; ++x)
        EXPECT_EQ(s.At(x, 8), (x + 8 + 1) % 8 <= 4 ? kBlack : kWhite) << x;
    for (int i = 0; i < 7; ++i)
        s.canvas.AntsTimerTimer();
    EXPECT_EQ(s.canvas.AntsPhase(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(s.canvas.ComposeCount(), composed);
    // While the update lock is held the tick changes nothing and keeps running.
    s.canvas.BeginUpdateLock();
    s.canvas.AntsTimerTimer();
    EXPECT_EQ(s.canvas.AntsPhase(), 0);
    EXPECT_TRUE(s.canvas.AntsRunning());
    s.canvas.EndUpdateLock();
}

TEST(PxImageOutline, ShowRegionOffStopsTheAntsAndHidesTheOutline)
{
    SelectedCanvas s;
    QSignalSpy changed(&s.canvas, &TpxImage::OnShowRegionChange);
    s.canvas.SetShowRegion(false);
    EXPECT_FALSE(s.canvas.AntsRunning());
    EXPECT_EQ(changed.count(), 1);
    s.canvas.viewport()->grab();
    EXPECT_EQ(s.At(12, 8), 0xFF808080u);
    // Busy sections leave the ants stopped while the outline is hidden.
    s.canvas.BeginBusy();
    s.canvas.EndBusy();
    EXPECT_FALSE(s.canvas.AntsRunning());
}

TEST(PxImageOutline, ShowRegionWithoutRegionStartsTheTimerWhoseFirstTickStopsIt)
{
    TpxImage canvas;
    canvas.SetShowRegion(false);
    canvas.SetShowRegion(true);
    EXPECT_TRUE(canvas.AntsRunning());
    canvas.AntsTimerTimer();
    EXPECT_FALSE(canvas.AntsRunning());
}

TEST(PxImageOutline, HandlesInSelectionModesAndZoomRescalesTheOutline)
{
    SelectedCanvas s;
    s.canvas.SetMouseMode(mmSelectRect);
    s.canvas.viewport()->grab();
    EXPECT_EQ(s.At(7, 5), kBlack);   // top-left handle border (10 - 3, 8 - 3)
    EXPECT_EQ(s.At(10, 10), kWhite); // its inside
    s.canvas.SetZoom(100);
    EXPECT_EQ(s.canvas.ZoomedOutline().Box, (TRect{5, 4, 15, 10}));
}

TEST(PxImageOutline, DeletingTheSelectionRaisesItsEvents)
{
    SelectedCanvas s;
    QSignalSpy before(&s.canvas, &TpxImage::OnRegionChange);
    QSignalSpy after(&s.canvas, &TpxImage::OnRegionDeleted);
    s.canvas.SetRegion(std::nullopt);
    EXPECT_FALSE(s.canvas.Region().has_value());
    EXPECT_EQ(before.count(), 1);
    EXPECT_EQ(after.count(), 1);
    EXPECT_TRUE(s.canvas.Outline().empty());
    EXPECT_FALSE(s.canvas.AntsRunning());
    s.canvas.viewport()->grab();
    EXPECT_EQ(s.At(12, 8), 0xFF808080u);
    // An empty region leaves nothing to outline: it becomes absent.
    s.canvas.SetRegion(TRegion());
    EXPECT_FALSE(s.canvas.Region().has_value());
}

} // namespace
} // namespace kalvo

namespace kalvo {
namespace {

TEST(PxImageInput, MouseEventsAreRaisedWithClientCoordinates)
{
    TpxImage canvas;
    test::SetClientSize(canvas, 120, 90);
    QSignalSpy down(&canvas, &TpxImage::OnMousedown);
    QSignalSpy up(&canvas, &TpxImage::OnMouseUp);
    QSignalSpy click(&canvas, &TpxImage::OnClick);
    QTest::mouseClick(canvas.viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(17, 23));
    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down.at(0).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
    EXPECT_EQ(down.at(0).at(1).value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    EXPECT_EQ(down.at(0).at(2).toInt(), 17);
    EXPECT_EQ(down.at(0).at(3).toInt(), 23);
    EXPECT_EQ(up.count(), 1);
    EXPECT_EQ(click.count(), 1);
}

TEST(PxImageInput, AssignCopiesImageSelectionAndColours)
{
    TpxImage source, copy;
    source.SetBitmap(test::PatternBitmap(30, 20, 24));
    source.SetRegion(TRegion::rect({2, 2, 9, 7}));
    source.SetForegroundColor(RGB(1, 2, 3));
    copy.Assign(source);
    EXPECT_EQ(copy.Bitmap(), source.Bitmap());
    ASSERT_TRUE(copy.Region().has_value());
    EXPECT_EQ(*copy.Region(), *source.Region());
    EXPECT_EQ(copy.Outline(), source.Outline());
    EXPECT_EQ(copy.ForegroundColor(), RGB(1, 2, 3));
}

} // namespace
} // namespace kalvo
