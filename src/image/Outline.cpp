// Rows are compared 64 columns at a time: each row becomes words with the leftmost column in the
// top bit, the vertical edges of a word are the bits that differ from their left neighbours and
// the horizontal ones the bits that differ from the row above; segments are emitted only at the
// set bits, in column order, vertical before horizontal.
#include "image/Outline.h"

#include "image/ImageErrors.h"
#include "image/WordRows.h"

#include <algorithm>
#include <bit>
#include <new>

namespace kalvo {

namespace {

constexpr std::size_t kInitialPoints = 4000;

// The columns from x0 on among the 64 of word k.
std::uint64_t columnsFrom(std::size_t k, int x0)
{
    const long long base = static_cast<long long>(k) * 64;
    if (base >= x0)
        return ~std::uint64_t(0);
    if (base + 64 <= x0)
        return 0;
    return ~std::uint64_t(0) >> (x0 - base);
}

// Walks rows y0..h and columns x0..w (inclusive) and calls visit(firstColumn, y, vertical,
// horizontal) for every word with an edge. load(y, words) fills row y (0 <= y < h) of the
// picture, all words cleared beforehand.
template <class LoadRow, class Visit>
void walkWords(int w, int h, int x0, int y0, LoadRow load, Visit visit)
{
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    if (y0 > h || x0 > w)
        return;
    const std::size_t words = WordsFor(w);
    TWordRow cur(words), up(words);
    const auto fetch = [&](TWordRow& row, int y) {
        std::fill(row.begin(), row.end(), 0);
        if (y >= 0 && y < h)
            load(y, row.data());
    };
    fetch(up, y0 - 1);
    for (int y = y0; y <= h; ++y) {
        fetch(cur, y);
        std::uint64_t left = 0;
        for (std::size_t k = 0; k < words; ++k) {
            const std::uint64_t valid = columnsFrom(k, x0);
            const std::uint64_t vertical = WordEdges(cur[k] & valid, left);
            const std::uint64_t horizontal = (cur[k] ^ up[k]) & valid;
            if (vertical | horizontal)
                visit(int(k * 64), y, vertical, horizontal);
        }
        cur.swap(up);
    }
}

// Counts the segments first so that the list is allocated once at its final size.
template <class LoadRow>
void traceSegments(int w, int h, int x0, int y0, int dx, int dy, LoadRow load, TPoints& points)
{
    std::size_t segments = 0;
    walkWords(w, h, x0, y0, load, [&](int, int, std::uint64_t v, std::uint64_t hz) {
        segments += std::size_t(CountBits(v) + CountBits(hz));
    });
    points.reserve(std::max(kInitialPoints, 2 * segments));
    walkWords(w, h, x0, y0, load, [&](int base, int y, std::uint64_t v, std::uint64_t hz) {
        for (std::uint64_t m = v | hz; m;) {
            const int i = std::countl_zero(m);
            const std::uint64_t bit = std::uint64_t(1) << (63 - i);
            const int x = base + i + dx;
            if (v & bit) {
                points.emplace_back(x, y + dy);
                points.emplace_back(x, y + 1 + dy);
            }
            if (hz & bit) {
                points.emplace_back(x, y + dy);
                points.emplace_back(x + 1, y + dy);
            }
            m ^= bit;
        }
    });
}

// Runs the tracer; on allocation failure the list is emptied and the tracer's message raised.
template <class Trace>
std::size_t collect(TPoints& points, const char* failure, Trace trace)
{
    TPoints().swap(points);
    try {
        trace();
    } catch (const std::bad_alloc&) {
        TPoints().swap(points);
        throw EPxImageError(failure);
    }
    return points.size();
}

} // namespace

std::size_t Bitmap8ToPoints(const TBitmap* mask, TPoints& points)
{
    static constexpr char kFailure[] = "PxImage.Bitmap8ToPoints: Can not allocate memory.";
    if (!mask) {
        points.clear();
        return 0;
    }
    if (mask->bitCount() != 8 && !mask->empty()) {
        TPoints().swap(points);
        throw EPxImageError(kFailure);
    }
    return collect(points, kFailure, [&] {
        const int w = mask->width();
        auto load = [mask, w](int y, std::uint64_t* words) {
            const std::uint8_t* row = mask->scanLine(y);
            for (int x = 0; x < w; ++x)
                words[x >> 6] |= std::uint64_t(row[x] != 255) << (63 - (x & 63));
        };
        traceSegments(w, mask->height(), 0, 0, 0, 0, load, points);
    });
}

std::size_t BwBitmapToPoints(const TBitmap& bitmap, TPoints& points, const TRect* rect, int offsetY, int offsetX)
{
    static constexpr char kFailure[] = "PxImage.BwBitmapToPoints: Can not allocate memory.";
    if (bitmap.bitCount() != 1 && !bitmap.empty()) {
        TPoints().swap(points);
        throw EPxImageError(kFailure);
    }
    const int x0 = rect ? rect->left : 0;
    const int y0 = rect ? rect->top : 0;
    return collect(points, kFailure, [&] {
        auto load = [&bitmap](int y, std::uint64_t* words) { LoadBwWords(bitmap, y, words); };
        traceSegments(bitmap.width(), bitmap.height(), x0, y0, offsetX, offsetY, load, points);
    });
}

std::size_t RegionToPoints(const TRegionRef& region, TPoints& points)
{
    static constexpr char kFailure[] = "PxImage.BwBitmapToPoints: Can not allocate memory.";
    if (!region) {
        points.clear();
        return 0;
    }
    const TRect box = region->boundingRect();
    const std::span<const pixman_box32_t> q = region->boxes();
    // Rows are asked for in increasing order; the rectangles of a band give the same row for
    // all of its rows, so it is built once per band. Each pass starts with its own copy.
    return collect(points, kFailure, [&] {
        const int w = box.width();
        auto load = [&q, box, band = TWordRow(WordsFor(w)), next = q.begin(),
                     bandBottom = 0](int y, std::uint64_t* words) mutable {
            if (y >= bandBottom) {
                while (next != q.end() && next->y2 - 1 - box.top < y)
                    ++next;
                std::fill(band.begin(), band.end(), 0);
                if (next != q.end() && next->y1 - box.top <= y) {
                    const int top = next->y1;
                    const int bottom = next->y2;
                    for (; next != q.end() && next->y1 == top; ++next)
                        SetWordColumns(band.data(), next->x1 - box.left, next->x2 - box.left);
                    bandBottom = bottom - box.top;
                } else {
                    bandBottom = next != q.end() ? next->y1 - box.top : box.height();
                }
            }
            std::copy(band.begin(), band.end(), words);
        };
        traceSegments(w, box.height(), 0, 0, box.left, box.top, load, points);
    });
}

} // namespace kalvo
