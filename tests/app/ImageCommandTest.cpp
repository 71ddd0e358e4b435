// The image, effects and colour commands on the real main window: results compared with the
// core functions the command line uses, one undo step each, enabling, and nothing changed when
// a command is refused.
#include "app/mainform/MainForm.h"
#include "app/controls/NumericEdit.h"
#include "app/settings/Settings.h"
#include "canvas/PxImage.h"
#include "image/Outline.h"
#include "image/RegionConvert.h"
#include "imaging/colour/CountColors.h"
#include "imaging/colour/EnlargeColors.h"
#include "imaging/effects/ClearSelection.h"
#include "imaging/effects/NegativeImage.h"
#include "imaging/effects/ObscureSelection.h"
#include "MainWindowHarness.h"
#include "ModalAnswer.h"
#include "ScopedConfigDir.h"

#include <QAction>
#include <QDialog>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace kalvo;
using namespace kalvo::test;

namespace {

// A 24-bit picture whose colours vary in both directions.
TBitmap Picture(int width, int height)
{
    TBitmap bmp(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = bmp.scanLine(y) + 3 * x;
            p[0] = std::uint8_t(x * 20 + 3);
            p[1] = std::uint8_t(y * 30 + 7);
            p[2] = std::uint8_t((x * y * 11) & 0xFF);
        }
    return bmp;
}

// A grey mask with a ramp inside (2, 1)-(6, 4) and 255 elsewhere.
TBitmap SoftMask(int width, int height)
{
    TBitmap mask = RegionToMask(TRegionRef(TRegion::rect({2, 1, 6, 4})), width, height);
    for (int y = 1; y < 4; ++y)
        for (int x = 2; x < 6; ++x)
            mask.scanLine(y)[x] = std::uint8_t((x - 2) * 60 + (y - 1) * 10);
    return mask;
}

} // namespace

TEST(ImageCommand, NegativeInvertsInsideTheSelectionWithOneUndoStep)
{
    ScopedConfigDir config;
    Harness h;
    const TBitmap original = Picture(8, 6);
    h.form.pxImage1->SetBitmap(original);
    h.form.ClearUndoHistory();
    const TRegion region = TRegion::rect({2, 1, 6, 4});
    h.form.pxImage1->SetRegion(region);
    ASSERT_TRUE(h.form.acNegativeImage->isEnabled());

    h.form.acNegativeImage->trigger();

    TBitmap expected = original;
    const TBitmap mask = RegionToMask(TRegionRef(region), 8, 6);
    ASSERT_TRUE(NegativeImage(expected, TRegionRef(region), &mask));
    EXPECT_EQ(h.form.pxImage1->Bitmap(), expected);
    EXPECT_NE(expected, original);
    EXPECT_EQ(h.form.pxImage1->Bitmap().scanLine(0)[0], original.scanLine(0)[0]); // outside
    EXPECT_EQ(h.form.pxImage1->Bitmap().scanLine(1)[6], 255 - original.scanLine(1)[6]);
    ASSERT_EQ(h.form.FUndoList.size(), 1u);
    EXPECT_EQ(h.form.FUndoList[0]->Description, "反転");
    EXPECT_TRUE(h.form.FModified);
    EXPECT_EQ(h.form.FBusyDepth, 0);
    EXPECT_EQ(h.form.FProgressBar, nullptr);
    EXPECT_EQ(h.form.pxImage1->BusyCount(), 0);

    h.form.acUndo->trigger();
    EXPECT_EQ(h.form.pxImage1->Bitmap(), original);
}

TEST(ImageCommand, NegativeOnAPaletteImageAsksAndARefusalChangesNothing)
{
    ScopedConfigDir config;
    Harness h;
    const TBitmap indexed = PatternBitmap(5, 4, 8);
    h.form.pxImage1->SetBitmap(indexed);
    h.form.ClearUndoHistory();
    h.messages.answers.push_back(IDNO);
    h.form.acNegativeImageExecute();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].flags, 36);
    EXPECT_EQ(h.form.pxImage1->Bitmap(), indexed);
    EXPECT_TRUE(h.form.FUndoList.empty());

    // Yes: converted ("色解像度変更") and inverted ("反転"), two steps; two undos restore it.
    h.messages.answers.push_back(IDYES);
    h.form.acNegativeImageExecute();
    TBitmap expected = indexed.toTrueColor();
    ASSERT_TRUE(NegativeImage(expected, TRegionRef{}, nullptr));
    EXPECT_EQ(h.form.pxImage1->Bitmap(), expected);
    ASSERT_EQ(h.form.FUndoList.size(), 2u);
    EXPECT_EQ(h.form.FUndoList[1]->Description, "反転");
    h.form.acUndo->trigger();
    h.form.acUndo->trigger();
    EXPECT_EQ(h.form.pxImage1->Bitmap(), indexed);
}

