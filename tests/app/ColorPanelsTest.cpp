#include "app/controls/ColorPanels.h"
#include "MainWindowHarness.h"
#include "ScopedConfigDir.h"
#include "app/controls/ColorGrid.h"
#include "app/dialogs/ColorPaletteDialog.h"
#include "app/mainform/ColorChoice.h"
#include "app/mainform/MainForm.h"
#include "app/settings/IniFile.h"
#include "app/settings/IniText.h"
#include "canvas/PxImage.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace kalvo;
using namespace kalvo::test;

namespace {

struct ShownHarness : Harness {
    ShownHarness()
    {
        form.resize(900, 700);
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
};

// An 8-bit image whose palette holds only a few colours.
TBitmap fewColours()
{
    TBitmap b(4, 4, 8);
    std::vector<TColor> palette(256, RGB(0, 0, 0));
    palette[1] = RGB(200, 0, 0);
    palette[2] = RGB(0, 0, 200);
    palette[3] = RGB(255, 255, 255);
    b.setPalette(palette);
    return b;
}

QStringList labels(const TColorChartPanel* p)
{
    return {p->lblR->text(), p->lblG->text(), p->lblB->text()};
}

} // namespace

TEST(ColorPanels, ChartLayoutRunsFromBlackThroughTheHueToWhite)
{
    ScopedConfigDir dir;
    Harness h;
    const TColorChartBox* box = Internals(h.form).ColorChart->pxPaintBox1;
    ASSERT_EQ(box->Chart().width(), 45);
    ASSERT_EQ(box->Chart().height(), 96);
    EXPECT_EQ(box->ChartPixel({0, 0}), int(RGB(0, 0, 0)));
    EXPECT_EQ(box->ChartPixel({44, 50}), int(RGB(255, 255, 255)));
    EXPECT_EQ(box->ChartPixel({22, 0}), int(RGB(255, 0, 0)));  // red at the top
    EXPECT_EQ(box->ChartPixel({22, 32}), int(RGB(0, 255, 0))); // green a third down
    EXPECT_EQ(box->ChartPixel({22, 64}), int(RGB(0, 0, 255))); // blue two thirds down
    EXPECT_EQ(box->ChartPixel({45, 0}), kNoReadout);
}

TEST(ColorPanels, ChartReadoutOnAPaletteImageShowsTheNearestPaletteColour)
{
    ScopedConfigDir dir;
    ShownHarness h;
    h.form.Canvas()->SetBitmap(fewColours());
    TColorChartPanel* chart = Internals(h.form).ColorChart;
    QWidget* box = chart->pxPaintBox1;
    EXPECT_EQ(labels(chart), QStringList({"R:", "G:", "B:"}));

    // Red at the top row, somewhat dark: the nearest entry is (200, 0, 0). (The pointer first
    // goes elsewhere: a move to where it already is sends no event.)
    QTest::mouseMove(box, QPoint(5, 70));
    QTest::mouseMove(box, QPoint(20, 0));
    ASSERT_TRUE(WaitFor([&] { return chart->Readout() != kNoReadout; }));
    EXPECT_EQ(chart->Readout(), int(RGB(200, 0, 0)));
    EXPECT_EQ(labels(chart), QStringList({"R:200", "G:  0", "B:  0"}));

    // A left press takes it as foreground colour; a right press on blue as background.
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(20, 0));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(20, 0));
    EXPECT_EQ(h.form.Canvas()->ForegroundColor(), RGB(200, 0, 0));
    QTest::mousePress(box, Qt::RightButton, {}, QPoint(22, 64));
    QTest::mouseRelease(box, Qt::RightButton, {}, QPoint(22, 64));
    EXPECT_EQ(h.form.Canvas()->BackgroundColor(), RGB(0, 0, 200));

    // The colour boxes show the canvas's display colours.
    EXPECT_EQ(Internals(h.form).ColorBoxes->pxPaintBoxFG->Color(), h.form.Canvas()->DisplayForegroundColor());
    EXPECT_EQ(Internals(h.form).ColorBoxes->pxPaintBoxBG->Color(), RGB(0, 0, 200));
}

TEST(ColorPanels, ChartReadoutOnTrueColourIsTheChartPixelAndLeavingClearsIt)
{
    ScopedConfigDir dir;
    ShownHarness h;
    h.form.Canvas()->SetBitmap(PatternBitmap(4, 4, 24));
    TColorChartPanel* chart = Internals(h.form).ColorChart;
    QTest::mouseMove(chart->pxPaintBox1, QPoint(10, 40));
    ASSERT_TRUE(WaitFor([&] { return chart->Readout() != kNoReadout; }));
    EXPECT_EQ(chart->Readout(), chart->pxPaintBox1->ChartPixel({10, 40}));
    QTest::mouseMove(h.form.Canvas()->viewport(), QPoint(5, 5));
    ASSERT_TRUE(WaitFor([&] { return chart->Readout() == kNoReadout; }));
    EXPECT_EQ(labels(chart), QStringList({"R:", "G:", "B:"}));
}

