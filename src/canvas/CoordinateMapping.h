#pragma once
// Mapping between screen (client) coordinates and image coordinates for a view state. All
// results are integers truncated toward zero, so a point a little left of or above the image
// still maps to the first shown column or row; callers clamp or test with IsInImage.
#include "canvas/ViewGeometry.h"

#include <QPoint>

namespace kalvo {

// Image pixel under a client point: Trunc((p - ImageLeft) * 100 / Zoom) + Scroll.
QPoint ScreenToImage(const TViewGeometry& g, QPoint p);
// Client position of an image point's top-left corner: Trunc((p - Scroll) * ZoomFactor) + ImageLeft.
QPoint ImageToScreen(const TViewGeometry& g, QPoint p);
// Client position of the centre of an image pixel's zoomed block.
QPoint ImageToScreenCentre(const TViewGeometry& g, QPoint p);
// x limited to 0..W and y to 0..H (the far edge included: selection corners).
QPoint ClampToImageEdge(const TViewGeometry& g, QPoint p);
// x limited to 0..W-1 and y to 0..H-1 (pixels).
QPoint ClampToImagePixel(const TViewGeometry& g, QPoint p);
// 0 <= x < W and 0 <= y < H.
bool IsInImage(const TViewGeometry& g, QPoint p);
// A client point on the displayed image, its far edges included.
bool IsInDisplayedImage(const TViewGeometry& g, QPoint p);

} // namespace kalvo
