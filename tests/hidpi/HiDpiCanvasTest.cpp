// The canvas on a screen with a device pixel ratio of 2 (this test program's screen): the frame
// is composed at device resolution, 100 % shows one image pixel per device pixel, mouse
// positions select the image pixels under them, and outlines, rubber bands and cursors are one
// device pixel fine.
#include "canvas/CanvasCursors.h"
#include "canvas/CanvasTestSupport.h"
#include "canvas/PxImage.h"
#include "canvas/ZoomSteps.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <vector>

namespace kalvo {
namespace {

using test::SetClientSize;
using test::SolidBitmap;

constexpr QRgb kPlain = qRgb(10, 20, 30);

// Each pixel tells its place: red = x, green = y, blue = 255 on every other pixel (a one-pixel
// checkerboard).
TBitmap Checkerboard(int w, int h)
{
    TBitmap image(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = image.scanLine(y) + 3 * x;
            p[0] = (x + y) % 2 ? 255 : 0;
            p[1] = std::uint8_t(y);
            p[2] = std::uint8_t(x);
        }
    return image;
}

QRgb Expected(int x, int y)
{
    return qRgb(x & 0xFF, y & 0xFF, (x + y) % 2 ? 255 : 0);
}

// A canvas whose viewport is 100 x 80 logical pixels (200 x 160 device pixels).
struct Canvas {
    TpxImage canvas;
    Qt::MouseButtons held = Qt::NoButton;
    explicit Canvas(const TBitmap& image)
    {
        canvas.SetBitmap(image);
        SetClientSize(canvas, 100, 80);
    }
    // Sends a mouse event at a logical viewport position, as the window system does.
    void send(QEvent::Type type, QPointF logical, Qt::MouseButton button = Qt::LeftButton)
    {
        if (type == QEvent::MouseButtonPress)
            held |= button;
        else if (type == QEvent::MouseButtonRelease)
            held &= ~Qt::MouseButtons(button);
        QMouseEvent e(type, logical, canvas.viewport()->mapToGlobal(logical),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas.viewport(), &e);
    }
    // A left-button drag in one move.
    void drag(QPointF from, QPointF to)
    {
        send(QEvent::MouseButtonPress, from);
        send(QEvent::MouseMove, to);
        send(QEvent::MouseButtonRelease, to);
    }
    // What the viewport shows, one QImage pixel per device pixel.
    QImage shown() const
    {
        QCoreApplication::processEvents();
        return canvas.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

// The rows (or columns) along one column (row) of the picture whose pixel differs from kPlain.
std::vector<int> Marked(const QImage& shown, int fixed, bool alongColumn)
{
    std::vector<int> at;
    const int n = alongColumn ? shown.height() : shown.width();
    for (int i = 0; i < n; ++i) {
        const QRgb p = alongColumn ? shown.pixel(fixed, i) : shown.pixel(i, fixed);
        if ((p & 0xFFFFFF) != (kPlain & 0xFFFFFF))
            at.push_back(i);
    }
    return at;
}

TEST(HighDensityScreen, TheScreenHasADevicePixelRatioOfTwo)
{
    Canvas c(Checkerboard(300, 200));
    ASSERT_EQ(c.canvas.PixelRatio(), 2.0);
    EXPECT_EQ(c.canvas.viewport()->size(), QSize(100, 80));
    EXPECT_EQ(c.canvas.ClientWidth(), 200);
    EXPECT_EQ(c.canvas.ClientHeight(), 160);
}

TEST(HighDensityScreen, HundredPercentShowsOneImagePixelPerDevicePixel)
{
    Canvas c(Checkerboard(300, 200));
    c.canvas.SetZoom(100);
    // The frame itself is composed at device size.
    EXPECT_GE(c.canvas.ComposedFrame().width(), 200);
    EXPECT_GE(c.canvas.ComposedFrame().height(), 160);
    const QImage shown = c.shown();
    ASSERT_EQ(shown.size(), QSize(200, 160));
    int wrong = 0;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 200; ++x)
            wrong += (shown.pixel(x, y) & 0xFFFFFF) != (Expected(x, y) & 0xFFFFFF);
    EXPECT_EQ(wrong, 0);

    // Scrolled, the device pixel (x, y) shows image pixel (x + 50, y + 30).
    c.canvas.SetScrollPosition(50, 30);
    const QImage scrolled = c.shown();
    wrong = 0;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 200; ++x)
            wrong += (scrolled.pixel(x, y) & 0xFFFFFF) != (Expected(x + 50, y + 30) & 0xFFFFFF);
    EXPECT_EQ(wrong, 0);
}

TEST(HighDensityScreen, TwoHundredPercentShowsTwoByTwoDevicePixelsPerImagePixel)
{
    Canvas c(Checkerboard(300, 200));
    c.canvas.SetZoom(200);
    const QImage shown = c.shown();
    int wrong = 0;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 200; ++x)
            wrong += (shown.pixel(x, y) & 0xFFFFFF) != (Expected(x / 2, y / 2) & 0xFFFFFF);
    EXPECT_EQ(wrong, 0);
}

TEST(HighDensityScreen, FitToWindowFillsTheDevicePixels)
{
    Canvas c(Checkerboard(400, 320));
    c.canvas.SetAutoStretch(true);
    QCoreApplication::processEvents();
    // The scroll bars are gone: the picture fits the device pixels of the whole viewport.
    const QSize logical = c.canvas.viewport()->size();
    EXPECT_EQ(c.canvas.Zoom(), FitToWindowZoom(2 * logical.width(), 2 * logical.height(), 400, 320));
    EXPECT_NE(c.canvas.Zoom(), FitToWindowZoom(logical.width(), logical.height(), 400, 320));
}

TEST(HighDensityScreen, ARectangleDragSelectsTheImagePixelsUnderThePointer)
{
    Canvas c(SolidBitmap(300, 200, RGB(10, 20, 30)));
    c.canvas.SetZoom(100);
    c.canvas.SetMouseMode(mmSelectRect);
    c.drag({10, 5}, {30, 20});
    ASSERT_TRUE(c.canvas.Region());
    EXPECT_EQ(c.canvas.Region()->boundingRect(), (TRect{20, 10, 60, 40}));

    // A position between logical pixels names the device pixel it lies on.
    c.canvas.DeleteSelection();
    c.drag({10.75, 5.25}, {40.5, 30.5});
    ASSERT_TRUE(c.canvas.Region());
    EXPECT_EQ(c.canvas.Region()->boundingRect(), (TRect{21, 10, 81, 61}));
}

TEST(HighDensityScreen, TheMouseSignalsReportDevicePixels)
{
    Canvas c(Checkerboard(300, 200));
    QSignalSpy moves(&c.canvas, &TpxImage::OnMouseMove);
    c.send(QEvent::MouseMove, {7, 9});
    ASSERT_EQ(moves.count(), 1);
    EXPECT_EQ(moves.at(0).at(1).toInt(), 14);
    EXPECT_EQ(moves.at(0).at(2).toInt(), 18);
    EXPECT_EQ(c.canvas.ViewportPoint({14, 18}), QPointF(7, 9));
}

TEST(HighDensityScreen, CtrlWheelZoomsAboutTheDevicePixelUnderThePointer)
{
    Canvas c(Checkerboard(300, 200));
    c.canvas.SetZoom(100);
    const QPoint under = c.canvas.ScreenToImage({60, 40});
    const QPointF at(30, 20);
    QWheelEvent wheel(at, c.canvas.viewport()->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(c.canvas.viewport(), &wheel);
    EXPECT_GT(c.canvas.Zoom(), 100);
    EXPECT_EQ(c.canvas.ScreenToImage({60, 40}), under);
}

TEST(HighDensityScreen, TheRubberBandIsOneDevicePixelWide)
{
    Canvas c(SolidBitmap(300, 200, RGB(10, 20, 30)));
    c.canvas.SetZoom(100);
    c.canvas.SetMouseMode(mmSelectRect);
    c.send(QEvent::MouseButtonPress, {10, 5});
    c.send(QEvent::MouseMove, {30, 20});
    const QImage band = c.shown();
    // The band runs along device rows 10 and 40 and columns 20 and 60, one pixel each.
    EXPECT_EQ(Marked(band, 40, true), (std::vector<int>{10, 40}));
    EXPECT_EQ(Marked(band, 25, false), (std::vector<int>{20, 60}));
    c.send(QEvent::MouseButtonRelease, {30, 20});
}

TEST(HighDensityScreen, TheSelectionOutlineIsOneDevicePixelWide)
{
    Canvas c(SolidBitmap(300, 200, RGB(10, 20, 30)));
    c.canvas.SetZoom(100);
    c.canvas.SetRegion(TRegion::rect({20, 10, 60, 40}));
    const QImage shown = c.shown();
    const std::vector<int> rows = Marked(shown, 40, true);
    const std::vector<int> columns = Marked(shown, 25, false);
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(columns.size(), 2u);
    // Device pixel 20, 10 is the selection's first pixel; the outline hugs it.
    EXPECT_EQ(rows[0], 10);
    EXPECT_EQ(columns[0], 20);
    EXPECT_GE(rows[1], 39);
    EXPECT_LE(rows[1], 40);
    EXPECT_GE(columns[1], 59);
    EXPECT_LE(columns[1], 60);
}

TEST(HighDensityScreen, CornerHandlesKeepTheirPhysicalSize)
{
    Canvas c(SolidBitmap(300, 200, RGB(10, 20, 30)));
    c.canvas.SetZoom(100);
    c.canvas.SetMouseMode(mmSelectRect);
    c.canvas.SetRegion(TRegion::rect({20, 10, 60, 40}));
    // The upper-left handle: device columns 14..27 of row 4 (its top edge) are black, its
    // inside white: twice the 8 x 8 handle of an ordinary screen, less the doubled border.
    const QImage shown = c.shown();
    for (int x = 12; x <= 29; ++x)
        EXPECT_EQ(shown.pixel(x, 4), x >= 14 && x <= 27 ? qRgb(0, 0, 0) : kPlain) << x;
    EXPECT_EQ(shown.pixel(14, 12), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(15, 12), qRgb(255, 255, 255));
    EXPECT_EQ(shown.pixel(26, 16), qRgb(255, 255, 255));

    // Grabbed 5 device pixels from the corner, the handle moves the corner.
    c.drag({12.5, 7.5}, {5, 3});
    ASSERT_TRUE(c.canvas.Region());
    EXPECT_EQ(c.canvas.Region()->boundingRect(), (TRect{10, 6, 60, 40}));
}

TEST(HighDensityScreen, TheCursorIsEnlargedByWholePixels)
{
    Canvas c(Checkerboard(300, 200));
    c.canvas.SetMouseMode(mmSelectRect);
    const QCursor cursor = c.canvas.viewport()->cursor();
    ASSERT_EQ(cursor.shape(), Qt::BitmapCursor);
    const QPixmap pixmap = cursor.pixmap();
    EXPECT_EQ(pixmap.size(), QSize(64, 64));
    EXPECT_EQ(pixmap.devicePixelRatio(), 2.0);
    // Each picture pixel became a 2 x 2 block of the same colour and transparency.
    const QImage small = CanvasCursor(crSelect).pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage large = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(small.size(), QSize(32, 32));
    int wrong = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            wrong += large.pixel(x, y) != small.pixel(x / 2, y / 2);
    EXPECT_EQ(wrong, 0);
    // The test platform takes hotspots in logical pixels.
    EXPECT_EQ(cursor.hotSpot(), CanvasCursorHotspot(crSelect));
}

TEST(HighDensityScreen, X11TakesTheHotspotInThePicturesPixels)
{
    EXPECT_EQ(ScaledCursorHotspot({15, 15}, 2.0, true), QPoint(30, 30));
    EXPECT_EQ(ScaledCursorHotspot({13, 18}, 1.5, true), QPoint(19, 27));
    EXPECT_EQ(ScaledCursorHotspot({13, 18}, 2.0, false), QPoint(13, 18));
}

} // namespace
} // namespace kalvo
