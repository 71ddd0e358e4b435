#pragma once
// The fixed palettes of the colour reductions. Each call returns a new copy.
#include "image/Color.h"

#include <array>
#include <vector>

namespace kalvo {

// The six levels of the web-safe palette.
constexpr std::array<int, 6> kWebLevels = {0, 51, 102, 153, 204, 255};

// The level index of a channel value: 0..25 -> 0, 26..76 -> 1, 77..127 -> 2, 128..178 -> 3,
// 179..230 -> 4, 231..255 -> 5.
int WebLevelIndex(int value);

// 216 entries: entry r*36 + g*6 + b is (level[r], level[g], level[b]).
std::vector<TColor> WebPalette();
// The 16 standard colours: black, maroon, green, olive, navy, purple, teal, silver (192), grey
// (128), red, lime, yellow, blue, fuchsia, aqua, white.
std::vector<TColor> Standard16Palette();
// Black and white.
std::vector<TColor> BlackWhitePalette();

} // namespace kalvo
