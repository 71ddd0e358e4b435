#include "imaging/colour/ReduceColors.h"

#include "imaging/colour/DrawToPaletteBitmap.h"
#include "imaging/colour/PaletteBitmap.h"
#include "imaging/quantize/FixedPaletteReduce.h"
#include "imaging/quantize/FixedPalettes.h"
#include "imaging/quantize/MedianCutReduce.h"

#include <stdexcept>
#include <string>

namespace kalvo {

namespace {

int depthFor(int colors)
{
    return colors == 256 ? 8 : (colors == 16 ? 4 : 1);
}

std::vector<TColor> fixedPalette(int colors)
{
    return colors == 256 ? WebPalette() : (colors == 16 ? Standard16Palette() : BlackWhitePalette());
}

TBitmap ditherToFixed(const TBitmap& image, int colors, const TProgressCallback& progress)
{
    if (colors == 256)
        return ReduceToWebPaletteDither(image, progress);
    if (colors == 16)
        return ReduceTo16ColorsDither(image, progress);
    return ReduceTo2ColorsDither(image, progress);
}

TBitmap nearestFixed(const TBitmap& image, int colors)
{
    TBitmap result;
    CreatePaletteBitmap(image.width(), image.height(), fixedPalette(colors), result);
    DrawToPaletteBitmap(result, image, 0, 0);
    return result;
}

} // namespace

bool CanReduceColors(int bitCount, int colors)
{
    switch (colors) {
    case 256: return bitCount > 8;
    case 16: return bitCount >= 8;
    case 2: return bitCount >= 4;
    default: return false;
    }
}

TBitmap ReduceColors(const TBitmap& image, int colors, TReducePalette palette, bool dither,
                     const TProgressCallback& progress)
{
    if (!CanReduceColors(image.bitCount(), colors))
        throw std::invalid_argument("ReduceColors: cannot reduce a " + std::to_string(image.bitCount())
                                    + "-bit image to " + std::to_string(colors) + " colours");
    const TBitmap converted = image.bitCount() == 24 ? TBitmap() : image.toTrueColor();
    const TBitmap& source = image.bitCount() == 24 ? image : converted;
    if (palette == TReducePalette::Optimized)
        return ReduceColorsMedianCut(source, depthFor(colors), dither, progress);
    return dither ? ditherToFixed(source, colors, progress) : nearestFixed(source, colors);
}

} // namespace kalvo
