#include "imaging/filter/UnsharpMask.h"

#include "imaging/filter/GaussianBlur.h"
#include "imaging/filter/GaussianRows.h"
#include "imaging/raster/SelectionRows.h"

#include <algorithm>
#include <cmath>

namespace kalvo {

bool UnsharpMaskArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask,
                     const TUnsharpMask& params, const TProgressCallback& progress)
{
    if (bitmap.empty() || bitmap.bitCount() != 24)
        return false;
    const QRect box = MaskedBox(bitmap, area, mask);
    const int left = box.left(), right = box.left() + box.width();
    const float amount = float(std::clamp(params.Amount, 1, 500)) / 100.0f;
    const float threshold = float(std::clamp(params.Threshold, 0, 255));
    GaussianRows(bitmap, box, params.Sigma, progress, [&](int y, const float* values, std::uint8_t* bytes) {
        // The row's own bytes are still the original values: this is where they are written.
        const std::uint8_t* p = bitmap.scanLine(y) + 3 * left;
        for (int i = 0; i < 3 * box.width(); ++i) {
            const float v = p[i], d = v - values[i];
            bytes[i] = std::fabs(d) >= threshold ? RoundToByte(v + amount * d) : p[i];
        }
        WriteThroughMask(bitmap.scanLine(y), bytes, mask ? mask->scanLine(y) : nullptr, left, right);
    });
    return true;
}

bool UnsharpMask(TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask, const TUnsharpMask& params,
                 const TProgressCallback& progress)
{
    return WithSelection(bitmap, region, mask, [&](const std::optional<QRect>& area, const TBitmap* m) {
        return UnsharpMaskArea(bitmap, area, m, params, progress);
    });
}

} // namespace kalvo
