// The painting modes driven through the real canvas with synthetic mouse and key events.
#include "CanvasTestSupport.h"
#include "canvas/FrameComposer.h"
#include "canvas/tools/PenTool.h"
#include "image/Palette.h"
#include "image/PixelBox.h"
#include "image/RegionConvert.h"
#include "imaging/raster/BlendThroughMask.h"
#include "imaging/raster/PenStroke.h"
#include "imaging/raster/StrokeAndBlend.h"
#include "support/TestSupport.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace kalvo {
namespace {

using test::FrameAt;
using test::PatternBitmap;
using test::SetClientSize;
using test::SolidBitmap;

// A canvas showing an image at zoom 100, and the painting notifications it raised, each with
// the colour of image pixel `probe` at that moment (to see whether the image had changed yet).
struct Painter {
    TpxImage canvas;
    std::vector<std::string> notices;
    std::vector<TColor> probeAtNotice;
    QPoint probe{0, 0};
    std::vector<std::pair<Qt::MouseButton, TColor>> picked;

    explicit Painter(const TBitmap& image, TMouseMode mode)
    {
        canvas.SetBitmap(image);
        SetClientSize(canvas, 200, 160);
        const auto note = [this](const char* what) {
            return [this, what] {
                notices.emplace_back(what);
                probeAtNotice.push_back(canvas.Bitmap().pixelColor(probe.x(), probe.y()));
            };
        };
        QObject::connect(&canvas, &TpxImage::OnPaintImage, note("paint"));
        QObject::connect(&canvas, &TpxImage::OnDraw, note("draw"));
        QObject::connect(&canvas, &TpxImage::OnBeginBrush, note("begin"));
        QObject::connect(&canvas, &TpxImage::OnEndBrush, note("end"));
        QObject::connect(&canvas, &TpxImage::OnSpoitSelect,
                         [this](Qt::MouseButton b, TColor c) { picked.emplace_back(b, c); });
        canvas.SetMouseMode(mode);
    }

    QPoint At(QPoint imagePixel) const { return canvas.ImageToScreenCentre(imagePixel); }

    void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint imagePixel,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const QPointF pos = At(imagePixel);
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton
            : type == QEvent::MouseMove                                  ? heldButtons
                                                                         : Qt::MouseButtons(button);
        if (type == QEvent::MouseButtonPress)
            heldButtons = button;
        if (type == QEvent::MouseButtonRelease)
            heldButtons = Qt::NoButton;
        QMouseEvent event(type, pos, canvas.viewport()->mapToGlobal(pos),
                          type == QEvent::MouseMove ? Qt::NoButton : button, held, modifiers);
        QCoreApplication::sendEvent(canvas.viewport(), &event);
    }
    void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        Mouse(QEvent::MouseButtonPress, b, p, m);
    }
    void Move(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier) { Mouse(QEvent::MouseMove, Qt::NoButton, p, m); }
    void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton) { Mouse(QEvent::MouseButtonRelease, b, p); }
    void Key(int key)
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas.viewport(), &event);
    }
    void Settings(const std::function<void(TToolSettings&)>& change)
    {
        TToolSettings s = canvas.ToolSettings();
        change(s);
        canvas.SetToolSettings(s);
    }
    TColor Pixel(int x, int y) const { return canvas.Bitmap().pixelColor(x, y); }
    int Index(int x, int y) const { return canvas.Bitmap().scanLine(y)[x]; }

    Qt::MouseButtons heldButtons = Qt::NoButton;
};

// An 8-bit image of palette index 0 with a palette of black, white, red and then greys.
TBitmap Indexed8(int w, int h)
{
    TBitmap b(w, h, 8);
    std::vector<TColor> palette(256);
    for (int i = 0; i < 256; ++i)
        palette[std::size_t(i)] = RGB(i, i, i);
    palette[1] = clWhite;
    palette[2] = RGB(255, 0, 0);
    b.setPalette(palette);
    return b;
}

// --- Fill -----------------------------------------------------------------------------------

