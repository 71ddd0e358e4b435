#include "image/Palette.h"

#include <algorithm>

namespace kalvo {

int PaletteToColorTable(const TBitmap& bitmap, TColorTable& table)
{
    table.fill(0);
    const std::vector<TColor>& palette = bitmap.palette();
    const std::size_t n = std::min<std::size_t>(palette.size(), table.size());
    std::copy_n(palette.begin(), n, table.begin());
    return int(n);
}

int PaletteToRGBQuads(const std::vector<TColor>& palette, std::span<TRGBQuad> destination, int maxIndex)
{
    if (palette.empty() || maxIndex < 0)
        return 0;
    const std::size_t n = std::min({palette.size(), std::size_t(maxIndex) + 1, destination.size()});
    for (std::size_t i = 0; i < n; ++i) {
        const TColor c = palette[i];
        destination[i] = TRGBQuad{std::uint8_t(GetBValue(c)), std::uint8_t(GetGValue(c)), std::uint8_t(GetRValue(c)),
                                  0};
    }
    return int(n);
}

std::vector<TColor> RGBQuadsToPalette(std::span<const TRGBQuad> entries, int count)
{
    const std::size_t n = std::min(entries.size(), std::size_t(std::max(count, 0)));
    std::vector<TColor> palette(n);
    for (std::size_t i = 0; i < n; ++i)
        palette[i] = RGB(entries[i].rgbRed, entries[i].rgbGreen, entries[i].rgbBlue);
    return palette;
}

std::vector<TColor> CreateGreyPalette()
{
    std::vector<TColor> palette(256);
    for (int i = 0; i < 256; ++i)
        palette[std::size_t(i)] = RGB(i, i, i);
    return palette;
}

std::vector<TColor> CreateMonoPalette()
{
    return {clBlack, clWhite};
}

} // namespace kalvo
