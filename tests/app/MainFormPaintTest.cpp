// The painting commands of the main window: the mode actions, the undo steps of fill, pen,
// brush and outline stroke, and the colour picker, driven with synthetic mouse events.
#include "MainWindowHarness.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

using namespace kalvo;
using namespace kalvo::test;

namespace {

// A shown main window with an image, an empty history and the canvas at zoom 100.
struct PaintWindow : Harness {
    explicit PaintWindow(const TBitmap& image)
    {
        form.resize(500, 400);
        form.show();
        canvas().SetBitmap(image);
        canvas().SetZoom(100);
        form.ClearUndoHistory();
        form.UpdateImageActions();
        QCoreApplication::processEvents();
    }
    TpxImage& canvas() { return *form.Canvas(); }
    void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint imagePixel)
    {
        const QPointF pos = canvas().ImageToScreenCentre(imagePixel);
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::MouseButtons()
            : type == QEvent::MouseMove                                  ? Qt::MouseButtons(Qt::LeftButton)
                                                                         : Qt::MouseButtons(button);
        QMouseEvent event(type, pos, canvas().viewport()->mapToGlobal(pos),
                          type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas().viewport(), &event);
    }
    void Click(QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        Mouse(QEvent::MouseButtonPress, b, p);
        Mouse(QEvent::MouseButtonRelease, b, p);
    }
    void Drag(std::initializer_list<QPoint> path)
    {
        const QPoint* p = path.begin();
        Mouse(QEvent::MouseButtonPress, Qt::LeftButton, *p);
        for (++p; p != path.end(); ++p)
            Mouse(QEvent::MouseMove, Qt::NoButton, *p);
        Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, *(path.end() - 1));
    }
    std::vector<std::string> Steps() const
    {
        std::vector<std::string> d;
        for (const auto& item : Internals(form).FUndoList)
            d.push_back(item->Description);
        return d;
    }
};

TEST(MainFormPaint, ModeActionsAreNamedCheckedAndEnabledByTheImage)
{
    Harness empty;
    for (const char* name : {"acPaint", "acSpoit", "acPen", "acBrush", "acDrawRegion"}) {
        QAction* action = empty.form.findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        EXPECT_FALSE(action->isEnabled()) << name;
    }
    EXPECT_EQ(empty.form.Action("acPaint")->text(), "ペイント(&P)");
    EXPECT_EQ(empty.form.Action("acSpoit")->text(), "色抽出(&P)");
    EXPECT_EQ(empty.form.Action("acDrawRegion")->text(), "選択範囲を描画(&D)");

    PaintWindow w(SolidBitmap(20, 20, clBlack));
    EXPECT_TRUE(w.form.Action("acPaint")->isEnabled());
    EXPECT_FALSE(w.form.Action("acDrawRegion")->isEnabled()); // no selection
    w.canvas().SetRegion(TRegion::rect({2, 2, 8, 8}));
    EXPECT_TRUE(w.form.Action("acDrawRegion")->isEnabled());

    w.form.Action("acPaint")->trigger();
    EXPECT_EQ(w.canvas().MouseMode(), mmPaint);
    EXPECT_TRUE(w.form.Action("acPaint")->isChecked());
    // Choosing the mode on show again keeps its button down, also for the move modes.
    w.form.Action("acPaint")->trigger();
    EXPECT_EQ(w.canvas().MouseMode(), mmPaint);
    EXPECT_TRUE(w.form.Action("acPaint")->isChecked());
    w.form.Action("acMoveRegion")->trigger();
    w.form.Action("acMoveRegion")->trigger();
    EXPECT_EQ(w.canvas().MouseMode(), mmMoveRegion);
    EXPECT_TRUE(w.form.Action("acMoveRegion")->isChecked());
    EXPECT_FALSE(w.form.Action("acPaint")->isChecked());
    w.form.Action("acPaint")->trigger();
    // The pen comes back as the line type last chosen; it is checked for both.
    Internals(w.form).FPenMode = mmPenLine;
    w.form.Action("acPen")->trigger();
    EXPECT_EQ(w.canvas().MouseMode(), mmPenLine);
    EXPECT_TRUE(w.form.Action("acPen")->isChecked());
    EXPECT_FALSE(w.form.Action("acPaint")->isChecked());
    Internals(w.form).FPenMode = mmPenFreehand;
    w.form.Action("acPen")->trigger();
    EXPECT_EQ(w.canvas().MouseMode(), mmPenFreehand);
    EXPECT_TRUE(w.form.Action("acPen")->isChecked());
}

TEST(MainFormPaint, FillAndPenRecordOneStepEachThatUndoRestores)
{
    const TBitmap original = SolidBitmap(20, 20, RGB(1, 2, 3));
    PaintWindow w(original);
    w.canvas().SetForegroundColor(RGB(250, 0, 0));
    w.form.Action("acPaint")->trigger();
    w.Click({4, 4});
    EXPECT_EQ(w.canvas().Bitmap().pixelColor(10, 10), RGB(250, 0, 0));
    ASSERT_EQ(w.Steps(), std::vector<std::string>{"塗りつぶし"});
    EXPECT_TRUE(Internals(w.form).FModified);
    const TBitmap filled = w.canvas().Bitmap();

    w.form.Action("acPen")->trigger();
    w.canvas().SetForegroundColor(clWhite);
    w.Drag({{2, 2}, {12, 2}});
    EXPECT_EQ(w.canvas().Bitmap().pixelColor(5, 2), clWhite);
    ASSERT_EQ(w.Steps(), (std::vector<std::string>{"塗りつぶし", "描画"}));

    w.form.Action("acUndo")->trigger();
    EXPECT_EQ(w.canvas().Bitmap(), filled);
    w.form.Action("acUndo")->trigger();
    EXPECT_EQ(w.canvas().Bitmap(), original);
    w.form.Action("acRedo")->trigger();
    EXPECT_EQ(w.canvas().Bitmap(), filled);
}

