#include "canvas/ShapePaths.h"

#include "canvas/ViewGeometry.h"
#include "imaging/raster/PixelBox.h"

#include <QImage>
#include <QPainter>
#include <QPainterPathStroker>

#include <algorithm>
#include <cstring>

namespace kalvo {

namespace {

QPointF centre(QPoint p)
{
    return QPointF(p.x() + 0.5, p.y() + 0.5);
}

// The box figure shrunk by inset on every side (empty when nothing is left).
QPainterPath boxFigure(const TShapeSpec& spec, const QRect& box, double inset)
{
    QPainterPath path;
    const QRectF r = QRectF(box.left(), box.top(), box.width(), box.height()).adjusted(inset, inset, -inset, -inset);
    if (r.width() <= 0 || r.height() <= 0)
        return path;
    switch (spec.Kind) {
    case TShapeKind::Ellipse: path.addEllipse(r); break;
    case TShapeKind::RoundRect: {
        const double radius = std::min({std::max(spec.Radius - inset, 0.0), r.width() / 2, r.height() / 2});
        path.addRoundedRect(r, radius, radius);
        break;
    }
    default: path.addRect(r); break;
    }
    return path;
}

TCoverage render(const QPainterPath& path, const QRect& area)
{
    TCoverage c;
    if (path.isEmpty() || area.isEmpty())
        return c;
    QImage image(area.size(), QImage::Format_Grayscale8);
    image.fill(0);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.translate(-area.left(), -area.top());
        painter.fillPath(path, Qt::white);
    }
    c.Origin = area.topLeft();
    c.Table = TByteTable(area.width(), area.height());
    for (int y = 0; y < area.height(); ++y)
        std::memcpy(c.Table[y], image.constScanLine(y), std::size_t(area.width()));
    return c;
}

} // namespace

TShapePaths ShapePathsOf(const TShapeSpec& spec)
{
    TShapePaths paths;
    const int w = std::clamp(spec.Width, 1, 100);
    if (spec.Kind == TShapeKind::Line || spec.Kind == TShapeKind::Arrow) {
        QPainterPathStroker stroker;
        stroker.setWidth(w);
        stroker.setCapStyle(Qt::RoundCap);
        QPainterPath line(centre(spec.From));
        if (spec.Kind == TShapeKind::Line) {
            line.lineTo(centre(spec.To));
            paths.Stroke = stroker.createStroke(line);
            if (spec.From == spec.To)
                paths.Stroke.addEllipse(centre(spec.From), w / 2.0, w / 2.0);
            return paths;
        }
        const TArrowHead h = ArrowHeadOf(spec.From, spec.To, w);
        line.lineTo(h.BaseX + 0.5, h.BaseY + 0.5);
        paths.Stroke = stroker.createStroke(line);
        QPainterPath head;
        head.moveTo(h.TipX + 0.5, h.TipY + 0.5);
        head.lineTo(h.LeftX + 0.5, h.LeftY + 0.5);
        head.lineTo(h.RightX + 0.5, h.RightY + 0.5);
        head.closeSubpath();
        paths.Stroke = paths.Stroke.united(head);
        return paths;
    }
    const QRect box = PixelBox(spec.From, spec.To);
    const QPainterPath outer = boxFigure(spec, box, 0);
    const QPainterPath inner = boxFigure(spec, box, w);
    if (spec.Fill == TShapeFill::FillOnly) {
        paths.Fill = outer;
        return paths;
    }
    paths.Stroke = outer;
    if (!inner.isEmpty()) {
        paths.Stroke.addPath(inner);
        paths.Stroke.setFillRule(Qt::OddEvenFill);
    }
    if (spec.Fill == TShapeFill::Both)
        paths.Fill = inner;
    return paths;
}

TShapeCoverage AntiAliasedShapeCoverage(const TShapeSpec& spec)
{
    const TShapePaths paths = ShapePathsOf(spec);
    const QRect area = ShapeBounds(spec);
    return {render(paths.Stroke, area), render(paths.Fill, area)};
}

QTransform ImageToClientTransform(const TViewGeometry& view)
{
    const double zoom = view.ZoomFactor();
    return QTransform(zoom, 0, 0, zoom, view.ImageLeft - view.ScrollX * zoom, view.ImageTop - view.ScrollY * zoom);
}

} // namespace kalvo
