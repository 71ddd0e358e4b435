#include "imaging/effects/ClearSelection.h"

#include "image/PaintBitmap.h"

#include <algorithm>

namespace kalvo {

bool ClearThroughMask(TBitmap& bitmap, const TBitmap& mask, TColor background)
{
    if (bitmap.empty() || bitmap.bitCount() != 24 || mask.bitCount() != 8)
        return false;
    const int bg[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
    const int rows = std::min(bitmap.height(), mask.height());
    const int cols = std::min(bitmap.width(), mask.width());
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* m = mask.scanLine(y);
        std::uint8_t* p = bitmap.scanLine(y);
        for (int x = 0; x < cols; ++x) {
            const int a = m[x];
            for (int c = 0; c < 3; ++c)
                p[3 * x + c] = std::uint8_t((a * p[3 * x + c] + (255 - a) * bg[c]) / 255);
        }
    }
    return true;
}

std::optional<TBitmap> ClearSelection(const TBitmap& image, const TRegionRef& region, const TBitmap* mask,
                                      TColor background)
{
    if (!region || image.empty())
        return std::nullopt;
    TBitmap result = image;
    if (mask && ClearThroughMask(result, *mask, background))
        return result;
    if (!FillRegion(result, region, background))
        return std::nullopt;
    return result;
}

} // namespace kalvo
