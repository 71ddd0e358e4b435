#include "imaging/raster/ShapeMask.h"

#include "image/PixelLine.h"
#include "imaging/raster/PixelBox.h"

#include <algorithm>
#include <cmath>

namespace kalvo {

namespace {

TCoverage emptyCoverage(const QRect& area)
{
    TCoverage c;
    c.Origin = area.topLeft();
    c.Table = TByteTable(area.width(), area.height());
    return c;
}

void set(TCoverage& c, int x, int y)
{
    const int cx = x - c.Origin.x(), cy = y - c.Origin.y();
    if (cx >= 0 && cy >= 0 && cx < c.Table.width() && cy < c.Table.height())
        c.Table[cy][cx] = 255;
}

// A round pen tip of the width: the offsets of its pixels around the walked pixel.
template <typename Plot>
void stamp(int x, int y, int width, Plot&& plot)
{
    if (width <= 1) {
        plot(x, y);
        return;
    }
    const int lo = -(width / 2), hi = lo + width - 1;
    const double centre = (lo + hi) / 2.0, r2 = width * width / 4.0 + 0.25;
    for (int dy = lo; dy <= hi; ++dy)
        for (int dx = lo; dx <= hi; ++dx)
            if ((dx - centre) * (dx - centre) + (dy - centre) * (dy - centre) <= r2)
                plot(x + dx, y + dy);
}

// The one-pixel line through both ends, each pixel stamped with the tip.
void strokeLine(TCoverage& c, QPoint a, QPoint b, int width)
{
    const auto plot = [&](int x, int y) { stamp(x, y, width, [&](int px, int py) { set(c, px, py); }); };
    WalkPixelLine(a.x(), a.y(), b.x(), b.y(), plot);
    plot(b.x(), b.y());
}

// Pixels whose centre lies inside the triangle (edges included), and the tip pixel.
void fillHead(TCoverage& c, const TArrowHead& h)
{
    const double xs[3] = {h.TipX, h.LeftX, h.RightX}, ys[3] = {h.TipY, h.LeftY, h.RightY};
    const int x0 = int(std::floor(*std::min_element(xs, xs + 3))), x1 = int(std::ceil(*std::max_element(xs, xs + 3)));
    const int y0 = int(std::floor(*std::min_element(ys, ys + 3))), y1 = int(std::ceil(*std::max_element(ys, ys + 3)));
    const auto edge = [](double ax, double ay, double bx, double by, double px, double py) {
        return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
    };
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double e0 = edge(xs[0], ys[0], xs[1], ys[1], x, y);
            const double e1 = edge(xs[1], ys[1], xs[2], ys[2], x, y);
            const double e2 = edge(xs[2], ys[2], xs[0], ys[0], x, y);
            const double eps = 1e-9;
            if ((e0 >= -eps && e1 >= -eps && e2 >= -eps) || (e0 <= eps && e1 <= eps && e2 <= eps))
                set(c, x, y);
        }
    set(c, int(std::lround(h.TipX)), int(std::lround(h.TipY)));
}

// Whether pixel (x, y) lies inside the box figure (inclusive corner pixels) shrunk by inset
// pixels on every side, judged at the pixel's centre.
class TBoxFigure {
public:
    TBoxFigure(const TShapeSpec& spec, const QRect& box) : FKind(spec.Kind), FBox(box), FRadius(spec.Radius) { }

    bool Inside(int x, int y, int inset) const
    {
        const double l = FBox.left() + inset, t = FBox.top() + inset;
        const double r = FBox.right() + 1 - inset, b = FBox.bottom() + 1 - inset;
        const double px = x + 0.5, py = y + 0.5;
        if (l >= r || t >= b || px < l || px > r || py < t || py > b)
            return false;
        if (FKind == TShapeKind::Ellipse) {
            const double rx = (r - l) / 2, ry = (b - t) / 2;
            const double dx = (px - (l + rx)) / rx, dy = (py - (t + ry)) / ry;
            return dx * dx + dy * dy <= 1.0 + 1e-9;
        }
        if (FKind == TShapeKind::RoundRect) {
            const double rad = std::min({double(std::max(FRadius - inset, 0)), (r - l) / 2, (b - t) / 2});
            const double cx = px < l + rad ? l + rad : (px > r - rad ? r - rad : px);
            const double cy = py < t + rad ? t + rad : (py > b - rad ? b - rad : py);
            return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= rad * rad + 1e-9;
        }
        return true;
    }

