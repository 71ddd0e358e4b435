#pragma once
// One anti-aliased line written into a greyscale stroke mask (0 = full stroke, 255 = none).
#include "image/Bitmap.h"

#include <QRect>

#include <functional>

namespace kalvo {

// Writes Trunc(255 * d) for the distance-like value d of each pixel near the line, where it is
// darker than the pixel's current value and the pixel lies inside both the clip rectangle and
// the 8-bit mask. Axis-parallel lines get a core of 0.05 with sides and end caps of 0.95; other
// lines a Gupta-Sproull style walk from the first endpoint.
void DrawAntiAliasedLine(TBitmap& mask, int x1, int y1, int x2, int y2, const QRect& clip);
// The pixels DrawAntiAliasedLine considers, each with its value Trunc(255 * d), unclipped, given
// to plot(x, y, value) in the order of the walk.
void WalkAntiAliasedLine(int x1, int y1, int x2, int y2, const std::function<void(int, int, int)>& plot);

} // namespace kalvo
