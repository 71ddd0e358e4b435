#include "MainWindowHarness.h"
#include "ScopedConfigDir.h"
#include "app/commands/ActionHint.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace kalvo;
using namespace kalvo::test;

namespace {

// A menu's entries: action names, "-" for separators, "[caption" for submenus.
QStringList entriesOf(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions()) {
        if (!a->isVisible())
            continue;
        if (a->isSeparator())
            out << QStringLiteral("-");
        else if (a->menu())
            out << "[" + a->text();
        else
            out << a->objectName();
    }
    return out;
}

QStringList visibleMenuCaptions(TKalvoMainForm& form)
{
    QStringList out;
    for (const QAction* a : form.menuBar()->actions())
        if (a->isVisible())
            out << a->text();
    return out;
}

} // namespace

TEST(ActionHint, TwoPartHintsSplitIntoToolTipAndStatusTip)
{
    EXPECT_EQ(PlainCaption(QStringLiteral("開く(&O)...")), QStringLiteral("開く"));
    EXPECT_EQ(PlainCaption(QStringLiteral("プロパティウィンドウ（&P)")), QStringLiteral("プロパティウィンドウ"));
    EXPECT_EQ(PlainCaption(QStringLiteral("&Save && Quit")), QStringLiteral("Save & Quit"));
    const THintParts two = SplitHint(QStringLiteral("クリア(&L)"),
                                     QStringLiteral("クリア|選択範囲の中を背景色でクリアします"));
    EXPECT_EQ(two.toolTip, QStringLiteral("クリア"));
    EXPECT_EQ(two.statusTip, QStringLiteral("選択範囲の中を背景色でクリアします"));
    const THintParts one = SplitHint(QStringLiteral("等倍"), QStringLiteral("等倍表示"));
    EXPECT_EQ(one.toolTip, QStringLiteral("等倍表示"));
    EXPECT_EQ(one.statusTip, QStringLiteral("等倍表示"));
    const THintParts none = SplitHint(QStringLiteral("ペン"), QString());
    EXPECT_EQ(none.toolTip, QStringLiteral("ペン"));
    EXPECT_TRUE(none.statusTip.isEmpty());
}

TEST(MainFormMenus, FileViewAndImageMenusHoldTheirCommandsInOrder)
{
    ScopedConfigDir dir;
    Harness h;
    const QStringList captions = visibleMenuCaptions(h.form);
    ASSERT_GE(captions.size(), 4);
    EXPECT_EQ(captions.mid(0, 2), QStringList({QStringLiteral("ファイル(&F)"), QStringLiteral("編集(&E)")}));
    EXPECT_EQ(captions.at(2), QStringLiteral("表示(&V)"));
    EXPECT_EQ(captions.at(3), QStringLiteral("イメージ(&I)"));

    EXPECT_EQ(entriesOf(h.form.Menu("FileMenu")),
              QStringList({"acNewImage", "acOpen", "-", "acSaveOption", "acSaveAs", "acSave", "-",
                           QStringLiteral("[最近使ったファイル(&M)"), "-", "acClose"}));
    EXPECT_EQ(h.form.Menu("RecentMenu")->parent(), h.form.Menu("FileMenu"));
    EXPECT_EQ(entriesOf(h.form.Menu("ViewMenu")),
              QStringList(
                  {QStringLiteral("[ツールバー(&T)"), "acShowProperty", "acViewStatusBar", "-", "acViewMaximumSize"}));
    QStringList toggles;
    for (const QAction* a : h.form.Menu("ToolBarMenu")->actions())
        toggles << a->text();
    EXPECT_EQ(toggles,
              QStringList({QStringLiteral("基本"), QStringLiteral("ズーム"), QStringLiteral("マウスモード"),
                           QStringLiteral("前景色/背景色"), QStringLiteral("適用"), QStringLiteral("前背景色"),
                           QStringLiteral("色")}));
    EXPECT_EQ(entriesOf(h.form.Menu("EditMenu")).mid(0, 3), QStringList({"acUndo", "acRedo", "-"}));
    EXPECT_TRUE(entriesOf(h.form.Menu("ImageMenu")).contains("acLoassLessJpeg"));
    EXPECT_EQ(entriesOf(h.form.Menu("ColorMenu")).mid(0, 3),
              QStringList({"acSelectForegroundColor", "acSelectBackgroundColor", "acSwapFBColors"}));
}

