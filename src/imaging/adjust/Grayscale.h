#pragma once
// Grayscale: each selected pixel's three channels become its luma; the picture stays 24-bit.
#include "image/Bitmap.h"
#include "image/Region.h"
#include "imaging/ProgressCallback.h"

#include <QRect>

#include <optional>

namespace kalvo {

// Y = Round(0.299 R + 0.587 G + 0.114 B), ties to even, computed exactly in integers.
int Luma(int red, int green, int blue);

// Every pixel of `area` (none = the whole image) becomes grey Y, weighted by the mask as the
// negative is. False, changing nothing, unless the bitmap is 24-bit.
bool GrayscaleArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask,
                   const TProgressCallback& progress = {});
bool Grayscale(TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask, const TProgressCallback& progress = {});
// The same from source into dest (source itself, or a bitmap of its layout whose pixels are
// undefined and then all written).
bool GrayscaleArea(const TBitmap& source, TBitmap& dest, const std::optional<QRect>& area, const TBitmap* mask,
                   const TProgressCallback& progress = {});
bool Grayscale(const TBitmap& source, TBitmap& dest, const TRegionRef& region, const TBitmap* mask,
               const TProgressCallback& progress = {});

} // namespace kalvo
