#include "MainWindowHarness.h"
#include "app/mainform/MainForm.h"
#include "canvas/PxImage.h"
#include "codecs/bmp/BmpFormat.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace kalvo;
using namespace kalvo::test;

TEST(MainFormOperation, RequireTrueColorAsksAndConvertsWithAnUndoStep)
{
    Harness h;
    Internals(h.form).FMaxUndo = 16;
    const TBitmap indexed = PatternBitmap(7, 5, 8);
    h.form.Canvas()->SetBitmap(indexed);
    h.form.ClearUndoHistory();

    h.messages.answers.push_back(IDNO);
    EXPECT_FALSE(h.form.RequireTrueColor());
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_EQ(h.messages.shown[0].text,
              "この機能は24bitフルカラーでないと実行できません。\r\nここでフルカラーに変換してもよろしいですか？");
    EXPECT_EQ(h.messages.shown[0].flags, 36);
    EXPECT_EQ(h.form.Canvas()->BitCount(), 8);

    h.messages.answers.push_back(IDYES);
    EXPECT_TRUE(h.form.RequireTrueColor());
    EXPECT_EQ(h.form.Canvas()->BitCount(), 24);
    EXPECT_EQ(h.form.Canvas()->Bitmap(), indexed.toTrueColor());
    ASSERT_EQ(Internals(h.form).FUndoList.size(), 1u);
    EXPECT_EQ(Internals(h.form).FUndoList[0]->Description, "色解像度変更");
    EXPECT_TRUE(Internals(h.form).FModified);

    // Already full colour: no question.
    EXPECT_TRUE(h.form.RequireTrueColor());
    EXPECT_EQ(h.messages.shown.size(), 2u);
    h.form.Action("acUndo")->trigger();
    EXPECT_EQ(h.form.Canvas()->Bitmap(), indexed);
}

TEST(MainFormOperation, ScaffoldingCopiesTheImageAndTheSelection)
{
    Harness h;
    h.form.Canvas()->SetBitmap(PatternBitmap(8, 6, 24));
    TBitmap copy, mask;
    TRegionRef region;
    h.form.BeginImageOperation(copy, region);
    EXPECT_EQ(Internals(h.form).FBusyDepth, 1);
    EXPECT_EQ(copy, h.form.Canvas()->Bitmap());
    ASSERT_TRUE(region);
    EXPECT_EQ(*region, TRegion::rect({0, 0, 8, 6})); // no selection: the whole image
    h.form.EndImageOperation(copy, region);
    EXPECT_EQ(Internals(h.form).FBusyDepth, 0);
    EXPECT_TRUE(copy.empty());

    h.form.Canvas()->SetRegion(TRegion::rect({2, 1, 5, 3}));
    h.form.BeginMaskOperation(copy, mask);
    ASSERT_EQ(mask.bitCount(), 8);
    EXPECT_EQ(mask.scanLine(1)[2], 0);   // selected
    EXPECT_EQ(mask.scanLine(0)[0], 255); // not selected
    h.form.EndMaskOperation(copy, mask);
    EXPECT_EQ(Internals(h.form).FBusyDepth, 0);
}

TEST(MainFormOperation, LosslessJpegIsEnabledOnlyForJpegFileNames)
{
    TempDir dir;
    Harness h;
    EXPECT_FALSE(h.form.Action("acLoassLessJpeg")->isEnabled());
    const std::string bmp = dir.file("a.bmp");
    WriteAll(bmp, BmpBytes(PatternBitmap(4, 4, 24)));
    ASSERT_TRUE(h.form.OpenImageFile(QString::fromStdString(bmp)));
    EXPECT_FALSE(h.form.Action("acLoassLessJpeg")->isEnabled());
    // Saved under a JPEG name (any letter case) the command becomes available.
    h.dialogs->saveAnswers.push_back(QString::fromStdString(dir.file("a.JPe")));
    h.form.Action("acSaveAs")->trigger();
    ASSERT_EQ(Internals(h.form).FFileInfo.Result, 0);
    EXPECT_TRUE(h.form.Action("acLoassLessJpeg")->isEnabled());
}
