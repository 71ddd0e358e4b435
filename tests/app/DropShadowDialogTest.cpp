// The preview dialog's zoom ratio, timer and paired controls; the drop-shadow dialog's settings
// and preview; the drop-shadow command.
#include "app/dialogs/DropShadowDialog.h"
#include "MainWindowHarness.h"
#include "ModalAnswer.h"
#include "ScopedConfigDir.h"
#include "app/controls/NumericEdit.h"
#include "app/mainform/ColorChoice.h"
#include "app/mainform/MainForm.h"
#include "app/settings/Settings.h"
#include "canvas/PxImage.h"
#include "image/Outline.h"
#include "image/RegionConvert.h"
#include "imaging/effects/DropShadowArea.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace kalvo;
using namespace kalvo::test;

namespace {

TBitmap Picture(int width, int height)
{
    TBitmap bmp(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = bmp.scanLine(y) + 3 * x;
            p[0] = std::uint8_t(x * 3);
            p[1] = std::uint8_t(y * 2 + 40);
            p[2] = std::uint8_t(250 - x);
        }
    return bmp;
}

void activate(QWidget* w)
{
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

// A preview dialog whose preview fails, to see the dialog come back.
class FailingPreview : public TKVfrmPreviewBase {
public:
    int calls = 0;

protected:
    void Preview() override
    {
        ++calls;
        throw std::runtime_error("preview failed");
    }
    QString HelpText() const override { return "help"; }
};

} // namespace

TEST(PreviewDialog, ZoomRatioSteps)
{
    int a = 1, b = 1;
    EXPECT_TRUE(PreviewZoomIn(a, b));
    EXPECT_EQ(a, 2);
    a = 20;
    EXPECT_FALSE(PreviewZoomIn(a, b));
    EXPECT_EQ(a, 20);
    EXPECT_TRUE(PreviewZoomOut(a, b));
    EXPECT_EQ(a, 19);
    a = 1, b = 1;
    EXPECT_TRUE(PreviewZoomOut(a, b));
    EXPECT_EQ(b, 2);
    EXPECT_TRUE(PreviewZoomIn(a, b)); // b >= 2: b - 1
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 1);
    b = 10;
    EXPECT_FALSE(PreviewZoomOut(a, b));
    EXPECT_EQ(b, 10);

    ScopedConfigDir config;
    TpxImage source;
    source.SetBitmap(Picture(30, 20));
    TKVfrmDropShadow d(source);
    EXPECT_EQ(d.lblZoom->text(), "1 : 1");
    EXPECT_EQ(d.pxPreview->Zoom(), 100);
    d.btnZoomOut->click();
    d.btnZoomOut->click();
    EXPECT_EQ(d.lblZoom->text(), "1 : 3");
    EXPECT_EQ(d.pxPreview->Zoom(), 33); // Trunc(100 / 3)
    for (int i = 0; i < 10; ++i)
        d.btnZoomOut->click();
    EXPECT_EQ(d.lblZoom->text(), "1 : 10");
    EXPECT_FALSE(d.btnZoomOut->isEnabled());
    EXPECT_TRUE(d.btnZoomIn->isEnabled());
    for (int i = 0; i < 40; ++i)
        d.ZoomIn();
    EXPECT_EQ(d.lblZoom->text(), "20 : 1");
    EXPECT_FALSE(d.btnZoomIn->isEnabled());
    EXPECT_EQ(d.pxPreview->Zoom(), 2000);
}

TEST(PreviewDialog, TimerDelaysAndTheDialogComesBackAfterAFailedPreview)
{
    ScopedConfigDir config;
    TpxImage source;
    source.SetBitmap(Picture(30, 20));
    source.SetRegion(TRegion::rect({5, 5, 15, 12}));
    TKVfrmDropShadow d(source);
    activate(&d);
    // Auto-preview by default: the first preview comes 1000 ms after opening.
    EXPECT_TRUE(d.cbAutoPreview->isChecked());
    EXPECT_EQ(d.cbAutoPreview->text(), "ｵｰﾄﾌﾟﾚﾋﾞｭｰ(&A)");
    EXPECT_FALSE(d.btnPreview->isEnabled());
    EXPECT_TRUE(d.PreviewTimer().isActive());
    EXPECT_EQ(d.PreviewTimer().interval(), 1000);
    EXPECT_TRUE(d.PreviewTimer().isSingleShot());
    d.PreviewTimerTimer();
    EXPECT_FALSE(d.PreviewTimer().isActive());
    EXPECT_EQ(d.PreviewCount(), 1);

    d.cbAutoPreview->click();
    EXPECT_TRUE(d.btnPreview->isEnabled());
    d.Edit[2]->setFocus();
    QTest::keyClicks(d.Edit[2], "1");
    EXPECT_FALSE(d.PreviewTimer().isActive()); // no auto-preview: changes wait for the button
    d.btnPreview->click();
    EXPECT_EQ(d.PreviewTimer().interval(), 100);
    EXPECT_TRUE(d.PreviewTimer().isActive());

    FailingPreview failing;
    activate(&failing);
    MessageRecorder messages;
    failing.PreviewTimerTimer();
    EXPECT_EQ(failing.calls, 1);
    EXPECT_TRUE(failing.isEnabled());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "preview failed");
    EXPECT_EQ(failing.PreviewCount(), 0);
}

