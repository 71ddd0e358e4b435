#include "imaging/colour/EnlargeColors.h"

#include "image/PixelAccess.h"
#include "imaging/colour/PixelIndex.h"

#include <algorithm>

namespace kalvo {

namespace {

TBitmap widenIndices(const TBitmap& bitmap, int bits)
{
    TBitmap result(bitmap.width(), bitmap.height(), bits);
    std::vector<TColor> palette(std::size_t(1) << bits, RGB(0, 0, 0));
    std::copy_n(bitmap.palette().begin(), std::min(bitmap.palette().size(), palette.size()), palette.begin());
    result.setPalette(std::move(palette));
    result.setTransparent(bitmap.transparent());
    result.setTransparentColor(bitmap.transparentColor());
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* in = bitmap.scanLine(y);
        std::uint8_t* out = result.scanLine(y);
        for (int x = 0; x < bitmap.width(); ++x)
            PutPixelIndex(x, out, bits, IndexAt(in, x, bitmap.bitCount()));
    }
    return result;
}

} // namespace

std::optional<TBitmap> EnlargeColors(const TBitmap& bitmap, int bits)
{
    const int from = bitmap.bitCount();
    if ((bits != 4 && bits != 8 && bits != 24) || (from != 1 && from != 4 && from != 8) || from >= bits)
        return std::nullopt;
    if (bits == 24)
        return bitmap.toTrueColor();
    return widenIndices(bitmap, bits);
}

} // namespace kalvo
