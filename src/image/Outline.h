#pragma once
// Selection outlines: the unit pixel-edge segments between inside and outside pixels, as point
// pairs (vertical (x, y)-(x, y+1), horizontal (x, y)-(x+1, y)). Rows are walked from top to one
// past the last row and columns from left to one past the last column; at each place a vertical
// segment comes first when the inside state changes along the row, then a horizontal one when
// the pixel differs from the one above. Nothing joins the segments into polygons.
#include "image/Bitmap.h"
#include "image/Geometry.h"
#include "image/Region.h"

#include <cstddef>

namespace kalvo {

// Outline of an 8-bit mask (inside = value not 255). An absent mask gives an empty list.
// Returns the number of points; EPxImageError "PxImage.Bitmap8ToPoints: Can not allocate
// memory." (list left empty) when the list cannot grow, or when the mask is not 8-bit.
std::size_t Bitmap8ToPoints(const TBitmap* mask, TPoints& points);
// Outline of a 1-bit bitmap (inside = bit 1), walked from rect's top and left (0, 0 without a
// rectangle), each point shifted by (offsetX, offsetY). EPxImageError "PxImage.BwBitmapToPoints:
// Can not allocate memory." (list left empty) when the list cannot grow or the bitmap is not 1-bit.
std::size_t BwBitmapToPoints(const TBitmap& bitmap, TPoints& points, const TRect* rect, int offsetY, int offsetX);
// Outline of a region in image coordinates; no region gives an empty list.
std::size_t RegionToPoints(const TRegionRef& region, TPoints& points);

} // namespace kalvo
