// Undo steps that keep only the box they changed: the list's partial items (memory, spill to
// `_KV` files and back) and, through the real window, strokes, lines, fills, clears, cuts and
// merged pastes undone and redone exactly, also mixed with whole-picture steps.
#include "MainWindowHarness.h"
#include "app/mainform/MainForm.h"
#include "app/undo/UndoList.h"
#include "canvas/PxImage.h"
#include "image/PixelBox.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

using namespace kalvo;
using namespace kalvo::test;

namespace {

int kvFileCount()
{
    return int(QDir(QString::fromStdString(UndoSpillDirectory())).entryList({"_KV*"}, QDir::Files).size());
}

} // namespace

TEST(UndoList, PartialItemHoldsItsBoxAndExchangesItExactlyAlsoFromItsFile)
{
    for (int bits : {4, 8, 24}) {
        const int before = kvFileCount();
        const TBitmap original = PatternBitmap(400, 300, bits);
        TBitmap picture = original;
        TUndoList list;
        ASSERT_TRUE(AddPartialUndoItem(list, "描画", original, {101, 50, 130, 60}, nullptr, nullptr, false, true));
        const TUndoItem& item = *list[0];
        EXPECT_TRUE(item.Partial && !item.HasImage);
        EXPECT_EQ(item.Box.top, 50);
        EXPECT_LE(item.Box.left, 101);
        EXPECT_GE(item.Box.right, 130);
        EXPECT_EQ(UndoItemMemory(item), CopyBox(original, item.Box).byteSize());
        EXPECT_LT(UndoItemMemory(item) * 50, original.byteSize());
        for (int y = 50; y < 60; ++y)
            std::fill_n(picture.scanLine(y) + 101 * bits / 8, 29 * bits / 8, std::uint8_t(0x5A));
        const TBitmap changed = picture;

        EXPECT_EQ(SwapOutUndoItems(list, 0), 1);
        EXPECT_EQ(kvFileCount(), before + 1);
        EXPECT_EQ(UndoItemMemory(item), 0u);
        ASSERT_TRUE(ExchangeUndoBox(list, 0, picture)); // undo, read back from the file
        EXPECT_EQ(picture, original) << bits;
        EXPECT_EQ(kvFileCount(), before + 1); // the exchanged box went back into the same file
        EXPECT_TRUE(item.SwappedOut);
        EXPECT_EQ(UndoItemMemory(item), 0u);
        ASSERT_TRUE(ExchangeUndoBox(list, 0, picture)); // redo
        EXPECT_EQ(picture, changed) << bits;
        ASSERT_TRUE(ExchangeUndoBox(list, 0, picture));
        EXPECT_EQ(picture, original) << bits;

        TBitmap other(400, 301, bits);
        EXPECT_FALSE(ExchangeUndoBox(list, 0, other)); // not the picture it was recorded from
        ClearUndoItems(list);
        EXPECT_EQ(kvFileCount(), before);
    }
}