TEST(PxImagePaint, FillWithToleranceZeroColoursExactlyTheRectangularSelection)
{
    Painter p(SolidBitmap(30, 20, RGB(10, 20, 30)), mmPaint);
    p.canvas.SetRegion(TRegion::rect({5, 4, 12, 9}));
    p.canvas.SetForegroundColor(RGB(200, 100, 0));
    p.probe = {6, 5};
    p.Press({6, 5});
    p.Release({6, 5});
    ASSERT_EQ(p.notices, std::vector<std::string>{"paint"});
    EXPECT_EQ(p.probeAtNotice[0], RGB(10, 20, 30)); // raised before the image changed
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) {
            const bool inside = x >= 5 && x < 12 && y >= 4 && y < 9;
            ASSERT_EQ(p.Pixel(x, y), inside ? RGB(200, 100, 0) : RGB(10, 20, 30)) << x << "," << y;
        }
    EXPECT_EQ(p.canvas.BusyCount(), 0);
}

TEST(PxImagePaint, FillTransparencyRightButtonAndTheColourArea)
{
    // Left half black, right half grey: the fill stops at the colour border.
    TBitmap image = SolidBitmap(20, 10, clBlack);
    for (int y = 0; y < 10; ++y)
        for (int x = 10; x < 20; ++x)
            std::memset(image.scanLine(y) + 3 * x, 90, 3);
    Painter p(image, mmPaint);
    p.canvas.SetForegroundColor(RGB(0, 255, 0));
    p.canvas.SetBackgroundColor(clWhite);
    p.Settings([](TToolSettings& s) { s.PaintAlphaChannel = 50; });
    p.Press({2, 2}, Qt::RightButton);
    p.Release({2, 2}, Qt::RightButton);
    // (50 * 0 + 50 * 255) div 100 in every channel, with the background colour.
    EXPECT_EQ(p.Pixel(0, 0), RGB(127, 127, 127));
    EXPECT_EQ(p.Pixel(9, 9), RGB(127, 127, 127));
    EXPECT_EQ(p.Pixel(10, 0), RGB(90, 90, 90));
    // A click outside the image and a middle click do nothing.
    p.Press({25, 2});
    p.Press({15, 2}, Qt::MiddleButton);
    EXPECT_EQ(p.notices.size(), 1u);
}

TEST(PxImagePaint, FillOnAPaletteImageWritesTheNearestIndexIgnoringTransparency)
{
    Painter p(Indexed8(12, 6), mmPaint);
    p.canvas.SetRegion(TRegion::rect({0, 0, 6, 6}));
    p.canvas.SetForegroundColor(RGB(250, 10, 5)); // nearest: red, index 2
    p.Settings([](TToolSettings& s) { s.PaintAlphaChannel = 70; });
    p.Press({1, 1});
    EXPECT_EQ(p.Index(0, 0), 2);
    EXPECT_EQ(p.Index(5, 5), 2);
    EXPECT_EQ(p.Index(6, 0), 0); // outside the selection
    EXPECT_EQ(p.notices, std::vector<std::string>{"paint"});

    // A palette with no entries: nothing happens, nothing is recorded.
    TBitmap empty = Indexed8(4, 4);
    empty.setPalette({});
    p.canvas.SetBitmap(empty);
    p.canvas.SetRegion(std::nullopt);
    p.Press({1, 1});
    EXPECT_EQ(p.notices.size(), 1u);
    EXPECT_EQ(p.canvas.BusyCount(), 0);
}

TEST(PxImagePaint, FillThroughAFeatheredMaskMixesInProportion)
{
    Painter p(SolidBitmap(8, 1, clBlack), mmPaint);
    TBitmap mask(8, 1, 8);
    mask.setPalette(CreateGreyPalette());
    const std::uint8_t values[8] = {0, 51, 128, 204, 255, 0, 0, 0};
    std::memcpy(mask.scanLine(0), values, 8);
    p.canvas.SetRegion(TRegion::rect({0, 0, 8, 1}));
    p.canvas.SetSelectionMask(mask);
    ASSERT_TRUE(p.canvas.SelectionMask());
    p.canvas.SetForegroundColor(clWhite);
    p.Press({0, 0});
    // ((255 - l) * 255 + l * 0) div 255 = 255 - l.
    EXPECT_EQ(p.Pixel(0, 0), clWhite);
    EXPECT_EQ(p.Pixel(1, 0), RGB(204, 204, 204));
    EXPECT_EQ(p.Pixel(2, 0), RGB(127, 127, 127));
    EXPECT_EQ(p.Pixel(3, 0), RGB(51, 51, 51));
    EXPECT_EQ(p.Pixel(4, 0), clBlack);
}

