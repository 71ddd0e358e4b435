#include "imaging/raster/Coverage.h"

#include "imaging/raster/LineWalk.h"
#include "imaging/raster/PixelMath.h"

#include <algorithm>

namespace kalvo {

void StampCoverageRows(TByteTable& table, int x, int y, const TpxPenBrush& brush, int rowBegin, int rowEnd)
{
    const int half = brush.Size / 2;
    const int r0 = std::max(0, rowBegin - (y - half));
    const int r1 = std::min(brush.Size, rowEnd - (y - half));
    const int c0 = std::max(0, half - x);
    const int c1 = std::min(brush.Size, table.width() - x + half);
    if (c0 >= c1)
        return;
    for (int r = r0; r < r1; ++r) {
        const std::uint8_t* tip = brush.Mask[r] + c0;
        std::uint8_t* cell = table[y - half + r] + (x - half + c0);
        for (int n = c1 - c0; n > 0; --n, ++tip, ++cell)
            *cell = std::max(*cell, *tip);
    }
}

void StampCoverage(TByteTable& table, int x, int y, const TpxPenBrush& brush)
{
    StampCoverageRows(table, x, y, brush, 0, table.height());
}

void StrokeCoverageLine(TByteTable& table, int x1, int y1, int x2, int y2, const TpxPenBrush& brush)
{
    WalkLine(x1, y1, x2, y2, [&](double x, double y) { StampCoverage(table, Round(x), Round(y), brush); });
}

} // namespace kalvo
