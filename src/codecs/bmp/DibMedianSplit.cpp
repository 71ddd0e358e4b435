#include "codecs/bmp/DibMedianSplit.h"

#include <cmath>

namespace kalvo {

namespace {

struct Splitter {
    std::vector<TReductionCell>& cells;
    int limit;
    const TProgressStep& step;
    std::vector<TRGBQuad> palette;

    void emptyRange(int depth)
    {
        if (depth == limit) {
            if (step)
                step();
            return;
        }
        emptyRange(depth + 1);
        emptyRange(depth + 1);
    }

    void split(std::size_t start, std::size_t end, int depth)
    {
        if (start == end) {
            emptyRange(depth);
            return;
        }
        double e = 0, sR = 0, sG = 0, sB = 0, qR = 0, qG = 0, qB = 0;
        for (std::size_t i = start; i < end; ++i) {
            const auto& c = cells[i];
            const double w = double(c.Count);
            e += w;
            sR += w * c.R, sG += w * c.G, sB += w * c.B;
            qR += w * c.R * c.R, qG += w * c.G * c.G, qB += w * c.B * c.B;
        }
        const double mR = sR / e, mG = sG / e, mB = sB / e;
        if (depth == limit) {
            const int n = int(palette.size());
            palette.push_back({std::uint8_t(std::nearbyint(mB)), std::uint8_t(std::nearbyint(mG)),
                               std::uint8_t(std::nearbyint(mR)), 0});
            for (std::size_t i = start; i < end; ++i)
                cells[i].Index = n;
            if (step)
                step();
            return;
        }
        const double vR = qR / e - mR * mR, vG = qG / e - mG * mG, vB = qB / e - mB * mB;
        int axis = 2;
        if (4 * vG <= 3 * vR && 2 * vB <= 3 * vR)
            axis = 0;
        else if (3 * vR <= 4 * vG && 2 * vB <= 3 * vG)
            axis = 1;
        const double m = axis == 0 ? mR : axis == 1 ? mG : mB;
        auto key = [axis](const TReductionCell& c) { return axis == 0 ? c.R : axis == 1 ? c.G : c.B; };
        std::size_t i = start, j = end;
        while (i < j) {
            while (i < j && key(cells[i]) <= m)
                ++i;
            while (i < j && key(cells[j - 1]) > m)
                --j;
            if (i != j)
                std::swap(cells[i], cells[j - 1]);
        }
        split(i, end, depth + 1);
        split(start, i, depth + 1);
    }
};

} // namespace

std::vector<TRGBQuad> SplitCells(std::vector<TReductionCell>& cells, int depth, const TProgressStep& step)
{
    Splitter s{cells, depth, step, {}};
    s.split(0, cells.size(), 0);
    return std::move(s.palette);
}

} // namespace kalvo
