// The photo adjustments in the editor: their place and enabling in the Effects menu, each
// command through its dialog on the selection with one undo step, the values remembered, and
// the previews computing the visible area only.
#include "MainWindowHarness.h"
#include "ModalAnswer.h"
#include "ScopedConfigDir.h"
#include "app/controls/NumericEdit.h"
#include "app/dialogs/AdjustDialogs.h"
#include "app/dialogs/LevelsDialog.h"
#include "app/mainform/MainForm.h"
#include "app/settings/Settings.h"
#include "canvas/NearestStretch.h"
#include "canvas/PxImage.h"
#include "image/RegionConvert.h"
#include "imaging/adjust/BrightnessContrast.h"
#include "imaging/adjust/Grayscale.h"
#include "imaging/adjust/HueSaturation.h"
#include "imaging/adjust/Levels.h"
#include "imaging/effects/DropShadowArea.h"
#include "imaging/filter/GaussianBlur.h"
#include "imaging/filter/UnsharpMask.h"
#include "support/MainFormInternals.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>

using namespace kalvo;
using namespace kalvo::test;

namespace {

// The selection's mask of the picture size.
TBitmap MaskOf(const TRegion& region, int width, int height)
{
    return RegionToMask(TRegionRef(region), width, height);
}

} // namespace