    // An outline pixel: inside, and for width 1 next to the outside, else not inside the figure
    // shrunk by the width.
    bool OnOutline(int x, int y, int width) const
    {
        if (!Inside(x, y, 0))
            return false;
        if (width > 1)
            return !Inside(x, y, width);
        return !Inside(x - 1, y, 0) || !Inside(x + 1, y, 0) || !Inside(x, y - 1, 0) || !Inside(x, y + 1, 0);
    }

private:
    TShapeKind FKind;
    QRect FBox;
    int FRadius;
};

} // namespace

TArrowHead ArrowHeadOf(QPoint from, QPoint to, int width)
{
    TArrowHead h;
    h.TipX = to.x();
    h.TipY = to.y();
    const double dx = to.x() - from.x(), dy = to.y() - from.y();
    const double length = std::hypot(dx, dy);
    h.BaseX = h.LeftX = h.RightX = h.TipX;
    h.BaseY = h.LeftY = h.RightY = h.TipY;
    if (length == 0)
        return h;
    const double head = std::min(3.0 * width + 6.0, length);
    const double ux = dx / length, uy = dy / length;
    h.BaseX = h.TipX - ux * head;
    h.BaseY = h.TipY - uy * head;
    h.LeftX = h.BaseX + uy * head / 2;
    h.LeftY = h.BaseY - ux * head / 2;
    h.RightX = h.BaseX - uy * head / 2;
    h.RightY = h.BaseY + ux * head / 2;
    return h;
}

QRect ShapeBounds(const TShapeSpec& spec)
{
    const QRect box = PixelBox(spec.From, spec.To);
    const int w = std::max(spec.Width, 1);
    switch (spec.Kind) {
    case TShapeKind::Line: return box.adjusted(-(w / 2 + 1), -(w / 2 + 1), w / 2 + 1, w / 2 + 1);
    case TShapeKind::Arrow: {
        const int m = 3 * w + 7;
        return box.adjusted(-m, -m, m, m);
    }
    default: return box.adjusted(-1, -1, 1, 1);
    }
}

TShapeCoverage AliasedShapeCoverage(const TShapeSpec& spec)
{
    TShapeCoverage out;
    const QRect area = ShapeBounds(spec);
    const int w = std::clamp(spec.Width, 1, 100);
    out.Stroke = emptyCoverage(area);
    if (spec.Kind == TShapeKind::Line || spec.Kind == TShapeKind::Arrow) {
        if (spec.Kind == TShapeKind::Line) {
            strokeLine(out.Stroke, spec.From, spec.To, w);
            return out;
        }
        const TArrowHead head = ArrowHeadOf(spec.From, spec.To, w);
        const QPoint base(int(std::lround(head.BaseX)), int(std::lround(head.BaseY)));
        strokeLine(out.Stroke, spec.From, base, w);
        fillHead(out.Stroke, head);
        return out;
    }
    const QRect box = PixelBox(spec.From, spec.To);
    const TBoxFigure figure(spec, box);
    const bool outline = spec.Fill != TShapeFill::FillOnly, inside = spec.Fill != TShapeFill::Outline;
    if (inside)
        out.Fill = emptyCoverage(area);
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x) {
            if (outline && figure.OnOutline(x, y, w))
                set(out.Stroke, x, y);
            else if (inside && figure.Inside(x, y, 0))
                set(out.Fill, x, y);
        }
    if (!outline)
        out.Stroke = TCoverage();
    return out;
}

} // namespace kalvo
