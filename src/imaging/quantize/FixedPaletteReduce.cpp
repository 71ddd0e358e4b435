#include "imaging/quantize/FixedPaletteReduce.h"

#include "imaging/colour/DrawToPaletteBitmap.h"
#include "imaging/colour/PaletteBitmap.h"
#include "imaging/quantize/ErrorDiffusion.h"
#include "imaging/quantize/FixedPalettes.h"
#include "imaging/quantize/StaticColorQuantizers.h"

namespace kalvo {

namespace {

template <class Quantizer>
TBitmap reduceDither(const TBitmap& source, const Quantizer& quantiser,
                     const std::vector<TColor>& palette, const TProgressCallback& progress)
{
    const TBitmap dithered = DiffuseErrors(source, quantiser, progress);
    TBitmap result;
    if (dithered.empty())
        return result;
    CreatePaletteBitmap(dithered.width(), dithered.height(), palette, result);
    DrawToPaletteBitmap(result, dithered, 0, 0);
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
