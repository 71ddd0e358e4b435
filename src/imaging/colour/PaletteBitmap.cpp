#include "imaging/colour/PaletteBitmap.h"

#include "image/ImageErrors.h"

#include <cstdlib>
#include <limits>

namespace kalvo {

int PaletteBitCount(std::size_t entries)
{
    if (entries == 0)
        return 24;
    if (entries <= 2)
        return 1;
    if (entries <= 16)
        return 4;
    return 8;
}

bool CreatePaletteBitmap(int width, int height, const std::vector<TColor>& palette, TBitmap& bitmap)
{
    if (width <= 0 || height == 0 || height == std::numeric_limits<int>::min())
        throw EPxImageError("pxImageCommon.CreatePaletteBitmap: Invalid Parameters");
    const std::size_t entries = palette.size() < 256 ? palette.size() : 256;
    TBitmap created(width, std::abs(height), PaletteBitCount(entries));
    created.setPalette(std::vector<TColor>(palette.begin(), palette.begin() + std::ptrdiff_t(entries)));
    bitmap = std::move(created);
    return true;
}

} // namespace kalvo
