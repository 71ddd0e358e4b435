#pragma once
// Round-pen strokes on a bitmap of any depth (1, 4, 8, 16, 24 and 32 bits), clipped to a region.
// QPainter cannot draw on indexed images, so the stroke's shape is drawn once in a coverage mask
// and written through the bitmap's own pixel routines.
#include "image/Bitmap.h"
#include "image/Geometry.h"
#include "image/Region.h"

#include <QRect>

namespace kalvo {

// The figure (a polyline, or the separate segments p0-p1, p2-p3, ... when pairs is set) stroked
// with a solid pen of the given width with round caps and joins (the shape StrokePoints draws);
// width 1 or less draws DrawPixelLines' one-pixel lines. Only pixels inside clip (absent: anywhere
// in the image) change. Returns the bounding box of the pixels written (empty when none);
// `stored`, when given, becomes false when the colour cannot be stored.
QRect StrokeRoundPen(TBitmap& bitmap, const TPoints& points, bool pairs, TColor color, int width,
                     const TRegionRef& clip, bool* stored = nullptr);

} // namespace kalvo