TEST(MainFormMenus, ActionsCarryNamesShortcutsAndExplicitTips)
{
    ScopedConfigDir dir;
    Harness h;
    EXPECT_EQ(h.form.ActionByName("acOpen"), h.form.Action("acOpen"));
    EXPECT_EQ(h.form.ActionByName("acUndo"), h.form.Action("acUndo"));
    EXPECT_EQ(h.form.ActionByName("acNoSuchAction"), nullptr);
    EXPECT_EQ(h.form.Action("acOpen")->toolTip(), QStringLiteral("ファイルを開く"));
    EXPECT_EQ(h.form.Action("acOpen")->statusTip(), QStringLiteral("ファイルを開く"));
    // No hint: the plain caption as tool tip, no status text.
    EXPECT_EQ(h.form.Action("acSaveOption")->toolTip(), QStringLiteral("保存オプション"));
    EXPECT_TRUE(h.form.Action("acSaveOption")->statusTip().isEmpty());
    EXPECT_EQ(h.form.Action("acLoassLessJpeg")->toolTip(), QStringLiteral("JPEG ロスレス回転"));
    EXPECT_EQ(h.form.Action("acLoassLessJpeg")->statusTip(),
              QStringLiteral("画質を劣化させないでJPEG画像を回転させます"));
    EXPECT_EQ(h.form.Action("acClear")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Delete));
    EXPECT_EQ(h.form.Action("acClear")->toolTip(), QStringLiteral("クリア"));
    EXPECT_EQ(h.form.Action("acClear")->statusTip(), QStringLiteral("選択範囲の中を背景色でクリアします"));
    EXPECT_EQ(h.form.Action("acSwapFBColors")->shortcut(), QKeySequence(Qt::Key_F4));
    EXPECT_EQ(h.form.Action("acViewMaximumSize")->shortcut(), QKeySequence(Qt::Key_F11));
    EXPECT_TRUE(h.form.Action("acViewMaximumSize")->isCheckable());
    // Every command of the window has its name, and no two share one.
    QStringList names;
    for (const QAction* a : h.form.findChildren<QAction*>())
        if (a->objectName().startsWith(QLatin1String("ac")))
            names << a->objectName();
    EXPECT_EQ(names.size(), QSet<QString>(names.begin(), names.end()).size());
    EXPECT_TRUE(names.contains("acZoomAuto"));
}

TEST(MainFormMenus, ApplyCancelPopupFollowsItsActions)
{
    ScopedConfigDir dir;
    Harness h;
    ASSERT_NE(h.form.Menu("ApplyCancelMenu"), nullptr);
    const QList<QAction*> items = h.form.Menu("ApplyCancelMenu")->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), QStringLiteral("適用(&A)"));
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2]->text(), QStringLiteral("キャンセル(&C)"));
    if (QAction* apply = h.form.ActionByName("acApply")) {
        apply->setEnabled(false);
        EXPECT_FALSE(items[0]->isEnabled());
        apply->setEnabled(true);
        EXPECT_TRUE(items[0]->isEnabled());
    } else {
        EXPECT_FALSE(items[0]->isEnabled());
    }
}