namespace {

struct PartialWindow : Harness {
    explicit PartialWindow(const TBitmap& image)
    {
        Internals(form).FMaxUndo = 16;
        form.resize(500, 400);
        form.show();
        canvas().SetBitmap(image);
        canvas().SetZoom(100);
        form.ClearUndoHistory();
        form.UpdateImageActions();
        QCoreApplication::processEvents();
        states.push_back(image);
    }
    TpxImage& canvas() { return *form.Canvas(); }
    void Mouse(QEvent::Type type, QPoint imagePixel)
    {
        const QPointF pos = canvas().ImageToScreenCentre(imagePixel);
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::LeftButton;
        QMouseEvent event(type, pos, canvas().viewport()->mapToGlobal(pos),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas().viewport(), &event);
    }
    void Drag(std::initializer_list<QPoint> path)
    {
        Mouse(QEvent::MouseButtonPress, *path.begin());
        for (const QPoint& p : path)
            Mouse(QEvent::MouseMove, p);
        Mouse(QEvent::MouseButtonRelease, *(path.end() - 1));
    }
    // The picture after a step, and whether the step kept only a box.
    void Done(bool partial)
    {
        const TUndoItem& item = *Internals(form).FUndoList.back();
        EXPECT_EQ(item.Partial, partial) << item.Description;
        if (partial) {
            EXPECT_LT(UndoItemMemory(item) * 4, canvas().Bitmap().byteSize()) << item.Description;
        }
        EXPECT_NE(canvas().Bitmap(), states.back()) << item.Description;
        states.push_back(canvas().Bitmap());
    }
    // The screen shows the picture: a grid of pixels compared with the canvas's (24-bit, BGR),
    // away from the selection's outline.
    void ExpectScreenShowsPicture(const char* when, int i)
    {
        const QImage screen = canvas().viewport()->grab().toImage();
        const TBitmap& picture = canvas().Bitmap();
        QRect outline;
        if (canvas().Region()) {
            const TRect b = canvas().Region()->boundingRect();
            outline = QRect(b.left, b.top, b.width(), b.height()).adjusted(-2, -2, 2, 2);
        }
        for (int y = 5; y < picture.height(); y += 10) {
            for (int x = 5; x < picture.width(); x += 10) {
                const QPoint at = canvas().ImageToScreenCentre({x, y});
                // The selection's outline is drawn over the picture.
                if (!screen.rect().contains(at) || (canvas().Region() && outline.contains(QPoint(x, y))))
                    continue;
                const std::uint8_t* p = picture.scanLine(y) + 3 * x;
                ASSERT_EQ(screen.pixel(at) & 0xFFFFFFu, qRgb(p[2], p[1], p[0]) & 0xFFFFFFu)
                    << when << " to " << i << " at " << x << "," << y;
            }
        }
    }
    // Undoes every step and redoes it, twice, checking every state on the way.
    void WalkTheHistory()
    {
        const int n = int(states.size()) - 1;
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = n - 1; i >= 0; --i) {
                form.Action("acUndo")->trigger();
                ASSERT_EQ(canvas().Bitmap(), states[std::size_t(i)]) << "undo to " << i << ", pass " << pass;
                if (canvas().Bitmap().bitCount() == 24)
                    ExpectScreenShowsPicture("undo", i);
            }
            for (int i = 1; i <= n; ++i) {
                form.Action("acRedo")->trigger();
                ASSERT_EQ(canvas().Bitmap(), states[std::size_t(i)]) << "redo to " << i << ", pass " << pass;
                if (canvas().Bitmap().bitCount() == 24)
                    ExpectScreenShowsPicture("redo", i);
            }
        }
        EXPECT_TRUE(messages.shown.empty());
    }
    std::vector<TBitmap> states;
};

} // namespace

TEST(PartialUndo, StrokesLinesFillsAndWholePictureStepsUndoAndRedoExactly)
{
    const int filesBefore = kvFileCount();
    {
        PartialWindow w(PatternBitmap(300, 200, 24));
        w.canvas().SetForegroundColor(RGB(250, 10, 10));
        w.form.Action("acBrush")->trigger();
        TToolSettings s = w.canvas().ToolSettings();
        s.BrushSize = 9;
        s.BrushHardness = 50;
        w.canvas().SetToolSettings(s);
        w.Drag({{20, 20}, {60, 40}, {90, 30}});
        w.Done(true);
        w.form.Action("acNegativeImage")->trigger(); // whole picture
        w.Done(false);
        w.Drag({{150, 150}, {160, 170}});
        w.Done(true);
        w.form.Action("acPen")->trigger();
        w.Drag({{5, 190}, {80, 120}});
        w.Done(true);
        w.canvas().SetRegion(TRegion::ellipse({100, 40, 180, 100}));
        w.form.Action("acPaint")->trigger();
        w.Drag({{140, 70}});
        w.Done(true);
        // Four idle seconds: the older steps go to files; the walk reads them back.
        Internals(w.form).pxIdleTime1Interval();
        EXPECT_GT(kvFileCount(), filesBefore);
        w.WalkTheHistory();
    }
    EXPECT_EQ(kvFileCount(), filesBefore);
}

