#include "imaging/effects/NegativeImage.h"

#include "image/RegionConvert.h"
#include "imaging/raster/PixelMath.h"

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

} // namespace

bool NegativeImageArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask,
                   const TProgressCallback& progress)
{
    if (bitmap.empty() || bitmap.bitCount() != 24)
        return false;
    QRect box(0, 0, bitmap.width(), bitmap.height());
    if (area)
        box = box.intersected(*area);
    const TNegativeTable& table = NegativeTable();
    for (int y = box.top(); y < box.top() + box.height(); ++y) {
        if (progress)
            progress(RowPercent(y - box.top(), box.height()));
        const std::uint8_t* m = mask && y < mask->height() ? mask->scanLine(y) : nullptr;
        std::uint8_t* p = bitmap.scanLine(y);
        for (int x = box.left(); x < box.left() + box.width(); ++x) {
            const int value = mask ? (m && x < mask->width() ? m[x] : 255) : 0;
            if (value == 255)
                continue;
            for (int c = 0; c < 3; ++c)
                p[3 * x + c] = table[value][p[3 * x + c]];
        }
    }
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
