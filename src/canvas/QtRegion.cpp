#include "canvas/QtRegion.h"

#include <QRect>

#include <vector>

namespace kalvo {

QRegion ToQRegion(const TRegion& region)
{
    std::vector<QRect> rects;
    rects.reserve(region.rectCount());
    for (const pixman_box32_t& b : region.boxes())
        rects.emplace_back(QPoint(b.x1, b.y1), QPoint(b.x2 - 1, b.y2 - 1));
    QRegion out;
    out.setRects(rects.data(), int(rects.size()));
    return out;
}

} // namespace kalvo
