#include "imaging/raster/BrushStamp.h"

#include "image/NearestPaletteIndex.h"
#include "image/PixelAccess.h"
#include "imaging/raster/LineWalk.h"
#include "imaging/raster/PixelMath.h"

#include <algorithm>
#include <cmath>

namespace kalvo {

namespace {

// The tip columns [c0, c1) that land inside the image; half is the tip's centre offset.
struct TDabSpan {
    int half, c0, c1;
};

TDabSpan DabColumns(const TBitmap& bitmap, int x, int size)
{
    const int half = size / 2;
    const int c0 = std::max(0, half - x);
    const int c1 = std::min(size, bitmap.width() - x + half);
    return {half, c0, c1};
}

// Selection mask row for image row py, or nullptr when everything is selected. `limit` is the
// number of mask columns (pixels beyond it are unselected).
const std::uint8_t* MaskRow(const TBitmap* mask, int py, int& limit)
{
    if (!mask) {
        limit = 0;
        return nullptr;
    }
    if (py >= mask->height()) {
        limit = -1;
        return nullptr;
    }
    limit = mask->width();
    return mask->scanLine(py);
}

// One tip row over image row `row` from column x0: w = 255 - mask (255 without a mask),
// a = w * weight div 255, each channel ((256 - a) * old + a * colour) shr 8. A weight of 0 leaves
// the pixel as it was, so the loop needs no branch.
void BlendDabRow(std::uint8_t* row, const std::uint8_t* maskRow, const std::uint8_t* tip, int x0, int n,
                 const int colour[3])
{
    std::uint8_t* p = row + 3 * std::size_t(x0);
    for (int i = 0; i < n; ++i, p += 3) {
        const int w = maskRow ? 255 - maskRow[x0 + i] : 255;
        const int a = w * tip[i] / 255;
        p[0] = std::uint8_t(((256 - a) * p[0] + a * colour[0]) >> 8);
        p[1] = std::uint8_t(((256 - a) * p[1] + a * colour[1]) >> 8);
        p[2] = std::uint8_t(((256 - a) * p[2] + a * colour[2]) >> 8);
    }
}

void Stamp24(TBitmap& bitmap, const TBitmap* mask, int x, int y, const TpxPenBrush& brush, TColor color)
{
    const TDabSpan span = DabColumns(bitmap, x, brush.Size);
    const int colour[3] = {GetBValue(color), GetGValue(color), GetRValue(color)};
    for (int r = 0; r < brush.Size; ++r) {
        const int py = y - span.half + r;
        if (py < 0 || py >= bitmap.height())
            continue;
        int limit = 0;
        const std::uint8_t* maskRow = MaskRow(mask, py, limit);
        if (limit < 0)
            continue;
        // Pixels beyond the mask's width are not selected.
        const int c1 = maskRow ? std::min(span.c1, limit - x + span.half) : span.c1;
        if (span.c0 < c1)
            BlendDabRow(bitmap.scanLine(py), maskRow, brush.Mask[r] + span.c0, x - span.half + span.c0, c1 - span.c0,
                        colour);
    }
}

void StampIndexed(TBitmap& bitmap, const TBitmap* mask, int x, int y, const TpxPenBrush& brush, int index)
{
    const TDabSpan span = DabColumns(bitmap, x, brush.Size);
    for (int r = 0; r < brush.Size; ++r) {
        const int py = y - span.half + r;
        if (py < 0 || py >= bitmap.height())
            continue;
        int limit = 0;
        const std::uint8_t* maskRow = MaskRow(mask, py, limit);
        if (limit < 0)
            continue;
        std::uint8_t* row = bitmap.scanLine(py);
        for (int c = span.c0; c < span.c1; ++c) {
            const int px = x - span.half + c;
            const bool selected = maskRow ? (px < limit && maskRow[px] != 255) : true;
            if (selected && brush.Mask[r][c] != 0)
                PutPixelIndex(px, row, bitmap.bitCount(), std::uint32_t(index));
        }
    }
}

} // namespace

void StampBrush(TBitmap& bitmap, const TBitmap* mask, int x, int y, const TpxPenBrush& brush, TColor color,
                TBrushTrail& trail)
{
    trail.LastX = x;
    trail.LastY = y;
    if (bitmap.empty() || brush.Size <= 0)
        return;
    if (bitmap.bitCount() == 24) {
        Stamp24(bitmap, mask, x, y, brush, color);
    } else if (bitmap.bitCount() <= 8) {
        // Only the entries a pixel of this depth can address.
        std::vector<TColor> usable = bitmap.palette();
        usable.resize(std::min(usable.size(), std::size_t(1) << bitmap.bitCount()));
        const int index = NearestPaletteIndex(usable, color);
        if (index >= 0)
            StampIndexed(bitmap, mask, x, y, brush, index);
    }
}

void StrokeBrushLine(TBitmap& bitmap, const TBitmap* mask, int x1, int y1, int x2, int y2, int step,
                     const TpxPenBrush& brush, TColor color, TBrushTrail& trail)
{
    const double spacing = std::max(step, 1);
    WalkLine(x1, y1, x2, y2, [&](double px, double py) {
        const double dx = px - trail.LastX, dy = py - trail.LastY;
        if (std::sqrt(dx * dx + dy * dy) >= spacing)
            StampBrush(bitmap, mask, Round(px), Round(py), brush, color, trail);
    });
}

} // namespace kalvo
