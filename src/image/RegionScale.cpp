// Scaled copies and polygon regions.
#include "image/RegionBuilder.h"
#include "image/RegionConvert.h"

#include <algorithm>
#include <cmath>

namespace kalvo {

namespace {

// Scales one coordinate; false when the result leaves the region coordinate range.
bool scaleCoord(int v, float factor, int& out)
{
    const double s = std::nearbyint(double(v) * double(factor));
    if (!(std::abs(s) <= TRegion::kCoordLimit))
        return false;
    out = int(s);
    return true;
}

} // namespace

TRegionRef CreateRegionFromPoints(std::span<const QPoint> points)
{
    return TRegion::polygon(points);
}

// Scaling is monotonic, so the scaled rectangles keep their banded order (reversed as a whole for
// a negative factor) and the result is assembled in one linear pass; rectangles that lose their
// area vanish and bands that become equal merge.
TRegionRef ScaleRegion(const TRegionRef& region, double factor)
{
    if (!region)
        return std::nullopt;
    const float f = float(factor);
    if (!std::isfinite(f))
        return std::nullopt;
    TRegionBuilder builder;
    builder.reserve(region->rectCount());
    auto scaleAll = [&](auto first, auto last) {
        for (auto it = first; it != last; ++it) {
            TRect s;
            if (!scaleCoord(it->x1, f, s.left) || !scaleCoord(it->y1, f, s.top) || !scaleCoord(it->x2, f, s.right)
                || !scaleCoord(it->y2, f, s.bottom))
                return false;
            s = s.normalized();
            if (!s.isEmpty() && !builder.add(s))
                return false;
        }
        return true;
    };
    const std::span<const pixman_box32_t> q = region->boxes();
    const bool ok = f < 0 ? scaleAll(q.rbegin(), q.rend()) : scaleAll(q.begin(), q.end());
    if (!ok)
        return std::nullopt;
    return builder.finish();
}

} // namespace kalvo
