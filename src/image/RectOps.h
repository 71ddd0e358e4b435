#pragma once
// Intersection, union and containment of rectangles held as QRect, written out here so that the
// core libraries use QRect and QPoint as plain values and call no function of the Qt library
// itself: kalvo-cli then needs no Qt library at run time (see the README's start-up figures).
// The rectangles are normalised (width and height not negative), as everywhere in the core.
#include <QRect>

#include <algorithm>

namespace kalvo {

// What both rectangles cover; the null rectangle when that is nothing.
inline QRect IntersectRects(const QRect& a, const QRect& b)
{
    if (a.isEmpty() || b.isEmpty())
        return QRect();
    const QPoint topLeft(std::max(a.left(), b.left()), std::max(a.top(), b.top()));
    const QPoint bottomRight(std::min(a.right(), b.right()), std::min(a.bottom(), b.bottom()));
    if (topLeft.x() > bottomRight.x() || topLeft.y() > bottomRight.y())
        return QRect();
    return QRect(topLeft, bottomRight);
}

// The bounding rectangle of both; a null rectangle adds nothing.
inline QRect UniteRects(const QRect& a, const QRect& b)
{
    if (a.isNull())
        return b;
    if (b.isNull())
        return a;
    return QRect(QPoint(std::min(a.left(), b.left()), std::min(a.top(), b.top())),
                 QPoint(std::max(a.right(), b.right()), std::max(a.bottom(), b.bottom())));
}

inline bool RectContains(const QRect& r, const QPoint& p)
{
    return !r.isEmpty() && p.x() >= r.left() && p.x() <= r.right() && p.y() >= r.top() && p.y() <= r.bottom();
}

// True when inner lies wholly inside outer (both with area).
inline bool RectContains(const QRect& outer, const QRect& inner)
{
    return !outer.isEmpty() && !inner.isEmpty() && inner.left() >= outer.left() && inner.right() <= outer.right()
        && inner.top() >= outer.top() && inner.bottom() <= outer.bottom();
}

} // namespace kalvo
