// The shapes and text modes in the main window: their places, exact pixels of a drag, typing,
// and one undo step each, driven with synthetic mouse and key events.
#include "MainWindowHarness.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "image/PixelLine.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolBar>

#include <set>

#include <gtest/gtest.h>

using namespace kalvo;
using namespace kalvo::test;

namespace {

struct AnnotateWindow : Harness {
    explicit AnnotateWindow(const TBitmap& image, const char* mode)
    {
        form.resize(500, 400);
        form.show();
        canvas().SetBitmap(image);
        canvas().SetZoom(100);
        form.ClearUndoHistory();
        form.UpdateImageActions();
        form.Action(mode)->trigger();
        canvas().SetForegroundColor(clWhite);
        QCoreApplication::processEvents();
    }
    TpxImage& canvas() { return *form.Canvas(); }
    void Mouse(QEvent::Type type, QPoint imagePixel)
    {
        const QPointF pos = canvas().ImageToScreenCentre(imagePixel);
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::MouseButtons()
                                                                         : Qt::MouseButtons(Qt::LeftButton);
        QMouseEvent event(type, pos, canvas().viewport()->mapToGlobal(pos),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas().viewport(), &event);
    }
    void Drag(QPoint from, QPoint to)
    {
        Mouse(QEvent::MouseButtonPress, from);
        Mouse(QEvent::MouseMove, (from + to) / 2);
        Mouse(QEvent::MouseMove, to);
        Mouse(QEvent::MouseButtonRelease, to);
    }
    void Key(int key, const QString& text = QString(), Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, m, text);
        QCoreApplication::sendEvent(&canvas(), &event);
    }
    std::vector<std::string> Steps() const
    {
        std::vector<std::string> d;
        for (const auto& item : Internals(form).FUndoList)
            d.push_back(item->Description);
        return d;
    }
    // The pixels that differ from the colour.
    std::set<std::pair<int, int>> Changed(TColor background) const
    {
        std::set<std::pair<int, int>> out;
        const TBitmap& b = form.Canvas()->Bitmap();
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x)
                if (b.pixelColor(x, y) != background)
                    out.insert({x, y});
        return out;
    }
};

TEST(AnnotateTools, ModesStandAfterTheSpecifiedOnes)
{
    AnnotateWindow w(SolidBitmap(40, 30, clBlack), "acShape");
    const QList<QAction*> menu = w.form.Menu("MouseModeMenu")->actions();
    ASSERT_GE(menu.size(), 3);
    EXPECT_TRUE(menu[menu.size() - 3]->isSeparator());
    EXPECT_EQ(menu[menu.size() - 2]->text(), QStringLiteral("図形(&S)"));
    EXPECT_EQ(menu.back()->text(), QStringLiteral("テキスト(&T)"));
    const QList<QAction*> bar = w.form.ToolBar("TBToolbar2")->actions();
    EXPECT_EQ(bar.back(), w.form.Action("acText"));
    EXPECT_FALSE(w.form.Action("acShape")->icon().isNull());
    EXPECT_EQ(w.canvas().MouseMode(), mmShape);
    EXPECT_TRUE(w.form.Action("acShape")->isChecked());
}

