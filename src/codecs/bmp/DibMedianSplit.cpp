#include "codecs/bmp/DibMedianSplit.h"

#include "imaging/quantize/MedianCutSplit.h"

#include <cmath>

namespace kalvo {

namespace {

struct TDibSplitStats {
    bool final = false; // only classes with pixels take part, so no range ends early
    double mean[3] = {0, 0, 0};
    double variance[3] = {0, 0, 0};
};

int channel(const TReductionCell& cell, int c)
{
    return c == 0 ? cell.R : (c == 1 ? cell.G : cell.B);
}

// Means and variances weighted by the pixel counts in real arithmetic; entries are the rounded
// means; every entry made and every empty range reaching the limit sends one progress step.
class TDibSplitPolicy {
public:
    TDibSplitPolicy(std::vector<TReductionCell>& cells, int limit, const TProgressCallback& step)
        : cells_(cells), limit_(limit), step_(step)
    {
    }

    TDibSplitStats measure(std::size_t start, std::size_t end) const
    {
        double e = 0, sum[3] = {0, 0, 0}, squares[3] = {0, 0, 0};
        for (std::size_t i = start; i < end; ++i) {
            const double w = double(cells_[i].Count);
            e += w;
            for (int c = 0; c < 3; ++c) {
                const int v = channel(cells_[i], c);
                sum[c] += w * v;
                squares[c] += w * v * v;
            }
        }
        TDibSplitStats stats;
        for (int c = 0; c < 3; ++c) {
            stats.mean[c] = sum[c] / e;
            stats.variance[c] = squares[c] / e - stats.mean[c] * stats.mean[c];
        }
        return stats;
    }

    void makeEntry(std::size_t start, std::size_t end, const TDibSplitStats& stats)
    {
        const int n = int(palette_.size());
        palette_.push_back({std::uint8_t(std::nearbyint(stats.mean[2])), std::uint8_t(std::nearbyint(stats.mean[1])),
                            std::uint8_t(std::nearbyint(stats.mean[0])), 0});
        for (std::size_t i = start; i < end; ++i)
            cells_[i].Index = n;
        sendStep();
    }

    std::size_t partition(std::size_t start, std::size_t end, TSplitAxis axis, const TDibSplitStats& stats)
    {
        const int c = int(axis);
        const double m = stats.mean[c];
        return PartitionCells(cells_.data(), start, end,
                              [c, m](const TReductionCell& cell) { return channel(cell, c) <= m; });
    }

    // An empty range stands for all the entries it would have split into.
    void emptyRange(int depth)
    {
        for (long k = 0; k < (1L << (limit_ - depth)); ++k)
            sendStep();
    }

    std::vector<TRGBQuad> takePalette() { return std::move(palette_); }

private:
    void sendStep() const
    {
        if (step_)
            step_(++stepsDone_);
    }

    std::vector<TReductionCell>& cells_;
    int limit_;
    const TProgressCallback& step_;
    mutable int stepsDone_ = 0;
    std::vector<TRGBQuad> palette_;
};

} // namespace

std::vector<TRGBQuad> SplitCells(std::vector<TReductionCell>& cells, int depth, const TProgressCallback& step)
{
    TDibSplitPolicy policy(cells, depth, step);
    MedianCutSplit(policy, 0, cells.size(), 0, depth);
    return policy.takePalette();
}

} // namespace kalvo
