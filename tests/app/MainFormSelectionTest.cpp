#include "MainWindowHarness.h"
#include "app/mainform/MainForm.h"
#include "canvas/CanvasInput.h"
#include "canvas/CanvasTestSupport.h"
#include "canvas/PxImage.h"
#include "codecs/bmp/BmpFormat.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>

using namespace kalvo;
using namespace kalvo::test;

namespace {

// A main window with a 100 x 80 image in a 200 x 150 canvas.
struct Window : Harness {
    CanvasInput input{*form.Canvas()};
    Window()
    {
        TBitmap image(100, 80, 24);
        image.fill(RGB(1, 2, 3));
        form.Canvas()->SetBitmap(image);
        SetClientSize(*form.Canvas(), 200, 150);
        form.UpdateImageActions();
    }
    TpxImage& canvas() { return *form.Canvas(); }
    TRect box() { return canvas().Region() ? canvas().Region()->boundingRect() : TRect{-1, -1, -1, -1}; }
    int steps() const { return int(Internals(form).FUndoList.size()); }
};

QAction* actionNamed(TKalvoMainForm& form, const char* name)
{
    return form.findChild<QAction*>(QString::fromLatin1(name));
}

} // namespace

TEST(MainFormSelection, ModeActionsAreOneExclusiveGroupThatFollowsTheCanvas)
{
    Window w;
    // The program starts in rectangle selection.
    EXPECT_EQ(w.canvas().MouseMode(), mmSelectRect);
    EXPECT_TRUE(w.form.Action("acSelectRect")->isChecked());
    const std::pair<const char*, TMouseMode> table[] = {
        {"acHandScroll", mmNeko},           {"acZoom", mmZoom},
        {"acSelectRect", mmSelectRect},     {"acSelectEllipse", mmSelectEllipse},
        {"acSelectRegion", mmSelectRegion}, {"acSelectMagicWand", mmSelectMagicWand},
    };
    for (const auto& [name, mode] : table) {
        QAction* action = actionNamed(w.form, name);
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
        EXPECT_EQ(w.canvas().MouseMode(), mode) << name;
        EXPECT_EQ(w.form.ModeActionGroup()->checkedAction(), action) << name;
    }
    EXPECT_EQ(w.form.Action("acSelectRegion")->text(), QStringLiteral("自由選択(&F)"));
    EXPECT_EQ(w.form.Action("acSelectRegion")->statusTip(), QStringLiteral("自由選択"));
    // A mode set by the canvas itself moves the check; a mode without an action clears it.
    w.canvas().SetMouseMode(mmZoom);
    EXPECT_TRUE(w.form.Action("acZoom")->isChecked());
    w.canvas().SetMouseMode(mmSelectPoint);
    EXPECT_EQ(w.form.ModeActionGroup()->checkedAction(), nullptr);
    // Another sender selects nothing.
    w.form.MouseModeChange(w.form.Action("acSelectAll"));
    EXPECT_EQ(w.canvas().MouseMode(), mmSelectPoint);
}

TEST(MainFormSelection, RegisteredModeActionsOfOtherToolsJoinTheGroup)
{
    Window w;
    // The painting tools register theirs.
    QAction* paint = w.form.Action("acPaint");
    QAction* pen = w.form.Action("acPen");
    ASSERT_TRUE(paint && pen);
    paint->trigger();
    EXPECT_EQ(w.canvas().MouseMode(), mmPaint);
    EXPECT_TRUE(paint->isChecked());
    EXPECT_FALSE(w.form.Action("acSelectRect")->isChecked());
    // The pen action takes the remembered pen mode and is checked for both.
    Internals(w.form).FPenMode = mmPenLine;
    pen->trigger();
    EXPECT_EQ(w.canvas().MouseMode(), mmPenLine);
    EXPECT_TRUE(pen->isChecked());
    EXPECT_EQ(w.form.ModeAction(mmPenFreehand), pen);
    EXPECT_EQ(w.form.ModeAction(mmPenLine), pen);
    // So do the move modes.
    EXPECT_EQ(w.form.ModeAction(mmMoveRegion), w.form.Action("acMoveRegion"));
    EXPECT_EQ(w.form.ModeAction(mmMoveSelectArea), w.form.Action("acMoveSelectArea"));
    EXPECT_EQ(w.form.Action("acMoveRegion")->actionGroup(), w.form.ModeActionGroup());
}

TEST(MainFormSelection, EveryGestureRecordsOneStepAndEnablingFollowsTheNewSelection)
{
    Window w;
    EXPECT_FALSE(w.form.Action("acInvertRegion")->isEnabled());
    EXPECT_FALSE(w.form.Action("acDeleteRegion")->isEnabled());
    EXPECT_TRUE(w.form.Action("acSelectAll")->isEnabled());
    w.input.drag({10, 10}, {30, 40});
    EXPECT_EQ(w.box(), (TRect{10, 10, 30, 40}));
    EXPECT_EQ(w.steps(), 1);
    EXPECT_EQ(QString::fromStdString(Internals(w.form).FUndoList.back()->Description),
              QStringLiteral("選択範囲の変更"));
    // Enabled after the first selection, not one change late.
    EXPECT_TRUE(w.form.Action("acInvertRegion")->isEnabled());
    EXPECT_TRUE(w.form.Action("acDeleteRegion")->isEnabled());

    // The click that removes the selection is one step.
    w.input.drag({50, 50}, {50, 50});
    EXPECT_FALSE(w.canvas().Region());
    EXPECT_EQ(w.steps(), 2);
    EXPECT_FALSE(w.form.Action("acDeleteRegion")->isEnabled());

    // Undo brings the rectangle back without recording, and the enabling with it.
    w.form.Action("acUndo")->trigger();
    EXPECT_EQ(w.box(), (TRect{10, 10, 30, 40}));
    EXPECT_TRUE(w.form.Action("acDeleteRegion")->isEnabled());
    w.form.Action("acRedo")->trigger();
    EXPECT_FALSE(w.canvas().Region());
    EXPECT_FALSE(w.form.Action("acDeleteRegion")->isEnabled());
}

