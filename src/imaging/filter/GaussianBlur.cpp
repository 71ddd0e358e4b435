#include "imaging/filter/GaussianBlur.h"

#include "imaging/filter/GaussianRows.h"
#include "imaging/raster/SelectionRows.h"

#include <cstring>

namespace kalvo {

QRect MaskedBox(const TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask)
{
    const TSelectionBox b = SelectionBox(bitmap, area, mask);
    const int bottom = mask ? std::min(b.Top + b.Rows, mask->height()) : b.Top + b.Rows;
    return QRect(b.Left, b.Top, std::max(b.MaskRight - b.Left, 0), std::max(bottom - b.Top, 0));
}

bool PrepareDestination(const TBitmap& source, TBitmap& dest, const QRect& box)
{
    if (source.empty() || source.bitCount() != 24 || dest.bitCount() != 24 || dest.width() != source.width()
        || dest.height() != source.height())
        return false;
    if (&dest == &source)
        return true;
    const int top = box.isEmpty() ? 0 : box.top(), bottom = box.isEmpty() ? 0 : box.top() + box.height();
    DriveRows(source.height(), source.width(), [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y)
            if (y < top || y >= bottom)
                std::memcpy(dest.scanLine(y), source.scanLine(y), dest.stride());
    });
    return true;
}

std::uint8_t* DestinationRow(const TBitmap& source, TBitmap& dest, int y)
{
    if (&dest != &source)
        std::memcpy(dest.scanLine(y), source.scanLine(y), dest.stride());
    return dest.scanLine(y);
}

bool GaussianBlurArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask, double sigma,
                      const TProgressCallback& progress)
{
    return GaussianBlurArea(bitmap, bitmap, area, mask, sigma, progress);
}

bool GaussianBlurArea(const TBitmap& source, TBitmap& dest, const std::optional<QRect>& area, const TBitmap* mask,
                      double sigma, const TProgressCallback& progress)
{
    const QRect box = MaskedBox(source, area, mask);
    if (!PrepareDestination(source, dest, box))
        return false;
    const int left = box.left(), right = box.left() + box.width();
    GaussianRows(
        source, box, sigma, progress,
        [&](int y, const float* values, std::uint8_t* bytes) {
            RoundToBytes(values, bytes, 3 * box.width());
            WriteThroughMask(DestinationRow(source, dest, y), bytes, mask ? mask->scanLine(y) : nullptr, left, right);
        },
        &dest == &source);
    return true;
}

bool GaussianBlur(TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask, double sigma,
                  const TProgressCallback& progress)
{
    return WithSelection(bitmap, region, mask, [&](const std::optional<QRect>& area, const TBitmap* m) {
        return GaussianBlurArea(bitmap, area, m, sigma, progress);
    });
}

} // namespace kalvo
