#include "imaging/raster/BlendThroughMask.h"

#include <algorithm>

namespace kalvo {

bool BlendThroughMask(TBitmap& target, const TBitmap& mask, const TBitmap& source)
{
    if (target.bitCount() != 24 || source.bitCount() != 24 || mask.bitCount() != 8)
        return false;
    const int width = std::min({target.width(), mask.width(), source.width()});
    const int height = std::min({target.height(), mask.height(), source.height()});
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = target.scanLine(y);
        const std::uint8_t* in = source.scanLine(y);
        const std::uint8_t* m = mask.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int l = m[x];
            if (l == 255)
                continue;
            for (int c = 3 * x; c < 3 * x + 3; ++c)
                out[c] = std::uint8_t(((255 - l) * in[c] + l * out[c]) / 255);
        }
    }
    return true;
}

} // namespace kalvo
