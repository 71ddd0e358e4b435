#pragma once
// The recursive median-cut split, shared by the colour reductions that cut a table of colour
// cells into palette boxes. A policy supplies the cells' statistics and makes the palette entries;
// the recursion, the choice of axis and the in-place partition are the same for all of them.
//
// Policy interface:
//   Stats measure(start, end)           statistics of cells [start, end); Stats has a member
//                                       `variance[3]` (red, green, blue) and `final`, true when
//                                       the range must become an entry whatever its depth
//   void makeEntry(start, end, stats)   turns the range into the next palette entry
//   size_t partition(start, end, axis, stats)
//                                       moves the cells at or below the mean on axis to the front
//                                       (PartitionCells) and returns where the upper part starts
//   void emptyRange(depth)              called for every empty range the recursion meets
#include <cstddef>
#include <utility>

namespace kalvo {

enum class TSplitAxis { Red, Green, Blue };

// Red when 4*vG <= 3*vR and 2*vB <= 3*vR; otherwise green when 3*vR <= 4*vG and 2*vB <= 3*vG;
// otherwise blue.
template <class Real>
TSplitAxis ChooseSplitAxis(Real vR, Real vG, Real vB)
{
    if (4 * vG <= 3 * vR && 2 * vB <= 3 * vR)
        return TSplitAxis::Red;
    if (3 * vR <= 4 * vG && 2 * vB <= 3 * vG)
        return TSplitAxis::Green;
    return TSplitAxis::Blue;
}

// Partitions cells [start, end) in place by exchanging whole cells: afterwards the cells for which
// atOrBelow holds are [start, i) and the others [i, end); returns i.
template <class Cell, class Predicate>
std::size_t PartitionCells(Cell* cells, std::size_t start, std::size_t end, Predicate atOrBelow)
{
    std::size_t i = start;
    std::size_t j = end;
    while (i < j) {
        while (i < j && atOrBelow(cells[i]))
            ++i;
        while (i < j && !atOrBelow(cells[j - 1]))
            --j;
        if (i != j)
            std::swap(cells[i], cells[j - 1]);
    }
    return i;
}

// Splits [start, end) at depth `depth` until maxDepth: a range at the limit (or one the policy
// marks final) becomes one entry; otherwise it is partitioned on the chosen axis around its mean
// and the upper part is split first, so it receives the lower palette indices.
template <class Policy>
void MedianCutSplit(Policy& policy, std::size_t start, std::size_t end, int depth, int maxDepth)
{
    if (start == end) {
        policy.emptyRange(depth);
        return;
    }
    const auto stats = policy.measure(start, end);
    if (depth >= maxDepth || stats.final) {
        policy.makeEntry(start, end, stats);
        return;
    }
    const TSplitAxis axis = ChooseSplitAxis(stats.variance[0], stats.variance[1], stats.variance[2]);
    const std::size_t i = policy.partition(start, end, axis, stats);
    MedianCutSplit(policy, i, end, depth + 1, maxDepth);
    MedianCutSplit(policy, start, i, depth + 1, maxDepth);
}

} // namespace kalvo
