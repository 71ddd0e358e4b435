// The image, effects and colour commands on the real main window: results compared with the
// core functions the command line uses, one undo step each, enabling, and nothing changed when
// a command is refused.
#include "MainWindowHarness.h"
#include "ModalAnswer.h"
#include "ScopedConfigDir.h"
#include "app/controls/NumericEdit.h"
#include "app/mainform/MainForm.h"
#include "app/settings/Settings.h"
#include "canvas/PxImage.h"
#include "image/Outline.h"
#include "image/RegionConvert.h"
#include "imaging/colour/CountColors.h"
#include "imaging/colour/EnlargeColors.h"
#include "imaging/effects/ClearSelection.h"
#include "imaging/effects/NegativeImage.h"
#include "imaging/effects/ObscureSelection.h"

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
    h.form.Canvas()->SetBitmap(original);
    h.form.ClearUndoHistory();
    const TRegion region = TRegion::rect({2, 1, 6, 4});
    h.form.Canvas()->SetRegion(region);
    ASSERT_TRUE(h.form.Action("acNegativeImage")->isEnabled());

    h.form.Action("acNegativeImage")->trigger();

    TBitmap expected = original;
    const TBitmap mask = RegionToMask(TRegionRef(region), 8, 6);
    ASSERT_TRUE(NegativeImage(expected, TRegionRef(region), &mask));
    EXPECT_EQ(h.form.Canvas()->Bitmap(), expected);
    EXPECT_NE(expected, original);
    EXPECT_EQ(h.form.Canvas()->Bitmap().scanLine(0)[0], original.scanLine(0)[0]); // outside
    EXPECT_EQ(h.form.Canvas()->Bitmap().scanLine(1)[6], 255 - original.scanLine(1)[6]);
    ASSERT_EQ(Internals(h.form).FUndoList.size(), 1u);
    EXPECT_EQ(Internals(h.form).FUndoList[0]->Description, "反転");
    EXPECT_TRUE(Internals(h.form).FModified);
    EXPECT_EQ(Internals(h.form).FBusyDepth, 0);
    EXPECT_EQ(Internals(h.form).FProgressBar, nullptr);
    EXPECT_EQ(h.form.Canvas()->BusyCount(), 0);

    h.form.Action("acUndo")->trigger();
    EXPECT_EQ(h.form.Canvas()->Bitmap(), original);
}

TEST(ImageCommand, NegativeOnAPaletteImageAsksAndARefusalChangesNothing)
{
    ScopedConfigDir config;
    Harness h;
    const TBitmap indexed = PatternBitmap(5, 4, 8);
    h.form.Canvas()->SetBitmap(indexed);
    h.form.ClearUndoHistory();
    h.messages.answers.push_back(IDNO);
    Internals(h.form).acNegativeImageExecute();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].flags, 36);
    EXPECT_EQ(h.form.Canvas()->Bitmap(), indexed);
    EXPECT_TRUE(Internals(h.form).FUndoList.empty());

    // Yes: converted ("色解像度変更") and inverted ("反転"), two steps; two undos restore it.
    h.messages.answers.push_back(IDYES);
    Internals(h.form).acNegativeImageExecute();
    TBitmap expected = indexed.toTrueColor();
    ASSERT_TRUE(NegativeImage(expected, TRegionRef{}, nullptr));
    EXPECT_EQ(h.form.Canvas()->Bitmap(), expected);
    ASSERT_EQ(Internals(h.form).FUndoList.size(), 2u);
    EXPECT_EQ(Internals(h.form).FUndoList[1]->Description, "反転");
    h.form.Action("acUndo")->trigger();
    h.form.Action("acUndo")->trigger();
    EXPECT_EQ(h.form.Canvas()->Bitmap(), indexed);
}

