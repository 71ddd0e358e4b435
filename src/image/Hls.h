#pragma once
// Hue, lightness and saturation on the scale 0..240, as the colour-range fill compares them.
#include "image/Color.h"

namespace kalvo {

struct THLS {
    int hue = 0;
    int lightness = 0;
    int saturation = 0;
    bool operator==(const THLS&) const = default;
};

// Greys have hue 160 and saturation 0. Each value is rounded to the nearest integer, ties to even.
THLS RGBToHLS(TColor color);

} // namespace kalvo
