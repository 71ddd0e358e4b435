#pragma once
// Quantisers to the fixed palettes, for the error diffusion.
#include "imaging/colour/NearestColorIndex.h"
#include "imaging/quantize/QuantizeColor.h"

#include <algorithm>
#include <array>

namespace kalvo {

// Each quantiser also numbers the colours it can produce (slots 0 .. kSlots - 1): MapSlot(key)
// is the slot of the colour MapColor gives for key, SlotColour its colour. A reduction can then
// work out once per slot what it does with the colour.

// Web-safe: each channel independently becomes kWebLevels[WebLevelIndex(channel)]; slot
// r * 36 + g * 6 + b of the level indices, as in the web-safe palette.
class TQuantizeToStaticColor final : public TQuantizeColor {
public:
    static constexpr int kSlots = 216;

    TQuantizeToStaticColor();
    void MapColor(TRGBTriple& out, std::uint32_t key) const override
    {
        out.rgbtRed = level_[(key >> 16) & 0xFF];
        out.rgbtGreen = level_[(key >> 8) & 0xFF];
        out.rgbtBlue = level_[key & 0xFF];
    }
    int MapSlot(std::uint32_t key) const
    {
        return levelIndex_[(key >> 16) & 0xFF] * 36 + levelIndex_[(key >> 8) & 0xFF] * 6 + levelIndex_[key & 0xFF];
    }
    TRGBTriple SlotColour(int slot) const;

private:
    std::array<std::uint8_t, 256> level_{};
    std::array<std::uint8_t, 256> levelIndex_{};
};

// The nearest of the 16 standard colours (squared RGB distance, first minimum wins); the slot is
// the entry.
class TQuantizeToStaticColor16 final : public TQuantizeColor {
public:
    static constexpr int kSlots = 16;

    TQuantizeToStaticColor16();
    void MapColor(TRGBTriple& out, std::uint32_t key) const override { out = colours_[std::size_t(MapSlot(key))]; }
    int MapSlot(std::uint32_t key) const
    {
        const int r = int((key >> 16) & 0xFF), g = int((key >> 8) & 0xFF), b = int(key & 0xFF);
        const int entry = boxEntries_[std::size_t(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3))];
        return entry != kMixedBox ? entry : nearest_.indexOf(r, g, b);
    }
    TRGBTriple SlotColour(int slot) const { return colours_[std::size_t(slot)]; }

private:
    static constexpr std::uint8_t kMixedBox = 0xFF;

    TNearestColorIndex nearest_;
    std::array<TRGBTriple, 16> colours_{};
    // Per 8 x 8 x 8 box of colours: the entry nearest to all of them, or kMixedBox.
    const std::array<std::uint8_t, 32768>& boxEntries_;
};

// Black or white: white when the lightness (max + min) / 2, rounded half to even, is 128 or more.
// Slot 0 is black, 1 white.
class TQuantizeToStaticColor2 final : public TQuantizeColor {
public:
    static constexpr int kSlots = 2;

    void MapColor(TRGBTriple& out, std::uint32_t key) const override { out = SlotColour(MapSlot(key)); }
    int MapSlot(std::uint32_t key) const
    {
        const int r = int((key >> 16) & 0xFF), g = int((key >> 8) & 0xFF), b = int(key & 0xFF);
        const int sum = std::max({r, g, b}) + std::min({r, g, b});
        // sum / 2 rounded half to even: an odd sum lies halfway and goes to the even neighbour.
        int lightness = sum / 2;
        if ((sum & 1) && (lightness & 1))
            ++lightness;
        return lightness >= 128 ? 1 : 0;
    }
    TRGBTriple SlotColour(int slot) const
    {
        const std::uint8_t v = slot ? 255 : 0;
        return TRGBTriple{v, v, v};
    }
};

} // namespace kalvo
