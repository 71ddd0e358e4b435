// The outline move, the pixel move and copy and the floating paste on the canvas, driven with
// synthetic mouse and key events; pixels read from the image and from the painted viewport.
#include "CanvasTestSupport.h"
#include "canvas/DashedLine.h"
#include "canvas/tools/MergeTool.h"

#include <QPaintEvent>

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

namespace kalvo {
namespace {

using test::SetClientSize;

// Colour of image pixel (x, y) in the test pattern: distinct per pixel.
TColor PatternAt(int x, int y)
{
    return RGB(x * 5 % 256, y * 7 % 256, (x + y) % 256);
}

TBitmap Pattern(int w, int h)
{
    TBitmap b(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const TColor c = PatternAt(x, y);
            std::uint8_t* p = b.scanLine(y) + 3 * x;
            p[0] = std::uint8_t(GetBValue(c));
            p[1] = std::uint8_t(GetGValue(c));
            p[2] = std::uint8_t(GetRValue(c));
        }
    return b;
}

struct MoveCanvas {
    TpxImage canvas;
    explicit MoveCanvas(const TBitmap& image, int cw = 200, int ch = 160)
    {
        canvas.SetBitmap(image);
        SetClientSize(canvas, cw, ch);
    }
    QWidget* vp() { return canvas.viewport(); }
    // The client point over the centre of image pixel p.
    QPoint at(QPoint p) { return canvas.ImageToScreenCentre(p); }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = {})
    {
        QTest::mousePress(vp(), Qt::LeftButton, mods, at(from));
        QTest::mouseMove(vp(), at(to));
        QTest::mouseRelease(vp(), Qt::LeftButton, mods, at(to));
    }
    // The viewport as painted (frame plus the tool's overlay), as 0xRRGGBB.
    QImage painted() { return vp()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    std::uint32_t shown(const QImage& screen, QPoint imagePixel)
    {
        const QPoint c = at(imagePixel);
        return screen.pixel(c) & 0xFFFFFF;
    }
};

std::uint32_t Rgb(TColor c)
{
    return std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

TEST(PxImageMove, OutlineDragStopsWithOneColumnOnTheImageAndMovesOnce)
{
    MoveCanvas c(Pattern(40, 30));
    c.canvas.SetRegion(TRegion::rect({10, 10, 20, 20}));
    c.canvas.SetMouseMode(mmMoveRegion);
    QSignalSpy moved(&c.canvas, &TpxImage::OnMoveRegion);

    QTest::mousePress(c.vp(), Qt::LeftButton, {}, c.at({15, 15}));
    EXPECT_EQ(c.canvas.UpdateLock(), 1);
    QTest::mouseMove(c.vp(), c.at({15, 15}) + QPoint(-500, 3));
    QTest::mouseRelease(c.vp(), Qt::LeftButton, {}, c.at({15, 15}) + QPoint(-500, 3));
    EXPECT_EQ(c.canvas.UpdateLock(), 0);
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved[0][0].toInt(), -19);
    EXPECT_EQ(moved[0][1].toInt(), 3);
    EXPECT_EQ(c.canvas.Region()->boundingRect(), (TRect{-9, 13, 1, 23}));
    // The pixels did not move.
    EXPECT_EQ(c.canvas.Bitmap(), Pattern(40, 30));

    // Far to the right: the left edge stops at W - 1.
    c.canvas.SetRegion(TRegion::rect({10, 10, 20, 20}));
    c.drag({15, 15}, {15, 15});
    EXPECT_EQ(moved.count(), 1); // no offset, no move
    QTest::mousePress(c.vp(), Qt::LeftButton, {}, c.at({15, 15}));
    QTest::mouseMove(c.vp(), c.at({15, 15}) + QPoint(900, 0));
    QTest::mouseRelease(c.vp(), Qt::LeftButton, {}, c.at({15, 15}) + QPoint(900, 0));
    EXPECT_EQ(c.canvas.Region()->boundingRect(), (TRect{39, 10, 49, 20}));
    EXPECT_EQ(c.canvas.UpdateLock(), 0);
}

TEST(PxImageMove, OutlineDragDrawsTheSavedOutlineAtTheOffsetAndEscapeKeepsTheSelection)
{
    MoveCanvas c(Pattern(40, 30));
    c.canvas.SetRegion(TRegion::rect({10, 10, 20, 20}));
    c.canvas.SetMouseMode(mmMoveRegion);
    QTest::mousePress(c.vp(), Qt::LeftButton, {}, c.at({15, 15}));
    QTest::mouseMove(c.vp(), c.at({20, 15}));
    const QImage screen = c.painted();
    // The top edge of the outline now runs along row 10 from column 15: dashes black or white.
    const QPoint corner = c.canvas.ImageToScreen({16, 10});
    const std::uint32_t dash = screen.pixel(corner) & 0xFFFFFF;
    EXPECT_TRUE(dash == 0 || dash == 0xFFFFFF) << std::hex << dash;
    // The old outline is gone from the frame: the image pixel shows there.
    const QPoint old = c.canvas.ImageToScreen({11, 10});
    EXPECT_EQ(screen.pixel(old) & 0xFFFFFF, Rgb(PatternAt(11, 10)));

    QSignalSpy moved(&c.canvas, &TpxImage::OnMoveRegion);
    QTest::keyClick(&c.canvas, Qt::Key_Escape);
    QTest::mouseRelease(c.vp(), Qt::LeftButton, {}, c.at({20, 15}));
    EXPECT_EQ(moved.count(), 0);
    EXPECT_EQ(c.canvas.Region()->boundingRect(), (TRect{10, 10, 20, 20}));
    EXPECT_EQ(c.canvas.UpdateLock(), 0);
    EXPECT_FALSE(c.canvas.Selecting());
}

TEST(PxImageMove, MoveRegionByLimitsAtTheEdgeAndDoesNothingThere)
{
    MoveCanvas c(Pattern(40, 30));
    QSignalSpy moved(&c.canvas, &TpxImage::OnMoveRegion);
    c.canvas.MoveRegionBy(1, 0); // no selection
    EXPECT_EQ(moved.count(), 0);
    c.canvas.SetRegion(TRegion::rect({0, 0, 5, 5}));
    c.canvas.MoveRegionBy(-10, 0);
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved[0][0].toInt(), -4);
    EXPECT_EQ(c.canvas.Region()->boundingRect(), (TRect{-4, 0, 1, 5}));
    c.canvas.MoveRegionBy(-1, 0); // already at the limit
    EXPECT_EQ(moved.count(), 1);
    c.canvas.MoveRegionBy(0, 10);
    EXPECT_EQ(c.canvas.Region()->boundingRect(), (TRect{-4, 10, 1, 15}));
}

TEST(PxImageMove, MovedPixelsPreviewAndApplyLeaveTheHoleAndFollowTheSelection)
{
    MoveCanvas c(Pattern(40, 30));
    c.canvas.SetBackgroundColor(RGB(1, 2, 3));
    c.canvas.SetRegion(TRegion::rect({10, 10, 20, 20}));
    c.canvas.SetMouseMode(mmMoveSelectArea);
    QSignalSpy moving(&c.canvas, &TpxImage::OnMovingSelectArea);
    c.drag({12, 12}, {17, 12});
    EXPECT_EQ(c.canvas.FloatPosition(), QPoint(5, 0));
    EXPECT_EQ(c.canvas.UpdateLock(), 0);
    EXPECT_EQ(moving.count(), 0);
    EXPECT_EQ(c.canvas.Bitmap(), Pattern(40, 30)); // nothing written yet

    const QImage screen = c.painted();
    EXPECT_EQ(c.shown(screen, {11, 12}), 0x010203u);              // the hole
    EXPECT_EQ(c.shown(screen, {16, 12}), Rgb(PatternAt(11, 12))); // moved pixels
    EXPECT_EQ(c.shown(screen, {24, 19}), Rgb(PatternAt(19, 19)));
    EXPECT_EQ(c.shown(screen, {27, 12}), Rgb(PatternAt(27, 12))); // beyond the moved box
    // The outline moves with the pixels: its right edge runs along column 25 now.
    const std::uint32_t edge = screen.pixel(c.canvas.ImageToScreen({25, 14})) & 0xFFFFFF;
    EXPECT_TRUE(edge == 0 || edge == 0xFFFFFF) << std::hex << edge;

    c.canvas.ApplyOperation();
    EXPECT_EQ(moving.count(), 1);
    EXPECT_EQ(c.canvas.FloatPosition(), QPoint(0, 0));
    const TBitmap& b = c.canvas.Bitmap();
    EXPECT_EQ(b.pixelColor(11, 12), RGB(1, 2, 3));
    EXPECT_EQ(b.pixelColor(14, 19), RGB(1, 2, 3));
    EXPECT_EQ(b.pixelColor(15, 12), PatternAt(10, 12));
    EXPECT_EQ(b.pixelColor(24, 19), PatternAt(19, 19));
    EXPECT_EQ(b.pixelColor(25, 12), PatternAt(25, 12));
    EXPECT_EQ(b.pixelColor(9, 12), PatternAt(9, 12));
    EXPECT_EQ(c.canvas.Region()->boundingRect(), (TRect{15, 10, 25, 20}));
    EXPECT_EQ(c.canvas.MouseMode(), mmMoveSelectArea);
}

// Records the areas the viewport is asked to paint.
class TPaintAreas : public QObject {
public:
    QRegion Painted;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            Painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST(PxImageMove, FloatingOutlineMarchesWithTheAntsAndNothingElseChanges)
{
    MoveCanvas c(Pattern(40, 30));
    c.canvas.SetZoom(100);
    c.canvas.SetScrollPosition(0, 0);
    c.canvas.SetRegion(TRegion::rect({10, 10, 20, 20}));
    c.canvas.SetMouseMode(mmMoveSelectArea);
    c.drag({12, 12}, {17, 15});
    ASSERT_EQ(c.canvas.FloatPosition(), QPoint(5, 3));
    ASSERT_TRUE(c.canvas.AntsRunning());
    QCoreApplication::processEvents();
    const QImage before = c.painted();
    const int phase = c.canvas.AntsPhase();
    const int composed = c.canvas.ComposeCount();

    // The points the moved outline and the frame's own outline plot, in client pixels.
    const QPoint origin = c.canvas.ImageToScreen({0, 0});
    const QPoint shift = origin + QPoint(5, 3);
    const TPoints& zoomed = c.canvas.ZoomedOutline().Points;
    std::set<std::pair<int, int>> moved, own;
    for (std::size_t i = 0; i + 1 < zoomed.size(); i += 2) {
        const QPoint a = zoomed[i], b = zoomed[i + 1];
        LineDDA(a.x() + shift.x(), a.y() + shift.y(), b.x() + shift.x(), b.y() + shift.y(), [&](int x, int y) {
            moved.insert({x, y});
        });
        LineDDA(a.x() + origin.x(), a.y() + origin.y(), b.x() + origin.x(), b.y() + origin.y(), [&](int x, int y) {
            own.insert({x, y});
        });
    }
    ASSERT_EQ(moved.size(), 39u); // the 40 unit edges of the square share one start point

    TPaintAreas areas;
    c.vp()->installEventFilter(&areas);
    c.canvas.AntsTimerTimer();
    QCoreApplication::processEvents();
    c.vp()->removeEventFilter(&areas);
    EXPECT_EQ(c.canvas.AntsPhase(), (phase + 1) & 7);
    EXPECT_EQ(c.canvas.ComposeCount(), composed);
    // The step repaints the two outlines' bounds only.
    const QRect movedBox(shift + QPoint(10, 10), shift + QPoint(20, 20));
    EXPECT_TRUE(QRegion(movedBox).subtracted(areas.Painted).isEmpty());
    EXPECT_FALSE(areas.Painted.contains(origin + QPoint(35, 5)));
    EXPECT_FALSE(areas.Painted.contains(origin + QPoint(5, 27)));

    const QImage after = c.painted();
    int marched = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x) {
            const std::uint32_t was = before.pixel(x, y) & 0xFFFFFF, now = after.pixel(x, y) & 0xFFFFFF;
            if (moved.count({x, y})) {
                // The moved outline shows the dash of the new phase.
                EXPECT_EQ(now, IsDashBlack(x, y, (phase + 1) & 7) ? 0u : 0xFFFFFFu) << x << ", " << y;
                EXPECT_EQ(was, IsDashBlack(x, y, phase) ? 0u : 0xFFFFFFu) << x << ", " << y;
                marched += now != was;
            } else if (!own.count({x, y})) {
                EXPECT_EQ(now, was) << x << ", " << y;
            }
        }
    // A quarter of the dash changes colour per step.
    EXPECT_GE(marched, 8);
}

TEST(PxImageMove, ShiftCopiesAndSuccessiveDragsAddUp)
{
    MoveCanvas c(Pattern(40, 30));
    c.canvas.SetRegion(TRegion::rect({10, 10, 20, 20}));
    c.canvas.SetMouseMode(mmMoveSelectArea);
    c.drag({12, 12}, {15, 12}, Qt::ShiftModifier);
    c.drag({20, 20}, {22, 21}, Qt::ShiftModifier);
    EXPECT_EQ(c.canvas.FloatPosition(), QPoint(5, 1));
    c.canvas.ApplyOperation();
    const TBitmap& b = c.canvas.Bitmap();
    EXPECT_EQ(b.pixelColor(11, 11), PatternAt(11, 11)); // the source stays
    EXPECT_EQ(b.pixelColor(16, 12), PatternAt(11, 11));
    EXPECT_EQ(b.pixelColor(24, 20), PatternAt(19, 19));
}

TEST(PxImageMove, CancelAfterTwoDragsRestoresTheUnmovedPicture)
{
    MoveCanvas c(Pattern(40, 30));
    c.canvas.SetRegion(TRegion::rect({10, 10, 20, 20}));
    c.canvas.SetMouseMode(mmMoveSelectArea);
    c.drag({12, 12}, {15, 12});
    c.drag({12, 12}, {14, 14});
    EXPECT_EQ(c.canvas.FloatPosition(), QPoint(5, 2));
    c.canvas.CancelOperation();
    EXPECT_EQ(c.canvas.FloatPosition(), QPoint(0, 0));
    EXPECT_EQ(c.canvas.UpdateLock(), 0);
    const QImage screen = c.painted();
    for (QPoint p : {QPoint(11, 11), QPoint(16, 13), QPoint(24, 19)})
        EXPECT_EQ(c.shown(screen, p), Rgb(PatternAt(p.x(), p.y())));
    EXPECT_EQ(c.canvas.Bitmap(), Pattern(40, 30));
    EXPECT_EQ(c.canvas.Region()->boundingRect(), (TRect{10, 10, 20, 20}));
}

TEST(PxImageMove, PixelsMovedPartlyOrWhollyOffTheImage)
{
    MoveCanvas c(Pattern(40, 30));
    c.canvas.SetRegion(TRegion::rect({30, 10, 40, 20}));
    c.canvas.SetMouseMode(mmMoveSelectArea);
    c.drag({32, 12}, {37, 12});
    c.canvas.ApplyOperation();
    EXPECT_EQ(c.canvas.Region()->boundingRect(), (TRect{35, 10, 40, 20}));
    EXPECT_EQ(c.canvas.Bitmap().pixelColor(39, 15), PatternAt(34, 15));

    QSignalSpy deleted(&c.canvas, &TpxImage::OnRegionDeleted);
    c.drag({36, 12}, {36, 12});
    QTest::mousePress(c.vp(), Qt::LeftButton, {}, c.at({36, 12}));
    QTest::mouseMove(c.vp(), c.at({36, 12}) + QPoint(0, 400));
    QTest::mouseRelease(c.vp(), Qt::LeftButton, {}, c.at({36, 12}) + QPoint(0, 400));
    ASSERT_GT(c.canvas.FloatPosition().y(), 20);
    c.canvas.ApplyOperation();
    EXPECT_FALSE(c.canvas.Region());
    EXPECT_EQ(deleted.count(), 1);
    EXPECT_EQ(c.canvas.MouseMode(), mmSelectRect);
    EXPECT_EQ(c.canvas.UpdateLock(), 0);
}

// Palette images: indices are moved as they are, the hole takes the nearest entry.
TEST(PxImageMove, MovesKeepExactIndicesOnPaletteImages)
{
    for (int bits : {1, 4, 8}) {
        TBitmap image(33, 9, bits);
        const int count = 1 << bits;
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 33; ++x) {
                const int index = (x + 3 * y) % count;
                std::uint8_t* row = image.scanLine(y);
                if (bits == 8)
                    row[x] = std::uint8_t(index);
                else if (bits == 4)
                    row[x / 2] = std::uint8_t(x & 1 ? (row[x / 2] & 0xF0) | index : (row[x / 2] & 0x0F) | index << 4);
                else if (index)
                    row[x / 8] = std::uint8_t(row[x / 8] | (0x80 >> (x % 8)));
            }
        const TBitmap original = image;
        MoveCanvas c(image);
        c.canvas.SetBackgroundColor(RGB(0, 0, 0));
        c.canvas.SetRegion(TRegion::rect({3, 2, 12, 7}));
        c.canvas.SetMouseMode(mmMoveSelectArea);
        c.drag({4, 3}, {11, 4});
        c.canvas.ApplyOperation();
        const TBitmap& b = c.canvas.Bitmap();
        ASSERT_EQ(b.bitCount(), bits);
        EXPECT_EQ(b.palette(), original.palette());
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 33; ++x) {
                TColor expected = original.pixelColor(x, y);
                if (x >= 3 && x < 12 && y >= 2 && y < 7)
                    expected = RGB(0, 0, 0);
                if (x >= 10 && x < 19 && y >= 3 && y < 8)
                    expected = original.pixelColor(x - 7, y - 1);
                ASSERT_EQ(b.pixelColor(x, y), expected) << bits << " bits at " << x << ", " << y;
            }
    }
}

