#include "canvas/drawing/Path.h"

#include <QPainter>

namespace kalvo {

void TPath::append(QPoint p, std::uint8_t type)
{
    points_.push_back(p);
    types_.push_back(type);
}

void TPath::bezierTo(QPoint p1, QPoint p2, QPoint p3)
{
    append(p1, PT_BEZIERTO);
    append(p2, PT_BEZIERTO);
    append(p3, PT_BEZIERTO);
}

void TPath::closeFigure()
{
    if (!types_.empty())
        types_.back() |= PT_CLOSEFIGURE;
}

void TPath::clear()
{
    points_.clear();
    types_.clear();
}

TPath TPath::capture(const QPainterPath& path)
{
    TPath out;
    QPoint figureStart;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QPoint p(qRound(e.x), qRound(e.y));
        if (e.isMoveTo()) {
            out.moveTo(p);
            figureStart = p;
            continue;
        }
        out.append(p, e.isLineTo() ? PT_LINETO : PT_BEZIERTO);
        const bool figureEnds = i + 1 == path.elementCount() || path.elementAt(i + 1).isMoveTo();
        if (figureEnds && p == figureStart)
            out.closeFigure();
    }
    return out;
}

QPainterPath TPath::replay() const
{
    QPainterPath path;
    const std::size_t n = points_.size();
    for (std::size_t i = 0; i < n; ++i) {
        const int kind = types_[i] & 6;
        if (kind == PT_BEZIERTO) {
            if (i + 2 >= n)
                break;
            path.cubicTo(points_[i], points_[i + 1], points_[i + 2]);
            i += 2;
        } else if (kind == PT_MOVETO) {
            path.moveTo(points_[i]);
        } else {
            path.lineTo(points_[i]);
        }
        if (types_[i] & PT_CLOSEFIGURE)
            path.closeSubpath();
    }
    return path;
}

void TPath::stroke(QPainter& surface) const
{
    surface.strokePath(replay(), surface.pen());
}

} // namespace kalvo
