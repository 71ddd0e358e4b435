#pragma once
// The rounding rules that decide pixel values: Trunc rounds toward zero, Round to the nearest
// integer with ties to even, clamp255 limits to 0..255 and then truncates.
#include <cmath>
#include <cstdint>

namespace kalvo {

inline int Trunc(double v)
{
    return int(v);
}

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

inline int clamp255(int v)
{
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// Round for a value a formula gives in double whose exact result may be a tie (v/2 = 2.5): a
// value within 1e-9 of a half-integer counts as that half-integer, so the tie goes to the even
// neighbour as in exact arithmetic, whichever way the double evaluation erred.
inline int RoundTie(double v)
{
    const double half = std::floor(v) + 0.5;
    return Round(std::fabs(v - half) < 1e-9 ? half : v);
}

// Channel value d after an operation that gives v, weighted by selection mask value m (0 =
// selected, 255 = not): Round(d * c + (1 - c) * v) with c = m / 255, as the negative weights its
// inversion. In integers the value is n / 255 with n = d * m + (255 - m) * v, which is never a
// tie (255 is odd), so rounding to nearest is exact.
inline std::uint8_t MaskBlend(int d, int v, int m)
{
    return std::uint8_t((2 * (d * m + (255 - m) * v) + 255) / 510);
}

} // namespace kalvo
