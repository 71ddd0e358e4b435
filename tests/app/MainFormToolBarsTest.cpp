#include "MainWindowHarness.h"
#include "ScopedConfigDir.h"
#include "app/controls/NumericEdit.h"
#include "app/mainform/MainForm.h"
#include "app/settings/IniFile.h"
#include "app/settings/IniText.h"
#include "canvas/PxImage.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace kalvo;
using namespace kalvo::test;

namespace {

QStringList namesOn(const QToolBar* bar)
{
    QStringList out;
    for (const QAction* a : bar->actions()) {
        if (a->isSeparator())
            out << "-";
        else if (!a->objectName().isEmpty())
            out << a->objectName();
        else if (auto* w = bar->widgetForAction(const_cast<QAction*>(a)))
            out << "@" + w->objectName();
    }
    return out;
}

void typeIntoZoomEdit(TKalvoMainForm& form, const QString& text)
{
    Internals(form).edtZoom->setFocus();
    ASSERT_TRUE(WaitFor([&] { return Internals(form).edtZoom->hasFocus(); }));
    Internals(form).edtZoom->selectAll();
    if (text.isEmpty())
        QTest::keyClick(Internals(form).edtZoom, Qt::Key_Delete);
    else
        QTest::keyClicks(Internals(form).edtZoom, text);
}

struct ShownHarness : Harness {
    ShownHarness()
    {
        form.resize(900, 700);
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }
};

} // namespace

TEST(MainFormToolBars, BarsHoldTheirCommandsInOrderWithIconsAndTips)
{
    ScopedConfigDir dir;
    Harness h;
    ASSERT_NE(h.form.ToolBar("TBToolbar4"), nullptr);
    EXPECT_EQ(h.form.ToolBar("TBToolbar4")->windowTitle(), QStringLiteral("基本"));
    EXPECT_EQ(h.form.ToolBar("TBToolbar3")->windowTitle(), QStringLiteral("ズーム"));
    EXPECT_EQ(h.form.ToolBar("TBToolbar5")->windowTitle(), QStringLiteral("適用"));
    EXPECT_EQ(h.form.ToolBar("TBToolbar2")->windowTitle(), QStringLiteral("マウスモード"));
    EXPECT_EQ(h.form.toolBarArea(h.form.ToolBar("TBToolbar2")), Qt::LeftToolBarArea);
    EXPECT_EQ(h.form.dockWidgetArea(h.form.ToolWindow("TBColorWindow")), Qt::RightDockWidgetArea);
    EXPECT_EQ(h.form.ToolWindow("TBColorWindow")->windowTitle(), QStringLiteral("前背景色"));
    EXPECT_EQ(h.form.ToolWindow("TBToolWindow1")->windowTitle(), QStringLiteral("色"));

    // Every basic command that exists, in its place; the separators between the groups.
    QStringList basic = namesOn(h.form.ToolBar("TBToolbar4"));
    EXPECT_EQ(basic.mid(0, 6), QStringList({"acClose", "-", "acNewImage", "acOpen", "acSave", "-"}));
    EXPECT_EQ(basic.mid(basic.size() - 2), QStringList({"acUndo", "acRedo"}));
    EXPECT_EQ(namesOn(h.form.ToolBar("TBToolbar3")),
              QStringList({"acZoomIn", "@edtZoom", "acZoomMenu", "acZoom100", "acZoomAuto", "acZoomOut"}));

    for (QToolBar* bar : {h.form.ToolBar("TBToolbar4"), h.form.ToolBar("TBToolbar3"), h.form.ToolBar("TBToolbar2"),
                          h.form.ToolBar("TBToolbar5")})
        for (QAction* a : bar->actions()) {
            if (a->isSeparator() || a->objectName().isEmpty())
                continue;
            SCOPED_TRACE(a->objectName().toStdString());
            EXPECT_FALSE(a->icon().isNull());
            EXPECT_FALSE(a->icon().pixmap(16, 16).isNull());
            EXPECT_FALSE(a->icon().pixmap(32, 32).isNull());
            auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a));
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
        }
    // A mode button's tip is its hint: the caption without accelerator.
    for (const auto& [name, tip] : {std::pair{"acSpoit", "色抽出"}, std::pair{"acMoveRegion", "選択枠の移動"},
                                    std::pair{"acMoveSelectArea", "選択領域の移動"}, std::pair{"acPaint", "ペイント"},
                                    std::pair{"acSelectRect", "四角形選択"}, std::pair{"acPen", "ペン"}}) {
        QWidget* button = h.form.ToolBar("TBToolbar2")->widgetForAction(h.form.Action(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(tip));
    }
    auto* open = qobject_cast<QToolButton*>(h.form.ToolBar("TBToolbar4")->widgetForAction(h.form.Action("acOpen")));
    EXPECT_EQ(open->toolTip(), QStringLiteral("ファイルを開く"));
    EXPECT_EQ(h.form.Action("acZoomAuto")->toolTip(), QStringLiteral("ウィンドウの大きさに合わせる"));
    EXPECT_TRUE(h.form.Action("acZoomAuto")->isCheckable());
    EXPECT_EQ(Internals(h.form).edtZoom->toolTip(), QStringLiteral("表示倍率 10～3000(%)"));
    // The preset menu drops down from its button.
    auto* presets = qobject_cast<QToolButton*>(
        h.form.ToolBar("TBToolbar3")->widgetForAction(h.form.Action("acZoomMenu")));
    ASSERT_NE(presets, nullptr);
    EXPECT_EQ(presets->menu(), h.form.Menu("ZoomPresetMenu"));

    // Two mode buttons carry a caption of their own; their menu items keep the action's caption.
    for (const auto& [name, caption, menuCaption] :
         {std::tuple{"acSpoit", "スポイト", "色抽出(&P)"},
          std::tuple{"acMoveSelectArea", "選択領域の移動/コピー", "選択領域の移動(&A)"}}) {
        QAction* action = h.form.ActionByName(QLatin1String(name));
        ASSERT_NE(action, nullptr);
        auto* button = qobject_cast<QToolButton*>(h.form.ToolBar("TBToolbar2")->widgetForAction(action));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromUtf8(caption));
        EXPECT_EQ(action->text(), QString::fromUtf8(menuCaption));
        action->setEnabled(!action->isEnabled()); // a changed action keeps its button caption
        EXPECT_EQ(button->text(), QString::fromUtf8(caption));
    }
}

