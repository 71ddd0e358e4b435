#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "support/TestSupport.h"
#include "MainWindowHarness.h"

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
    EXPECT_FALSE(view->actions().contains(h.form.acZoomIn));
    ASSERT_NE(h.form.TBToolbar3, nullptr);
    EXPECT_TRUE(h.form.TBToolbar3->actions().contains(h.form.acZoomIn));
    EXPECT_TRUE(h.form.TBToolbar3->actions().contains(h.form.acZoomAuto));
    EXPECT_EQ(h.form.acZoomIn->text(), QStringLiteral("ズームイン(&I)"));
    EXPECT_EQ(h.form.acZoom100->text(), QStringLiteral("等倍"));
    EXPECT_EQ(h.form.acZoom100->statusTip(), QStringLiteral("等倍表示"));
    EXPECT_EQ(h.form.acZoom100->shortcut(), QKeySequence(Qt::Key_F10));
    EXPECT_EQ(h.form.acZoomIn->shortcut(), QKeySequence(Qt::KeypadModifier | Qt::Key_Plus));
    EXPECT_EQ(h.form.acZoomOut->shortcut(), QKeySequence(Qt::KeypadModifier | Qt::Key_Minus));
}

TEST(MainFormView, ZoomStepsAndFitToWindow)
{
    Harness h;
    h.form.pxImage1->SetBitmap(PatternBitmap(3000, 2000, 24));
    h.form.acZoomIn->trigger();
    EXPECT_EQ(h.form.pxImage1->Zoom(), 150);
    h.form.acZoomOut->trigger();
    h.form.acZoomOut->trigger();
    EXPECT_EQ(h.form.pxImage1->Zoom(), 75);
    h.form.acZoom100->trigger();
    EXPECT_EQ(h.form.pxImage1->Zoom(), 100);

    h.form.acZoomAuto->trigger();
    EXPECT_TRUE(h.form.acZoomAuto->isChecked());
    EXPECT_TRUE(h.form.pxImage1->AutoStretch());
    EXPECT_LT(h.form.pxImage1->Zoom(), 100);
    EXPECT_FALSE(h.form.acZoomIn->isEnabled());
    EXPECT_FALSE(h.form.acZoom100->isEnabled());
    h.form.acZoomAuto->trigger();
    EXPECT_FALSE(h.form.pxImage1->AutoStretch());
    EXPECT_TRUE(h.form.acZoomIn->isEnabled());
    EXPECT_TRUE(h.form.acZoomOut->isEnabled());
}

TEST(MainFormView, PresetsSetTheirZoom)
{
    Harness h;
    h.form.pxImage1->SetBitmap(PatternBitmap(30, 20, 24));
    QList<QAction*> presets = h.form.ZoomPresetMenu->actions();
    ASSERT_EQ(presets.size(), 13);
    EXPECT_EQ(presets[4], h.form.acZoom100);
    EXPECT_EQ(presets[12]->text(), QStringLiteral("2000"));
    presets[12]->trigger();
    EXPECT_EQ(h.form.pxImage1->Zoom(), 2000);
    presets[1]->trigger();
    EXPECT_EQ(h.form.pxImage1->Zoom(), 33);
}

TEST(MainFormView, KeypadPlusMinusAndF10ReachTheZoom)
{
    Harness h;
    h.form.pxImage1->SetBitmap(PatternBitmap(300, 200, 24));
    h.form.show();
    h.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.form));
    h.form.pxImage1->setFocus();
    QTest::keyClick(h.form.pxImage1->viewport(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(h.form.pxImage1->Zoom(), 150);
    QTest::keyClick(h.form.pxImage1->viewport(), Qt::Key_Minus, Qt::KeypadModifier);
    QTest::keyClick(h.form.pxImage1->viewport(), Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(h.form.pxImage1->Zoom(), 75);
    QTest::keyClick(h.form.pxImage1->viewport(), Qt::Key_F10);
    EXPECT_EQ(h.form.pxImage1->Zoom(), 100);
}
