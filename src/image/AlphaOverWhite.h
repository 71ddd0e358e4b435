#pragma once
// Pixels with an alpha channel laid over a white background, as the program shows other
// programs' pictures (paste) and files with transparency: the result is opaque 24-bit BGR.
#include <cstdint>

namespace kalvo {

// One 8-bit channel of a pixel of opacity alpha (0..255) over white, rounded to nearest.
inline std::uint8_t OverWhite(int channel, int alpha)
{
    return std::uint8_t((channel * alpha + 255 * (255 - alpha) + 127) / 255);
}

// A row of width pixels R, G, B, A (bytes in that order) over white into B, G, R.
void RgbaRowOverWhite(const std::uint8_t* rgba, int width, std::uint8_t* bgr);
// A row of width pixels B, G, R, A over white into B, G, R.
void BgraRowOverWhite(const std::uint8_t* bgra, int width, std::uint8_t* bgr);
// A row of width three-byte pixels with the first and third byte swapped (R, G, B to B, G, R
// and back).
void SwapRedBlueRow(const std::uint8_t* rgb, int width, std::uint8_t* bgr);

} // namespace kalvo