TEST(MainFormSelection, UndoOfSelectAllRestoresThePreviousSelection)
{
    Window w;
    w.form.Action("acSelectEllipse")->trigger();
    w.input.drag({50, 40}, {60, 45});
    const TRegion ellipse = *w.canvas().Region();
    w.form.Action("acSelectAll")->trigger();
    EXPECT_EQ(w.box(), (TRect{0, 0, 100, 80}));
    w.form.Action("acUndo")->trigger();
    ASSERT_TRUE(w.canvas().Region());
    EXPECT_EQ(*w.canvas().Region(), ellipse);
    w.form.Action("acRedo")->trigger();
    EXPECT_EQ(w.box(), (TRect{0, 0, 100, 80}));

    // Invert and delete, each one step, each undone (the redo item goes with the first).
    w.form.Action("acInvertRegion")->trigger();
    EXPECT_FALSE(w.canvas().Region());
    const int before = w.steps() - 1;
    w.form.Action("acSelectAll")->trigger();
    EXPECT_EQ(w.steps(), before + 2);
    w.form.Action("acDeleteRegion")->trigger();
    EXPECT_FALSE(w.canvas().Region());
    EXPECT_EQ(w.steps(), before + 3);
    w.form.Action("acUndo")->trigger();
    EXPECT_EQ(w.box(), (TRect{0, 0, 100, 80}));
}

TEST(MainFormSelection, DeletingTheSelectionInAMoveModeReturnsToRectangleSelection)
{
    Window w;
    QAction* move = w.form.Action("acMoveRegion");
    w.form.Action("acSelectAll")->trigger();
    w.form.UpdateRegionActions();
    EXPECT_TRUE(move->isEnabled());
    move->trigger();
    EXPECT_EQ(w.canvas().MouseMode(), mmMoveRegion);
    w.form.Action("acDeleteRegion")->trigger();
    EXPECT_FALSE(move->isEnabled());
    EXPECT_EQ(w.canvas().MouseMode(), mmSelectRect);
    EXPECT_TRUE(w.form.Action("acSelectRect")->isChecked());
}

TEST(MainFormSelection, HideRegionTogglesTheOutline)
{
    Window w;
    w.form.Action("acHideRegion")->trigger();
    EXPECT_TRUE(w.form.Action("acHideRegion")->isChecked());
    EXPECT_FALSE(w.canvas().ShowRegion());
    w.form.Action("acHideRegion")->trigger();
    EXPECT_TRUE(w.canvas().ShowRegion());
}

TEST(MainFormSelection, OpenDropsTheSelectionWithoutAnUndoStep)
{
    Window w;
    TempDir dir;
    const std::string path = dir.file("next.bmp");
    WriteAll(path, BmpBytes(PatternBitmap(20, 10, 24)));
    w.input.drag({10, 10}, {30, 40});
    ASSERT_TRUE(w.canvas().Region());
    ASSERT_TRUE(w.form.OpenImageFile(QString::fromStdString(path)));
    EXPECT_FALSE(w.canvas().Region());
    EXPECT_TRUE(w.canvas().Outline().empty());
    EXPECT_EQ(w.steps(), 0);
    EXPECT_FALSE(w.form.Action("acUndo")->isEnabled());
    EXPECT_FALSE(w.form.Action("acDeleteRegion")->isEnabled());
}

TEST(MainFormSelection, TheCanvasPopupFollowsTheModeAndOpensOnTheRightRelease)
{
    Window w;
    ASSERT_NE(w.form.Menu("MouseModeMenu"), nullptr);
    EXPECT_EQ(w.canvas().PopupMenu(), w.form.Menu("MouseModeMenu"));
    w.form.Action("acSelectRegion")->trigger();
    EXPECT_EQ(w.canvas().PopupMenu(), nullptr);
    w.form.Action("acZoom")->trigger();
    EXPECT_EQ(w.canvas().PopupMenu(), nullptr);
    w.canvas().SetMouseMode(mmMerge);
    EXPECT_EQ(w.canvas().PopupMenu(), w.form.Menu("ApplyCancelMenu"));
    w.form.Action("acSelectEllipse")->trigger();
    EXPECT_EQ(w.canvas().PopupMenu(), w.form.Menu("MouseModeMenu"));

    w.input.press({20, 20}, Qt::RightButton);
    EXPECT_FALSE(w.form.Menu("MouseModeMenu")->isVisible());
    w.input.release({20, 20}, Qt::RightButton);
    EXPECT_TRUE(w.form.Menu("MouseModeMenu")->isVisible());
    w.form.Menu("MouseModeMenu")->hide();
    EXPECT_FALSE(w.canvas().Region()); // the right click selected nothing
}
