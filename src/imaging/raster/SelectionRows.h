#pragma once
// The selection's share in the per-pixel operations on 24-bit pictures: which rows and columns
// an operation changes (the selection's bounding box and a mask in image coordinates, 0 =
// selected, 255 = not), rows driven on two threads with progress, and pixels written through a
// feathered mask with the negative's weighting (see MaskBlend).
#include "image/Bitmap.h"
#include "image/RectOps.h"
#include "image/Region.h"
#include "image/RegionConvert.h"
#include "imaging/ProgressCallback.h"
#include "imaging/raster/PixelMath.h"
#include "imaging/raster/RowDriver.h"

#include <QRect>

#include <algorithm>
#include <cstring>
#include <optional>

namespace kalvo {

// The pixels an operation over `area` (none = the whole bitmap) may change: rows [Top, Top +
// Rows), columns [Left, Right); columns at or beyond the mask's width are outside it.
struct TSelectionBox {
    int Top = 0;
    int Rows = 0;
    int Left = 0;
    int Right = 0;
    int MaskRight = 0;
};

inline TSelectionBox SelectionBox(const TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask)
{
    QRect box(0, 0, bitmap.width(), bitmap.height());
    if (area)
        box = IntersectRects(box, *area);
    TSelectionBox b;
    b.Top = box.top();
    b.Rows = std::max(box.height(), 0);
    b.Left = box.left();
    b.Right = box.left() + std::max(box.width(), 0);
    b.MaskRight = mask ? std::min(b.Right, mask->width()) : b.Right;
    return b;
}

// The mask row of image row y, or nullptr when the row lies below the mask (nothing selected).
inline const std::uint8_t* MaskRow(const TBitmap& mask, int y)
{
    return y < mask.height() ? mask.scanLine(y) : nullptr;
}

// Calls kernel(p, m, left, right) for every row of the area of a 24-bit bitmap: p the row's
// bytes, m its mask values (m[x] for pixel x) or nullptr without a mask (all selected), pixels
// [left, right). Rows the mask does not reach are skipped. Rows run on two threads on large
// areas; progress gets the percentage of rows done before each row. False, changing nothing,
// unless the bitmap is 24-bit.
template <typename Kernel>
bool DriveSelectionRows(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask,
                        const TProgressCallback& progress, Kernel&& kernel)
{
    if (bitmap.empty() || bitmap.bitCount() != 24)
        return false;
    const TSelectionBox b = SelectionBox(bitmap, area, mask);
    auto work = [&](int y0, int y1) {
        for (int y = b.Top + y0; y < b.Top + y1; ++y) {
            std::uint8_t* p = bitmap.scanLine(y);
            if (!mask)
                kernel(p, nullptr, b.Left, b.Right);
            else if (const std::uint8_t* m = MaskRow(*mask, y); m && b.Left < b.MaskRight)
                kernel(p, m, b.Left, b.MaskRight);
        }
    };
    if (progress)
        DriveRows(
            b.Rows, b.Right - b.Left, [&](int y) { progress(RowPercent(y, b.Rows)); }, work);
    else
        DriveRows(b.Rows, b.Right - b.Left, work);
    return true;
}

// DriveSelectionRows reading source and writing dest, a bitmap of source's size and depth whose
// pixels may be anything (TBitmap::sameLayout): each row of dest is copied from source and then
// handed to kernel while it is in the cache, so that every pixel is read and written once. Every
// row is driven, the selection's and the others. dest may be source itself. False, changing
// nothing, unless both are 24-bit and of one size.
template <typename Kernel>
bool DriveSelectionRowsInto(const TBitmap& source, TBitmap& dest, const std::optional<QRect>& area, const TBitmap* mask,
                            const TProgressCallback& progress, Kernel&& kernel)
{
    if (source.empty() || source.bitCount() != 24 || dest.bitCount() != 24 || dest.width() != source.width()
        || dest.height() != source.height())
        return false;
    if (&source == &dest)
        return DriveSelectionRows(dest, area, mask, progress, kernel);
    const TSelectionBox b = SelectionBox(dest, area, mask);
    const int rows = dest.height();
    auto work = [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            std::uint8_t* p = dest.scanLine(y);
            std::memcpy(p, source.scanLine(y), dest.stride());
            if (y < b.Top || y >= b.Top + b.Rows)
                continue;
            if (!mask)
                kernel(p, nullptr, b.Left, b.Right);
            else if (const std::uint8_t* m = MaskRow(*mask, y); m && b.Left < b.MaskRight)
                kernel(p, m, b.Left, b.MaskRight);
        }
    };
    if (progress)
        DriveRows(
            rows, dest.width(), [&](int y) { progress(RowPercent(y, rows)); }, work);
    else
        DriveRows(rows, dest.width(), work);
    return true;
}

// Pixels [left, right) of a row through mask values m (nullptr: all selected). op(in, out)
// computes one pixel's three new bytes from its old ones (out may be in). Fully selected spans
// take op's values, partly selected pixels mix them with the old ones by MaskBlend.
template <typename PixelOp>
void PixelsThroughMask(std::uint8_t* p, const std::uint8_t* m, int left, int right, PixelOp&& op)
{
    const TMaskCover cover = m ? MaskCover(m + left, right - left) : TMaskCover::All;
    if (cover == TMaskCover::None)
        return;
    if (cover == TMaskCover::All) {
        for (int x = left; x < right; ++x)
            op(p + 3 * x, p + 3 * x);
        return;
    }
    for (int x = left; x < right; ++x) {
        const int value = m[x];
        if (value == 255)
            continue;
        std::uint8_t* d = p + 3 * x;
        std::uint8_t v[3];
        op(d, v);
        for (int c = 0; c < 3; ++c)
            d[c] = value == 0 ? v[c] : MaskBlend(d[c], v[c], value);
    }
}

// Writes the new bytes of pixels [left, right) of a row, fresh[3 * (x - left) + c], through mask
// values m (nullptr: all selected), weighted as PixelsThroughMask does.
inline void WriteThroughMask(std::uint8_t* p, const std::uint8_t* fresh, const std::uint8_t* m, int left, int right)
{
    const TMaskCover cover = m ? MaskCover(m + left, right - left) : TMaskCover::All;
    if (cover == TMaskCover::None)
        return;
    if (cover == TMaskCover::All) {
        std::memcpy(p + 3 * left, fresh, std::size_t(right - left) * 3);
        return;
    }
    for (int x = left; x < right; ++x) {
        const int value = m[x];
        if (value == 255)
            continue;
        std::uint8_t* d = p + 3 * x;
        const std::uint8_t* v = fresh + 3 * (x - left);
        for (int c = 0; c < 3; ++c)
            d[c] = value == 0 ? v[c] : MaskBlend(d[c], v[c], value);
    }
}

// Hands apply(area, mask) the selection as the area operations take it: the region's bounding
// box (none without a region) and the mask; without a mask the region itself selects (inside
// fully, outside not at all), through a mask made from it.
template <typename Apply>
bool WithSelection(const TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask, Apply&& apply)
{
    if (!region)
        return apply(std::optional<QRect>(), mask);
    const TRect box = region->boundingRect();
    const std::optional<QRect> area = QRect(box.left, box.top, box.width(), box.height());
    if (mask || bitmap.bitCount() != 24)
        return apply(area, mask);
    const TBitmap regionMask = RegionToMask(region, bitmap.width(), bitmap.height());
    return apply(area, &regionMask);
}

} // namespace kalvo