TEST(AnnotateTools, WidthOneRectangleIsExactlyItsOutlineInOneStep)
{
    for (const int bits : {24, 8}) {
        // The palette picture takes the nearest entry of the foreground colour.
        TBitmap image = SolidBitmap(40, 30, clBlack);
        if (bits == 8) {
            image = TBitmap(40, 30, 8);
            image.setPalette({clBlack, RGB(250, 250, 250)});
        }
        AnnotateWindow w(image, "acShape");
        TToolSettings s = w.canvas().ToolSettings(); // the first round's window saved a line
        s.ShapeKind = TShapeKind::Rect;
        w.canvas().SetToolSettings(s);
        const TColor painted = bits == 24 ? clWhite : RGB(250, 250, 250);
        w.Drag({20, 15}, {5, 4});
        std::set<std::pair<int, int>> outline;
        for (int x = 5; x <= 20; ++x) {
            outline.insert({x, 4});
            outline.insert({x, 15});
        }
        for (int y = 5; y <= 14; ++y) {
            outline.insert({5, y});
            outline.insert({20, y});
        }
        EXPECT_EQ(w.Changed(clBlack), outline) << bits;
        EXPECT_EQ(w.canvas().Bitmap().pixelColor(5, 4), painted);
        ASSERT_EQ(w.Steps(), std::vector<std::string>{"図形"});
        w.form.Action("acUndo")->trigger();
        EXPECT_TRUE(w.Changed(clBlack).empty());

        // A line is the pen's one-pixel line with both end pixels; Escape abandons a drag.
        s.ShapeKind = TShapeKind::Line;
        w.canvas().SetToolSettings(s);
        w.Drag({2, 3}, {30, 11});
        std::set<std::pair<int, int>> line{{30, 11}};
        WalkPixelLine(2, 3, 30, 11, [&](int x, int y) { line.insert({x, y}); });
        EXPECT_EQ(w.Changed(clBlack), line);
        const TBitmap drawn = w.canvas().Bitmap();
        w.Mouse(QEvent::MouseButtonPress, {1, 1});
        w.Mouse(QEvent::MouseMove, {9, 9});
        w.Key(Qt::Key_Escape);
        w.Mouse(QEvent::MouseButtonRelease, {9, 9});
        EXPECT_EQ(w.canvas().Bitmap(), drawn);
        EXPECT_EQ(w.Steps().size(), 1u);
    }
}

TEST(AnnotateTools, TypedTextAppearsAtTheClickAndUndoesInOneStep)
{
    const TBitmap original = SolidBitmap(120, 80, clBlack);
    AnnotateWindow w(original, "acText");
    TToolSettings s = w.canvas().ToolSettings();
    s.TextSize = 14;
    s.TextAntiAlias = false;
    w.canvas().SetToolSettings(s);
    w.Mouse(QEvent::MouseButtonPress, {30, 20});
    w.Mouse(QEvent::MouseButtonRelease, {30, 20});
    w.Key(Qt::Key_H, QStringLiteral("H"));
    w.Key(Qt::Key_X, QStringLiteral("x"));
    w.Key(Qt::Key_Backspace);
    w.Key(Qt::Key_I, QStringLiteral("I"));
    // Typing only shows the text; the picture changes on Ctrl+Enter.
    EXPECT_EQ(w.canvas().Bitmap(), original);
    QInputMethodEvent ime(QString(), {});
    ime.setCommitString(QStringLiteral("本"));
    QCoreApplication::sendEvent(&w.canvas(), &ime);
    w.Key(Qt::Key_Return, QString(), Qt::ControlModifier);
    const auto changed = w.Changed(clBlack);
    ASSERT_GT(changed.size(), 20u);
    for (const auto& [x, y] : changed) {
        EXPECT_GE(x, 25);
        EXPECT_GE(y, 20);
        EXPECT_LT(y, 20 + 30);
        EXPECT_EQ(w.canvas().Bitmap().pixelColor(x, y), clWhite); // aliased: the colour only
    }
    ASSERT_EQ(w.Steps(), std::vector<std::string>{"テキスト"});
    w.form.Action("acUndo")->trigger();
    EXPECT_EQ(w.canvas().Bitmap(), original);

    // Escape abandons the text being typed.
    w.Mouse(QEvent::MouseButtonPress, {5, 5});
    w.Mouse(QEvent::MouseButtonRelease, {5, 5});
    w.Key(Qt::Key_A, QStringLiteral("A"));
    w.Key(Qt::Key_Escape);
    w.Key(Qt::Key_Return, QString(), Qt::ControlModifier);
    EXPECT_EQ(w.canvas().Bitmap(), original);
}

} // namespace
