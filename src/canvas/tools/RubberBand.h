#pragma once
// Geometry of the rubber bands drawn during selection gestures, in client coordinates.
#include "canvas/ViewGeometry.h"
#include "image/Geometry.h"

#include <QPoint>
#include <QSize>

namespace kalvo {

// A band end limited to the displayed image: at most the client position of the image's right
// (bottom) edge, Trunc((W - ScrollX) x ZoomFactor) + ImageLeft; at least ImageLeft (ImageTop)
// only while the view is scrolled to column (row) 0.
QPoint LimitToDisplayedImage(const TViewGeometry& view, QPoint p);

// The far corner of a rectangle drag: with square set, moved towards far to make a square of
// side min(|dx|, |dy|) (image or client coordinates alike).
QPoint SquareCorner(QPoint anchor, QPoint far, bool square);

// The ellipse band's box from the centre c and the rim point e: (2c - e, e), or with circle set
// the square of half-side Trunc(sqrt(dx^2 + dy^2)) (integer squares) around c.
TRect EllipseBox(QPoint c, QPoint e, bool circle);

// The rectangle band's four corners (top-left, top-right, bottom-right, bottom-left order of the
// drawn edges top, right, left, bottom) limited to the displayed image and then to
// -1..client size.
struct TRectBand {
    QPoint A;
    QPoint B;
};
TRectBand RectBandEnds(const TViewGeometry& view, QPoint a, QPoint b, QSize client);

// The ellipse band as a closed polyline of client points (limited to the displayed image).
TPoints EllipseBandPolyline(const TViewGeometry& view, const TRect& box);

} // namespace kalvo