TEST(MainFormPaint, PenStepKeepsTheTilesAlongItsLinesAndUndoesExactly)
{
    const TBitmap original = PatternBitmap(300, 200, 24);
    for (bool antiAlias : {false, true}) {
        PaintWindow w(original);
        TToolSettings s = w.canvas().ToolSettings();
        s.PenAntiAlias = antiAlias;
        w.canvas().SetToolSettings(s);
        w.form.Action("acPen")->trigger();
        w.Drag({{10, 10}, {290, 30}, {150, 190}});
        const TBitmap drawn = w.canvas().Bitmap();
        ASSERT_FALSE(drawn == original);
        EXPECT_FALSE(Internals(w.form).FUndoList.at(0)->Pieces.empty()) << antiAlias;
        w.form.Action("acUndo")->trigger();
        EXPECT_TRUE(w.canvas().Bitmap() == original) << antiAlias;
        w.form.Action("acRedo")->trigger();
        EXPECT_TRUE(w.canvas().Bitmap() == drawn) << antiAlias;
    }
}

TEST(MainFormPaint, BrushStrokeIsOneStepRecordedFromWhatItPaintedOver)
{
    // Larger than the window and than many backup tiles: the stroke keeps only the tiles it
    // reaches, and the picture is never copied whole.
    const TBitmap original = SolidBitmap(700, 500, clBlack);
    PaintWindow w(original);
    w.form.Action("acBrush")->trigger();
    ASSERT_EQ(w.canvas().MouseMode(), mmBrush);
    TToolSettings s = w.canvas().ToolSettings();
    s.BrushSize = 7;
    s.BrushHardness = 50;
    w.canvas().SetToolSettings(s);
    w.canvas().SetForegroundColor(clWhite);
    w.Mouse(QEvent::MouseButtonPress, Qt::LeftButton, {5, 5});
    w.Mouse(QEvent::MouseMove, Qt::NoButton, {15, 8});
    w.Mouse(QEvent::MouseMove, Qt::NoButton, {30, 20});
    EXPECT_EQ(w.canvas().StrokeBackup().Memory(), std::size_t(3 * TStrokeBackup::kTile * TStrokeBackup::kTile));
    w.Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, {30, 20});
    EXPECT_TRUE(w.canvas().StrokeBackup().Empty());
    EXPECT_NE(w.canvas().Bitmap().pixelColor(15, 8), clBlack);
    ASSERT_EQ(w.Steps(), std::vector<std::string>{"描画"});
    const TBitmap painted = w.canvas().Bitmap();

    // A second stroke crossing tile edges is its own step: undo goes back one stroke at a time,
    // also with the steps moved into files.
    w.Drag({{5, 300}, {350, 300}, {400, 130}});
    ASSERT_EQ(w.Steps(), (std::vector<std::string>{"描画", "描画"}));
    ASSERT_EQ(SwapOutUndoItems(Internals(w.form).FUndoList, 0), 2);
    w.form.Action("acUndo")->trigger();
    EXPECT_EQ(w.canvas().Bitmap(), painted);
    w.form.Action("acUndo")->trigger();
    EXPECT_EQ(w.canvas().Bitmap(), original);
    w.form.Action("acRedo")->trigger();
    EXPECT_EQ(w.canvas().Bitmap(), painted);
}

TEST(MainFormPaint, OutlineStrokeRecordsADrawingStep)
{
    const TBitmap original = SolidBitmap(30, 30, clBlack);
    PaintWindow w(original);
    w.canvas().SetRegion(TRegion::rect({10, 10, 20, 20}));
    w.canvas().SetForegroundColor(clWhite);
    w.form.Action("acDrawRegion")->trigger();
    EXPECT_EQ(w.canvas().Bitmap().pixelColor(10, 15), clWhite);
    ASSERT_EQ(w.Steps(), std::vector<std::string>{"描画"});
    w.form.Action("acUndo")->trigger();
    EXPECT_EQ(w.canvas().Bitmap(), original);
}

TEST(MainFormPaint, PickerSetsTheForegroundOrBackgroundColour)
{
    TBitmap image = SolidBitmap(10, 10, RGB(10, 20, 30));
    image.scanLine(5)[3 * 5] = 99; // blue of pixel (5, 5)
    PaintWindow w(image);
    w.form.Action("acSpoit")->trigger();
    w.Click({5, 5});
    EXPECT_EQ(w.canvas().ForegroundColor(), RGB(10, 20, 99));
    w.Click({1, 1}, Qt::RightButton);
    EXPECT_EQ(w.canvas().BackgroundColor(), RGB(10, 20, 30));
    EXPECT_TRUE(w.Steps().empty());
}

} // namespace
