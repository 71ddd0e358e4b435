#include "imaging/quantize/StaticColorQuantizers.h"

#include "imaging/quantize/FixedPalettes.h"

#include <algorithm>

namespace kalvo {

TQuantizeToStaticColor::TQuantizeToStaticColor()
{
    for (int v = 0; v < 256; ++v)
        level_[std::size_t(v)] = std::uint8_t(kWebLevels[std::size_t(WebLevelIndex(v))]);
}

TQuantizeToStaticColor16::TQuantizeToStaticColor16()
    : nearest_(Standard16Palette())
{
    const std::vector<TColor> palette = Standard16Palette();
    for (std::size_t k = 0; k < colours_.size(); ++k)
        colours_[k] = TRGBTriple{std::uint8_t(GetBValue(palette[k])), std::uint8_t(GetGValue(palette[k])),
                                 std::uint8_t(GetRValue(palette[k]))};
}

void TQuantizeToStaticColor16::MapColor(TRGBTriple& out, std::uint32_t key) const
{
    out = colours_[std::size_t(nearest_.indexOf(int((key >> 16) & 0xFF), int((key >> 8) & 0xFF), int(key & 0xFF)))];
}

void TQuantizeToStaticColor2::MapColor(TRGBTriple& out, std::uint32_t key) const
{
    const int r = int((key >> 16) & 0xFF), g = int((key >> 8) & 0xFF), b = int(key & 0xFF);
    const int sum = std::max({r, g, b}) + std::min({r, g, b});
    // sum / 2 rounded half to even: an odd sum lies halfway and goes to the even neighbour.
    int lightness = sum / 2;
    if ((sum & 1) && (lightness & 1))
        ++lightness;
    const std::uint8_t v = lightness >= 128 ? 255 : 0;
    out = TRGBTriple{v, v, v};
}

} // namespace kalvo
