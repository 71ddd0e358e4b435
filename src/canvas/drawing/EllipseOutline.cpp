// The ellipse rubber band's outline as four Bezier quarter arcs.
#include "canvas/drawing/Path.h"

#include <cmath>
#include <numbers>

namespace kalvo {

void DrawEllipseOutline(TPath& path, int x0, int y0, int x1, int y1)
{
    const double rx = std::max(0.0, (std::abs(x0 - x1) - 1) / 2.0);
    const double ry = std::max(0.0, (std::abs(y0 - y1) - 1) / 2.0);
    const double cx = (x0 + x1) / 2.0;
    const double cy = (y0 + y1) / 2.0;
    const double t = std::numbers::pi / 4;
    const double c = std::cos(t);
    const double s = std::sin(t);
    const double k = (1 - c) * 4 / 3;
    const double u[4] = {c, c + k, c + k, c};
    const double v[4] = {s, s - c * k / s, -(s - c * k / s), -s};
    for (int arc = 0; arc < 4; ++arc) {
        const double m = arc * std::numbers::pi / 2 + t;
        QPoint p[4];
        for (int i = 0; i < 4; ++i) {
            const double x = cx + rx * (std::cos(m) * u[i] + std::sin(m) * v[i]) - 0.0001;
            const double y = cy + ry * (-std::sin(m) * u[i] + std::cos(m) * v[i]) - 0.0001;
            p[i] = QPoint(int(std::nearbyint(x)), int(std::nearbyint(y)));
        }
        if (arc == 0)
            path.moveTo(p[0]);
        path.bezierTo(p[1], p[2], p[3]);
    }
    path.closeFigure();
}

} // namespace kalvo
