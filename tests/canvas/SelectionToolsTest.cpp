#include "CanvasInput.h"
#include "CanvasTestSupport.h"
#include "canvas/CanvasCursors.h"
#include "canvas/tools/FreehandTool.h"
#include "canvas/tools/RectEllipseTool.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace kalvo {
namespace {

using test::CanvasInput;
using test::SetClientSize;

// A 100 x 80 image centred at zoom 100 in a 200 x 150 client area.
struct Canvas {
    TpxImage canvas;
    CanvasInput input{canvas};
    int beforeChanges = 0;
    explicit Canvas(TMouseMode mode, int w = 100, int h = 80)
    {
        TBitmap image(w, h, 24);
        image.fill(RGB(10, 20, 30));
        canvas.SetBitmap(image);
        SetClientSize(canvas, 200, 150);
        canvas.SetMouseMode(mode);
        QObject::connect(&canvas, &TpxImage::OnRegionChange, [this] { ++beforeChanges; });
    }
    TRect box() const { return canvas.Region() ? canvas.Region()->boundingRect() : TRect{-1, -1, -1, -1}; }
};

// Paints a rectangle of a 24-bit image (blue, green, red bytes).
void fillRect(TBitmap& image, const TRect& r, TColor c)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            std::uint8_t* p = image.scanLine(y) + 3 * x;
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
}

bool sameCursor(const QCursor& a, const QCursor& b)
{
    return a.hotSpot() == b.hotSpot() && a.pixmap().toImage() == b.pixmap().toImage() && a.shape() == b.shape();
}

TEST(SelectionTools, RectangleClickRemovesTheSelectionInOneStepButShiftKeepsIt)
{
    Canvas c(mmSelectRect);
    c.input.drag({20, 10}, {60, 40});
    EXPECT_EQ(c.box(), (TRect{20, 10, 60, 40}));
    EXPECT_EQ(c.beforeChanges, 1);

    c.input.drag({10, 10}, {10, 10}, Qt::ShiftModifier);
    EXPECT_EQ(c.box(), (TRect{20, 10, 60, 40}));
    EXPECT_EQ(c.beforeChanges, 1);

    c.input.drag({10, 10}, {10, 10});
    EXPECT_FALSE(c.canvas.Region());
    EXPECT_EQ(c.beforeChanges, 2); // one step for the removing click
    EXPECT_FALSE(c.canvas.Selecting());
}

