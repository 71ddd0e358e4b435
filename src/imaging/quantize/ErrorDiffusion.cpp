#include "imaging/quantize/ErrorDiffusion.h"

#include "imaging/quantize/BitmapFilter.h"
#include "imaging/quantize/DiffusionRows.h"

namespace kalvo {

TBitmap ErrorDiffusion(const TBitmap& source, const TQuantizeColor& quantiser, const TProgressCallback& progress)
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