TEST(PxImagePaint, FillOnA16BitImageBlendsTheColoursInsideTheRegion)
{
    Painter p(TBitmap(6, 2, 16), mmPaint); // all black words
    p.canvas.SetRegion(TRegion::rect({0, 0, 3, 2}));
    p.canvas.SetForegroundColor(clWhite);
    p.Press({1, 1});
    EXPECT_EQ(p.notices, std::vector<std::string>{"paint"});
    const std::uint8_t* row = p.canvas.Bitmap().scanLine(1);
    EXPECT_EQ(row[4] | row[5] << 8, 0x7FFF);
    EXPECT_EQ(row[6] | row[7] << 8, 0);
}

// --- Colour picker ---------------------------------------------------------------------------

TEST(PxImagePaint, PickerReportsThePaletteColourForEitherButtonOnPress)
{
    TBitmap image = Indexed8(6, 6);
    image.scanLine(3)[4] = 2;
    Painter p(image, mmSpoit);
    p.Press({4, 3}, Qt::RightButton);
    EXPECT_TRUE(p.canvas.Dragging());
    p.Release({4, 3}, Qt::RightButton);
    EXPECT_FALSE(p.canvas.Dragging());
    p.Press({0, 0});
    p.Release({0, 0});
    p.Press({9, 9}); // outside the image
    ASSERT_EQ(p.picked.size(), 2u);
    EXPECT_EQ(p.picked[0], std::make_pair(Qt::RightButton, RGB(255, 0, 0)));
    EXPECT_EQ(p.picked[1], std::make_pair(Qt::LeftButton, clBlack));
}

// --- Pen ---------------------------------------------------------------------------------------

TEST(PxImagePaint, ShiftConstrainsTheLineToHorizontalVerticalOrDiagonal)
{
    const QPoint s(10, 10);
    EXPECT_EQ(ConstrainLineEnd(s, {20, 14}), QPoint(20, 10)); // slope 0.4
    EXPECT_EQ(ConstrainLineEnd(s, {20, 25}), QPoint(25, 25)); // slope 1.5 is still diagonal
    EXPECT_EQ(ConstrainLineEnd(s, {16, 4}), QPoint(16, 4));   // slope -1
    EXPECT_EQ(ConstrainLineEnd(s, {4, 22}), QPoint(10, 22));  // slope -2
    EXPECT_EQ(ConstrainLineEnd(s, {10, 30}), QPoint(10, 30)); // straight down

    // Through the canvas: the constrained end is drawn, without its final pixel.
    Painter p(SolidBitmap(30, 30, clBlack), mmPenLine);
    p.canvas.SetForegroundColor(clWhite);
    p.Press({10, 10});
    p.Move({20, 14}, Qt::ShiftModifier);
    EXPECT_EQ(p.canvas.UpdateLock(), 1);
    p.Release({20, 14});
    EXPECT_EQ(p.canvas.UpdateLock(), 0);
    EXPECT_EQ(p.notices, std::vector<std::string>{"draw"});
    for (int x = 10; x < 20; ++x)
        EXPECT_EQ(p.Pixel(x, 10), clWhite) << x;
    EXPECT_EQ(p.Pixel(20, 10), clBlack);
    EXPECT_EQ(p.Pixel(20, 14), clBlack);
    EXPECT_EQ(p.Pixel(15, 11), clBlack);
}

