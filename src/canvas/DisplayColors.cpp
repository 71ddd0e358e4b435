#include "canvas/DisplayColors.h"

#include "image/NearestPaletteIndex.h"

namespace kalvo {

TColor NearestPaletteColor(const std::vector<TColor>& palette, TColor color)
{
    const int index = NearestPaletteIndex(palette, color);
    return index < 0 ? color : palette[std::size_t(index)] & 0xFFFFFF;
}

TColor DisplayColorFor(const TBitmap& image, TColor color)
{
    if (image.empty() || image.bitCount() > 8)
        return color;
    return NearestPaletteColor(image.palette(), color);
}

} // namespace kalvo
