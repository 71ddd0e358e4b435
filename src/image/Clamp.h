#pragma once
// Small numeric helpers shared by the window and the image operations.
#include <cmath>
#include <utility>

namespace kalvo {

// x limited to at most high, then raised to at least low, then truncated toward zero.
inline int ClampTrunc(int low, int high, double x)
{
    if (std::isnan(x))
        return low;
    if (x > high)
        x = high;
    if (x < low)
        x = low;
    return int(x);
}

inline int ClampByte(double x)
{
    return ClampTrunc(0, 255, x);
}

inline void SwapInt(int& a, int& b)
{
    std::swap(a, b);
}

} // namespace kalvo