TEST(PxImagePaint, FreehandPlainPenDrawsInsideTheRegionAndASingleClickStillRecords)
{
    Painter p(SolidBitmap(20, 20, clBlack), mmPenFreehand);
    p.canvas.SetForegroundColor(RGB(0, 0, 255));
    p.canvas.SetRegion(TRegion::rect({0, 0, 10, 20}));
    p.Press({2, 5});
    p.Move({14, 5});
    p.Move({14, 8});
    p.Release({14, 8});
    EXPECT_EQ(p.Pixel(2, 5), RGB(0, 0, 255));
    EXPECT_EQ(p.Pixel(9, 5), RGB(0, 0, 255));
    EXPECT_EQ(p.Pixel(10, 5), clBlack); // clipped
    EXPECT_EQ(p.Pixel(14, 6), clBlack);
    p.Press({3, 3});
    p.Release({3, 3});
    EXPECT_EQ(p.notices, (std::vector<std::string>{"draw", "draw"}));
    EXPECT_EQ(p.Pixel(3, 3), clBlack);
}

TEST(PxImagePaint, AntiAliasedPenBlendsAbove8BitsAndFallsBackToThePlainPenBelow)
{
    Painter p(SolidBitmap(20, 10, clBlack), mmPenFreehand);
    p.canvas.SetForegroundColor(clWhite);
    p.Settings([](TToolSettings& s) { s.PenAntiAlias = true; });
    // A single click with the rasterised pen has no stroke: nothing is recorded.
    p.Press({4, 4});
    p.Release({4, 4});
    EXPECT_TRUE(p.notices.empty());
    p.Press({2, 4});
    p.Move({12, 4});
    p.Release({12, 4});
    EXPECT_EQ(p.notices, std::vector<std::string>{"draw"});
    // Stroke value 12 on the line, 242 beside it: a = (255 - v) / 255 of white.
    EXPECT_EQ(p.Pixel(6, 4), RGB(243, 243, 243));
    EXPECT_EQ(p.Pixel(6, 3), RGB(13, 13, 13));

    Painter q(Indexed8(20, 10), mmPenFreehand);
    q.canvas.SetForegroundColor(clWhite);
    q.Settings([](TToolSettings& s) {
        s.PenAntiAlias = true;
        s.PenAlphaChannel = 40;
    });
    q.Press({2, 4});
    q.Move({12, 4});
    q.Release({12, 4});
    EXPECT_EQ(q.notices, std::vector<std::string>{"draw"});
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(q.Index(x, 4), x >= 2 && x < 12 ? 1 : 0) << x;
    EXPECT_EQ(q.Index(6, 3), 0);
}

TEST(PxImagePaint, AntiAliasedPenStrokesOnlyTilesAlongItsLinesYetEqualsTheWholePictureBlend)
{
    // Reference: the whole picture's stroke mask and region mask, each pixel blended as
    // ((W - w) * p + w * colour) / W with w = (255 - stroke) * selected * (100 - alpha).
    const TBitmap before = PatternBitmap(64, 48, 24);
    const TPoints points{{5, 31}, {31, 31}, {40, 33}, {63, 10}, {50, 0}}; // along a tile edge first
    const TRegion region = TRegion::ellipse({10, 2, 60, 46});
    const TBitmap stroke = PenStrokeMask(64, 48, points, true), inside = RegionToMask(region, 64, 48);
    TBitmap expected = before;
    const std::int64_t whole = 255 * 25500, colour[3] = {30, 200, 90}; // blue, green, red
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const std::int64_t w = std::int64_t(255 - stroke.scanLine(y)[x]) * (255 - inside.scanLine(y)[x]) * 70;
            for (int c = 0; c < 3; ++c) {
                std::uint8_t& v = expected.scanLine(y)[3 * x + c];
                v = std::uint8_t(((whole - w) * v + w * colour[c]) / whole);
            }
        }
    Painter p(before, mmPenFreehand);
    p.canvas.SetForegroundColor(RGB(90, 200, 30));
    p.canvas.SetRegion(region);
    p.Settings([](TToolSettings& s) {
        s.PenAntiAlias = true;
        s.PenAlphaChannel = 30;
    });
    TBitmap kept = before; // what the step keeps: the pieces it names, from before the stroke
    QObject::connect(&p.canvas, &TpxImage::OnDraw, [&] {
        TBitmap stack = CopyPieces(p.canvas.Bitmap(), p.canvas.PaintNoticePieces());
        kept = expected;
        ExchangePieces(kept, stack, p.canvas.PaintNoticePieces());
    });
    p.Press(points[0]);
    for (std::size_t i = 1; i < points.size(); ++i)
        p.Move(points[i]);
    p.Release(points.back());
    EXPECT_TRUE(p.canvas.Bitmap() == expected);
    EXPECT_TRUE(kept == before); // the pieces hold every changed pixel
}