TEST(AdjustCommands, StandAfterTheDropShadowAndAreEnabledLikeTheNegative)
{
    ScopedConfigDir config;
    Harness h;
    QStringList items;
    for (QAction* a : h.form.Menu("EffectsMenu")->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(items,
              (QStringList{"影をつける(&S)...", "-", "明るさ・コントラスト(&B)...", "色相・彩度(&H)...",
                           "レベル補正(&L)...", "ぼかし(&G)...", "シャープ(&U)...", "グレースケール(&R)"}));
    const char* names[] = {"acBrightnessContrast", "acHueSaturation", "acLevels",
                           "acGaussianBlur",       "acSharpen",       "acGrayscale"};
    h.form.Canvas()->SetBitmap(test::PatternBitmap(8, 8, 8));
    h.form.UpdateImageActions();
    for (const char* name : names)
        EXPECT_FALSE(h.form.Action(name)->isEnabled()) << name;
    h.form.Canvas()->SetBitmap(test::PatternBitmap(8, 8, 24));
    h.form.UpdateImageActions();
    for (const char* name : names)
        EXPECT_EQ(h.form.Action(name)->isEnabled(), h.form.Action("acNegativeImage")->isEnabled()) << name;
    EXPECT_TRUE(h.form.Action("acNegativeImage")->isEnabled());
}

TEST(AdjustCommands, EachAdjustsTheSelectionAsOneUndoStepAndRemembersItsValues)
{
    ScopedConfigDir config;
    Harness h;
    const TBitmap picture = test::PatternBitmap(60, 40, 24);
    const TRegion region = TRegion::rect({5, 4, 50, 30});
    const TBitmap mask = MaskOf(region, 60, 40);
    const TLevels levels{20, 220, 1.5};
    const struct {
        const char* action;
        const char* undo;
        std::function<void()> answer; // sets the dialog's values and presses OK
        std::function<bool(TBitmap&)> expected;
    } cases[] = {
        {"acBrightnessContrast", "明るさ・コントラスト",
         [] {
             AnswerModal<TKVfrmBrightnessContrast>([](auto* d) {
                 d->Edit[0]->SetValue(-30);
                 d->Edit[1]->SetValue(40);
                 d->btnOk->click();
             });
         },
         [&](TBitmap& b) {
             return ApplyTablesArea(b, std::nullopt, &mask, SameTables(BrightnessContrastTable(-30, 40)));
         }},
        {"acHueSaturation", "色相・彩度",
         [] {
             AnswerModal<TKVfrmHueSaturation>([](auto* d) {
                 d->Edit[0]->SetValue(100);
                 d->Edit[1]->SetValue(-50);
                 d->Edit[2]->SetValue(10);
                 d->btnOk->click();
             });
         },
         [&](TBitmap& b) {
             return HueSaturationArea(b, std::nullopt, &mask, {100, -50, 10});
         }},
        {"acLevels", "レベル補正",
         [] {
             AnswerModal<TKVfrmLevels>([](auto* d) {
                 d->Edit[0]->SetValue(20);
                 d->Edit[1]->SetValue(220);
                 d->Edit[2]->setText("1.5");
                 d->btnOk->click();
             });
         },
         [&](TBitmap& b) {
             return ApplyTablesArea(b, std::nullopt, &mask, LevelsTables({levels, levels, levels}));
         }},
        {"acGaussianBlur", "ぼかし",
         [] {
             AnswerModal<TKVfrmGaussianBlur>([](auto* d) {
                 d->Edit[0]->setText("2.5");
                 d->btnOk->click();
             });
         },
         [&](TBitmap& b) { return GaussianBlurArea(b, std::nullopt, &mask, 2.5); }},
        {"acSharpen", "シャープ",
         [] {
             AnswerModal<TKVfrmSharpen>([](auto* d) {
                 d->Edit[0]->SetValue(300);
                 d->Edit[1]->setText("1.2");
                 d->Edit[2]->SetValue(4);
                 d->btnOk->click();
             });
         },
         [&](TBitmap& b) {
             return UnsharpMaskArea(b, std::nullopt, &mask, {300, 1.2, 4});
         }},
        {"acGrayscale", "グレースケール", [] {}, [&](TBitmap& b) { return GrayscaleArea(b, std::nullopt, &mask); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        h.form.Canvas()->SetBitmap(picture);
        h.form.Canvas()->SetRegion(region);
        h.form.UpdateImageActions();
        h.form.ClearUndoHistory();
        c.answer();
        h.form.Action(c.action)->trigger();
        TBitmap expected = picture;
        ASSERT_TRUE(c.expected(expected));
        EXPECT_NE(expected, picture);
        EXPECT_EQ(h.form.Canvas()->Bitmap(), expected);
        ASSERT_EQ(Internals(h.form).FUndoList.size(), 1u);
        EXPECT_EQ(Internals(h.form).FUndoList[0]->Description, std::string(c.undo));
        h.form.Action("acUndo")->trigger();
        EXPECT_EQ(h.form.Canvas()->Bitmap(), picture);
    }
    // The values come back in the next dialog from their own sections.
    EXPECT_EQ(ReadIniInteger("BrightnessContrast", "Contrast", 0), 40);
    EXPECT_EQ(ReadIniString("GaussianBlur", "Radius", ""), "2.5");
    EXPECT_EQ(ReadIniString("Levels", "Gamma", ""), "1.50");
    TKVfrmSharpen again(*h.form.Canvas());
    EXPECT_EQ(again.Edit[0]->Value(), 300);
    EXPECT_EQ(again.Edit[1]->Value(), 12);
    EXPECT_EQ(again.Edit[2]->Value(), 4);

    // Cancel changes nothing; without a selection the whole picture changes.
    h.form.ClearUndoHistory();
    AnswerModal<TKVfrmGaussianBlur>([](auto* d) { d->btnCancel->click(); });
    h.form.Action("acDeleteRegion")->trigger();
    h.form.ClearUndoHistory();
    h.form.Action("acGaussianBlur")->trigger();
    EXPECT_EQ(h.form.Canvas()->Bitmap(), picture);
    EXPECT_TRUE(Internals(h.form).FUndoList.empty());
    h.form.Action("acGrayscale")->trigger();
    TBitmap grey = picture;
    ASSERT_TRUE(Grayscale(grey, TRegionRef{}, nullptr));
    EXPECT_EQ(h.form.Canvas()->Bitmap(), grey);
}

TEST(AdjustDialogs, PreviewComputesTheVisibleAreaWithTheBlursReach)
{
    ScopedConfigDir config;
    WriteIniString("GaussianBlur", "Radius", "4.0");
    TpxImage source;
    const TBitmap picture = test::PatternBitmap(600, 400, 24);
    source.SetBitmap(picture);
    const TRegion region = TRegion::rect({20, 30, 500, 350});
    source.SetRegion(region);
    TKVfrmGaussianBlur d(source);
    d.show();
    d.pxPreview->SetScrollPosition(100, 120);
    d.PreviewTimerTimer();
    const QRect area = d.PreviewArea();
    ASSERT_FALSE(area.isEmpty());
    EXPECT_LT(area.width(), 600);
    EXPECT_TRUE(area.contains(QRect(110, 130, 100, 80)));
    TBitmap whole = picture;
    const TBitmap mask = MaskOf(region, 600, 400);
    ASSERT_TRUE(GaussianBlurArea(whole, std::nullopt, &mask, 4.0));
    // The preview canvas shows the picture's own pixels with the adjusted area over them.
    EXPECT_EQ(d.pxPreview->Bitmap().bits(), source.Bitmap().bits());
    ASSERT_TRUE(d.pxPreview->Overlay());
    EXPECT_EQ(d.pxPreview->OverlayPosition(), area.topLeft());
    EXPECT_EQ(*d.pxPreview->Overlay(), CropBitmap(whole, area));
    // and the screen shows it (1 : 1: frame pixel = image pixel less the scroll position).
    const QImage frame = d.pxPreview->ComposedFrame();
    for (const QPoint p : {area.topLeft() + QPoint(10, 10), area.center()})
        EXPECT_EQ(frame.pixel(p - QPoint(d.pxPreview->ScrollX(), d.pxPreview->ScrollY())),
                  FramePixel(whole.pixelColor(p.x(), p.y())))
            << p.x() << "," << p.y();
    EXPECT_EQ(source.Bitmap(), picture);
    d.Edit[0]->setText("0.1"); // next preview starts again from the original pixels
    d.PreviewTimerTimer();
    TBitmap light = picture;
    ASSERT_TRUE(GaussianBlurArea(light, std::nullopt, &mask, 0.1));
    EXPECT_EQ(*d.pxPreview->Overlay(), CropBitmap(light, area));
    EXPECT_EQ(source.Bitmap(), picture);
}

TEST(AdjustDialogs, LevelsAutomaticPointsPerChannelUntilAFieldChanges)
{
    ScopedConfigDir config;
    TpxImage source;
    const TBitmap picture = test::PatternBitmap(50, 40, 24);
    source.SetBitmap(picture);
    TKVfrmLevels d(source);
    EXPECT_FALSE(d.Automatic());
    d.btnAuto->click();
    ASSERT_TRUE(d.Automatic());
    const std::array<TLevels, 3> automatic = AutoLevels(picture, TRegionRef{}, nullptr);
    EXPECT_EQ(d.Channels(), automatic);
    EXPECT_FALSE(d.lblAuto->text().isEmpty());
    d.Edit[2]->setText("2.00");
    EXPECT_FALSE(d.Automatic());
    EXPECT_EQ(d.Channels()[0].Gamma, 2.0);
}
