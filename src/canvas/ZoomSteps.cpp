#include "canvas/ZoomSteps.h"

#include <algorithm>
#include <array>

namespace kalvo {

namespace {

// The steps below 200; above it the zoom moves in hundreds.
constexpr std::array<int, 9> kSmallSteps = {10, 15, 20, 25, 33, 50, 75, 100, 150};

} // namespace

int ZoomStepIn(int z)
{
    for (int step : kSmallSteps)
        if (z < step)
            return step;
    return std::min(kMaxZoomStep, (z + 100) / 100 * 100);
}

int ZoomStepOut(int z)
{
    if (z <= 15)
        return std::min(10, z);
    if (z <= 200) {
        // The largest small step below z (z > 15 here, so there is one).
        int result = kSmallSteps.front();
        for (int step : kSmallSteps)
            if (step < z)
                result = step;
        return result;
    }
    if (z <= 300)
        return 200;
    return z % 100 == 0 ? z - 100 : z / 100 * 100;
}

int FitToWindowZoom(int clientWidth, int clientHeight, int imageWidth, int imageHeight)
{
    if (imageWidth <= 0 || imageHeight <= 0)
        return 0;
    const long long zx = (long long)std::max(0, clientWidth) * 100 / imageWidth;
    const long long zy = (long long)std::max(0, clientHeight) * 100 / imageHeight;
    return int(std::clamp<long long>(std::min(zx, zy), kMinZoom, kMaxZoom));
}

} // namespace kalvo
