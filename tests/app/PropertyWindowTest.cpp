#include "MainWindowHarness.h"
#include "ScopedConfigDir.h"
#include "app/controls/NumericEdit.h"
#include "app/mainform/MainForm.h"
#include "app/property/FrameBrush.h"
#include "app/property/FramePaint.h"
#include "app/property/FramePen.h"
#include "app/property/RollUpPosition.h"
#include "app/property/RollUpWindow.h"
#include "app/settings/IniFile.h"
#include "app/settings/ProgramDirectory.h"
#include "app/settings/Settings.h"
#include "canvas/PxImage.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include <fstream>

using namespace kalvo;
using namespace kalvo::test;

namespace {

void writeSettings(const std::string& text)
{
    std::ofstream(SettingsFileName().toStdString(), std::ios::binary) << text;
}

template <class Panel>
Panel* panelOf(TKalvoMainForm& form)
{
    return dynamic_cast<Panel*>(form.PropertyForm()->Panel());
}

} // namespace

TEST(PropertyWindow, RollsUpAfterLeavingUnlessPinnedOrActive)
{
    ScopedConfigDir config;
    Harness h;
    TKVfrmRollUp& w = *h.form.PropertyForm();
    bool active = false;
    w.CursorPos = [] { return QPoint(-1000, -1000); };
    w.IsActive = [&] { return active; };
    w.SetPinned(false);
    w.MouseEntered();
    EXPECT_FALSE(w.TimerRunning());
    w.MouseLeft();
    ASSERT_TRUE(w.TimerRunning());
    active = true; // the active window stays open and the timer keeps running
    w.TimerTimer();
    EXPECT_FALSE(w.RolledUp());
    EXPECT_TRUE(w.TimerRunning());
    active = false;
    w.TimerTimer();
    EXPECT_TRUE(w.RolledUp());
    EXPECT_EQ(w.height(), TKVfrmRollUp::kTitleHeight);
    EXPECT_FALSE(w.TimerRunning());
    w.MouseEntered();
    EXPECT_FALSE(w.RolledUp());

    // Pinned: leaving stops the timer, the window stays open.
    w.SetPinned(true);
    w.MouseLeft();
    EXPECT_FALSE(w.TimerRunning());
    w.TimerTimer();
    EXPECT_FALSE(w.RolledUp());

    // Leaving into a child control is no leaving.
    w.SetPinned(false);
    w.CursorPos = [&] { return w.frameGeometry().center(); };
    w.MouseEntered();
    w.MouseLeft();
    EXPECT_FALSE(w.TimerRunning());
}

TEST(PropertyWindow, PositionKeptInsideTheWorkArea)
{
    const QRect work(0, 30, 1280, 770);
    const QSize size(164, 208);
    EXPECT_EQ(KeepInWorkArea({-50, 10}, size, work), QPoint(0, 30));
    EXPECT_EQ(KeepInWorkArea({1200, 700}, size, work), QPoint(1280 - 164, 800 - 208));
    EXPECT_EQ(KeepInWorkArea({100, 100}, size, work), QPoint(100, 100));
}

TEST(PropertyWindow, PositionAndPinStoredInTheSettings)
{
    ScopedConfigDir config;
    {
        writeSettings("[PROPERTY_FORM]\r\nLeft=-400\r\nTop=77\r\nFullSize=0\r\n");
        Harness h;
        TKVfrmRollUp& w = *h.form.PropertyForm();
        w.LoadPosition();
        EXPECT_EQ(w.x(), w.screen()->availableGeometry().left());
        EXPECT_EQ(w.y(), std::max(77, w.screen()->availableGeometry().top()));
        EXPECT_FALSE(w.Pinned());
        w.SetPinned(true);
        w.move(120, 140);
    }
    EXPECT_EQ(ReadIniInteger(QStringLiteral("PROPERTY_FORM"), QStringLiteral("Left"), 0), 120);
    EXPECT_EQ(ReadIniInteger(QStringLiteral("PROPERTY_FORM"), QStringLiteral("Top"), 0), 140);
    EXPECT_TRUE(ReadIniBool(QStringLiteral("PROPERTY_FORM"), QStringLiteral("FullSize"), false));
}

TEST(PropertyWindow, DefaultPositionInsideTheCanvasCorner)
{
    ScopedConfigDir config;
    Harness h;
    h.form.resize(900, 700);
    h.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.form));
    TKVfrmRollUp& w = *h.form.PropertyForm();
    w.LoadPosition();
    const QPoint canvas = h.form.Canvas()->mapToGlobal(QPoint(0, 0));
    const QRect work = w.screen()->availableGeometry();
    const QPoint expected = KeepInWorkArea({canvas.x() + h.form.Canvas()->width() - w.width() - 40, canvas.y() + 80},
                                           QSize(w.width(), w.FullHeight), work);
    EXPECT_EQ(w.pos(), expected);
}

