#include "imaging/raster/RegionFill.h"

#include "image/BitmapBlit.h"
#include "image/NearestPaletteIndex.h"

#include <algorithm>
#include <vector>

namespace kalvo {

bool StoredColorValue(const TBitmap& image, TColor color, std::uint32_t& value)
{
    const int bits = image.bitCount();
    if (bits <= 8) {
        std::vector<TColor> usable = image.palette();
        usable.resize(std::min(usable.size(), std::size_t(1) << bits));
        const int index = NearestPaletteIndex(usable, color);
        value = std::uint32_t(index);
        return index >= 0;
    }
    if (bits == 16) {
        value = std::uint32_t((GetRValue(color) >> 3) << 10 | (GetGValue(color) >> 3) << 5 | GetBValue(color) >> 3);
        return true;
    }
    if (bits == 24) {
        value = color;
        return true;
    }
    // 32 bits: the stored word, blue in the low byte.
    value = (std::uint32_t(GetRValue(color)) << 16) | (std::uint32_t(GetGValue(color)) << 8)
        | std::uint32_t(GetBValue(color));
    return true;
}

bool FillRegionColor(TBitmap& image, const TRegion& region, TColor color)
{
    std::uint32_t value = 0;
    if (image.empty() || !StoredColorValue(image, color, value))
        return false;
    FillRegionValue(image, region, value);
    return true;
}

} // namespace kalvo
