#pragma once
// The box between two pixels, both included, whichever corner comes first. (QRect::normalized()
// is no help here: it moves swapped edges by one pixel.)
#include <QPoint>
#include <QRect>

#include <algorithm>

namespace kalvo {

inline QRect PixelBox(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

} // namespace kalvo
