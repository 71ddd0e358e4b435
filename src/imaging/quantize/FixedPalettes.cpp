#include "imaging/quantize/FixedPalettes.h"

#include "image/Palette.h"

namespace kalvo {

int WebLevelIndex(int value)
{
    static constexpr int upper[5] = {25, 76, 127, 178, 230};
    int index = 0;
    while (index < 5 && value > upper[index])
        ++index;
    return index;
}

std::vector<TColor> WebPalette()
{
    static const std::vector<TColor> palette = [] {
        std::vector<TColor> colours;
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    colours.push_back(RGB(kWebLevels[r], kWebLevels[g], kWebLevels[b]));
        return colours;
    }();
    return palette;
}

std::vector<TColor> Standard16Palette()
{
    static const std::vector<TColor> palette = {
        RGB(0, 0, 0),     RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),   RGB(0, 0, 128), RGB(128, 0, 128),
        RGB(0, 128, 128), RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0), RGB(255, 255, 0),
        RGB(0, 0, 255),   RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255),
    };
    return palette;
}

std::vector<TColor> BlackWhitePalette()
{
    return CreateMonoPalette();
}

} // namespace kalvo
