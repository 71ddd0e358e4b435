#pragma once
// A captured drawing path: points with one type byte each. Bits 1-2 of a type give the kind
// (2 = line to the point, 4 = one of the three points of a cubic Bezier segment, 6 = move to the
// point); bit 0 closes the figure after the point.
#include "image/Geometry.h"

#include <QPainterPath>

#include <cstdint>
#include <vector>

class QPainter;

namespace kalvo {

constexpr std::uint8_t PT_CLOSEFIGURE = 1;
constexpr std::uint8_t PT_LINETO = 2;
constexpr std::uint8_t PT_BEZIERTO = 4;
constexpr std::uint8_t PT_MOVETO = 6;

class TPath {
public:
    int count() const { return int(points_.size()); }
    const TPoints& points() const { return points_; }
    const std::vector<std::uint8_t>& types() const { return types_; }

    void moveTo(QPoint p) { append(p, PT_MOVETO); }
    void lineTo(QPoint p) { append(p, PT_LINETO); }
    // One cubic Bezier segment from the current point through two control points to p3.
    void bezierTo(QPoint p1, QPoint p2, QPoint p3);
    // Closes the current figure after its last point.
    void closeFigure();
    void clear();

    // Captures a Qt path: moves, lines and cubic segments; a figure that ends on its own first
    // point is marked closed.
    static TPath capture(const QPainterPath& path);
    // Replays the points as a new Qt path (a Bezier kind without its three points ends the walk).
    QPainterPath replay() const;
    // Replays and strokes the path with the painter's current pen.
    void stroke(QPainter& surface) const;
    // Copies count, points and types.
    void assign(const TPath& other) { *this = other; }

private:
    void append(QPoint p, std::uint8_t type);

    TPoints points_;
    std::vector<std::uint8_t> types_;
};

// Adds a closed ellipse figure for the box with corners (x0, y0) and (x1, y1): four quarter arcs,
// counter-clockwise on screen from angle 0, each one cubic Bezier segment, corners rounded to
// whole pixels.
void DrawEllipseOutline(TPath& path, int x0, int y0, int x1, int y1);

} // namespace kalvo
