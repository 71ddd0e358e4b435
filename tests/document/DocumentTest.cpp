#include "document/Document.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace kalvo;
using kalvo::test::SolidBitmap;

namespace {

TRegionRef rect(int l, int t, int r, int b)
{
    return TRegion::rect({l, t, r, b});
}

// A 10 x 8 picture with its notifications counted.
struct Counted {
    Counted()
    {
        doc.OnPictureReplaced = [this] { ++pictures; };
        doc.OnSelectionReplaced = [this] { ++selections; };
        doc.SetBitmap(SolidBitmap(10, 8, 0x112233));
    }
    TDocument doc;
    int pictures = 0;
    int selections = 0;
};

} // namespace

TEST(Document, PictureIsHeldAt24BitsAndTheReplacedOneHandedBack)
{
    Counted c;
    EXPECT_EQ(c.pictures, 1);
    TBitmap deep(4, 3, 32);
    TBitmap previous = c.doc.ExchangeBitmap(std::move(deep));
    EXPECT_EQ(previous.width(), 10);
    EXPECT_EQ(c.doc.BitCount(), 24);
    EXPECT_EQ(c.doc.ImageRect().right, 4);
    EXPECT_TRUE(c.doc.ImagePalette().empty());
    EXPECT_FALSE(c.doc.SetPaletteEntries({}, 0));
    EXPECT_EQ(c.pictures, 2);
}

TEST(Document, CombinesClipsInvertsAndMovesTheSelection)
{
    Counted c;
    c.doc.InstallSelection(c.doc.ClippedToImage(rect(5, 4, 20, 20)), std::nullopt);
    ASSERT_TRUE(c.doc.Region());
    EXPECT_EQ(*c.doc.Region(), TRegion::rect({5, 4, 10, 8}));
    EXPECT_EQ(c.doc.RegionComplexity(), rcSimple);
    EXPECT_FALSE(c.doc.Outline().empty());
    EXPECT_EQ(c.selections, 1);

    // Adding or subtracting nothing changes nothing; replacing by nothing does.
    EXPECT_FALSE(c.doc.CombineChanges(TRegion(), RGN_OR));
    EXPECT_FALSE(c.doc.CombineChanges(TRegion(), RGN_DIFF));
    EXPECT_TRUE(c.doc.CombineChanges(TRegion(), RGN_COPY));

    TSelection added = c.doc.Combined(rect(0, 0, 2, 2), RGN_OR);
    EXPECT_EQ(added.region->rects().size(), 2u);
    TSelection cut = c.doc.Combined(rect(5, 4, 10, 8), RGN_DIFF);
    EXPECT_TRUE(cut.region->isEmpty());

    // No mask: the inversion is the picture without the region.
    TSelection inverted = c.doc.Inverted(false);
    EXPECT_FALSE(inverted.mask);
    EXPECT_FALSE(inverted.region->contains(6, 5));
    EXPECT_TRUE(inverted.region->contains(0, 0));

    // Moved partly off the picture: only what stays on it.
    TSelection moved = c.doc.Moved(3, 0);
    EXPECT_EQ(*moved.region, TRegion::rect({8, 4, 10, 8}));

    c.doc.RemoveSelection();
    EXPECT_FALSE(c.doc.Region());
    EXPECT_TRUE(c.doc.Outline().empty());
    EXPECT_EQ(c.selections, 2);
}

TEST(Document, MaskFollowsTheRegionAndAHardPictureLeavesNoMask)
{
    Counted c;
    c.doc.InstallSelection(rect(2, 2, 6, 6), std::nullopt);
    c.doc.EnsureSelectionMask();
    ASSERT_TRUE(c.doc.SelectionMask());
    EXPECT_EQ(c.doc.SelectionMask()->scanLine(3)[3], 0);
    EXPECT_EQ(c.doc.SelectionMask()->scanLine(0)[0], 255);
    EXPECT_TRUE(c.doc.IsMaskHard());
    c.doc.MarkMaskUnselected(TRegion::rect({3, 3, 4, 4}));
    EXPECT_EQ(c.doc.SelectionMask()->scanLine(3)[3], 255);

    // Shifted with the selection; the uncovered part is unselected.
    c.doc.MoveSelection(1, 0);
    EXPECT_EQ(c.doc.SelectionMask()->scanLine(2)[2], 255);
    EXPECT_EQ(c.doc.SelectionMask()->scanLine(2)[3], 0);

    // A black-and-white picture says no more than the region.
    c.doc.SetMaskFromPicture(SolidBitmap(10, 8, 0x000000));
    EXPECT_FALSE(c.doc.SelectionMask());
    TBitmap grey = SolidBitmap(10, 8, 0x808080);
    c.doc.SetMaskFromPicture(grey);
    ASSERT_TRUE(c.doc.SelectionMask());
    EXPECT_EQ(c.doc.SelectionMask()->scanLine(0)[0], 128);
    EXPECT_FALSE(c.doc.IsMaskHard());
}
