#pragma once
// Gaussian blur inside the selection.
#include "image/Bitmap.h"
#include "image/Region.h"
#include "imaging/ProgressCallback.h"

#include <QRect>

#include <optional>

namespace kalvo {

// Every selected pixel of `area` (none = the whole image) becomes Round(B) with B the Gaussian
// blur of radius sigma (0.1..100; see GaussianRows), which also gathers from pixels outside the
// selection; weighted by the mask as the negative is. False, changing nothing, unless the bitmap
// is 24-bit.
bool GaussianBlurArea(TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask, double sigma,
                      const TProgressCallback& progress = {});
bool GaussianBlur(TBitmap& bitmap, const TRegionRef& region, const TBitmap* mask, double sigma,
                  const TProgressCallback& progress = {});

// The rows and columns of `area` an operation through `mask` may change, as one rectangle.
QRect MaskedBox(const TBitmap& bitmap, const std::optional<QRect>& area, const TBitmap* mask);

} // namespace kalvo