TEST(PropertyWindow, PanelFollowsTheMouseMode)
{
    ScopedConfigDir config;
    Harness h;
    TpxImage& canvas = *h.form.Canvas();
    EXPECT_EQ(h.form.PropertyForm()->PageCaption(), QStringLiteral("なし"));
    canvas.SetMouseMode(mmSelectMagicWand);
    EXPECT_EQ(h.form.PropertyForm()->PageCaption(), QStringLiteral("色域選択"));
    canvas.SetMouseMode(mmPenLine);
    EXPECT_EQ(h.form.PropertyForm()->PageCaption(), QStringLiteral("ペン"));
    TKVFrameBase* pen = h.form.PropertyForm()->Panel();
    canvas.SetMouseMode(mmPenFreehand); // the same panel serves both pens
    EXPECT_EQ(h.form.PropertyForm()->Panel(), pen);
    canvas.SetMouseMode(mmMerge);
    EXPECT_EQ(h.form.PropertyForm()->PageCaption(), QStringLiteral("合成"));
    canvas.SetMouseMode(mmNeko);
    EXPECT_EQ(h.form.PropertyForm()->PageCaption(), QStringLiteral("なし"));
    EXPECT_EQ(h.form.PropertyForm()->Panel(), nullptr);
}

TEST(PropertyWindow, PaintPanelCopiesItsToleranceIntoTheMagicWand)
{
    ScopedConfigDir config;
    writeSettings("[SETTINGS]\r\nMagicWandTolerance=30\r\nPaintTolerance=0\r\n");
    Harness h;
    TpxImage& canvas = *h.form.Canvas();
    canvas.SetMouseMode(mmSelectMagicWand);
    EXPECT_EQ(canvas.ToolSettings().MagicWandTolerance, 30);
    canvas.SetMouseMode(mmPaint);
    EXPECT_EQ(canvas.ToolSettings().MagicWandTolerance, 0); // even though the text is unchanged
    auto* paint = panelOf<TKVFramePaint>(h.form);
    ASSERT_NE(paint, nullptr);
    paint->edtTolerance->SetValue(250); // limited to 200
    EXPECT_EQ(canvas.ToolSettings().PaintTolerance, 200);
    EXPECT_EQ(canvas.ToolSettings().MagicWandTolerance, 200);
    paint->edtAlphaChannel->SetValue(40);
    EXPECT_EQ(canvas.ToolSettings().PaintAlphaChannel, 40);
}

TEST(PropertyWindow, BuildingTheBrushPanelLimitsTheStoredSize)
{
    ScopedConfigDir config;
    Harness h;
    TToolSettings t = h.form.Canvas()->ToolSettings();
    t.BrushSize = 150;
    h.form.Canvas()->SetToolSettings(t);
    h.form.Canvas()->SetMouseMode(mmBrush);
    EXPECT_EQ(h.form.Canvas()->ToolSettings().BrushSize, 100);
}

TEST(PropertyWindow, EightBitImageDisablesTheFullColourControls)
{
    ScopedConfigDir config;
    Harness h;
    TpxImage& canvas = *h.form.Canvas();
    canvas.SetBitmap(TBitmap(20, 20, 8));
    h.form.UpdateImageActions();
    canvas.SetMouseMode(mmPenFreehand);
    auto* pen = panelOf<TKVFramePen>(h.form);
    ASSERT_NE(pen, nullptr);
    EXPECT_FALSE(pen->CheckBox1->isEnabled());
    EXPECT_FALSE(pen->edtAlphaChannel->isEnabled());
    EXPECT_FALSE(pen->lblAlphaChannel->isEnabled());

    canvas.SetMouseMode(mmBrush);
    auto* brush = panelOf<TKVFrameBrush>(h.form);
    ASSERT_NE(brush, nullptr);
    EXPECT_FALSE(brush->edtBrushHardness->isEnabled());
    EXPECT_FALSE(brush->Label2->isEnabled());
    brush->edtBrushHardness->SetValue(0);
    brush->edtBrushSize->SetValue(20);
    // Hardness 100 at 8 bits: the whole round tip is full strength, black on white.
    const QImage preview = brush->PreviewImage();
    EXPECT_EQ(preview.pixel(25, 25), qRgb(0, 0, 0));
    EXPECT_EQ(preview.pixel(16, 25), qRgb(0, 0, 0));
    EXPECT_EQ(preview.pixel(2, 2), qRgb(255, 255, 255));

    canvas.SetBitmap(TBitmap(20, 20, 24));
    h.form.UpdateImageActions();
    EXPECT_TRUE(brush->edtBrushHardness->isEnabled());
    // Hardness 0 at 24 bits: the rim of the tip fades.
    EXPECT_GT(qRed(brush->PreviewImage().pixel(16, 25)), 0);

    canvas.SetBitmap(TBitmap(20, 20, 8));
    h.form.UpdateImageActions();
    canvas.SetMouseMode(mmMerge);
    auto* merge = dynamic_cast<TKVFrameBase*>(h.form.PropertyForm()->Panel());
    ASSERT_NE(merge, nullptr);
    const auto labels = merge->findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_TRUE(labels.front()->isEnabled());
    EXPECT_FALSE(merge->findChild<TpxNumericEdit*>()->isEnabled());
}

