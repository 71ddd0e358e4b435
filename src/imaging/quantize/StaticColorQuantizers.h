#pragma once
// Quantisers to the fixed palettes, for the error diffusion.
#include "imaging/colour/NearestColorIndex.h"
#include "imaging/quantize/QuantizeColor.h"

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
    void MapColor(TRGBTriple& out, std::uint32_t key) const override;

private:
    TNearestColorIndex nearest_;
    std::array<TRGBTriple, 16> colours_{};
};

// Black or white: white when the lightness (max + min) / 2, rounded half to even, is 128 or more.
class TQuantizeToStaticColor2 final : public TQuantizeColor {
public:
    void MapColor(TRGBTriple& out, std::uint32_t key) const override;
};

} // namespace kalvo
