#include "imaging/quantize/ErrorDiffusion.h"

#include "imaging/quantize/BitmapFilter.h"

namespace kalvo {

namespace {

// Takes weight/16 of the error d (chosen minus current, per channel) from one neighbour.
inline void pushError(std::uint8_t* pixel, const int d[3], int weight)
{
    for (int c = 0; c < 3; ++c) {
        const int v = pixel[c] - d[c] * weight / 16;
        pixel[c] = std::uint8_t(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
}

} // namespace

TBitmap ErrorDiffusion(const TBitmap& source, const TQuantizeColor& quantiser,
                       const TProgressCallback& progress)
{
    auto diffuse = [&quantiser](int, int, const TFilterWindow& window, TRGBTriple& out) {
        const std::uint8_t* p = window.at(0);
        quantiser.MapColor(out, QuantizeKey(p[2], p[1], p[0]));
        const int d[3] = {out.rgbtBlue - p[0], out.rgbtGreen - p[1], out.rgbtRed - p[2]};
        pushError(window.at(0, 1), d, 7);
        pushError(window.at(1, -1), d, 3);
        pushError(window.at(1, 0), d, 5);
        pushError(window.at(1, 1), d, 1);
    };
    return BitmapFilter(source, diffuse, progress);
}

} // namespace kalvo
