#pragma once
// Floyd-Steinberg error diffusion over the row-window filter pass.
#include "image/Bitmap.h"
#include "imaging/ProgressCallback.h"
#include "imaging/quantize/BitmapFilter.h"
#include "imaging/quantize/QuantizeColor.h"

namespace kalvo {

// Returns a new 24-bit bitmap whose every pixel is a colour produced by quantiser. Pixels are
// visited left to right, top to bottom; the difference between the chosen and the current colour
// of each channel is taken from the neighbours in their working copies, clamped to 0..255 after
// each change: (d*7)/16 right, (d*3)/16 below-left, (d*5)/16 below, (d*1)/16 below-right, with
// integer division truncating toward zero. Throws as BitmapFilter for a source that is not 24-bit.
TBitmap ErrorDiffusion(const TBitmap& source, const TQuantizeColor& quantiser,
                       const TProgressCallback& progress = {});

namespace detail {

// Takes weight/16 of the error d (chosen minus current, per channel) from one neighbour.
inline void PushError(std::uint8_t* pixel, const int d[3], int weight)
{
    for (int c = 0; c < 3; ++c) {
        const int v = pixel[c] - d[c] * weight / 16;
        pixel[c] = std::uint8_t(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
}

} // namespace detail

// ErrorDiffusion for a quantiser of a known (final) type, whose MapColor the compiler can inline.
template <class Quantizer>
TBitmap DiffuseErrors(const TBitmap& source, const Quantizer& quantiser, const TProgressCallback& progress = {})
{
    auto diffuse = [&quantiser](int, int, const TFilterWindow& window, TRGBTriple& out) {
        // All positions first: byte stores may alias the window, which would force reloads.
        const std::uint8_t* p = window.at(0);
        std::uint8_t* const right = window.at(0, 1);
        std::uint8_t* const belowLeft = window.at(1, -1);
        std::uint8_t* const below = window.at(1, 0);
        std::uint8_t* const belowRight = window.at(1, 1);
        quantiser.MapColor(out, QuantizeKey(p[2], p[1], p[0]));
        const int d[3] = {out.rgbtBlue - p[0], out.rgbtGreen - p[1], out.rgbtRed - p[2]};
        detail::PushError(right, d, 7);
        detail::PushError(belowLeft, d, 3);
        detail::PushError(below, d, 5);
        detail::PushError(belowRight, d, 1);
    };
    return BitmapFilter(source, diffuse, progress);
}

} // namespace kalvo
