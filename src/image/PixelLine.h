#pragma once
// A one-pixel Bresenham line that leaves out its final pixel, like the platform's line drawing.
#include "image/Geometry.h"

#include <cstdlib>

namespace kalvo {

// Calls plot(x, y) for every pixel from (x1, y1) up to but not including (x2, y2).
template <typename Plot>
void WalkPixelLine(int x1, int y1, int x2, int y2, Plot&& plot)
{
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    while (x1 != x2 || y1 != y2) {
        plot(x1, y1);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

// Calls segment(a, b) for each segment of the figure: the separate pairs p0-p1, p2-p3, ... in
// pairs mode, else the polyline's consecutive points.
template <typename Segment>
void ForEachSegment(const TPoints& points, bool pairsMode, Segment&& segment)
{
    if (pairsMode) {
        for (std::size_t k = 0; 2 * k + 1 < points.size(); ++k)
            segment(points[2 * k], points[2 * k + 1]);
    } else {
        for (std::size_t i = 1; i < points.size(); ++i)
            segment(points[i - 1], points[i]);
    }
}

} // namespace kalvo