TEST(PxImagePaint, PenAndFillPaintNothingWhenTheirStepIsRefused)
{
    // The window refuses a step it cannot record: the tool then leaves the picture alone.
    for (int i = 0; i < 3; ++i) { // plain pen, anti-aliased pen, fill
        Painter p(SolidBitmap(20, 10, clBlack), i < 2 ? mmPenFreehand : mmPaint);
        p.canvas.SetForegroundColor(clWhite);
        p.Settings([i](TToolSettings& s) { s.PenAntiAlias = i == 1; });
        for (auto notice : {&TpxImage::OnDraw, &TpxImage::OnPaintImage})
            QObject::connect(&p.canvas, notice, [&p] { p.canvas.RefusePaintNotice(); });
        p.Press({2, 4});
        p.Move({12, 4});
        p.Release({12, 4});
        EXPECT_EQ(p.notices.size(), 1u) << i;
        EXPECT_TRUE(p.canvas.Bitmap() == SolidBitmap(20, 10, clBlack)) << i;
    }
}

TEST(PxImagePaint, EscapeAbandonsThePenStroke)
{
    Painter p(SolidBitmap(20, 20, clBlack), mmPenFreehand);
    p.canvas.SetForegroundColor(clWhite);
    p.Press({2, 2});
    p.Move({10, 10});
    EXPECT_EQ(p.canvas.UpdateLock(), 1);
    EXPECT_TRUE(p.canvas.Selecting());
    p.Key(Qt::Key_Escape);
    EXPECT_FALSE(p.canvas.Selecting());
    EXPECT_FALSE(p.canvas.Dragging());
    EXPECT_EQ(p.canvas.UpdateLock(), 0);
    p.Release({10, 10});
    EXPECT_TRUE(p.notices.empty());
    EXPECT_EQ(p.Pixel(5, 5), clBlack);
}

