#pragma once
// The rounding rules that decide pixel values: Trunc rounds toward zero, Round to the nearest
// integer with ties to even, clamp255 limits to 0..255 and then truncates.
#include <cmath>

namespace kalvo {

inline int Trunc(double v) { return int(v); }

// Ties go to the even neighbour (the default floating-point rounding mode).
inline int Round(double v) { return int(std::nearbyint(v)); }

inline int clamp255(double v)
{
    if (!(v > 0.0))
        return 0;
    if (v >= 255.0)
        return 255;
    return int(v);
}

inline int clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

} // namespace kalvo
