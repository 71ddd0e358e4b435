#include "image/Outline.h"

#include "image/BitRuns.h"
#include "image/ImageErrors.h"

#include <algorithm>
#include <new>

namespace kalvo {

namespace {

constexpr std::size_t kInitialPoints = 4000;

// Walks rows y0..h and columns x0..w (inclusive) appending segments; inside(x, y) is only asked
// for pixels of the bitmap.
template <class Inside>
void traceSegments(int w, int h, int x0, int y0, int dx, int dy, Inside inside, TPoints& points)
{
    auto at = [&](int x, int y) { return x < w && y >= 0 && y < h && inside(x, y); };
    for (int y = std::max(y0, 0); y <= h; ++y) {
        bool state = false;
        for (int x = std::max(x0, 0); x <= w; ++x) {
            const bool c = at(x, y);
            if (c != state) {
                points.emplace_back(x + dx, y + dy);
                points.emplace_back(x + dx, y + 1 + dy);
                state = c;
            }
            if (c != at(x, y - 1)) {
                points.emplace_back(x + dx, y + dy);
                points.emplace_back(x + 1 + dx, y + dy);
            }
        }
    }
}

// Runs the tracer; on allocation failure the list is emptied and the tracer's message raised.
template <class Trace>
std::size_t collect(TPoints& points, const char* failure, Trace trace)
{
    points.clear();
    try {
        points.reserve(kInitialPoints);
        trace();
        points.shrink_to_fit();
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
        auto inside = [mask](int x, int y) { return mask->scanLine(y)[x] != 255; };
        traceSegments(mask->width(), mask->height(), 0, 0, 0, 0, inside, points);
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
        auto inside = [&bitmap](int x, int y) { return TestBit(bitmap.scanLine(y), x); };
        traceSegments(bitmap.width(), bitmap.height(), x0, y0, offsetX, offsetY, inside, points);
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
