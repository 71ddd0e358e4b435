#include "app/property/RollUpPosition.h"

namespace kalvo {

namespace {

int keepInside(int pos, int size, int low, int high)
{
    if (pos < low)
        return low;
    if (pos + size > high)
        return high - size;
    return pos;
}

} // namespace

QPoint KeepInWorkArea(QPoint pos, QSize size, const QRect& work)
{
    return {keepInside(pos.x(), size.width(), work.left(), work.left() + work.width()),
            keepInside(pos.y(), size.height(), work.top(), work.top() + work.height())};
}

} // namespace kalvo
