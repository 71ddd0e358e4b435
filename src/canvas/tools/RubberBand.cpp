#include "canvas/tools/RubberBand.h"
#include "canvas/drawing/Path.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kalvo {

QPoint LimitToDisplayedImage(const TViewGeometry& view, QPoint p)
{
    int x = std::min(p.x(), view.Zoomed(view.ImageWidth - view.ScrollX) + view.ImageLeft);
    int y = std::min(p.y(), view.Zoomed(view.ImageHeight - view.ScrollY) + view.ImageTop);
    if (view.ScrollX == 0)
        x = std::max(x, view.ImageLeft);
    if (view.ScrollY == 0)
        y = std::max(y, view.ImageTop);
    return {x, y};
}

QPoint SquareCorner(QPoint anchor, QPoint far, bool square)
{
    if (!square)
        return far;
    const int b = std::min(std::abs(far.x() - anchor.x()), std::abs(far.y() - anchor.y()));
    return {anchor.x() < far.x() ? anchor.x() + b : anchor.x() - b,
            anchor.y() < far.y() ? anchor.y() + b : anchor.y() - b};
}

TRect EllipseBox(QPoint c, QPoint e, bool circle)
{
    if (circle) {
        const long long dx = e.x() - c.x(), dy = e.y() - c.y();
        const int r = int(std::sqrt(double(dx * dx + dy * dy)));
        return {c.x() - r, c.y() - r, c.x() + r, c.y() + r};
    }
    return {2 * c.x() - e.x(), 2 * c.y() - e.y(), e.x(), e.y()};
}

TRectBand RectBandEnds(const TViewGeometry& view, QPoint a, QPoint b, QSize client)
{
    const auto limit = [&](QPoint p) {
        p = LimitToDisplayedImage(view, p);
        return QPoint(std::clamp(p.x(), -1, client.width()), std::clamp(p.y(), -1, client.height()));
    };
    return {limit(a), limit(b)};
}

TPoints EllipseBandPolyline(const TViewGeometry& view, const TRect& box)
{
    TPath path;
    DrawEllipseOutline(path, box.left, box.top, box.right, box.bottom);
    TPoints points;
    for (const QPolygonF& polygon : path.replay().toSubpathPolygons()) {
        for (const QPointF& q : polygon) {
            const QPoint p = LimitToDisplayedImage(view, q.toPoint());
            if (points.empty() || points.back() != p)
                points.push_back(p);
        }
    }
    return points;
}

} // namespace kalvo