TEST(MainFormMenus, CanvasPopupByModeOpensOnTheRightButtonsRelease)
{
    ScopedConfigDir dir;
    Harness h;
    h.form.resize(800, 600);
    h.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.form));
    h.form.Canvas()->SetBitmap(PatternBitmap(300, 200, 24));
    const std::pair<TMouseMode, QMenu*> expected[] = {
        {mmNeko, h.form.Menu("MouseModeMenu")},
        {mmSelectRegion, nullptr},
        {mmSelectRect, h.form.Menu("MouseModeMenu")},
        {mmSelectMagicWand, h.form.Menu("MouseModeMenu")},
        {mmZoom, nullptr},
        {mmMoveRegion, h.form.Menu("MouseModeMenu")},
        {mmMoveSelectArea, h.form.Menu("ApplyCancelMenu")},
        {mmPaint, nullptr},
        {mmSpoit, nullptr},
        {mmMerge, h.form.Menu("ApplyCancelMenu")},
        {mmPenFreehand, h.form.Menu("MouseModeMenu")},
        {mmBrush, h.form.Menu("MouseModeMenu")},
    };
    for (const auto& [mode, menu] : expected) {
        h.form.Canvas()->SetMouseMode(mode);
        EXPECT_EQ(h.form.CanvasPopupMenu(), menu) << int(mode);
    }
    // A right release in the Apply/Cancel modes opens that popup; a left release opens nothing.
    h.form.Canvas()->SetMouseMode(mmMerge);
    QWidget* view = h.form.Canvas()->viewport();
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_FALSE(h.form.Menu("ApplyCancelMenu")->isVisible());
    QTest::mousePress(view, Qt::RightButton, {}, QPoint(50, 50));
    QTest::mouseRelease(view, Qt::RightButton, {}, QPoint(50, 50));
    EXPECT_TRUE(WaitFor([&] { return h.form.Menu("ApplyCancelMenu")->isVisible(); }));
    h.form.Menu("ApplyCancelMenu")->close();
    h.form.Canvas()->SetMouseMode(mmNeko);
}

namespace {

// The letters that more than one visible item of menu (or of a menu below it) carries, as
// "menu:letter".
QStringList sharedMnemonics(const QMenu* menu)
{
    QStringList out;
    QMap<QChar, int> count;
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        const QKeySequence m = QKeySequence::mnemonic(a->text());
        if (!m.isEmpty() && ++count[QChar(char16_t(m[0].toCombined() & 0xffff))] == 2)
            out << menu->objectName() + ":" + QChar(char16_t(m[0].toCombined() & 0xffff));
        if (a->menu())
            out << sharedMnemonics(a->menu());
    }
    return out;
}

} // namespace

TEST(MainFormMenus, ALetterSharedByTwoItemsReachesTheEnabledOnes)
{
    ScopedConfigDir dir;
    Harness h;
    h.form.Canvas()->SetBitmap(PatternBitmap(20, 20, 24));
    h.form.UpdateImageActions();
    h.form.show();
    h.form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.form));
    // The only letter that two items of one menu share; the captions are kept.
    QStringList shared;
    for (const QAction* a : h.form.menuBar()->actions())
        if (a->menu())
            shared << sharedMnemonics(a->menu());
    for (const QMenu* popup : {h.form.Menu("ApplyCancelMenu"), h.form.Menu("ZoomPresetMenu")})
        shared << sharedMnemonics(popup);
    EXPECT_EQ(shared, QStringList({"EditMenu:M"}));

    QMenu* edit = h.form.Menu("EditMenu");
    const auto open = [&] {
        edit->popup(h.form.mapToGlobal(QPoint(20, 20)));
        return QTest::qWaitForWindowExposed(edit);
    };
    // Merge paste disabled: M opens the mouse-mode submenu, where P chooses the fill.
    h.form.Action("acMergePaste")->setEnabled(false);
    ASSERT_TRUE(open());
    QTest::keyClick(edit, Qt::Key_M);
    ASSERT_TRUE(WaitFor([&] { return h.form.Menu("MouseModeMenu")->isVisible(); }));
    QTest::keyClick(h.form.Menu("MouseModeMenu"), Qt::Key_P);
    EXPECT_EQ(h.form.Canvas()->MouseMode(), mmPaint);
    EXPECT_TRUE(WaitFor([&] { return !edit->isVisible(); }));

    // Both enabled: M highlights them in turn, Enter opens the submenu.
    h.form.Action("acMergePaste")->setEnabled(true);
    ASSERT_TRUE(open());
    QTest::keyClick(edit, Qt::Key_M);
    EXPECT_EQ(edit->activeAction(), h.form.Action("acMergePaste"));
    QTest::keyClick(edit, Qt::Key_M);
    EXPECT_EQ(edit->activeAction(), h.form.Menu("MouseModeMenu")->menuAction());
    EXPECT_FALSE(h.form.Menu("MouseModeMenu")->isVisible());
    QTest::keyClick(edit, Qt::Key_M);
    EXPECT_EQ(edit->activeAction(), h.form.Action("acMergePaste"));
    QTest::keyClick(edit, Qt::Key_M);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(WaitFor([&] { return h.form.Menu("MouseModeMenu")->isVisible(); }));
    edit->close();
}
