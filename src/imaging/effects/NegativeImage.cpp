#include "imaging/effects/NegativeImage.h"

#include "image/RegionConvert.h"
#include "imaging/raster/PixelMath.h"
#include "imaging/raster/RowDriver.h"

#include <algorithm>
#include <array>
#include <cstring>

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

namespace {

// The negative of source inside area written into dest; with dest a different bitmap every row is
// copied first, while it is in the cache, so that each pixel is read and written once.
bool NegativeArea(const TBitmap& source, TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask,
                  const TProgressCallback& progress)
{
    if (source.empty() || source.bitCount() != 24 || bitmap.bitCount() != 24 || bitmap.width() != source.width()
        || bitmap.height() != source.height())
        return false;
    QRect box(0, 0, bitmap.width(), bitmap.height());
    if (area)
        box = box.intersected(*area);
    const int top = box.top(), rows = std::max(box.height(), 0);
    const int left = box.left(), right = box.left() + std::max(box.width(), 0);
    // Columns at or beyond the mask's width are outside it, so not selected.
    const int maskRight = mask ? std::min(right, mask->width()) : right;
    NegativeTable(); // built once here rather than raced for by the threads
    const bool copying = &source != &bitmap;
    const int first = copying ? 0 : top, count = copying ? bitmap.height() : rows;
    auto work = [&](int y0, int y1) {
        for (int y = first + y0; y < first + y1; ++y) {
            std::uint8_t* p = bitmap.scanLine(y);
            if (copying)
                std::memcpy(p, source.scanLine(y), bitmap.stride());
            if (y < top || y >= top + rows)
                continue;
            if (!mask)
                InvertBytes(p, 3 * left, 3 * right);
            else if (y < mask->height() && left < maskRight)
                NegativeThroughMask(p, mask->scanLine(y), left, maskRight);
        }
    };
    const int width = copying ? bitmap.width() : right - left;
    if (progress)
        DriveRows(count, width, [&](int y) { progress(RowPercent(y, count)); }, work);
    else
        DriveRows(count, width, work);
    return true;
}

} // namespace

bool NegativeImageArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask,
                       const TProgressCallback& progress)
{
    return NegativeArea(bitmap, bitmap, area, mask, progress);
}

bool NegativeImageInto(const TBitmap& source, TBitmap& dest, const TRegionRef& region, const TBitmap* mask,
                       const TProgressCallback& progress)
{
    if (!region)
        return NegativeArea(source, dest, std::nullopt, mask, progress);
    const TRect box = region->boundingRect();
    const QRect area(box.left, box.top, box.width(), box.height());
    if (mask || source.bitCount() != 24)
        return NegativeArea(source, dest, area, mask, progress);
    const TBitmap regionMask = RegionToMask(region, source.width(), source.height());
    return NegativeArea(source, dest, area, &regionMask, progress);
}

bool NegativeImage(TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask,
                   const TProgressCallback& progress)
{
    return NegativeImageInto(bitmap, bitmap, region, mask, progress);
}

} // namespace kalvo
