// The polygon region: even-odd filling sampled at pixel centres.
#include "image/Region.h"
#include "image/RegionBuilder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace kalvo {

namespace {

struct Edge {
    std::int64_t x0, y0, x1, y1; // oriented so that y0 < y1
};

std::int64_t ceilDiv(std::int64_t a, std::int64_t d)
{
    std::int64_t q = a / d;
    if (a % d != 0 && a > 0)
        ++q;
    return q;
}

// The first column whose pixel centre lies at or right of the edge's crossing with the centre
// line of row y (exact integer arithmetic).
int crossingColumn(const Edge& e, std::int64_t y)
{
    const std::int64_t q = e.y1 - e.y0;
    const std::int64_t p = 2 * e.x0 * q + (e.x1 - e.x0) * (2 * y + 1 - 2 * e.y0);
    return int(ceilDiv(p - q, 2 * q));
}

std::vector<Edge> collectEdges(std::span<const QPoint> points)
{
    std::vector<Edge> edges;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPoint a = points[i];
        const QPoint b = points[(i + 1) % points.size()];
        if (a.y() == b.y())
            continue;
        if (a.y() < b.y())
            edges.push_back({a.x(), a.y(), b.x(), b.y()});
        else
            edges.push_back({b.x(), b.y(), a.x(), a.y()});
    }
    std::sort(edges.begin(), edges.end(), [](const Edge& l, const Edge& r) { return l.y0 < r.y0; });
    return edges;
}

// Adds the spans between crossing pairs of one row (the builder joins spans that touch).
void addRowSpans(TRegionBuilder& builder, std::vector<int>& crossings, int y)
{
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
        if (crossings[i] < crossings[i + 1])
            builder.add(crossings[i], y, crossings[i + 1], y + 1);
    }
}

} // namespace

std::optional<TRegion> TRegion::polygon(std::span<const QPoint> points)
{
    if (points.size() < 2)
        return std::nullopt;
    for (const QPoint& p : points) {
        if (std::abs(p.x()) > kCoordLimit || std::abs(p.y()) > kCoordLimit)
            return std::nullopt;
    }
    const std::vector<Edge> edges = collectEdges(points);
    TRegionBuilder builder;
    if (edges.empty())
        return builder.finish();
    std::int64_t yEnd = edges.front().y1;
    for (const Edge& e : edges)
        yEnd = std::max(yEnd, e.y1);
    std::vector<const Edge*> active;
    std::vector<int> crossings;
    std::size_t next = 0;
    for (std::int64_t y = edges.front().y0; y < yEnd; ++y) {
        while (next < edges.size() && edges[next].y0 <= y)
            active.push_back(&edges[next++]);
        std::erase_if(active, [y](const Edge* e) { return e->y1 <= y; });
        crossings.clear();
        for (const Edge* e : active)
            crossings.push_back(crossingColumn(*e, y));
        addRowSpans(builder, crossings, int(y));
    }
    return builder.finish();
}

} // namespace kalvo
