#pragma once
// The abstract colour quantiser shared by the colour reductions: it maps a colour to the colour
// of its palette. The error diffusion calls it once per pixel.
#include "image/PixelAccess.h"

#include <cstdint>

namespace kalvo {

// The quantiser key of a pixel: 0x00RRGGBB (red in the high byte, unlike TColor).
constexpr std::uint32_t QuantizeKey(int red, int green, int blue)
{
    return (std::uint32_t(red) << 16) | (std::uint32_t(green) << 8) | std::uint32_t(blue);
}

class TQuantizeColor {
public:
    virtual ~TQuantizeColor() = default;
    // Writes the palette colour chosen for key (0x00RRGGBB) into out.
    virtual void MapColor(TRGBTriple& out, std::uint32_t key) const = 0;
};

} // namespace kalvo
