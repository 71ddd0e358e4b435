#include "imaging/resample/ResampleTaps.h"

#include <algorithm>
#include <cmath>

namespace kalvo {

TCellOverlap CellOverlap(double a, double b, int j)
{
    if (j > a && j + 1 < b)
        return {1.0, 0.5};
    if (j > a)
        return {b - j, (b - j) / 2};
    if (j + 1 >= b)
        return {b - a, ((b - j) + (a - j)) / 2};
    return {1 - (a - j), ((a - j) + 1) / 2};
}

TResampleTaps MakeResampleTaps(int srcSize, int dstSize)
{
    TResampleTaps taps;
    const double scale = double(srcSize) / dstSize;
    auto clampIndex = [srcSize](int i) { return std::clamp(i, 0, srcSize - 1); };
    for (int d = 0; d < dstSize; ++d) {
        const double a = d * scale - 0.5;
        const double b = (d + 1) * scale - 0.500001;
        const int j0 = int(std::floor(a)), j1 = int(std::floor(b));
        const int first = clampIndex(j0);
        const int count = clampIndex(j1 + 1) - first + 1;
        const std::size_t offset = taps.Weights.size();
        taps.First.push_back(first);
        taps.Count.push_back(count);
        taps.Offset.push_back(int(offset));
        taps.Weights.resize(offset + std::size_t(count), 0.0);
        for (int j = j0; j <= j1; ++j) {
            const TCellOverlap o = CellOverlap(a, b, j);
            taps.Weights[offset + std::size_t(clampIndex(j) - first)] += o.Width * (1 - o.Centre);
            taps.Weights[offset + std::size_t(clampIndex(j + 1) - first)] += o.Width * o.Centre;
        }
    }
    return taps;
}

} // namespace kalvo