struct Floating : MoveCanvas {
    Floating() : MoveCanvas(Pattern(40, 30))
    {
        picture = TBitmap(10, 10, 24);
        picture.fill(RGB(200, 100, 0));
    }
    TBitmap picture;
};

TEST(PxImageMove, FloatingPasteShowsThePictureAtWholeZoomsAndTheHatchAtOthers)
{
    Floating f;
    f.canvas.SetMouseMode(mmSelectRect);
    f.canvas.PasteMerge(f.picture, TRegion::ellipse({0, 0, 10, 10}));
    ASSERT_EQ(f.canvas.MouseMode(), mmMerge);
    EXPECT_EQ(f.canvas.FloatPosition(), QPoint(0, 0));
    f.drag({2, 2}, {7, 5});
    EXPECT_EQ(f.canvas.FloatPosition(), QPoint(5, 3));
    EXPECT_EQ(f.canvas.UpdateLock(), 0);
    QImage screen = f.painted();
    EXPECT_EQ(f.shown(screen, {10, 8}), 0xC86400u);           // inside the ellipse
    EXPECT_EQ(f.shown(screen, {5, 3}), Rgb(PatternAt(5, 3))); // corner outside it

    f.canvas.SetZoom(150);
    screen = f.painted();
    int dark = 0, light = 0;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) {
            const std::uint32_t p = screen.pixel(x, y) & 0xFFFFFF;
            dark += p == 0x444444;
            light += p == 0xDDDDDD;
        }
    EXPECT_GT(dark, 20);
    EXPECT_GT(light, 20);
    f.canvas.SetZoom(200);
    screen = f.painted();
    EXPECT_EQ(f.shown(screen, {10, 8}), 0xC86400u);

    // Cancel returns to the mode that was active and leaves the image alone.
    f.canvas.CancelOperation();
    EXPECT_EQ(f.canvas.MouseMode(), mmSelectRect);
    EXPECT_EQ(f.canvas.Bitmap(), Pattern(40, 30));
}

