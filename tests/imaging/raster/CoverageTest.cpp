#include "imaging/raster/Coverage.h"

#include <gtest/gtest.h>

using namespace kalvo;

TEST(Coverage, StampsCombineByMaximumAndClipAtTheTable)
{
    TByteTable table(6, 5);
    table[1][1] = 200;
    TpxPenBrush tip;
    BuildBrush(tip, 4, 0, TpxBrushStyle::pxsRound); // 0 54 54 0 / 54 165 165 54 / ...
    StampCoverage(table, 1, 1, tip);                // covers x -1..2, y -1..2
    EXPECT_EQ(table[0][0], 165);
    EXPECT_EQ(table[1][1], 200); // kept: larger than the tip's 54
    EXPECT_EQ(table[2][2], 0);   // tip corner
    EXPECT_EQ(table[0][1], 165);
    EXPECT_EQ(table[0][2], 54);
    EXPECT_EQ(table[0][3], 0);
    StampCoverage(table, 5, 4, tip); // covers x 3..6, y 2..5
    EXPECT_EQ(table[4][5], 165);
    EXPECT_EQ(table[3][4], 165);
    EXPECT_EQ(table[2][3], 0);
    StampCoverage(table, -3, -3, tip); // entirely outside
    StampCoverage(table, 20, 20, tip);
}

TEST(Coverage, LineStampsEveryWalkedPosition)
{
    TByteTable table(8, 3);
    TpxPenBrush dot;
    BuildBrush(dot, 1, 0, TpxBrushStyle::pxsRound);
    StrokeCoverageLine(table, 6, 2, 0, 0, dot); // walked from (0, 0): y = 0, 1/3, 2/3, 1, ...
    const int expected[3][8] = {
        {255, 255, 0, 0, 0, 0, 0, 0}, {0, 0, 255, 255, 255, 0, 0, 0}, {0, 0, 0, 0, 0, 255, 255, 0}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(table[y][x], expected[y][x]) << x << "," << y;
}
