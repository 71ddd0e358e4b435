#pragma once
// A brush stroked along segments into a coverage table, then blended into an image or into a
// selection mask.
#include "image/Bitmap.h"
#include "image/Geometry.h"
#include "imaging/raster/PenBrush.h"

namespace kalvo {

// Strokes the tip along the points (independent segments p0-p1, p2-p3, ... when pairs is true,
// else one polyline) into a coverage table of the bitmap's size, then applies it with strength
// e = (100 - alpha) * coverage div 100. A 24-bit bitmap blends each channel toward the colour;
// an 8-bit bitmap (a selection mask) is lowered by e for a non-zero colour (selects more) and
// raised by e for colour 0 (selects less). Fewer than two points or other depths change nothing.
// The bitmap may be the part of a larger picture whose top-left pixel lies at origin there
// (points in the picture's coordinates): it then changes as that part of the picture would.
void StrokeAndBlend(TBitmap& bitmap, const TPoints& points, bool pairs, int alpha, TColor color,
                    const TpxPenBrush& brush, QPoint origin = QPoint(0, 0));

} // namespace kalvo
