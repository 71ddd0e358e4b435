#pragma once
// Floyd-Steinberg error diffusion.
#include "image/Bitmap.h"
#include "imaging/ProgressCallback.h"
#include "imaging/quantize/BitmapFilter.h"
#include "imaging/quantize/DiffusionRows.h"
#include "imaging/quantize/QuantizeColor.h"

namespace kalvo {

// Returns a new 24-bit bitmap whose every pixel is a colour produced by quantiser. Pixels are
// visited left to right, top to bottom; the difference between the chosen and the current colour
// of each channel is taken from the neighbours in their working copies, clamped to 0..255 after
// each change: (d*7)/16 right, (d*3)/16 below-left, (d*5)/16 below, (d*1)/16 below-right, with
// integer division truncating toward zero. Throws as BitmapFilter for a source that is not 24-bit.
TBitmap ErrorDiffusion(const TBitmap& source, const TQuantizeColor& quantiser,
                       const TProgressCallback& progress = {});

// ErrorDiffusion for a quantiser of a known (final) type, whose MapColor the compiler can inline.
template <class Quantizer>
TBitmap DiffuseErrors(const TBitmap& source, const Quantizer& quantiser, const TProgressCallback& progress = {})
{
    RequireFilterSource(source);
    TBitmap output(source.width(), source.height(), 24);
    auto choose = [&quantiser](std::uint32_t key, std::uint32_t& colour) {
        TRGBTriple chosen;
        quantiser.MapColor(chosen, key);
        colour = QuantizeKey(chosen.rgbtRed, chosen.rgbtGreen, chosen.rgbtBlue);
        return chosen;
    };
    auto rowDone = [&output](int y, const TRGBTriple* colours) {
        std::uint8_t* out = output.scanLine(y);
        for (int x = 0; x < output.width(); ++x, out += 3) {
            out[0] = colours[x].rgbtBlue;
            out[1] = colours[x].rgbtGreen;
            out[2] = colours[x].rgbtRed;
        }
    };
    DiffuseRows<TRGBTriple>(source, choose, rowDone, progress);
    return output;
}

} // namespace kalvo
