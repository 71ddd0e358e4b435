#include "CanvasTestSupport.h"
#include "canvas/NearestStretch.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace kalvo {
namespace {

using test::FrameAt;
using test::PatternBitmap;
using test::SetClientSize;

void PressKey(TpxImage& canvas, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(canvas.viewport(), &press);
}

TEST(PxImageView, DefaultsAtConstruction)
{
    TpxImage canvas;
    EXPECT_EQ(canvas.Zoom(), 100);
    EXPECT_DOUBLE_EQ(canvas.ZoomFactor(), 1.0);
    EXPECT_TRUE(canvas.Center());
    EXPECT_FALSE(canvas.AutoStretch());
    EXPECT_TRUE(canvas.ShowScrollBars());
    EXPECT_EQ(canvas.BGBrushStyle(), bsClear);
    EXPECT_EQ(canvas.BorderStyle(), TBorderStyle::Single);
    EXPECT_TRUE(canvas.ShowRegion());
    EXPECT_EQ(canvas.MouseMode(), mmNeko);
    EXPECT_TRUE(canvas.AutoMouseCursor());
    EXPECT_FALSE(canvas.Region().has_value());
    EXPECT_EQ(canvas.ForegroundColor(), clBlack);
    EXPECT_EQ(canvas.BackgroundColor(), clWhite);
    EXPECT_EQ(canvas.ToolSettings().BrushSize, 1);
    EXPECT_EQ(canvas.ToolSettings().BrushStyle, TpxBrushStyle::pxsRound);
    EXPECT_FALSE(canvas.HasImage());
    EXPECT_FALSE(canvas.AntsRunning());
    EXPECT_FALSE(canvas.AutoScrollRunning());
}

TEST(PxImageView, ScrollBarsOfALargeImageAndTheEndKey)
{
    TpxImage canvas;
    canvas.SetBitmap(PatternBitmap(1000, 1000, 24));
    SetClientSize(canvas, 500, 500);
    ASSERT_EQ(canvas.ClientWidth(), 500);
    ASSERT_EQ(canvas.View().VisibleWidth, 501);
    // Range 0..1001 with page 501: the thumb reaches position 501.
    EXPECT_EQ(canvas.horizontalScrollBar()->maximum(), 501);
    EXPECT_EQ(canvas.horizontalScrollBar()->pageStep(), 501);
    EXPECT_EQ(canvas.verticalScrollBar()->maximum(), 501);
    EXPECT_EQ(canvas.verticalScrollBar()->singleStep(), 50);

    PressKey(canvas, Qt::Key_End);
    EXPECT_EQ(canvas.ScrollX(), 501);
    EXPECT_EQ(canvas.ScrollY(), 501);
    EXPECT_EQ(canvas.View().SourceWidth, 499);
    EXPECT_EQ(canvas.horizontalScrollBar()->value(), 501);
    PressKey(canvas, Qt::Key_PageUp);
    EXPECT_EQ(canvas.ScrollY(), 0);
    PressKey(canvas, Qt::Key_PageDown);
    EXPECT_EQ(canvas.ScrollY(), 501);
    PressKey(canvas, Qt::Key_Home);
    EXPECT_EQ(canvas.ScrollX(), 0);
    EXPECT_EQ(canvas.ScrollY(), 0);

    // Moving a bar scrolls the view in image pixels and composes one frame of the visible part.
    canvas.viewport()->grab();
    const int composed = canvas.ComposeCount();
    const QSize frameSize = canvas.ComposedFrame().size();
    canvas.horizontalScrollBar()->setValue(123);
    EXPECT_EQ(canvas.ScrollX(), 123);
    canvas.viewport()->grab();
    EXPECT_EQ(canvas.ComposeCount(), composed + 1);
    EXPECT_EQ(canvas.ComposedFrame().size(), frameSize);
    EXPECT_EQ(FrameAt(canvas.ComposedFrame(), 0, 0), FramePixel(canvas.Bitmap().pixelColor(123, 0)));
    canvas.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(canvas.ScrollY(), 50);
}

TEST(PxImageView, ShiftWheelScrollsSidewaysInTheWheelsSteps)
{
    TpxImage canvas;
    canvas.SetBitmap(PatternBitmap(1000, 1000, 24));
    SetClientSize(canvas, 500, 500);
    const auto wheelDown = [&](Qt::KeyboardModifiers modifiers) {
        const QPointF at(10, 10);
        QWheelEvent e(at, canvas.viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas.viewport(), &e);
    };
    wheelDown(Qt::NoModifier);
    const int step = canvas.ScrollY();
    ASSERT_GT(step, 0);
    EXPECT_EQ(canvas.ScrollX(), 0);
    wheelDown(Qt::ShiftModifier);
    EXPECT_EQ(canvas.ScrollX(), step);
    EXPECT_EQ(canvas.ScrollY(), step);
}

TEST(PxImageView, SameSizeBitmapKeepsTheScrollPositionAnotherSizeResetsIt)
{
    TpxImage canvas;
    canvas.SetBitmap(PatternBitmap(1000, 800, 24));
    SetClientSize(canvas, 300, 200);
    canvas.SetScrollPosition(120, 90);
    ASSERT_EQ(canvas.ScrollX(), 120);
    canvas.SetBitmap(PatternBitmap(1000, 800, 8));
    EXPECT_EQ(canvas.ScrollX(), 120);
    EXPECT_EQ(canvas.ScrollY(), 90);
    canvas.SetBitmap(PatternBitmap(1001, 800, 24));
    EXPECT_EQ(canvas.ScrollX(), 0);
    EXPECT_EQ(canvas.ScrollY(), 0);
}

TEST(PxImageView, FitToWindowAndBack)
{
    TpxImage canvas;
    SetClientSize(canvas, 300, 300);
    QSignalSpy zoomed(&canvas, &TpxImage::OnZoomChanged);
    canvas.SetBitmap(PatternBitmap(400, 200, 24));
    canvas.SetAutoStretch(true);
    EXPECT_FALSE(canvas.ShowScrollBars());
    EXPECT_EQ(canvas.Zoom(), 75);
    ASSERT_EQ(zoomed.count(), 1);
    EXPECT_EQ(zoomed.at(0).at(0).toInt(), 75);
    // The fitted image shows whole: no column is scrolled away.
    EXPECT_EQ(canvas.ScrollX(), 0);
    EXPECT_EQ(canvas.View().DrawWidth, 300);
    // While fitting, other zoom values are ignored and a new bitmap refits.
    canvas.SetZoom(400);
    EXPECT_EQ(canvas.Zoom(), 75);
    canvas.SetBitmap(PatternBitmap(1, 1, 24));
    EXPECT_EQ(canvas.Zoom(), 5000);
    canvas.SetAutoStretch(false);
    EXPECT_TRUE(canvas.ShowScrollBars());
    canvas.SetZoom(0);
    EXPECT_EQ(canvas.Zoom(), 5000);
    canvas.SetZoom(5001);
    canvas.SetZoom(-1);
    EXPECT_EQ(canvas.Zoom(), 5000);
}

TEST(PxImageView, ZoomStepKeepsThePointUnderThePointer)
{
    TpxImage canvas;
    canvas.SetBitmap(PatternBitmap(2000, 2000, 24));
    SetClientSize(canvas, 400, 300);
    canvas.SetScrollPosition(500, 600);
    const QPoint before = canvas.ScreenToImage(QPoint(100, 80));
    canvas.ZoomStep(100, 80, true);
    EXPECT_EQ(canvas.Zoom(), 150);
    EXPECT_EQ(canvas.ScreenToImage(QPoint(100, 80)), before);
    canvas.ZoomIn();
    EXPECT_EQ(canvas.Zoom(), 200);
    canvas.ZoomOut();
    canvas.ZoomOut();
    EXPECT_EQ(canvas.Zoom(), 100);
    // Below 10 a step out keeps the zoom.
    canvas.SetZoom(7);
    QSignalSpy zoomed(&canvas, &TpxImage::OnZoomChanged);
    canvas.ZoomOut();
    EXPECT_EQ(canvas.Zoom(), 7);
    EXPECT_EQ(zoomed.count(), 0);
}

TEST(PxImageView, FrameShowsTheScrolledPartAndOnlyWhatFits)
{
    TpxImage canvas;
    const TBitmap image = PatternBitmap(600, 500, 24);
    canvas.SetBitmap(image);
    SetClientSize(canvas, 200, 100);
    canvas.SetZoom(200);
    canvas.SetScrollPosition(40, 30);
    canvas.viewport()->grab();
    const QImage frame = canvas.ComposedFrame();
    // Never larger than the client area plus a pixel (and the zoomed pixel that overhangs).
    EXPECT_EQ(frame.width(), canvas.View().DisplayWidth + 1);
    EXPECT_LE(frame.width(), 200 + 2 + 1);
    EXPECT_EQ(FrameAt(frame, 0, 0), FramePixel(image.pixelColor(40, 30)));
    EXPECT_EQ(FrameAt(frame, 3, 5), FramePixel(image.pixelColor(41, 32)));
}

TEST(PxImageView, ZoomedOutFramesFollowANewImageOfTheSameSize)
{
    TpxImage canvas;
    SetClientSize(canvas, 200, 200);
    TBitmap first(400, 400, 24), second(400, 400, 24);
    first.fill(RGB(255, 0, 0));
    second.fill(RGB(0, 0, 255));
    canvas.SetBitmap(first);
    canvas.SetZoom(25);
    canvas.viewport()->grab();
    EXPECT_EQ(FrameAt(canvas.ComposedFrame(), 10, 10), 0xFFFF0000u);
    canvas.SetBitmap(second);
    canvas.viewport()->grab();
    EXPECT_EQ(FrameAt(canvas.ComposedFrame(), 10, 10), 0xFF0000FFu);
    // Pixels changed in place show after ImageChanged.
    TBitmap third = second;
    third.fill(RGB(0, 255, 0));
    canvas.SetBitmap(third);
    canvas.viewport()->grab();
    EXPECT_EQ(FrameAt(canvas.ComposedFrame(), 10, 10), 0xFF00FF00u);
}

TEST(PxImageView, SolidMarginsAndEdgeInTheControlColour)
{
    TpxImage canvas;
    SetClientSize(canvas, 100, 80);
    TBitmap image(20, 10, 24);
    image.fill(RGB(10, 20, 30));
    canvas.SetBitmap(image);
    canvas.SetBGBrushStyle(bsSolid);
    canvas.SetColor(RGB(200, 100, 50));
    const QImage shown = canvas.viewport()->grab().toImage();
    ASSERT_EQ(canvas.ImageLeft(), 40);
    ASSERT_EQ(canvas.ImageTop(), 35);
    const QRgb margin = qRgb(200, 100, 50);
    EXPECT_EQ(shown.pixel(0, 0), margin);
    EXPECT_EQ(shown.pixel(39, 40), margin);
    EXPECT_EQ(shown.pixel(99, 79), margin);
    EXPECT_EQ(shown.pixel(61, 40), margin);
    EXPECT_EQ(shown.pixel(40, 35), qRgb(10, 20, 30));
    EXPECT_EQ(shown.pixel(59, 44), qRgb(10, 20, 30));
    // The one-pixel edge right of and below the image is in Color too, in the frame buffer.
    const QImage frame = canvas.ComposedFrame();
    EXPECT_EQ(FrameAt(frame, 20, 0), 0xFFC86432u);
    EXPECT_EQ(FrameAt(frame, 20, 10), 0xFFC86432u);
    EXPECT_EQ(FrameAt(frame, 0, 10), 0xFFC86432u);
    EXPECT_EQ(FrameAt(frame, 19, 9), 0xFF0A141Eu);
    // With the default hatch the edge is white.
    canvas.SetBGBrushStyle(bsClear);
    canvas.viewport()->grab();
    EXPECT_EQ(FrameAt(canvas.ComposedFrame(), 20, 5), 0xFFFFFFFFu);
}

TEST(PxImageView, PaletteEntriesAndDisplayColours)
{
    TpxImage canvas;
    QSignalSpy colours(&canvas, &TpxImage::OnChangeColors);
    TBitmap image(4, 4, 8);
    image.setPalette({RGB(0, 0, 0), RGB(250, 250, 250), RGB(200, 0, 0)});
    canvas.SetBitmap(image);
    canvas.SetForegroundColor(RGB(190, 10, 10));
    EXPECT_EQ(canvas.DisplayForegroundColor(), RGB(200, 0, 0));
    EXPECT_EQ(canvas.DisplayBackgroundColor(), RGB(250, 250, 250));
    EXPECT_GE(colours.count(), 2);
    const TRGBQuad quad{0, 0, 255, 0}; // red
    EXPECT_TRUE(canvas.SetPaletteEntries(std::span(&quad, 1), 1));
    EXPECT_EQ(canvas.ImagePalette()[0], RGB(255, 0, 0));
    EXPECT_EQ(canvas.DisplayForegroundColor(), RGB(200, 0, 0));
    canvas.SwapColors();
    EXPECT_EQ(canvas.ForegroundColor(), RGB(255, 255, 255));
    canvas.SetBitmap(PatternBitmap(4, 4, 24));
    EXPECT_EQ(canvas.DisplayForegroundColor(), RGB(255, 255, 255));
    EXPECT_FALSE(canvas.SetPaletteEntries(std::span(&quad, 1), 1));
    EXPECT_TRUE(canvas.ImagePalette().empty());
}

TEST(PxImageView, AutoScrollMovesByTheDistanceOutsideTheClientArea)
{
    TpxImage canvas;
    canvas.SetBitmap(PatternBitmap(1000, 1000, 24));
    SetClientSize(canvas, 200, 200);
    canvas.SetZoom(400);
    canvas.SetScrollPosition(100, 100);
    EXPECT_TRUE(canvas.AutoScrollBy(QPoint(-7, 230)));
    EXPECT_EQ(canvas.ScrollX(), 93);
    EXPECT_EQ(canvas.ScrollY(), 130);
    EXPECT_FALSE(canvas.AutoScrollBy(QPoint(50, 50)));
    canvas.SetScrollPosition(0, 0);
    EXPECT_FALSE(canvas.AutoScrollBy(QPoint(-20, -20)));
    canvas.SetSelecting(true);
    EXPECT_TRUE(canvas.AutoScrollRunning());
    canvas.SetSelecting(false);
    canvas.AutoScrollTimerTimer();
    EXPECT_FALSE(canvas.AutoScrollRunning());
}

TEST(PxImageView, BusyStopsPaintingAndNests)
{
    TpxImage canvas;
    canvas.SetBitmap(PatternBitmap(50, 50, 24));
    SetClientSize(canvas, 100, 100);
    QSignalSpy painted(&canvas, &TpxImage::OnPaint);
    canvas.BeginBusy();
    canvas.BeginBusy();
    canvas.viewport()->grab();
    EXPECT_EQ(painted.count(), 0);
    canvas.EndBusy();
    EXPECT_EQ(canvas.BusyCount(), 1);
    canvas.EndBusy();
    canvas.EndBusy(); // an unmatched end does not go below zero
    EXPECT_EQ(canvas.BusyCount(), 0);
    canvas.viewport()->grab();
    EXPECT_EQ(painted.count(), 1);
}

} // namespace
} // namespace kalvo
