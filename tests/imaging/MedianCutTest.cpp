#include "imaging/quantize/MedianCut.h"
#include "image/Bitmap.h"
#include "image/PixelAccess.h"
#include "imaging/colour/PixelIndex.h"
#include "imaging/quantize/ErrorDiffusion.h"
#include "imaging/quantize/MedianCutQuantizeColor.h"
#include "imaging/quantize/MedianCutReduce.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace kalvo {
namespace {

// A 24-bit image of one row holding the given colours.
TBitmap rowOf(const std::vector<TColor>& colours)
{
    TBitmap bmp(int(colours.size()), 1, 24);
    std::uint8_t* p = bmp.scanLine(0);
    for (TColor c : colours) {
        *p++ = std::uint8_t(GetBValue(c));
        *p++ = std::uint8_t(GetGValue(c));
        *p++ = std::uint8_t(GetRValue(c));
    }
    return bmp;
}

std::vector<unsigned> indicesOf(const TBitmap& bmp)
{
    std::vector<unsigned> out;
    for (int x = 0; x < bmp.width(); ++x)
        out.push_back(IndexAt(bmp.scanLine(0), x, bmp.bitCount()));
    return out;
}

TEST(MedianCut, CellNumberFromKey)
{
    EXPECT_EQ(TMedianCut::CellOf(0x000000), 0u);
    EXPECT_EQ(TMedianCut::CellOf(0xFFFFFF), 131071u);
    // red 8 -> 2, green 12 -> 3, blue 16 -> 2
    EXPECT_EQ(TMedianCut::CellOf(0x080C10), 2u * 2048 + 3u * 32 + 2u);
}

TEST(MedianCut, OneColourGivesOneEntryAtAnyDepth)
{
    const TBitmap image = rowOf({RGB(10, 20, 30), RGB(10, 20, 30), RGB(10, 20, 30)});
    const TBitmap result = MedianCutReduce(image, 8);
    ASSERT_EQ(result.bitCount(), 8);
    EXPECT_EQ(result.palette(), std::vector<TColor>{RGB(10, 20, 30)});
    EXPECT_EQ(indicesOf(result), (std::vector<unsigned>{0, 0, 0}));
}

TEST(MedianCut, ColoursOfOneCellShareTheirTruncatedMean)
{
    // Same cell: red and green differ in the low two bits, blue in the low three.
    const TBitmap image = rowOf({RGB(100, 100, 100), RGB(101, 102, 103), RGB(101, 102, 103)});
    const TBitmap result = MedianCutReduce(image, 8);
    // red 100 + (0+1+1)/3, green 100 + (0+2+2)/3, blue 96 + (4+7+7)/3
    EXPECT_EQ(result.palette(), std::vector<TColor>{RGB(100, 101, 102)});
}

TEST(MedianCut, UpperPartOfASplitComesFirst)
{
    // Weighted red mean (3*200)/4 = 150; red has the only variance, so black goes below.
    const TBitmap image = rowOf({RGB(0, 0, 0), RGB(200, 0, 0), RGB(200, 0, 0), RGB(200, 0, 0)});
    const TBitmap result = MedianCutReduce(image, 1);
    EXPECT_EQ(result.palette(), (std::vector<TColor>{RGB(200, 0, 0), RGB(0, 0, 0)}));
    EXPECT_EQ(indicesOf(result), (std::vector<unsigned>{1, 0, 0, 0}));
}

TEST(MedianCut, WorkedSplitOfThreePrimaries)
{
    // Depth 2. First split: vR = 16383.5 and vG = vB = 12287.25, so red (4*vG <= 3*vR); the
    // red cell is above the mean 127. It stays whole; green and blue are split on green next.
    const TBitmap image = rowOf({RGB(0, 0, 255), RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 0, 0)});
    const TBitmap result = ReduceColorsMedianCut(image, 2, false);
    ASSERT_EQ(result.bitCount(), 4);
    EXPECT_EQ(result.palette(), (std::vector<TColor>{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)}));
    EXPECT_EQ(indicesOf(result), (std::vector<unsigned>{2, 0, 1, 0}));
}

TEST(MedianCut, DistinctColoursEachGetAnEntryWhenThereIsRoom)
{
    std::vector<TColor> colours;
    for (int k = 0; k < 16; ++k)
        colours.push_back(RGB(k * 16, 255 - k * 16, (k * 80) % 256));
    const TBitmap image = rowOf(colours);
    const TBitmap result = MedianCutReduce(image, 8);
    ASSERT_EQ(result.palette().size(), 16u);
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(result.palette()[IndexAt(result.scanLine(0), x, 8)], colours[std::size_t(x)]) << x;
}

