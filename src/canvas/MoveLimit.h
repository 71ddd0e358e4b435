#pragma once
// Keeping a moved selection on the image: the offset is corrected so that at least one pixel
// column and one row of the moved box stay inside a width x height image.
#include "image/Geometry.h"

#include <QPoint>

namespace kalvo {

constexpr QPoint LimitMoveOffset(QPoint offset, const TRect& box, int width, int height)
{
    int dx = offset.x(), dy = offset.y();
    const int l = box.left + dx, r = box.right + dx, t = box.top + dy, b = box.bottom + dy;
    if (r <= 0)
        dx += 1 - r;
    else if (l >= width)
        dx += width - l - 1;
    if (b <= 0)
        dy += 1 - b;
    else if (t >= height)
        dy += height - t - 1;
    return {dx, dy};
}

} // namespace kalvo