TEST(PxImageMove, MergeBlendsByTransparencyInsideShapeAndSelection)
{
    for (int alpha : {0, 50, 100}) {
        Floating f;
        TToolSettings settings;
        settings.MergeAlphaChannel = std::uint8_t(alpha);
        f.canvas.SetToolSettings(settings);
        f.canvas.SetRegion(TRegion::rect({0, 0, 8, 30})); // the selection cuts the paste
        f.canvas.PasteMerge(f.picture, TRegion::rect({0, 0, 10, 10}));
        f.drag({1, 1}, {4, 3}); // the picture at (3, 2)
        QSignalSpy merged(&f.canvas, &TpxImage::OnMerge);
        f.canvas.ApplyOperation();
        EXPECT_EQ(merged.count(), 1);
        EXPECT_EQ(f.canvas.MouseMode(), mmNeko);
        const TBitmap& b = f.canvas.Bitmap();
        for (QPoint p : {QPoint(3, 2), QPoint(7, 11)}) {
            const TColor t = PatternAt(p.x(), p.y());
            const TColor expected = RGB((alpha * GetRValue(t) + (100 - alpha) * 200) / 100,
                                        (alpha * GetGValue(t) + (100 - alpha) * 100) / 100,
                                        (alpha * GetBValue(t) + (100 - alpha) * 0) / 100);
            EXPECT_EQ(b.pixelColor(p.x(), p.y()), expected) << alpha;
        }
        EXPECT_EQ(b.pixelColor(8, 5), PatternAt(8, 5));   // outside the selection
        EXPECT_EQ(b.pixelColor(2, 5), PatternAt(2, 5));   // left of the picture
        EXPECT_EQ(b.pixelColor(5, 12), PatternAt(5, 12)); // below it
    }
}

TEST(PxImageMove, MergeWithoutShapeMergesThePictureRectangle)
{
    Floating f;
    f.canvas.SetScrollPosition(0, 0);
    f.canvas.PasteMerge(f.picture, std::nullopt);
    f.canvas.ApplyOperation();
    const TBitmap& b = f.canvas.Bitmap();
    EXPECT_EQ(b.pixelColor(0, 0), RGB(200, 100, 0));
    EXPECT_EQ(b.pixelColor(9, 9), RGB(200, 100, 0));
    EXPECT_EQ(b.pixelColor(10, 9), PatternAt(10, 9));
}

} // namespace
} // namespace kalvo
