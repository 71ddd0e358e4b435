#include "canvas/DisplayColors.h"

#include <limits>

namespace kalvo {

TColor NearestPaletteColor(const std::vector<TColor>& palette, TColor color)
{
    if (palette.empty())
        return color;
    TColor best = color;
    long long bestDistance = std::numeric_limits<long long>::max();
    for (TColor entry : palette) {
        const long long dr = GetRValue(entry) - GetRValue(color);
        const long long dg = GetGValue(entry) - GetGValue(color);
        const long long db = GetBValue(entry) - GetBValue(color);
        const long long d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = entry & 0xFFFFFF;
        }
    }
    return best;
}

TColor DisplayColorFor(const TBitmap& image, TColor color)
{
    if (image.empty() || image.bitCount() > 8)
        return color;
    return NearestPaletteColor(image.palette(), color);
}

} // namespace kalvo
