#include "imaging/quantize/MedianCut.h"

#include "imaging/quantize/MedianCutSplit.h"

#include <algorithm>
#include <stdexcept>

namespace kalvo {

namespace {

struct TCellStats {
    bool final = false;
    std::uint32_t mean[3] = {0, 0, 0};
    long double variance[3] = {0, 0, 0};
};

std::uint32_t channel(const TMedianCutCell& cell, int c)
{
    return c == 0 ? cell.R : (c == 1 ? cell.G : cell.B);
}

} // namespace

// Means weighted by the pixel counts (integer division), variances in extended precision; a range
// without pixels takes the unweighted mean of its cells and becomes an entry at once.
class TMedianCut::TSplitPolicy {
public:
    explicit TSplitPolicy(TMedianCut& owner) : owner_(owner), cells_(owner.cells_.data()) { }

    TCellStats measure(std::size_t start, std::size_t end) const
    {
        std::uint64_t e = 0, sum[3] = {0, 0, 0}, squares[3] = {0, 0, 0}, plain[3] = {0, 0, 0};
        for (std::size_t k = start; k < end; ++k) {
            const TMedianCutCell& cell = cells_[k];
            e += cell.Count;
            for (int c = 0; c < 3; ++c) {
                const std::uint64_t v = channel(cell, c);
                sum[c] += v * cell.Count;
                squares[c] += v * v * cell.Count;
                plain[c] += v;
            }
        }
        TCellStats stats;
        stats.final = e == 0;
        for (int c = 0; c < 3; ++c) {
            if (e == 0) {
                stats.mean[c] = std::uint32_t(plain[c] / (end - start));
                continue;
            }
            const std::uint64_t m = sum[c] / e;
            stats.mean[c] = std::uint32_t(m);
            stats.variance[c] = static_cast<long double>(squares[c]) / static_cast<long double>(e)
                - static_cast<long double>(m * m);
        }
        return stats;
    }

    void makeEntry(std::size_t start, std::size_t end, const TCellStats& stats)
    {
        const int index = owner_.paletteSize_;
        TRGBQuad& entry = owner_.palette_[std::size_t(index)];
        entry.rgbRed = std::uint8_t(stats.mean[0]);
        entry.rgbGreen = std::uint8_t(stats.mean[1]);
        entry.rgbBlue = std::uint8_t(stats.mean[2]);
        entry.rgbReserved = 0;
        for (std::size_t k = start; k < end; ++k)
            cells_[k].Index = std::uint16_t(index);
        ++owner_.paletteSize_;
    }

    std::size_t partition(std::size_t start, std::size_t end, TSplitAxis axis, const TCellStats& stats)
    {
        const int c = int(axis);
        const std::uint32_t m = stats.mean[c];
        return PartitionCells(cells_, start, end, [c, m](const TMedianCutCell& cell) { return channel(cell, c) <= m; });
    }

    void emptyRange(int) { }

private:
    TMedianCut& owner_;
    TMedianCutCell* cells_;
};

TMedianCut::TMedianCut() : cells_(kCells), lookup_(kCells, 0)
{
    for (std::size_t k = 0; k < kCells; ++k)
        cells_[k].Cell = std::uint32_t(k);
}

void TMedianCut::computeCellColours()
{
    for (TMedianCutCell& cell : cells_) {
        const std::uint32_t i = cell.Cell >> 11, j = (cell.Cell >> 5) & 63, k = cell.Cell & 31;
        if (cell.Count > 0) {
            cell.R = cell.R / cell.Count + 4 * i;
            cell.G = cell.G / cell.Count + 4 * j;
            cell.B = cell.B / cell.Count + 8 * k;
        } else {
            cell.R = 4 * i + 2;
            cell.G = 4 * j + 2;
            cell.B = 8 * k + 4;
        }
    }
}

std::size_t TMedianCut::compactCells()
{
    std::size_t n = 0;
    for (std::size_t k = 0; k < kCells; ++k)
        if (cells_[k].Count > 0)
            cells_[n++] = cells_[k];
    return n;
}

void TMedianCut::Build(int depth, bool compact)
{
    if (depth < 0 || depth > 8)
        throw std::logic_error("Assertion failed: depth out of range (pxMedianCut)");
    computeCellColours();
    paletteSize_ = 0;
    const std::size_t n = compact ? compactCells() : kCells;
    TSplitPolicy policy(*this);
    MedianCutSplit(policy, 0, n, 0, depth);
    std::fill(lookup_.begin(), lookup_.end(), 0);
    for (std::size_t k = 0; k < n; ++k)
        lookup_[cells_[k].Cell] = std::uint8_t(cells_[k].Index & 0xFF);
}

std::vector<TColor> TMedianCut::MakePalette() const
{
    std::vector<TColor> colours(static_cast<std::size_t>(paletteSize_));
    for (std::size_t k = 0; k < colours.size(); ++k)
        colours[k] = RGB(palette_[k].rgbRed, palette_[k].rgbGreen, palette_[k].rgbBlue);
    return colours;
}

} // namespace kalvo
