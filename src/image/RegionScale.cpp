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
    std::vector<TRect> rects = region->rects();
    if (f < 0)
        std::reverse(rects.begin(), rects.end());
    TRegionBuilder builder;
    for (const TRect& r : rects) {
        TRect s;
        if (!scaleCoord(r.left, f, s.left) || !scaleCoord(r.top, f, s.top)
            || !scaleCoord(r.right, f, s.right) || !scaleCoord(r.bottom, f, s.bottom))
            return std::nullopt;
        s = s.normalized();
        if (!s.isEmpty() && !builder.add(s))
            return std::nullopt;
    }
    return builder.finish();
}

} // namespace kalvo
