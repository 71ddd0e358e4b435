#include "imaging/filter/GaussianBlur.h"

#include "imaging/filter/GaussianRows.h"
#include "imaging/raster/SelectionRows.h"

namespace kalvo {

QRect MaskedBox(const TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask)
{
    const TSelectionBox b = SelectionBox(bitmap, area, mask);
    const int bottom = mask ? std::min(b.Top + b.Rows, mask->height()) : b.Top + b.Rows;
    return QRect(b.Left, b.Top, std::max(b.MaskRight - b.Left, 0), std::max(bottom - b.Top, 0));
}

bool GaussianBlurArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask, double sigma,
                      const TProgressCallback& progress)
{
    if (bitmap.empty() || bitmap.bitCount() != 24)
        return false;
    const QRect box = MaskedBox(bitmap, area, mask);
    const int left = box.left(), right = box.left() + box.width();
    GaussianRows(bitmap, box, sigma, progress, [&](int y, const float* values, std::uint8_t* bytes) {
        RoundToBytes(values, bytes, 3 * box.width());
        WriteThroughMask(bitmap.scanLine(y), bytes, mask ? mask->scanLine(y) : nullptr, left, right);
    });
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
