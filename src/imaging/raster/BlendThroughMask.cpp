#include "imaging/raster/BlendThroughMask.h"

#include "imaging/raster/RowDriver.h"

#include <algorithm>
#include <cstring>

namespace kalvo {

namespace {

// Pixels [0, n) of one row: fully selected rows take the source as it is, unselected rows are
// left, the rest mix pixel by pixel.
void BlendRow(std::uint8_t* out, const std::uint8_t* in, const std::uint8_t* m, int n)
{
    switch (MaskCover(m, n)) {
    case TMaskCover::None: return;
    case TMaskCover::All: std::memcpy(out, in, std::size_t(n) * 3); return;
    case TMaskCover::Partly: break;
    }
    for (int x = 0; x < n; ++x) {
        const unsigned l = m[x];
        if (l == 255)
            continue;
        for (int c = 3 * x; c < 3 * x + 3; ++c)
            out[c] = std::uint8_t(((255 - l) * in[c] + l * out[c]) / 255);
    }
}

} // namespace

bool BlendThroughMask(TBitmap& target, const TBitmap& mask, const TBitmap& source, QPoint at)
{
    if (target.bitCount() != 24 || source.bitCount() != 24 || mask.bitCount() != 8 || at.x() < 0 || at.y() < 0)
        return false;
    const int width = std::max(0, std::min({target.width() - at.x(), mask.width() - at.x(), source.width()}));
    const int height = std::min({target.height() - at.y(), mask.height() - at.y(), source.height()});
    const std::size_t left = std::size_t(at.x());
    DriveRows(height, width, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y)
            BlendRow(target.scanLine(at.y() + y) + 3 * left, source.scanLine(y), mask.scanLine(at.y() + y) + left,
                     width);
    });
    return true;
}

} // namespace kalvo