TEST(MainFormToolBars, StatusBarShowsTheLongHintOfWhatThePointerIsOver)
{
    ScopedConfigDir dir;
    ShownHarness h;
    h.form.Action("acLoassLessJpeg")->setEnabled(true);
    QMenu* menu = h.form.Menu("ImageMenu");
    menu->popup(h.form.mapToGlobal(QPoint(20, 20)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QTest::mouseMove(menu, menu->actionGeometry(h.form.Action("acLoassLessJpeg")).center());
    EXPECT_TRUE(WaitFor([&] { return !h.form.statusBar()->currentMessage().isEmpty(); }));
    EXPECT_EQ(h.form.statusBar()->currentMessage(), QStringLiteral("画質を劣化させないでJPEG画像を回転させます"));
    menu->close();
    auto* zoomIn = h.form.ToolBar("TBToolbar3")->widgetForAction(h.form.Action("acZoomIn"));
    QStatusTipEvent tip(zoomIn->statusTip());
    QApplication::sendEvent(zoomIn, &tip);
    EXPECT_EQ(h.form.statusBar()->currentMessage(), QStringLiteral("ズームイン"));
}

TEST(MainFormToolBars, TogglesShowAndHideTheirBarsAndFollowThem)
{
    ScopedConfigDir dir;
    ShownHarness h;
    QAction* basic = h.form.ActionByName("acViewTBToolbar4");
    QAction* colors1 = h.form.ActionByName("acViewTBColorWindow");
    QAction* colors2 = h.form.ActionByName("acViewTBColorWindow2");
    ASSERT_TRUE(basic && colors1 && colors2);
    EXPECT_TRUE(basic->isChecked());
    basic->trigger();
    EXPECT_TRUE(h.form.ToolBar("TBToolbar4")->isHidden());
    EXPECT_FALSE(basic->isChecked());
    basic->trigger();
    EXPECT_FALSE(h.form.ToolBar("TBToolbar4")->isHidden());

    // Both toggles of the colour-box window follow it, also when it is closed by its own button.
    colors2->trigger();
    EXPECT_TRUE(h.form.ToolWindow("TBColorWindow")->isHidden());
    EXPECT_FALSE(colors1->isChecked());
    colors1->trigger();
    EXPECT_TRUE(colors2->isChecked());
    h.form.ToolWindow("TBColorWindow")->close();
    EXPECT_FALSE(colors1->isChecked());
    EXPECT_FALSE(colors2->isChecked());

    h.form.Action("acViewStatusBar")->trigger();
    EXPECT_TRUE(h.form.statusBar()->isHidden());
    h.form.Action("acViewStatusBar")->trigger();
    EXPECT_FALSE(h.form.statusBar()->isHidden());
}

TEST(MainFormToolBars, LayoutFileWrittenAtShutDownRestoresHiddenAndFloatingWindows)
{
    ScopedConfigDir dir;
    QPoint floatedAt;
    {
        ShownHarness h;
        h.form.ToolBar("TBToolbar3")->hide();
        h.form.ToolWindow("TBToolWindow1")->setFloating(true);
        h.form.ToolWindow("TBToolWindow1")->move(130, 170);
        floatedAt = h.form.ToolWindow("TBToolWindow1")->pos();
        h.form.ToolWindow("TBToolWindow1")->hide();
        h.form.Action("acViewStatusBar")->trigger();
    }
    const auto text = TIniFile(dir.qfile("Kalvo2.tlb")).Load();
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->Value("TBToolbar3", "Visible").value_or(""), "0");
    EXPECT_EQ(text->Value("TBToolbar4", "Visible").value_or(""), "1");
    EXPECT_EQ(text->Value("TBToolbar2", "DockedTo").value_or(""), "TBDockLeft");
    EXPECT_EQ(text->Value("TBToolWindow1", "DockedTo").value_or(""), "+");
    EXPECT_EQ(text->Value("TBToolWindow1", "Rev").value_or(""), "2000");
    EXPECT_EQ(text->Value("TBColorWindow", "DockedTo").value_or(""), "TBDockRight");
    EXPECT_EQ(text->Value("TBToolbar1", "DockedTo").value_or(""), "TBDockTop");
    EXPECT_EQ(text->Value("TBToolbar1", "Visible").value_or(""), "1");
    EXPECT_FALSE(text->Value("TBToolWindow1", "ClientWidth").value_or("0").toInt() == 0);

    ShownHarness again;
    EXPECT_TRUE(again.form.ToolBar("TBToolbar3")->isHidden());
    EXPECT_FALSE(again.form.ActionByName("acViewTBToolbar3")->isChecked());
    EXPECT_TRUE(again.form.ActionByName("acViewTBToolbar4")->isChecked());
    EXPECT_TRUE(again.form.ToolWindow("TBToolWindow1")->isHidden());
    EXPECT_TRUE(again.form.ToolWindow("TBToolWindow1")->isFloating());
    EXPECT_EQ(again.form.ToolWindow("TBToolWindow1")->pos(), floatedAt);
    EXPECT_FALSE(again.form.ActionByName("acViewTBToolWindow1")->isChecked());
    EXPECT_FALSE(again.form.ToolWindow("TBColorWindow")->isHidden());
    EXPECT_EQ(again.form.toolBarArea(again.form.ToolBar("TBToolbar2")), Qt::LeftToolBarArea);
    EXPECT_TRUE(again.form.statusBar()->isHidden());
    EXPECT_FALSE(again.form.Action("acViewStatusBar")->isChecked());
}

TEST(MainFormToolBars, ZoomEditTakesTypedValuesOnly)
{
    ScopedConfigDir dir;
    ShownHarness h;
    h.form.Canvas()->SetBitmap(PatternBitmap(200, 100, 24));
    QSignalSpy zooms(h.form.Canvas(), &TpxImage::OnZoomChanged);

    typeIntoZoomEdit(h.form, "250");
    EXPECT_EQ(h.form.Canvas()->Zoom(), 250);
    typeIntoZoomEdit(h.form, "abc");
    EXPECT_EQ(h.form.Canvas()->Zoom(), 250);
    typeIntoZoomEdit(h.form, "");
    EXPECT_EQ(h.form.Canvas()->Zoom(), 250);
    typeIntoZoomEdit(h.form, "5000");
    EXPECT_EQ(h.form.Canvas()->Zoom(), 3000);
    typeIntoZoomEdit(h.form, "0");
    EXPECT_EQ(h.form.Canvas()->Zoom(), 1);

    // Program changes show in the edit without coming back to the canvas.
    h.form.Canvas()->setFocus();
    ASSERT_TRUE(WaitFor([&] { return !Internals(h.form).edtZoom->hasFocus(); }));
    zooms.clear();
    h.form.Menu("ZoomPresetMenu")->actions().at(2)->trigger();
    EXPECT_EQ(h.form.Canvas()->Zoom(), 50);
    EXPECT_EQ(Internals(h.form).edtZoom->text(), "50");
    h.form.Action("acZoomIn")->trigger();
    EXPECT_EQ(Internals(h.form).edtZoom->text(), QString::number(h.form.Canvas()->Zoom()));
    EXPECT_EQ(zooms.count(), 2);

    // Set while the edit has the focus: the edit follows, the canvas hears it once.
    typeIntoZoomEdit(h.form, "400");
    zooms.clear();
    h.form.Action("acZoom100")->trigger();
    EXPECT_EQ(Internals(h.form).edtZoom->text(), "100");
    EXPECT_EQ(h.form.Canvas()->Zoom(), 100);
    EXPECT_EQ(zooms.count(), 1);
}

TEST(MainFormToolBars, EnterInTheZoomEditGivesTheKeyboardBackToTheCanvas)
{
    ScopedConfigDir dir;
    ShownHarness h;
    h.form.Canvas()->SetBitmap(PatternBitmap(2000, 2000, 24));
    typeIntoZoomEdit(h.form, "200");
    QTest::keyClick(Internals(h.form).edtZoom, Qt::Key_Return);
    EXPECT_EQ(h.form.Canvas()->Zoom(), 200);
    ASSERT_TRUE(WaitFor([&] { return h.form.Canvas()->hasFocus(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
    EXPECT_GT(h.form.Canvas()->ScrollY(), 0);
    EXPECT_EQ(Internals(h.form).edtZoom->text(), "200");
}

TEST(MainFormToolBars, FitToWindowDisablesTheZoomControlsAndCapsTheEdit)
{
    ScopedConfigDir dir;
    ShownHarness h;
    h.form.Canvas()->SetBitmap(PatternBitmap(2, 2, 24));
    h.form.Action("acZoomAuto")->trigger();
    EXPECT_TRUE(h.form.Canvas()->AutoStretch());
    for (QAction* a : {h.form.Action("acZoomIn"), h.form.Action("acZoomOut"), h.form.Action("acZoom100"),
                       h.form.Action("acZoomMenu")})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_FALSE(Internals(h.form).edtZoom->isEnabled());
    EXPECT_FALSE(h.form.ToolBar("TBToolbar3")->widgetForAction(h.form.Action("acZoomMenu"))->isEnabled());
    ASSERT_GT(h.form.Canvas()->Zoom(), 3000);
    EXPECT_EQ(Internals(h.form).edtZoom->text(), "3000");
    h.form.Action("acZoomAuto")->trigger();
    EXPECT_TRUE(Internals(h.form).edtZoom->isEnabled());
    EXPECT_TRUE(h.form.Action("acZoomMenu")->isEnabled());
}

TEST(MainFormToolBars, FullScreenTogglesAndComesBack)
{
    ScopedConfigDir dir;
    ShownHarness h;
    h.form.Action("acViewMaximumSize")->trigger();
    EXPECT_TRUE(h.form.Action("acViewMaximumSize")->isChecked());
    EXPECT_TRUE(h.form.windowState() & Qt::WindowFullScreen);
    h.form.Action("acViewMaximumSize")->trigger();
    EXPECT_FALSE(h.form.windowState() & Qt::WindowFullScreen);
    EXPECT_FALSE(h.form.windowState() & Qt::WindowMaximized);
}
