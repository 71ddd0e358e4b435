#pragma once
// The canvas works in device pixels: on a screen with a device pixel ratio above 1 (200 %
// scaling) its client area, mouse positions, zoom and frame all count the screen's own pixels,
// so that 100 % shows one image pixel per device pixel. These convert between the logical
// pixels of Qt's widgets and events and the canvas's device pixels.
#include <QPoint>
#include <QPointF>
#include <QRect>

namespace kalvo {

// A logical length (the viewport's width or height) in device pixels, rounded.
int DeviceLength(int logical, double ratio);
// The device pixel under a logical position (an event's, fractional at ratios above 1). At ratio 1
// the position is rounded as QPointF::toPoint does, which keeps the behaviour of ordinary screens.
QPoint DevicePoint(QPointF logical, double ratio);
// The whole factor by which fixed-size marks (the selection's corner handles) grow on this
// screen so that they keep their physical size: the ratio rounded, at least 1.
int MarkScale(double ratio);
// A device position in logical coordinates (popup menus, mapping to global coordinates).
QPointF LogicalPoint(QPoint device, double ratio);
// The logical rectangle covering a device rectangle (repaint requests): edges rounded outward.
QRect LogicalRect(const QRect& device, double ratio);

} // namespace kalvo