TEST(PropertyWindow, LargeBrushCentredAndClippedInThePreview)
{
    ScopedConfigDir config;
    Harness h;
    h.form.Canvas()->SetBitmap(TBitmap(20, 20, 24));
    h.form.Canvas()->SetMouseMode(mmBrush);
    auto* brush = panelOf<TKVFrameBrush>(h.form);
    ASSERT_NE(brush, nullptr);
    brush->edtBrushHardness->SetValue(100);
    brush->ComboBox1->setCurrentIndex(1);
    emit brush->ComboBox1->activated(1); // square tip
    EXPECT_EQ(h.form.Canvas()->ToolSettings().BrushStyle, TpxBrushStyle::pxsSquare);
    brush->edtBrushSize->SetValue(100);
    // A 100-pixel square tip covers the whole 50 x 50 box: every pixel black.
    const QImage preview = brush->PreviewImage();
    ASSERT_EQ(preview.size(), QSize(50, 50));
    for (QPoint p : {QPoint(0, 0), QPoint(49, 49), QPoint(0, 49), QPoint(25, 25)})
        EXPECT_EQ(preview.pixel(p), qRgb(0, 0, 0)) << p.x() << "," << p.y();
}

TEST(PropertyWindow, StraightLineChoiceSwitchesThePen)
{
    ScopedConfigDir config;
    Harness h;
    h.form.Canvas()->SetBitmap(TBitmap(20, 20, 24));
    h.form.UpdateImageActions();
    h.form.Canvas()->SetMouseMode(mmPenFreehand);
    auto* pen = panelOf<TKVFramePen>(h.form);
    ASSERT_NE(pen, nullptr);
    EXPECT_EQ(pen->ComboBox1->currentIndex(), 0);
    pen->ComboBox1->setCurrentIndex(1);
    emit pen->ComboBox1->activated(1);
    EXPECT_EQ(h.form.Canvas()->MouseMode(), mmPenLine);
    EXPECT_EQ(Internals(h.form).FPenMode, int(mmPenLine));
    pen->CheckBox1->click();
    EXPECT_TRUE(h.form.Canvas()->ToolSettings().PenAntiAlias);
}

TEST(PropertyWindow, ValuesReachTheSettingsFile)
{
    ScopedConfigDir config;
    {
        Harness h;
        h.form.Canvas()->SetMouseMode(mmBrush);
        auto* brush = panelOf<TKVFrameBrush>(h.form);
        ASSERT_NE(brush, nullptr);
        brush->edtBrushStep->SetValue(55);
        brush->ComboBox1->setCurrentIndex(4);
        emit brush->ComboBox1->activated(4);
        h.form.Canvas()->SetMouseMode(mmMerge);
        h.form.PropertyForm()->Panel()->findChild<TpxNumericEdit*>()->SetValue(35);
    }
    EXPECT_EQ(ReadIniInteger(QStringLiteral("SETTINGS"), QStringLiteral("BrushStep"), 0), 55);
    EXPECT_EQ(ReadIniInteger(QStringLiteral("SETTINGS"), QStringLiteral("BrushStyle"), 0), 4);
    EXPECT_EQ(ReadIniInteger(QStringLiteral("SETTINGS"), QStringLiteral("MergeAlphaChannel"), 0), 35);
    Harness again;
    EXPECT_EQ(again.form.Canvas()->ToolSettings().BrushStyle, TpxBrushStyle::pxsHorz);
}

TEST(PropertyWindow, ShowPropertyActionFollowsTheWindow)
{
    ScopedConfigDir config;
    Harness h;
    h.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.form));
    TKVfrmRollUp& w = *h.form.PropertyForm();
    EXPECT_TRUE(w.isVisible()); // "ShowProperty" defaults to true
    EXPECT_TRUE(h.form.Action("acShowProperty")->isChecked());
    w.CloseButton->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(h.form.Action("acShowProperty")->isChecked());
    h.form.Action("acShowProperty")->trigger();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(h.form.Action("acShowProperty")->isChecked());
}

TEST(PropertyWindow, ShownAtQuitIsShownAtTheNextStartAndHiddenStaysHidden)
{
    ScopedConfigDir config;
    for (const bool shown : {true, false}) {
        SCOPED_TRACE(shown);
        {
            Harness h;
            h.form.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.form));
            ASSERT_TRUE(h.form.PropertyForm()->isVisible());
            if (!shown)
                h.form.Action("acShowProperty")->trigger();
            ASSERT_TRUE(h.form.close());
        }
        EXPECT_EQ(
            TIniFile(SettingsFileName()).ReadString(QStringLiteral("Settings"), QStringLiteral("ShowProperty"), {}),
            shown ? QStringLiteral("1") : QStringLiteral("0"));
        Harness again;
        again.form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&again.form));
        EXPECT_EQ(again.form.PropertyForm()->isVisible(), shown);
        EXPECT_EQ(again.form.Action("acShowProperty")->isChecked(), shown);
        if (!shown)
            again.form.Action("acShowProperty")->trigger(); // shown again for the next round
    }
}
