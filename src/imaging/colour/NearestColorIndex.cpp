#include "imaging/colour/NearestColorIndex.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace kalvo {

namespace {

// Nearest and farthest squared distance on one axis from v to the values lo..lo+7.
inline void axisRange(int v, int lo, int& nearest, int& farthest)
{
    const int hi = lo + 7;
    const int d = v < lo ? lo - v : (v > hi ? v - hi : 0);
    const int f = std::max(std::abs(v - lo), std::abs(v - hi));
    nearest = d * d;
    farthest = f * f;
}

} // namespace

TNearestColorIndex::TNearestColorIndex(const std::vector<TColor>& palette) : boxStart_(kBoxes, -1), boxCount_(kBoxes, 0)
{
    const std::size_t n = std::min<std::size_t>(palette.size(), 256);
    for (std::size_t k = 0; k < n; ++k) {
        red_.push_back(std::uint8_t(GetRValue(palette[k])));
        green_.push_back(std::uint8_t(GetGValue(palette[k])));
        blue_.push_back(std::uint8_t(GetBValue(palette[k])));
    }
}

// An entry whose nearest distance to the box exceeds the smallest farthest distance of any entry
// can never be (or tie with) the nearest one for a colour inside the box.
void TNearestColorIndex::collectCandidates(int box) const
{
    const int r0 = (box >> 10) * 8, g0 = ((box >> 5) & 31) * 8, b0 = (box & 31) * 8;
    const std::size_t n = red_.size();
    std::vector<int> nearest(n);
    int bound = std::numeric_limits<int>::max();
    for (std::size_t k = 0; k < n; ++k) {
        int nr, fr, ng, fg, nb, fb;
        axisRange(red_[k], r0, nr, fr);
        axisRange(green_[k], g0, ng, fg);
        axisRange(blue_[k], b0, nb, fb);
        nearest[k] = nr + ng + nb;
        bound = std::min(bound, fr + fg + fb);
    }
    boxStart_[std::size_t(box)] = std::int32_t(candidates_.size());
    for (std::size_t k = 0; k < n; ++k)
        if (nearest[k] <= bound)
            candidates_.push_back(std::uint8_t(k));
    boxCount_[std::size_t(box)] = std::uint16_t(candidates_.size() - std::size_t(boxStart_[std::size_t(box)]));
}

int TNearestColorIndex::indexOf(int red, int green, int blue) const
{
    if (red_.empty())
        return 0;
    const int box = ((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3);
    if (boxStart_[std::size_t(box)] < 0)
        collectCandidates(box);
    const std::uint8_t* list = candidates_.data() + boxStart_[std::size_t(box)];
    const int count = boxCount_[std::size_t(box)];
    int best = list[0];
    int bestDistance = std::numeric_limits<int>::max();
    for (int k = 0; k < count; ++k) {
        const int e = list[k];
        const int dr = red_[std::size_t(e)] - red, dg = green_[std::size_t(e)] - green,
                  db = blue_[std::size_t(e)] - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = e;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace kalvo
