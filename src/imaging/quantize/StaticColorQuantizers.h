#pragma once
// Quantisers to the fixed palettes, for the error diffusion.
#include "imaging/colour/NearestColorIndex.h"
#include "imaging/quantize/QuantizeColor.h"

#include <algorithm>
#include <array>

namespace kalvo {

// Web-safe: each channel independently becomes kWebLevels[WebLevelIndex(channel)].
class TQuantizeToStaticColor final : public TQuantizeColor {
public:
    TQuantizeToStaticColor();
    void MapColor(TRGBTriple& out, std::uint32_t key) const override
    {
        out.rgbtRed = level_[(key >> 16) & 0xFF];
        out.rgbtGreen = level_[(key >> 8) & 0xFF];
        out.rgbtBlue = level_[key & 0xFF];
    }

private:
    std::array<std::uint8_t, 256> level_{};
};

// The nearest of the 16 standard colours (squared RGB distance, first minimum wins).
class TQuantizeToStaticColor16 final : public TQuantizeColor {
public:
    TQuantizeToStaticColor16();
    void MapColor(TRGBTriple& out, std::uint32_t key) const override
    {
        const int r = int((key >> 16) & 0xFF), g = int((key >> 8) & 0xFF), b = int(key & 0xFF);
        int entry = boxEntries_[std::size_t(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3))];
        if (entry == kMixedBox)
            entry = nearest_.indexOf(r, g, b);
        out = colours_[std::size_t(entry)];
    }

private:
    static constexpr std::uint8_t kMixedBox = 0xFF;

    TNearestColorIndex nearest_;
    std::array<TRGBTriple, 16> colours_{};
    // Per 8 x 8 x 8 box of colours: the entry nearest to all of them, or kMixedBox.
    const std::array<std::uint8_t, 32768>& boxEntries_;
};

// Black or white: white when the lightness (max + min) / 2, rounded half to even, is 128 or more.
class TQuantizeToStaticColor2 final : public TQuantizeColor {
public:
    void MapColor(TRGBTriple& out, std::uint32_t key) const override
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
};

} // namespace kalvo
