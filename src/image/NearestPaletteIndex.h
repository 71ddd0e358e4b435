#pragma once
// The palette entry nearest to a colour: smallest squared RGB distance, the first minimum wins.
#include "image/Color.h"

#include <vector>

namespace kalvo {

// The index of the nearest entry, or -1 when the palette is empty.
int NearestPaletteIndex(const std::vector<TColor>& palette, TColor color);

} // namespace kalvo
