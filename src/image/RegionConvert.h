#pragma once
// Conversions between regions and other forms: polygons, scaled copies, 1-bit bitmaps and
// 8-bit selection masks (0 = selected, 255 = not selected, values between partly selected).
#include "image/Bitmap.h"
#include "image/Region.h"

#include <span>

namespace kalvo {

// The polygon through the points, closed, filled even-odd; absent when it cannot be created.
TRegionRef CreateRegionFromPoints(std::span<const QPoint> points);
// Every rectangle scaled about (0, 0) by the factor (reduced to single precision), edges rounded
// to the nearest integer. Absent in, absent out; absent also when the factor is not finite or a
// scaled coordinate leaves the region coordinate range.
TRegionRef ScaleRegion(const TRegionRef& region, double factor);
// The region of the set (1) pixels of a 1-bit bitmap; EPxImageError for another depth.
TRegion MonoBitmapToRegion(const TBitmap& bitmap);
// The region of the pixels whose mask value is not 255; absent when the mask is not 8-bit.
TRegionRef MaskToRegion(const TBitmap& mask);
// An 8-bit grey mask width x height: 255 with the region's pixels 0, or all 0 with no region.
TBitmap RegionToMask(const TRegionRef& region, int width, int height);

} // namespace kalvo
