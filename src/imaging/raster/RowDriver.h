#pragma once
// The shared driver of the per-pixel whole-image operations: the operation supplies a row
// kernel, the driver splits the rows between two threads on large images, reports progress
// from the calling thread in row order, and tells the kernel how much of each row the
// selection mask selects so that unmasked or fully selected rows take a straight loop.
#include "imaging/raster/ParallelRows.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <thread>

namespace kalvo {

// How much of a span of mask values (0 = selected, 255 = not selected) is selected.
enum class TMaskCover { All, None, Partly };

// The cover of n mask values; an empty span selects nothing.
inline TMaskCover MaskCover(const std::uint8_t* mask, int n)
{
    if (n <= 0)
        return TMaskCover::None;
    const std::uint8_t first = mask[0];
    if (first != 0 && first != 255)
        return TMaskCover::Partly;
    // OR and AND over the span tell "all equal to first" without a branch per byte.
    std::uint8_t any = 0, all = 255;
    for (int x = 0; x < n; ++x) {
        any |= mask[x];
        all &= mask[x];
    }
    if (any == 0)
        return TMaskCover::All;
    if (all == 255)
        return TMaskCover::None;
    return TMaskCover::Partly;
}

// Pixels below which one thread does the whole job (a thread costs tens of microseconds).
inline constexpr std::int64_t kParallelPixels = 1 << 16;

// Calls work(begin, end) over [0, rows), on two threads when rows * width reaches
// kParallelPixels and there are two cores. report(y) is called on the calling thread for every
// row y in increasing order, the last one before the last row is done, so a progress callback
// sees the same values in the same order as from a single loop reporting before each row.
template <typename Work, typename Report>
void DriveRows(int rows, int width, Report&& report, Work&& work)
{
    if (rows <= 0)
        return;
    const bool parallel = rows >= 2 && std::int64_t(rows) * width >= kParallelPixels
        && std::thread::hardware_concurrency() >= 2;
    if (!parallel) {
        for (int y = 0; y < rows; ++y) {
            report(y);
            work(y, y + 1);
        }
        return;
    }
    // The lower band runs on a second thread; the calling thread does the upper band row by
    // row and spreads the reports of all rows over its own progress.
    const int middle = rows / 2;
    const int own = rows - middle;
    std::thread lower([&] { work(0, middle); });
    int reported = 0;
    for (int i = 0; i < own; ++i) {
        const int due = int(std::int64_t(i + 1) * rows / own);
        for (; reported < due; ++reported)
            report(reported);
        work(middle + i, middle + i + 1);
    }
    for (; reported < rows; ++reported)
        report(reported);
    lower.join();
}

// DriveRows without progress; bands are handed to work whole.
template <typename Work>
void DriveRows(int rows, int width, Work&& work)
{
    if (rows <= 0)
        return;
    // Small images stay on the calling thread: their minimum row count is out of reach.
    const bool large = std::int64_t(rows) * width >= kParallelPixels;
    ParallelRows(rows, large ? 2 : rows + 1, std::forward<Work>(work));
}

// For work that carries state from row to row (a sliding window): calls work(begin, end, tick)
// for the band [0, rows / 2) and the band [rows / 2, rows) on two threads when rows * rowCost
// reaches kParallelPixels and there are two cores, otherwise once for [0, rows). The work calls
// tick(y) before each row y; report(y) is called on the calling thread for every row in
// increasing order, spread over the calling thread's band as DriveRows does. An exception of
// the other thread's band passes on after both bands ended.
template <typename Work, typename Report>
void DriveRowBands(int rows, std::int64_t rowCost, Report&& report, Work&& work)
{
    if (rows <= 0)
        return;
    const bool parallel = rows >= 2 && std::int64_t(rows) * rowCost >= kParallelPixels
        && std::thread::hardware_concurrency() >= 2;
    if (!parallel) {
        work(0, rows, [&](int y) { report(y); });
        return;
    }
    const int middle = rows / 2;
    const int own = rows - middle;
    std::exception_ptr failure;
    std::thread lower([&] {
        try {
            work(0, middle, [](int) {});
        } catch (...) {
            failure = std::current_exception();
        }
    });
    int reported = 0;
    try {
        work(middle, rows, [&](int y) {
            const int due = int(std::int64_t(y - middle + 1) * rows / own);
            for (; reported < due; ++reported)
                report(reported);
        });
    } catch (...) {
        lower.join();
        throw;
    }
    lower.join();
    if (failure)
        std::rethrow_exception(failure);
    for (; reported < rows; ++reported)
        report(reported);
}

} // namespace kalvo
