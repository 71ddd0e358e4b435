#include "image/NearestPaletteIndex.h"

namespace kalvo {

int NearestPaletteIndex(const std::vector<TColor>& palette, TColor color)
{
    int best = -1;
    long bestDistance = 0;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long dr = GetRValue(palette[i]) - GetRValue(color);
        const long dg = GetGValue(palette[i]) - GetGValue(color);
        const long db = GetBValue(palette[i]) - GetBValue(color);
        const long distance = dr * dr + dg * dg + db * db;
        if (best < 0 || distance < bestDistance) {
            best = int(i);
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace kalvo
