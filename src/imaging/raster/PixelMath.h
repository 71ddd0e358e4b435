#pragma once
// The rounding rules that decide pixel values: Trunc rounds toward zero, Round to the nearest
// integer with ties to even, clamp255 limits to 0..255 and then truncates.
#include <cmath>

namespace kalvo {

inline int Trunc(double v) { return int(v); }

// Ties go to the even neighbour (the default floating-point rounding mode). Below 2^51 adding
// and taking away 1.5 * 2^52 rounds exactly as nearbyint does, in two instructions instead of a
// library call per value (the baseline x86-64 instruction set has no rounding instruction).
inline int Round(double v)
{
    constexpr double shift = 6755399441055744.0;
    if (std::fabs(v) < 2251799813685248.0) {
        // Without -ffast-math the compiler keeps both operations (they are not an identity).
        return int((v + shift) - shift);
    }
    return int(std::nearbyint(v));
}

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