// The dialog stands still while it computes a preview; the field being typed into keeps its
// half-typed text and cursor, so typing goes on where it was.
TEST(PreviewDialog, TypingGoesOnThroughAPreview)
{
    ScopedConfigDir config;
    TpxImage source;
    source.SetBitmap(Picture(30, 20));
    source.SetRegion(TRegion::rect({5, 5, 15, 12}));
    TKVfrmDropShadow d(source);
    activate(&d);
    d.Edit[0]->setFocus();
    QCoreApplication::processEvents(); // the field selects its text as it gets the focus
    QTest::keyClicks(d.Edit[0], "-");
    d.PreviewTimerTimer();
    QCoreApplication::processEvents();
    EXPECT_TRUE(d.Edit[0]->hasFocus());
    QTest::keyClicks(d.Edit[0], "12");
    EXPECT_EQ(d.Edit[0]->text(), "-12");
    EXPECT_EQ(d.Edit[0]->Value(), -12);
}

TEST(PreviewDialog, TrackBarAndFieldFollowOnlyFromTheFocusedControl)
{
    ScopedConfigDir config;
    TpxImage source;
    source.SetBitmap(Picture(30, 20));
    TKVfrmDropShadow d(source);
    activate(&d);
    EXPECT_EQ(d.TrackBar[2]->value(), 5); // moved to the field at start
    d.Edit[2]->setFocus();
    d.Edit[2]->selectAll();
    QTest::keyClicks(d.Edit[2], "30");
    EXPECT_EQ(d.TrackBar[2]->value(), 30);
    d.TrackBar[2]->setValue(70); // not focused: the field stays
    EXPECT_EQ(d.Edit[2]->Value(), 30);
    d.TrackBar[3]->setFocus();
    QTest::keyClick(d.TrackBar[3], Qt::Key_PageUp);
    EXPECT_EQ(d.Edit[3]->Value(), 60);
    EXPECT_EQ(d.TrackBar[3]->tickInterval(), 5);
    EXPECT_EQ(d.Edit[0]->MinValue(), -100);
    EXPECT_EQ(d.lblCaption[0]->text(), "横位置オフセット(&X):");
}

TEST(DropShadowDialog, SettingsRoundTripAndTheColourSwatch)
{
    ScopedConfigDir config;
    TpxImage source;
    source.SetBitmap(Picture(30, 20));
    {
        TKVfrmDropShadow d(source);
        const TDropShadowParams p = d.Params();
        EXPECT_EQ(p.OffsetX, 2);
        EXPECT_EQ(p.OffsetY, 2);
        EXPECT_EQ(p.Obscure, 5);
        EXPECT_EQ(p.AlphaChannel, 50);
        EXPECT_EQ(p.Color, clBlack);
        d.Edit[0]->SetValue(-7);
        d.Edit[1]->setText("250"); // limited by OK
        d.Edit[2]->SetValue(9);
        d.Edit[3]->SetValue(33);
        SetColorChoiceHandler([](TColor& c) {
            c = RGB(10, 20, 30);
            return true;
        });
        d.cbAutoPreview->click(); // off
        QTest::mouseClick(d.pbShadowColor, Qt::LeftButton);
        SetColorChoiceHandler({});
        EXPECT_EQ(d.pbShadowColor->Color(), RGB(10, 20, 30));
        d.btnOk->click();
    }
    EXPECT_EQ(ReadIniInteger("DropShadow", "OffsetX", 0), -7);
    EXPECT_EQ(ReadIniInteger("DropShadow", "OffsetY", 0), 100);
    EXPECT_EQ(ReadIniInteger("DropShadow", "Obscure", 0), 9);
    EXPECT_EQ(ReadIniInteger("DropShadow", "AlphaChannel", 0), 33);
    EXPECT_EQ(ReadIniColor("DropShadow", "Color", 0), RGB(10, 20, 30));
    EXPECT_FALSE(ReadIniBool("DropShadow", "AutoPreview", true));

    TKVfrmDropShadow again(source);
    EXPECT_EQ(again.Params().OffsetX, -7);
    EXPECT_EQ(again.Params().Color, RGB(10, 20, 30));
    EXPECT_FALSE(again.cbAutoPreview->isChecked());
    EXPECT_TRUE(again.btnPreview->isEnabled());
    EXPECT_FALSE(again.PreviewTimer().isActive()); // no first preview without auto-preview

    // Cancel writes nothing.
    again.Edit[0]->SetValue(40);
    again.btnCancel->click();
    EXPECT_EQ(ReadIniInteger("DropShadow", "OffsetX", 0), -7);
}

