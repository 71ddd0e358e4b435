#include "imaging/adjust/BrightnessContrast.h"

#include "imaging/raster/PixelMath.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kalvo {

TValueTable BrightnessContrastTable(int brightness, int contrast)
{
    const int b = std::clamp(brightness, -100, 100), c = std::clamp(contrast, -100, 100);
    // tan(pi/4) is not exactly 1 in double; identity contrast multiplies by 1 itself.
    const double slope = c == 0 ? 1.0 : std::tan((c / 100.0 + 1) * std::numbers::pi / 4);
    TValueTable table{};
    for (int v = 0; v < 256; ++v) {
        // 255 x after the brightness step is exactly n / 100.
        const int n = b < 0 ? v * (100 + b) : 100 * v + (255 - v) * b;
        int result;
        if (c == 100)
            result = n < 12750 ? 0 : (n > 12750 ? 255 : 128);
        else
            result = clamp255(RoundTie(std::clamp((n / 100.0 - 127.5) * slope + 127.5, -1.0, 256.0)));
        table[v] = std::uint8_t(result);
    }
    return table;
}

} // namespace kalvo