TEST(ImageCommand, ClearBlendsThroughAFeatheredMaskTowardTheBackground)
{
    ScopedConfigDir config;
    Harness h;
    const TBitmap original = Picture(8, 6);
    h.form.pxImage1->SetBitmap(original);
    h.form.ClearUndoHistory();
    EXPECT_FALSE(h.form.acClear->isEnabled());
    h.form.pxImage1->SetRegion(TRegion::rect({2, 1, 6, 4}));
    h.form.pxImage1->SetSelectionMask(SoftMask(8, 6));
    ASSERT_TRUE(h.form.pxImage1->SelectionMask());
    ASSERT_TRUE(h.form.acClear->isEnabled());
    h.form.pxImage1->SetBackgroundColor(RGB(200, 100, 50));

    h.form.acClear->trigger();

    const auto expected = ClearSelection(original, h.form.pxImage1->Region(), &*h.form.pxImage1->SelectionMask(),
                                         RGB(200, 100, 50));
    ASSERT_TRUE(expected);
    EXPECT_EQ(h.form.pxImage1->Bitmap(), *expected);
    // Mask 0 at (2, 1): fully the background (blue, green, red in memory).
    const std::uint8_t* p = h.form.pxImage1->Bitmap().scanLine(1) + 6;
    EXPECT_EQ(p[0], 50);
    EXPECT_EQ(p[1], 100);
    EXPECT_EQ(p[2], 200);
    ASSERT_EQ(h.form.FUndoList.size(), 1u);
    EXPECT_EQ(h.form.FUndoList[0]->Description, "クリア");
    h.form.acUndo->trigger();
    EXPECT_EQ(h.form.pxImage1->Bitmap(), original);
}

TEST(ImageCommand, EnlargeColorsKeepsIndicesAndRecordsOneStep)
{
    ScopedConfigDir config;
    Harness h;
    const TBitmap mono = PatternBitmap(9, 3, 1);
    h.form.pxImage1->SetBitmap(mono);
    h.form.ClearUndoHistory();
    h.form.acEnlarge4bitColors->trigger();
    const auto expected = EnlargeColors(mono, 4);
    ASSERT_TRUE(expected);
    EXPECT_EQ(h.form.pxImage1->Bitmap(), *expected);
    EXPECT_EQ(h.form.pxImage1->BitCount(), 4);
    ASSERT_EQ(h.form.FUndoList.size(), 1u);
    EXPECT_EQ(h.form.FUndoList[0]->Description, "増色");
    EXPECT_FALSE(h.form.acEnlarge4bitColors->isEnabled());
    EXPECT_TRUE(h.form.acEnlarge8bitColors->isEnabled());

    h.form.acEnlarge24bitColors->trigger();
    EXPECT_EQ(h.form.pxImage1->Bitmap(), expected->toTrueColor());
    h.form.acUndo->trigger();
    h.form.acUndo->trigger();
    EXPECT_EQ(h.form.pxImage1->Bitmap(), mono);
}

TEST(ImageCommand, ColorCountShowsTheCountWithTheInformationIcon)
{
    ScopedConfigDir config;
    Harness h;
    TBitmap indexed = PatternBitmap(6, 6, 4);
    std::vector<TColor> palette = indexed.palette();
    palette[1] = palette[0]; // a repeated colour counts once
    indexed.setPalette(palette);
    h.form.pxImage1->SetBitmap(indexed);
    h.form.UpdateImageActions();
    const int count = CountColors(indexed);
    ASSERT_GT(count, 1);
    h.form.acColorCount->trigger();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, QStringLiteral("このイメージは %1 色使用されています．").arg(count));
    EXPECT_EQ(h.messages.shown[0].flags, 64);
    EXPECT_EQ(h.form.pxImage1->Bitmap(), indexed);
    EXPECT_EQ(h.form.FBusyDepth, 0);
}

