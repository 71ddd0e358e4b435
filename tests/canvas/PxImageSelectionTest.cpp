#include "CanvasTestSupport.h"
#include "image/Outline.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cstring>

namespace kalvo {
namespace {

using test::SetClientSize;

// A 40 x 30 image at zoom 100, and a spy that records the selection seen by each event.
struct Canvas {
    TpxImage canvas;
    std::vector<bool> beforeHadRegion;
    std::vector<TRegionRef> after;
    Canvas()
    {
        TBitmap image(40, 30, 24);
        image.fill(RGB(200, 100, 50));
        canvas.SetBitmap(image);
        SetClientSize(canvas, 100, 80);
        QObject::connect(&canvas, &TpxImage::OnRegionChange,
                         [this] { beforeHadRegion.push_back(canvas.Region().has_value()); });
        QObject::connect(&canvas, &TpxImage::OnRegionChanged, [this] { after.push_back(canvas.Region()); });
    }
};

TEST(PxImageSelection, SetRegionIsClippedToTheImageAndReportsAfterTheChange)
{
    Canvas c;
    c.canvas.SetRegion(TRegion::rect({30, 20, 100000, 90000}));
    ASSERT_TRUE(c.canvas.Region());
    EXPECT_EQ(c.canvas.Region()->boundingRect(), (TRect{30, 20, 40, 30}));
    EXPECT_EQ(c.canvas.RegionComplexity(), rcSimple);
    EXPECT_TRUE(c.beforeHadRegion.empty()); // no undo step of its own
    ASSERT_EQ(c.after.size(), 1u);
    EXPECT_EQ(c.after[0]->boundingRect(), (TRect{30, 20, 40, 30}));
    // The outline runs round the clipped box: 2 * (10 + 10) unit edges.
    EXPECT_EQ(c.canvas.Outline().size(), 2u * 40u);

    // Wholly outside: no selection.
    c.canvas.SetRegion(TRegion::rect({50, 0, 60, 10}));
    EXPECT_FALSE(c.canvas.Region());
    EXPECT_TRUE(c.canvas.Outline().empty());
}

TEST(PxImageSelection, SelectAllAndDeleteRaiseOneStepEachWithTheOldSelectionBefore)
{
    Canvas c;
    c.canvas.SetRegion(TRegion::rect({2, 3, 8, 9}));
    c.after.clear();
    c.canvas.SelectAll();
    ASSERT_EQ(c.beforeHadRegion, std::vector<bool>{true});
    ASSERT_EQ(c.after.size(), 1u);
    EXPECT_EQ(c.canvas.Region()->boundingRect(), (TRect{0, 0, 40, 30}));
    EXPECT_EQ(c.canvas.RegionComplexity(), rcSimple);

    QSignalSpy deleted(&c.canvas, &TpxImage::OnRegionDeleted);
    c.canvas.DeleteSelection();
    EXPECT_EQ(c.beforeHadRegion.size(), 2u);
    EXPECT_EQ(deleted.count(), 1);
    ASSERT_EQ(c.after.size(), 2u);
    EXPECT_FALSE(c.after[1]);
}

TEST(PxImageSelection, InvertWithoutMaskXorsWithTheImage)
{
    Canvas c;
    c.canvas.InvertSelection(); // nothing selected: everything
    ASSERT_TRUE(c.canvas.Region());
    EXPECT_EQ(c.canvas.Region()->boundingRect(), (TRect{0, 0, 40, 30}));
    c.canvas.SetRegion(TRegion::rect({0, 0, 40, 10}));
    c.canvas.InvertSelection();
    EXPECT_EQ(c.canvas.Region()->rects(), (std::vector<TRect>{{0, 10, 40, 30}}));
    c.canvas.SelectAll();
    c.canvas.InvertSelection(); // nothing left
    EXPECT_FALSE(c.canvas.Region());
    EXPECT_EQ(c.after.size(), 5u);
    EXPECT_FALSE(c.after.back());
}

TEST(PxImageSelection, InvertingAFeatheredSelectionSelectsWhatWasNotFullySelected)
{
    Canvas c;
    // Mask: column 0..9 fully selected (0), 10..19 half (128), the rest not selected (255).
    TBitmap mask(40, 30, 8);
    mask.setPalette(DefaultPalette(8));
    for (int y = 0; y < 30; ++y) {
        std::uint8_t* row = mask.scanLine(y);
        std::memset(row, 0, 10);
        std::memset(row + 10, 128, 10);
        std::memset(row + 20, 255, 20);
    }
    c.canvas.SetRegion(TRegion::rect({0, 0, 20, 30}));
    c.canvas.SetSelectionMask(mask);
    ASSERT_TRUE(c.canvas.SelectionMask());
    c.canvas.InvertSelection();
    ASSERT_TRUE(c.canvas.Region());
    EXPECT_EQ(c.canvas.Region()->rects(), (std::vector<TRect>{{10, 0, 40, 30}}));
    ASSERT_TRUE(c.canvas.SelectionMask());
    const std::uint8_t* row = c.canvas.SelectionMask()->scanLine(5);
    EXPECT_EQ(row[3], 255);
    EXPECT_EQ(row[15], 127);
    EXPECT_EQ(row[30], 0);
    // The outline follows the mask: the left edge of the new region at x = 10.
    TPoints expected;
    Bitmap8ToPoints(&*c.canvas.SelectionMask(), expected);
    EXPECT_EQ(c.canvas.Outline(), expected);
}

TEST(PxImageSelection, SetSelectionMaskDrawsOverAnAll255MaskAndDropsAHardOne)
{
    Canvas c;
    c.canvas.SetRegion(TRegion::rect({0, 0, 5, 5}));
    TBitmap small(5, 5, 8);
    small.setPalette(DefaultPalette(8));
    std::memset(small.bits(), 0, small.byteSize());
    small.scanLine(2)[2] = 64;
    c.canvas.SetSelectionMask(small);
    ASSERT_TRUE(c.canvas.SelectionMask());
    EXPECT_EQ(c.canvas.SelectionMask()->width(), 40);
    EXPECT_EQ(c.canvas.SelectionMask()->scanLine(2)[2], 64);
    EXPECT_EQ(c.canvas.SelectionMask()->scanLine(2)[7], 255);
    EXPECT_EQ(c.canvas.SelectionMask()->scanLine(10)[2], 255);
    small.scanLine(2)[2] = 0;
    c.canvas.SetSelectionMask(small);
    EXPECT_FALSE(c.canvas.SelectionMask());
    EXPECT_TRUE(c.canvas.IsMaskHard());
}

TEST(PxImageSelection, BrushModeWorksOnAMaskThatIsDroppedAgainWhenHard)
{
    Canvas c;
    c.canvas.SetMouseMode(mmBrush);
    ASSERT_TRUE(c.canvas.SelectionMask());
    const TBitmap& all = *c.canvas.SelectionMask();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(all.scanLine(y)[x], 0) << x << "," << y;
    EXPECT_FALSE(c.canvas.Region());
    c.canvas.SetMouseMode(mmSelectRect);
    EXPECT_FALSE(c.canvas.SelectionMask());

    // With a selection the brush mask is 0 inside, 255 outside; a removed selection leaves the
    // all-selected mask again.
    c.canvas.SetRegion(TRegion::rect({1, 1, 3, 3}));
    c.canvas.SetMouseMode(mmBrush);
    ASSERT_TRUE(c.canvas.SelectionMask());
    EXPECT_EQ(c.canvas.SelectionMask()->scanLine(1)[1], 0);
    EXPECT_EQ(c.canvas.SelectionMask()->scanLine(1)[3], 255);
    c.canvas.DeleteSelection();
    ASSERT_TRUE(c.canvas.SelectionMask());
    EXPECT_EQ(c.canvas.SelectionMask()->scanLine(1)[3], 0);
}

TEST(PxImageSelection, CombiningRecordsOneStepAndEmptyShapesLeaveTheSelection)
{
    Canvas c;
    c.canvas.SetRegion(TRegion::rect({0, 0, 10, 10}));
    c.after.clear();
    // Adding or subtracting an empty shape: nothing happens.
    c.canvas.CombineSelection(TRegion(), RGN_OR);
    c.canvas.CombineSelection(TRegion(), RGN_DIFF);
    EXPECT_TRUE(c.beforeHadRegion.empty());
    EXPECT_EQ(c.canvas.Region()->boundingRect(), (TRect{0, 0, 10, 10}));
    // Add, subtract.
    EXPECT_EQ(c.canvas.CombineSelection(TRegion::rect({10, 0, 20, 10}), RGN_OR), rcSimple);
    EXPECT_EQ(c.canvas.Region()->boundingRect(), (TRect{0, 0, 20, 10}));
    EXPECT_EQ(c.canvas.CombineSelection(TRegion::rect({5, 0, 15, 5}), RGN_DIFF), rcComplex);
    // Replacing by an empty shape removes it with one step.
    c.beforeHadRegion.clear();
    c.after.clear();
    EXPECT_EQ(c.canvas.CombineSelection(TRegion(), RGN_COPY), 0);
    EXPECT_FALSE(c.canvas.Region());
    EXPECT_EQ(c.beforeHadRegion, std::vector<bool>{true});
    EXPECT_EQ(c.after.size(), 1u);
    // Subtracting everything removes it, again with one step.
    c.canvas.SetRegion(TRegion::rect({0, 0, 10, 10}));
    c.beforeHadRegion.clear();
    c.canvas.CombineSelection(TRegion::rect({0, 0, 40, 30}), RGN_DIFF);
    EXPECT_FALSE(c.canvas.Region());
    EXPECT_EQ(c.beforeHadRegion.size(), 1u);
}

} // namespace
} // namespace kalvo
