#pragma once
// The order in which a GIF frame stores its rows: top to bottom, or in the four interlace passes
// (every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1).
#include <vector>

namespace kalvo {

// Entry i is the image row of the i-th row in the file.
inline std::vector<int> GifRowOrder(int height, bool interlaced)
{
    std::vector<int> order;
    order.reserve(height > 0 ? std::size_t(height) : 0);
    static constexpr int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < (interlaced ? 4 : 1); ++pass)
        for (int y = interlaced ? start[pass] : 0; y < height; y += interlaced ? step[pass] : 1)
            order.push_back(y);
    return order;
}

} // namespace kalvo