TEST(ImageCommand, EnablingFollowsDepthAndSelection)
{
    ScopedConfigDir config;
    Harness h;
    struct Row {
        int bits;
        bool negative, reduce8, reduce4, reduce1, enlarge4, enlarge8, enlarge24, palette;
    };
    const Row rows[] = {
        {1, false, false, false, false, true, true, true, true},
        {4, false, false, false, true, false, true, true, true},
        {8, false, false, true, true, false, false, true, true},
        {24, true, true, true, true, false, false, false, false},
    };
    auto all = [&] {
        return std::vector<QAction*>{h.form.acResize, h.form.acColorCount, h.form.acNegativeImage};
    };
    for (QAction* a : all())
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.bits);
        h.form.pxImage1->SetBitmap(PatternBitmap(4, 4, r.bits));
        h.form.UpdateImageActions();
        EXPECT_TRUE(h.form.acResize->isEnabled());
        EXPECT_TRUE(h.form.acColorCount->isEnabled());
        EXPECT_EQ(h.form.acNegativeImage->isEnabled(), r.negative);
        if (h.form.acReduce8bitColor) {
            EXPECT_EQ(h.form.acReduce8bitColor->isEnabled(), r.reduce8);
            EXPECT_EQ(h.form.acReduce4bitColor->isEnabled(), r.reduce4);
            EXPECT_EQ(h.form.acReduce1bitColor->isEnabled(), r.reduce1);
        }
        EXPECT_EQ(h.form.acEnlarge4bitColors->isEnabled(), r.enlarge4);
        EXPECT_EQ(h.form.acEnlarge8bitColors->isEnabled(), r.enlarge8);
        EXPECT_EQ(h.form.acEnlarge24bitColors->isEnabled(), r.enlarge24);
        if (h.form.acPaletteEdit) {
            EXPECT_EQ(h.form.acPaletteEdit->isEnabled(), r.palette);
            EXPECT_EQ(h.form.acPaletteExport->isEnabled(), r.palette);
        }
        EXPECT_FALSE(h.form.acClear->isEnabled());
        EXPECT_FALSE(h.form.acObscureRegion->isEnabled());
        h.form.pxImage1->SetRegion(TRegion::rect({1, 1, 3, 3}));
        EXPECT_TRUE(h.form.acClear->isEnabled());
        EXPECT_EQ(h.form.acObscureRegion->isEnabled(), r.bits == 24);
        if (h.form.acDropShadow) {
            EXPECT_EQ(h.form.acDropShadow->isEnabled(), r.bits == 24);
        }
        h.form.pxImage1->DeleteSelection();
        EXPECT_FALSE(h.form.acClear->isEnabled());
    }
}

TEST(ImageCommand, FeatheringSetsTheSoftMaskAndRemembersThePixelCount)
{
    ScopedConfigDir config;
    Harness h;
    h.form.pxImage1->SetBitmap(Picture(24, 20));
    const TRegion region = TRegion::rect({6, 5, 16, 14});
    h.form.pxImage1->SetRegion(region);
    TPoints outline;
    RegionToPoints(TRegionRef(region), outline);
    const TObscuredSelection expected = ObscureSelection(RegionToMask(TRegionRef(region), 24, 20), outline, 3);

    QString caption, label;
    AnswerModal<QDialog>([&](QDialog* d) {
        caption = d->windowTitle();
        auto* edit = d->findChild<TpxNumericEdit*>();
        EXPECT_EQ(edit->Value(), 5); // the default
        EXPECT_EQ(edit->MaxValue(), 100);
        edit->setText("3");
        d->accept();
    });
    const std::size_t stepsBefore = h.form.FUndoList.size();
    h.form.acObscureRegion->trigger();
    EXPECT_EQ(caption, "境界をぼかす");
    ASSERT_TRUE(h.form.pxImage1->SelectionMask());
    EXPECT_EQ(*h.form.pxImage1->SelectionMask(), expected.Mask);
    ASSERT_TRUE(h.form.pxImage1->Region());
    EXPECT_EQ(*h.form.pxImage1->Region(), expected.Region);
    EXPECT_EQ(ReadIniInteger("EFFECT", "ObscureRegion", 0), 3);
    // One selection step, and undo brings back the hard rectangle.
    ASSERT_EQ(h.form.FUndoList.size(), stepsBefore + 1);
    EXPECT_EQ(QString::fromStdString(h.form.FUndoList.back()->Description), QStringLiteral("選択範囲の変更"));
    h.form.acUndo->trigger();
    ASSERT_TRUE(h.form.pxImage1->Region());
    EXPECT_EQ(*h.form.pxImage1->Region(), region);
    EXPECT_FALSE(h.form.pxImage1->SelectionMask());
    h.form.acRedo->trigger();
    ASSERT_TRUE(h.form.pxImage1->SelectionMask());
    EXPECT_EQ(*h.form.pxImage1->SelectionMask(), expected.Mask);

    // One pixel gives a hard mask, which the canvas drops; the region stays widened.
    h.form.pxImage1->SetRegion(region);
    const TObscuredSelection hard = ObscureSelection(RegionToMask(TRegionRef(region), 24, 20), outline, 1);
    AnswerModal<QDialog>([&](QDialog* d) {
        auto* edit = d->findChild<TpxNumericEdit*>();
        EXPECT_EQ(edit->Value(), 3); // remembered
        edit->setText("1");
        d->accept();
    });
    h.form.acObscureRegion->trigger();
    EXPECT_FALSE(h.form.pxImage1->SelectionMask());
    ASSERT_TRUE(h.form.pxImage1->Region());
    EXPECT_EQ(*h.form.pxImage1->Region(), hard.Region);

    // Cancel: nothing changes and nothing is written.
    const TRegion before = *h.form.pxImage1->Region();
    AnswerModal<QDialog>([&](QDialog* d) {
        d->findChild<TpxNumericEdit*>()->setText("50");
        d->reject();
    });
    h.form.acObscureRegion->trigger();
    EXPECT_EQ(*h.form.pxImage1->Region(), before);
    EXPECT_EQ(ReadIniInteger("EFFECT", "ObscureRegion", 0), 1);
}
