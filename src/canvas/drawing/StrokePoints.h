#pragma once
// Wide strokes with a round-ended, round-joined solid pen.
#include "image/Color.h"
#include "image/Geometry.h"

class QPainter;

namespace kalvo {

// Strokes the points once with a solid pen of the given colour and width (round caps and joins,
// no antialiasing): in pairs mode a separate line for points 2k and 2k+1, otherwise one polyline.
// Width 1 or less draws one-pixel lines that leave out the final pixel of each segment, as the
// pen's stroke mask does. The surface's pen and antialiasing are restored afterwards; clipping is
// the caller's.
void StrokePoints(QPainter& surface, const TPoints& points, bool pairsMode, TColor color, int width);

} // namespace kalvo