TEST(PxImagePaint, PenPreviewIsInvertedAndASelfCrossingShowsThrough)
{
    Painter p(SolidBitmap(40, 40, clBlack), mmPenFreehand);
    // Across row 10, then back down through (20, 10) again.
    p.Press({10, 10});
    p.Move({30, 10});
    p.Move({20, 0});
    p.Move({20, 20});
    const QImage shown = p.canvas.viewport()->grab().toImage();
    const auto at = [&](QPoint image) { return shown.pixel(p.At(image)) & 0xFFFFFF; };
    EXPECT_EQ(at({14, 10}), 0xFFFFFFu); // inverted black
    EXPECT_EQ(at({20, 15}), 0xFFFFFFu);
    EXPECT_EQ(at({20, 10}), 0x000000u); // inverted twice
    EXPECT_EQ(at({14, 14}), 0x000000u);
    p.Key(Qt::Key_Escape);
    const QImage after = p.canvas.viewport()->grab().toImage();
    EXPECT_EQ(after.pixel(p.At({14, 10})) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(p.Pixel(14, 10), clBlack);
}

// --- Brush -------------------------------------------------------------------------------------

TEST(PxImagePaint, BrushWithoutASelectionPaintsEverywhereAsOneStroke)
{
    Painter p(SolidBitmap(40, 30, clBlack), mmBrush);
    ASSERT_TRUE(p.canvas.SelectionMask()); // all selected
    p.canvas.SetForegroundColor(clWhite);
    p.Settings([](TToolSettings& s) {
        s.BrushSize = 5;
        s.BrushHardness = 100;
        s.BrushStep = 0;
    });
    p.probe = {5, 5};
    p.Press({5, 5});
    p.Move({30, 5});
    p.Release({30, 5});
    ASSERT_EQ(p.notices, (std::vector<std::string>{"begin", "end"}));
    EXPECT_EQ(p.probeAtNotice[0], clBlack);
    // A full-weight dab over black gives 254, not 255.
    EXPECT_EQ(p.Pixel(5, 5), RGB(254, 254, 254));
    EXPECT_EQ(p.Pixel(30, 7), RGB(254, 254, 254));
    EXPECT_EQ(p.Pixel(30, 8), clBlack);
    EXPECT_EQ(p.Pixel(33, 5), clBlack);
    EXPECT_FALSE(p.canvas.Selecting());
}

TEST(PxImagePaint, BrushOnAPaletteImagePaintsHardInsideTheSelectionAndPausesTheAnts)
{
    Painter p(Indexed8(30, 20), mmPaint);
    p.canvas.SetRegion(TRegion::rect({0, 0, 10, 20}));
    p.canvas.SetMouseMode(mmBrush);
    p.canvas.SetForegroundColor(RGB(240, 20, 20)); // red, index 2
    p.Settings([](TToolSettings& s) {
        s.BrushSize = 6;
        s.BrushHardness = 0; // painted hard all the same
        s.BrushStep = 50;
    });
    ASSERT_TRUE(p.canvas.AntsRunning());
    p.Press({8, 10});
    EXPECT_FALSE(p.canvas.AntsRunning());
    p.Move({20, 10});
    p.Release({20, 10});
    EXPECT_TRUE(p.canvas.AntsRunning());
    // The dab covers columns 5..10 and rows 7..12 at full index, but only left of column 10.
    EXPECT_EQ(p.Index(5, 10), 2);
    EXPECT_EQ(p.Index(9, 7), 2);
    EXPECT_EQ(p.Index(9, 12), 2);
    EXPECT_EQ(p.Index(10, 10), 0);
    EXPECT_EQ(p.Index(9, 6), 0);
    EXPECT_EQ(p.Index(4, 10), 0);
}

// Whether the canvas's frame (through its reduced copies, which the dabs update) equals a frame
// composed afresh from the image.
void ExpectFrameMatchesImage(TpxImage& canvas)
{
    const QImage shown = canvas.ComposedFrame();
    QImage fresh = shown.copy();
    TReducedImages reduced;
    ComposeFrame(canvas.Bitmap(), FrameSourceOf(canvas.View()), fresh, &reduced);
    for (int y = 0; y < canvas.View().DrawHeight; ++y)
        for (int x = 0; x < canvas.View().DrawWidth; ++x)
            ASSERT_EQ(FrameAt(shown, x, y), FrameAt(fresh, x, y)) << x << "," << y;
}

TEST(PxImagePaint, BrushMovesRefreshOnlyTheFrameAroundTheDabsAtAnyZoom)
{
    for (int zoom : {100, 25, 300}) {
        TBitmap image = SolidBitmap(300, 200, RGB(0, 0, 80));
        Painter p(image, mmBrush);
        p.canvas.SetZoom(zoom);
        QCoreApplication::processEvents();
        p.canvas.viewport()->repaint(); // compose the frame once
        p.canvas.SetForegroundColor(RGB(255, 255, 0));
        p.Settings([](TToolSettings& s) {
            s.BrushSize = 21;
            s.BrushHardness = 30;
        });
        const int composed = p.canvas.ComposeCount();
        const QPoint a(10, 10), b(50, 40); // visible at every zoom tried
        p.Press(a);
        p.Move(b);
        EXPECT_EQ(p.canvas.ComposeCount(), composed) << zoom; // no whole frame composed
        ExpectFrameMatchesImage(p.canvas);
        p.Release(b);
        EXPECT_NE(p.Pixel(b.x(), b.y()), RGB(0, 0, 80)) << zoom;
    }
}

// --- Stroking the selection outline --------------------------------------------------------

TEST(PxImagePaint, OutlineStrokeIsAFivePixelRoundPenAlongTheBorderOnEveryDepth)
{
    for (int bits : {1, 4, 8, 24}) {
        TBitmap image(30, 30, bits);
        if (bits == 24)
            image.fill(clBlack);
        Painter p(image, mmSelectRect);
        p.canvas.SetRegion(TRegion::rect({10, 10, 20, 20}));
        p.canvas.SetForegroundColor(clWhite);
        p.Settings([](TToolSettings& s) { s.BrushSize = 5; });
        p.canvas.StrokeOutline();
        EXPECT_EQ(p.notices, std::vector<std::string>{"draw"}) << bits;
        const auto painted = [&](int x, int y) { return p.Pixel(x, y) == clWhite; };
        // Across the left edge at row 15: five pixels centred on the border line x = 10.
        int across = 0;
        for (int x = 0; x < 30; ++x)
            across += painted(x, 15);
        EXPECT_EQ(across, 10) << bits; // both vertical edges
        EXPECT_TRUE(painted(8, 15) && painted(11, 15)) << bits;
        EXPECT_FALSE(painted(15, 15)) << bits;
        EXPECT_FALSE(painted(5, 15)) << bits;
        // Round ends: the corner is rounded off beyond the reach of the pen.
        EXPECT_FALSE(painted(7, 7)) << bits;
        EXPECT_TRUE(painted(9, 9)) << bits;
    }
}

TEST(PxImagePaint, AntiAliasedOutlineStrokeOfPartOfThePictureEqualsStrokingAWholeCopy)
{
    // Reference: the tip stroked into a copy of the whole picture, written back through the mask.
    const TBitmap before = PatternBitmap(80, 60, 24);
    for (const TMouseMode mode : {mmSelectRect, mmBrush}) { // without and with a selection mask
        Painter p(before, mmSelectRect);
        p.canvas.SetRegion(TRegion::ellipse({20, 15, 50, 40}));
        p.canvas.SetForegroundColor(RGB(240, 120, 10));
        p.Settings([](TToolSettings& s) {
            s.BrushSize = 4;
            s.PenAntiAlias = true;
            s.PenAlphaChannel = 20;
        });
        p.canvas.SetMouseMode(mode);
        TBitmap expected = before, stroked = before;
        TpxPenBrush tip;
        BuildBrush(tip, 6, 80, TpxBrushStyle::pxsRound);
        StrokeAndBlend(stroked, p.canvas.Outline(), true, 20, RGB(240, 120, 10), tip);
        if (p.canvas.SelectionMask())
            BlendThroughMask(expected, *p.canvas.SelectionMask(), stroked);
        else
            expected = stroked;
        p.canvas.StrokeOutline();
        EXPECT_TRUE(p.canvas.Bitmap() == expected) << mode;
    }
}

TEST(PxImagePaint, AntiAliasedOutlineStrokeGoesThroughTheSelectionMask)
{
    Painter p(SolidBitmap(30, 30, clBlack), mmSelectRect);
    p.canvas.SetRegion(TRegion::rect({10, 10, 20, 20}));
    p.canvas.SetForegroundColor(clWhite);
    p.Settings([](TToolSettings& s) {
        s.BrushSize = 3;
        s.PenAntiAlias = true;
    });
    p.canvas.SetMouseMode(mmBrush); // the brush mode keeps a selection mask
    ASSERT_TRUE(p.canvas.SelectionMask());
    p.canvas.StrokeOutline();
    EXPECT_EQ(p.notices, std::vector<std::string>{"draw"});
    // Inside the selection the soft stroke shows; outside the mask keeps the image.
    EXPECT_EQ(p.Pixel(9, 15), clBlack);
    const int inside = GetRValue(p.Pixel(10, 15));
    EXPECT_GT(inside, 0);
    EXPECT_EQ(p.Pixel(15, 15), clBlack);
    // Without a mask the stroke covers both sides of the border.
    p.canvas.SetMouseMode(mmSelectRect);
    ASSERT_FALSE(p.canvas.SelectionMask());
    p.canvas.StrokeOutline();
    EXPECT_GT(GetRValue(p.Pixel(9, 15)), 0);
    EXPECT_EQ(p.canvas.BusyCount(), 0);
}

} // namespace
} // namespace kalvo