TEST(ImageCommand, ClearBlendsThroughAFeatheredMaskTowardTheBackground)
{
    ScopedConfigDir config;
    Harness h;
    const TBitmap original = Picture(8, 6);
    h.form.Canvas()->SetBitmap(original);
    h.form.ClearUndoHistory();
    EXPECT_FALSE(h.form.Action("acClear")->isEnabled());
    h.form.Canvas()->SetRegion(TRegion::rect({2, 1, 6, 4}));
    h.form.Canvas()->SetSelectionMask(SoftMask(8, 6));
    ASSERT_TRUE(h.form.Canvas()->SelectionMask());
    ASSERT_TRUE(h.form.Action("acClear")->isEnabled());
    h.form.Canvas()->SetBackgroundColor(RGB(200, 100, 50));
    const std::uint8_t* pixels = h.form.Canvas()->Bitmap().bits();

    h.form.Action("acClear")->trigger();

    EXPECT_EQ(h.form.Canvas()->Bitmap().bits(), pixels); // cleared in place: half the picture or less
    const auto expected = ClearSelection(original, h.form.Canvas()->Region(), &*h.form.Canvas()->SelectionMask(),
                                         RGB(200, 100, 50));
    ASSERT_TRUE(expected);
    EXPECT_EQ(h.form.Canvas()->Bitmap(), *expected);
    // Mask 0 at (2, 1): fully the background (blue, green, red in memory).
    const std::uint8_t* p = h.form.Canvas()->Bitmap().scanLine(1) + 6;
    EXPECT_EQ(p[0], 50);
    EXPECT_EQ(p[1], 100);
    EXPECT_EQ(p[2], 200);
    ASSERT_EQ(Internals(h.form).FUndoList.size(), 1u);
    EXPECT_EQ(Internals(h.form).FUndoList[0]->Description, "クリア");
    h.form.Action("acUndo")->trigger();
    EXPECT_EQ(h.form.Canvas()->Bitmap(), original);
}

TEST(ImageCommand, EnlargeColorsKeepsIndicesAndRecordsOneStep)
{
    ScopedConfigDir config;
    Harness h;
    const TBitmap mono = PatternBitmap(9, 3, 1);
    h.form.Canvas()->SetBitmap(mono);
    h.form.ClearUndoHistory();
    h.form.Action("acEnlarge4bitColors")->trigger();
    const auto expected = EnlargeColors(mono, 4);
    ASSERT_TRUE(expected);
    EXPECT_EQ(h.form.Canvas()->Bitmap(), *expected);
    EXPECT_EQ(h.form.Canvas()->BitCount(), 4);
    ASSERT_EQ(Internals(h.form).FUndoList.size(), 1u);
    EXPECT_EQ(Internals(h.form).FUndoList[0]->Description, "増色");
    EXPECT_FALSE(h.form.Action("acEnlarge4bitColors")->isEnabled());
    EXPECT_TRUE(h.form.Action("acEnlarge8bitColors")->isEnabled());

    h.form.Action("acEnlarge24bitColors")->trigger();
    EXPECT_EQ(h.form.Canvas()->Bitmap(), expected->toTrueColor());
    h.form.Action("acUndo")->trigger();
    h.form.Action("acUndo")->trigger();
    EXPECT_EQ(h.form.Canvas()->Bitmap(), mono);
}

TEST(ImageCommand, ColorCountShowsTheCountWithTheInformationIcon)
{
    ScopedConfigDir config;
    Harness h;
    TBitmap indexed = PatternBitmap(6, 6, 4);
    std::vector<TColor> palette = indexed.palette();
    palette[1] = palette[0]; // a repeated colour counts once
    indexed.setPalette(palette);
    h.form.Canvas()->SetBitmap(indexed);
    h.form.UpdateImageActions();
    const int count = CountColors(indexed);
    ASSERT_GT(count, 1);
    h.form.Action("acColorCount")->trigger();
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text, QStringLiteral("このイメージは %1 色使用されています．").arg(count));
    EXPECT_EQ(h.messages.shown[0].flags, 64);
    EXPECT_EQ(h.form.Canvas()->Bitmap(), indexed);
    EXPECT_EQ(Internals(h.form).FBusyDepth, 0);
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
        return std::vector<QAction*>{h.form.Action("acResize"), h.form.Action("acColorCount"),
                                     h.form.Action("acNegativeImage")};
    };
    for (QAction* a : all())
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.bits);
        h.form.Canvas()->SetBitmap(PatternBitmap(4, 4, r.bits));
        h.form.UpdateImageActions();
        EXPECT_TRUE(h.form.Action("acResize")->isEnabled());
        EXPECT_TRUE(h.form.Action("acColorCount")->isEnabled());
        EXPECT_EQ(h.form.Action("acNegativeImage")->isEnabled(), r.negative);
        if (h.form.Action("acReduce8bitColor")) {
            EXPECT_EQ(h.form.Action("acReduce8bitColor")->isEnabled(), r.reduce8);
            EXPECT_EQ(h.form.Action("acReduce4bitColor")->isEnabled(), r.reduce4);
            EXPECT_EQ(h.form.Action("acReduce1bitColor")->isEnabled(), r.reduce1);
        }
        EXPECT_EQ(h.form.Action("acEnlarge4bitColors")->isEnabled(), r.enlarge4);
        EXPECT_EQ(h.form.Action("acEnlarge8bitColors")->isEnabled(), r.enlarge8);
        EXPECT_EQ(h.form.Action("acEnlarge24bitColors")->isEnabled(), r.enlarge24);
        if (h.form.Action("acPaletteEdit")) {
            EXPECT_EQ(h.form.Action("acPaletteEdit")->isEnabled(), r.palette);
            EXPECT_EQ(h.form.Action("acPaletteExport")->isEnabled(), r.palette);
        }
        EXPECT_FALSE(h.form.Action("acClear")->isEnabled());
        EXPECT_FALSE(h.form.Action("acObscureRegion")->isEnabled());
        h.form.Canvas()->SetRegion(TRegion::rect({1, 1, 3, 3}));
        EXPECT_TRUE(h.form.Action("acClear")->isEnabled());
        EXPECT_EQ(h.form.Action("acObscureRegion")->isEnabled(), r.bits == 24);
        if (h.form.Action("acDropShadow")) {
            EXPECT_EQ(h.form.Action("acDropShadow")->isEnabled(), r.bits == 24);
        }
        h.form.Canvas()->DeleteSelection();
        EXPECT_FALSE(h.form.Action("acClear")->isEnabled());
    }
}

