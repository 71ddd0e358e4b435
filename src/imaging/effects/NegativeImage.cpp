#include "imaging/effects/NegativeImage.h"

#include "image/RegionConvert.h"
#include "imaging/raster/PixelMath.h"
#include "imaging/raster/RowDriver.h"

#include <algorithm>
#include <array>

namespace kalvo {

namespace {

// The new value of channel d for each mask value, so that the row loop is a table look-up.
using TNegativeTable = std::array<std::array<std::uint8_t, 256>, 256>;

const TNegativeTable& NegativeTable()
{
    static const TNegativeTable table = [] {
        TNegativeTable t{};
        for (int m = 0; m < 256; ++m) {
            const double c = m / 255.0;
            for (int d = 0; d < 256; ++d)
                t[m][d] = std::uint8_t(Round(d * c + (1 - c) * (255 - d)));
        }
        return t;
    }();
    return table;
}

// The straight inversion of bytes [begin, end) of a row: what the table gives for mask value 0.
void InvertBytes(std::uint8_t* p, int begin, int end)
{
    for (int i = begin; i < end; ++i)
        p[i] = std::uint8_t(255 - p[i]);
}

// Pixels [left, right) of a row through mask values m (m[x] for pixel x).
void NegativeThroughMask(std::uint8_t* p, const std::uint8_t* m, int left, int right)
{
    switch (MaskCover(m + left, right - left)) {
    case TMaskCover::None:
        return;
    case TMaskCover::All:
        InvertBytes(p, 3 * left, 3 * right);
        return;
    case TMaskCover::Partly:
        break;
    }
    const TNegativeTable& table = NegativeTable();
    for (int x = left; x < right; ++x) {
        const int value = m[x];
        if (value == 255)
            continue;
        const auto& row = table[value];
        p[3 * x] = row[p[3 * x]];
        p[3 * x + 1] = row[p[3 * x + 1]];
        p[3 * x + 2] = row[p[3 * x + 2]];
    }
}

} // namespace

bool NegativeImageArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask,
                   const TProgressCallback& progress)
{
    if (bitmap.empty() || bitmap.bitCount() != 24)
        return false;
    QRect box(0, 0, bitmap.width(), bitmap.height());
    if (area)
        box = box.intersected(*area);
    const int top = box.top(), rows = std::max(box.height(), 0);
    const int left = box.left(), right = box.left() + std::max(box.width(), 0);
    // Columns at or beyond the mask's width are outside it, so not selected.
    const int maskRight = mask ? std::min(right, mask->width()) : right;
    NegativeTable(); // built once here rather than raced for by the threads
    auto work = [&](int y0, int y1) {
        for (int y = top + y0; y < top + y1; ++y) {
            std::uint8_t* p = bitmap.scanLine(y);
            if (!mask)
                InvertBytes(p, 3 * left, 3 * right);
            else if (y < mask->height() && left < maskRight)
                NegativeThroughMask(p, mask->scanLine(y), left, maskRight);
        }
    };
    if (progress)
        DriveRows(rows, right - left, [&](int y) { progress(RowPercent(y, rows)); }, work);
    else
        DriveRows(rows, right - left, work);
    return true;
}

bool NegativeImage(TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask,
                   const TProgressCallback& progress)
{
    if (!region)
        return NegativeImageArea(bitmap, std::nullopt, mask, progress);
    const TRect box = region->boundingRect();
    const QRect area(box.left, box.top, box.width(), box.height());
    if (mask || bitmap.bitCount() != 24)
        return NegativeImageArea(bitmap, area, mask, progress);
    const TBitmap regionMask = RegionToMask(region, bitmap.width(), bitmap.height());
    return NegativeImageArea(bitmap, area, &regionMask, progress);
}

} // namespace kalvo
