#include "imaging/raster/PenBrush.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kalvo::test {

inline std::vector<std::vector<int>> TipRows(const TpxPenBrush& brush)
{
    std::vector<std::vector<int>> rows(std::size_t(brush.Size));
    for (int r = 0; r < brush.Size; ++r)
        rows[std::size_t(r)].assign(brush.Mask[r], brush.Mask[r] + brush.Size);
    return rows;
}

inline std::vector<std::vector<int>> Tip(int size, int hardness, TpxBrushStyle style)
{
    TpxPenBrush brush;
    BuildBrush(brush, size, hardness, style);
    return TipRows(brush);
}

} // namespace kalvo::test

using namespace kalvo;
using kalvo::test::Tip;
using Rows = std::vector<std::vector<int>>;

TEST(PenBrush, TinyTipsAreSolidWhateverTheShapeAndSizeIsLimited)
{
    for (int style = 0; style < 6; ++style) {
        EXPECT_EQ(Tip(1, 0, TpxBrushStyle(style)), (Rows{{255}}));
        EXPECT_EQ(Tip(2, 37, TpxBrushStyle(style)), (Rows{{255, 255}, {255, 255}}));
    }
    EXPECT_EQ(Tip(0, 0, TpxBrushStyle::pxsRound), (Rows{{255}}));
    EXPECT_EQ(Tip(-5, 0, TpxBrushStyle::pxsRound), (Rows{{255}}));
    TpxPenBrush big;
    BuildBrush(big, 300, 100, TpxBrushStyle::pxsSquare);
    EXPECT_EQ(big.Size, 200);
    EXPECT_EQ(big.Mask[199][199], 255);
    FreeBrush(big);
    EXPECT_EQ(big.Size, 0);
    EXPECT_TRUE(big.Mask.empty());
}

TEST(PenBrush, RoundTipIsAConeAtHardnessZeroAndADiscAtHundred)
{
    EXPECT_EQ(Tip(4, 0, TpxBrushStyle::pxsRound),
              (Rows{{0, 54, 54, 0}, {54, 165, 165, 54}, {54, 165, 165, 54}, {0, 54, 54, 0}}));
    EXPECT_EQ(Tip(4, 50, TpxBrushStyle::pxsRound),
              (Rows{{0, 107, 107, 0}, {107, 255, 255, 107}, {107, 255, 255, 107}, {0, 107, 107, 0}}));
    EXPECT_EQ(Tip(4, 100, TpxBrushStyle::pxsRound),
              (Rows{{0, 255, 255, 0}, {255, 255, 255, 255}, {255, 255, 255, 255}, {0, 255, 255, 0}}));
    EXPECT_EQ(Tip(5, 0, TpxBrushStyle::pxsRound),
              (Rows{{0, 27, 51, 27, 0},
                    {27, 111, 153, 111, 27},
                    {51, 153, 255, 153, 51},
                    {27, 111, 153, 111, 27},
                    {0, 27, 51, 27, 0}}));
    const Rows ten = Tip(10, 0, TpxBrushStyle::pxsRound);
    EXPECT_EQ(ten[4][4], 219);
    EXPECT_EQ(ten[5][5], 219);
    EXPECT_EQ(ten[0][0], 0);
    EXPECT_EQ(ten[9][9], 0);
}

TEST(PenBrush, SquareTipGrowsByRingAndTruncatesEachStep)
{
    EXPECT_EQ(Tip(4, 0, TpxBrushStyle::pxsSquare), Rows(4, std::vector<int>(4, 63)));
    EXPECT_EQ(Tip(4, 50, TpxBrushStyle::pxsSquare), Rows(4, std::vector<int>(4, 127)));
    EXPECT_EQ(Tip(4, 100, TpxBrushStyle::pxsSquare), Rows(4, std::vector<int>(4, 255)));
    // Size 6: ring 0 gets k, the 4 x 4 inside gets k twice; k = 42.5 at 0, 85 at 50.
    const Rows soft = Tip(6, 0, TpxBrushStyle::pxsSquare);
    EXPECT_EQ(soft[0], (std::vector<int>{42, 42, 42, 42, 42, 42}));
    EXPECT_EQ(soft[1], (std::vector<int>{42, 84, 84, 84, 84, 42}));
    EXPECT_EQ(soft[3], (std::vector<int>{42, 84, 84, 84, 84, 42}));
    const Rows half = Tip(6, 50, TpxBrushStyle::pxsSquare);
    EXPECT_EQ(half[2], (std::vector<int>{85, 170, 170, 170, 170, 85}));
    EXPECT_EQ(Tip(6, 100, TpxBrushStyle::pxsSquare), Rows(6, std::vector<int>(6, 255)));
}