TEST(ImageCommand, FeatheringSetsTheSoftMaskAndRemembersThePixelCount)
{
    ScopedConfigDir config;
    Harness h;
    h.form.Canvas()->SetBitmap(Picture(24, 20));
    const TRegion region = TRegion::rect({6, 5, 16, 14});
    h.form.Canvas()->SetRegion(region);
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
    const std::size_t stepsBefore = Internals(h.form).FUndoList.size();
    h.form.Action("acObscureRegion")->trigger();
    EXPECT_EQ(caption, "境界をぼかす");
    ASSERT_TRUE(h.form.Canvas()->SelectionMask());
    EXPECT_EQ(*h.form.Canvas()->SelectionMask(), expected.Mask);
    ASSERT_TRUE(h.form.Canvas()->Region());
    EXPECT_EQ(*h.form.Canvas()->Region(), expected.Region);
    EXPECT_EQ(ReadIniInteger("EFFECT", "ObscureRegion", 0), 3);
    // One selection step, and undo brings back the hard rectangle.
    ASSERT_EQ(Internals(h.form).FUndoList.size(), stepsBefore + 1);
    EXPECT_EQ(QString::fromStdString(Internals(h.form).FUndoList.back()->Description),
              QStringLiteral("選択範囲の変更"));
    h.form.Action("acUndo")->trigger();
    ASSERT_TRUE(h.form.Canvas()->Region());
    EXPECT_EQ(*h.form.Canvas()->Region(), region);
    EXPECT_FALSE(h.form.Canvas()->SelectionMask());
    h.form.Action("acRedo")->trigger();
    ASSERT_TRUE(h.form.Canvas()->SelectionMask());
    EXPECT_EQ(*h.form.Canvas()->SelectionMask(), expected.Mask);

    // One pixel gives a hard mask, which the canvas drops; the region stays widened.
    h.form.Canvas()->SetRegion(region);
    const TObscuredSelection hard = ObscureSelection(RegionToMask(TRegionRef(region), 24, 20), outline, 1);
    AnswerModal<QDialog>([&](QDialog* d) {
        auto* edit = d->findChild<TpxNumericEdit*>();
        EXPECT_EQ(edit->Value(), 3); // remembered
        edit->setText("1");
        d->accept();
    });
    h.form.Action("acObscureRegion")->trigger();
    EXPECT_FALSE(h.form.Canvas()->SelectionMask());
    ASSERT_TRUE(h.form.Canvas()->Region());
    EXPECT_EQ(*h.form.Canvas()->Region(), hard.Region);

    // Cancel: nothing changes and nothing is written.
    const TRegion before = *h.form.Canvas()->Region();
    AnswerModal<QDialog>([&](QDialog* d) {
        d->findChild<TpxNumericEdit*>()->setText("50");
        d->reject();
    });
    h.form.Action("acObscureRegion")->trigger();
    EXPECT_EQ(*h.form.Canvas()->Region(), before);
    EXPECT_EQ(ReadIniInteger("EFFECT", "ObscureRegion", 0), 1);
}