TEST(SelectionTools, RectangleIsClampedToTheImageEdgeAndCombinesWithShiftAndCtrl)
{
    Canvas c(mmSelectRect);
    c.input.drag({90, 70}, {130, 95}); // past the right and bottom edges
    EXPECT_EQ(c.box(), (TRect{90, 70, 100, 80}));

    c.input.drag({0, 0}, {10, 10}, Qt::ShiftModifier);
    ASSERT_TRUE(c.canvas.Region());
    EXPECT_TRUE(c.canvas.Region()->contains(5, 5));
    EXPECT_TRUE(c.canvas.Region()->contains(99, 79));
    EXPECT_EQ(c.canvas.RegionComplexity(), rcComplex);

    // Shift before Ctrl: both held adds.
    c.input.drag({20, 0}, {30, 10}, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_TRUE(c.canvas.Region()->contains(25, 5));
    c.input.drag({0, 0}, {5, 10}, Qt::ControlModifier);
    EXPECT_FALSE(c.canvas.Region()->contains(2, 5));
    EXPECT_TRUE(c.canvas.Region()->contains(7, 5));
}

TEST(SelectionTools, TheModifierAtReleaseDecidesAndAltMakesASquare)
{
    Canvas c(mmSelectRect);
    c.input.drag({0, 0}, {50, 50});
    // Shift pressed only for the release adds.
    c.input.press({60, 10});
    c.input.move({70, 20});
    c.input.release({70, 20}, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_TRUE(c.canvas.Region()->contains(1, 1));
    EXPECT_TRUE(c.canvas.Region()->contains(65, 15));

    // Alt pressed during the drag (as its own key, the way a window manager lets it through).
    c.input.press({10, 10});
    c.input.move({40, 20});
    c.input.key(QEvent::KeyPress, Qt::Key_Alt);
    c.input.send(QEvent::MouseButtonRelease, c.input.screen({40, 20}), Qt::LeftButton, Qt::AltModifier);
    EXPECT_EQ(c.box(), (TRect{10, 10, 20, 20}));
    c.input.key(QEvent::KeyRelease, Qt::Key_Alt);
    EXPECT_FALSE(dynamic_cast<TSelectionTool&>(c.canvas.Tool()).AltDown());
}

TEST(SelectionTools, EllipseFromTheCentreWithAltCircleAndEmptinessRules)
{
    Canvas c(mmSelectEllipse);
    c.input.drag({50, 50}, {53, 54}, Qt::AltModifier);
    EXPECT_EQ(c.box(), (TRect{45, 45, 55, 55})); // r = Trunc(sqrt(9 + 16)) = 5

    c.input.drag({50, 40}, {60, 45});
    EXPECT_EQ(c.box(), (TRect{40, 35, 60, 45}));
    EXPECT_TRUE(c.canvas.Region()->contains(50, 40));
    EXPECT_FALSE(c.canvas.Region()->contains(40, 35)); // a corner of the box is outside

    // Not clamped: an ellipse reaching past the left edge is clipped to the image.
    c.input.drag({2, 40}, {12, 50});
    EXPECT_EQ(c.box().left, 0);

    // Wholly at x >= W: the selection goes (replace mode).
    c.input.drag({130, 40}, {140, 45});
    EXPECT_FALSE(c.canvas.Region());
    // Zero height.
    c.input.drag({50, 40}, {60, 40});
    EXPECT_FALSE(c.canvas.Region());
}

TEST(SelectionTools, EllipseSelectionHelperMatchesTheRules)
{
    EXPECT_TRUE(EllipseSelection({-10, 5}, {-1, 9}, false, 100, 80).isEmpty()); // box right edge -1+... < 0
    EXPECT_TRUE(EllipseSelection({5, 90}, {9, 95}, false, 100, 80).isEmpty());
    EXPECT_FALSE(EllipseSelection({0, 0}, {5, 5}, false, 100, 80).isEmpty());
    EXPECT_EQ(EllipseSelection({0, 0}, {5, 5}, false, 100, 80).boundingRect(), (TRect{0, 0, 5, 5}));
}

TEST(SelectionTools, LowerRightHandleDraggedPastTheUpperLeftCornerNormalises)
{
    Canvas c(mmSelectRect);
    c.input.drag({20, 20}, {60, 50});
    c.input.press({60, 50});
    auto& tool = dynamic_cast<TSelectionTool&>(c.canvas.Tool());
    EXPECT_TRUE(tool.CornerDrag());
    EXPECT_EQ(tool.Anchor(), QPoint(20, 20));
    c.input.move({10, 5});
    EXPECT_EQ(c.canvas.viewport()->cursor().shape(), Qt::SizeFDiagCursor);
    c.input.release({10, 5});
    EXPECT_EQ(c.box(), (TRect{10, 5, 20, 20}));
    EXPECT_FALSE(tool.CornerDrag());

    // The upper-right handle, 3 pixels off its centre, still grabs; in the ellipse mode too.
    c.canvas.SetMouseMode(mmSelectEllipse);
    c.input.send(QEvent::MouseButtonPress, c.input.screen({20, 5}) + QPoint(3, -3), Qt::LeftButton);
    c.input.move({40, 30});
    c.input.release({40, 30});
    EXPECT_EQ(c.box(), (TRect{10, 20, 40, 30}));

    // Four pixels off misses the handle: a new (ellipse) gesture starts there.
    c.input.send(QEvent::MouseButtonPress, c.input.screen({40, 30}) + QPoint(4, 0), Qt::LeftButton);
    EXPECT_FALSE(dynamic_cast<TSelectionTool&>(c.canvas.Tool()).CornerDrag());
    c.input.key(QEvent::KeyPress, Qt::Key_Escape);
}

TEST(SelectionTools, HoverOverHandlesShowsTheDiagonalSizeCursors)
{
    Canvas c(mmSelectRect);
    c.input.drag({20, 20}, {60, 50});
    c.input.move({20, 20});
    EXPECT_EQ(c.canvas.viewport()->cursor().shape(), Qt::SizeFDiagCursor);
    c.input.move({60, 20});
    EXPECT_EQ(c.canvas.viewport()->cursor().shape(), Qt::SizeBDiagCursor);
    c.input.move({40, 40});
    EXPECT_TRUE(sameCursor(c.canvas.viewport()->cursor(), CanvasCursor(crSelect)));
    // With Shift held the handles are off (the gesture would add).
    c.input.move({20, 20}, Qt::ShiftModifier);
    EXPECT_TRUE(sameCursor(c.canvas.viewport()->cursor(), CanvasCursor(crSelectAdd)));
}

TEST(SelectionTools, EscapeDuringADragKeepsTheOldSelectionAndItsAnts)
{
    Canvas c(mmSelectRect);
    c.input.drag({20, 20}, {60, 50});
    ASSERT_TRUE(c.canvas.AntsRunning());
    c.input.press({5, 5});
    c.input.move({30, 30});
    EXPECT_TRUE(c.canvas.Selecting());
    EXPECT_FALSE(c.canvas.AntsRunning());
    c.input.key(QEvent::KeyPress, Qt::Key_Escape);
    EXPECT_FALSE(c.canvas.Selecting());
    EXPECT_FALSE(c.canvas.Dragging());
    EXPECT_TRUE(c.canvas.AntsRunning());
    c.input.release({30, 30});
    EXPECT_EQ(c.box(), (TRect{20, 20, 60, 50}));
    EXPECT_EQ(c.beforeChanges, 1);
}

TEST(SelectionTools, PolygonByThreeClicksAndARightClickEqualsTheDoubleClickOne)
{
    Canvas c(mmSelectRegion);
    c.input.click({10, 10});
    c.input.move({50, 12}); // the rubber line follows the pointer
    auto& tool = dynamic_cast<TFreehandTool&>(c.canvas.Tool());
    EXPECT_TRUE(tool.RubberLineShown());
    c.input.click({50, 10});
    c.input.click({50, 10}); // a duplicate vertex is skipped
    c.input.click({10, 50});
    EXPECT_EQ(tool.SelectionPoints().size(), 3u);
    EXPECT_TRUE(c.canvas.Selecting());
    c.input.click({30, 60}, Qt::RightButton);
    ASSERT_TRUE(c.canvas.Region());
    const TRegion byRightClick = *c.canvas.Region();
    // Pixel centres on the slanted edge x + y = 60 are outside.
    EXPECT_EQ(byRightClick.boundingRect(), (TRect{10, 10, 49, 49}));
    EXPECT_TRUE(byRightClick.contains(20, 20));
    EXPECT_FALSE(byRightClick.contains(45, 45));

    c.canvas.DeleteSelection();
    c.input.click({10, 10});
    c.input.click({50, 10});
    c.input.doubleClick({10, 50});
    ASSERT_TRUE(c.canvas.Region());
    EXPECT_EQ(*c.canvas.Region(), byRightClick);
    EXPECT_FALSE(c.canvas.Selecting());
    // The next real click starts a new polygon at once.
    c.input.click({70, 70});
    EXPECT_TRUE(c.canvas.Selecting());
    EXPECT_EQ(dynamic_cast<TFreehandTool&>(c.canvas.Tool()).SelectionPoints().size(), 1u);
}

TEST(SelectionTools, FreehandDragAddsClampedVerticesAndLostFocusEndsTheGesture)
{
    Canvas c(mmSelectRegion);
    c.input.press({10, 10});
    c.input.move({-20, 30}); // beyond the left edge: clamped to column 0
    c.input.move({40, 30});
    auto& tool = dynamic_cast<TFreehandTool&>(c.canvas.Tool());
    ASSERT_EQ(tool.SelectionPoints().size(), 3u);
    EXPECT_EQ(tool.SelectionPoints()[1], QPoint(0, 30));
    c.input.release({40, 30});
    EXPECT_TRUE(c.canvas.Selecting()); // a left release leaves the outline open
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(&c.canvas, &out);
    EXPECT_FALSE(c.canvas.Selecting());
    EXPECT_FALSE(c.canvas.Region());
}

TEST(SelectionTools, MagicWandSelectsAddsAndSubtractsColourAreas)
{
    Canvas c(mmSelectMagicWand);
    TBitmap image(100, 80, 24);
    image.fill(RGB(10, 20, 30));
    fillRect(image, {10, 10, 40, 30}, RGB(250, 0, 0));
    fillRect(image, {60, 50, 70, 60}, RGB(0, 250, 0));
    c.canvas.SetBitmap(image);
    c.input.click({20, 20});
    EXPECT_EQ(c.box(), (TRect{10, 10, 40, 30}));
    c.input.click({65, 55}, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_TRUE(c.canvas.Region()->contains(65, 55));
    EXPECT_TRUE(c.canvas.Region()->contains(20, 20));
    c.input.click({15, 15}, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_FALSE(c.canvas.Region()->contains(20, 20));
    EXPECT_EQ(c.box(), (TRect{60, 50, 70, 60}));
    EXPECT_EQ(c.beforeChanges, 3);
    // Outside the displayed image nothing happens.
    c.input.send(QEvent::MouseButtonPress, {2, 2}, Qt::LeftButton);
    c.input.send(QEvent::MouseButtonRelease, {2, 2}, Qt::LeftButton);
    EXPECT_EQ(c.beforeChanges, 3);

    // The plus and minus cursors follow the keys while they are held.
    EXPECT_TRUE(sameCursor(c.canvas.viewport()->cursor(), CanvasCursor(crMagicWand)));
    c.input.key(QEvent::KeyPress, Qt::Key_Shift);
    EXPECT_TRUE(sameCursor(c.canvas.viewport()->cursor(), CanvasCursor(crMagicWandAdd)));
    c.input.key(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_TRUE(sameCursor(c.canvas.viewport()->cursor(), CanvasCursor(crMagicWand)));
    c.input.key(QEvent::KeyPress, Qt::Key_Control);
    EXPECT_TRUE(sameCursor(c.canvas.viewport()->cursor(), CanvasCursor(crMagicWandSubtract)));
    c.input.key(QEvent::KeyRelease, Qt::Key_Control);
    EXPECT_TRUE(sameCursor(c.canvas.viewport()->cursor(), CanvasCursor(crMagicWand)));
}

TEST(SelectionTools, PointPickingReportsTheColourAndReturnsToTheModeBefore)
{
    Canvas c(mmSelectEllipse);
    c.canvas.SetMouseMode(mmSelectPoint);
    QSignalSpy picked(&c.canvas, &TpxImage::OnPointSelected);
    c.input.click({150, 10}); // off the image: nothing
    EXPECT_EQ(picked.count(), 0);
    c.input.click({5, 6}, Qt::RightButton); // the right button does not pick
    EXPECT_EQ(picked.count(), 0);
    c.input.click({5, 6});
    ASSERT_EQ(picked.count(), 1);
    EXPECT_EQ(picked[0][1].value<TColor>(), RGB(10, 20, 30));
    EXPECT_EQ(c.canvas.MouseMode(), mmSelectEllipse);
}

TEST(SelectionTools, HandScrollsByThePointerTravelInImagePixels)
{
    Canvas c(mmNeko, 400, 300);
    c.canvas.SetZoom(200);
    c.canvas.SetScrollPosition(100, 100);
    const QPoint start(100, 80);
    c.input.send(QEvent::MouseButtonPress, start, Qt::LeftButton);
    EXPECT_TRUE(sameCursor(c.canvas.viewport()->cursor(), CanvasCursor(crHandClosed)));
    c.input.send(QEvent::MouseMove, start + QPoint(-21, 11), Qt::NoButton);
    // Trunc(21 / 2) = 10 columns right, Trunc(-11 / 2) = -5 rows.
    EXPECT_EQ(c.canvas.ScrollX(), 110);
    EXPECT_EQ(c.canvas.ScrollY(), 95);
    // At the top the grab point follows the pointer, so going back down responds at once.
    c.input.send(QEvent::MouseMove, start + QPoint(-21, 400), Qt::NoButton);
    EXPECT_EQ(c.canvas.ScrollY(), 0);
    c.input.send(QEvent::MouseMove, start + QPoint(-21, 390), Qt::NoButton);
    EXPECT_EQ(c.canvas.ScrollY(), 5);
    c.input.send(QEvent::MouseButtonRelease, start, Qt::LeftButton);
    EXPECT_TRUE(sameCursor(c.canvas.viewport()->cursor(), CanvasCursor(crHandOpen)));
}

TEST(SelectionTools, ZoomClicksStepInAndOutAboutThePointer)
{
    Canvas c(mmZoom, 400, 300);
    c.canvas.SetAutoStretch(true);
    c.input.click({100, 100});
    EXPECT_FALSE(c.canvas.AutoStretch());
    const int in = c.canvas.Zoom();
    c.input.click({100, 100});
    EXPECT_GT(c.canvas.Zoom(), in);
    c.input.click({100, 100}, Qt::RightButton);
    EXPECT_EQ(c.canvas.Zoom(), in);
}

TEST(SelectionTools, RubberBandsAreDrawnInThePaintStepOnly)
{
    Canvas c(mmSelectRect);
    c.input.press({10, 10});
    c.input.move({50, 40});
    const QImage shown = c.canvas.viewport()->grab().toImage();
    const QPoint corner = c.input.screen({10, 10});
    // The top edge of the band starts black at its first point, (x + y) mod 8 <= 4.
    const bool black = (corner.x() + corner.y()) % 8 <= 4;
    EXPECT_EQ(shown.pixelColor(corner).lightness() < 128, black);
    // The frame buffer itself stays free of the band.
    EXPECT_EQ(test::FrameAt(c.canvas.ComposedFrame(), 0, 0) & 0xFFFFFF, 0x0A141Eu);
    c.input.key(QEvent::KeyPress, Qt::Key_Escape);
    const QImage after = c.canvas.viewport()->grab().toImage();
    EXPECT_EQ(after.pixelColor(corner + QPoint(2, 0)), QColor(10, 20, 30));
}

TEST(CanvasCursors, EveryPictureWithItsHotspot)
{
    const std::pair<int, QPoint> table[] = {
        {161, {2, 1}},  {162, {2, 1}},   {163, {0, 0}},   {164, {15, 15}}, {165, {15, 15}}, {166, {5, 5}},
        {167, {5, 5}},  {168, {5, 5}},   {169, {6, 6}},   {170, {7, 7}},   {171, {0, 0}},   {172, {17, 17}},
        {173, {0, 15}}, {174, {13, 18}}, {175, {11, 18}}, {176, {7, 7}},   {177, {7, 7}},
    };
    for (const auto& [number, hotspot] : table) {
        const QCursor cursor = CanvasCursor(number);
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor) << number;
        EXPECT_EQ(cursor.hotSpot(), hotspot) << number;
        EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32)) << number;
        EXPECT_EQ(CanvasCursorHotspot(number), hotspot);
    }
    EXPECT_STREQ(CanvasCursorName(166), "PXR_MAGICWAND");
    EXPECT_EQ(CanvasCursor(160).shape(), Qt::ArrowCursor);
    EXPECT_EQ(CanvasCursor(178).shape(), Qt::ArrowCursor);
    // Plus and minus cross-hairs differ, and each differs from the plain one.
    EXPECT_NE(CanvasCursor(164).pixmap().toImage(), CanvasCursor(165).pixmap().toImage());
}

} // namespace
} // namespace kalvo
