#include "imaging/quantize/FixedPaletteReduce.h"

#include "image/NearestPaletteIndex.h"
#include "imaging/colour/PaletteBitmap.h"
#include "imaging/quantize/BitmapFilter.h"
#include "imaging/quantize/DiffusionRows.h"
#include "imaging/quantize/FixedPalettes.h"
#include "imaging/quantize/PackIndices.h"
#include "imaging/quantize/StaticColorQuantizers.h"

#include <array>
#include <cstdint>

namespace kalvo {

namespace {

// Diffuses over the quantiser's palette and writes each pixel's index into a new bitmap with
// that palette: the entry nearest to the chosen colour, as drawing the dithered image into it
// would give.
template <class Quantizer>
TBitmap reduceDither(const TBitmap& source, const Quantizer& quantiser, const std::vector<TColor>& palette,
                     const TProgressCallback& progress)
{
    RequireFilterSource(source);
    TBitmap result;
    if (source.empty())
        return result;
    CreatePaletteBitmap(source.width(), source.height(), palette, result);
    // Per slot: its colour, and the palette index drawing that colour into the bitmap gives.
    std::array<std::uint32_t, Quantizer::kSlots> colours{};
    std::array<std::uint8_t, Quantizer::kSlots> indices{};
    for (int slot = 0; slot < Quantizer::kSlots; ++slot) {
        const TRGBTriple c = quantiser.SlotColour(slot);
        colours[std::size_t(slot)] = QuantizeKey(c.rgbtRed, c.rgbtGreen, c.rgbtBlue);
        indices[std::size_t(slot)] = std::uint8_t(
            NearestPaletteIndex(result.palette(), RGB(c.rgbtRed, c.rgbtGreen, c.rgbtBlue)));
    }
    auto choose = [&quantiser, &colours, &indices](std::uint32_t key, std::uint32_t& colour) {
        const std::size_t slot = std::size_t(quantiser.MapSlot(key));
        colour = colours[slot];
        return indices[slot];
    };
    auto rowDone = [&result](int y, const std::uint8_t* row) {
        PackIndices(row, result.width(), result.scanLine(y), result.bitCount());
    };
    DiffuseRows<std::uint8_t>(source, choose, rowDone, progress);
    return result;
}

} // namespace

TBitmap ReduceToWebPaletteDither(const TBitmap& source, const TProgressCallback& progress)
{
    return reduceDither(source, TQuantizeToStaticColor(), WebPalette(), progress);
}

TBitmap ReduceTo16ColorsDither(const TBitmap& source, const TProgressCallback& progress)
{
    return reduceDither(source, TQuantizeToStaticColor16(), Standard16Palette(), progress);
}

TBitmap ReduceTo2ColorsDither(const TBitmap& source, const TProgressCallback& progress)
{
    return reduceDither(source, TQuantizeToStaticColor2(), BlackWhitePalette(), progress);
}

} // namespace kalvo