TEST(ColorPanels, PickerModeReadoutFollowsTheImageAndCrossesOutsideIt)
{
    ScopedConfigDir dir;
    ShownHarness h;
    TBitmap image(10, 10, 24);
    image.fill(RGB(10, 20, 30));
    h.form.Canvas()->SetBitmap(image);
    h.form.Canvas()->SetCenter(false);
    h.form.Canvas()->SetZoom(100);
    h.form.Canvas()->SetMouseMode(mmSpoit);
    TColorChartPanel* chart = Internals(h.form).ColorChart;
    QWidget* view = h.form.Canvas()->viewport();
    const QPoint inside = h.form.Canvas()->ImageToScreen(QPoint(3, 3));
    QTest::mouseMove(view, inside);
    ASSERT_TRUE(WaitFor([&] { return chart->Readout() != kNoReadout; }));
    EXPECT_EQ(chart->Readout(), int(RGB(10, 20, 30)));
    EXPECT_TRUE(chart->ReadoutShown());
    EXPECT_EQ(labels(chart), QStringList({"R: 10", "G: 20", "B: 30"}));
    QTest::mouseMove(view, h.form.Canvas()->ImageToScreen(QPoint(40, 40)));
    ASSERT_TRUE(WaitFor([&] { return chart->Readout() == kNoReadout; }));
    EXPECT_FALSE(chart->ReadoutShown());
    EXPECT_EQ(labels(chart), QStringList({"R:", "G:", "B:"}));
}

TEST(ColorPanels, SwapButtonAndF4SwapTheColours)
{
    ScopedConfigDir dir;
    ShownHarness h;
    h.form.Canvas()->SetForegroundColor(RGB(1, 2, 3));
    h.form.Canvas()->SetBackgroundColor(RGB(4, 5, 6));
    EXPECT_EQ(Internals(h.form).ColorBoxes->SwapButton->toolTip(), QStringLiteral("前景色と背景色を交換"));
    Internals(h.form).ColorBoxes->SwapButton->click();
    EXPECT_EQ(h.form.Canvas()->ForegroundColor(), RGB(4, 5, 6));
    EXPECT_EQ(Internals(h.form).ColorBoxes->pxPaintBoxFG->Color(), RGB(4, 5, 6));
    EXPECT_EQ(Internals(h.form).ColorBoxes->pxPaintBoxBG->Color(), RGB(1, 2, 3));
    EXPECT_EQ(h.form.Action("acSwapFBColors")->shortcut(), QKeySequence(Qt::Key_F4));
}

TEST(ColorPanels, ColourBoxClicksChooseTheColoursAndCustomColoursReachTheSettings)
{
    ScopedConfigDir dir;
    std::vector<TColor> offered;
    SetColorChoiceHandler([&](TColor& colour) {
        offered.push_back(colour);
        QColorDialog::setCustomColor(2, QColor(0x12, 0x34, 0x56));
        colour = RGB(9, 8, 7);
        return true;
    });
    {
        ShownHarness h;
        h.form.Canvas()->SetBackgroundColor(RGB(50, 60, 70));
        QTest::mouseClick(Internals(h.form).ColorBoxes->pxPaintBoxBG, Qt::LeftButton);
        ASSERT_EQ(offered.size(), 1u);
        EXPECT_EQ(offered[0], RGB(50, 60, 70));
        EXPECT_EQ(h.form.Canvas()->BackgroundColor(), RGB(9, 8, 7));
        EXPECT_EQ(Internals(h.form).ColorBoxes->pxPaintBoxBG->Color(), RGB(9, 8, 7));
        h.form.Action("acSelectForegroundColor")->trigger();
        EXPECT_EQ(h.form.Canvas()->ForegroundColor(), RGB(9, 8, 7));
    }
    SetColorChoiceHandler({});
    const auto ini = TIniFile(dir.qfile("Kalvo2.ini")).Load();
    ASSERT_TRUE(ini.has_value());
    // Blue, green, red from left to right.
    EXPECT_EQ(ini->Value("CUSTOM_COLORS", "ColorC").value_or(""), "563412");
}

TEST(ColorPanels, PaletteImagesChooseTheirColourFromThePalette)
{
    ScopedConfigDir dir;
    ShownHarness h;
    h.form.Canvas()->SetBitmap(fewColours());
    h.form.Canvas()->SetForegroundColor(RGB(190, 10, 10));
    int preselected = -1;
    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TKVfrmColorPalette*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        sawDialog = true;
        preselected = dialog->ColorGrid->SelectColorIndex();
        dialog->ColorGrid->SetSelectColorIndex(2);
        dialog->accept();
    });
    h.form.Action("acSelectForegroundColor")->trigger();
    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(preselected, 1);
    EXPECT_EQ(h.form.Canvas()->ForegroundColor(), RGB(0, 0, 200));
}
