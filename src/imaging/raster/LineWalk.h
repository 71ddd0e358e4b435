#pragma once
// The real-step line walk shared by the brush-tip stripes and the brush and coverage strokes:
// along the major axis (x when |dy| < |dx|) with the endpoints swapped so that the major
// coordinate increases, the minor coordinate advancing by dminor / dmajor per step.
#include <utility>

namespace kalvo {

// Calls visit(x, y) with real coordinates for every step from one end to the other, both ends
// included. A single point is visited once.
template <typename Visit>
void WalkLine(int x1, int y1, int x2, int y2, Visit&& visit)
{
    const int dx = x1 - x2, dy = y1 - y2;
    if ((dy < 0 ? -dy : dy) < (dx < 0 ? -dx : dx)) {
        if (x1 > x2) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        const double slope = double(y1 - y2) / double(x1 - x2);
        double y = y1;
        for (int x = x1; x <= x2; ++x, y += slope)
            visit(double(x), y);
    } else {
        if (y1 > y2) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        const double slope = y1 == y2 ? 0.0 : double(x1 - x2) / double(y1 - y2);
        double x = x1;
        for (int y = y1; y <= y2; ++y, x += slope)
            visit(x, double(y));
    }
}

} // namespace kalvo