TEST(DropShadowDialog, PreviewShowsTheShadowOfTheVisibleArea)
{
    ScopedConfigDir config;
    TpxImage source;
    const TBitmap picture = Picture(600, 400);
    source.SetBitmap(picture);
    const TRegion region = TRegion::rect({20, 30, 300, 250});
    source.SetRegion(region);
    TKVfrmDropShadow d(source);
    activate(&d);
    d.pxPreview->SetScrollPosition(100, 120);
    d.PreviewTimerTimer();
    const QRect area = d.PreviewArea();
    SCOPED_TRACE(testing::Message() << area.x() << "," << area.y() << " " << area.width() << "x" << area.height());
    ASSERT_FALSE(area.isEmpty());
    EXPECT_LT(area.width(), 600); // only what the preview shows
    EXPECT_TRUE(area.contains(QRect(110, 130, 100, 80)));

    const TBitmap mask = RegionToMask(TRegionRef(region), 600, 400);
    TPoints outline;
    Bitmap8ToPoints(&mask, outline);
    const auto whole = DropShadow(picture, mask, outline, d.Params());
    ASSERT_TRUE(whole);
    EXPECT_EQ(CropBitmap(d.pxPreview->Bitmap(), area), CropBitmap(*whole, area));
    EXPECT_NE(CropBitmap(*whole, area), CropBitmap(picture, area));
    EXPECT_EQ(source.Bitmap(), picture); // the source canvas is untouched

    // A second preview with other values starts again from the original pixels.
    d.Edit[3]->SetValue(100); // fully transparent: no shadow
    d.PreviewTimerTimer();
    EXPECT_EQ(d.pxPreview->Bitmap(), picture);
}

TEST(DropShadowCommand, DrawsTheShadowWithOneUndoStepAndCancelChangesNothing)
{
    ScopedConfigDir config;
    Harness h;
    const TBitmap picture = Picture(40, 30);
    h.form.Canvas()->SetBitmap(picture);
    h.form.UpdateImageActions();
    h.form.ClearUndoHistory();
    EXPECT_FALSE(h.form.Action("acDropShadow")->isEnabled());
    const TRegion region = TRegion::rect({5, 5, 20, 18});
    h.form.Canvas()->SetRegion(region);
    ASSERT_TRUE(h.form.Action("acDropShadow")->isEnabled());

    AnswerModal<TKVfrmDropShadow>([](TKVfrmDropShadow* d) {
        d->Edit[0]->SetValue(3);
        d->Edit[1]->SetValue(-2);
        d->btnCancel->click();
    });
    h.form.Action("acDropShadow")->trigger();
    EXPECT_EQ(h.form.Canvas()->Bitmap(), picture);
    EXPECT_TRUE(Internals(h.form).FUndoList.empty());

    AnswerModal<TKVfrmDropShadow>([](TKVfrmDropShadow* d) {
        d->Edit[0]->SetValue(3);
        d->Edit[1]->SetValue(-2);
        d->Edit[2]->SetValue(2);
        d->btnOk->click();
    });
    h.form.Action("acDropShadow")->trigger();
    TDropShadowParams p{3, -2, 2, 50, clBlack};
    const TBitmap mask = RegionToMask(TRegionRef(region), 40, 30);
    const auto expected = DropShadow(picture, mask, h.form.Canvas()->Outline(), p);
    ASSERT_TRUE(expected);
    EXPECT_EQ(h.form.Canvas()->Bitmap(), *expected);
    EXPECT_NE(*expected, picture);
    EXPECT_FALSE(h.form.Canvas()->SelectionMask()); // the mask made for the shadow is dropped
    ASSERT_EQ(Internals(h.form).FUndoList.size(), 1u);
    EXPECT_EQ(Internals(h.form).FUndoList[0]->Description, "影をつける");
    EXPECT_EQ(Internals(h.form).FProgressBar, nullptr);
    h.form.Action("acUndo")->trigger();
    EXPECT_EQ(h.form.Canvas()->Bitmap(), picture);
}
