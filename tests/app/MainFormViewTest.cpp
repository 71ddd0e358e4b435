#include "MainWindowHarness.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

using namespace kalvo;
using namespace kalvo::test;

namespace {

QMenu* ViewMenuOf(TKalvoMainForm& form)
{
    for (QAction* a : form.menuBar()->actions())
        if (a->text() == QStringLiteral("表示(&V)"))
            return a->menu();
    return nullptr;
}

} // namespace

TEST(MainFormView, ZoomCommandsSitOnTheZoomToolBarWithTheirShortcuts)
{
    Harness h;
    QMenu* view = ViewMenuOf(h.form);
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->actions().contains(h.form.Action("acZoomIn")));
    ASSERT_NE(h.form.ToolBar("TBToolbar3"), nullptr);
    EXPECT_TRUE(h.form.ToolBar("TBToolbar3")->actions().contains(h.form.Action("acZoomIn")));
    EXPECT_TRUE(h.form.ToolBar("TBToolbar3")->actions().contains(h.form.Action("acZoomAuto")));
    EXPECT_EQ(h.form.Action("acZoomIn")->text(), QStringLiteral("ズームイン(&I)"));
    EXPECT_EQ(h.form.Action("acZoom100")->text(), QStringLiteral("等倍"));
    EXPECT_EQ(h.form.Action("acZoom100")->statusTip(), QStringLiteral("等倍表示"));
    EXPECT_EQ(h.form.Action("acZoom100")->shortcut(), QKeySequence(Qt::Key_F10));
    EXPECT_EQ(h.form.Action("acZoomIn")->shortcut(), QKeySequence(Qt::KeypadModifier | Qt::Key_Plus));
    EXPECT_EQ(h.form.Action("acZoomOut")->shortcut(), QKeySequence(Qt::KeypadModifier | Qt::Key_Minus));
}

TEST(MainFormView, ZoomStepsAndFitToWindow)
{
    Harness h;
    h.form.Canvas()->SetBitmap(PatternBitmap(3000, 2000, 24));
    h.form.Action("acZoomIn")->trigger();
    EXPECT_EQ(h.form.Canvas()->Zoom(), 150);
    h.form.Action("acZoomOut")->trigger();
    h.form.Action("acZoomOut")->trigger();
    EXPECT_EQ(h.form.Canvas()->Zoom(), 75);
    h.form.Action("acZoom100")->trigger();
    EXPECT_EQ(h.form.Canvas()->Zoom(), 100);

    h.form.Action("acZoomAuto")->trigger();
    EXPECT_TRUE(h.form.Action("acZoomAuto")->isChecked());
    EXPECT_TRUE(h.form.Canvas()->AutoStretch());
    EXPECT_LT(h.form.Canvas()->Zoom(), 100);
    EXPECT_FALSE(h.form.Action("acZoomIn")->isEnabled());
    EXPECT_FALSE(h.form.Action("acZoom100")->isEnabled());
    h.form.Action("acZoomAuto")->trigger();
    EXPECT_FALSE(h.form.Canvas()->AutoStretch());
    EXPECT_TRUE(h.form.Action("acZoomIn")->isEnabled());
    EXPECT_TRUE(h.form.Action("acZoomOut")->isEnabled());
}

TEST(MainFormView, PresetsSetTheirZoom)
{
    Harness h;
    h.form.Canvas()->SetBitmap(PatternBitmap(30, 20, 24));
    QList<QAction*> presets = h.form.Menu("ZoomPresetMenu")->actions();
    ASSERT_EQ(presets.size(), 13);
    EXPECT_EQ(presets[4], h.form.Action("acZoom100"));
    EXPECT_EQ(presets[12]->text(), QStringLiteral("2000"));
    presets[12]->trigger();
    EXPECT_EQ(h.form.Canvas()->Zoom(), 2000);
    presets[1]->trigger();
    EXPECT_EQ(h.form.Canvas()->Zoom(), 33);
}

TEST(MainFormView, KeypadPlusMinusAndF10ReachTheZoom)
{
    Harness h;
    h.form.Canvas()->SetBitmap(PatternBitmap(300, 200, 24));
    h.form.show();
    h.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.form));
    h.form.Canvas()->setFocus();
    QTest::keyClick(h.form.Canvas()->viewport(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(h.form.Canvas()->Zoom(), 150);
    QTest::keyClick(h.form.Canvas()->viewport(), Qt::Key_Minus, Qt::KeypadModifier);
    QTest::keyClick(h.form.Canvas()->viewport(), Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(h.form.Canvas()->Zoom(), 75);
    QTest::keyClick(h.form.Canvas()->viewport(), Qt::Key_F10);
    EXPECT_EQ(h.form.Canvas()->Zoom(), 100);
}