TEST(MedianCut, DitheredPaletteHoldsAnEntryOfEmptyCells)
{
    // Black is the only pixel colour: the empty cells above it (all of them) form one entry whose
    // colour is the unweighted mean of their centres, 16777214 / 131071 = 128 on each channel.
    const TBitmap image = rowOf({RGB(0, 0, 0), RGB(0, 0, 0)});
    const TBitmap result = MedianCutReduceDither(image, 1);
    ASSERT_EQ(result.bitCount(), 8);
    EXPECT_EQ(result.palette(), (std::vector<TColor>{RGB(128, 128, 128), RGB(0, 0, 0)}));
    EXPECT_EQ(indicesOf(result), (std::vector<unsigned>{1, 1}));
}

TEST(MedianCut, SixteenColourReductionWithTwoEntriesIsOneBit)
{
    const TBitmap image = rowOf({RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255)});
    const TBitmap result = ReduceColorsMedianCut(image, 4, false);
    ASSERT_EQ(result.bitCount(), 1);
    EXPECT_EQ(result.palette(), (std::vector<TColor>{RGB(255, 255, 255), RGB(0, 0, 0)}));
    EXPECT_EQ(result.scanLine(0)[0], 0b01000000);
}

TEST(MedianCut, DriverConvertsPaletteSources)
{
    TBitmap source(3, 1, 4);
    source.setPalette({RGB(255, 0, 0), RGB(0, 0, 255)});
    PutPixelIndex(2, source.scanLine(0), 4, 1);
    const TBitmap result = ReduceColorsMedianCut(source, 8, false);
    ASSERT_EQ(result.bitCount(), 8);
    EXPECT_EQ(result.palette()[result.scanLine(0)[0]], RGB(255, 0, 0));
    EXPECT_EQ(result.palette()[result.scanLine(0)[2]], RGB(0, 0, 255));
}

TEST(MedianCut, RejectsBadDepthOrSource)
{
    const TBitmap image = rowOf({RGB(1, 2, 3)});
    EXPECT_THROW(MedianCutReduce(image, -1), std::logic_error);
    EXPECT_THROW(MedianCutReduce(image, 9), std::logic_error);
    EXPECT_THROW(MedianCutReduce(TBitmap(2, 2, 8), 8), std::logic_error);
    EXPECT_THROW(MedianCutReduceDither(TBitmap(2, 2, 32), 8), std::logic_error);
}

std::uint32_t keyOf(TColor c)
{
    return (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

TEST(MedianCut, DitheredPixelsShowTheColoursTheDiffusionChose)
{
    // A busy gradient, so that some box means fall into cells that belong to other boxes: the
    // index written must still be that of the entry the diffusion chose, not of the cell the
    // chosen colour lies in.
    TBitmap image(96, 32, 24);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            std::uint8_t* p = image.scanLine(y) + 3 * x;
            p[0] = std::uint8_t(x * 5 + y * 3);
            p[1] = std::uint8_t((x * y) & 0xFF);
            p[2] = std::uint8_t(255 - x * 2 - y);
        }
    TMedianCut reference;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const std::uint8_t* p = image.scanLine(y) + 3 * x;
            reference.AddColor(QuantizeKey(p[2], p[1], p[0]));
        }
    reference.Build(8, false);
    const TBitmap dithered = ErrorDiffusion(image, TMedianCutQuantizeColor(reference));

    const TBitmap result = MedianCutReduceDither(image, 8);
    ASSERT_EQ(result.bitCount(), 8);
    EXPECT_EQ(result.palette(), reference.MakePalette());
    int cellWouldMislead = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const std::uint8_t* chosen = dithered.scanLine(y) + 3 * x;
            const std::uint8_t index = result.scanLine(y)[x];
            ASSERT_EQ(result.palette()[index], RGB(chosen[2], chosen[1], chosen[0])) << x << "," << y;
            const std::uint8_t cellIndex = reference.ColorIndex(keyOf(result.palette()[index]));
            cellWouldMislead += result.palette()[cellIndex] != result.palette()[index];
        }
    EXPECT_GT(cellWouldMislead, 0) << "the picture no longer has a box mean outside its own box";
}

} // namespace
} // namespace kalvo
