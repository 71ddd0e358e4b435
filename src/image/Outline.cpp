#include "image/Outline.h"

#include "image/BitRuns.h"
#include "image/ImageErrors.h"

#include <algorithm>
#include <new>

namespace kalvo {

namespace {

constexpr std::size_t kInitialPoints = 4000;

// Walks rows y0..h and columns x0..w (inclusive) and calls onSegment(ax, ay, bx, by) for every
// segment. rowAt(y) gives row y of the bitmap; inside(row, x) tests one pixel of it.
template <class RowAt, class Inside, class Emit>
void walkSegments(int w, int h, int x0, int y0, RowAt rowAt, Inside inside, Emit onSegment)
{
    x0 = std::max(x0, 0);
    for (int y = std::max(y0, 0); y <= h; ++y) {
        const auto* cur = y < h ? rowAt(y) : nullptr;
        const auto* up = y > 0 && y <= h ? rowAt(y - 1) : nullptr;
        bool state = false;
        for (int x = x0; x <= w; ++x) {
            const bool c = x < w && cur && inside(cur, x);
            if (c != state) {
                onSegment(x, y, x, y + 1);
                state = c;
            }
            if (c != (x < w && up && inside(up, x)))
                onSegment(x, y, x + 1, y);
        }
    }
}

// Counts the segments first so that the list is allocated once at its final size.
template <class RowAt, class Inside>
void traceSegments(int w, int h, int x0, int y0, int dx, int dy, RowAt rowAt, Inside inside,
                   TPoints& points)
{
    std::size_t segments = 0;
    walkSegments(w, h, x0, y0, rowAt, inside, [&](int, int, int, int) { ++segments; });
    points.reserve(std::max(kInitialPoints, 2 * segments));
    walkSegments(w, h, x0, y0, rowAt, inside, [&](int ax, int ay, int bx, int by) {
        points.emplace_back(ax + dx, ay + dy);
        points.emplace_back(bx + dx, by + dy);
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
        auto rowAt = [mask](int y) { return mask->scanLine(y); };
        auto inside = [](const std::uint8_t* row, int x) { return row[x] != 255; };
        traceSegments(mask->width(), mask->height(), 0, 0, 0, 0, rowAt, inside, points);
    });
}

std::size_t BwBitmapToPoints(const TBitmap& bitmap, TPoints& points, const TRect* rect,
                             int offsetY, int offsetX)
{
    static constexpr char kFailure[] = "PxImage.BwBitmapToPoints: Can not allocate memory.";
    if (bitmap.bitCount() != 1 && !bitmap.empty()) {
        TPoints().swap(points);
        throw EPxImageError(kFailure);
    }
    const int x0 = rect ? rect->left : 0;
    const int y0 = rect ? rect->top : 0;
    return collect(points, kFailure, [&] {
        auto rowAt = [&bitmap](int y) { return bitmap.scanLine(y); };
        traceSegments(bitmap.width(), bitmap.height(), x0, y0, offsetX, offsetY, rowAt, TestBit,
                      points);
    });
}

std::size_t RegionToPoints(const TRegionRef& region, TPoints& points)
{
    if (!region) {
        points.clear();
        return 0;
    }
    const TRect box = region->boundingRect();
    const int w = box.width();
    const int h = box.height();
    TBitmap bitmap(w + 1, h + 1, 1);
    for (const QRect& q : region->qregion()) {
        const int left = q.left() - box.left;
        const int right = q.right() + 1 - box.left;
        for (int y = q.top() - box.top; y <= q.bottom() - box.top; ++y)
            SetBitRun(bitmap.scanLine(y), left, right);
    }
    return BwBitmapToPoints(bitmap, points, nullptr, box.top, box.left);
}

} // namespace kalvo