TEST(PartialUndo, ClearCutAndMergedPasteInASelectionKeepTheirBoxAndTheSelection)
{
    PartialWindow w(PatternBitmap(240, 160, 24));
    w.canvas().SetBackgroundColor(RGB(0, 200, 0));
    const TRegionRef ellipse = TRegion::ellipse({30, 20, 90, 70}), rect = TRegion::rect({150, 100, 200, 140});
    w.form.PushUndo(QStringLiteral("選択範囲の変更"), TKalvoMainForm::kUndoRegion);
    w.canvas().SetRegion(ellipse);
    w.form.Action("acClear")->trigger();
    w.Done(true);
    EXPECT_TRUE(Internals(w.form).FUndoList.back()->HasRegion);
    w.canvas().SetRegion(rect);
    w.form.Action("acCut")->trigger();
    w.Done(true);
    w.form.Action("acMergePaste")->trigger();
    ASSERT_EQ(w.canvas().MouseMode(), mmMerge);
    w.Drag({{10, 10}, {165, 110}}); // the cut pixels floated back over the selection, shifted
    QTest::keyClick(w.canvas().viewport(), Qt::Key_Return);
    ASSERT_EQ(Internals(w.form).FUndoList.back()->Description, "合成");
    w.Done(true);
    const auto undo = [&](const TBitmap& expected, const TRegionRef& selection) {
        w.form.Action("acUndo")->trigger();
        EXPECT_EQ(w.canvas().Bitmap(), expected);
        ASSERT_TRUE(w.canvas().Region());
        EXPECT_EQ(*w.canvas().Region(), *selection);
    };
    undo(w.states[2], rect);    // the merge
    undo(w.states[1], rect);    // the cut
    undo(w.states[0], ellipse); // the clear
    for (int i = 0; i < 3; ++i)
        w.form.Action("acRedo")->trigger();
    EXPECT_EQ(w.canvas().Bitmap(), w.states[3]);
    EXPECT_TRUE(w.messages.shown.empty());
}

// Selection steps after a whole-picture step keep no picture of their own: undoing that step keeps
// the picture its redo needs.
TEST(PartialUndo, SelectionStepsAfterAWholePictureStepKeepNoPicture)
{
    PartialWindow w(PatternBitmap(600, 400, 24));
    w.form.Action("acNegativeImage")->trigger();
    w.Done(false);
    for (const TRegion& r : {TRegion::rect({10, 10, 50, 40}), TRegion::ellipse({20, 5, 90, 60})}) {
        w.form.PushUndo(QStringLiteral("選択範囲の変更"), TKalvoMainForm::kUndoRegion);
        w.canvas().SetRegion(r);
        EXPECT_FALSE(Internals(w.form).FUndoList.back()->HasImage);
    }
    w.form.Action("acNegativeImage")->trigger(); // inside the ellipse: a box
    w.Done(true);
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < 4; ++i)
            w.form.Action("acUndo")->trigger();
        EXPECT_EQ(w.canvas().Bitmap(), w.states[0]);
        EXPECT_FALSE(w.canvas().Region());
        w.form.Action("acRedo")->trigger();
        EXPECT_EQ(w.canvas().Bitmap(), w.states[1]);
        w.form.Action("acRedo")->trigger();
        EXPECT_EQ(w.canvas().Bitmap(), w.states[1]);
        ASSERT_TRUE(w.canvas().Region());
        EXPECT_EQ(*w.canvas().Region(), TRegion::rect({10, 10, 50, 40}));
        w.form.Action("acRedo")->trigger();
        w.form.Action("acRedo")->trigger();
        EXPECT_EQ(w.canvas().Bitmap(), w.states[2]);
    }
}
