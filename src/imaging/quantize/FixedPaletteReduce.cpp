#include "imaging/quantize/FixedPaletteReduce.h"

#include "imaging/colour/NearestColorIndex.h"
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

// The palette index of a chosen colour: the target palette's nearest entry, remembered per colour
// (the quantisers only ever produce a few colours).
class TChosenIndexCache {
public:
    explicit TChosenIndexCache(const std::vector<TColor>& palette) : nearest_(palette) { keys_.fill(kNone); }

    std::uint8_t operator()(std::uint32_t key)
    {
        const std::size_t slot = (key * 0x9E3779B1u) >> (32 - kSlotBits);
        if (keys_[slot] != key) {
            keys_[slot] = key;
            indices_[slot] = std::uint8_t(nearest_.indexOf(int(key >> 16), int((key >> 8) & 0xFF), int(key & 0xFF)));
        }
        return indices_[slot];
    }

private:
    static constexpr int kSlotBits = 12;
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    TNearestColorIndex nearest_;
    std::array<std::uint32_t, 1 << kSlotBits> keys_;
    std::array<std::uint8_t, 1 << kSlotBits> indices_{};
};

// Diffuses over the quantiser's palette and writes each pixel's index into a new bitmap with
// that palette: the nearest entry to the chosen colour, as drawing the dithered image into it
// would give.
template <class Quantizer>
TBitmap reduceDither(const TBitmap& source, const Quantizer& quantiser,
                     const std::vector<TColor>& palette, const TProgressCallback& progress)
{
    RequireFilterSource(source);
    TBitmap result;
    if (source.empty())
        return result;
    CreatePaletteBitmap(source.width(), source.height(), palette, result);
    TChosenIndexCache indexOf(result.palette());
    auto choose = [&quantiser, &indexOf](std::uint32_t key, std::uint32_t& colour) {
        TRGBTriple chosen;
        quantiser.MapColor(chosen, key);
        colour = QuantizeKey(chosen.rgbtRed, chosen.rgbtGreen, chosen.rgbtBlue);
        return indexOf(colour);
    };
    auto rowDone = [&result](int y, const std::uint8_t* indices) {
        PackIndices(indices, result.width(), result.scanLine(y), result.bitCount());
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
