#include "canvas/drawing/StrokePoints.h"

#include "canvas/drawing/Path.h"
#include "image/PixelLine.h"

#include <QPainter>
#include <QPolygon>

namespace kalvo {

namespace {

TPath strokePath(const TPoints& points, bool pairsMode)
{
    TPath path;
    if (pairsMode) {
        for (std::size_t k = 0; 2 * k + 1 < points.size(); ++k) {
            path.moveTo(points[2 * k]);
            path.lineTo(points[2 * k + 1]);
        }
    } else if (!points.empty()) {
        path.moveTo(points.front());
        for (std::size_t i = 1; i < points.size(); ++i)
            path.lineTo(points[i]);
    }
    return path;
}

} // namespace

namespace {

// A one-pixel figure: each segment from its first pixel up to, not including, its last, as the
// pen's stroke mask draws it, so that both pens agree pixel for pixel.
void drawPixelSegments(QPainter& surface, const TPoints& points, bool pairsMode)
{
    QPolygon pixels;
    ForEachSegment(points, pairsMode, [&](QPoint a, QPoint b) {
        WalkPixelLine(a.x(), a.y(), b.x(), b.y(), [&](int x, int y) { pixels << QPoint(x, y); });
    });
    surface.drawPoints(pixels);
}

} // namespace

void StrokePoints(QPainter& surface, const TPoints& points, bool pairsMode, TColor color, int width)
{
    const QPen savedPen = surface.pen();
    const bool savedAntialiasing = surface.testRenderHint(QPainter::Antialiasing);
    surface.setPen(QPen(QColor(GetRValue(color), GetGValue(color), GetBValue(color)), width, Qt::SolidLine,
                        Qt::RoundCap, Qt::RoundJoin));
    surface.setRenderHint(QPainter::Antialiasing, false);
    if (width <= 1) {
        surface.setPen(QPen(QColor(GetRValue(color), GetGValue(color), GetBValue(color)), 1));
        drawPixelSegments(surface, points, pairsMode);
        surface.setRenderHint(QPainter::Antialiasing, savedAntialiasing);
        surface.setPen(savedPen);
        return;
    }
    // The whole figure is one path, so overlapping parts are painted once.
    TPath path = TPath::capture(strokePath(points, pairsMode).replay());
    path.stroke(surface);
    surface.setRenderHint(QPainter::Antialiasing, savedAntialiasing);
    surface.setPen(savedPen);
}

} // namespace kalvo