TEST(PenBrush, SlashesAreFansOfDiagonals)
{
    EXPECT_EQ(Tip(4, 0, TpxBrushStyle::pxsLSlash),
              (Rows{{255, 255, 127, 0}, {255, 255, 255, 127}, {127, 255, 255, 255}, {0, 127, 255, 255}}));
    EXPECT_EQ(Tip(4, 50, TpxBrushStyle::pxsLSlash),
              (Rows{{255, 255, 191, 0}, {255, 255, 255, 191}, {191, 255, 255, 255}, {0, 191, 255, 255}}));
    EXPECT_EQ(Tip(4, 100, TpxBrushStyle::pxsLSlash),
              (Rows{{255, 255, 255, 0}, {255, 255, 255, 255}, {255, 255, 255, 255}, {0, 255, 255, 255}}));
    // The right slash is the left one mirrored.
    for (int h : {0, 50, 100}) {
        Rows mirrored = Tip(7, h, TpxBrushStyle::pxsLSlash);
        for (auto& row : mirrored)
            std::reverse(row.begin(), row.end());
        EXPECT_EQ(Tip(7, h, TpxBrushStyle::pxsRSlash), mirrored) << "hardness " << h;
    }
}

TEST(PenBrush, WideSlashesLoseTwiceTheStepAlongTheBorder)
{
    // Size 8: w = 3, k = 85; lines 0 and 1 are 255, 2 is 170, 3 is 85; the border loses Round(k).
    const Rows tip = Tip(8, 0, TpxBrushStyle::pxsLSlash);
    EXPECT_EQ(tip[0][0], 85);  // top and left border both
    EXPECT_EQ(tip[0][1], 170); // line 1, top border
    EXPECT_EQ(tip[0][2], 85);  // line 2, top border
    EXPECT_EQ(tip[0][3], 0);
    EXPECT_EQ(tip[1][1], 255);
    EXPECT_EQ(tip[2][4], 170);
    EXPECT_EQ(tip[4][1], 85);
    EXPECT_EQ(tip[7][7], 85);
    EXPECT_EQ(tip[7][6], 170); // line 1 of the second fan, bottom border
    EXPECT_EQ(tip[7][4], 0);   // line 3 loses all of its 85 on the border
    // Size 16: w = 5 > 3, so the border loses Round(2k) = Round(102) = 102.
    const Rows wide = Tip(16, 0, TpxBrushStyle::pxsLSlash);
    EXPECT_EQ(wide[0][1], 255 - 102);
    EXPECT_EQ(wide[5][5], 255);
}

TEST(PenBrush, StripesFallOffFromTheCentreLine)
{
    // Size 5 at hardness 0: k = 127.5, ends lose Round(127.5) = 128 (ties to even).
    EXPECT_EQ(Tip(5, 0, TpxBrushStyle::pxsHorz),
              (Rows{{0, 0, 0, 0, 0},
                    {0, 127, 127, 127, 0},
                    {127, 255, 255, 255, 127},
                    {0, 127, 127, 127, 0},
                    {0, 0, 0, 0, 0}}));
    EXPECT_EQ(Tip(5, 50, TpxBrushStyle::pxsHorz),
              (Rows{{63, 127, 127, 127, 63},
                    {127, 191, 191, 191, 127},
                    {191, 255, 255, 255, 191},
                    {127, 191, 191, 191, 127},
                    {63, 127, 127, 127, 63}}));
    EXPECT_EQ(Tip(5, 100, TpxBrushStyle::pxsHorz), Rows(5, std::vector<int>(5, 255)));
    // Sizes 3 and 4 have one stripe on each side of the centre and no fall-off.
    EXPECT_EQ(Tip(3, 0, TpxBrushStyle::pxsHorz), Rows(3, std::vector<int>(3, 255)));
    EXPECT_EQ(Tip(4, 0, TpxBrushStyle::pxsHorz),
              (Rows{{0, 0, 0, 0}, {255, 255, 255, 255}, {255, 255, 255, 255}, {255, 255, 255, 255}}));
    // Vertical stripes are the horizontal ones transposed.
    for (int h : {0, 50, 100}) {
        const Rows horz = Tip(9, h, TpxBrushStyle::pxsHorz);
        const Rows vert = Tip(9, h, TpxBrushStyle::pxsVert);
        for (int r = 0; r < 9; ++r)
            for (int c = 0; c < 9; ++c)
                ASSERT_EQ(vert[r][c], horz[c][r]) << "hardness " << h;
    }
}

TEST(PenBrush, StyleOutsideTheEnumerationLeavesTheTipEmpty)
{
    EXPECT_EQ(Tip(4, 50, TpxBrushStyle(6)), Rows(4, std::vector<int>(4, 0)));
    EXPECT_EQ(Tip(4, 0, TpxBrushStyle::pxsRound), Tip(4, -20, TpxBrushStyle::pxsRound));
    TpxPenBrush soft, zero;
    BuildSoftBrush(soft, 7, TpxBrushStyle::pxsRound);
    BuildBrush(zero, 7, 0, TpxBrushStyle::pxsRound);
    EXPECT_EQ(kalvo::test::TipRows(soft), kalvo::test::TipRows(zero));
}
